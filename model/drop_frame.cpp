#include "model/drop_frame.h"

#include <cmath>

#include "model/chars.h"
#include "model/mode_table.h"

namespace {

// Character positions of an HMSF DigitString, counted from 0 at the left.
constexpr std::size_t kHourTens = 0;
constexpr std::size_t kMinuteTens = 2;
constexpr std::size_t kMinuteUnits = 3;
constexpr std::size_t kSecondTens = 4;
constexpr std::size_t kSecondUnits = 5;
constexpr std::size_t kFrameTens = 6;
constexpr std::size_t kFrameUnits = 7;

int FieldValue(const DigitString& digits, std::size_t tens) {
    return HexDigitValue(digits[tens]) * 10 + HexDigitValue(digits[tens + 1]);
}

// Frames are compared with the exact rate, so at 29.97 frame 29 passes and 30 fails.
EntryField FirstBadHmsfField(const DigitString& d, const ModeRecord& row) {
    if (!(FieldValue(d, kFrameTens) < row.dFps)) return EntryField::Frames;
    if (FieldValue(d, kSecondTens) > 59) return EntryField::Seconds;
    if (FieldValue(d, kMinuteTens) > 59) return EntryField::Minutes;
    if (FieldValue(d, kHourTens) > 23) return EntryField::Hours;
    return EntryField::None;
}

// Feet are not checked; frames must be below the whole frames per foot.
EntryField FirstBadFeetField(const DigitString& d, const ModeRecord& row) {
    if (!(FieldValue(d, kFrameTens) < std::trunc(row.dFramesPerFoot))) return EntryField::Frames;
    return EntryField::None;
}

}  // namespace

bool DropFrameLabelExists(const DigitString& label) {
    if (label.size() != kDigitCount) return true;
    return !(label[kMinuteUnits] != '0' && label[kSecondTens] == '0' && label[kSecondUnits] == '0' &&
             label[kFrameTens] == '0' && label[kFrameUnits] < '2');
}

// A minute digit of ten (':'), as the last two frames of a ten-minute block write it,
// becomes '9'.
void MoveToPreviousMinute(DigitString& label) {
    label.set(kMinuteUnits, static_cast<char>(label[kMinuteUnits] - 1));
    label.set(kSecondTens, '5');
    label.set(kSecondUnits, '9');
    label.set(kFrameTens, '2');
    label.set(kFrameUnits, static_cast<char>(label[kFrameUnits] + 8));
}

bool IsDropFrameLabelValid(const char* text) { return DropFrameLabelExists(MakeDigitString(text)); }

EntryField FirstBadEntryField(const char* text, int mode) {
    const DigitString d = MakeDigitString(text);
    if (d.size() != kDigitCount) return EntryField::None;
    const ModeRecord& row = ModeRow(mode);
    switch (row.iKind) {
        case KindHmsf:
        case KindHmsfDrop: return FirstBadHmsfField(d, row);
        case KindFeetFrames: return FirstBadFeetField(d, row);
        default: return EntryField::None;
    }
}
