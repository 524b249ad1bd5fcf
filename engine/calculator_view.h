#pragma once
// Everything the engine shows goes out through this interface; the shell implements it on the
// main window's controls, the tests with a recorder.

#include "model/drop_frame.h"

class CalculatorView : public MessageSink {
public:
    virtual void SetDisplayText(const char* text) = 0;
    virtual void SetMemoryIndicatorText(const char* text) = 0;
    // Pressed look and focus for 31 ms, then the normal look again.
    virtual void FlashButton(int buttonId) = 0;
    virtual void Beep() = 0;
    // ShowMessage(text, caption) comes from MessageSink; a null caption means none.
    virtual void ModeChanged(int mode) = 0;
    virtual void TapeAdded(int lineIndex) = 0;
    // Whole lines the tape view shows; 0 or less when it has no height.
    virtual int TapeVisibleLines() = 0;

protected:
    ~CalculatorView() = default;
};
