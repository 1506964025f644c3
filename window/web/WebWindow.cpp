#include "WebWindow.h"

#include "Layout.h"
#include "Page.h"
#include "Text.h"

namespace zarnik::web {
namespace {

// CSS pixels are 96 to the inch; the browser's device pixel ratio takes care
// of denser screens, so the layout is converted at 96 DPI only.
constexpr int kCssDpi = 96;

layout::PixelRect ToPixels(const layout::TwipRect& r) { return layout::ToPixels(r, kCssDpi); }

}  // namespace

void WebWindow::Create() {
    page::Window(layout::ToPixels(layout::kClient, kCssDpi), layout::kCaption, layout::kJapaneseFace,
                 pictures::kFiles[pictures::BackdropImage].name, layout::kFocusRingWidth, layout::kFocusRingInset);
    page::Bevel(layout::kBevel, layout::kBareFace);
    for (CellIndex k = 0; k < kCells; ++k)
        page::Button(k, ToPixels(layout::Command1(k)), layout::CellName(k));
    page::Button(layout::kCommand2TabIndex, ToPixels(layout::kCommand2), layout::kCommand2Name);
    page::Picture(layout::kCommand2TabIndex, pictures::kFiles[pictures::ResetFaceImage].name, {}, -1);
    page::Focus(0);
}

void WebWindow::SetCellFaceColour(CellIndex cell, Colour colour) {
    page::Face(RequireCell(*this, cell), ToRgb(RequireColour(*this, colour)));
}

void WebWindow::SetCellPicture(CellIndex cell, const Picture& picture) {
    RequireCell(*this, cell);
    // Only the holders' own pictures are shown, by reference.
    // A turned cell is pressed, as screen readers hear it in every program.
    if (&picture == &picture1_)
        page::Picture(cell, picture1_.url, layout::kStartDescription, 0);
    else if (&picture == &picture2_)
        page::Picture(cell, picture2_.url, layout::kTurnedDescription, 1);
    else
        Fatal(Text<>() << "cell " << cell << " was given a picture no holder owns");
}

void WebWindow::SetLabelCaption(std::string_view text) { label1_ = Text<8>(text); }

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
