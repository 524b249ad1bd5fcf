#pragma once
// Text on its way to a sink: gathered in one buffer and handed over in one piece when the
// reader should have it, so a batch costs one write per input chunk, not one per line.

#include <cstddef>
#include <string>
#include <string_view>

#include "cli/lumo.h"
#include "cli/quoted_text.h"

class TextOutput {
public:
    // A flush is due from this much text on, so the buffer stays small whatever the input.
    static constexpr std::size_t kFlushSize = 64 * 1024;

    explicit TextOutput(ByteSink& sink) : sink_(sink) { pending_.reserve(2 * kFlushSize); }
    ~TextOutput() { Flush(); }
    TextOutput(const TextOutput&) = delete;
    TextOutput& operator=(const TextOutput&) = delete;

    void Append(std::string_view text) { pending_.append(text); }
    void AppendLine(std::string_view text) {
        pending_.append(text);
        pending_ += '\n';
    }
    bool FlushDue() const { return pending_.size() >= kFlushSize; }
    void Flush() {
        if (pending_.empty()) return;
        sink_.Write(pending_.data(), pending_.size());
        pending_.clear();
    }

private:
    ByteSink& sink_;
    std::string pending_;
};

// "lumo: " and the text as one line of the error stream. What was printed before it is handed
// over first, so that on a terminal the message follows the lines it concerns. Every quoted
// text is escaped already; the text is escaped once more as a whole, so that no report can
// ever split over lines.
inline void ReportError(TextOutput& output, ByteSink& errors, std::string_view text) {
    output.Flush();
    std::string line = "lumo: ";
    line.append(Escaped(text));
    line += '\n';
    errors.Write(line.data(), line.size());
}
