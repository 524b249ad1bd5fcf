#include <windows.h>

#include "shell/application.h"
#include "shell/shell.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR /*commandLine*/,
                   int showCommand) {
    if (!InitApplication(instance, previousInstance)) return 0;
    Application app;
    const int savedMode = LoadSettings(app);
    if (CreateMainWindow(app, instance, showCommand, savedMode) == nullptr) return 0;
    return RunMessageLoop();
}
