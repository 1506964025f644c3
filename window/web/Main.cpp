// The browser program's entry points, which the page (zarnik.js) calls once
// the module is instantiated: the window and its event handlers live as
// long as the page.
#include "Form1.h"
#include "Layout.h"
#include "Text.h"
#include "WebWindow.h"

namespace {

zarnik::web::WebWindow window;
zarnik::Form1 form(window);

}  // namespace

#define ZARNIK_EXPORT(name) extern "C" __attribute__((export_name(#name)))

ZARNIK_EXPORT(start) void Start() {
    window.Create();
    form.Form_Load();
}

// A click, from the mouse or from Space or Enter, on control `control`.
ZARNIK_EXPORT(click) void Click(int control) {
    if (control == zarnik::layout::kCommand2TabIndex)
        form.Command2_Click();
    else if (control >= 0 && control < zarnik::kCells)
        form.Command1_Click(static_cast<zarnik::CellIndex>(control));
    else
        window.Fatal(zarnik::Text<>() << "click on control " << control << ", which does not exist");
}

// Where arrow key `arrow` (numbered as layout::Arrow: left, right, up, down)
// pressed on control `control` moves the focus, or -1 for no such arrow.
ZARNIK_EXPORT(arrow) int ArrowKey(int control, int arrow) {
    using zarnik::layout::Arrow;
    if (control < 0 || control > zarnik::layout::kCommand2TabIndex || arrow < 0 || arrow > int(Arrow::Down)) return -1;
    return zarnik::layout::ArrowTarget(control, static_cast<Arrow>(arrow));
}
