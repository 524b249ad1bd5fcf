// Prints the engine's scenario rows as JSON, so that the browser test plays the very rows that
// the engine's and lumo's tests play. Each row's keys come read by the engine's own key-script
// reader, as the steps they stand for.

#include <cstdio>
#include <string>
#include <vector>

#include "engine/calculator.h"
#include "engine/key_script.h"
#include "model/mode_table.h"
#include "model/user_mode.h"
#include "tests/engine/engine_scenarios.h"
#include "web/json_text.h"

namespace {

std::string Json(const char* text) {
    std::string json;
    AppendJsonString(json, text);
    return json;
}

std::string Json(const std::vector<std::string>& texts) {
    std::string json = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) json += (i > 0 ? "," : "") + Json(texts[i].c_str());
    return json + "]";
}

std::string Json(const char* text, bool present) { return present ? Json(text) : "null"; }

const char* ButtonName(int buttonId) {
    for (const KeypadKey& key : KeypadKeys)
        if (key.buttonId == buttonId) return key.name;
    return "";
}

// The row's keys as steps: {"key":code}, {"click":name}, {"paste":text}, {"mode":row} and
// {"clearMemory":true}; null when the keys do not read.
std::string Steps(const Scenario& s) {
    ModeTable modes;
    if (s.userMode != nullptr) ParseUserMode(modes, ModeUser1, s.userMode);
    if (s.userMode7 != nullptr) ParseUserMode(modes, ModeUser1 + 1, s.userMode7);
    const char* const words[] = {s.keys};
    const KeyScript script = ParseKeyScript(modes, words, s.mode);
    if (!script.error.empty()) return "null";
    std::string json = "[";
    for (const KeyAction& action : script.actions) {
        json += json.size() > 1 ? "," : "";
        switch (action.kind) {
            case KeyActionKind::Type:
                json += "{\"key\":" + std::to_string(static_cast<unsigned char>(action.key)) + "}";
                break;
            case KeyActionKind::Click: json += "{\"click\":" + Json(ButtonName(action.number)) + "}"; break;
            case KeyActionKind::Paste: json += "{\"paste\":" + Json(action.text.c_str()) + "}"; break;
            case KeyActionKind::SwitchMode: json += "{\"mode\":" + std::to_string(action.number) + "}"; break;
            case KeyActionKind::ClearMemory: json += "{\"clearMemory\":true}"; break;
        }
    }
    return json + "]";
}

}  // namespace

int main() {
    std::string json = "[\n";
    bool first = true;
    for (const Scenario& s : kScenarios) {
        json += first ? "" : ",\n";
        first = false;
        json += "{\"name\":" + Json(s.name) + ",\"mode\":" + std::to_string(s.mode) +
                ",\"strict\":" + std::to_string(s.strict) + ",\"autoDf\":" + std::to_string(s.autoDf) +
                ",\"frameConv\":" + std::to_string(s.frameConv) + ",\"keys\":" + Json(s.keys) +
                ",\"steps\":" + Steps(s) +
                ",\"display\":" + Json(s.display) + ",\"tape\":" + Json(s.tape) +
                ",\"messages\":" + Json(s.messages) + ",\"beeps\":" + std::to_string(s.beeps) +
                ",\"indicator\":" + Json(s.indicator, s.indicator != nullptr) +
                ",\"userMode\":" + Json(s.userMode, s.userMode != nullptr) +
                ",\"userMode7\":" + Json(s.userMode7, s.userMode7 != nullptr) + "}";
    }
    json += "\n]\n";
    std::fputs(json.c_str(), stdout);
    return 0;
}
