// Per-operation cost of the value code that every keystroke goes through.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "format/formatter.h"
#include "model/convert.h"
#include "model/digit_string.h"
#include "model/mode_table.h"
#include "model/user_mode.h"

#ifdef LUMO_HAVE_LIBAVUTIL
extern "C" {
#include <libavutil/timecode.h>
}
#endif

namespace {

// A stride through the day that visits every kind of label, drop-frame minute edges included.
constexpr std::int32_t kStride = 7919;

std::int32_t NextCount(std::int32_t count, std::int32_t modulus) {
    count += kStride;
    return count >= modulus ? count - modulus : count;
}

// Count to label: the clipboard text of a count, as Copy and the command line write it.
void FormatCountsOfTheDay(benchmark::State& state, const ModeTable& modes, int mode) {
    const std::int32_t modulus = WrapModulus(modes, mode);
    std::int32_t count = 0;
    for (auto _ : state) {
        TextBuffer text = FormatCount(modes, count, mode, modes.rows[mode].iClipFlags);
        benchmark::DoNotOptimize(text);
        count = NextCount(count, modulus);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_FormatCountDropFrame(benchmark::State& state) {
    ModeTable modes;
    FormatCountsOfTheDay(state, modes, ModeDf);
}
BENCHMARK(BM_FormatCountDropFrame);

void BM_FormatCountDropFrame5994(benchmark::State& state) {
    ModeTable modes;
    ParseUserMode(modes, ModeUser1, "59.94 DF,5994DF, DF,59.94,1,HMSD,0");
    FormatCountsOfTheDay(state, modes, ModeUser1);
}
BENCHMARK(BM_FormatCountDropFrame5994);

void BM_TextToFrames(benchmark::State& state) {
    const ModeTable modes;
    const char* texts[] = {"00:59:59;28", "1:00:00:00", "23595929", "12:34:56;12"};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TextToFrames(modes, texts[i], ModeDf));
        i = (i + 1) & 3;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TextToFrames);

void BM_ConvertFrames(benchmark::State& state) {
    const ModeTable modes;
    const std::int32_t modulus = WrapModulus(modes, ModeNdf);
    std::int32_t count = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ConvertFrames(modes, count, ModeNdf, ModeDf, false));
        count = NextCount(count, modulus);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConvertFrames);

#ifdef LUMO_HAVE_LIBAVUTIL
// FFmpeg's drop-frame timecode writer over the same counts of the same day.
void LibavutilDropFrameStrings(benchmark::State& state, AVRational rate, std::int32_t modulus) {
    AVTimecode tc;
    av_timecode_init(&tc, rate, AV_TIMECODE_FLAG_DROPFRAME, 0, nullptr);
    std::int32_t count = 0;
    char text[AV_TIMECODE_STR_SIZE];
    for (auto _ : state) {
        benchmark::DoNotOptimize(av_timecode_make_string(&tc, text, count));
        count = NextCount(count, modulus);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_LibavutilDropFrameString(benchmark::State& state) {
    ModeTable modes;
    LibavutilDropFrameStrings(state, AVRational{30000, 1001}, WrapModulus(modes, ModeDf));
}
BENCHMARK(BM_LibavutilDropFrameString);

void BM_LibavutilDropFrameString5994(benchmark::State& state) {
    ModeTable modes;
    ParseUserMode(modes, ModeUser1, "59.94 DF,5994DF, DF,59.94,1,HMSD,0");
    LibavutilDropFrameStrings(state, AVRational{60000, 1001}, WrapModulus(modes, ModeUser1));
}
BENCHMARK(BM_LibavutilDropFrameString5994);
#endif

}  // namespace

BENCHMARK_MAIN();
