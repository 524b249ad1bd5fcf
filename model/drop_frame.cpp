#include "model/drop_frame.h"

#include "model/mode_table.h"

namespace {

// A frames field has two digits, so no whole rate of 100 or more labels a second.
constexpr int kWholeRateLimit = 100;

// The drop-frame rules, by the whole rate of their NTSC rate.
struct DropRule {
    int wholeRate;
    int droppedLabels;
};
constexpr DropRule kDropRules[] = {{30, 2}, {60, 4}};

int FramesOf(const DigitString& label) { return LabelField(label, kFrameTens); }

void SetFrames(DigitString& label, int frames) {
    label.set(kFrameTens, static_cast<char>('0' + frames / 10));
    label.set(kFrameUnits, static_cast<char>('0' + frames % 10));
}

}  // namespace

// The rate reads as n x 1000/1001 when it lies within half a hundredth of that quotient rounded
// to the hundredth, (n x 100000 + 500) / 1001 in whole hundredths (1001 is odd: no quotient ends
// in a half). No rounding call, since every drop-frame label asks: a rate from 0.5 up to 99.5
// plus a half, cut, is the rate rounded.
int NtscWholeRate(double fps) {
    if (!(fps >= 0.5 && fps < kWholeRateLimit - 0.5)) return 0;
    const int whole = static_cast<int>(fps + 0.5);
    const double hundredths = (whole * 100000 + 500) / 1001;
    const double written = fps * 100;
    return written >= hundredths - 0.5 && written < hundredths + 0.5 ? whole : 0;
}

int DroppedLabelsAtRate(double fps) {
    const int whole = NtscWholeRate(fps);
    for (const DropRule& rule : kDropRules)
        if (rule.wholeRate == whole) return rule.droppedLabels;
    return 0;
}

int DroppedLabelsPerMinute(const ModeTable& modes, int mode) {
    const ModeRecord& row = ModeRow(modes, mode);
    return row.iKind == KindHmsfDrop ? DroppedLabelsAtRate(row.dFps) : 0;
}

void DropFramePlaceValues(std::int32_t nominalRate, int droppedLabels, PlaceValues& weights) {
    const std::int32_t tenMinutes = 600 * nominalRate - 9 * droppedLabels;
    const std::int32_t hour = 6 * tenMinutes;
    const std::int32_t values[kDigitCount] = {1, 10, nominalRate, 10 * nominalRate, 60 * nominalRate - droppedLabels,
                                              tenMinutes, hour, 10 * hour};
    for (int i = 0; i < kDigitCount; ++i) weights[i] = values[i];
}

bool IsDroppedLabel(const ModeTable& modes, const DigitString& label, int mode) {
    return IsSkippedLabel(label, DroppedLabelsPerMinute(modes, mode));
}

bool IsSkippedLabel(const DigitString& label, int droppedLabels) {
    if (droppedLabels == 0 || label.size() != kDigitCount) return false;
    return label[kMinuteUnits] != '0' && label[kSecondTens] == '0' && label[kSecondUnits] == '0' &&
           FramesOf(label) < droppedLabels;
}

// A minute digit of ten (':'), as the last labels of a ten-minute block are counted before they
// are moved, becomes '9'.
void MoveToPreviousMinute(const ModeTable& modes, DigitString& label, int mode) {
    const int framesPerSecond = modes.placeValues[mode][2];
    label.set(kMinuteUnits, static_cast<char>(label[kMinuteUnits] - 1));
    label.set(kSecondTens, '5');
    label.set(kSecondUnits, '9');
    SetFrames(label, framesPerSecond - DroppedLabelsPerMinute(modes, mode) + FramesOf(label));
}

void MoveToLabelsThatExist(const ModeTable& modes, DigitString& label, int mode) {
    SetFrames(label, FramesOf(label) + DroppedLabelsPerMinute(modes, mode));
}
