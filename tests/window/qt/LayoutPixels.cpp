// Prints the window's controls in logical pixels, one per line
// ("Command1 k left top width height", "Command2 left top width height"),
// so the scripts that play the real program find the buttons from the same
// layout data as the program.
#include <cstdio>

#include "Layout.h"

int main() {
    using zarnik::layout::ToPixels;
    auto print = [](const char* name, const zarnik::layout::TwipRect& r) {
        std::printf("%s %d %d %d %d\n", name, ToPixels(r.left, 96), ToPixels(r.top, 96),
                    ToPixels(r.width, 96), ToPixels(r.height, 96));
    };
    for (zarnik::CellIndex k = 0; k < 25; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "Command1 %d", k);
        print(name, zarnik::layout::Command1(k));
    }
    print("Command2", zarnik::layout::kCommand2);
    std::printf("Client %d %d\n", ToPixels(zarnik::layout::kClient.width, 96),
                ToPixels(zarnik::layout::kClient.height, 96));
}
