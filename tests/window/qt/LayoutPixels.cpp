// The layout in logical pixels for play_on_xvfb.sh: "Command1 k left top width height" ...
#include <cstdio>

#include "Layout.h"

int main() {
    using namespace zarnik::layout;
    for (zarnik::CellIndex k = 0; k < 25; ++k) {
        const PixelRect r = ToPixels(Command1(k), 96);
        std::printf("Command1 %d %d %d %d %d\n", k, r.left, r.top, r.width, r.height);
    }
    const PixelRect r = ToPixels(kCommand2, 96);
    std::printf("Command2 %d %d %d %d\n", r.left, r.top, r.width, r.height);
    const PixelSize client = ToPixels(kClient, 96);
    std::printf("Client %d %d\n", client.width, client.height);
}
