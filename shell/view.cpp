#include "shell/view.h"

#include <windows.h>

#include "engine/calculator.h"
#include "engine/tape.h"
#include "shell/controls.h"
#include "shell/shell.h"

namespace {

constexpr LONGLONG kFlashMilliseconds = 31;

// The performance counter's time, in its own ticks. The standard library's steady clock reads
// the same counter, but linking it brings the C++ exception runtime and the threads library
// into a program that uses neither: a third of the program's size.
LONGLONG Ticks() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

LONGLONG TicksPerSecond() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}

void AddTapeViewLine(const TapeLine& line) {
    const LRESULT item = SendMessageA(g_tapeView, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.text.c_str()));
    if (item >= 0) SendMessageA(g_tapeView, LB_SETITEMDATA, static_cast<WPARAM>(item), line.iMode);
}

// The whole tape again, from its first line.
void ReloadTapeView() {
    SendMessageA(g_tapeView, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < TapeLineCount(); ++i) AddTapeViewLine(TapeLineAt(i));
}

class MainWindowView final : public CalculatorView {
public:
    void SetDisplayText(const char* text) override { SetWindowTextA(g_display, text); }

    void SetMemoryIndicatorText(const char* text) override { SetWindowTextA(g_memoryIndicator, text); }

    // Holds the thread on purpose: the pressed look must stay for the whole time, and no
    // message may overtake the key's action.
    void FlashButton(int buttonId) override {
        HWND button = GetDlgItem(g_mainWindow, buttonId);
        SendMessageA(button, BM_SETSTATE, TRUE, 0);
        SetFocus(button);
        const LONGLONG until = Ticks() + TicksPerSecond() * kFlashMilliseconds / 1000;
        while (Ticks() < until) {
        }
        SendMessageA(button, BM_SETSTATE, FALSE, 0);
    }

    void Beep() override { MessageBeep(0); }

    void ShowMessage(const char* text, const char* caption) override {
        MessageBoxA(g_mainWindow, text, caption, MB_OK);
    }

    void ModeChanged(int mode) override { SetModeDisplayText(mode); }

    // The engine appended line lineIndex, after dropping its oldest line when the tape was full.
    void TapeAdded(int lineIndex) override {
        LRESULT count = SendMessageA(g_tapeView, LB_GETCOUNT, 0, 0);
        for (; count > lineIndex; --count) SendMessageA(g_tapeView, LB_DELETESTRING, 0, 0);
        if (count == lineIndex) {
            AddTapeViewLine(TapeLineAt(lineIndex));
        } else {
            ReloadTapeView();
        }
        SendMessageA(g_tapeView, LB_SETTOPINDEX, static_cast<WPARAM>(lineIndex), 0);
    }

    void TapeCleared() override { ReloadTapeView(); }

    int TapeVisibleLines() override {
        RECT client{};
        GetClientRect(g_tapeView, &client);
        const LRESULT itemHeight = SendMessageA(g_tapeView, LB_GETITEMHEIGHT, 0, 0);
        if (itemHeight <= 0) return 0;
        return static_cast<int>(client.bottom / itemHeight);
    }
};

MainWindowView g_view;

}  // namespace

CalculatorView& ShellView() { return g_view; }
