#include "shell/view.h"

#include <windows.h>

#include "engine/tape.h"
#include "shell/application.h"
#include "shell/controls.h"

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

}  // namespace

void MainWindowView::SetDisplayText(const char* text) { SetWindowTextA(g_display, text); }

void MainWindowView::SetMemoryIndicatorText(const char* text) { SetWindowTextA(g_memoryIndicator, text); }

// Holds the thread on purpose: the pressed look must stay for the whole time, and no message may
// overtake the key's action.
void MainWindowView::FlashButton(int buttonId) {
    HWND button = GetDlgItem(mainWindow_, buttonId);
    SendMessageA(button, BM_SETSTATE, TRUE, 0);
    SetFocus(button);
    const LONGLONG until = Ticks() + TicksPerSecond() * kFlashMilliseconds / 1000;
    while (Ticks() < until) {
    }
    SendMessageA(button, BM_SETSTATE, FALSE, 0);
}

void MainWindowView::Beep() { MessageBeep(0); }

void MainWindowView::ShowMessage(const char* text, const char* caption) { MessageBoxA(mainWindow_, text, caption, MB_OK); }

void MainWindowView::ModeChanged(int mode) { SetModeDisplayText(AppOf(mainWindow_).modes, mode); }

void MainWindowView::TapeAdded(const TapeLine& line, bool oldestDropped) {
    if (oldestDropped) SendMessageA(g_tapeView, LB_DELETESTRING, 0, 0);
    AddTapeViewLine(line);
    const LRESULT count = SendMessageA(g_tapeView, LB_GETCOUNT, 0, 0);
    if (count > 0) SendMessageA(g_tapeView, LB_SETTOPINDEX, static_cast<WPARAM>(count - 1), 0);
}

// The whole tape again, from its first line.
void MainWindowView::TapeCleared(const Tape& tape) {
    SendMessageA(g_tapeView, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < tape.Count(); ++i) AddTapeViewLine(tape.At(i));
}

int MainWindowView::TapeVisibleLines() {
    RECT client{};
    GetClientRect(g_tapeView, &client);
    const LRESULT itemHeight = SendMessageA(g_tapeView, LB_GETITEMHEIGHT, 0, 0);
    if (itemHeight <= 0) return 0;
    return static_cast<int>(client.bottom / itemHeight);
}
