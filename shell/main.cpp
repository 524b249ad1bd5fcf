#include <windows.h>

#include "shell/shell.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR /*commandLine*/,
                   int showCommand) {
    if (!InitApplication(instance, previousInstance)) return 0;
    const int savedMode = LoadSettings();
    if (CreateMainWindow(instance, showCommand, savedMode) == nullptr) return 0;
    return RunMessageLoop();
}
