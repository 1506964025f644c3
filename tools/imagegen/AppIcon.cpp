#include "AppIcon.h"

#include <stdexcept>

namespace zarnik::imagegen {

namespace {

constexpr int kSquare = 6;  // side of one checkerboard square in both sizes

// What lies at one coordinate along either axis of the opaque area.
struct Band {
    enum Kind { Outside, Silver, Grey, Square } kind = Outside;
    int index = 0;   // which square
    int offset = 0;  // position inside it
};

// 32 x 32: the opaque span 1..29 is 29 pixels, one short of a silver edge
// plus five grey lines plus four squares. The silver edge therefore takes the
// place of the outer grey line on the top and left, a raised bevel lit from
// the top left: silver at 1, squares at 2, 9, 16, 23, grey at 8, 15, 22, 29.
// 16 x 16: grey at 0, 7, 14 around two squares at 1 and 8; 15 stays clear.
Band band(int size, int p) {
    const bool large = size == 32;
    const int squares = large ? 4 : 2;
    const int first = large ? 2 : 1;                  // first pixel of the first square
    const int end = first + squares * (kSquare + 1);  // one past the last grey line
    if (p < first - 1 || p >= end) return {};
    if (p == first - 1) return {large ? Band::Silver : Band::Grey};
    const int q = p - first;
    if (q % (kSquare + 1) == kSquare) return {Band::Grey};
    return {Band::Square, q / (kSquare + 1), q % (kSquare + 1)};
}

VgaColour colourAt(Band col, Band row) {
    if (col.kind == Band::Silver || row.kind == Band::Silver) return Silver;
    if (col.kind == Band::Grey || row.kind == Band::Grey) return Grey;
    if ((col.index + row.index) % 2 != 0) return White;
    // Red squares carry a thin white edge on their own top and left.
    return col.offset == 0 || row.offset == 0 ? White : Red;
}

}  // namespace

IconImage appIcon(int size) {
    if (size != 32 && size != 16) throw std::invalid_argument("the icon comes in 32 and 16 pixels only");
    IconImage image{size, {}, {}};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Band col = band(size, x), row = band(size, y);
            const bool clear = col.kind == Band::Outside || row.kind == Band::Outside;
            image.colours.push_back(clear ? Black : colourAt(col, row));
            image.transparent.push_back(clear);
        }
    }
    return image;
}

}  // namespace zarnik::imagegen
