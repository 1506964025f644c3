#include "WebWindow.h"

#include "Layout.h"
#include "Page.h"
#include "PictureData.h"
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
                 kPictureData[pictures::BackdropImage], layout::kFocusRingWidth, layout::kFocusRingInset);
    page::Bevel(layout::kBevel, layout::kBareFace);
    for (CellIndex k = 0; k < kCells; ++k) page::Button(k, ToPixels(layout::Command1(k)), layout::CellName(k));
    page::Button(layout::kCommand2TabIndex, ToPixels(layout::kCommand2), layout::kCommand2Name);
    page::Picture(layout::kCommand2TabIndex, kPictureData[pictures::ResetFaceImage], {}, -1);
    page::Focus(0);
}

void WebWindow::SetCellFaceColour(CellIndex cell, Colour colour) {
    page::Face(RequireCell(*this, cell), ToRgb(RequireColour(*this, colour)));
}

void WebWindow::SetCellPicture(CellIndex cell, const Picture& picture) {
    RequireCell(*this, cell);
    // Only the holders' own pictures are shown, by reference.
    // A turned cell is pressed, as screen readers hear it in every program.
    const bool turned = &picture == &picture2_;
    if (!turned && &picture != &picture1_) Fatal(Text<>() << "cell " << cell << " was given a picture no holder owns");
    page::Picture(cell, static_cast<const WebPicture&>(picture).bytes,
                  turned ? layout::kTurnedDescription : layout::kStartDescription, turned);
}

void WebWindow::SetLabelCaption(std::string_view text) { label1_ = Text<8>(text); }

void WebWindow::Announce(std::string_view phrase) { page::Announce(phrase); }

const Picture& WebWindow::HolderPicture(Holder holder) { return holder == Holder::Picture1 ? picture1_ : picture2_; }

void WebWindow::ShowMessage(std::string_view prompt, std::string_view title) { page::Message(prompt, title); }

void WebWindow::Fatal(std::string_view what) {
    page::Fatal(what);
    // Stops the module here; the page has already replaced the window.
    __builtin_trap();
}

}  // namespace zarnik::web
