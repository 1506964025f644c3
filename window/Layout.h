// The main window's layout as data, in twips (1/1440 inch): the one place
// the geometry lives. Front ends convert to device pixels with ToPixels at
// the window's DPI and never copy pixel numbers of their own.
#pragma once

#include <string_view>

#include "AppInfo.h"
#include "Text.h"
#include "Toolkit.h"

namespace zarnik::layout {

struct TwipRect {
    int left, top, width, height;
};

struct TwipSize {
    int width, height;
};

inline constexpr std::string_view kCaption = ZARNIK_TITLE;
inline constexpr TwipSize kClient{4740, 5595};

// The cell grid's pitch is one pixel less than a button, so neighbouring
// cells overlap by one pixel line.
inline constexpr int kGridOrigin = 240;
inline constexpr int kGridPitch = 840;
inline constexpr int kCellSize = 855;

constexpr TwipRect Command1(CellIndex k) {
    return {kGridOrigin + kGridPitch * (k % kColumns), kGridOrigin + kGridPitch * (k / kColumns), kCellSize, kCellSize};
}
inline constexpr TwipRect kCommand2{1560, 4800, 1815, 495};
inline constexpr TwipRect kLabel1{360, 4800, 1575, 495};     // never shown
inline constexpr TwipRect kPicture1{4560, 5280, 1215, 495};  // never shown
inline constexpr TwipRect kPicture2{4560, 4680, 1215, 495};  // never shown

inline constexpr std::string_view kLabel1Caption = "Label1";

// Tab order: the cells by index, then the new-game button. Only these take
// the focus; it starts on Command1(0). Every front end numbers its
// focusable controls this way.
inline constexpr int kCommand2TabIndex = kCells;

// The arrow keys move the focus within the grid and stop at its edges; Down
// from the bottom row reaches the new-game button, Up from it the middle
// cell of the bottom row. Returns the control (in tab numbering) to focus.
enum class Arrow { Left, Right, Up, Down };
constexpr int ArrowTarget(int control, Arrow arrow) {
    constexpr int kBottomMiddle = kCells - kColumns + kColumns / 2;
    if (control == kCommand2TabIndex) return arrow == Arrow::Up ? kBottomMiddle : control;
    const int row = control / kColumns, column = control % kColumns;
    switch (arrow) {
    case Arrow::Left: return column > 0 ? control - 1 : control;
    case Arrow::Right: return column < kColumns - 1 ? control + 1 : control;
    case Arrow::Up: return row > 0 ? control - kColumns : control;
    case Arrow::Down: return row < kRows - 1 ? control + kColumns : kCommand2TabIndex;
    }
    return control;
}

// The focus mark of every front end: a solid black ring this wide, its outer
// edge this far inside the focused button's edge, drawn over face and
// picture (pixels at 96 DPI, scaled like the rest). Black stands out at
// least 5:1 against every tile and face colour, and at these numbers the
// ring stays clear of the new-game button's lettering.
inline constexpr int kFocusRingWidth = 2;
inline constexpr int kFocusRingInset = 3;

// The classic raised frame of the picture buttons where a front end draws
// its own (the Windows program has the system's): two rings one pixel wide,
// lit from the top left while up, both dark while held down; fixed shades,
// so that the board looks the same under every desktop theme.
struct Bevel {
    Colour highlight, light, shadow, darkShadow;
};
inline constexpr Bevel kBevel{0xFFFFFF, 0xE3E3E3, 0xA0A0A0, 0x696969};
inline constexpr int kBevelWidth = 2;
// A button's face before the refresh pass gives it a colour.
inline constexpr Colour kBareFace = 0xF0F0F0;

// What screen readers say, in UTF-8: each cell by its place ("2行目 3列目",
// row 2, column 3), its state as its description, the new-game button by
// the word on its face.
inline Text<24> CellName(CellIndex k) {
    return Text<24>() << k / kColumns + 1 << "行目 " << k % kColumns + 1 << "列目";
}
inline constexpr std::string_view kStartDescription = "白 (未反転)";
inline constexpr std::string_view kTurnedDescription = "赤 (反転済み)";
inline constexpr std::string_view kCommand2Name = "リセット";

struct FontSpec {
    std::string_view face;  // UTF-8
    int points;
};
// Shift-JIS character set, regular weight. Where the face is not installed
// a Japanese sans-serif stands in; no visible text uses it.
inline constexpr std::string_view kJapaneseFace = "ＭＳ Ｐゴシック";
inline constexpr FontSpec kCellFont{kJapaneseFace, 18};
inline constexpr FontSpec kLabelFont{kJapaneseFace, 24};

inline constexpr int kTwipsPerInch = 1440;

// Twips to device pixels at `dpi`, rounded to nearest (15 twips per pixel at
// 96 DPI, so every value in the table is exact there).
constexpr int ToPixels(int twips, int dpi) { return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch; }

struct PixelRect {
    int left, top, width, height;
};
struct PixelSize {
    int width, height;
};

// Position and size are converted separately, so that every cell comes out
// the same size whatever the DPI.
constexpr PixelRect ToPixels(const TwipRect& r, int dpi) {
    return {ToPixels(r.left, dpi), ToPixels(r.top, dpi), ToPixels(r.width, dpi), ToPixels(r.height, dpi)};
}
constexpr PixelSize ToPixels(const TwipSize& s, int dpi) { return {ToPixels(s.width, dpi), ToPixels(s.height, dpi)}; }

}  // namespace zarnik::layout
