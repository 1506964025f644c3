// An independent reference of the board for tests: a 25-bit mask with bit k
// set while cell k is in the start state. It shares nothing with the
// production code, so a fault there cannot hide in both.
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

    // Presses that take the current board to the cleared one, if any exist.
    // Found by chasing each row's start cells down with the row below, for
    // each of the 32 choices of first-row presses.
    std::optional<std::vector<int>> Solve() const;

    static std::uint32_t PressMask(int k);

    // Where an arrow key ('L', 'R', 'U', 'D') takes the focus from `control`
    // (the cells 0 to 24, the new-game button 25): to the neighbouring cell,
    // not past the grid's edge; Down from the bottom row to the new-game
    // button, Up from it to the middle of the bottom row.
    static int Arrow(int control, char key);

private:
    std::uint32_t mask_ = kAllStart;
};

}  // namespace zarnik::testing
