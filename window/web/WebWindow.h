// The browser program's one window, Form1: the toolkit for the event
// handlers, carried out by the page (Page.h). It places the controls from
// Layout.h in CSS pixels and hands the page the pictures built into the module.
#pragma once

#include <span>
#include <string_view>

#include "PictureData.h"
#include "Text.h"
#include "Toolkit.h"

namespace zarnik::web {

class WebWindow final : public Toolkit {
public:
    // Has the page build the window and its buttons, in tab order, with the
    // focus on the first cell. The page shows them once their pictures load.
    void Create();

    void SetCellFaceColour(CellIndex cell, Colour colour) override;
    void SetCellPicture(CellIndex cell, const Picture& picture) override;
    void SetLabelCaption(std::string_view text) override;
    void Announce(std::string_view phrase) override;
    const Picture& HolderPicture(Holder holder) override;
    void ShowMessage(std::string_view prompt, std::string_view title) override;
    [[noreturn]] void Fatal(std::string_view what) override;

private:
    // A picture is its PNG file in the module, which the page decodes once.
    struct WebPicture final : Picture {
        explicit WebPicture(std::span<const unsigned char> file) : bytes(file) {}
        std::span<const unsigned char> bytes;
    };

    WebPicture picture1_{kPictureData[pictures::TileStart]};
    WebPicture picture2_{kPictureData[pictures::TileTurned]};
    Text<8> label1_;  // the hidden counter label's caption; never shown
};

}  // namespace zarnik::web
