// The board reference for the scripts and browser tests:
//   zarnik_board_reference PRESS...          the board after them (o start, x turned)
//   zarnik_board_reference --solve PRESS...  the fewest presses that clear it
//   zarnik_board_reference --arrows          where Left, Right, Up, Down go from each button
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "BoardModel.h"

int main(int argc, char** argv) {
    using zarnik::testing::BoardModel;
    if (argc > 1 && std::strcmp(argv[1], "--arrows") == 0) {
        for (int c = 0; c <= 25; ++c)
            std::printf("%d %d %d %d\n", BoardModel::Arrow(c, 'L'), BoardModel::Arrow(c, 'R'),
                        BoardModel::Arrow(c, 'U'), BoardModel::Arrow(c, 'D'));
        return 0;
    }
    const bool solve = argc > 1 && std::strcmp(argv[1], "--solve") == 0;
    BoardModel model;
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
