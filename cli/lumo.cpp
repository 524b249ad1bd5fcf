#include "cli/lumo.h"

#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "cli/arguments.h"
#include "cli/convert.h"
#include "cli/lumo_view.h"
#include "cli/mode_names.h"
#include "cli/quoted_text.h"
#include "cli/text_output.h"
#include "engine/calculator.h"
#include "engine/key_script.h"
#include "model/mode_table.h"
#include "settings/ini_file.h"
#include "settings/options.h"
#include "settings/settings.h"
#include "version.h"

namespace {

constexpr const char* kUsage =
    "usage: lumo [--mode MODE] [OPTIONS] KEYS...\n"
    "       lumo convert --from MODE --to MODE [OPTIONS] [VALUE...]\n"
    "       lumo modes [--settings FILE]\n"
    "       lumo -h | --help | --version\n";

constexpr const char* kHelp = R"(
Lumo II, the timecode calculator, on the command line: the same engine as the window.

lumo [--mode MODE] KEYS...
  Types the keys into the calculator as the window's keyboard would and prints the display.
  Digits (and a-f in Hex), + - * / and = are the keypad's keys; m is M-, p is M+, r is MR.
  <Enter> is =, <Bs> is Backspace, <Esc> clears (C), <ClearMem> is Clear Memory,
  <Click KEY> clicks the keypad button KEY (C, <<, MR, MP+, MM-, 7, ...), <Paste TEXT> pastes
  TEXT as the window's Paste does, <Chr N> types the character with code N, and @MODE
  switches to MODE with the window's conversion (the longest mode name that fits is taken). Spaces and other characters mean nothing, as in the window; an argument with no
  key at all ("help") is refused. Quote the keys:
    lumo --mode NDF '1000000+3000=@DF'          prints 1:00:29;29
  --mode MODE   the mode the keys start in (NDF when not given)
  --tape        print the tape lines the keys write, then the display

lumo convert --from MODE --to MODE [VALUE...]
  Converts each VALUE from one mode to the other, as switching modes in the window does.
  With no VALUE it reads standard input, one value per line, and writes one line per value
  as each line comes in; a blank line gives a blank line.
  A value must name exactly one count of the --from mode: 01:00:00:00 or 1:00:00:00 (each
  field after the first has two digits; ";" or "." may stand for ":"), 90+00 or 5,400-00 in
  feet and frames, bare digits in Hex, Dec and Oct; the mode's own trailing text (" DF")
  may follow. Refused, with the reason: no digit of the mode, a field of the wrong width,
  a minus sign, more than eight digits, a count at or past the mode's wrap (24 hours,
  240,000 feet, 16,777,216), a label the mode never writes (a field out of range, a dropped
  drop-frame label), a result the --to mode cannot write within its wrap. A refused value
  is reported on standard error with its number and text, its output line is left empty,
  and the run goes on.
    lumo convert --from Film --to Pal 01:00:00:00      prints 01:00:00:00
    lumo convert --from 23.976 --to 29.97df 01:00:00:00
  --format plain|display|clipboard|digits
                the text of each result: plain (the default) is HH:MM:SS:FF, with ";"
                before the frames in drop-frame, FEET+FF in feet and frames, bare digits
                in the counts (hexadecimal in upper case), and reads back exactly; display
                as the display shows it; clipboard as Copy puts it on the clipboard (the
                --to mode's clipboard format); digits the bare digits
  --lenient     read each value as a paste does (the mode's digits count, other text does
                not) and print what the engine shows, wrapped: the window's behaviour, and
                the clipboard text unless --format says otherwise

lumo modes
  Lists the modes: NDF, DF, Pal, Film, 35mm, 16mm, Hex, Dec, Oct and the user modes.
  Modes are named by these short names, in any case, or by their rate below 100 frames a
  second: 23.976, 24, 25, 29.97, 30, 47.952, 48, 50, 59.94, 60 or any other, with "df" for
  drop-frame (29.97df, 59.94df). 24 is Film, 25 Pal, 30 NDF and 29.97df DF; any other rate
  is a user mode for the run, in a user row the settings file leaves free.

Options of the keys and of convert, as in the Setup menu:
  --strict                  Strict Entry Check (convert checks every value anyway)
  --auto-df off|minus|plus  Auto DF Correct: moves a dropped drop-frame label
  --as-frames               NDF<>DF As Frames
and of every command:
  --settings FILE           a settings file of the window: its user modes and clipboard
                            formats (not its mode or options). Without it, VEXO.INI beside
                            lumo when there is one. A file that is not a regular file or
                            is larger than 1 MiB is refused.
  -h, --help, --version

Exit status: 0 done; 1 a message of the calculator ("Invalid Frames Entry", "Dividing By
Zero"), printed on standard error, or a value that could not be read; 2 an unknown option,
mode or key name, an argument with no key, a mode that cannot be made, a settings file that
cannot be read.
)";

ExitStatus UsageError(TextOutput& output, ByteSink& errors, const std::string& problem) {
    ReportError(output, errors, problem);
    const std::string usage = kUsage;
    errors.Write(usage.data(), usage.size());
    return ExitUsage;
}

std::string VersionLine() { return std::string("lumo (Lumo II) ") + LUMO_VERSION_TEXT; }

// A settings file is small; anything larger is not one, and is not read.
constexpr std::size_t kMaxSettingsBytes = 1024 * 1024;

// The bytes of the settings file, read once and bounded; an error text when it cannot be read
// or is no settings file (a device, a pipe, a folder, a file of more than 1 MiB).
std::string ReadSettingsBytes(const char* path, std::string& bytes) {
    struct stat status;
    if (stat(path, &status) != 0) return "cannot read settings file " + Quoted(path);
    if (!S_ISREG(status.st_mode)) return "settings file " + Quoted(path) + " is not a regular file";
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return "cannot read settings file " + Quoted(path);
    // One byte more than allowed tells a file that is too large, whatever it grew to since.
    bytes.resize(kMaxSettingsBytes + 1);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return "cannot read settings file " + Quoted(path);
    if (bytes.size() > kMaxSettingsBytes) return "settings file " + Quoted(path) + " is larger than 1 MiB";
    return {};
}

// The user modes and clipboard formats of the file; its saved mode and options stay the
// window's, so that a run depends on its command line only.
std::string ReadSettingsFile(const char* path, ModeTable& modes) {
    std::string bytes;
    std::string error = ReadSettingsBytes(path, bytes);
    if (!error.empty()) return error;
    IniTextStore store(bytes);
    Options ignored;
    ReadSettings(store, modes, ignored);
    return {};
}

// Convert reads exactly and checks every value itself, so the engine's strict check stays off
// there (it would refuse a dropped label that --auto-df is to move); keys and --lenient get
// the window's option as given.
Options OptionsOf(const LumoRequest& request) {
    const bool checksItself = request.command == LumoCommand::Convert && !request.lenient;
    Options options;
    options.bStrictCheck = request.strict && !checksItself ? 1 : 0;
    options.iAutoDfFix = request.autoDf;
    options.bDFNDFFrameConv = request.asFrames ? 1 : 0;
    return options;
}

// One run's calculator, with the modes and options it works in and the view that keeps what it
// shows.
struct LumoSession {
    ModeTable modes;
    Options options;
    LumoView view;
    Calculator calculator{view, modes, options};
};

std::string WithoutTrailingBlanks(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

ExitStatus RunKeys(const LumoRequest& request, TextOutput& output, ByteSink& errors, LumoSession& session) {
    const NamedMode start = request.mode != nullptr ? ModeForOption(session.modes, request.mode) : NamedMode{0, {}};
    if (start.mode < 0) return UsageError(output, errors, start.error);
    const int mode = start.mode;
    const KeyScript script = ParseKeyScript(session.modes, request.words, mode);
    if (!script.error.empty()) return UsageError(output, errors, script.error);

    LumoView& view = session.view;
    view.keepTape = request.tape;
    session.calculator.Start(mode);
    PlayKeyScript(session.calculator, script, false);
    for (const std::string& line : view.tape) output.AppendLine(WithoutTrailingBlanks(line));
    output.AppendLine(view.display.c_str());
    for (const std::string& message : view.messages) ReportError(output, errors, message);
    return view.messages.empty() ? ExitOk : ExitFailed;
}

ExitStatus RunConvert(const LumoRequest& request, ByteSource& input, TextOutput& output, ByteSink& errors,
                      LumoSession& session) {
    const NamedMode from = ModeForOption(session.modes, request.from);
    if (from.mode < 0) return UsageError(output, errors, from.error);
    const NamedMode to = ModeForOption(session.modes, request.to);
    if (to.mode < 0) return UsageError(output, errors, to.error);
    ConvertJob job;
    job.from = from.mode;
    job.to = to.mode;
    job.lenient = request.lenient;
    job.format = request.format.value_or(request.lenient ? ValueFormat::Clipboard : ValueFormat::Plain);
    job.movesDroppedLabels = request.autoDf != 0;
    job.framesAcrossDropFrame = request.asFrames;
    const ConvertEngine engine{session.calculator, session.modes, session.view};
    if (request.words.empty()) return ConvertLines(job, input, output, errors, engine);
    return ConvertValues(job, request.words, output, errors, engine);
}

}  // namespace

ExitStatus RunLumo(std::span<const char* const> args, const LumoStreams& streams, const char* defaultSettings) {
    TextOutput output(streams.output);
    const ParsedArguments parsed = ParseArguments(args);
    if (!parsed.error.empty()) return UsageError(output, streams.errors, parsed.error);
    const LumoRequest& request = parsed.request;
    if (request.command == LumoCommand::Help) {
        output.Append(kUsage);
        output.Append(kHelp);
        return ExitOk;
    }
    if (request.command == LumoCommand::Version) {
        output.AppendLine(VersionLine());
        return ExitOk;
    }

    LumoSession session;
    const char* settings = request.settings != nullptr ? request.settings : defaultSettings;
    if (settings != nullptr) {
        const std::string error = ReadSettingsFile(settings, session.modes);
        if (!error.empty()) return UsageError(output, streams.errors, error);
    }
    session.options = OptionsOf(request);

    switch (request.command) {
        case LumoCommand::Convert: return RunConvert(request, streams.input, output, streams.errors, session);
        case LumoCommand::Modes: output.Append(ModeListing(session.modes)); return ExitOk;
        default: return RunKeys(request, output, streams.errors, session);
    }
}
