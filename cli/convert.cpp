#include "cli/convert.h"

#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/exact_value.h"
#include "cli/quoted_text.h"
#include "engine/calculator.h"
#include "format/formatter.h"
#include "model/convert.h"
#include "model/digit_string.h"
#include "model/format_flags.h"
#include "model/mode_table.h"

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

// What became of one value: converted, a blank line, or the reason it was not taken.
struct Outcome {
    bool converted = false;
    std::string problem;  // empty for a blank line
};

// An exact value must come out of "=" as the label it went in as, unless Auto DF Correct moved
// it; and its result must lie within the target's wrap, which the job tells when some count of
// the source could pass it.
std::string CheckExactResult(ExactValue& exact, const ConvertJob& job, const ConvertEngine& engine) {
    const ModeTable& modes = engine.modes;
    const char* shown = engine.view.display.c_str();
    if (!SameDigits(shown, exact.digits.c_str()) && !(job.movesDroppedLabels && IsMovedLabel(modes, exact, job.from))) {
        ExplainUnwrittenLabel(modes, exact, job.from);
        return ProblemText(modes, exact, job.from);
    }
    if (job.resultMayPassWrap && ConvertFrames(modes, TextToFrames(modes, shown, job.from), job.from, job.to,
                                               job.framesAcrossDropFrame) >= WrapModulus(modes, job.to))
        return ResultPastWrapText(modes, job.to);
    return {};
}

// Every call into the engine is here. Its own path, as a user of the window would take it:
// start afresh in the source mode, paste the value, press "=" so that it meets the checks of
// an operand (the strict check, the drop-frame auto-correct), switch to the target mode.
// value ends at a NUL: a line or an argument.
Outcome ConvertValue(std::string_view value, const ConvertJob& job, const ConvertEngine& engine) {
    const ModeTable& modes = engine.modes;
    Calculator& calculator = engine.calculator;
    ExactValue exact;
    const char* paste = value.data();
    if (job.lenient) {
        exact.problem = BlankOrNul(value);
    } else {
        exact = ReadExactValue(modes, value, job.from);
        // The digits without their leading zeros (but one): the same entry in fewer keys.
        paste = exact.digits.c_str();
        while (paste[0] == '0' && paste[1] != '\0') ++paste;
    }
    if (exact.problem != ValueProblem::None) return {false, ProblemText(modes, exact, job.from)};

    engine.view.messages.clear();
    calculator.Start(job.from);
    if (!calculator.PasteText(paste)) return {false, std::string("not a value in ") + modes.rows[job.from].szShortName.c_str()};
    calculator.KeyChar('=', false);
    if (!engine.view.messages.empty()) return {false, engine.view.messages.front()};
    if (!job.lenient) {
        std::string problem = CheckExactResult(exact, job, engine);
        if (!problem.empty()) return {false, std::move(problem)};
    }
    calculator.SwitchMode(job.to);
    return {true, {}};
}

// Conversion never lowers a count, so only a source whose last count passes the target's
// wrap has counts that do.
ConvertJob Prepared(ConvertJob job, const ModeTable& modes) {
    const std::int32_t last = WrapModulus(modes, job.from) - 1;
    job.resultMayPassWrap =
        ConvertFrames(modes, last, job.from, job.to, job.framesAcrossDropFrame) >= WrapModulus(modes, job.to);
    return job;
}

// FEET+FF: the feet without their leading zeros (but one), the frames' two digits.
TextBuffer PlainFeet(const ModeTable& modes, const char* display, int mode) {
    const TextBuffer digits = FormatDigits(modes, display, mode, LeadZeros | SepNone);
    constexpr std::size_t kFeetDigits = kDigitCount - 2;
    std::size_t first = 0;
    while (first + 1 < kFeetDigits && digits[first] == '0') ++first;
    TextBuffer text(digits.c_str() + first, kFeetDigits - first);
    text.append('+');
    text.append(digits.c_str() + kFeetDigits);
    return text;
}

// The text other tools read: HH:MM:SS:FF (";" before the frames where the display writes it),
// FEET+FF, or the count's bare digits.
TextBuffer PlainText(const ModeTable& modes, const char* display, int mode) {
    const std::int32_t kind = ModeKindOf(modes, mode);
    switch (kind) {
        case KindHmsf:
        case KindHmsfDrop: return FormatDigits(modes, display, mode, LeadZeros | (KindDisplayFlags[kind] & SepSemicolon));
        case KindFeetFrames: return PlainFeet(modes, display, mode);
        default: return FormatDigits(modes, display, mode, BareDigitFlags);
    }
}

// The display in the requested text; the clipboard text is what Copy makes of the display.
void AppendResult(const ConvertJob& job, TextOutput& output, const ConvertEngine& engine) {
    const ModeTable& modes = engine.modes;
    const char* display = engine.view.display.c_str();
    switch (job.format) {
        case ValueFormat::Plain: output.AppendLine(PlainText(modes, display, job.to).c_str()); return;
        case ValueFormat::Display: output.AppendLine(display); return;
        case ValueFormat::Clipboard:
            output.AppendLine(FormatDigits(modes, display, job.to, modes.rows[job.to].iClipFlags).c_str());
            return;
        case ValueFormat::Digits: output.AppendLine(FormatDigits(modes, display, job.to, BareDigitFlags).c_str()); return;
    }
}

std::string BadValueText(const char* where, long number, const std::string& problem, std::string_view value) {
    return std::string(where) + " " + std::to_string(number) + ": " + problem + ": " + Quoted(value, '"');
}

// One value to one output line; false when the value was reported instead. A blank value
// gives a blank line.
bool ConvertToLine(std::string_view value, const char* where, long number, const ConvertJob& job,
                   TextOutput& output, ByteSink& errors, const ConvertEngine& engine) {
    const Outcome outcome = ConvertValue(value, job, engine);
    if (outcome.converted) {
        AppendResult(job, output, engine);
        return true;
    }
    if (!outcome.problem.empty()) ReportError(output, errors, BadValueText(where, number, outcome.problem, value));
    output.AppendLine("");
    return outcome.problem.empty();
}

// Input read in chunks; the unread part of the current chunk is [begin, end).
struct LineBuffer {
    std::vector<char> bytes = std::vector<char>(kReadChunk + 1);  // one more for a closing NUL
    std::size_t begin = 0;
    std::size_t end = 0;
};

// Cuts the line [start, stop) off as a C string, without the CR of a CRLF line end. A NUL
// inside the line stays in the view, so the line is refused rather than cut short.
std::string_view TerminateLine(char* start, char* stop) {
    if (stop > start && stop[-1] == '\r') --stop;
    *stop = '\0';
    return std::string_view(start, static_cast<std::size_t>(stop - start));
}

}  // namespace

ExitStatus ConvertValues(const ConvertJob& given, std::span<const char* const> values, TextOutput& output,
                         ByteSink& errors, const ConvertEngine& engine) {
    const ConvertJob job = Prepared(given, engine.modes);
    ExitStatus status = ExitOk;
    long number = 0;
    for (const char* value : values)
        if (!ConvertToLine(value, "value", ++number, job, output, errors, engine)) status = ExitFailed;
    return status;
}

ExitStatus ConvertLines(const ConvertJob& given, ByteSource& input, TextOutput& output, ByteSink& errors,
                        const ConvertEngine& engine) {
    const ConvertJob job = Prepared(given, engine.modes);
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
