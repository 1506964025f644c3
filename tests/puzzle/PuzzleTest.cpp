#include "Puzzle.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <limits>
#include <stdexcept>
#include <string>

#include "BoardModel.h"

namespace zarnik {
namespace {

using testing::BoardModel;

struct FatalError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A toolkit that keeps what each cell was last given and the caption, counts
// the calls, and throws at Fatal, so that a test sees the fatal path.
class RecordingToolkit : public Toolkit {
public:
    void SetCellFaceColour(CellIndex cell, Colour colour) override { ++calls, faces.at(cell) = colour; }
    void SetCellPicture(CellIndex k, const Picture& picture) override { ++calls, turned.at(k) = &picture == &turned_; }
    void SetLabelCaption(std::string_view text) override { ++calls, caption = text; }
    void Announce(std::string_view) override {}
    const Picture& HolderPicture(Holder holder) override { return holder == Holder::Picture1 ? start_ : turned_; }
    void ShowMessage(std::string_view, std::string_view) override { ++calls; }
    [[noreturn]] void Fatal(std::string_view what) override { throw FatalError(std::string(what)); }

    int calls = 0;
    std::array<Colour, kCells> faces{};
    std::array<bool, kCells> turned{};  // showing Picture2's tile
    std::string caption = "Label1";

private:
    struct Tile : Picture {};
    Tile start_, turned_;
};

class PuzzleTest : public ::testing::Test {
protected:
    RecordingToolkit toolkit;
    Puzzle puzzle{toolkit};

    std::uint32_t StartMask() const {
        std::uint32_t mask = 0;
        for (CellIndex k = 0; k < kCells; ++k)
            if (puzzle.Cell(k) == CellState::Start) mask |= 1u << k;
        return mask;
    }
    // Every button shows its cell: white with the start tile, red with the turned one.
    void ExpectShown(std::uint32_t startMask, const std::string& what) {
        for (CellIndex k = 0; k < kCells; ++k) {
            const bool start = (startMask >> k) & 1;
            EXPECT_TRUE(toolkit.faces[k] == (start ? kWhite : kRed) && toolkit.turned[k] != start)
                << what << ", cell " << k;
        }
        EXPECT_EQ(toolkit.caption, std::to_string(std::popcount(startMask))) << what;
    }
};

// Each move from a new game, whatever the count held, against the reference,
// whose edges (where a wrapping fault would show) are pinned first.
TEST_F(PuzzleTest, EveryMoveFromANewGameAgreesWithTheReference) {
    EXPECT_EQ(BoardModel::PressMask(4), 1u << 3 | 1u << 4 | 1u << 9);
    EXPECT_EQ(BoardModel::PressMask(5), 1u << 0 | 1u << 5 | 1u << 6 | 1u << 10);
    EXPECT_EQ(BoardModel::PressMask(24), 1u << 19 | 1u << 23 | 1u << 24);
    for (CellIndex k = 0; k < kCells; ++k) {
        for (CellIndex j = 0; j < kCells; ++j)
            puzzle.SetCell(j, (k * 0x51u >> j) & 1 ? CellState::Start : CellState::Turned);
        puzzle.SetRemaining(k);
        puzzle.ResetBoard();
        ExpectShown(BoardModel::kAllStart, "a new game");
        BoardModel model;
        EXPECT_EQ(puzzle.Move(k), model.Press(k));
        EXPECT_EQ(StartMask(), model.mask()) << "move " << k;
        ExpectShown(model.mask(), "move " + std::to_string(k));
    }
    // Only exactly Start counts: a fresh window's zeroed board shows all turned.
    Puzzle fresh(toolkit);
    fresh.RefreshBoard();
    ExpectShown(0, "a zeroed board");
}

TEST_F(PuzzleTest, ABadIndexOrAnOverflowIsFatalAndChangesNothing) {
    puzzle.ResetBoard();
    const int calls = toolkit.calls;
    for (CellIndex bad :
         {CellIndex{-1}, kCells, std::numeric_limits<CellIndex>::min(), std::numeric_limits<CellIndex>::max()}) {
        EXPECT_THROW(puzzle.Move(bad), FatalError) << bad;
        EXPECT_THROW(puzzle.Cell(bad), FatalError) << bad;
        EXPECT_THROW(puzzle.SetCell(bad, CellState::Turned), FatalError) << bad;
    }
    EXPECT_EQ(toolkit.calls, calls);
    EXPECT_EQ(StartMask(), BoardModel::kAllStart);

    puzzle.SetRemaining(std::numeric_limits<std::int16_t>::max());
    EXPECT_THROW(puzzle.RefreshBoard(), FatalError);
    // A cell holding the one value whose negation does not fit.
    puzzle.SetCell(0, static_cast<CellState>(std::numeric_limits<std::int16_t>::min()));
    EXPECT_THROW(puzzle.Move(1), FatalError);
}

}  // namespace
}  // namespace zarnik
