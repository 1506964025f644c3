// Zarnik.exe's entry point: the window, the event handlers wired to it, the
// load event before the window first appears, then the message loop.
#include <windows.h>

#include <exception>

#include "Form1.h"
#include "MainWindow.h"
#include "Win32Error.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    // A GUI program has nowhere to print, so even an escaped C++ exception
    // is reported in a box rather than ending the process without a word.
    std::set_terminate([] { zarnik::win32::FatalError(L"Zarnik stopped on an internal error."); });

    zarnik::win32::MainWindow window(instance);
    window.Create();
    zarnik::Form1 form(window);
    const auto connection = window.ConnectEvents(form);
    form.Form_Load();
    window.Show(showCommand);
    return window.RunMessageLoop();
}
