#include "Puzzle.h"

#include "Text.h"

namespace zarnik {

Puzzle::Puzzle(Toolkit& toolkit) : toolkit_(toolkit), checked_(toolkit) {}

std::size_t Puzzle::Slot(CellIndex k) const { return static_cast<std::size_t>(RequireCell(toolkit_, k)); }

CellState Puzzle::Cell(CellIndex k) const { return board_[Slot(k)]; }

void Puzzle::SetCell(CellIndex k, CellState state) { board_[Slot(k)] = state; }

void Puzzle::Invert(CellIndex k) {
    CellState& cell = board_[Slot(k)];
    cell = static_cast<CellState>(checked_.Negate(static_cast<std::int16_t>(cell)));
}

void Puzzle::ResetBoard() {
    for (CellIndex k = 0; k < kCells; k = checked_.Add(k, 1)) board_[Slot(k)] = CellState::Start;
    remaining_ = 0;
    RefreshBoard();
}

void Puzzle::RefreshBoard() {
    // Both properties of every button on every pass: the pass is cheap and a
    // change-tracking shortcut would be one more thing to get wrong.
    for (CellIndex k = 0; k < kCells; k = checked_.Add(k, 1)) {
        if (board_[Slot(k)] == CellState::Start) {
            toolkit_.SetCellFaceColour(k, kWhite);
            toolkit_.SetCellPicture(k, toolkit_.HolderPicture(Holder::Picture1));
            remaining_ = checked_.Add(remaining_, 1);
        } else {
            toolkit_.SetCellFaceColour(k, kRed);
            toolkit_.SetCellPicture(k, toolkit_.HolderPicture(Holder::Picture2));
        }
    }
    toolkit_.SetLabelCaption(Text<8>() << remaining_);
}

bool Puzzle::Move(CellIndex k) {
    Slot(k);  // reject a bad index before anything changes
    if (k >= kColumns) Invert(checked_.Sub(k, kColumns));
    if (checked_.Mod(k, kColumns) != 0) Invert(checked_.Sub(k, 1));
    if (checked_.Mod(checked_.Add(k, 1), kColumns) != 0) Invert(checked_.Add(k, 1));
    if (k < kCells - kColumns) Invert(checked_.Add(k, kColumns));
    Invert(k);
    remaining_ = 0;
    RefreshBoard();
    return remaining_ == 0;
}

}  // namespace zarnik
