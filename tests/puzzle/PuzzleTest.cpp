#include "Puzzle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "BoardModel.h"
#include "RecordingToolkit.h"

namespace zarnik {
namespace {

using testing::FatalError;
using testing::RecordingToolkit;

// The cells a move at k should invert, worked out from rows and columns rather
// than from index arithmetic, so it is an independent reference.
std::set<int> Neighbourhood(int k) {
    std::set<int> cells;
    const int row = k / 5, col = k % 5;
    for (auto [dr, dc] : {std::pair{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
        const int r = row + dr, c = col + dc;
        if (r >= 0 && r < 5 && c >= 0 && c < 5) cells.insert(r * 5 + c);
    }
    return cells;
}

class PuzzleTest : public ::testing::Test {
protected:
    RecordingToolkit toolkit;
    Puzzle puzzle{toolkit};

    Board Snapshot() const {
        Board board{};
        for (CellIndex k = 0; k < kCells; ++k) board[k] = puzzle.Cell(k);
        return board;
    }
    // Every button shows exactly the state the board holds.
    void ExpectFacesMatchBoard() const {
        for (CellIndex k = 0; k < kCells; ++k) {
            const bool start = puzzle.Cell(k) == CellState::Start;
            EXPECT_EQ(toolkit.faces[k].colour, start ? kWhite : kRed) << "cell " << k;
            EXPECT_EQ(toolkit.faces[k].picture, start ? &toolkit.start() : &toolkit.turned())
                << "cell " << k;
        }
        EXPECT_EQ(toolkit.caption, std::to_string(puzzle.Remaining()));
    }
};

TEST_F(PuzzleTest, RefreshPassSetsColourThenPictureOnEveryButtonThenTheCaption) {
    puzzle.ResetBoard();
    toolkit.log.clear();
    puzzle.SetCell(0, CellState::Turned);
    puzzle.SetCell(1, CellState::Turned);
    puzzle.SetCell(5, CellState::Turned);
    puzzle.SetRemaining(0);
    puzzle.RefreshBoard();

    std::vector<std::string> expected;
    for (int k = 0; k < 25; ++k) {
        const bool turned = k == 0 || k == 1 || k == 5;
        expected.push_back("colour " + std::to_string(k) + (turned ? " 0000FF" : " FFFFFF"));
        expected.push_back("picture " + std::to_string(k) + (turned ? " Picture2" : " Picture1"));
    }
    expected.push_back("caption 22");
    EXPECT_EQ(toolkit.log, expected);
    EXPECT_EQ(puzzle.Remaining(), 22);
}

TEST_F(PuzzleTest, OnlyExactlyStartCountsAndAnythingElseShowsTurned) {
    // Before the first new game every cell is 0: neither state.
    puzzle.RefreshBoard();
    EXPECT_EQ(toolkit.caption, "0");
    EXPECT_EQ(toolkit.faces[12].colour, kRed);
    EXPECT_EQ(toolkit.faces[12].picture, &toolkit.turned());

    for (CellIndex k = 0; k < kCells; ++k) puzzle.SetCell(k, CellState::Turned);
    puzzle.RefreshBoard();
    EXPECT_EQ(toolkit.caption, "0");
    ExpectFacesMatchBoard();
}

TEST_F(PuzzleTest, RefreshOnlyAddsToTheCountSoCallersZeroItFirst) {
    puzzle.ResetBoard();
    puzzle.RefreshBoard();
    EXPECT_EQ(toolkit.caption, "50");
}

TEST_F(PuzzleTest, NewGameFromAnyBoardGivesTwentyFiveStartCells) {
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        for (CellIndex k = 0; k < kCells; ++k)
            puzzle.SetCell(k, round == 0 ? CellState::Turned
                                         : (rng() & 1 ? CellState::Start : CellState::Turned));
        puzzle.SetRemaining(static_cast<std::int16_t>(rng() % 26));
        puzzle.ResetBoard();
        EXPECT_EQ(puzzle.Remaining(), 25);
        EXPECT_EQ(toolkit.caption, "25");
        ExpectFacesMatchBoard();
    }
}

TEST_F(PuzzleTest, EachMoveInvertsExactlyItsCellAndGridNeighbours) {
    for (int k = 0; k < 25; ++k) {
        puzzle.ResetBoard();
        EXPECT_FALSE(puzzle.Move(static_cast<CellIndex>(k)));
        const std::set<int> expected = Neighbourhood(k);
        for (CellIndex c = 0; c < kCells; ++c)
            EXPECT_EQ(puzzle.Cell(c), expected.count(c) ? CellState::Turned : CellState::Start)
                << "move " << k << ", cell " << c;
        EXPECT_EQ(puzzle.Remaining(), 25 - static_cast<int>(expected.size()));
        ExpectFacesMatchBoard();
    }
    // The spots where a wrapping bug would show: no row wrap at the edges.
    EXPECT_EQ(Neighbourhood(4), (std::set<int>{3, 4, 9}));
    EXPECT_EQ(Neighbourhood(5), (std::set<int>{0, 5, 6, 10}));
    EXPECT_EQ(Neighbourhood(12), (std::set<int>{7, 11, 12, 13, 17}));
}

TEST_F(PuzzleTest, AMoveTwiceRestoresBoardAndCount) {
    std::mt19937 rng(11);
    puzzle.ResetBoard();
    for (int i = 0; i < 10; ++i) puzzle.Move(static_cast<CellIndex>(rng() % 25));
    const Board before = Snapshot();
    const auto remaining = puzzle.Remaining();
    for (CellIndex k = 0; k < kCells; ++k) {
        puzzle.Move(k);
        puzzle.Move(k);
        EXPECT_EQ(Snapshot(), before) << "move " << k;
        EXPECT_EQ(puzzle.Remaining(), remaining);
    }
}

TEST_F(PuzzleTest, MovesCommute) {
    std::mt19937 rng(3);
    std::vector<CellIndex> moves;
    for (int i = 0; i < 12; ++i) moves.push_back(static_cast<CellIndex>(rng() % 25));
    puzzle.ResetBoard();
    for (auto k : moves) puzzle.Move(k);
    const Board reference = Snapshot();
    for (int shuffle = 0; shuffle < 10; ++shuffle) {
        std::shuffle(moves.begin(), moves.end(), rng);
        puzzle.ResetBoard();
        for (auto k : moves) puzzle.Move(k);
        EXPECT_EQ(Snapshot(), reference);
    }
}

TEST_F(PuzzleTest, ClearingAndUnclearing) {
    // Exactly the cells of move 12 at Start: that move clears, repeating it
    // brings them back.
    for (CellIndex k = 0; k < kCells; ++k)
        puzzle.SetCell(k, Neighbourhood(12).count(k) ? CellState::Start : CellState::Turned);
    EXPECT_TRUE(puzzle.Move(12));
    EXPECT_EQ(puzzle.Remaining(), 0);
    EXPECT_EQ(toolkit.caption, "0");
    ExpectFacesMatchBoard();
    EXPECT_FALSE(puzzle.Move(12));
    EXPECT_EQ(puzzle.Remaining(), 5);

    // From a cleared board a corner move turns 3 back; its repeat clears again.
    EXPECT_TRUE(puzzle.Move(12));
    EXPECT_FALSE(puzzle.Move(0));
    EXPECT_EQ(puzzle.Remaining(), 3);
    EXPECT_TRUE(puzzle.Move(0));
}

TEST_F(PuzzleTest, AKnownFifteenPressSequenceClearsANewBoardOnlyAtTheLastPress) {
    const std::vector<CellIndex> solution{0, 1, 5, 6, 8, 9, 12, 13, 14, 16, 17, 18, 21, 22, 24};
    puzzle.ResetBoard();
    for (std::size_t i = 0; i < solution.size(); ++i)
        EXPECT_EQ(puzzle.Move(solution[i]), i + 1 == solution.size()) << "press " << i;
    for (CellIndex k = 0; k < kCells; ++k) EXPECT_EQ(puzzle.Cell(k), CellState::Turned);
}

TEST_F(PuzzleTest, RandomPlayFollowsTheReferenceAndEverySolvedBoardClears) {
    std::mt19937 rng(2024);
    testing::BoardModel model;
    puzzle.ResetBoard();
    int clears = 0;
    for (int step = 0; step < 3000; ++step) {
        if (rng() % 50 == 0) {
            puzzle.ResetBoard();
            model.NewGame();
        } else if (rng() % 20 == 0) {
            const auto presses = model.Solve();
            ASSERT_TRUE(presses.has_value()) << "a reachable board is always solvable";
            for (int k : *presses) ASSERT_EQ(puzzle.Move(static_cast<CellIndex>(k)), model.Press(k));
            ASSERT_EQ(puzzle.Remaining(), 0);
            ++clears;
        } else {
            const int k = static_cast<int>(rng() % 25);
            ASSERT_EQ(puzzle.Move(static_cast<CellIndex>(k)), model.Press(k)) << "step " << step;
        }
        ASSERT_EQ(puzzle.Remaining(), model.Remaining());
        for (CellIndex k = 0; k < kCells; ++k)
            ASSERT_EQ(puzzle.Cell(k) == CellState::Start, model.IsStart(k)) << "step " << step;
    }
    EXPECT_GT(clears, 50);
    ExpectFacesMatchBoard();
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
    for (CellIndex k = 0; k < kCells; ++k) EXPECT_EQ(puzzle.Cell(k), CellState::Start);

    puzzle.SetRemaining(std::numeric_limits<std::int16_t>::max());
    EXPECT_THROW(puzzle.RefreshBoard(), FatalError);

    // A cell holding the one value whose negation does not fit.
    puzzle.SetCell(0, static_cast<CellState>(std::numeric_limits<std::int16_t>::min()));
    EXPECT_THROW(puzzle.Move(1), FatalError);
}

}  // namespace
}  // namespace zarnik
