#pragma once
// What lumo keeps of what the engine shows: the display, the messages, and the tape lines when
// they are to be printed. Beeps, flashes and the memory indicator belong to the window and are
// dropped.

#include <string>
#include <vector>

#include "engine/calculator_view.h"
#include "engine/tape.h"
#include "model/fixed_text.h"

class LumoView final : public CalculatorView {
public:
    bool keepTape = false;
    TextBuffer display{"0"};
    std::vector<std::string> tape;
    std::vector<std::string> messages;  // the texts; the captions belong to the boxes

    void SetDisplayText(const char* text) override { display.assign(text); }
    void SetMemoryIndicatorText(const char*) override {}
    void FlashButton(int) override {}
    void Beep() override {}
    void ShowMessage(const char* text, const char*) override { messages.emplace_back(text); }
    void ModeChanged(int) override {}
    void TapeAdded(const TapeLine& line, bool) override {
        if (keepTape) tape.emplace_back(line.text.c_str());
    }
    void TapeCleared(const Tape&) override {}
    // No blank lines at start-up: nothing shows the tape but the printed lines.
    int TapeVisibleLines() override { return 0; }
};
