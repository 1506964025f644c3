#pragma once

#include <cstdint>
#include <vector>

#include "Image.h"

namespace zarnik::imagegen {

// A 24-bit uncompressed Windows bitmap: file header, 40-byte info header and
// bottom-up BGR rows padded to four bytes, as the Win32 resource compiler and
// Qt both expect.
std::vector<std::uint8_t> encodeBmp(const Image& image);

}  // namespace zarnik::imagegen
