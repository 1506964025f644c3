// Zarnik.exe's entry point: the window, the event handlers wired to it, the
// load event before the window first appears, then the message loop.
#include <windows.h>

#include "Form1.h"
#include "MainWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    // The game speaks Japanese whatever the system's own language: on a
    // Windows that has Japanese resources, the system menu and the message
    // box's button come from them. (Wine 8 ignores both calls and follows the
    // Unix locale.) A failure leaves the system's language, so neither call
    // is checked.
    const LANGID japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN);
    SetThreadUILanguage(japanese);
    SetThreadLocale(MAKELCID(japanese, SORT_DEFAULT));

    zarnik::win32::MainWindow window(instance);
    window.Create();
    zarnik::Form1 form(window);
    const auto connection = window.ConnectEvents(form);
    form.Form_Load();
    window.Show(showCommand);
    return window.RunMessageLoop();
}
