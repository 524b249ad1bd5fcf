// Keys per second through the engine's whole path: dispatch, entry, strict and drop-frame
// checks, arithmetic, formatting and the tape, in the 30 DF mode.

#include <benchmark/benchmark.h>

#include "engine/calculator.h"
#include "model/mode_table.h"
#include "settings/options.h"

namespace {

// Takes everything and shows nothing, as fast as a view can be.
class NullView final : public CalculatorView {
public:
    void ShowMessage(const char*, const char*) override {}
    void SetDisplayText(const char* text) override { benchmark::DoNotOptimize(text); }
    void SetMemoryIndicatorText(const char*) override {}
    void FlashButton(int buttonId) override { benchmark::DoNotOptimize(buttonId); }
    void Beep() override {}
    void ModeChanged(int) override {}
    void TapeAdded(const TapeLine& line, bool) override { benchmark::DoNotOptimize(line); }
    void TapeCleared(const Tape&) override {}
    int TapeVisibleLines() override { return 20; }
};

constexpr char kCalculation[] = "10000+20000=";

void RunCalculation(benchmark::State& state, bool strict, int autoDfFix) {
    const ModeTable modes;
    Options options;
    options.bStrictCheck = strict ? 1 : 0;
    options.iAutoDfFix = autoDfFix;
    NullView view;
    Calculator calculator(view, modes, options);
    calculator.Start(ModeDf);

    std::int64_t keys = 0;
    for (auto _ : state) {
        for (const char* p = kCalculation; *p != '\0'; ++p) calculator.KeyChar(*p, true);
        keys += sizeof kCalculation - 1;
    }
    benchmark::DoNotOptimize(calculator.State().iAccumulator);
    state.counters["keys_per_second"] =
        benchmark::Counter(static_cast<double>(keys), benchmark::Counter::kIsRate);
}

// Both options off: "10000" is taken as typed.
void BM_DropFrameSum(benchmark::State& state) { RunCalculation(state, false, 0); }
// The auto-correct rewrites each entry before it is used.
void BM_DropFrameSumAutoCorrect(benchmark::State& state) { RunCalculation(state, false, 1); }

BENCHMARK(BM_DropFrameSum);
BENCHMARK(BM_DropFrameSumAutoCorrect);

}  // namespace

BENCHMARK_MAIN();
