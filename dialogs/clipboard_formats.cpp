#include "dialogs/clipboard_formats.h"

#include <commctrl.h>

#include <cstdio>
#include <iterator>

#include "win32/dialog_support.h"
#include "dialogs/help.h"
#include "format/formatter.h"
#include "model/digit_string.h"
#include "model/drop_frame.h"
#include "model/mode_table.h"
#include "win32/resource.h"

namespace {

// What the sheet edits: the table's clipboard formats, changed in place as the user clicks, and
// every row's word as it was when the sheet opened, absent rows included: Cancel puts all of
// them back, also those whose page was never shown.
struct FormatSheet {
    ModeTable& modes;
    FormatFlags saved[kModeCount];
};

// What a page edits: one row of the sheet's table.
struct FormatPage {
    FormatSheet* sheet;
    int row;
};

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
    IDC_FMT_SAMPLE,       IDH_FMT_SAMPLE,       0,                     0,
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

// The row that a page edits, kept in the page's user data from its opening on; null before.
const FormatPage* PageOf(HWND page) { return reinterpret_cast<const FormatPage*>(GetWindowLongPtrA(page, DWLP_USER)); }

std::int32_t SampleValue(const ModeTable& modes, int row) {
    const ModeRecord& mode = modes.rows[row];
    const PageKind& kind = kPageKinds[mode.iKind];
    switch (kind.rule) {
    case SampleRule::OneMinute:
        // A minute's place value, on past the labels that a drop-frame minute skips.
        return modes.placeValues[row][4] + DroppedLabelsPerMinute(modes, row);
    case SampleRule::Text:
        return TextToFrames(modes, kind.sampleText, row);
    case SampleRule::Count:
        break;
    }
    return kind.sampleCount;
}

void ShowSample(HWND page, const ModeTable& modes, FormatFlags flags, int row) {
    const TextBuffer sample = FormatCount(modes, SampleValue(modes, row), row, flags);
    SetDlgItemTextA(page, IDC_FMT_SAMPLE, sample.c_str());
}

// Boxes only ever get checked here: every box starts unchecked from the template. A call for
// a control that the page lacks does nothing.
void ShowPageFlags(HWND page, FormatFlags flags) {
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

void ShowTrailingCheck(HWND page, const ModeRecord& mode) {
    const HWND box = GetDlgItem(page, IDC_FMT_TRAILING);
    if (box == nullptr) return;
    if (mode.szSuffix.empty()) {
        ShowWindow(box, SW_HIDE);
        return;
    }
    char text[kMaxTextLength + 1];
    std::snprintf(text, sizeof text, "&Trailing: %s", mode.szSuffix.c_str());
    SetWindowTextA(box, text);
}

void OnInitPage(HWND page, const PROPSHEETPAGEA& description) {
    const auto* formatPage = reinterpret_cast<const FormatPage*>(description.lParam);
    const ModeTable& modes = formatPage->sheet->modes;
    const ModeRecord& mode = modes.rows[formatPage->row];
    ShowSample(page, modes, mode.iClipFlags, formatPage->row);
    ShowPageFlags(page, mode.iClipFlags);
    ShowTrailingCheck(page, mode);

    char text[kMaxTextLength + 1];
    std::snprintf(text, sizeof text, "%s:", KindNames[mode.iKind]);
    SetDlgItemTextA(page, IDC_FMT_KIND_LABEL, text);
    SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(formatPage));
}

// A click changes the row's word at once; the sample follows.
void OnClick(HWND page, int id) {
    const FormatPage* formatPage = PageOf(page);
    if (formatPage == nullptr) return;
    ModeTable& modes = formatPage->sheet->modes;
    FormatFlags& flags = modes.rows[formatPage->row].iClipFlags;
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
    ShowSample(page, modes, flags, formatPage->row);
}

INT_PTR OnNotify(HWND page, const NMHDR& header) {
    switch (header.code) {
    case PSN_RESET:
        // Every opened page gets this and restores the same copy.
        if (const FormatPage* formatPage = PageOf(page); formatPage != nullptr) {
            FormatSheet& sheet = *formatPage->sheet;
            for (int row = 0; row < kModeCount; ++row) sheet.modes.rows[row].iClipFlags = sheet.saved[row];
        }
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

INT_PTR OpenClipboardFormats(HWND owner, HINSTANCE instance, ModeTable& modes, int currentMode) {
    FormatSheet sheet{modes, {}};
    for (int row = 0; row < kModeCount; ++row) sheet.saved[row] = modes.rows[row].iClipFlags;

    PROPSHEETPAGEA pages[kModeCount] = {};
    FormatPage pageRows[kModeCount] = {};
    UINT pageCount = 0;
    UINT startPage = 0;
    for (int row = 0; row < kModeCount; ++row) {
        if (!IsModePresent(modes, row) || !IsValidKind(modes.rows[row].iKind)) continue;
        if (row == currentMode) startPage = pageCount;
        pageRows[pageCount] = FormatPage{&sheet, row};
        PROPSHEETPAGEA& page = pages[pageCount];
        page.dwSize = sizeof page;
        page.dwFlags = PSP_USETITLE | PSP_HASHELP;
        page.hInstance = instance;
        page.pszTemplate = MAKEINTRESOURCEA(kPageKinds[modes.rows[row].iKind].templateId);
        page.pszTitle = modes.rows[row].szShortName.c_str();
        page.pfnDlgProc = FormatPageProc;
        page.lParam = reinterpret_cast<LPARAM>(&pageRows[pageCount]);
        ++pageCount;
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
