#pragma once
// The command line of lumo, read into one plain record. Mode names stay text here: the user
// modes are known only once the settings file has been read.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

enum class LumoCommand { Keys, Convert, Modes, Help, Version };

// The text a converted value is printed in.
enum class ValueFormat { Plain, Display, Clipboard, Digits };

struct LumoRequest {
    LumoCommand command = LumoCommand::Keys;
    const char* mode = nullptr;      // --mode: where the keys start
    const char* from = nullptr;      // --from, --to: the modes of a conversion
    const char* to = nullptr;
    const char* settings = nullptr;  // --settings
    bool strict = false;             // Strict Entry Check
    bool lenient = false;            // convert reads and writes as the window's paste and display
    std::int32_t autoDf = 0;         // Auto DF Correct, as the option stores it
    bool asFrames = false;           // NDF<>DF As Frames
    bool tape = false;
    std::optional<ValueFormat> format;  // when not given: plain, or clipboard under --lenient
    std::vector<const char*> words;  // the keys, or the values to convert
};

struct ParsedArguments {
    LumoRequest request;
    std::string error;  // empty when the arguments are usable
};

// Options begin with "--" (and -h is --help) and may stand anywhere, their value after a space or "="; a lone
// "--" makes every later argument a word. The first word "convert" or "modes" names the
// command; any other words are keys (or values).
ParsedArguments ParseArguments(std::span<const char* const> args);
