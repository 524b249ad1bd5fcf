#include "dialogs/roman_dialog.h"

#include <cstdio>

#include "win32/dialog_support.h"
#include "dialogs/help.h"
#include "roman/roman.h"
#include "model/chars.h"
#include "settings/options.h"
#include "win32/resource.h"

namespace {

// The two edit fields' own handlers, kept while the dialog is open: the filters hand on
// everything they do not drop. The dialog is modal and opened once at a time.
WNDPROC g_arabicEditProc = nullptr;
WNDPROC g_romanEditProc = nullptr;

constexpr unsigned char kFirstPrintable = 32;
constexpr unsigned char kFirstNonAscii = 128;
constexpr unsigned char kCaseBit = 0x20;

bool IsDigit(unsigned char c) { return IsDecimalDigit(static_cast<char>(c)); }

// The fourteen letters that may stand in a numeral field.
bool IsRomanLetter(unsigned char c) { return c < kFirstNonAscii && RomanLetterValue(static_cast<char>(c)) != -1; }

// Control characters (backspace, the editing shortcuts) and bytes above 127 are never filtered.
bool PassesUnfiltered(unsigned char c) { return c < kFirstPrintable || c >= kFirstNonAscii; }

void SetCase(char* text, bool upper) {
    for (; *text != '\0'; ++text) *text = upper ? ToUpperAscii(*text) : ToLowerAscii(*text);
}

// True when the clipboard's text could be read and each of its characters passes the test
// (an empty text passes).
bool ClipboardTextPasses(HWND owner, bool (*test)(unsigned char)) {
    bool passes = true;
    const ClipboardRead read = ReadClipboardText(owner, [&](unsigned char c) { return passes = test(c); });
    return read == ClipboardRead::Read && passes;
}

bool UpperCaseChecked(HWND dialog) { return IsDlgButtonChecked(dialog, IDC_ROMAN_UPPER) == BST_CHECKED; }

// A result lands in its field selected, with the focus, so the next typing replaces it.
void ShowResult(HWND dialog, int fieldId, const char* text) {
    SetDlgItemTextA(dialog, fieldId, text);
    SendDlgItemMessageA(dialog, fieldId, EM_SETSEL, 0, -1);
    SetFocus(GetDlgItem(dialog, fieldId));
}

// The numeral field always shows the case that the Upper Case box asks for. Writing the text
// back would put the caret at the front, so the caret (or the selection) is put back where it
// was, after a paste behind the pasted text; re-casing keeps every character in its place.
void RecaseRomanField(HWND dialog) {
    const HWND field = GetDlgItem(dialog, IDC_ROMAN_ROMAN);
    char text[kRomanBufferSize] = {};
    GetWindowTextA(field, text, sizeof text);
    SetCase(text, UpperCaseChecked(dialog));
    DWORD selectionStart = 0;
    DWORD selectionEnd = 0;
    SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart), reinterpret_cast<LPARAM>(&selectionEnd));
    SetWindowTextA(field, text);
    SendMessageA(field, EM_SETSEL, selectionStart, selectionEnd);
    SetFocus(field);
}

LRESULT CALLBACK ArabicEditFilter(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CHAR: {
        const auto c = static_cast<unsigned char>(wParam);
        if (!PassesUnfiltered(c) && !IsDigit(c)) return 0;
        break;
    }
    case WM_PASTE:
        if (!IsClipboardFormatAvailable(CF_TEXT)) return 0;
        if (!ClipboardTextPasses(edit, IsDigit)) {
            MessageBeep(0);
            return 0;
        }
        break;
    default:
        break;
    }
    return CallWindowProcA(g_arabicEditProc, edit, message, wParam, lParam);
}

LRESULT CALLBACK RomanEditFilter(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND dialog = GetParent(edit);
    switch (message) {
    case WM_CHAR: {
        const auto c = static_cast<unsigned char>(wParam);
        if (PassesUnfiltered(c)) break;
        if (!IsRomanLetter(c)) return 0;
        const unsigned char forced = UpperCaseChecked(dialog) ? (c & ~kCaseBit) : (c | kCaseBit);
        return CallWindowProcA(g_romanEditProc, edit, message, forced, lParam);
    }
    case WM_PASTE:
        if (!IsClipboardFormatAvailable(CF_TEXT)) return 0;
        // A refused paste is silent here; accepted or not, the field is re-cased afterwards.
        if (ClipboardTextPasses(edit, IsRomanLetter)) CallWindowProcA(g_romanEditProc, edit, message, wParam, lParam);
        RecaseRomanField(dialog);
        return 0;
    default:
        break;
    }
    return CallWindowProcA(g_romanEditProc, edit, message, wParam, lParam);
}

