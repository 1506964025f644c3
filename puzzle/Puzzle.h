// The board of one game, a new game, the refresh pass that makes the cell
// buttons show the board, and the move rule. The window owns one Puzzle for
// its whole life; every operation runs on the user-interface thread.
#pragma once

#include <array>
#include <cstdint>

#include "Checked.h"
#include "Toolkit.h"

namespace zarnik {

enum class CellState : std::int16_t { Turned = -1, Start = +1 };

// Row-major, as CellIndex numbers the cells.
using Board = std::array<CellState, kCells>;

class Puzzle {
public:
    // `toolkit` must outlive the puzzle. The board starts zeroed: neither
    // state, never shown, because the window starts a new game before it
    // first appears.
    explicit Puzzle(Toolkit& toolkit);

    // A new game: every cell to Start, then a refresh pass.
    void ResetBoard();

    // Sets face colour then picture on every cell button, counts the cells at
    // exactly Start into Remaining (adding to what it holds: callers zero it
    // first) and writes the count to the label.
    void RefreshBoard();

    // The move sequence for cell k: inverts k and its orthogonal neighbours
    // on the grid, zeroes Remaining, refreshes. Returns whether the board is
    // cleared, i.e. no cell is left at Start. A k RequireCell refuses is fatal.
    bool Move(CellIndex k);

    // Checked access; an index RequireCell refuses is fatal.
    CellState Cell(CellIndex k) const;
    void SetCell(CellIndex k, CellState state);

    std::int16_t Remaining() const { return remaining_; }
    void SetRemaining(std::int16_t value) { remaining_ = value; }

private:
    std::size_t Slot(CellIndex k) const;  // checked subscript
    void Invert(CellIndex k);

    Toolkit& toolkit_;
    Checked16 checked_;
    Board board_{};
    std::int16_t remaining_ = 0;
};

}  // namespace zarnik
