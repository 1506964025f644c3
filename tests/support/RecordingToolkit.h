// A toolkit that draws nothing: it records every operation in order and turns
// Fatal into an exception, so a test can see the fatal path without the
// process ending.
#pragma once

#include <cstdio>
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
    void SetCellFaceColour(CellIndex cell, Colour colour) override {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%06X", colour & 0xFFFFFF);
        log.push_back("colour " + std::to_string(cell) + " " + hex);
    }
    void SetCellPicture(CellIndex cell, const Picture& picture) override {
        log.push_back("picture " + std::to_string(cell) + (&picture == &start_ ? " Picture1" : " Picture2"));
    }
    void SetLabelCaption(std::string_view text) override {
        caption = text;
        log.push_back("caption " + caption);
    }
    const Picture& HolderPicture(Holder holder) override {
        return holder == Holder::Picture1 ? static_cast<const Picture&>(start_) : turned_;
    }
    void ShowMessage(std::string_view prompt, std::string_view) override { log.push_back("message " + std::string(prompt)); }
    [[noreturn]] void Fatal(std::string_view what) override { throw FatalError(std::string(what)); }

    std::vector<std::string> log;  // "colour 3 0000FF", "picture 3 Picture2", ...
    std::string caption = "Label1";

private:
    struct Tile : Picture {};
    Tile start_, turned_;
};

}  // namespace zarnik::testing
