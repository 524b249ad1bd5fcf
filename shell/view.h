#pragma once
// The engine's view on the main window's controls.

#include <windows.h>

#include "engine/calculator_view.h"

class MainWindowView final : public CalculatorView {
public:
    explicit MainWindowView(HWND& mainWindow) : mainWindow_(mainWindow) {}

    void SetDisplayText(const char* text) override;
    void SetMemoryIndicatorText(const char* text) override;
    void FlashButton(int buttonId) override;
    void Beep() override;
    void ShowMessage(const char* text, const char* caption) override;
    void ModeChanged(int mode) override;
    void TapeAdded(const TapeLine& line, bool oldestDropped) override;
    void TapeCleared(const Tape& tape) override;
    int TapeVisibleLines() override;

private:
    HWND& mainWindow_;  // the window the application belongs to, once it exists
};
