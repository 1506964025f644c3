// A toolkit that draws nothing: it records every operation in order, keeps
// what each control currently shows, and turns Fatal into an exception so a
// test can see the fatal path without the process ending.
#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "Toolkit.h"

namespace zarnik::testing {

struct FatalError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class RecordingToolkit : public Toolkit {
public:
    struct Face {
        Colour colour = 0;
        const Picture* picture = nullptr;
    };

    void SetCellFaceColour(CellIndex cell, Colour colour) override;
    void SetCellPicture(CellIndex cell, const Picture& picture) override;
    void SetLabelCaption(std::string_view text) override;
    const Picture& HolderPicture(Holder holder) override;
    void ShowMessage(std::string_view prompt, std::string_view title) override;
    [[noreturn]] void Fatal(std::string_view what) override;

    const Picture& start() const { return start_; }
    const Picture& turned() const { return turned_; }

    std::vector<std::string> log;  // "colour 3 0000FF", "picture 3 Picture2", ...
    std::array<Face, 25> faces{};
    std::string caption = "Label1";
    std::vector<std::string> messages;  // "prompt|title"

private:
    struct Tile : Picture {};
    Face& At(CellIndex cell);
    const char* NameOf(const Picture& picture) const;

    Tile start_, turned_;
};

}  // namespace zarnik::testing
