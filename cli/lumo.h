#pragma once
// lumo, the calculator on the command line: the engine, the model and the settings of the
// window behind a front end of arguments and text streams. Everything but main() lives here, so
// the tests run lumo inside their own process.

#include <cstddef>
#include <span>

// Where lumo reads values and writes text. main() backs them with the standard streams, the
// tests with strings.
class ByteSource {
public:
    // At most capacity bytes, and as soon as any are there (a pipe is read as it fills); 0 at
    // the end of the input.
    virtual std::size_t Read(char* buffer, std::size_t capacity) = 0;

protected:
    ~ByteSource() = default;
};

class ByteSink {
public:
    // lumo gathers its text and hands it over whenever the reader should have it: before it
    // waits for more input, before an error message and at the end.
    virtual void Write(const char* bytes, std::size_t count) = 0;

protected:
    ~ByteSink() = default;
};

struct LumoStreams {
    ByteSource& input;
    ByteSink& output;
    ByteSink& errors;
};

// The process's exit status, seen by the shell, so the values are fixed.
enum ExitStatus : int {
    ExitOk = 0,
    ExitFailed = 1,  // a message of the calculator or a line that is not a value
    ExitUsage = 2,   // an unknown command word, option, mode or key name
};

// Runs lumo on its arguments (without the program name). defaultSettings is the settings file
// read when no --settings is given, or null for the built-in modes alone.
ExitStatus RunLumo(std::span<const char* const> args, const LumoStreams& streams, const char* defaultSettings);
