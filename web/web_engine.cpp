// The engine as the page's script sees it: a handful of C functions, each of which performs one
// action of the page and answers with what the engine showed meanwhile, as one JSON text that
// the script reads. Everything the page knows of the engine goes through this file.
//
// A returned text stays valid until the next call.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/calculator.h"
#include "engine/tape.h"
#include "format/formatter.h"
#include "model/mode_table.h"
#include "settings/ini_file.h"
#include "settings/options.h"
#include "settings/settings.h"
#include "web/json_text.h"

namespace {

// The settings text goes into the in-memory file system, where the portable INI reader reads it
// by the same rules as the window's settings file.
constexpr const char* kSettingsFile = "/VEXO.INI";

// The key that a keypad button stands for; the page names its buttons by their keys.
int KeyOfButtonId(int buttonId) {
    for (const KeypadKey& entry : KeypadKeys)
        if (entry.buttonId == buttonId) return entry.key;
    return 0;
}

int ButtonIdOfKey(int key) {
    for (const KeypadKey& entry : KeypadKeys)
        if (entry.key == key) return entry.buttonId;
    return 0;
}

// What the engine showed: the display, the memory indicator and the mode as they are now, and
// since the last answer the new tape lines (oldest first), the messages, beeps and flashes.
class PageView final : public CalculatorView {
public:
    PageView(const ModeTable& modes, const Options& options) : modes_(modes), options_(options) {}

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
    void TapeAdded(const TapeLine& line, bool oldestDropped) override {
        tape_ += tape_.empty() ? "" : ",";
        AppendJsonString(tape_, line.text.c_str());
        if (!oldestDropped) ++tapeLines_;
    }
    void TapeCleared(const Tape& tape) override {
        tapeCleared_ = true;
        tape_.clear();
        tapeLines_ = tape.Count();
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
        answer_ += ",\"strict\":" + std::to_string(options_.bStrictCheck);
        answer_ += ",\"autoDf\":" + std::to_string(options_.iAutoDfFix);
        answer_ += ",\"asFrames\":" + std::to_string(options_.bDFNDFFrameConv);
        answer_ += ",\"tapeCleared\":";
        answer_ += tapeCleared_ ? "true" : "false";
        answer_ += ",\"tape\":[" + tape_ + "]";
        answer_ += ",\"tapeLines\":" + std::to_string(tapeLines_);
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
                AppendJsonString(answer_, IsModePresent(modes_, mode) ? modes_.rows[mode].szName.c_str() : "");
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
        return FormatDigits(modes_, display_.c_str(), mode_, modes_.rows[mode_].iClipFlags);
    }

private:
    const ModeTable& modes_;
    const Options& options_;
    TextBuffer display_{"0"};
    TextBuffer memory_{" "};
    int mode_ = 0;
    std::string tape_;
    std::string messages_;
    std::vector<int> flashes_;
    int beeps_ = 0;
    bool tapeCleared_ = false;
    int tapeLines_ = 0;
    std::string answer_;
};

// The page's one calculator, with the modes and options it works in and the view that answers
// the script; made anew by each start.
struct PageSession {
    ModeTable modes;
    Options options;
    PageView view{modes, options};
    Calculator calculator{view, modes, options};
    std::string copied;
};

std::unique_ptr<PageSession> g_page = std::make_unique<PageSession>();

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
    g_page = std::make_unique<PageSession>();
    int mode = 0;
    if (WriteSettingsFile(settingsText)) {
        IniFileStore store(kSettingsFile);
        mode = ReadSettings(store, g_page->modes, g_page->options);
    }
    g_page->calculator.Start(mode);
    return g_page->view.Answer(true);
}

// A key typed on the keyboard: its character, or 8 (Backspace), 13 (Enter), 27 (Esc).
const char* lumo_key(int key) {
    g_page->calculator.KeyChar(static_cast<char>(key), true);
    return g_page->view.Answer(false);
}

// A click on the keypad button of that key.
const char* lumo_click(int key) {
    g_page->calculator.KeypadCommand(ButtonIdOfKey(key));
    return g_page->view.Answer(false);
}

const char* lumo_paste(const char* text) {
    g_page->calculator.PasteText(text);
    return g_page->view.Answer(false);
}

const char* lumo_switch_mode(int mode) {
    g_page->calculator.SwitchMode(mode);
    return g_page->view.Answer(false);
}

// Strict Entry Check (0 or 1), Auto DF Correct (0 Off, 1 Minus 2 Frames, 2 Plus 2 Frames) and
// NDF<>DF As Frames (0 or 1).
const char* lumo_set_options(int strict, int autoDf, int asFrames) {
    Options& options = g_page->options;
    options.bStrictCheck = strict != 0 ? 1 : 0;
    options.iAutoDfFix = autoDf;
    options.bDFNDFFrameConv = asFrames != 0 ? 1 : 0;
    return g_page->view.Answer(false);
}

const char* lumo_clear_memory() {
    g_page->calculator.ClearMemory();
    return g_page->view.Answer(false);
}

const char* lumo_clear_tape() {
    g_page->calculator.ClearTape();
    return g_page->view.Answer(false);
}

// The display in the current mode's clipboard format: what Copy puts on the clipboard.
const char* lumo_copy_text() {
    g_page->copied = g_page->view.CopyText().c_str();
    return g_page->copied.c_str();
}

}  // extern "C"
