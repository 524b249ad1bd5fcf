#include "model/convert.h"

#include <cmath>

#include "model/mode_table.h"

namespace {

constexpr double kInt32Min = -2147483648.0;
constexpr double kInt32Max = 2147483647.0;

// Only a user mode with an extreme conversion rate gets here. The value is brought into the
// target mode's range exactly as the next operation's wrap would bring it.
std::int32_t WrapOutOfRange(const ModeTable& modes, double whole, int toMode) {
    if (!std::isfinite(whole)) return 0;
    const double modulus = WrapModulus(modes, toMode);
    double rest = std::fmod(whole, modulus);
    if (rest < 0) rest += modulus;
    return static_cast<std::int32_t>(rest);
}

}  // namespace

double RoundWhole(double x) { return std::round(x); }

std::int32_t ConvertFrames(const ModeTable& modes, std::int32_t count, int fromMode, int toMode,
                           bool framesAcrossDropFrame) {
    if (fromMode == toMode || count == 0) return count;
    if (!IsValidMode(fromMode) || !IsValidMode(toMode)) return count;
    if (IsCountKind(ModeKindOf(modes, fromMode)) || IsCountKind(ModeKindOf(modes, toMode))) return count;
    const double fromFps = modes.rows[fromMode].dFps;
    const double toFps = modes.rows[toMode].dFps;
    if (fromFps == 0 || !std::isfinite(fromFps) || !std::isfinite(toFps)) return count;
    if (framesAcrossDropFrame && RoundWhole(toFps) == RoundWhole(fromFps)) return count;
    double x = toFps * count;
    x = x / fromFps;
    const double whole = RoundWhole(x);
    if (whole >= kInt32Min && whole <= kInt32Max) return static_cast<std::int32_t>(whole);
    return WrapOutOfRange(modes, whole, toMode);
}
