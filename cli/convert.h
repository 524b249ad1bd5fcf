#pragma once
// lumo convert: each value read as a paste in one mode, converted as switching to another mode
// does, printed one line per value in the order read.

#include <span>

#include "cli/arguments.h"
#include "cli/lumo.h"
#include "cli/lumo_view.h"
#include "cli/text_output.h"

class Calculator;
struct ModeTable;

// Where the values are converted: a calculator, the modes it works in, and its view.
struct ConvertEngine {
    Calculator& calculator;
    const ModeTable& modes;
    LumoView& view;
};

struct ConvertJob {
    int from = 0;
    int to = 0;
    ValueFormat format = ValueFormat::Plain;
    bool lenient = false;              // read as a paste does, write what the engine shows
    bool movesDroppedLabels = false;   // Auto DF Correct is on
    bool framesAcrossDropFrame = false;  // NDF<>DF As Frames is on
    bool resultMayPassWrap = true;     // worked out from the modes when the conversion starts
};

// A value is read exactly (cli/exact_value.h) unless the job is lenient, when any text with a
// digit of the mode is a value, as a paste. A value that cannot be read, that the strict check
// refuses, or whose result the target mode cannot write within its wrap, is reported on the
// error stream with its number, text and reason; its output line stays empty and the result is
// ExitFailed. A blank value gives a blank line and is no error.
ExitStatus ConvertValues(const ConvertJob& job, std::span<const char* const> values, TextOutput& output,
                         ByteSink& errors, const ConvertEngine& engine);

// The same for each line of the input. A line ends at LF (a CR before it is dropped) or at the
// end of the input; of a line longer than 64 KiB only the start is read. The output is handed
// over before every wait for input, so each line's answer comes out as soon as the line is in.
ExitStatus ConvertLines(const ConvertJob& job, ByteSource& input, TextOutput& output, ByteSink& errors,
                        const ConvertEngine& engine);
