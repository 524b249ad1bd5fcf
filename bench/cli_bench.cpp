// Lines per second through lumo convert: reading the lines, the engine's paste, checks and mode
// switch, formatting and gathering the output, on one core. The input is a million random
// timecodes held in memory, so the figure leaves out only the operating system's reads and
// writes (a timed run of the real program on a file adds those).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "cli/lumo.h"

namespace {

constexpr int kLines = 1000000;

// "hh:mm:ss:ff" at up to 30 frames a second, one per line; the same every run.
const std::string& Timecodes() {
    static const std::string text = [] {
        std::mt19937 random(20240613);
        std::string lines;
        lines.reserve(kLines * 12);
        char line[16];
        for (int i = 0; i < kLines; ++i) {
            const unsigned n = static_cast<unsigned>(random());
            std::snprintf(line, sizeof line, "%02u:%02u:%02u:%02u\n", n % 24, n / 24 % 60, n / 1440 % 60,
                          n / 86400 % 30);
            lines += line;
        }
        return lines;
    }();
    return text;
}

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(const std::string& text) : text_(text) {}
    std::size_t Read(char* buffer, std::size_t capacity) override {
        const std::size_t count = std::min(capacity, text_.size() - offset_);
        std::memcpy(buffer, text_.data() + offset_, count);
        offset_ += count;
        return count;
    }

private:
    const std::string& text_;
    std::size_t offset_ = 0;
};

class CountingSink final : public ByteSink {
public:
    std::size_t bytes = 0;
    void Write(const char* data, std::size_t count) override {
        benchmark::DoNotOptimize(data);
        bytes += count;
    }
};

void ConvertMillionLines(benchmark::State& state, std::vector<const char*> args) {
    const std::string& input = Timecodes();
    for (auto _ : state) {
        MemorySource source(input);
        CountingSink out;
        CountingSink err;
        const ExitStatus status = RunLumo(args, LumoStreams{source, out, err}, nullptr);
        if (status != ExitOk || err.bytes != 0) state.SkipWithError("lumo reported a line");
        benchmark::DoNotOptimize(out.bytes);
    }
    state.counters["lines_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kLines, benchmark::Counter::kIsRate);
}

// The default: each line read exactly, the result checked against the wrap, the plain label.
void BM_NdfToDf(benchmark::State& state) { ConvertMillionLines(state, {"convert", "--from", "NDF", "--to", "DF"}); }
void BM_NdfToDfClipboard(benchmark::State& state) {
    ConvertMillionLines(state, {"convert", "--from", "NDF", "--to", "DF", "--format", "clipboard"});
}
// The window's paste and clipboard text, unchecked.
void BM_NdfToDfLenient(benchmark::State& state) {
    ConvertMillionLines(state, {"convert", "--from", "NDF", "--to", "DF", "--lenient"});
}
void BM_NdfToDfDisplay(benchmark::State& state) {
    ConvertMillionLines(state, {"convert", "--from", "NDF", "--to", "DF", "--format", "display"});
}
void BM_NdfToPalStrict(benchmark::State& state) {
    ConvertMillionLines(state, {"convert", "--from", "NDF", "--to", "Pal", "--strict"});
}

BENCHMARK(BM_NdfToDf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NdfToDfClipboard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NdfToDfLenient)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NdfToDfDisplay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NdfToPalStrict)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
