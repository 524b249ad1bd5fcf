// Per-operation cost of the value code that every keystroke goes through.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "format/formatter.h"
#include "model/convert.h"
#include "model/digit_string.h"
#include "model/mode_table.h"

#ifdef LUMO_HAVE_LIBAVUTIL
extern "C" {
#include <libavutil/timecode.h>
}
#endif

namespace {

constexpr int kNdf = 0;
constexpr int kDf = 1;
// A stride through the day that visits every kind of label, drop-frame minute edges included.
constexpr std::int32_t kStride = 7919;

std::int32_t NextCount(std::int32_t count, std::int32_t modulus) {
    count += kStride;
    return count >= modulus ? count - modulus : count;
}

void BM_FormatCountDropFrame(benchmark::State& state) {
    const std::int32_t modulus = WrapModulus(kDf);
    std::int32_t count = 0;
    for (auto _ : state) {
        TextBuffer text = FormatCount(count, kDf, ModeTable[kDf].iClipFlags);
        benchmark::DoNotOptimize(text);
        count = NextCount(count, modulus);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatCountDropFrame);

void BM_TextToFrames(benchmark::State& state) {
    const char* texts[] = {"00:59:59;28", "1:00:00:00", "23595929", "12:34:56;12"};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TextToFrames(texts[i], kDf));
        i = (i + 1) & 3;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TextToFrames);

void BM_ConvertFrames(benchmark::State& state) {
    const std::int32_t modulus = WrapModulus(kNdf);
    std::int32_t count = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ConvertFrames(count, kNdf, kDf, false));
        count = NextCount(count, modulus);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConvertFrames);

#ifdef LUMO_HAVE_LIBAVUTIL
void BM_LibavutilDropFrameString(benchmark::State& state) {
    AVTimecode tc;
    av_timecode_init(&tc, AVRational{30000, 1001}, AV_TIMECODE_FLAG_DROPFRAME, 0, nullptr);
    const std::int32_t modulus = WrapModulus(kDf);
    std::int32_t count = 0;
    char text[AV_TIMECODE_STR_SIZE];
    for (auto _ : state) {
        benchmark::DoNotOptimize(av_timecode_make_string(&tc, text, count));
        count = NextCount(count, modulus);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LibavutilDropFrameString);
#endif

}  // namespace

BENCHMARK_MAIN();
