// The browser program's one window, Form1: the toolkit for the event
// handlers, carried out by the page (Page.h). It places the controls from
// Layout.h in CSS pixels and names the pictures the site carries.
#pragma once

#include <string_view>

#include "Pictures.h"
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
    const Picture& HolderPicture(Holder holder) override;
    void ShowMessage(std::string_view prompt, std::string_view title) override;
    [[noreturn]] void Fatal(std::string_view what) override;

private:
    // A picture is a file of the site, which the page loads once by its URL.
    struct WebPicture final : Picture {
        explicit WebPicture(std::string_view file) : url(file) {}
        std::string_view url;
    };

    WebPicture picture1_{pictures::kFiles[pictures::TileStart].name};
    WebPicture picture2_{pictures::kFiles[pictures::TileTurned].name};
    Text<8> label1_;  // the hidden counter label's caption; never shown
};

}  // namespace zarnik::web
