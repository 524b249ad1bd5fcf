// The engine as the page's script sees it: a handful of C functions, each of which performs one
// action of the page and answers with what the engine showed meanwhile, as one JSON text that
// the script reads. Everything the page knows of the engine goes through this file.
//
// A returned text stays valid until the next call.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/calculator.h"
#include "engine/calculator_view.h"
#include "engine/tape.h"
#include "format/formatter.h"
#include "model/mode_table.h"
#include "settings/ini_file.h"
#include "settings/options.h"
#include "settings/settings.h"

namespace {

// The settings text goes into the in-memory file system, where the portable INI reader reads it
// by the same rules as the window's settings file.
constexpr const char* kSettingsFile = "/VEXO.INI";

void AppendJsonString(std::string& json, const char* text) {
    json += '"';
    for (const char* p = text; *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else {
            json += static_cast<char>(c);
        }
    }
    json += '"';
}

// The key that a keypad button stands for; the page names its buttons by their keys.
int KeyOfButtonId(int buttonId) {
    for (const KeyCharEntry& entry : KeyCharTable)
        if (entry.buttonId == buttonId) return entry.key;
    return 0;
}

int ButtonIdOfKey(int key) {
    for (const KeyCharEntry& entry : KeyCharTable)
        if (entry.key == key) return entry.buttonId;
    return 0;
}

// What the engine showed: the display, the memory indicator and the mode as they are now, and
// since the last answer the new tape lines (oldest first), the messages, beeps and flashes.
class PageView final : public CalculatorView {
public:
    void SetDisplayText(const char* text) override { display_.assign(text); }
    void SetMemoryIndicatorText(const char* text) override { memory_.assign(text); }
    void FlashButton(int buttonId) override { flashes_.push_back(KeyOfButtonId(buttonId)); }
    void Beep() override { ++beeps_; }
    void ShowMessage(const char* text, const char* caption) override {
        messages_ += messages_.empty() ? "" : ",";
        messages_ += '[';
        AppendJsonString(messages_, text);
        messages_ += ',';
        AppendJsonString(messages_, caption != nullptr ? caption : "");
        messages_ += ']';
    }
    void ModeChanged(int mode) override { mode_ = mode; }
    void TapeAdded(int lineIndex) override {
        tape_ += tape_.empty() ? "" : ",";
        AppendJsonString(tape_, TapeLineAt(lineIndex).text.c_str());
    }
    void TapeCleared() override {
        tapeCleared_ = true;
        tape_.clear();
    }
    // The page's list grows with the lines; it needs no blank ones.
    int TapeVisibleLines() override { return 0; }

    // The answer to the action just done; the record starts anew.
    const char* Answer(bool withModes) {
        answer_ = "{\"display\":";
        AppendJsonString(answer_, display_.c_str());
        answer_ += ",\"memory\":";
        AppendJsonString(answer_, memory_.c_str());
        answer_ += ",\"mode\":" + std::to_string(mode_);
        answer_ += ",\"strict\":" + std::to_string(g_options.bStrictCheck);
        answer_ += ",\"autoDf\":" + std::to_string(g_options.iAutoDfFix);
        answer_ += ",\"asFrames\":" + std::to_string(g_options.bDFNDFFrameConv);
        answer_ += ",\"tapeCleared\":";
        answer_ += tapeCleared_ ? "true" : "false";
        answer_ += ",\"tape\":[" + tape_ + "]";
        answer_ += ",\"tapeLines\":" + std::to_string(TapeLineCount());
        answer_ += ",\"messages\":[" + messages_ + "]";
        answer_ += ",\"beeps\":" + std::to_string(beeps_);
        answer_ += ",\"flashes\":[";
        for (std::size_t i = 0; i < flashes_.size(); ++i)
            answer_ += (i > 0 ? "," : "") + std::to_string(flashes_[i]);
        answer_ += "]";
        if (withModes) {
            // Every row's long name, empty for an absent user row.
            answer_ += ",\"modes\":[";
            for (int mode = 0; mode < kModeCount; ++mode) {
                if (mode > 0) answer_ += ',';
                AppendJsonString(answer_, IsModePresent(mode) ? ModeTable[mode].szName.c_str() : "");
            }
            answer_ += "]";
        }
        answer_ += "}";
        tape_.clear();
        messages_.clear();
        flashes_.clear();
        beeps_ = 0;
        tapeCleared_ = false;
        return answer_.c_str();
    }

    // Copy takes the display's text in the mode shown, as the window's Copy does.
    TextBuffer CopyText() const {
        return FormatDigits(display_.c_str(), mode_, ModeTable[mode_].iClipFlags);
    }

private:
    TextBuffer display_{"0"};
    TextBuffer memory_{" "};
    int mode_ = 0;
    std::string tape_;
    std::string messages_;
    std::vector<int> flashes_;
    int beeps_ = 0;
    bool tapeCleared_ = false;
    std::string answer_;
};

PageView g_view;
std::string g_copied;

bool WriteSettingsFile(const char* text) {
    std::FILE* file = std::fopen(kSettingsFile, "wb");
    if (file == nullptr) return false;
    const std::string bytes = text != nullptr ? text : "";
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

extern "C" {

// Starts the calculator afresh as the window starts with this text as its settings file: the
// user modes, the clipboard formats, the saved mode and the options come from it. An empty
// text gives the defaults. The answer also names the modes.
const char* lumo_start(const char* settingsText) {
    ResetModeTables();
    ResetOptions();
    ResetEngine();
    SetCalculatorView(&g_view);
    int mode = 0;
    if (WriteSettingsFile(settingsText)) {
        IniFileStore store(kSettingsFile);
        mode = ReadSettings(store);
    }
    StartCalculator(mode);
    return g_view.Answer(true);
}

// A key typed on the keyboard: its character, or 8 (Backspace), 13 (Enter), 27 (Esc).
const char* lumo_key(int key) {
    KeyChar(static_cast<char>(key), true);
    return g_view.Answer(false);
}

// A click on the keypad button of that key.
const char* lumo_click(int key) {
    KeypadCommand(ButtonIdOfKey(key));
    return g_view.Answer(false);
}

const char* lumo_paste(const char* text) {
    PasteText(text);
    return g_view.Answer(false);
}

const char* lumo_switch_mode(int mode) {
    SwitchMode(mode);
    return g_view.Answer(false);
}

// Strict Entry Check (0 or 1), Auto DF Correct (0 Off, 1 Minus 2 Frames, 2 Plus 2 Frames) and
// NDF<>DF As Frames (0 or 1).
const char* lumo_set_options(int strict, int autoDf, int asFrames) {
    g_options.bStrictCheck = strict != 0 ? 1 : 0;
    g_options.iAutoDfFix = autoDf;
    g_options.bDFNDFFrameConv = asFrames != 0 ? 1 : 0;
    return g_view.Answer(false);
}

const char* lumo_clear_memory() {
    ClearMemory();
    return g_view.Answer(false);
}

const char* lumo_clear_tape() {
    ClearTape();
    return g_view.Answer(false);
}

// The display in the current mode's clipboard format: what Copy puts on the clipboard.
const char* lumo_copy_text() {
    g_copied = g_view.CopyText().c_str();
    return g_copied.c_str();
}

}  // extern "C"
