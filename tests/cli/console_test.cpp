// lumo.exe as a Windows console program, started with pipes for its standard streams the way a
// script or another program starts it: output with CRLF line ends, exit statuses, standard
// input answered line by line, and VEXO.INI found beside the executable.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>

#include "tests/settings/temp_folder.h"

namespace {

// The build's lumo.exe: a path of the build machine, seen by Wine through drive Z:.
std::string LumoExe() {
    std::string path = LUMO_EXE_PATH;
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE* Out() { return &h_; }
    HANDLE get() const { return h_; }
    void Close() {
        if (h_ != nullptr && h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
        h_ = nullptr;
    }

private:
    HANDLE h_ = nullptr;
};

// The child's end is inherited, ours is not.
void MakePipe(Handle& read, Handle& write, bool childReads) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    ASSERT_TRUE(CreatePipe(read.Out(), write.Out(), &inherit, 0)) << GetLastError();
    SetHandleInformation(childReads ? write.get() : read.get(), HANDLE_FLAG_INHERIT, 0);
}

std::string ReadAll(HANDLE pipe) {
    std::string text;
    char buffer[4096];
    DWORD count = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &count, nullptr) && count > 0) text.append(buffer, count);
    return text;
}

// Bytes that have arrived in the pipe, waiting up to five seconds for a line end.
std::string ReadLineFrom(HANDLE pipe) {
    std::string text;
    for (int waited = 0; waited < 5000 && text.find('\n') == std::string::npos; waited += 10) {
        DWORD available = 0;
        if (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
            std::string chunk(available, '\0');
            DWORD count = 0;
            ReadFile(pipe, chunk.data(), available, &count, nullptr);
            text.append(chunk.data(), count);
        } else {
            Sleep(10);
        }
    }
    return text;
}

class ConsoleLumo {
public:
    explicit ConsoleLumo(const std::string& arguments, const std::string& exe = LumoExe()) {
        MakePipe(inRead_, inWrite_, true);
        MakePipe(outRead_, outWrite_, false);
        MakePipe(errRead_, errWrite_, false);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = inRead_.get();
        startup.hStdOutput = outWrite_.get();
        startup.hStdError = errWrite_.get();
        std::string line = "\"" + exe + "\" " + arguments;
        started_ = CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                  &startup, &process_) != 0;
        EXPECT_TRUE(started_) << "CreateProcess(" << exe << ") failed, error " << GetLastError();
        // Only the child holds these now, so the pipes end when it does.
        inRead_.Close();
        outWrite_.Close();
        errWrite_.Close();
    }
    ~ConsoleLumo() {
        if (!started_) return;
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    void Write(const std::string& text) {
        DWORD written = 0;
        WriteFile(inWrite_.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
    void EndInput() { inWrite_.Close(); }
    HANDLE Output() const { return outRead_.get(); }

    // Ends the input, collects both streams to their end and the exit status.
    void Finish(std::string& out, std::string& err, DWORD& status) {
        EndInput();
        std::thread errors([&] { err = ReadAll(errRead_.get()); });
        out += ReadAll(outRead_.get());
        errors.join();
        status = 0xFFFF;
        if (started_ && WaitForSingleObject(process_.hProcess, 10000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process_.hProcess, &status);
    }

private:
    Handle inRead_, inWrite_, outRead_, outWrite_, errRead_, errWrite_;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

struct ConsoleCase {
    const char* arguments;
    const char* input;
    const char* out;
    const char* err;
    DWORD status;
};

const ConsoleCase kCases[] = {
    {"--tape --mode Dec \"1+2*3=\"", "", "  1\r\n+ 2\r\n* 3\r\n= 9\r\n9\r\n", "", 0},
    {"--mode NDF \"1000000+3000=@DF\"", "", "1:00:29;29\r\n", "", 0},
    {"convert --from Film --to Pal 01:00:00:00 x", "", "01:00:00:00\r\n\r\n",
     "lumo: value 2: not a value in Film: \"x\"\r\n", 1},
    {"convert --from DF --to NDF", "00:01:00;00\r\n00:01:00;02\r\n", "\r\n00:01:00:02\r\n",
     "lumo: line 1: a drop-frame label that DF skips (--auto-df minus or plus moves it): \"00:01:00;00\"\r\n", 1},
    {"--mode Dec 7/0=", "", "0\r\n", "lumo: Dividing By Zero\r\n", 1},
};

TEST(LumoConsole, PrintsAndExitsAsOnLinux) {
    for (const ConsoleCase& c : kCases) {
        ConsoleLumo lumo(c.arguments);
        lumo.Write(c.input);
        std::string out, err;
        DWORD status = 0;
        lumo.Finish(out, err, status);
        EXPECT_EQ(out, c.out) << c.arguments;
        EXPECT_EQ(err, c.err) << c.arguments;
        EXPECT_EQ(status, c.status) << c.arguments;
    }
}

TEST(LumoConsole, AUsageErrorExitsWithTwo) {
    ConsoleLumo lumo("--mode Klingon 1");
    std::string out, err;
    DWORD status = 0;
    lumo.Finish(out, err, status);
    EXPECT_EQ(err.substr(0, err.find(" (")), "lumo: unknown mode 'Klingon'");
    EXPECT_EQ(out, "");
    EXPECT_EQ(status, 2u);
}

// Each answer comes out while the pipe into lumo is still open.
TEST(LumoConsole, AnswersEachLineOfAPipeAsItComes) {
    ConsoleLumo lumo("convert --from Film --to Pal");
    lumo.Write("00:00:00:12\r\n");
    EXPECT_EQ(ReadLineFrom(lumo.Output()), "00:00:00:13\r\n");
    lumo.Write("01:00:00:00\r\n");
    EXPECT_EQ(ReadLineFrom(lumo.Output()), "01:00:00:00\r\n");
    std::string out, err;
    DWORD status = 0;
    lumo.Finish(out, err, status);
    EXPECT_EQ(out + err, "");
    EXPECT_EQ(status, 0u);
}

TEST(LumoConsole, ReadsTheSettingsFileBesideIt) {
    TempFolder folder;
    const std::string exe = folder.File("lumo.exe");
    ASSERT_TRUE(CopyFileA(LumoExe().c_str(), exe.c_str(), FALSE)) << GetLastError();
    WriteFileBytes(folder.File("vexo.INI"), "[Vexo Special]\r\nszCfr1=23.98,2398, 23.98,23.976,1,HMSF,0\r\n");
    ConsoleLumo lumo("convert --from 2398 --to Film 01:00:00:00", exe);
    std::string out, err;
    DWORD status = 0;
    lumo.Finish(out, err, status);
    EXPECT_EQ(out, "01:00:03:14\r\n") << err;  // 86400 frames at 23.976 a second, 86486.5 at 24
    EXPECT_EQ(status, 0u);
}

}  // namespace