WNDPROC Subclass(HWND dialog, int fieldId, WNDPROC filter) {
    const LONG_PTR previous =
        SetWindowLongPtrA(GetDlgItem(dialog, fieldId), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(filter));
    return reinterpret_cast<WNDPROC>(previous);
}

// The options, kept in the dialog's user data from WM_INITDIALOG on.
Options& OptionsOf(HWND dialog) { return *reinterpret_cast<Options*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

void OnInitDialog(HWND dialog, Options& options) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&options));
    SetDlgItemTextA(dialog, IDC_ROMAN_ARABIC, "");
    SetDlgItemTextA(dialog, IDC_ROMAN_ROMAN, "");
    // The fields hold no more than the dialog reads back, so nothing typed or pasted is ever
    // cut off unseen.
    SendDlgItemMessageA(dialog, IDC_ROMAN_ARABIC, EM_LIMITTEXT, kRomanBufferSize - 1, 0);
    SendDlgItemMessageA(dialog, IDC_ROMAN_ROMAN, EM_LIMITTEXT, kRomanBufferSize - 1, 0);
    CheckDlgButton(dialog, IDC_ROMAN_UPPER, options.bUpperCase != 0 ? BST_CHECKED : BST_UNCHECKED);
    g_arabicEditProc = Subclass(dialog, IDC_ROMAN_ARABIC, ArabicEditFilter);
    g_romanEditProc = Subclass(dialog, IDC_ROMAN_ROMAN, RomanEditFilter);
}

void OnArabicToRoman(HWND dialog) {
    // Read unsigned so that a too-large number reads as a value out of range, never as a sign.
    const auto value = static_cast<int>(GetDlgItemInt(dialog, IDC_ROMAN_ARABIC, nullptr, FALSE));
    if (value < kRomanMin || value > kRomanMax) {
        MessageBoxA(dialog, "Invalid Arabic Number", "Arabic to Roman Error", MB_OK);
        return;
    }
    char numeral[kRomanBufferSize];
    ArabicToRoman(value, numeral);
    if (UpperCaseChecked(dialog)) SetCase(numeral, true);
    ShowResult(dialog, IDC_ROMAN_ROMAN, numeral);
}

void OnRomanToArabic(HWND dialog) {
    char numeral[kRomanBufferSize] = {};
    GetDlgItemTextA(dialog, IDC_ROMAN_ROMAN, numeral, sizeof numeral);
    const int value = RomanToArabic(numeral);
    if (value == -1) {
        MessageBoxA(dialog, "Invalid Roman Numeral", "Roman to Arabic Error", MB_OK);
        return;
    }
    char text[kRomanBufferSize];
    std::snprintf(text, sizeof text, "%i", value);
    ShowResult(dialog, IDC_ROMAN_ARABIC, text);
}

void OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDC_ROMAN_TO_ROMAN:
        OnArabicToRoman(dialog);
        break;
    case IDC_ROMAN_TO_ARABIC:
        OnRomanToArabic(dialog);
        break;
    case IDC_ROMAN_UPPER:
        RecaseRomanField(dialog);
        break;
    case IDC_ROMAN_HELP:
        ShowHelpTopic(dialog, help_topics::kRoman, IDH_ROMAN);
        break;
    case IDOK:
        OptionsOf(dialog).bUpperCase = UpperCaseChecked(dialog) ? 1 : 0;
        EndDialog(dialog, IDOK);
        break;
    default:
        // The edit fields' notifications, and IDCANCEL from Escape: the dialog closes only
        // with OK or the close box.
        break;
    }
}

INT_PTR CALLBACK RomanDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog, *reinterpret_cast<Options*>(lParam));
        return TRUE;
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam));
        return TRUE;
    case WM_SYSCOMMAND:
        if (SystemCommandOf(wParam) == SC_CLOSE) {
            // The close box drops a changed Upper Case box.
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    case WM_HELP:
        // F1 asks for the same topic as the Help button.
        ShowHelpTopic(dialog, help_topics::kRoman, IDH_ROMAN);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR ShowRomanDialog(HWND owner, HINSTANCE instance, Options& options) {
    return RunModalDialog(instance, IDD_ROMAN, owner, RomanDialogProc, reinterpret_cast<LPARAM>(&options));
}
