// The pictures built into the program, made from their pixels as the build
// wrote them (PicturePixels.h): nothing is read, decoded or converted at
// start-up.
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
