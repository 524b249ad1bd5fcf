#pragma once
// What lumo keeps of what the engine shows: the messages, and the tape lines when they are to
// be printed. The display is read from the engine's state when it is needed; beeps, flashes and
// the memory indicator belong to the window and are dropped.

#include <string>
#include <vector>

#include "engine/calculator_view.h"
#include "engine/tape.h"

class LumoView final : public CalculatorView {
public:
    bool keepTape = false;
    std::vector<std::string> tape;
    std::vector<std::string> messages;  // the texts; the captions belong to the boxes

    void SetDisplayText(const char*) override {}
    void SetMemoryIndicatorText(const char*) override {}
    void FlashButton(int) override {}
    void Beep() override {}
    void ShowMessage(const char* text, const char*) override { messages.emplace_back(text); }
    void ModeChanged(int) override {}
    void TapeAdded(int lineIndex) override {
        if (keepTape) tape.emplace_back(TapeLineAt(lineIndex).text.c_str());
    }
    void TapeCleared() override {}
    // No blank lines at start-up: nothing shows the tape but the printed lines.
    int TapeVisibleLines() override { return 0; }
};
