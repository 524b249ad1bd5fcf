#pragma once
// Everything the engine shows goes out through this interface; the shell implements it on the
// main window's controls, the tests with a recorder.

class CalculatorView {
public:
    virtual void SetDisplayText(const char* text) = 0;
    virtual void SetMemoryIndicatorText(const char* text) = 0;
    // Pressed look and focus for 31 ms, then the normal look again.
    virtual void FlashButton(int buttonId) = 0;
    virtual void Beep() = 0;
    // A modal box with one OK button; a null caption shows the platform's default caption.
    virtual void ShowMessage(const char* text, const char* caption) = 0;
    virtual void ModeChanged(int mode) = 0;
    virtual void TapeAdded(int lineIndex) = 0;
    // The tape was emptied and refilled with blank lines: show it again from its first line.
    virtual void TapeCleared() = 0;
    // Whole lines the tape view shows; 0 or less when it has no height.
    virtual int TapeVisibleLines() = 0;

protected:
    ~CalculatorView() = default;
};

// The view that receives everything the engine shows; null restores a view that shows nothing.
void SetCalculatorView(CalculatorView* view);

// The view set last, or the silent one.
CalculatorView& EngineView();
