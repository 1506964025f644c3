#include "Toolkit.h"

#include "Text.h"

namespace zarnik {

CellIndex RequireCell(Toolkit& toolkit, CellIndex cell) {
    if (cell < 0 || cell >= kCells)
        toolkit.Fatal(Text<>() << "cell index " << cell << " is outside 0 to " << kCells - 1);
    return cell;
}

Colour RequireColour(Toolkit& toolkit, Colour colour) {
    if (colour > 0x00FFFFFF) toolkit.Fatal(Text<>() << "face colour " << colour << " is not 0x00BBGGRR");
    return colour;
}

}  // namespace zarnik
