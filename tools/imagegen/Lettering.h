#pragma once

#include <vector>

#include "StrokeCanvas.h"

namespace zarnik::imagegen {

// The pen strokes of the word リセット in a Gothic style, laid out for a
// canvas of the given size with the ink centred on it.
std::vector<Stroke> resetWord(int width, int height);

}  // namespace zarnik::imagegen
