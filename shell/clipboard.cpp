#include "shell/clipboard.h"

#include <cstring>

#include "win32/dialog_support.h"
#include "format/formatter.h"
#include "model/fixed_text.h"
#include "model/mode_table.h"
#include "shell/application.h"
#include "shell/controls.h"
#include "win32/resource.h"

namespace {

struct CopySource {
    bool found = false;
    TextBuffer text;
    int mode = 0;
};

// The tape's selected line when the tape is shown and has the focus, else the display.
CopySource ChooseSource(HWND mainWindow) {
    CopySource source;
    const HWND tape = GetDlgItem(mainWindow, IDC_TAPE);
    if (tape != nullptr && GetFocus() == tape && AppOf(mainWindow).options.bDispTape == 1) {
        const LRESULT line = SendMessageA(tape, LB_GETCURSEL, 0, 0);
        if (line == LB_ERR) return source;
        source.found = ReadTapeViewLine(static_cast<int>(line), source.text);
        const LRESULT mode = SendMessageA(tape, LB_GETITEMDATA, line, 0);
        source.mode = IsValidMode(static_cast<int>(mode)) ? static_cast<int>(mode) : 0;
        return source;
    }
    char text[kMaxTextLength + 1] = {};
    GetWindowTextA(GetDlgItem(mainWindow, IDC_DISPLAY), text, sizeof text);
    source.text.assign(text);
    source.mode = AppOf(mainWindow).calculator.State().iMode;
    source.found = true;
    return source;
}

}  // namespace

void CopyToClipboard(HWND mainWindow) {
    const CopySource source = ChooseSource(mainWindow);
    if (!source.found) return;
    const ModeTable& modes = AppOf(mainWindow).modes;
    const TextBuffer text = FormatDigits(modes, source.text.c_str(), source.mode, modes.rows[source.mode].iClipFlags);

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
    TextBuffer text;
    const ClipboardRead read = ReadClipboardText(mainWindow, [&text](unsigned char c) {
        text.append(static_cast<char>(c));
        return !text.full();
    });
    // A clipboard that another program holds open leaves the entry as it was; text that cannot
    // be read counts as empty.
    if (read != ClipboardRead::NotOpened) AppOf(mainWindow).calculator.PasteText(text.c_str());
}
