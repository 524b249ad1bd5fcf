#include "cli/convert.h"

#include <cstring>
#include <string>
#include <vector>

#include "engine/calculator.h"
#include "format/formatter.h"
#include "model/format_flags.h"
#include "model/mode_table.h"

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

enum class ValueResult { Converted, NotAValue, Refused };

// The engine's own path, as a user of the window would take it: start afresh in the source
// mode, paste the value, press "=" so that it meets the checks of an operand (the strict check,
// the drop-frame auto-correct), switch to the target mode.
ValueResult ConvertValue(const char* value, const ConvertJob& job, const ConvertEngine& engine) {
    engine.view.messages.clear();
    engine.calculator.Start(job.from);
    if (!engine.calculator.PasteText(value)) return ValueResult::NotAValue;
    engine.calculator.KeyChar('=', false);
    if (!engine.view.messages.empty()) return ValueResult::Refused;
    engine.calculator.SwitchMode(job.to);
    return ValueResult::Converted;
}

// The display in the requested text; the clipboard text is what Copy makes of the display.
void AppendResult(const ConvertJob& job, TextOutput& output, const ConvertEngine& engine) {
    const char* display = engine.view.display.c_str();
    switch (job.format) {
        case ValueFormat::Display: output.AppendLine(display); return;
        case ValueFormat::Clipboard:
            output.AppendLine(FormatDigits(engine.modes, display, job.to, engine.modes.rows[job.to].iClipFlags).c_str());
            return;
        case ValueFormat::Digits:
            output.AppendLine(FormatDigits(engine.modes, display, job.to, BareDigitFlags).c_str());
            return;
    }
}

std::string BadValueText(const char* where, long number, const std::string& problem, const char* value) {
    return std::string(where) + " " + std::to_string(number) + ": " + problem + ": \"" + value + "\"";
}

// One value to one output line; false when the value was reported instead.
bool ConvertToLine(const char* value, const char* where, long number, const ConvertJob& job,
                   TextOutput& output, ByteSink& errors, const ConvertEngine& engine) {
    switch (ConvertValue(value, job, engine)) {
        case ValueResult::Converted: AppendResult(job, output, engine); return true;
        case ValueResult::NotAValue: {
            const std::string problem = std::string("not a value in ") + engine.modes.rows[job.from].szShortName.c_str();
            ReportError(output, errors, BadValueText(where, number, problem, value));
            break;
        }
        case ValueResult::Refused:
            ReportError(output, errors, BadValueText(where, number, engine.view.messages.front(), value));
            break;
    }
    output.AppendLine("");
    return false;
}

// Input read in chunks; the unread part of the current chunk is [begin, end).
struct LineBuffer {
    std::vector<char> bytes = std::vector<char>(kReadChunk + 1);  // one more for a closing NUL
    std::size_t begin = 0;
    std::size_t end = 0;
};

// Cuts the line [start, stop) off as a C string, without the CR of a CRLF line end.
const char* TerminateLine(char* start, char* stop) {
    if (stop > start && stop[-1] == '\r') --stop;
    *stop = '\0';
    return start;
}

}  // namespace

ExitStatus ConvertValues(const ConvertJob& job, std::span<const char* const> values, TextOutput& output,
                         ByteSink& errors, const ConvertEngine& engine) {
    ExitStatus status = ExitOk;
    long number = 0;
    for (const char* value : values)
        if (!ConvertToLine(value, "value", ++number, job, output, errors, engine)) status = ExitFailed;
    return status;
}

ExitStatus ConvertLines(const ConvertJob& job, ByteSource& input, TextOutput& output, ByteSink& errors,
                        const ConvertEngine& engine) {
    ExitStatus status = ExitOk;
    long number = 0;
    LineBuffer buffer;
    bool skipping = false;  // inside the rest of a line too long to keep
    auto convertLine = [&](char* start, char* stop) {
        if (!ConvertToLine(TerminateLine(start, stop), "line", ++number, job, output, errors, engine))
            status = ExitFailed;
    };

    for (;;) {
        char* const bytes = buffer.bytes.data();
        while (void* found = std::memchr(bytes + buffer.begin, '\n', buffer.end - buffer.begin)) {
            char* const newline = static_cast<char*>(found);
            if (skipping) skipping = false;
            else convertLine(bytes + buffer.begin, newline);
            buffer.begin = static_cast<std::size_t>(newline - bytes) + 1;
            if (output.FlushDue()) output.Flush();
        }
        // The unfinished line moves to the front, where the next chunk continues it.
        std::memmove(bytes, bytes + buffer.begin, buffer.end - buffer.begin);
        buffer.end -= buffer.begin;
        buffer.begin = 0;
        if (buffer.end == kReadChunk) {
            if (!skipping) convertLine(bytes, bytes + buffer.end);
            skipping = true;
            buffer.end = 0;
        }
        output.Flush();
        const std::size_t read = input.Read(bytes + buffer.end, kReadChunk - buffer.end);
        if (read == 0) break;
        buffer.end += read;
    }
    if (buffer.end > 0 && !skipping) convertLine(buffer.bytes.data(), buffer.bytes.data() + buffer.end);
    output.Flush();
    return status;
}
