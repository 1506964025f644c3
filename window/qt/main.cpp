// Zarnik for Linux: the window, its event handlers, and Qt's event loop.
#include "Form1.h"
#include "GuiSession.h"
#include "MainWindow.h"

int main(int, char** argv) {
    zarnik::qt::GuiSession session(argv[0]);
    zarnik::qt::MainWindow window;
    zarnik::Form1 form(window);
    const auto connection = window.ConnectEvents(form);
    form.Form_Load();
    window.ShowCentred();
    return session.Run();
}
