#include "Pictures.h"

#include "AppIcon.h"
#include "BmpWriter.h"
#include "IcoWriter.h"
#include "Lettering.h"
#include "StrokeCanvas.h"
#include "Textures.h"

namespace zarnik::imagegen {

namespace {

// Fixed seeds: the committed files must come out byte for byte the same.
constexpr std::uint32_t kBackdropSeed = 20240601;
constexpr std::uint32_t kTileSeed = 53;
constexpr std::uint32_t kResetSeed = 118;

// The word in black on the tile mosaic. Partly covered pixels become a
// neutral grey as light as the mosaic under them scaled by the uncovered
// share, which smooths the edges without tinting the letters.
Image resetFace() {
    constexpr int w = 118, h = 30;
    const Image ground = paint(mosaic(w, h, kResetSeed), tealShade);
    StrokeCanvas canvas(w, h);
    for (const auto& stroke : resetWord(w, h)) canvas.draw(stroke);

    Image face = ground;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int cover = canvas.coverage(x, y);
            if (cover == 0) continue;
            const Rgb g = ground.at(x, y);
            const int light = (g.r * 77 + g.g * 150 + g.b * 29) >> 8;
            const auto grey = static_cast<std::uint8_t>(light * (StrokeCanvas::kFull - cover) / StrokeCanvas::kFull);
            face.set(x, y, {grey, grey, grey});
        }
    }
    return face;
}

}  // namespace

std::vector<PictureFile> allPictures() {
    const ShadeGrid tile = mosaic(53, 53, kTileSeed);
    return {
        {"BackdropImage.bmp", encodeBmp(paint(paperGrain(321, 376, kBackdropSeed), backdropShade))},
        {"TileStart.bmp", encodeBmp(paint(tile, tealShade))},
        {"TileTurned.bmp", encodeBmp(paint(tile, redShade))},
        {"ResetFaceImage.bmp", encodeBmp(resetFace())},
        {"AppIcon.ico", encodeIco({appIcon(32), appIcon(16)})},
    };
}

}  // namespace zarnik::imagegen
