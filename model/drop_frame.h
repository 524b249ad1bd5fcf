#pragma once
// Drop-frame labels and the strict entry check.

#include "model/digit_string.h"

// Where the model reports a refused entry: the engine hands in its view.
class MessageSink {
public:
    // caption may be null: the platform's default caption shows.
    virtual void ShowMessage(const char* text, const char* caption) = 0;

protected:
    ~MessageSink() = default;
};

// Field names of the strict check's message, by field number.
constexpr const char* FieldNames[4] = {"Frames", "Seconds", "Minutes", "Hours"};

// True when the label exists, or has been rewritten (repair on) to the label two frames
// earlier, which names the same count under the drop-frame place values.
bool CheckDropFrameLabel(DigitString& label, bool repair);

// True when the text's digits form an existing drop-frame label.
bool IsDropFrameLabelValid(const char* text);

// With the strict check on, refuses an entry whose frames, seconds, minutes or hours field is
// out of range for the mode, reporting the first bad field through the sink when report is
// true. With the strict check off every entry passes.
bool StrictEntryCheck(const char* text, int mode, bool report, MessageSink& sink);
