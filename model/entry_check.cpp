#include "model/entry_check.h"

#include "model/digit_string.h"
#include "model/mode_table.h"

namespace {

// A feet count has no day, so its label is read as it stands; a time label is read within the
// day, so that 24:00:00:00 is not taken for 00:00:00:00.
bool IsWrittenLabel(const ModeTable& modes, const DigitString& label, int mode) {
    const std::int64_t raw = WeightedValue(modes, label.c_str(), mode);
    const bool feet = ModeKindOf(modes, mode) == KindFeetFrames;
    const std::int32_t count = feet && raw <= INT32_MAX ? static_cast<std::int32_t>(raw) : WrapFrames(modes, raw, mode);
    return FramesToDigitString(modes, count, mode) == label;
}

EntryField FieldOutOfRange(const ModeTable& modes, const DigitString& label, int mode) {
    if (LabelField(label, kFrameTens) >= modes.placeValues[mode][2]) return EntryField::Frames;
    if (ModeKindOf(modes, mode) == KindFeetFrames) return EntryField::Frames;
    if (LabelField(label, kSecondTens) > 59) return EntryField::Seconds;
    if (LabelField(label, kMinuteTens) > 59) return EntryField::Minutes;
    if (LabelField(label, kHourTens) > 23) return EntryField::Hours;
    return EntryField::Frames;
}

}  // namespace

EntryField FirstBadEntryField(const ModeTable& modes, const char* text, int mode) {
    if (!HasPlaceValues(modes, mode)) return EntryField::None;
    const DigitString label = MakeDigitString(text);
    if (label.size() != kDigitCount || IsWrittenLabel(modes, label, mode)) return EntryField::None;
    return FieldOutOfRange(modes, label, mode);
}
