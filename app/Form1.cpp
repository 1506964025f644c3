#include "Form1.h"

#include "AppInfo.h"
#include "Text.h"

namespace zarnik {

Form1::Form1(Toolkit& toolkit) : toolkit_(toolkit), puzzle_(toolkit) {}

// Nobody pressed anything yet, so nothing is announced.
void Form1::Form_Load() { puzzle_.ResetBoard(); }

void Form1::Command1_Click(CellIndex Index) {
    const bool cleared = puzzle_.Move(Index);
    Announce(puzzle_.Cell(Index) == CellState::Start ? kStartAnnouncement : kTurnedAnnouncement);
    // The board is already repainted when the message comes up, and stays
    // playable after it: a clear is only ever shown, never acted on.
    if (cleared) toolkit_.ShowMessage(ZARNIK_CLEARED_PROMPT, ZARNIK_TITLE);
}

void Form1::Command2_Click() {
    puzzle_.ResetBoard();
    Announce(kNewGameAnnouncement);
}

void Form1::Announce(std::string_view what) {
    toolkit_.Announce(Text<64>() << what << kRemainingAnnouncement << puzzle_.Remaining());
}

}  // namespace zarnik
