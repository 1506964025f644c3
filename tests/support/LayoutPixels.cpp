// The layout for the scripts and browser tests, a fact a line:
//   zarnik_layout_pixels [DPI]     (96 unless given)
// "Command1 K LEFT TOP WIDTH HEIGHT", "Command2 ...", "Client WIDTH HEIGHT",
// the texts a player meets by name ("Caption", "Name K", "TurnedNews", ...),
// and "Picture NAME FILE" for each built-in picture.
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>

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
    for (zarnik::CellIndex k = 0; k < zarnik::kCells; ++k) std::printf("Name %d %s\n", k, CellName(k).c_str());
    const std::string reset = "Name " + std::to_string(kCommand2TabIndex);
    for (const auto& [key, text] : std::initializer_list<std::pair<std::string_view, std::string_view>>{
             {"Caption", kCaption},
             {"Prompt", ZARNIK_CLEARED_PROMPT},
             {reset, kCommand2Name},
             {"Start", kStartDescription},
             {"Turned", kTurnedDescription},
             {"TurnedNews", zarnik::kTurnedAnnouncement},
             {"StartNews", zarnik::kStartAnnouncement},
             {"NewGameNews", zarnik::kNewGameAnnouncement},
             {"RemainingNews", zarnik::kRemainingAnnouncement}})
        std::printf("%.*s %.*s\n", int(key.size()), key.data(), int(text.size()), text.data());
    for (const auto& [file, resource] : zarnik::pictures::kFiles)
        std::printf("Picture %.*s %.*s\n", int(file.find('.')), file.data(), int(file.size()), file.data());
}
