// The pictures built into the module, as into the desktop programs: the
// page needs nothing but itself and the module to show the board. The bytes
// are the pictures of window/images as PNG files, made and written into
// PictureData.cpp at build time (CMakeLists.txt).
#pragma once

#include <span>

#include "Pictures.h"

namespace zarnik::web {

// By pictures::Id; empty for the icon, which the site carries as a file.
extern const std::span<const unsigned char> kPictureData[];

}  // namespace zarnik::web
