// The layout in logical pixels for play_on_xvfb.sh: "Command1 k left top width height" ...
#include <cstdio>

#include "Layout.h"

int main() {
    using namespace zarnik::layout;
    auto px = [](int twips) { return ToPixels(twips, 96); };
    for (zarnik::CellIndex k = 0; k < 25; ++k) {
        const TwipRect r = Command1(k);
        std::printf("Command1 %d %d %d %d %d\n", k, px(r.left), px(r.top), px(r.width), px(r.height));
    }
    const TwipRect r = kCommand2;
    std::printf("Command2 %d %d %d %d\n", px(r.left), px(r.top), px(r.width), px(r.height));
    std::printf("Client %d %d\n", px(kClient.width), px(kClient.height));
}
