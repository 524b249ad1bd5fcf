// lumo's entry point: the standard streams and the settings file beside the executable.

#include <cerrno>
#include <cstdint>
#include <sys/stat.h>

#include <cstdio>
#include <span>
#include <string>

#include "cli/lumo.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif
#ifdef __APPLE__
#include <mach-o/dyld.h>
#endif

namespace {

// Standard input as it arrives: a read returns what a pipe or a terminal holds so far, and
// lumo answers it before it waits for more.
class StandardInput final : public ByteSource {
public:
    std::size_t Read(char* buffer, std::size_t capacity) override {
        for (;;) {
#ifdef _WIN32
            const int count = _read(0, buffer, static_cast<unsigned>(capacity));
#else
            const ssize_t count = read(0, buffer, capacity);
#endif
            if (count >= 0) return static_cast<std::size_t>(count);
            if (errno != EINTR) return 0;
        }
    }
};

// A standard stream that passes each piece on at once.
class StandardStream final : public ByteSink {
public:
    explicit StandardStream(std::FILE* stream) : stream_(stream) {}
    void Write(const char* bytes, std::size_t count) override {
        std::fwrite(bytes, 1, count, stream_);
        std::fflush(stream_);
    }

private:
    std::FILE* stream_;
};

std::string ExecutablePath(const char* argv0) {
#ifdef _WIN32
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) return std::string(path, length);
#elif defined(__APPLE__)
    char path[4096];
    std::uint32_t size = sizeof path;
    if (_NSGetExecutablePath(path, &size) == 0) return path;
#else
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length > 0 && static_cast<std::size_t>(length) < sizeof path) return std::string(path, static_cast<std::size_t>(length));
#endif
    return argv0 != nullptr ? argv0 : "";
}

// The window reads the settings file named after its executable, vexo.INI; the name is looked
// for as the window writes it and as people write it, for file systems that tell case apart.
constexpr const char* kSettingsNames[] = {"VEXO.INI", "vexo.INI", "vexo.ini"};

std::string SettingsBeside(const std::string& executable) {
    const std::size_t slash = executable.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? "" : executable.substr(0, slash + 1);
    // Only asked whether the name is there: opening it could wait forever on a pipe. lumo then
    // refuses what is not a settings file.
    for (const char* name : kSettingsNames) {
        const std::string path = folder + name;
        struct stat status;
        if (stat(path.c_str(), &status) == 0) return path;
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    StandardInput input;
    StandardStream output(stdout);
    StandardStream errors(stderr);
    const LumoStreams streams{input, output, errors};
    const std::string settings = SettingsBeside(ExecutablePath(argc > 0 ? argv[0] : nullptr));
    const std::span<const char* const> args(argv + (argc > 0 ? 1 : 0), argc > 0 ? static_cast<std::size_t>(argc - 1) : 0);
    return RunLumo(args, streams, settings.empty() ? nullptr : settings.c_str());
}
