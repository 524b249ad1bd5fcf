#include "cli/arguments.h"

#include <cstring>
#include <string_view>

#include "model/ascii_text.h"
#include "settings/options.h"
#include "cli/quoted_text.h"

namespace {

enum class OptionId { Mode, From, To, Settings, Strict, Lenient, AutoDf, AsFrames, Tape, Format, Help, Version };

// The commands an option applies to, as bits.
constexpr unsigned kKeys = 1u << static_cast<unsigned>(LumoCommand::Keys);
constexpr unsigned kConvert = 1u << static_cast<unsigned>(LumoCommand::Convert);
constexpr unsigned kModes = 1u << static_cast<unsigned>(LumoCommand::Modes);
constexpr unsigned kEveryCommand = kKeys | kConvert | kModes;

struct OptionSpec {
    std::string_view name;
    OptionId id;
    bool takesValue;
    unsigned commands;
};

constexpr OptionSpec kOptions[] = {
    {"--mode", OptionId::Mode, true, kKeys},
    {"--from", OptionId::From, true, kConvert},
    {"--to", OptionId::To, true, kConvert},
    {"--settings", OptionId::Settings, true, kEveryCommand},
    {"--strict", OptionId::Strict, false, kKeys | kConvert},
    {"--lenient", OptionId::Lenient, false, kConvert},
    {"--auto-df", OptionId::AutoDf, true, kKeys | kConvert},
    {"--as-frames", OptionId::AsFrames, false, kKeys | kConvert},
    {"--tape", OptionId::Tape, false, kKeys},
    {"--format", OptionId::Format, true, kConvert},
    {"--help", OptionId::Help, false, kEveryCommand},
    {"-h", OptionId::Help, false, kEveryCommand},
    {"--version", OptionId::Version, false, kEveryCommand},
};

struct Choice {
    std::string_view word;
    int value;
};

// The Auto DF Correct menu's choices, valued as the option stores them.
constexpr Choice kAutoDfChoices[] = {
    {"off", AutoDfOff}, {"minus", AutoDfMinusTwoFrames}, {"plus", AutoDfPlusTwoFrames}};

constexpr Choice kFormatChoices[] = {
    {"plain", static_cast<int>(ValueFormat::Plain)},
    {"display", static_cast<int>(ValueFormat::Display)},
    {"clipboard", static_cast<int>(ValueFormat::Clipboard)},
    {"digits", static_cast<int>(ValueFormat::Digits)},
};

struct CommandWord {
    std::string_view word;
    LumoCommand command;
};

constexpr CommandWord kCommandWords[] = {{"convert", LumoCommand::Convert}, {"modes", LumoCommand::Modes}};

constexpr const char* CommandName(LumoCommand command) {
    switch (command) {
        case LumoCommand::Convert: return "convert";
        case LumoCommand::Modes: return "modes";
        default: return "keys";
    }
}

const OptionSpec* FindOption(std::string_view name) {
    for (const OptionSpec& option : kOptions)
        if (option.name == name) return &option;
    return nullptr;
}

// The choice's value, or -1 when the word names none.
template <std::size_t N>
int FindChoice(const Choice (&choices)[N], std::string_view word) {
    for (const Choice& choice : choices)
        if (SameIgnoringCase(choice.word, word)) return choice.value;
    return -1;
}

// Stores an option's value; an error text when the value names no choice.
std::string ApplyOption(OptionId id, const char* value, LumoRequest& request) {
    switch (id) {
        case OptionId::Mode: request.mode = value; break;
        case OptionId::From: request.from = value; break;
        case OptionId::To: request.to = value; break;
        case OptionId::Settings: request.settings = value; break;
        case OptionId::Strict: request.strict = true; break;
        case OptionId::Lenient: request.lenient = true; break;
        case OptionId::AsFrames: request.asFrames = true; break;
        case OptionId::Tape: request.tape = true; break;
        case OptionId::AutoDf: {
            const int fix = FindChoice(kAutoDfChoices, value);
            if (fix < 0) return "unknown --auto-df choice " + Quoted(value) + " (off, minus or plus)";
            request.autoDf = fix;
            break;
        }
        case OptionId::Format: {
            const int format = FindChoice(kFormatChoices, value);
            if (format < 0) return "unknown --format choice " + Quoted(value) + " (plain, display, clipboard or digits)";
            request.format = static_cast<ValueFormat>(format);
            break;
        }
        case OptionId::Help: request.command = LumoCommand::Help; break;
        case OptionId::Version: request.command = LumoCommand::Version; break;
    }
    return {};
}

LumoCommand CommandOfWord(std::string_view word) {
    for (const CommandWord& entry : kCommandWords)
        if (entry.word == word) return entry.command;
    return LumoCommand::Keys;
}

// What the command needs beyond its options; an error text when it is missing.
std::string CheckComplete(const LumoRequest& request) {
    switch (request.command) {
        case LumoCommand::Keys:
            if (request.words.empty()) return "no keys to type";
            break;
        case LumoCommand::Convert:
            if (request.from == nullptr || request.to == nullptr) return "convert needs --from and --to";
            break;
        case LumoCommand::Modes:
            if (!request.words.empty()) return "modes takes no words, found " + Quoted(request.words.front());
            break;
        default: break;
    }
    return {};
}

// The option at args[i], and its value, which may be the next argument (i then moves onto it).
// Marks the option in seenOptions (bits by OptionId); an error text when it cannot be used.
std::string ReadOption(std::span<const char* const> args, std::size_t& i, LumoRequest& request,
                       unsigned& seenOptions) {
    const std::string_view arg = args[i];
    const std::size_t equals = arg.find('=');
    const OptionSpec* option = FindOption(arg.substr(0, equals));
    if (option == nullptr) return "unknown option " + Quoted(arg.substr(0, equals));
    const char* value = nullptr;
    if (equals != std::string_view::npos) {
        if (!option->takesValue) return std::string(option->name) + " takes no value";
        value = args[i] + equals + 1;
    } else if (option->takesValue) {
        if (i + 1 >= args.size()) return std::string(option->name) + " needs a value";
        value = args[++i];
    }
    seenOptions |= 1u << static_cast<unsigned>(option->id);
    return ApplyOption(option->id, value, request);
}

std::string CheckOptionsApply(unsigned seenOptions, LumoCommand command) {
    const unsigned commandBit = 1u << static_cast<unsigned>(command);
    for (const OptionSpec& option : kOptions) {
        const bool given = (seenOptions & (1u << static_cast<unsigned>(option.id))) != 0;
        if (given && (option.commands & commandBit) == 0)
            return std::string(option.name) + " does not apply to " + CommandName(command);
    }
    return {};
}

// "-h" is the one short option, kept for the habit of asking any program for help that way.
bool IsOption(std::string_view arg) { return (arg.size() >= 2 && arg.substr(0, 2) == "--") || arg == "-h"; }

}  // namespace

ParsedArguments ParseArguments(std::span<const char* const> args) {
    ParsedArguments parsed;
    LumoRequest& request = parsed.request;
    unsigned seenOptions = 0;
    bool commandChosen = false;
    bool optionsEnded = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || !IsOption(arg)) {
            const LumoCommand command = commandChosen || optionsEnded ? LumoCommand::Keys : CommandOfWord(arg);
            commandChosen = true;
            if (command != LumoCommand::Keys) request.command = command;
            else request.words.push_back(args[i]);
        } else if (arg == "--") {
            optionsEnded = true;
        } else {
            parsed.error = ReadOption(args, i, request, seenOptions);
            if (!parsed.error.empty()) return parsed;
            // --help and --version answer at once, whatever follows them.
            if (request.command == LumoCommand::Help || request.command == LumoCommand::Version) return parsed;
        }
    }
    parsed.error = CheckOptionsApply(seenOptions, request.command);
    if (parsed.error.empty()) parsed.error = CheckComplete(request);
    return parsed;
}
