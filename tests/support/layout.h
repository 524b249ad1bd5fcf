#pragma once
// The main window's layout at 96 DPI, in pixels of its client area, as the user sees it.

namespace layout {

constexpr int kClientWidth = 143;
constexpr int kClientHeight = 141;
constexpr int kTapeHeight = 87;      // added above the display box when the tape shows
constexpr int kModeLineHeight = 28;  // added below the keypad when the mode line shows
constexpr int kTapeTop = 4;
constexpr int kKeypadTop = 36;       // the keypad block, below the display box
constexpr int kKeyWidth = 34;
constexpr int kKeyHeight = 20;
constexpr int kFrameWidth = 100;     // the white display box, centred
constexpr int kFrameLeft = (kClientWidth - kFrameWidth) / 2;
constexpr int kFrameTop = 6;
constexpr int kDisplayLeft = kFrameLeft + 18;
constexpr int kMemoryLeft = kFrameLeft + 2;
constexpr int kDisplayTop = 8;
constexpr int kModeDisplayWidth = 137;
constexpr int kModeDisplayLeft = (kClientWidth - kModeDisplayWidth) / 2;
constexpr int kModeDisplayFromBottom = 20;

}  // namespace layout
