#pragma once
// A CalculatorView that remembers, in order, everything the engine showed, and a fixture that
// puts the engine, the mode tables and the options back to their start-up state.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/calculator.h"
#include "engine/tape.h"
#include "model/mode_table.h"
#include "settings/options.h"

// A keypad button's label as it reads on the button ("MR" for "M&R"); the id for any other.
std::string KeypadLabel(int buttonId);

// The id of the keypad button with that label, or 0.
int KeypadButtonId(const std::string& label);

class RecordingView final : public CalculatorView {
public:
    // Every call as one text, in order: "display 1:00:00", "flash 1170", "beep", ...
    std::vector<std::string> events;
    std::vector<std::string> displays;
    std::vector<std::string> indicators;
    std::vector<std::string> messages;  // "text|caption", "(none)" for a missing caption
    std::vector<std::string> tape;      // each line as TapeAdded announced it
    std::vector<int> flashes;
    std::vector<int> modes;
    int beeps = 0;
    int visibleLines = 0;

    void SetDisplayText(const char* text) override {
        displays.emplace_back(text);
        events.push_back("display " + displays.back());
    }
    void SetMemoryIndicatorText(const char* text) override {
        indicators.emplace_back(text);
        events.push_back("indicator " + indicators.back());
    }
    void FlashButton(int buttonId) override {
        flashes.push_back(buttonId);
        events.push_back("flash " + KeypadLabel(buttonId));
    }
    void Beep() override {
        ++beeps;
        events.emplace_back("beep");
    }
    void ShowMessage(const char* text, const char* caption) override {
        messages.push_back(std::string(text) + "|" + (caption != nullptr ? caption : "(none)"));
        events.push_back("message " + messages.back());
    }
    void ModeChanged(int mode) override {
        modes.push_back(mode);
        events.push_back("mode " + std::to_string(mode));
    }
    void TapeAdded(int lineIndex) override {
        // The line announced must be the newest one.
        EXPECT_EQ(lineIndex, TapeLineCount() - 1);
        tape.emplace_back(TapeLineAt(lineIndex).text.c_str());
        events.push_back("tape " + tape.back());
    }
    void TapeCleared() override { events.emplace_back("tape cleared"); }
    int TapeVisibleLines() override { return visibleLines; }

    // Starts a clean record; the view keeps its height.
    void Forget() {
        const int lines = visibleLines;
        *this = RecordingView{};
        visibleLines = lines;
    }
};

class EngineFixture : public ::testing::Test {
protected:
    RecordingView view;

    void SetUp() override {
        ResetModeTables();
        ResetOptions();
        ResetEngine();
        SetCalculatorView(&view);
    }
    void TearDown() override {
        SetCalculatorView(nullptr);
        ResetEngine();
        ResetModeTables();
        ResetOptions();
    }

    // The start-up sequence in a mode, then a clean record.
    void StartIn(int mode) {
        StartCalculator(mode);
        view.Forget();
    }
};

// Plays a script of keystrokes: each character is typed (KeyChar with the flash on); spaces
// only separate; commands in angle brackets: <Esc> <Bs> <Enter> <Chr n> (any character code),
// <Click label> (the keypad button with that label, "MR" for "M&R"), <ClickId n> (a click
// from any control id), <Mode n> (a mode command), <ClearMem>, <ClearTape>, <Paste text>
// (the text pasted).
void PlayKeys(const char* script);
