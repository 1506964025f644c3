// The main window's event handlers: they tie the window's three events to the
// puzzle, and show the cleared message. Written against the toolkit interface
// only, so every front end shares them unchanged.
#pragma once

#include "Puzzle.h"
#include "Toolkit.h"

namespace zarnik {

class Form1 final : public FormEvents {
public:
    // `toolkit` is the window; it must outlive this object.
    explicit Form1(Toolkit& toolkit);

    void Form_Load() override;
    void Command1_Click(CellIndex Index) override;
    void Command2_Click() override;

    const Puzzle& puzzle() const { return puzzle_; }

private:
    Toolkit& toolkit_;
    Puzzle puzzle_;
};

}  // namespace zarnik
