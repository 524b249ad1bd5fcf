// Pictures of the program as a user sees it, and the About box. The screenshots land in the
// runner's screenshot folder for a person to look at; the checks here only make sure that
// what they should show is on the screen.
#include "win32/resource.h"
#include "tests/e2e/driver.h"

#include <string>

namespace e2e {
namespace {

HWND VisibleMenu()
{
    HWND menu = FindWindowA("#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

TEST(Look, Screenshots)
{
    if (Cfg().shotDir.empty())
        GTEST_SKIP() << "LUMO_E2E_SHOTS not set";
    Vexo v;
    ASSERT_TRUE(StartVexo(v, nullptr));
    TypeText(v, "10000+20000");
    EXPECT_TRUE(ControlTextIs(v, IDC_DISPLAY, "2:00:00"));
    EXPECT_TRUE(Screenshot(v, "main-plain"));

    PostCommand(v, IDM_DISPLAY_TAPE);
    PostCommand(v, IDM_DISPLAY_MODE);
    SyncPosted(v);
    TypeText(v, "=p");
    PressCtrl(v, 'D');
    EXPECT_TRUE(ControlTextIs(v, IDC_MODE_DISPLAY, "HMSF   29.97 F/S"));
    EXPECT_TRUE(IsWindowVisible(Control(v, IDC_MODE_DISPLAY)));
    EXPECT_TRUE(Screenshot(v, "main-tape-mode"));

    // The Setup menu, opened with Alt+S as a user would.
    Focus(v);
    INPUT keys[4]{};
    const WORD sequence[4][2] = {{VK_MENU, 0}, {'S', 0}, {'S', KEYEVENTF_KEYUP}, {VK_MENU, KEYEVENTF_KEYUP}};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = sequence[i][0];
        keys[i].ki.dwFlags = sequence[i][1];
    }
    SendInput(4, keys, sizeof(INPUT));
    EXPECT_TRUE(Poll([] { return VisibleMenu() != nullptr; })) << "Alt+S opened no menu";
    Sleep(200);
    EXPECT_TRUE(Screenshot(v, "menu-setup"));
    PressKey(v, VK_ESCAPE);
    PressKey(v, VK_ESCAPE);
    EXPECT_TRUE(Poll([] { return VisibleMenu() == nullptr; })) << "the menu stayed open";

    PostCommand(v, IDM_ABOUT);
    HWND about = WaitForMessageBox(v);
    ASSERT_NE(about, nullptr) << "no About box";
    EXPECT_EQ(ReadControlText(GetDlgItem(about, IDC_ABOUT_NAME)), "Lumo II");
    EXPECT_EQ(ReadControlText(GetDlgItem(about, IDC_ABOUT_VERSION)), "Version: 1.43");
    Sleep(200);
    EXPECT_TRUE(Screenshot(v, "about-box"));
    EXPECT_TRUE(AnswerMessageBox(about, IDOK));
    EXPECT_TRUE(CloseVexo(v));
}

// The program's manifest, as Windows reads it from the resources of vexo.exe.
std::string ManifestOf(const std::string& exe)
{
    HMODULE image = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (image == nullptr)
        return "";
    std::string text;
    if (HRSRC found = FindResourceA(image, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST)) {
        if (const void* bytes = LockResource(LoadResource(image, found)))
            text.assign(static_cast<const char*>(bytes), SizeofResource(image, found));
    }
    FreeLibrary(image);
    return text;
}

// Per-monitor DPI awareness (version 2 first, the older declarations behind it) and version 6
// of the common controls are what make the program sharp and current on today's Windows.
TEST(Look, ManifestAsksForPerMonitorDpiAndCurrentControls)
{
    const std::string manifest = ManifestOf(Cfg().vexoExe);
    ASSERT_FALSE(manifest.empty()) << Cfg().vexoExe << " carries no manifest";
    static const char* const kDeclarations[] = {
        "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, PerMonitor"
        "</dpiAwareness>",
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>",
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>",
    };
    for (const char* declaration : kDeclarations)
        EXPECT_NE(manifest.find(declaration), std::string::npos) << "missing: " << declaration;
}

}  // namespace
}  // namespace e2e
