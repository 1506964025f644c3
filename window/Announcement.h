// The phrase a screen reader hears after each click, composed by every
// front end the same way: the front end tells it which control was clicked
// before the click reaches the event handlers, what each cell shows as the
// refresh pass goes, and at the pass's end (the counter's caption) it has
// the phrase, once.
#pragma once

#include <string_view>

#include "Layout.h"
#include "Text.h"

namespace zarnik::layout {

class Announcement {
public:
    // `control` in tab numbering: a cell, or the new-game button.
    void Clicked(int control) { clicked_ = control; }

    void CellShows(CellIndex cell, bool turned) {
        if (cell == clicked_) turned_ = turned;
    }

    // The phrase for the pass that ends with `caption`, or nothing where no
    // click caused it (the first new game, before the window shows).
    Text<64> Caption(std::string_view caption) {
        Text<64> phrase;
        if (clicked_ == kCommand2TabIndex)
            phrase << kNewGameAnnouncement << kRemainingAnnouncement << caption;
        else if (clicked_ >= 0)
            phrase << (turned_ ? kTurnedAnnouncement : kStartAnnouncement) << kRemainingAnnouncement << caption;
        clicked_ = -1;
        return phrase;
    }

private:
    int clicked_ = -1;
    bool turned_ = false;
};

}  // namespace zarnik::layout
