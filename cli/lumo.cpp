#include "cli/lumo.h"

#include <cstdio>
#include <string>

#include "cli/arguments.h"
#include "cli/convert.h"
#include "cli/lumo_view.h"
#include "cli/mode_names.h"
#include "cli/text_output.h"
#include "engine/calculator.h"
#include "engine/key_script.h"
#include "model/mode_names.h"
#include "model/mode_table.h"
#include "settings/ini_file.h"
#include "settings/options.h"
#include "version.h"

namespace {

constexpr const char* kUsage =
    "usage: lumo [--mode MODE] [OPTIONS] KEYS...\n"
    "       lumo convert --from MODE --to MODE [OPTIONS] [VALUE...]\n"
    "       lumo modes [--settings FILE]\n"
    "       lumo --help | --version\n";

constexpr const char* kHelp = R"(
Lumo II, the timecode calculator, on the command line: the same engine as the window.

lumo [--mode MODE] KEYS...
  Types the keys into the calculator as the window's keyboard would and prints the display.
  Digits (and a-f in Hex), + - * / and = are the keypad's keys; m is M-, p is M+, r is MR.
  <Enter> is =, <Bs> is Backspace, <Esc> clears (C), <ClearMem> is Clear Memory, and
  @MODE switches to MODE with the window's conversion (the longest mode name that fits is
  taken). Spaces and other characters mean nothing, as in the window. Quote the keys:
    lumo --mode NDF '1000000+3000=@DF'          prints 1:00:29;29
  --mode MODE   the mode the keys start in (NDF when not given)
  --tape        print the tape lines the keys write, then the display

lumo convert --from MODE --to MODE [VALUE...]
  Reads each VALUE as a paste in the --from mode does (the mode's digits count; separators,
  other text and the mode's own prefix and trailing text do not) and converts it as switching to the --to mode does. With no VALUE
  it reads standard input, one value per line, and writes one line per value as each line
  comes in. A line with no digit of the --from mode is not a value; a drop-frame label that
  does not exist is refused under --strict. Either is reported on standard error with its
  line number and text, its output line is left empty, and the run goes on.
    lumo convert --from Film --to Pal 01:00:00:00      prints 01:00:00:00 PAL
  --format display|clipboard|digits
                the text of each result: as the display shows it, as Copy puts it on the
                clipboard (the default, the --to mode's clipboard format), or bare digits

lumo modes
  Lists the modes: NDF, DF, Pal, Film, 35mm, 16mm, Hex, Dec, Oct and the user modes.
  Modes are named by these short names, in any case.

Options of the keys and of convert, as in the Setup menu:
  --strict                  Strict Entry Check
  --auto-df off|minus|plus  Auto DF Correct
  --as-frames               NDF<>DF As Frames
and of every command:
  --settings FILE           a settings file of the window: its user modes and clipboard
                            formats (not its mode or options). Without it, VEXO.INI beside
                            lumo when there is one.

Exit status: 0 done; 1 a message of the calculator ("Invalid Frames Entry", "Dividing By
Zero"), printed on standard error, or a value that could not be read; 2 an unknown option,
mode or key name.
)";

ExitStatus UsageError(TextOutput& output, ByteSink& errors, const std::string& problem) {
    ReportError(output, errors, problem);
    const std::string usage = kUsage;
    errors.Write(usage.data(), usage.size());
    return ExitUsage;
}

std::string VersionLine() {
    return std::string("lumo (Lumo II) ") + LUMO_VERSION_TEXT;
}

bool IsReadable(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

// The user modes and clipboard formats of the file; its saved mode and options stay the
// window's, so that a run depends on its command line only.
void ReadSettingsFile(const char* path, ModeTable& modes) {
    IniFileStore store(path);
    Options ignored;
    ReadSettings(store, modes, ignored);
}

Options OptionsOf(const LumoRequest& request) {
    Options options;
    options.bStrictCheck = request.strict ? 1 : 0;
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
    const int mode = request.mode != nullptr ? ModeNamed(session.modes, request.mode) : 0;
    if (mode < 0) return UsageError(output, errors, "unknown mode '" + std::string(request.mode) + "'");
    const KeyScript script = ParseKeyScript(session.modes, request.words);
    if (!script.error.empty()) return UsageError(output, errors, script.error);

    LumoView& view = session.view;
    view.keepTape = request.tape;
    session.calculator.Start(mode);
    PlayKeyScript(session.calculator, script, false);
    for (const std::string& line : view.tape) output.AppendLine(WithoutTrailingBlanks(line));
    output.AppendLine(view.display);
    for (const std::string& message : view.messages) ReportError(output, errors, message);
    return view.messages.empty() ? ExitOk : ExitFailed;
}

ExitStatus RunConvert(const LumoRequest& request, ByteSource& input, TextOutput& output, ByteSink& errors,
                      LumoSession& session) {
    ConvertJob job;
    job.from = ModeNamed(session.modes, request.from);
    if (job.from < 0) return UsageError(output, errors, "unknown mode '" + std::string(request.from) + "'");
    job.to = ModeNamed(session.modes, request.to);
    if (job.to < 0) return UsageError(output, errors, "unknown mode '" + std::string(request.to) + "'");
    job.format = request.format;
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

    if (request.settings != nullptr && !IsReadable(request.settings))
        return UsageError(output, streams.errors, "cannot read settings file '" + std::string(request.settings) + "'");
    LumoSession session;
    const char* settings = request.settings != nullptr ? request.settings : defaultSettings;
    if (settings != nullptr) ReadSettingsFile(settings, session.modes);
    session.options = OptionsOf(request);

    switch (request.command) {
        case LumoCommand::Convert: return RunConvert(request, streams.input, output, streams.errors, session);
        case LumoCommand::Modes: output.Append(ModeListing(session.modes)); return ExitOk;
        default: return RunKeys(request, output, streams.errors, session);
    }
}
