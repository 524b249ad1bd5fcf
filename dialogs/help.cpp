#include "dialogs/help.h"

#include <string_view>

#include "dialogs/help_popup.h"
#include "dialogs/help_window.h"
#include "win32/dialog_support.h"
#include "win32/resource.h"

namespace {

bool g_helpFileOpened = false;
// Read at the first request; the program has one thread.
HelpText g_builtInHelp;
bool g_builtInHelpRead = false;

bool HelpFileExists(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return *path != '\0' && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The old path: WinHelp with the file beside the program. False when there is no such file.
bool OpenHelpFile(HWND window, UINT command, ULONG_PTR data) {
    const SettingsPaths paths = ProgramSettingsPaths();
    if (!HelpFileExists(paths.help.c_str())) return false;
    WinHelpA(window, paths.help.c_str(), command, data);
    g_helpFileOpened = true;
    return true;
}

std::string_view ResourceText(HMODULE module, int id) {
    const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_RCDATA);
    const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return {};
    return std::string_view(static_cast<const char*>(bytes), SizeofResource(module, found));
}

HWND MainWindowOf(HWND window) { return GetAncestor(window, GA_ROOTOWNER); }

void OpenTopic(HWND window, const char* topic, HelpFocus focus) {
    const HelpText& help = BuiltInHelp();
    if (help.Topics().empty()) return;
    const int index = help.TopicIndex(topic);
    OpenHelpWindow(MainWindowOf(window), help, index < 0 ? 0 : index, focus);
}

int HelpIdOf(int controlId, const DWORD* helpIds) {
    for (const DWORD* pair = helpIds; pair[0] != 0; pair += 2) {
        if (pair[0] == static_cast<DWORD>(controlId)) return static_cast<int>(pair[1]);
    }
    return 0;
}

}  // namespace

const HelpText& BuiltInHelp() {
    // A text with a fault keeps what was read before it; the native tests read the same file
    // and require it to be faultless.
    if (!g_builtInHelpRead) g_builtInHelp.Parse(ResourceText(GetModuleHandleA(nullptr), IDR_HELP_TEXT));
    g_builtInHelpRead = true;
    return g_builtInHelp;
}

void ShowHelpContents(HWND window) {
    if (!OpenHelpFile(window, HELP_FINDER, 0)) OpenTopic(window, help_topics::kContents, HelpFocus::Text);
}

void ShowHelpSearch(HWND window) {
    static const char kNoKey[] = "";
    if (!OpenHelpFile(window, HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(kNoKey))) {
        OpenTopic(window, help_topics::kContents, HelpFocus::Search);
    }
}

void ShowHelpOnHelp(HWND window) {
    if (!OpenHelpFile(window, HELP_HELPONHELP, 0)) OpenTopic(window, help_topics::kUsingHelp, HelpFocus::Text);
}

void ShowHelpTopic(HWND window, const char* topic, int contextId) {
    const bool opened = contextId == 0 ? OpenHelpFile(window, HELP_FINDER, 0)
                                       : OpenHelpFile(window, HELP_CONTEXT, static_cast<ULONG_PTR>(contextId));
    if (!opened) {
        OpenTopic(window, topic, HelpFocus::Text);
    }
}

bool ShowControlHelp(const HELPINFO& request, const DWORD* helpIds) {
    if (request.iContextType != HELPINFO_WINDOW) return false;
    const auto control = static_cast<HWND>(request.hItemHandle);
    if (OpenHelpFile(control, HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(helpIds))) return true;
    const HelpPopup* popup = BuiltInHelp().FindPopup(HelpIdOf(request.iCtrlId, helpIds));
    return popup != nullptr && ShowHelpPopup(control, PopupDisplayText(popup->body)) != nullptr;
}

void QuitHelp(HWND mainWindow) {
    if (g_helpFileOpened) WinHelpA(mainWindow, ProgramSettingsPaths().help.c_str(), HELP_QUIT, 0);
}
