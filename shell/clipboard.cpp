#include "shell/clipboard.h"

#include <cstring>

#include "engine/calculator.h"
#include "format/formatter.h"
#include "model/fixed_text.h"
#include "model/mode_table.h"
#include "settings/options.h"
#include "shell/resource.h"

namespace {

constexpr unsigned char kFirstNonAscii = 128;

struct CopySource {
    bool found = false;
    TextBuffer text;
    int mode = 0;
};

// The tape's selected line when the tape is shown and has the focus, else the display.
CopySource ChooseSource(HWND mainWindow) {
    CopySource source;
    const HWND tape = GetDlgItem(mainWindow, IDC_TAPE);
    if (tape != nullptr && GetFocus() == tape && g_options.bDispTape == 1) {
        const LRESULT line = SendMessageA(tape, LB_GETCURSEL, 0, 0);
        if (line == LB_ERR) return source;
        // LB_GETTEXT knows no buffer size: a line that would not fit is not read at all.
        const LRESULT length = SendMessageA(tape, LB_GETTEXTLEN, line, 0);
        if (length == LB_ERR || length > LRESULT(kMaxTextLength)) return source;
        char text[kMaxTextLength + 1] = {};
        SendMessageA(tape, LB_GETTEXT, line, reinterpret_cast<LPARAM>(text));
        const LRESULT mode = SendMessageA(tape, LB_GETITEMDATA, line, 0);
        source.text.assign(text);
        source.mode = (mode >= 0 && mode < kModeCount) ? int(mode) : 0;
        source.found = true;
        return source;
    }
    char text[kMaxTextLength + 1] = {};
    GetWindowTextA(GetDlgItem(mainWindow, IDC_DISPLAY), text, sizeof text);
    source.text.assign(text);
    source.mode = (g_calc.iMode >= 0 && g_calc.iMode < kModeCount) ? g_calc.iMode : 0;
    source.found = true;
    return source;
}

// The clipboard's text, its first 127 characters at most; empty when it cannot be read. The
// block belongs to another program, so the copy never reads past its end even when no zero
// byte comes first.
TextBuffer ReadClipboardText(HWND mainWindow, bool& opened) {
    TextBuffer text;
    opened = OpenClipboard(mainWindow) != FALSE;
    if (!opened) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT); data != nullptr) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data)); bytes != nullptr) {
            const SIZE_T size = GlobalSize(data);
            for (SIZE_T i = 0; i < size && bytes[i] != '\0' && !text.full(); ++i) text.append(bytes[i]);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool IsDecimalDigit(unsigned char c) { return c >= '0' && c <= '9'; }

bool IsHexDigit(unsigned char c) { return IsDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Checked per character: a pasted digit never changes the mode, but the rule is the mode's.
bool PassesInCurrentMode(unsigned char c) {
    if (c >= kFirstNonAscii) return false;
    return ModeKindOf(g_calc.iMode) == KindHex ? IsHexDigit(c) : IsDecimalDigit(c);
}

}  // namespace

void CopyToClipboard(HWND mainWindow) {
    const CopySource source = ChooseSource(mainWindow);
    if (!source.found) return;
    const TextBuffer text = FormatDigits(source.text.c_str(), source.mode, ModeTable[source.mode].iClipFlags);

    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
    if (block == nullptr) return;
    char* bytes = static_cast<char*>(GlobalLock(block));
    if (bytes == nullptr) {
        GlobalFree(block);
        return;
    }
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block);

    if (!OpenClipboard(mainWindow)) {
        GlobalFree(block);
        return;
    }
    EmptyClipboard();
    // Once set, the block is the clipboard's; only a refused block is still ours to free.
    const bool placed = SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    if (!placed) {
        GlobalFree(block);
        return;
    }
    EnableMenuItem(GetMenu(mainWindow), IDM_PASTE, MF_BYCOMMAND | MF_ENABLED);
}

void PasteFromClipboard(HWND mainWindow) {
    if (!IsClipboardFormatAvailable(CF_TEXT)) return;
    bool opened = false;
    const TextBuffer text = ReadClipboardText(mainWindow, opened);
    // A clipboard that another program holds open leaves the entry as it was.
    if (!opened) return;

    g_calc.szEntry.clear();
    g_calc.iEntryLen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (PassesInCurrentMode(c)) KeyChar(static_cast<char>(c), false);
    }
}
