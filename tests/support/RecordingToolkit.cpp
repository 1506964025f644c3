#include "RecordingToolkit.h"

#include <cstdio>

namespace zarnik::testing {

RecordingToolkit::Face& RecordingToolkit::At(CellIndex cell) {
    if (cell < 0 || cell >= 25) throw std::out_of_range("toolkit called with cell " + std::to_string(cell));
    return faces[static_cast<std::size_t>(cell)];
}

const char* RecordingToolkit::NameOf(const Picture& picture) const {
    if (&picture == &start_) return "Picture1";
    if (&picture == &turned_) return "Picture2";
    return "foreign";
}

void RecordingToolkit::SetCellFaceColour(CellIndex cell, Colour colour) {
    At(cell).colour = colour;
    char hex[16];
    std::snprintf(hex, sizeof hex, "%06X", colour);
    log.push_back("colour " + std::to_string(cell) + " " + hex);
}

void RecordingToolkit::SetCellPicture(CellIndex cell, const Picture& picture) {
    At(cell).picture = &picture;
    log.push_back("picture " + std::to_string(cell) + " " + NameOf(picture));
}

void RecordingToolkit::SetLabelCaption(std::string_view text) {
    caption = text;
    log.push_back("caption " + caption);
}

const Picture& RecordingToolkit::HolderPicture(Holder holder) {
    return holder == Holder::Picture1 ? static_cast<const Picture&>(start_) : turned_;
}

void RecordingToolkit::ShowMessage(std::string_view prompt, std::string_view title) {
    messages.push_back(std::string(prompt) + "|" + std::string(title));
    log.push_back("message " + messages.back());
}

void RecordingToolkit::Fatal(std::string_view what) { throw FatalError(std::string(what)); }

}  // namespace zarnik::testing
