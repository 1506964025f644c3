#include "Puzzle.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "BoardModel.h"
#include "RecordingToolkit.h"

namespace zarnik {
namespace {

using testing::BoardModel;
using testing::FatalError;

class PuzzleTest : public ::testing::Test {
protected:
    testing::RecordingToolkit toolkit;
    Puzzle puzzle{toolkit};

    void SetBoard(std::uint32_t startMask) {
        for (CellIndex k = 0; k < kCells; ++k)
            puzzle.SetCell(k, (startMask >> k) & 1 ? CellState::Start : CellState::Turned);
    }
    std::uint32_t StartMask() const {
        std::uint32_t mask = 0;
        for (CellIndex k = 0; k < kCells; ++k)
            if (puzzle.Cell(k) == CellState::Start) mask |= 1u << k;
        return mask;
    }
};

TEST_F(PuzzleTest, RefreshPassSetsColourThenPictureOnEveryButtonThenTheCaption) {
    SetBoard(BoardModel::kAllStart & ~0b100011u);  // cells 0, 1 and 5 turned
    puzzle.RefreshBoard();
    std::vector<std::string> expected;
    for (int k = 0; k < 25; ++k) {
        const bool turned = k == 0 || k == 1 || k == 5;
        expected.push_back("colour " + std::to_string(k) + (turned ? " 0000FF" : " FFFFFF"));
        expected.push_back("picture " + std::to_string(k) + (turned ? " Picture2" : " Picture1"));
    }
    expected.push_back("caption 22");
    EXPECT_EQ(toolkit.log, expected);

    // Only exactly Start counts: a fresh window's zeroed board is all turned.
    toolkit.log.clear();
    Puzzle(toolkit).RefreshBoard();
    EXPECT_EQ(toolkit.log.at(49), "picture 24 Picture2");
    EXPECT_EQ(toolkit.caption, "0");
}

// Each move from a new game, whatever the count held, against the reference,
// whose edges (where a wrapping fault would show) are pinned first.
TEST_F(PuzzleTest, EveryMoveFromANewGameAgreesWithTheReference) {
    EXPECT_EQ(BoardModel::PressMask(4), 1u << 3 | 1u << 4 | 1u << 9);
    EXPECT_EQ(BoardModel::PressMask(5), 1u << 0 | 1u << 5 | 1u << 6 | 1u << 10);
    EXPECT_EQ(BoardModel::PressMask(24), 1u << 19 | 1u << 23 | 1u << 24);
    for (CellIndex k = 0; k < kCells; ++k) {
        SetBoard(k * 0x51u);
        puzzle.SetRemaining(k);
        puzzle.ResetBoard();
        BoardModel model;
        EXPECT_EQ(puzzle.Move(k), model.Press(k));
        EXPECT_EQ(StartMask(), model.mask()) << "move " << k;
        EXPECT_EQ(toolkit.caption, std::to_string(model.Remaining())) << "move " << k;
    }
}

TEST_F(PuzzleTest, ABadIndexOrAnOverflowIsFatalAndChangesNothing) {
    puzzle.ResetBoard();
    toolkit.log.clear();
    for (CellIndex bad : {CellIndex{-1}, CellIndex{25}, std::numeric_limits<CellIndex>::min(),
                          std::numeric_limits<CellIndex>::max()}) {
        EXPECT_THROW(puzzle.Move(bad), FatalError) << bad;
        EXPECT_THROW(puzzle.Cell(bad), FatalError) << bad;
        EXPECT_THROW(puzzle.SetCell(bad, CellState::Turned), FatalError) << bad;
    }
    EXPECT_TRUE(toolkit.log.empty());
    EXPECT_EQ(StartMask(), BoardModel::kAllStart);

    puzzle.SetRemaining(std::numeric_limits<std::int16_t>::max());
    EXPECT_THROW(puzzle.RefreshBoard(), FatalError);
    // A cell holding the one value whose negation does not fit.
    puzzle.SetCell(0, static_cast<CellState>(std::numeric_limits<std::int16_t>::min()));
    EXPECT_THROW(puzzle.Move(1), FatalError);
}

}  // namespace
}  // namespace zarnik
