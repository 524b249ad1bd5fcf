#include "model/entry_check.h"

#include "model/digit_string.h"
#include "model/mode_table.h"

namespace {

// Character positions of the fields' tens in an HMSF DigitString, counted from 0 at the left.
constexpr std::size_t kHourTens = 0;
constexpr std::size_t kMinuteTens = 2;
constexpr std::size_t kSecondTens = 4;
constexpr std::size_t kFrameTens = 6;

int FieldValue(const DigitString& digits, std::size_t tens) {
    return (digits[tens] - '0') * 10 + (digits[tens + 1] - '0');
}

// A feet count has no day, so its label is read as it stands; a time label is read within the
// day, so that 24:00:00:00 is not taken for 00:00:00:00.
bool IsWrittenLabel(const DigitString& label, int mode) {
    const std::int64_t raw = WeightedValue(label.c_str(), mode);
    const bool feet = ModeKindOf(mode) == KindFeetFrames;
    const std::int32_t count = feet && raw <= INT32_MAX ? static_cast<std::int32_t>(raw) : WrapFrames(raw, mode);
    return FramesToDigitString(count, mode) == label;
}

EntryField FieldOutOfRange(const DigitString& label, int mode) {
    if (FieldValue(label, kFrameTens) >= PlaceValueTable[mode][2]) return EntryField::Frames;
    if (ModeKindOf(mode) == KindFeetFrames) return EntryField::Frames;
    if (FieldValue(label, kSecondTens) > 59) return EntryField::Seconds;
    if (FieldValue(label, kMinuteTens) > 59) return EntryField::Minutes;
    if (FieldValue(label, kHourTens) > 23) return EntryField::Hours;
    return EntryField::Frames;
}

}  // namespace

EntryField FirstBadEntryField(const char* text, int mode) {
    if (!IsValidMode(mode) || !IsWeightedKind(ModeKindOf(mode)) || mode >= kWeightedModeCount) return EntryField::None;
    const DigitString label = MakeDigitString(text);
    if (label.size() != kDigitCount || IsWrittenLabel(label, mode)) return EntryField::None;
    return FieldOutOfRange(label, mode);
}
