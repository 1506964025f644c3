#include "Form1.h"

#include "AppInfo.h"

namespace zarnik {

Form1::Form1(Toolkit& toolkit) : toolkit_(toolkit), puzzle_(toolkit) {}

void Form1::Form_Load() { puzzle_.ResetBoard(); }

void Form1::Command1_Click(CellIndex Index) {
    // The board is already repainted when the message comes up, and stays
    // playable after it: a clear is only ever announced, never acted on.
    if (puzzle_.Move(Index)) toolkit_.ShowMessage(ZARNIK_CLEARED_PROMPT, ZARNIK_TITLE);
}

void Form1::Command2_Click() { puzzle_.ResetBoard(); }

}  // namespace zarnik
