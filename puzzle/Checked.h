// 16-bit signed arithmetic for board indexes and counts. A result that does
// not fit is a fatal error reported through the toolkit, never undefined
// behaviour and never a silent wrap.
#pragma once

#include <cstdint>

#include "Toolkit.h"

namespace zarnik {

class Checked16 {
public:
    explicit Checked16(Toolkit& toolkit) : toolkit_(toolkit) {}

    std::int16_t Add(std::int16_t a, std::int16_t b) const;
    std::int16_t Sub(std::int16_t a, std::int16_t b) const;
    std::int16_t Mod(std::int16_t a, std::int16_t b) const;
    std::int16_t Negate(std::int16_t a) const;

private:
    Toolkit& toolkit_;
};

}  // namespace zarnik
