// The main window's event handlers: they tie the window's three events to the
// puzzle, tell screen readers what each click did, and show the cleared
// message. Written against the toolkit interface only, so every front end
// shares them unchanged.
#pragma once

#include <string_view>

#include "Puzzle.h"
#include "Toolkit.h"

namespace zarnik {

// What a screen reader hears right after a click, in UTF-8: the pressed
// cell's new side and how many cells are left to turn (the counter's
// caption), "赤になりました。残り 20"; after a new game "新しいゲーム。残り 25".
inline constexpr std::string_view kTurnedAnnouncement = "赤になりました。";
inline constexpr std::string_view kStartAnnouncement = "白になりました。";
inline constexpr std::string_view kNewGameAnnouncement = "新しいゲーム。";
inline constexpr std::string_view kRemainingAnnouncement = "残り ";

class Form1 final : public FormEvents {
public:
    // `toolkit` is the window; it must outlive this object.
    explicit Form1(Toolkit& toolkit);

    void Form_Load() override;
    void Command1_Click(CellIndex Index) override;
    void Command2_Click() override;

private:
    // `what` the click did, then the cells left to turn.
    void Announce(std::string_view what);

    Toolkit& toolkit_;
    Puzzle puzzle_;
};

}  // namespace zarnik
