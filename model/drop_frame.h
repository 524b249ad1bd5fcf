#pragma once
// Drop-frame labels and the range check of an entry's fields.

#include "model/digit_string.h"

// The field of an HMSF or feet entry that is out of range for its mode.
enum class EntryField { None = -1, Frames, Seconds, Minutes, Hours };

// False for a drop-frame label that SMPTE ST 12-1 counting skips: frames 00 and 01 at the
// start of every minute except each tenth.
bool DropFrameLabelExists(const DigitString& label);

// Rewrites a skipped label to the label two frames earlier, (mm-1):59;28 or ;29, which names
// the same count under the drop-frame place values.
void MoveToPreviousMinute(DigitString& label);

// True when the text's digits form an existing drop-frame label.
bool IsDropFrameLabelValid(const char* text);

// The first field of the entry, in the order frames, seconds, minutes, hours, that the mode
// cannot hold; None when every field is in range, and always for the plain counts.
EntryField FirstBadEntryField(const char* text, int mode);
