// The layout for scripts and browser tests that play a real program:
//   zarnik_layout_pixels [DPI]     (96 unless given)
// prints "Command1 K LEFT TOP WIDTH HEIGHT" for each cell, then
// "Command2 LEFT TOP WIDTH HEIGHT", "Client WIDTH HEIGHT", and the texts a
// player meets: "Caption", "Prompt", "Name K" for each button in tab order,
// "Start" and "Turned" (the cells' descriptions), and the pieces of what a
// screen reader hears after a click ("TurnedNews", "StartNews", "NewGameNews",
// "RemainingNews"), each followed by its text; and "Picture NAME FILE" for
// each built-in picture.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "AppInfo.h"
#include "Form1.h"
#include "Layout.h"
#include "Pictures.h"

int main(int argc, char** argv) {
    using namespace zarnik::layout;
    const int dpi = argc > 1 ? std::atoi(argv[1]) : 96;
    for (zarnik::CellIndex k = 0; k < zarnik::kCells; ++k) {
        const PixelRect r = ToPixels(Command1(k), dpi);
        std::printf("Command1 %d %d %d %d %d\n", k, r.left, r.top, r.width, r.height);
    }
    const PixelRect r = ToPixels(kCommand2, dpi);
    std::printf("Command2 %d %d %d %d\n", r.left, r.top, r.width, r.height);
    const PixelSize client = ToPixels(kClient, dpi);
    std::printf("Client %d %d\n", client.width, client.height);
    auto text = [](const char* key, std::string_view t) { std::printf("%s %.*s\n", key, static_cast<int>(t.size()), t.data()); };
    text("Caption", kCaption);
    text("Prompt", ZARNIK_CLEARED_PROMPT);
    for (zarnik::CellIndex k = 0; k < zarnik::kCells; ++k) std::printf("Name %d %s\n", k, CellName(k).c_str());
    text(("Name " + std::to_string(kCommand2TabIndex)).c_str(), kCommand2Name);
    text("Start", kStartDescription);
    text("Turned", kTurnedDescription);
    text("TurnedNews", zarnik::kTurnedAnnouncement);
    text("StartNews", zarnik::kStartAnnouncement);
    text("NewGameNews", zarnik::kNewGameAnnouncement);
    text("RemainingNews", zarnik::kRemainingAnnouncement);
    for (const auto& [file, resource] : zarnik::pictures::kFiles)
        std::printf("Picture %.*s %.*s\n", static_cast<int>(file.find('.')), file.data(), static_cast<int>(file.size()), file.data());
}
