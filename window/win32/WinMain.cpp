// Zarnik.exe's entry point: the window, the event handlers wired to it, the
// load event before the window first appears, then the message loop.
#include <windows.h>

#include "Form1.h"
#include "MainWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    zarnik::win32::MainWindow window(instance);
    window.Create();
    zarnik::Form1 form(window);
    const auto connection = window.ConnectEvents(form);
    form.Form_Load();
    window.Show(showCommand);
    return window.RunMessageLoop();
}
