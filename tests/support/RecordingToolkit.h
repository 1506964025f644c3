// A toolkit that draws nothing: it keeps what each cell was last given and
// the caption, counts the calls, and turns Fatal into an exception, so a
// test can see the fatal path without the process ending.
#pragma once

#include <array>
#include <stdexcept>
#include <string>

#include "Toolkit.h"

namespace zarnik::testing {

struct FatalError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class RecordingToolkit : public Toolkit {
public:
    void SetCellFaceColour(CellIndex cell, Colour colour) override { ++calls, faces.at(cell) = colour; }
    void SetCellPicture(CellIndex cell, const Picture& picture) override { ++calls, turned.at(cell) = &picture == &turned_; }
    void SetLabelCaption(std::string_view text) override { ++calls, caption = text; }
    void Announce(std::string_view) override {}
    const Picture& HolderPicture(Holder holder) override {
        return holder == Holder::Picture1 ? static_cast<const Picture&>(start_) : turned_;
    }
    void ShowMessage(std::string_view, std::string_view) override { ++calls; }
    [[noreturn]] void Fatal(std::string_view what) override { throw FatalError(std::string(what)); }

    int calls = 0;
    std::array<Colour, kCells> faces{};
    std::array<bool, kCells> turned{};  // showing Picture2's tile
    std::string caption = "Label1";

private:
    struct Tile : Picture {};
    Tile start_, turned_;
};

}  // namespace zarnik::testing
