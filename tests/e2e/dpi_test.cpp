// The program on screens of 96, 144 and 192 DPI: every size of the main window multiplied by
// DPI/96, nothing clipped and nothing overlapping, in the main window and in the dialogs. Wine
// gives a process the DPI of LogPixels as it starts, and answers another process's DPI question
// with the asker's DPI, so sizes are measured instead. The pictures at 144 and 192 DPI are for a
// person to look at.
#include "win32/resource.h"
#include "tests/e2e/driver.h"
#include "tests/support/layout.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace e2e {
namespace {

constexpr DWORD kNormalDpi = 96;

int AtDpi(int length, DWORD dpi) { return MulDiv(length, static_cast<int>(dpi), static_cast<int>(kNormalDpi)); }

// The controls whose places are compared; the display and the memory indicator lie inside the
// frame on purpose, so only the others must keep apart.
struct Placed {
    int id;
    bool apart;
};

std::vector<Placed> MainControls()
{
    std::vector<Placed> controls = {{IDC_TAPE, true}, {IDC_FRAME, true}, {IDC_DISPLAY, false},
                                    {IDC_MEMORY, false}, {IDC_MODE_DISPLAY, true}};
    for (int id = IDC_FIRST_KEY; id <= IDC_LAST_KEY; ++id)
        controls.push_back({id, true});
    return controls;
}

RECT ClientRectOf(HWND parent, HWND control)
{
    RECT rect = WindowRect(control);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

using Layout = std::map<int, RECT>;

Layout ReadLayout(const Vexo& v)
{
    Layout layout;
    for (const Placed& control : MainControls())
        layout[control.id] = ClientRectOf(v.main, Control(v, control.id));
    return layout;
}

std::string Describe(const RECT& r)
{
    char text[64];
    std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld)", r.left, r.top, r.right, r.bottom);
    return text;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Each visible control lies inside the client area, and none covers another.
void ExpectNothingClippedOrOverlapping(const Vexo& v, const Layout& layout)
{
    RECT client{};
    GetClientRect(v.main, &client);
    std::vector<std::pair<int, RECT>> shown;
    for (const Placed& control : MainControls()) {
        if (!IsWindowVisible(Control(v, control.id)))
            continue;
        const RECT& rect = layout.at(control.id);
        EXPECT_TRUE(Inside(rect, client)) << "control " << control.id << " at " << Describe(rect)
                                          << " leaves the client area " << Describe(client);
        if (control.apart)
            shown.emplace_back(control.id, rect);
    }
    for (size_t i = 0; i < shown.size(); ++i) {
        for (size_t j = i + 1; j < shown.size(); ++j) {
            RECT common{};
            EXPECT_FALSE(IntersectRect(&common, &shown[i].second, &shown[j].second))
                << "controls " << shown[i].first << " " << Describe(shown[i].second) << " and " << shown[j].first
                << " " << Describe(shown[j].second) << " overlap";
        }
    }
}

// The keys in rows and columns: their distinct left and top edges.
void KeyGrid(const Layout& layout, std::vector<LONG>& columns, std::vector<LONG>& rows)
{
    for (int id = IDC_FIRST_KEY; id <= IDC_LAST_KEY; ++id) {
        columns.push_back(layout.at(id).left);
        rows.push_back(layout.at(id).top);
    }
    for (std::vector<LONG>* lines : {&columns, &rows}) {
        std::sort(lines->begin(), lines->end());
        lines->erase(std::unique(lines->begin(), lines->end()), lines->end());
    }
}

bool WithinAPixel(const RECT& got, const RECT& wanted)
{
    return std::abs(got.left - wanted.left) <= 1 && std::abs(got.top - wanted.top) <= 1 &&
           std::abs(got.right - wanted.right) <= 1 && std::abs(got.bottom - wanted.bottom) <= 1;
}

RECT AtDpi(const RECT& r, DWORD dpi) { return {AtDpi(r.left, dpi), AtDpi(r.top, dpi), AtDpi(r.right, dpi), AtDpi(r.bottom, dpi)}; }

// At `dpi` every control other than a key lies where its 96-DPI place multiplied by DPI/96 says,
// give or take the pixel of rounding. The keys keep the keypad's grid: each has the size of a
// 96-DPI key multiplied by DPI/96, and so has each step from one column or row to the next, so
// that the keys stay equal and evenly spaced; the grid starts where the 96-DPI one does.
void ExpectScaled(const Layout& got, const Layout& at96, DWORD dpi)
{
    for (const auto& [id, rect] : got) {
        if (id >= IDC_FIRST_KEY && id <= IDC_LAST_KEY) {
            const RECT& key = at96.at(id);
            EXPECT_EQ(rect.right - rect.left, AtDpi(key.right - key.left, dpi)) << "width of key " << id;
            EXPECT_EQ(rect.bottom - rect.top, AtDpi(key.bottom - key.top, dpi)) << "height of key " << id;
            continue;
        }
        EXPECT_TRUE(WithinAPixel(rect, AtDpi(at96.at(id), dpi)))
            << "control " << id << ": got " << Describe(rect) << ", wanted " << Describe(AtDpi(at96.at(id), dpi))
            << " give or take a pixel";
    }
    std::vector<LONG> columns, rows, columns96, rows96;
    KeyGrid(got, columns, rows);
    KeyGrid(at96, columns96, rows96);
    ASSERT_EQ(columns.size(), columns96.size());
    ASSERT_EQ(rows.size(), rows96.size());
    EXPECT_NEAR(columns[0], AtDpi(columns96[0], dpi), 1) << "first column";
    EXPECT_NEAR(rows[0], AtDpi(rows96[0], dpi), 1) << "first row";
    for (size_t i = 1; i < columns.size(); ++i)
        EXPECT_EQ(columns[i] - columns[i - 1], AtDpi(columns96[1] - columns96[0], dpi)) << "step to column " << i;
    for (size_t i = 1; i < rows.size(); ++i)
        EXPECT_EQ(rows[i] - rows[i - 1], AtDpi(rows96[1] - rows96[0], dpi)) << "step to row " << i;
}

LRESULT TapeLineHeight(const Vexo& v)
{
    DWORD_PTR height = 0;
    SendMessageTimeoutA(Control(v, IDC_TAPE), LB_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 2000, &height);
    return static_cast<LRESULT>(height);
}

// Every visible control of a dialog lies inside the dialog's client area.
void ExpectDialogUnclipped(HWND dialog, const char* name)
{
    RECT client{};
    GetClientRect(dialog, &client);
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        const RECT rect = ClientRectOf(dialog, child);
        EXPECT_TRUE(Inside(rect, client)) << name << ": control " << GetDlgCtrlID(child) << " at " << Describe(rect)
                                          << " is cut off by " << Describe(client);
    }
}

// Opens a dialog by its command, checks it, photographs it (unless `shot` is empty) and closes it
// with OK.
void CheckDialog(const Vexo& v, int command, const char* name, const std::string& shot)
{
    PostCommand(v, command);
    HWND dialog = WaitForMessageBox(v);
    ASSERT_NE(dialog, nullptr) << "no " << name;
    ExpectDialogUnclipped(dialog, name);
    // A property sheet's page is a dialog of its own inside the sheet.
    if (HWND page = reinterpret_cast<HWND>(SendMessageA(dialog, PSM_GETCURRENTPAGEHWND, 0, 0)); page != nullptr)
        ExpectDialogUnclipped(page, name);
    if (!shot.empty()) {
        SyncPosted(v);
        Sleep(300);
        EXPECT_TRUE(Screenshot(v, shot));
    }
    EXPECT_TRUE(AnswerMessageBox(dialog, IDOK));
}

// The help window, modeless and of its own class: laid out from its font, nothing cut off,
// beside the calculator.
void CheckHelpWindow(const Vexo& v, const std::string& shot)
{
    PostCommand(v, IDM_HELP_CONTENTS);
    HWND help = nullptr;
    ASSERT_TRUE(Poll([&] {
        help = FindWindowA("VexoHelp", nullptr);
        return help != nullptr && IsWindowVisible(help);
    })) << "no help window";
    SyncPosted(v);
    ExpectDialogUnclipped(help, "help window");
    const RECT main = WindowRect(v.main), beside = WindowRect(help);
    std::printf("[dpi] help %s beside main %s\n", Describe(beside).c_str(), Describe(main).c_str());
    // Whole rows only: the list cuts its height to them.
    const HWND list = GetDlgItem(help, IDC_HELP_TOPICS);
    DWORD_PTR row = 0;
    SendMessageTimeoutA(list, LB_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 2000, &row);
    RECT listClient{};
    GetClientRect(list, &listClient);
    ASSERT_GT(row, 0u);
    EXPECT_EQ(listClient.bottom % static_cast<LONG>(row), 0) << "the topic list is " << listClient.bottom
                                                             << " pixels high, its rows " << row;
    if (!shot.empty()) {
        Sleep(300);
        EXPECT_TRUE(Screenshot(v, shot));
        // A topic of tables, for a person to see its columns line up.
        SendMessageTimeoutA(GetDlgItem(help, IDC_HELP_SEARCH), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Ctrl+F7"),
                            SMTO_ABORTIFHUNG, 2000, nullptr);
        SyncPosted(v);
        Sleep(300);
        EXPECT_TRUE(Screenshot(v, shot + "-table"));
    }
    PostMessageA(help, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Poll([&] { return !IsWindow(help) || !IsWindowVisible(help); })) << "the help window stays";
}

struct DpiRow {
    DWORD dpi;
    bool dialogPictures;
};

const DpiRow kDpiRows[] = {{96, false}, {144, true}, {192, false}};

struct DialogRow {
    int command;
    const char* name;
    const char* shot;
};

const DialogRow kDialogs[] = {
    {IDM_CLIPBOARD_FORMATS, "Clipboard Formats", "formats-sheet"},
    {IDM_ROMAN, "Roman dialog", "roman"},
    {IDM_ABOUT, "About box", "about"},
};

TEST(Dpi, EverySizeFollowsTheScreen)
{
    Layout plain96, full96;
    LRESULT line96 = 0;
    int digits96 = 0;
    for (const DpiRow& row : kDpiRows) {
        const DWORD dpi = row.dpi;
        const std::string name = "dpi" + std::to_string(dpi);
        SCOPED_TRACE(name);
        ScreenDpi screen(dpi);
        ASSERT_TRUE(screen.ok()) << "cannot write LogPixels";
        Vexo v;
        ASSERT_TRUE(StartVexo(v, nullptr, "Dpi." + name));

        using namespace layout;
        EXPECT_TRUE(ClientSizeIs(v, AtDpi(kClientWidth, dpi), AtDpi(kClientHeight, dpi)));
        const Layout plain = ReadLayout(v);
        // The display shows its "0" once it has been painted.
        int digits = 0;
        Poll([&] { return (digits = InkHeight(Control(v, IDC_DISPLAY))) > 0; });
        TypeText(v, "10000+20000=");
        PostCommand(v, IDM_DISPLAY_TAPE);
        PostCommand(v, IDM_DISPLAY_MODE);
        SyncPosted(v);
        EXPECT_TRUE(ClientSizeIs(v, AtDpi(kClientWidth, dpi),
                                 AtDpi(kClientHeight, dpi) + AtDpi(kTapeHeight, dpi) + AtDpi(kModeLineHeight, dpi)));
        const Layout full = ReadLayout(v);
        ExpectNothingClippedOrOverlapping(v, full);
        RECT work{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_TRUE(Inside(WindowRect(v.main), work))
            << "the grown window " << Describe(WindowRect(v.main)) << " leaves the work area " << Describe(work);
        // The keys draw in a face that scales, at its own width: "-" is a dash, three times as
        // wide as it is thick and at least four pixels long, not the dot of a squeezed face.
        const SIZE minus = InkSize(Control(v, IDC_KEY_MINUS), AtDpi(4, dpi));
        EXPECT_GT(minus.cx, minus.cy) << "the minus key's ink is " << minus.cx << " x " << minus.cy;
        EXPECT_GE(minus.cx, std::max<LONG>(3 * minus.cy, 4))
            << "the minus key's ink is " << minus.cx << " x " << minus.cy;
        const LRESULT line = TapeLineHeight(v);

        if (dpi == kNormalDpi) {
            plain96 = plain;
            full96 = full;
            line96 = line;
            digits96 = digits;
            EXPECT_GT(digits96, 0) << "no digit on the display";
        } else {
            ExpectScaled(plain, plain96, dpi);
            ExpectScaled(full, full96, dpi);
            EXPECT_EQ(line, AtDpi(static_cast<int>(line96), dpi)) << "tape line height";
            // Measured in whole pixels, the digits at 96 DPI are a pixel short or long at most,
            // and that pixel grows with the DPI.
            EXPECT_NEAR(digits, AtDpi(digits96, dpi), AtDpi(1, dpi)) << "height of the display's digits";
        }
        Sleep(300);
        EXPECT_TRUE(Screenshot(v, name + "-main-tape-mode"));
        for (const DialogRow& dialog : kDialogs)
            CheckDialog(v, dialog.command, dialog.name, row.dialogPictures ? name + "-" + dialog.shot : "");
        CheckHelpWindow(v, name + "-help");
        EXPECT_TRUE(CloseVexo(v));
    }
}

}  // namespace
}  // namespace e2e
