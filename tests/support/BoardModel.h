// The board for tests, a mask with bit k set while cell k is in the start
// state, sharing nothing with the program so that a fault cannot hide in both.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace zarnik::testing {

class BoardModel {
public:
    static constexpr std::uint32_t kAllStart = (1u << 25) - 1;

    void NewGame() { mask_ = kAllStart; }
    // Returns whether the press left no cell in the start state.
    bool Press(int k);
    bool IsStart(int k) const { return (mask_ >> k) & 1u; }
    int Remaining() const;
    std::uint32_t mask() const { return mask_; }

    // The fewest presses that clear the board, if any: each row's start cells
    // chased down by the row below, for each of 32 first rows.
    std::optional<std::vector<int>> Solve() const;

    static std::uint32_t PressMask(int k);

    // Where an arrow ('L', 'R', 'U', 'D') takes the focus from a cell or the
    // new-game button (25): not past the grid's edge; between the bottom row
    // and the new-game button, which goes Up to the row's middle.
    static int Arrow(int control, char key);

private:
    std::uint32_t mask_ = kAllStart;
};

}  // namespace zarnik::testing
