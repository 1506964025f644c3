// The main window's layout as data, in twips (1/1440 inch): the one place
// the geometry lives. Front ends convert to device pixels with ToPixels at
// the window's DPI and never copy pixel numbers of their own.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "AppInfo.h"
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
    return {kGridOrigin + kGridPitch * (k % 5), kGridOrigin + kGridPitch * (k / 5), kCellSize,
            kCellSize};
}
inline constexpr TwipRect kCommand2{1560, 4800, 1815, 495};
inline constexpr TwipRect kLabel1{360, 4800, 1575, 495};   // never shown
inline constexpr TwipRect kPicture1{4560, 5280, 1215, 495};  // never shown
inline constexpr TwipRect kPicture2{4560, 4680, 1215, 495};  // never shown

inline constexpr std::string_view kLabel1Caption = "Label1";

// Tab order: the cells by index (tab stops 0 to 24), then the new-game
// button (25). Only these take the focus; it starts on Command1(0).
inline constexpr int kCommand2TabIndex = 25;

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
constexpr int ToPixels(int twips, int dpi) {
    return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

struct PixelRect {
    int left, top, width, height;
};
struct PixelSize {
    int width, height;
};

// Position and size are converted separately, so that every cell comes out
// the same size whatever the DPI.
constexpr PixelRect ToPixels(const TwipRect& r, int dpi) {
    return {ToPixels(r.left, dpi), ToPixels(r.top, dpi), ToPixels(r.width, dpi),
            ToPixels(r.height, dpi)};
}
constexpr PixelSize ToPixels(const TwipSize& s, int dpi) {
    return {ToPixels(s.width, dpi), ToPixels(s.height, dpi)};
}

}  // namespace zarnik::layout
