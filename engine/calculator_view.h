#pragma once
// Everything the engine shows goes out through this interface; the shell implements it on the
// main window's controls, lumo and the tests with recorders. A view is told what to show and
// never reads the calculator back.

struct TapeLine;
class Tape;

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
    // A line was written at the end of the tape; when the tape was full, its oldest line went
    // first.
    virtual void TapeAdded(const TapeLine& line, bool oldestDropped) = 0;
    // The tape was emptied and refilled with blank lines: show it again from its first line.
    virtual void TapeCleared(const Tape& tape) = 0;
    // Whole lines the tape view shows; 0 or less when it has no height.
    virtual int TapeVisibleLines() = 0;

protected:
    ~CalculatorView() = default;
};
