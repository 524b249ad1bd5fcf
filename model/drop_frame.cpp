#include "model/drop_frame.h"

#include <cmath>

#include "model/mode_table.h"
#include "settings/options.h"

namespace {

// Character positions of an HMSF DigitString, counted from 0 at the left.
constexpr std::size_t kHourTens = 0;
constexpr std::size_t kMinuteTens = 2;
constexpr std::size_t kMinuteUnits = 3;
constexpr std::size_t kSecondTens = 4;
constexpr std::size_t kSecondUnits = 5;
constexpr std::size_t kFrameTens = 6;
constexpr std::size_t kFrameUnits = 7;

enum Field { FieldFrames = 0, FieldSeconds = 1, FieldMinutes = 2, FieldHours = 3 };

// SMPTE ST 12-1 drop-frame counting: the labels 00 and 01 do not exist at the start of every
// minute except each tenth (minute units 0).
bool IsNonexistentLabel(const DigitString& label) {
    return label[kMinuteUnits] != '0' && label[kSecondTens] == '0' && label[kSecondUnits] == '0' &&
           label[kFrameTens] == '0' && label[kFrameUnits] < '2';
}

// mm:00;00 and mm:00;01 become (mm-1):59;28 and (mm-1):59;29, the same count under the
// drop-frame place values (a minute is 1798 frames). A minute digit of ten (':') becomes '9'.
void MoveToPreviousMinute(DigitString& label) {
    label.set(kMinuteUnits, static_cast<char>(label[kMinuteUnits] - 1));
    label.set(kSecondTens, '5');
    label.set(kSecondUnits, '9');
    label.set(kFrameTens, '2');
    label.set(kFrameUnits, static_cast<char>(label[kFrameUnits] + 8));
}

int FieldValue(const DigitString& digits, std::size_t tens) {
    auto value = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return 0;
    };
    return value(digits[tens]) * 10 + value(digits[tens + 1]);
}

// The first out-of-range field of an HMSF entry, or -1. Frames are compared with the exact
// rate, so at 29.97 frame 29 passes and 30 fails.
int FirstBadHmsfField(const DigitString& d, const ModeRecord& row) {
    if (!(FieldValue(d, kFrameTens) < row.dFps)) return FieldFrames;
    if (FieldValue(d, kSecondTens) > 59) return FieldSeconds;
    if (FieldValue(d, kMinuteTens) > 59) return FieldMinutes;
    if (FieldValue(d, kHourTens) > 23) return FieldHours;
    return -1;
}

// Feet are not checked; frames must be below the whole frames per foot.
int FirstBadFeetField(const DigitString& d, const ModeRecord& row) {
    if (!(FieldValue(d, kFrameTens) < std::trunc(row.dFramesPerFoot))) return FieldFrames;
    return -1;
}

}  // namespace

bool CheckDropFrameLabel(DigitString& label, bool repair) {
    if (label.size() != kDigitCount || !IsNonexistentLabel(label)) return true;
    if (!repair) return false;
    MoveToPreviousMinute(label);
    return true;
}

bool IsDropFrameLabelValid(const char* text) {
    DigitString label = MakeDigitString(text);
    return CheckDropFrameLabel(label, false);
}

bool StrictEntryCheck(const char* text, int mode, bool report, MessageSink& sink) {
    if (g_options.bStrictCheck == 0) return true;
    const DigitString d = MakeDigitString(text);
    if (d.size() != kDigitCount) return true;
    const ModeRecord& row = ModeTable[(mode >= 0 && mode < kModeCount) ? mode : 0];
    int badField = -1;
    switch (row.iKind) {
        case KindHmsf:
        case KindHmsfDrop: badField = FirstBadHmsfField(d, row); break;
        case KindFeetFrames: badField = FirstBadFeetField(d, row); break;
        default: break;
    }
    if (badField < 0) return true;
    if (report) {
        TextBuffer message("Invalid ");
        message.append(FieldNames[badField]);
        message.append(" Entry");
        sink.ShowMessage(message.c_str(), "Strict Number Check");
    }
    return false;
}
