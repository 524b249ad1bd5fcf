#include <cstdlib>
#include <string>

#include "tests/engine/recording_view.h"

std::string KeypadLabel(int buttonId) {
    for (const KeypadButton& button : KeypadTable) {
        if (button.id != buttonId) continue;
        std::string label;
        for (const char* p = button.label; *p != '\0'; ++p)
            if (*p != '&') label += *p;
        return label;
    }
    return std::to_string(buttonId);
}

int KeypadButtonId(const std::string& label) {
    for (const KeypadButton& button : KeypadTable)
        if (KeypadLabel(button.id) == label) return button.id;
    return 0;
}

namespace {

void PlayCommand(const std::string& command) {
    const std::size_t space = command.find(' ');
    const std::string name = command.substr(0, space);
    const std::string argument = space == std::string::npos ? "" : command.substr(space + 1);
    const int number = std::atoi(argument.c_str());
    if (name == "Esc") KeyChar(27, true);
    else if (name == "Bs") KeyChar(8, true);
    else if (name == "Enter") KeyChar(13, true);
    else if (name == "Chr") KeyChar(static_cast<char>(number), true);
    else if (name == "Click") {
        const int id = KeypadButtonId(argument);
        if (id == 0) ADD_FAILURE() << "no keypad button <" << argument << ">";
        KeypadCommand(id);
    } else if (name == "ClickId") KeypadCommand(number);
    else if (name == "Mode") SwitchMode(number);
    else if (name == "ClearMem") ClearMemory();
    else if (name == "ClearTape") ClearTape();
    else if (name == "Paste") PasteText(argument.c_str());
    else ADD_FAILURE() << "unknown command <" << command << ">";
}

}  // namespace

void PlayKeys(const char* script) {
    for (const char* p = script; *p != '\0'; ++p) {
        if (*p == ' ') continue;
        if (*p != '<') {
            KeyChar(*p, true);
            continue;
        }
        const char* end = p;
        while (*end != '\0' && *end != '>') ++end;
        PlayCommand(std::string(p + 1, end));
        if (*end == '\0') break;
        p = end;
    }
}
