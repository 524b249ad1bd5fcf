#pragma once
// Runs lumo inside the test's process on text in memory.

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "cli/lumo.h"

// Hands out the text in pieces of at most `piece` bytes, calling `beforeRead` first each time.
class TextSource final : public ByteSource {
public:
    explicit TextSource(std::string text, std::size_t piece = 1 << 20) : text_(std::move(text)), piece_(piece) {}
    std::function<void()> beforeRead;

    std::size_t Read(char* buffer, std::size_t capacity) override {
        if (beforeRead) beforeRead();
        const std::size_t count = std::min({capacity, piece_, text_.size() - offset_});
        std::memcpy(buffer, text_.data() + offset_, count);
        offset_ += count;
        return count;
    }

private:
    std::string text_;
    std::size_t piece_;
    std::size_t offset_ = 0;
};

class TextSink final : public ByteSink {
public:
    std::string text;
    void Write(const char* bytes, std::size_t count) override { text.append(bytes, count); }
};

struct LumoRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline LumoRun RunLumoOn(const std::vector<std::string>& args, TextSource& input,
                         const char* defaultSettings = nullptr) {
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    TextSink out;
    TextSink err;
    const LumoStreams streams{input, out, err};
    LumoRun run;
    run.status = RunLumo(argv, streams, defaultSettings);
    run.out = out.text;
    run.err = err.text;
    return run;
}

inline LumoRun RunLumoOn(const std::vector<std::string>& args, const std::string& input = "",
                         const char* defaultSettings = nullptr) {
    TextSource source(input);
    return RunLumoOn(args, source, defaultSettings);
}

// The text's lines, without their line ends.
inline std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}
