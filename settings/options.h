#pragma once
// The options: read from the settings file at start-up, toggled by the menu commands and the
// Roman dialog, read by the engine and the dialogs, written back by Save Setup Now.
// Whoever runs a calculator owns one record (the window, one lumo run, the page) and hands it by
// reference. Each field is named after its settings key.

#include <cstdint>

// Auto DF Correct, stored as iAutoDfFix, so the values are fixed. Any other stored value counts
// as Off.
enum AutoDfCorrect : std::int32_t {
    AutoDfOff = 0,
    AutoDfMinusTwoFrames = 1,  // a skipped label moves back to the end of the previous minute
    AutoDfPlusTwoFrames = 2,   // a skipped label moves on to the first label of its minute
};
constexpr int kAutoDfChoiceCount = 3;

struct Options {
    std::int32_t bStrictCheck = 0;     // Strict Entry Check
    std::int32_t iAutoDfFix = AutoDfOff;  // Auto DF Correct
    std::int32_t bDFNDFFrameConv = 0;  // NDF<>DF As Frames
    std::int32_t bUpperCase = 1;       // the Roman dialog's Upper Case box
    std::int32_t bDispTape = 0;        // tape shown
    std::int32_t bDispMode = 0;        // mode line shown
    std::int32_t bOnTop = 0;           // window always on top
    std::int32_t iWindowX = -1;        // -1 on an axis centres the window on that axis
    std::int32_t iWindowY = -1;
};

// The stored Auto DF Correct value as a choice.
constexpr AutoDfCorrect AutoDfChoice(std::int32_t stored) {
    return stored > AutoDfOff && stored < kAutoDfChoiceCount ? static_cast<AutoDfCorrect>(stored) : AutoDfOff;
}
