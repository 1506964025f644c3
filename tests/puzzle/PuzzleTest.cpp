#include "Puzzle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
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
    // Every button shows exactly what the board holds, and the label the count.
    void ExpectShown() const {
        for (CellIndex k = 0; k < kCells; ++k) {
            const bool start = puzzle.Cell(k) == CellState::Start;
            EXPECT_EQ(toolkit.faces[k].colour, start ? kWhite : kRed) << "cell " << k;
            EXPECT_EQ(toolkit.faces[k].picture, start ? &toolkit.start() : &toolkit.turned()) << k;
        }
        EXPECT_EQ(toolkit.caption, std::to_string(puzzle.Remaining()));
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

    // Only exactly Start counts: the zeroed board of a fresh window shows as
    // turned, as does a board of all Turned.
    Puzzle fresh(toolkit);
    fresh.RefreshBoard();
    EXPECT_EQ(toolkit.caption, "0");
    EXPECT_EQ(toolkit.faces[24].picture, &toolkit.turned());
    SetBoard(0);
    puzzle.SetRemaining(0);
    puzzle.RefreshBoard();
    EXPECT_EQ(toolkit.caption, "0");
    ExpectShown();
}

TEST_F(PuzzleTest, NewGameFromAnyBoardGivesTwentyFiveStartCells) {
    std::mt19937 rng(7);
    for (int round = 0; round < 10; ++round) {
        SetBoard(round == 0 ? 0 : rng() & BoardModel::kAllStart);
        puzzle.SetRemaining(static_cast<std::int16_t>(rng() % 26));
        puzzle.ResetBoard();
        EXPECT_EQ(puzzle.Remaining(), 25);
        EXPECT_EQ(StartMask(), BoardModel::kAllStart);
        ExpectShown();
    }
}

TEST_F(PuzzleTest, EachMoveInvertsItsCellAndGridNeighboursWithoutWrapping) {
    for (CellIndex k = 0; k < kCells; ++k) {
        puzzle.ResetBoard();
        EXPECT_FALSE(puzzle.Move(k));
        EXPECT_EQ(StartMask(), BoardModel::kAllStart ^ BoardModel::PressMask(k)) << "move " << k;
        ExpectShown();
    }
    // The reference itself, where a wrapping fault would show.
    EXPECT_EQ(BoardModel::PressMask(4), 1u << 3 | 1u << 4 | 1u << 9);
    EXPECT_EQ(BoardModel::PressMask(5), 1u << 0 | 1u << 5 | 1u << 6 | 1u << 10);
    EXPECT_EQ(BoardModel::PressMask(24), 1u << 19 | 1u << 23 | 1u << 24);
}

TEST_F(PuzzleTest, MovesUndoThemselvesAndCommute) {
    std::mt19937 rng(3);
    std::vector<CellIndex> moves;
    for (int i = 0; i < 12; ++i) moves.push_back(static_cast<CellIndex>(rng() % 25));
    puzzle.ResetBoard();
    for (auto k : moves) puzzle.Move(k);
    const std::uint32_t reference = StartMask();
    const auto remaining = puzzle.Remaining();
    for (CellIndex k = 0; k < kCells; ++k) {
        puzzle.Move(k);
        puzzle.Move(k);
        ASSERT_EQ(StartMask(), reference) << "move " << k << " twice";
        ASSERT_EQ(puzzle.Remaining(), remaining);
    }
    for (int shuffle = 0; shuffle < 10; ++shuffle) {
        std::shuffle(moves.begin(), moves.end(), rng);
        puzzle.ResetBoard();
        for (auto k : moves) puzzle.Move(k);
        EXPECT_EQ(StartMask(), reference);
    }
}

TEST_F(PuzzleTest, ClearingAndUnclearing) {
    SetBoard(BoardModel::PressMask(12));  // exactly the cells of move 12 at Start
    EXPECT_TRUE(puzzle.Move(12));
    EXPECT_EQ(toolkit.caption, "0");
    ExpectShown();
    EXPECT_FALSE(puzzle.Move(12));
    EXPECT_EQ(puzzle.Remaining(), 5);
    EXPECT_TRUE(puzzle.Move(12));
    EXPECT_FALSE(puzzle.Move(0));  // from a cleared board a corner turns 3 back
    EXPECT_EQ(puzzle.Remaining(), 3);

    // A known 15-press solution clears a new board at its last press only.
    const CellIndex solution[] = {0, 1, 5, 6, 8, 9, 12, 13, 14, 16, 17, 18, 21, 22, 24};
    puzzle.ResetBoard();
    for (std::size_t i = 0; i < std::size(solution); ++i)
        EXPECT_EQ(puzzle.Move(solution[i]), i + 1 == std::size(solution)) << "press " << i;
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
