// The built-in pictures' pixels, written into PicturePixels.cpp at build time
// from the files in window/images, so that the program neither reads nor
// converts a picture at start-up: the window's backing store draws from
// 32-bit pixels (QImage::Format_RGB32 on an X11 screen of depth 24), and
// the pictures lie in the executable in that format already.
#pragma once

#include <QImage>
#include <cstdint>
#include <span>

#include "Pictures.h"

namespace zarnik::qt {

// One image of a picture, rows top-down: Format_RGB32 for an opaque one,
// Format_ARGB32_Premultiplied for one with transparency (the icon's).
struct PictureFrame {
    int width;
    int height;
    QImage::Format format;
    const std::uint32_t* pixels;
};

// The images of each picture, by pictures::Id: one for a bitmap, one per
// size for the icon, as its file holds them.
extern const std::span<const PictureFrame> kPictureFrames[];

}  // namespace zarnik::qt
