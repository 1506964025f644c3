#include "WebWindow.h"

#include <string>

#include "Layout.h"
#include "Page.h"
#include "Puzzle.h"

namespace zarnik::web {
namespace {

// CSS pixels are 96 to the inch; the browser's device pixel ratio takes care
// of denser screens, so the layout is converted at 96 DPI only.
constexpr int kCssDpi = 96;

layout::PixelRect ToPixels(const layout::TwipRect& r) { return layout::ToPixels(r, kCssDpi); }

}  // namespace

void WebWindow::Create() {
    page::Window(layout::ToPixels(layout::kClient, kCssDpi), layout::kCaption,
                 layout::kJapaneseFace, "BackdropImage.bmp", layout::kFocusRingWidth, layout::kFocusRingInset);
    for (CellIndex k = 0; k < kCells; ++k)
        page::Button(k, ToPixels(layout::Command1(k)), layout::CellName(k));
    page::Button(layout::kCommand2TabIndex, ToPixels(layout::kCommand2), layout::kCommand2Name);
    page::Picture(layout::kCommand2TabIndex, "ResetFaceImage.bmp", {}, -1);
    page::Focus(0);
}

void WebWindow::CheckCell(CellIndex cell) {
    if (cell < 0 || cell >= kCells)
        Fatal("cell index " + std::to_string(cell) + " is outside 0 to 24");
}

void WebWindow::SetCellFaceColour(CellIndex cell, Colour colour) {
    CheckCell(cell);
    if (colour > 0x00FFFFFF) Fatal("face colour " + std::to_string(colour) + " is not 0x00BBGGRR");
    const Colour rgb = (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
    page::Face(cell, rgb);
}

void WebWindow::SetCellPicture(CellIndex cell, const Picture& picture) {
    CheckCell(cell);
    // Only the holders' own pictures are shown, by reference.
    // A turned cell is pressed, as screen readers hear it in every program.
    if (&picture == &picture1_)
        page::Picture(cell, picture1_.url, layout::kStartDescription, 0);
    else if (&picture == &picture2_)
        page::Picture(cell, picture2_.url, layout::kTurnedDescription, 1);
    else
        Fatal("cell " + std::to_string(cell) + " was given a picture no holder owns");
}

void WebWindow::SetLabelCaption(std::string_view text) { label1_ = text; }

const Picture& WebWindow::HolderPicture(Holder holder) {
    return holder == Holder::Picture1 ? picture1_ : picture2_;
}

void WebWindow::ShowMessage(std::string_view prompt, std::string_view title) {
    page::Message(prompt, title);
}

void WebWindow::Fatal(std::string_view what) {
    page::Fatal(what);
    // Stops the module here; the page has already replaced the window.
    __builtin_trap();
}

}  // namespace zarnik::web
