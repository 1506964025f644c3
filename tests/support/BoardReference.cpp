// The board reference for scripts and browser tests that play a real program:
//   zarnik_board_reference PRESS...          the board after PRESS... from a
//                                            new game: 25 letters, o start, x turned
//   zarnik_board_reference --solve PRESS...  the fewest presses that clear it
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "BoardModel.h"

int main(int argc, char** argv) {
    const bool solve = argc > 1 && std::strcmp(argv[1], "--solve") == 0;
    zarnik::testing::BoardModel model;
    for (int i = solve ? 2 : 1; i < argc; ++i) {
        char* end = nullptr;
        const long k = std::strtol(argv[i], &end, 10);
        if (*end != '\0' || k < 0 || k > 24) {
            std::fprintf(stderr, "zarnik_board_reference: not a cell: %s\n", argv[i]);
            return 2;
        }
        model.Press(static_cast<int>(k));
    }
    if (solve) {
        const auto presses = model.Solve();
        if (!presses) return 1;
        for (std::size_t i = 0; i < presses->size(); ++i) std::printf(i ? " %d" : "%d", (*presses)[i]);
    } else {
        for (int k = 0; k < 25; ++k) std::putchar(model.IsStart(k) ? 'o' : 'x');
    }
    std::putchar('\n');
}
