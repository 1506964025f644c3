// The pictures built into the program, decoded here rather than through
// QImageReader: its format probing loads every image plugin on the system,
// a slow start for the first window. The files are ours and their
// formats fixed (24-bit bottom-up BMP; 4-bit ICO with masks), so a strict
// decoder is short. A damaged picture is a fatal error.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <vector>

#include "Pictures.h"

namespace zarnik::qt {

// One of the BMP pictures.
QPixmap LoadBuiltInBitmap(pictures::Id picture);

// Every image of the icon, with its transparency; as images, these need
// no GUI application (the build writes the theme's icons from them).
std::vector<QImage> LoadBuiltInIconImages();
QIcon LoadBuiltInIcon();

}  // namespace zarnik::qt
