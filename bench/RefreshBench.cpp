// The puzzle's own share of a move: the refresh pass and a whole move
// through a toolkit that does nothing, so only the game logic is timed.
#include <benchmark/benchmark.h>

#include "Puzzle.h"

namespace {

class NullToolkit final : public zarnik::Toolkit {
public:
    void SetCellFaceColour(zarnik::CellIndex, zarnik::Colour) override {}
    void SetCellPicture(zarnik::CellIndex, const zarnik::Picture&) override {}
    void SetLabelCaption(std::string_view text) override { benchmark::DoNotOptimize(text.data()); }
    void Announce(std::string_view) override {}
    const zarnik::Picture& HolderPicture(zarnik::Holder h) override {
        return h == zarnik::Holder::Picture1 ? static_cast<const zarnik::Picture&>(a_) : b_;
    }
    void ShowMessage(std::string_view, std::string_view) override {}
    [[noreturn]] void Fatal(std::string_view) override { std::abort(); }

private:
    struct Tile : zarnik::Picture {};
    Tile a_, b_;
};

void RefreshPass(benchmark::State& state) {
    NullToolkit toolkit;
    zarnik::Puzzle puzzle(toolkit);
    puzzle.ResetBoard();
    puzzle.Move(12);
    for (auto _ : state) {
        puzzle.SetRemaining(0);
        puzzle.RefreshBoard();
    }
}
BENCHMARK(RefreshPass);

void Move(benchmark::State& state) {
    NullToolkit toolkit;
    zarnik::Puzzle puzzle(toolkit);
    puzzle.ResetBoard();
    zarnik::CellIndex k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(puzzle.Move(k));
        k = static_cast<zarnik::CellIndex>((k + 7) % 25);
    }
}
BENCHMARK(Move);

}  // namespace

BENCHMARK_MAIN();
