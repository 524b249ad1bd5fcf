#pragma once
// Carrying a frame count from one mode's rate to another's.

#include <cstdint>

struct ModeTable;

// Nearest whole number, halves away from zero.
double RoundWhole(double x);

// The count at the target mode's rate covering the same time; not wrapped. A result that does
// not fit 32 bits is wrapped into the target mode's modulus, as the next operation would.
// With framesAcrossDropFrame (the option "NDF<>DF As Frames"), two rates that round to the
// same whole number keep the count.
std::int32_t ConvertFrames(const ModeTable& modes, std::int32_t count, int fromMode, int toMode,
                           bool framesAcrossDropFrame);
