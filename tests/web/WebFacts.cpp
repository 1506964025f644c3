// What a player of the browser program should meet, from the headers the
// program is built from, for the browser tests: the caption and the cleared
// message, each control's accessible name, the descriptions of the two cell
// states, and where each arrow key (Left, Right, Up, Down) moves the focus
// from each control. One JSON object on standard output.
#include <cstdio>
#include <string_view>

#include "AppInfo.h"
#include "Layout.h"

namespace {

void Field(const char* key, std::string_view value) {
    std::printf("\"%s\": \"%.*s\", ", key, static_cast<int>(value.size()), value.data());
}

}  // namespace

int main() {
    using namespace zarnik::layout;
    std::printf("{");
    Field("title", ZARNIK_TITLE);
    Field("prompt", ZARNIK_CLEARED_PROMPT);
    Field("start", kStartDescription);
    Field("turned", kTurnedDescription);
    std::printf("\"names\": [");
    for (zarnik::CellIndex k = 0; k < 25; ++k) std::printf("\"%s\", ", CellName(k).c_str());
    std::printf("\"%.*s\"], \"arrows\": [", static_cast<int>(kCommand2Name.size()), kCommand2Name.data());
    for (int c = 0; c <= kCommand2TabIndex; ++c) {
        std::printf("%s[%d, %d, %d, %d]", c ? ", " : "", ArrowTarget(c, Arrow::Left),
                    ArrowTarget(c, Arrow::Right), ArrowTarget(c, Arrow::Up), ArrowTarget(c, Arrow::Down));
    }
    std::printf("]}\n");
}
