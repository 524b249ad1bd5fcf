// lumo convert: values in and out for the pairs of modes people meet, the examples of the help
// and the README, values that are not values, and the reading of standard input in pieces.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/mode_names.h"
#include "model/mode_table.h"
#include "tests/cli/lumo_runner.h"

namespace {

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

struct Conversion {
    const char* name;
    std::vector<std::string> options;  // after "convert"
    std::vector<std::string> values;
    std::vector<std::string> results;  // one line each
};

void PrintTo(const Conversion& c, std::ostream* os) { *os << c.name; }

const Conversion kConversions[] = {
    // Same time at the other rate; halves round away from zero (12 * 25 / 24 = 12.5).
    {"Film to Pal", {"--from", "Film", "--to", "Pal"},
     {"01:00:00:00", "00:00:00:12", "00:00:00:01", "10:00:00:23"},
     {"01:00:00:00", "00:00:00:13", "00:00:00:01", "10:00:00:24"}},
    {"Pal to Film", {"--from", "PAL", "--to", "FILM"},
     {"01:00:00:00 PAL", "00:00:01:00", "00:00:00:13", "0:00:00:01"},
     {"01:00:00:00", "00:00:01:00", "00:00:00:12", "00:00:00:01"}},
    // 1800 * 29.97 / 30 = 1798.2: a minute of NDF is 00:00:59;28 of drop-frame.
    {"NDF to DF", {"--from", "ndf", "--to", "df"},
     {"01:00:00:00", "00:01:00:00", "00:00:01:00", "23:59:59:29", "00:00:50:00"},
     {"01:00:00;00", "00:00:59;28", "00:00:01;00", "23:59:59;29", "00:00:49;29"}},
    {"NDF to DF as frames", {"--from", "NDF", "--to", "DF", "--as-frames"},
     {"00:01:00:00", "01:00:00:00"}, {"00:01:00;02", "01:00:03;18"}},
    {"DF to NDF", {"--from", "DF", "--to", "NDF"},
     {"01:00:00;00 DF", "00:00:59;28", "00:01:00;02", "00:01:00.02"},
     {"01:00:00:00", "00:01:00:00", "00:01:00:02", "00:01:00:02"}},
    {"DF to NDF as frames", {"--from", "DF", "--to", "NDF", "--as-frames"}, {"00:01:00;02"}, {"00:01:00:00"}},
    // A label that does not exist is moved as Auto DF Correct says before it converts.
    {"DF to NDF, plus two frames", {"--from", "DF", "--to", "NDF", "--auto-df", "plus"},
     {"00:01:00;00"}, {"00:01:00:02"}},
    {"DF to NDF, minus two frames", {"--from", "DF", "--to", "NDF", "--auto-df=minus", "--strict"},
     {"00:01:00;00"}, {"00:01:00:00"}},
    // 35 mm runs at 24 frames a second, 16 frames a foot; 16 mm at 40 frames a foot.
    {"Film to 35mm", {"--from", "Film", "--to", "35mm"},
     {"01:00:00:00", "00:00:01:00", "00:00:00:05"}, {"5400+00", "1+08", "0+05"}},
    {"35mm to Film", {"--from", "35MM", "--to", "Film"},
     {"90-00", "1+08", "5,400-00", "5400.00"}, {"00:01:00:00", "00:00:01:00", "01:00:00:00", "01:00:00:00"}},
    {"Film to 16mm", {"--from", "Film", "--to", "16mm"}, {"01:00:00:00", "00:00:01:00"}, {"2160+00", "0+24"}},
    {"16mm to Film", {"--from", "16mm", "--to", "Film"}, {"1-00", "2,160-00"}, {"00:00:01:16", "01:00:00:00"}},
    // Frame counts pass into and out of the counting modes unchanged.
    {"DF to frames", {"--from", "DF", "--to", "Dec"},
     {"01:00:00;00", "00:01:00;02", "0"}, {"107892", "1800", "0"}},
    {"frames to DF", {"--from", "Dec", "--to", "DF"},
     {"107892", "1800", "17982", "1,798 Frms"},
     {"01:00:00;00", "00:01:00;02", "00:10:00;00", "00:00:59;28"}},
    {"frames to hexadecimal", {"--from", "Dec", "--to", "Hex"}, {"86400", "16777215"}, {"15180", "FFFFFF"}},
    {"hexadecimal to frames", {"--from", "Hex", "--to", "Dec"}, {"0x15180", "ffffffh"}, {"86400", "16777215"}},
    // The other texts of a result.
    {"as the display shows it", {"--from", "NDF", "--to", "DF", "--format", "display"},
     {"01:00:00:00", "00:01:00:00"}, {"1:00:00;00", "59;28"}},
    {"as Copy puts it on the clipboard", {"--from", "Film", "--to", "35mm", "--format", "clipboard"},
     {"01:00:00:00"}, {"5,400-00"}},
    {"bare digits", {"--from", "NDF", "--to", "DF", "--format", "digits"},
     {"01:00:00:00", "00:01:00:00"}, {"1000000", "5928"}},
    // Leniently, any text with digits of the mode is read as a paste and the clipboard text
    // written: a dropped label, short fields, a sign, nine digits.
    {"as the window pastes", {"--from", "DF", "--to", "NDF", "--lenient"},
     {"00:01:00;00", "0:1:0:0", "-5", "123456789"},
     {"00:01:00:00 NDF", "00:00:01:00 NDF", "00:00:00:05 NDF", "23:46:10:00 NDF"}},
    {"blank lines stay blank", {"--from", "Film", "--to", "Pal"}, {"", " \t", "00:00:00:12"}, {"", "", "00:00:00:13"}},
};

class LumoConversion : public ::testing::TestWithParam<Conversion> {};

// The values as arguments and as lines of standard input give the same lines.
TEST_P(LumoConversion, GivesTheTargetModesText) {
    const Conversion& c = GetParam();
    std::vector<std::string> args = {"convert"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const LumoRun fromInput = RunLumoOn(args, JoinLines(c.values));
    args.insert(args.end(), c.values.begin(), c.values.end());
    const LumoRun fromArguments = RunLumoOn(args);

    for (const LumoRun& run : {fromArguments, fromInput}) {
        EXPECT_EQ(run.out, JoinLines(c.results));
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.status, ExitOk);
    }
}

INSTANTIATE_TEST_SUITE_P(Pairs, LumoConversion, ::testing::ValuesIn(kConversions));

// What the help and the README show, exactly as they show it.
struct Example {
    const char* where;
    std::vector<std::string> args;
    const char* input;
    const char* output;
};

const Example kExamples[] = {
    {"help and README", {"--mode", "NDF", "1000000+3000=@DF"}, "", "1:00:29;29\n"},
    {"help", {"convert", "--from", "Film", "--to", "Pal", "01:00:00:00"}, "", "01:00:00:00\n"},
    {"README", {"convert", "--from", "Film", "--to", "Pal", "01:00:00:00", "00:00:00:12"}, "",
     "01:00:00:00\n00:00:00:13\n"},
    {"README", {"convert", "--from", "23.976", "--to", "29.97df", "00:00:01:00"}, "", "00:00:01;00\n"},
    {"README", {"convert", "--from", "35mm", "--to", "NDF", "--format", "display"}, "90-00\n5,400-00\n",
     "1:00:00\n1:00:00:00\n"},
};

TEST(LumoExamples, PrintWhatTheDocumentationSays) {
    for (const Example& example : kExamples) {
        const LumoRun run = RunLumoOn(example.args, example.input);
        EXPECT_EQ(run.out, example.output) << example.where << ": " << example.args.back();
        EXPECT_EQ(run.status, ExitOk) << example.where << ": " << example.args.back();
    }
}

// What lumo writes in a mode, plain or as the clipboard text, reads back exactly to the same
// count: a round trip through lumo is the identity. Counts pass unchanged into and out of Dec.
// The modes: every built-in one, and user modes named by their rate.
TEST(LumoRoundTrip, WhatLumoWritesReadsBackToTheSameCount) {
    const ModeTable builtIn;
    std::vector<std::string> names;
    for (int mode = 0; mode < kModeCount; ++mode)
        if (IsModePresent(builtIn, mode)) names.push_back(builtIn.rows[mode].szShortName.c_str());
    for (const char* rate : {"23.976", "29.97", "59.94df", "50", "47.952", "12.5"}) names.push_back(rate);

    for (const std::string& name : names) {
        ModeTable modes;
        const std::int32_t wrap = WrapModulus(modes, ModeForOption(modes, name).mode);
        std::string counts;
        // A prime stride meets every digit position and, in drop-frame, minutes of both sorts.
        for (std::int32_t count = 0; count < wrap; count += 7919) counts += std::to_string(count) + "\n";
        counts += std::to_string(wrap - 1) + "\n";

        for (const char* format : {"plain", "clipboard"}) {
            const LumoRun written = RunLumoOn({"convert", "--from", "Dec", "--to", name, "--format", format}, counts);
            const LumoRun readBack = RunLumoOn({"convert", "--from", name, "--to", "Dec"}, written.out);
            EXPECT_EQ(readBack.out, counts) << name << ", " << format;
            EXPECT_EQ(written.err + readBack.err, "") << name << ", " << format;
        }
    }
}

// Values that the exact reading refuses, each with its reason, given as a line of standard
// input so that any byte can be in it. shown: the value as the report writes it, when it has
// characters to escape.
struct Refusal {
    const char* from;
    const char* to;
    std::string value;
    const char* reason;
    const char* shown = nullptr;
};

const Refusal kRefusals[] = {
    {"Film", "Pal", "0:1:0:0", "a field of the wrong width: after the first, each field of H:MM:SS:FF has two digits"},
    {"NDF", "DF", "1:2:3:4", "a field of the wrong width: after the first, each field of H:MM:SS:FF has two digits"},
    {"NDF", "DF", "100:00:00", "a field of the wrong width: after the first, each field of H:MM:SS:FF has two digits"},
    {"35mm", "Film", "90+0", "a field of the wrong width: the frames of FEET+FF have two digits"},
    {"35mm", "Film", "5,40-00", "a field of the wrong width: thousands are grouped by three digits"},
    {"Dec", "DF", "-5", "a minus sign: no mode has values below zero"},
    {"DF", "NDF", "123456789", "more digits than DF holds (8)"},
    {"Dec", "Film", "16777216", "at or past the wrap of Dec (16,777,216)"},
    {"Film", "Pal", "24:00:00:00", "at or past the wrap of Film (24 hours)"},
    {"35mm", "Film", "240000+00", "at or past the wrap of 35mm (240,000 feet)"},
    {"DF", "NDF", "00:01:00;00", "a drop-frame label that DF skips (--auto-df minus or plus moves it)"},
    {"NDF", "DF", "00:00:60:00", "a label NDF never writes: the seconds are out of range"},
    {"Film", "Pal", "00:00:00:24", "a label Film never writes: the frames are out of range"},
    {"Dec", "DF", "2589408", "the result is at or past the wrap of DF (24 hours)"},
    {"Dec", "Film", "16777215", "the result is at or past the wrap of Film (24 hours)"},
    {"Dec", "Hex", "12abc", "'a' is not part of a value in Dec"},
    {"Film", "Pal", "01:00:00:00 PAL", "' ' is not part of a value in Film"},
    {"Film", "Pal", "xxx", "not a value in Film"},
    {"Film", "Pal", std::string("12\0 34", 6), "a NUL character in the line", "12\\x00 34"},
    {"Film", "Pal", "12\x1b[31m", "'\\x1b' is not part of a value in Film", "12\\x1b[31m"},
};

TEST(LumoExactReading, RefusesWhatNamesNoSingleCountAndSaysWhy) {
    for (const Refusal& r : kRefusals) {
        const LumoRun run = RunLumoOn({"convert", "--from", r.from, "--to", r.to}, r.value + "\n");
        const std::string shown = r.shown != nullptr ? r.shown : r.value;
        EXPECT_EQ(run.err, "lumo: line 1: " + std::string(r.reason) + ": \"" + shown + "\"\n") << r.reason;
        EXPECT_EQ(run.out, "\n") << r.reason;
        EXPECT_EQ(run.status, ExitFailed) << r.reason;
    }
}

// Lines that are not values: reported with their number and text, an empty line in their place,
// the rest converted, exit status 1.
struct BadInput {
    const char* name;
    std::vector<std::string> args;
    const char* input;
    const char* output;
    const char* errors;
};

void PrintTo(const BadInput& b, std::ostream* os) { *os << b.name; }

const BadInput kBadInputs[] = {
    {"no digit of the mode", {"convert", "--from", "Film", "--to", "Pal"},
     "01:00:00:00\nnothing here\n\n00:00:01:00\n", "01:00:00:00\n\n\n00:00:01:00\n",
     "lumo: line 2: not a value in Film: \"nothing here\"\n"},
    {"octal has no 8 or 9", {"convert", "--from", "Oct", "--to", "Dec"}, "89\n17\n", "\n15\n",
     "lumo: line 1: not a value in Oct: \"89\"\n"},
    {"hex letters are no decimal digits", {"convert", "--from", "Dec", "--to", "Hex"}, "ff\n", "\n",
     "lumo: line 1: not a value in Dec: \"ff\"\n"},
    {"a label that does not exist, leniently under the strict check",
     {"convert", "--from", "DF", "--to", "NDF", "--strict", "--lenient"}, "00:01:00;00\r\n00:01:00;02\r\n",
     "\n00:01:00:02 NDF\n", "lumo: line 1: Invalid Frames Entry: \"00:01:00;00\"\n"},
    {"a field out of range, leniently under the strict check",
     {"convert", "--from", "NDF", "--to", "DF", "--strict", "--lenient"}, "00:00:60:00", "\n",
     "lumo: line 1: Invalid Seconds Entry: \"00:00:60:00\"\n"},
    {"values given as arguments", {"convert", "--from", "Film", "--to", "Pal", "12", "-", "13"}, "",
     "00:00:00:13\n\n00:00:00:14\n", "lumo: value 2: not a value in Film: \"-\"\n"},
    {"a newline in a value stays on the report's line", {"convert", "--from", "Film", "--to", "Pal", "\n"}, "",
     "\n", "lumo: value 1: not a value in Film: \"\\n\"\n"},
    {"a message of the keys", {"--mode", "Dec", "7/0="}, "", "0\n", "lumo: Dividing By Zero\n"},
};

class LumoBadInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(LumoBadInput, IsReportedAndLosesNothing) {
    const BadInput& b = GetParam();
    const LumoRun run = RunLumoOn(b.args, b.input);
    EXPECT_EQ(run.out, b.output);
    EXPECT_EQ(run.err, b.errors);
    EXPECT_EQ(run.status, ExitFailed);
}

INSTANTIATE_TEST_SUITE_P(Cases, LumoBadInput, ::testing::ValuesIn(kBadInputs));

const std::vector<std::string> kFilmToPal = {"convert", "--from", "Film", "--to", "Pal"};

// However the input is cut into reads, the lines and their answers are the same.
TEST(LumoInput, LinesDoNotDependOnHowTheInputArrives) {
    const std::string input = "01:00:00:00\r\n00:00:00:12\n\nx\n10:00:00:23";
    const LumoRun whole = RunLumoOn(kFilmToPal, input);
    for (std::size_t piece = 1; piece <= 7; ++piece) {
        TextSource source(input, piece);
        const LumoRun run = RunLumoOn(kFilmToPal, source);
        EXPECT_EQ(run.out, whole.out) << "pieces of " << piece;
        EXPECT_EQ(run.err, whole.err) << "pieces of " << piece;
    }
    EXPECT_EQ(LinesOf(whole.out).size(), 5u);
}

// Each line's answer is handed over before lumo waits for the next line, so lumo works in a
// pipe with a program that waits for the answer.
TEST(LumoInput, AnswersEachLineBeforeReadingOn) {
    const std::vector<std::string> lines = {"01:00:00:00\n", "00:00:00:12\n", "bad\n", "00:00:01:00\n"};
    std::size_t given = 0;
    TextSink out;
    TextSink err;
    class LineByLine final : public ByteSource {
    public:
        LineByLine(const std::vector<std::string>& lines, std::size_t& given, const TextSink& out)
            : lines_(lines), given_(given), out_(out) {}
        std::size_t Read(char* buffer, std::size_t capacity) override {
            EXPECT_EQ(LinesOf(out_.text).size(), given_) << "answers before line " << given_ + 1 << " was read";
            if (given_ == lines_.size()) return 0;
            const std::string& line = lines_[given_++];
            const std::size_t count = std::min(capacity, line.size());
            line.copy(buffer, count);
            return count;
        }

    private:
        const std::vector<std::string>& lines_;
        std::size_t& given_;
        const TextSink& out_;
    } input(lines, given, out);

    std::vector<const char*> argv;
    for (const std::string& arg : kFilmToPal) argv.push_back(arg.c_str());
    EXPECT_EQ(RunLumo(argv, LumoStreams{input, out, err}, nullptr), ExitFailed);
    EXPECT_EQ(given, lines.size());
}

// Of a line longer than lumo keeps, the start is read and the rest skipped; the next line is
// the next line.
TEST(LumoInput, AnOverlongLineCountsAsOne) {
    const std::string overlong(100 * 1024, 'x');
    const LumoRun run = RunLumoOn(kFilmToPal, overlong + "\n00:00:00:12\n");
    EXPECT_EQ(run.out, "\n00:00:00:13\n");
    EXPECT_EQ(run.err.rfind("lumo: line 1: not a value in Film: \"xxx", 0), 0u) << run.err.substr(0, 60);
    EXPECT_EQ(LinesOf(run.err).size(), 1u);
}

}  // namespace
