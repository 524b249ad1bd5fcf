#include <string>

#include "engine/key_script.h"
#include "tests/engine/recording_view.h"

std::string KeypadLabel(int buttonId) {
    for (const KeypadKey& key : KeypadKeys)
        if (key.buttonId == buttonId) return key.name;
    return std::to_string(buttonId);
}

void EngineFixture::PlayKeys(const char* script) {
    const char* const words[] = {script};
    const KeyScript keys = ParseKeyScript(modes, words, calc.State().iMode);
    if (!keys.error.empty()) ADD_FAILURE() << keys.error << " in " << script;
    PlayKeyScript(calc, keys, true);
}
