#pragma once
// A CalculatorView that remembers, in order, everything the engine showed, and a fixture with a
// calculator of its own on a fresh mode table and options.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/calculator.h"
#include "engine/tape.h"
#include "model/mode_table.h"
#include "settings/options.h"

// A keypad button's name as the engine gives it ("MR"); the id for any other.
std::string KeypadLabel(int buttonId);

class RecordingView final : public CalculatorView {
public:
    // Every call as one text, in order: "display 1:00:00", "flash 1", "beep", ...
    std::vector<std::string> events;
    std::vector<std::string> displays;
    std::vector<std::string> indicators;
    std::vector<std::string> messages;  // "text|caption", "(none)" for a missing caption
    std::vector<std::string> tape;      // each line as TapeAdded handed it over
    std::vector<TapeLine> shownTape;    // the whole tape as the view was told it, across Forget
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
    void TapeAdded(const TapeLine& line, bool oldestDropped) override {
        tape.emplace_back(line.text.c_str());
        events.push_back("tape " + tape.back());
        if (oldestDropped && !shownTape.empty()) shownTape.erase(shownTape.begin());
        shownTape.push_back(line);
    }
    void TapeCleared(const Tape& all) override {
        events.emplace_back("tape cleared");
        shownTape.clear();
        for (int i = 0; i < all.Count(); ++i) shownTape.push_back(all.At(i));
    }
    int TapeVisibleLines() override { return visibleLines; }

    // Starts a clean record; the view keeps its height and the tape it shows.
    void Forget() {
        RecordingView fresh;
        fresh.visibleLines = visibleLines;
        fresh.shownTape = std::move(shownTape);
        *this = std::move(fresh);
    }
};

class EngineFixture : public ::testing::Test {
protected:
    ModeTable modes;
    Options options;
    RecordingView view;
    Calculator calc{view, modes, options};

    // The start-up sequence in a mode, then a clean record.
    void StartIn(int mode) {
        calc.Start(mode);
        view.Forget();
    }

    // Types a key script (engine/key_script.h) with the buttons flashing as they do for typed
    // keys; a script that does not read is a failure.
    void PlayKeys(const char* script);
};
