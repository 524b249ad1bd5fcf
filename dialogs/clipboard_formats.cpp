#include "dialogs/clipboard_formats.h"

#include <commctrl.h>

#include <cstdio>
#include <iterator>

#include "dialogs/dialog_support.h"
#include "dialogs/help.h"
#include "engine/calculator.h"
#include "format/formatter.h"
#include "model/digit_string.h"
#include "model/drop_frame.h"
#include "model/mode_table.h"
#include "shell/resource.h"

namespace {

// Every row's word as it was when the sheet opened, absent rows included: Cancel puts all of
// them back, also those whose page was never shown.
FormatFlags SavedFormatFlags[kModeCount] = {};

// The FormatFlags bit that each control of 2101-2114 stands for; the separator group box 2104
// stands for none.
constexpr int kFirstFlagControl = IDC_FMT_LEAD_NONE;
constexpr FormatFlags ControlFlagBits[] = {
    LeadNone,      // 2101 &None
    LeadSpaces,    // 2102 &Spaces
    LeadZeros,     // 2103 &Zeros
    0,             // 2104 the Separators group box
    SepNone,       // 2105 N&one
    SepColons,     // 2106 &Colons
    SepPeriod,     // 2107 &Period
    SepSemicolon,  // 2108 S&emicolon
    SepHyphen,     // 2109 &Hyphen
    Commas,        // 2110 &Commas
    PrefixOx,      // 2111 &Leading '0x'
    LeadingZero,   // 2112 Leading &Zero
    Trailing,      // 2113 &Trailing
    UpperCase,     // 2114 &Upper Case
};
constexpr int kLastFlagControl = kFirstFlagControl + int(sizeof ControlFlagBits / sizeof ControlFlagBits[0]) - 1;
static_assert(kLastFlagControl == IDC_FMT_UPPER);
static_assert(IDC_FMT_SEP_GROUP - kFirstFlagControl == 3);

constexpr FormatFlags kLeadingField = LeadNone | LeadSpaces | LeadZeros;
constexpr FormatFlags kSeparatorField = SepNone | SepColons | SepPeriod | SepSemicolon | SepHyphen;
static_assert(kLeadingField == 0x7 && kSeparatorField == 0x1F0);

// Context help of the page controls, ended by a pair of zeros as WinHelp wants it.
constexpr DWORD kFormatPageHelpIds[] = {
    IDC_FMT_LEAD_GROUP,   IDH_FMT_GROUP,        IDC_FMT_LEAD_NONE,     IDH_FMT_LEAD_NONE,
    IDC_FMT_LEAD_SPACES,  IDH_FMT_LEAD_SPACES,  IDC_FMT_LEAD_ZEROS,    IDH_FMT_LEAD_ZEROS,
    IDC_FMT_SEP_GROUP,    IDH_FMT_GROUP,        IDC_FMT_SEP_NONE,      IDH_FMT_SEP_NONE,
    IDC_FMT_SEP_COLONS,   IDH_FMT_SEP_COLONS,   IDC_FMT_SEP_PERIOD,    IDH_FMT_SEP_PERIOD,
    IDC_FMT_SEP_SEMICOLON, IDH_FMT_SEP_SEMICOLON, IDC_FMT_SEP_HYPHEN,  IDH_FMT_SEP_HYPHEN,
    IDC_FMT_COMMAS,       IDH_FMT_COMMAS,       IDC_FMT_PREFIX,        IDH_FMT_PREFIX,
    IDC_FMT_LEADING_ZERO, IDH_FMT_LEADING_ZERO, IDC_FMT_TRAILING,      IDH_FMT_TRAILING,
    IDC_FMT_UPPER,        IDH_FMT_UPPER,        IDC_FMT_KIND_LABEL,    IDH_FMT_KIND_LABEL,
    IDC_FMT_SAMPLE,       IDH_FMT_SAMPLE,       IDC_FMT_ROW,           IDH_FMT_ROW,
    0,                    0,
};

// How a page of each kind looks and what its sample shows: a count, or the count of a text
// read in the row's mode; the time kinds show the first label of minute one that they write.
enum class SampleRule { OneMinute, Text, Count };

struct PageKind {
    int templateId;
    SampleRule rule;
    const char* sampleText;
    std::int32_t sampleCount;
};

constexpr PageKind kPageKinds[kKindCount] = {
    {IDD_FORMAT_HMSF, SampleRule::OneMinute, nullptr, 0},
    {IDD_FORMAT_HMSF_DROP, SampleRule::OneMinute, nullptr, 0},
    {IDD_FORMAT_FEET, SampleRule::Text, "1000-00", 0},
    {IDD_FORMAT_HEX, SampleRule::Count, nullptr, 0x1FFF},
    {IDD_FORMAT_DEC, SampleRule::Count, nullptr, 1000},
    {IDD_FORMAT_OCT, SampleRule::Count, nullptr, 01777},
};

// One radio button of a one-of field: the bit that checks it.
struct FieldButton {
    FormatFlags bit;
    int id;
};

// Hand-edited settings can set several bits of a field; the button shown is then the one
// whose bit the formatter obeys first, so the button agrees with the sample.
constexpr FieldButton kLeadingButtons[] = {
    {LeadZeros, IDC_FMT_LEAD_ZEROS},
    {LeadSpaces, IDC_FMT_LEAD_SPACES},
    {LeadNone, IDC_FMT_LEAD_NONE},
};
constexpr FieldButton kSeparatorButtons[] = {
    {SepNone, IDC_FMT_SEP_NONE},         {SepSemicolon, IDC_FMT_SEP_SEMICOLON}, {SepPeriod, IDC_FMT_SEP_PERIOD},
    {SepHyphen, IDC_FMT_SEP_HYPHEN},     {SepColons, IDC_FMT_SEP_COLONS},
};

// The check boxes, each shown checked when its bit is set.
constexpr int kCheckBoxes[] = {IDC_FMT_COMMAS, IDC_FMT_PREFIX, IDC_FMT_LEADING_ZERO, IDC_FMT_TRAILING, IDC_FMT_UPPER};

FormatFlags ControlBit(int id) { return ControlFlagBits[id - kFirstFlagControl]; }

bool IsValidKind(std::int32_t kind) { return kind >= 0 && kind < kKindCount; }

int ButtonForField(FormatFlags field, const FieldButton* buttons, std::size_t count, int emptyId) {
    for (std::size_t i = 0; i < count; ++i) {
        if ((field & buttons[i].bit) != 0) return buttons[i].id;
    }
    return emptyId;
}

// The row whose word a page edits, kept in the page's user data from its opening on.
int PageRow(HWND page) {
    const LONG_PTR row = GetWindowLongPtrA(page, DWLP_USER);
    return IsValidMode(static_cast<int>(row)) ? static_cast<int>(row) : -1;
}

std::int32_t SampleValue(int row) {
    const ModeRecord& mode = ModeTable[row];
    const PageKind& kind = kPageKinds[mode.iKind];
    switch (kind.rule) {
    case SampleRule::OneMinute:
        // A minute's place value, on past the labels that a drop-frame minute skips.
        return PlaceValueTable[row][4] + DroppedLabelsPerMinute(row);
    case SampleRule::Text:
        return TextToFrames(kind.sampleText, row);
    case SampleRule::Count:
        break;
    }
    return kind.sampleCount;
}

void ShowSample(HWND page, FormatFlags flags, int row) {
    const TextBuffer sample = FormatCount(SampleValue(row), row, flags);
    SetDlgItemTextA(page, IDC_FMT_SAMPLE, sample.c_str());
}

// Boxes only ever get checked here: every box starts unchecked from the template. A call for
// a control that the page lacks does nothing.
void ShowPageFlags(HWND page, int row) {
    const FormatFlags flags = ModeTable[row].iClipFlags;
    CheckRadioButton(page, IDC_FMT_LEAD_NONE, IDC_FMT_LEAD_ZEROS,
                     ButtonForField(flags & kLeadingField, kLeadingButtons, std::size(kLeadingButtons),
                                    IDC_FMT_LEAD_NONE));
    CheckRadioButton(page, IDC_FMT_SEP_NONE, IDC_FMT_SEP_HYPHEN,
                     ButtonForField(flags & kSeparatorField, kSeparatorButtons, std::size(kSeparatorButtons),
                                    IDC_FMT_SEP_NONE));
    for (int id : kCheckBoxes) {
        if ((flags & ControlBit(id)) != 0) CheckDlgButton(page, id, BST_CHECKED);
    }
}

void ShowTrailingCheck(HWND page, int row) {
    const HWND box = GetDlgItem(page, IDC_FMT_TRAILING);
    if (box == nullptr) return;
    const ModeRecord& mode = ModeTable[row];
    if (mode.szSuffix.empty()) {
        ShowWindow(box, SW_HIDE);
        return;
    }
    char text[kMaxTextLength + 1];
    std::snprintf(text, sizeof text, "&Trailing: %s", mode.szSuffix.c_str());
    SetWindowTextA(box, text);
}

void OnInitPage(HWND page, const PROPSHEETPAGEA& description) {
    const int row = static_cast<int>(description.lParam);
    ShowSample(page, ModeTable[row].iClipFlags, row);
    ShowPageFlags(page, row);
    ShowTrailingCheck(page, row);

    char text[kMaxTextLength + 1];
    std::snprintf(text, sizeof text, "%s:", KindNames[ModeTable[row].iKind]);
    SetDlgItemTextA(page, IDC_FMT_KIND_LABEL, text);
    std::snprintf(text, sizeof text, "%i", row);
    SetDlgItemTextA(page, IDC_FMT_ROW, text);
    ShowWindow(GetDlgItem(page, IDC_FMT_ROW), SW_HIDE);
    SetWindowLongPtrA(page, DWLP_USER, row);
}

// A click changes the row's word at once; the sample follows.
void OnClick(HWND page, int id) {
    const int row = PageRow(page);
    if (row < 0) return;
    FormatFlags& flags = ModeTable[row].iClipFlags;
    if (id >= IDC_FMT_LEAD_NONE && id <= IDC_FMT_LEAD_ZEROS) {
        CheckRadioButton(page, IDC_FMT_LEAD_NONE, IDC_FMT_LEAD_ZEROS, id);
        flags = (flags & ~kLeadingField) | ControlBit(id);
    } else if (id >= IDC_FMT_SEP_NONE && id <= IDC_FMT_SEP_HYPHEN) {
        CheckRadioButton(page, IDC_FMT_SEP_NONE, IDC_FMT_SEP_HYPHEN, id);
        flags = (flags & ~kSeparatorField) | ControlBit(id);
    } else if (id >= IDC_FMT_COMMAS && id <= IDC_FMT_UPPER) {
        flags &= ~ControlBit(id);
        if (IsDlgButtonChecked(page, id) == BST_CHECKED) flags |= ControlBit(id);
    } else {
        return;
    }
    ShowSample(page, flags, row);
}

INT_PTR OnNotify(HWND page, const NMHDR& header) {
    switch (header.code) {
    case PSN_RESET:
        // Every opened page gets this and restores the same copy.
        for (int row = 0; row < kModeCount; ++row) ModeTable[row].iClipFlags = SavedFormatFlags[row];
        SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
        return FALSE;
    case PSN_APPLY:
        // The words were changed in place while the user clicked.
        SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
    case PSN_KILLACTIVE:
        SetWindowLongPtrA(page, DWLP_MSGRESULT, FALSE);
        return TRUE;
    case PSN_HELP:
        ShowHelpTopic(page, help_topics::kClipboardFormats, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK FormatPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitPage(page, *reinterpret_cast<const PROPSHEETPAGEA*>(lParam));
        return TRUE;
    case WM_COMMAND:
        OnClick(page, LOWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        return OnNotify(page, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_HELP:
        // The "?" button, then a click on a control, or F1 on the control with the focus.
        ShowControlHelp(*reinterpret_cast<const HELPINFO*>(lParam), kFormatPageHelpIds);
        return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        // The read-only sample is grey. Edit controls with ES_READONLY ask with
        // WM_CTLCOLORSTATIC, so both are answered; everything else keeps the default colours.
        return reinterpret_cast<INT_PTR>(ReadOnlyEditBrush(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)));
    default:
        return FALSE;
    }
}

}  // namespace

const DWORD* FormatPageHelpIds() { return kFormatPageHelpIds; }

INT_PTR OpenClipboardFormats(HWND owner, HINSTANCE instance) {
    for (int row = 0; row < kModeCount; ++row) SavedFormatFlags[row] = ModeTable[row].iClipFlags;

    PROPSHEETPAGEA pages[kModeCount] = {};
    UINT pageCount = 0;
    UINT startPage = 0;
    for (int row = 0; row < kModeCount; ++row) {
        if (!IsModePresent(row) || !IsValidKind(ModeTable[row].iKind)) continue;
        if (row == g_calc.iMode) startPage = pageCount;
        PROPSHEETPAGEA& page = pages[pageCount++];
        page.dwSize = sizeof page;
        page.dwFlags = PSP_USETITLE | PSP_HASHELP;
        page.hInstance = instance;
        page.pszTemplate = MAKEINTRESOURCEA(kPageKinds[ModeTable[row].iKind].templateId);
        page.pszTitle = ModeTable[row].szShortName.c_str();
        page.pfnDlgProc = FormatPageProc;
        page.lParam = row;
    }

    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_HASHELP;
    header.hwndParent = owner;
    header.hInstance = instance;
    header.pszCaption = "Clipboard Formats";
    header.nPages = pageCount;
    header.nStartPage = startPage;
    header.ppsp = pages;
    return PropertySheetA(&header);
}
