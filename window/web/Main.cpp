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

// DOM key codes of the arrow keys, which the page passes on as they come.
constexpr int kLeftKey = 37, kUpKey = 38, kRightKey = 39, kDownKey = 40;

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

// Where key `keyCode` pressed on control `control` moves the focus: another
// control, or -1 for a key that moves nothing.
ZARNIK_EXPORT(key) int Key(int control, int keyCode) {
    using zarnik::layout::Arrow;
    if (control < 0 || control > zarnik::layout::kCommand2TabIndex) return -1;
    switch (keyCode) {
    case kLeftKey: return zarnik::layout::ArrowTarget(control, Arrow::Left);
    case kUpKey: return zarnik::layout::ArrowTarget(control, Arrow::Up);
    case kRightKey: return zarnik::layout::ArrowTarget(control, Arrow::Right);
    case kDownKey: return zarnik::layout::ArrowTarget(control, Arrow::Down);
    default: return -1;
    }
}
