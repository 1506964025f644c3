#pragma once

#include "IcoWriter.h"

namespace zarnik::imagegen {

// The red and white checkerboard icon at 32 x 32 (four squares a side) and
// 16 x 16 (two squares a side); other sizes are refused.
IconImage appIcon(int size);

}  // namespace zarnik::imagegen
