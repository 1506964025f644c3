#include "Checked.h"

#include <limits>

namespace zarnik {

std::int16_t Checked16::Add(std::int16_t a, std::int16_t b) const {
    std::int16_t r;
    if (__builtin_add_overflow(a, b, &r)) toolkit_.Fatal("16-bit overflow in addition");
    return r;
}

std::int16_t Checked16::Sub(std::int16_t a, std::int16_t b) const {
    std::int16_t r;
    if (__builtin_sub_overflow(a, b, &r)) toolkit_.Fatal("16-bit overflow in subtraction");
    return r;
}

std::int16_t Checked16::Mod(std::int16_t a, std::int16_t b) const {
    if (b == 0) toolkit_.Fatal("16-bit division by zero");
    if (b == -1) return 0;  // INT16_MIN % -1 overflows in the intermediate quotient
    return static_cast<std::int16_t>(a % b);
}

std::int16_t Checked16::Negate(std::int16_t a) const {
    if (a == std::numeric_limits<std::int16_t>::min()) toolkit_.Fatal("16-bit overflow in negation");
    return static_cast<std::int16_t>(-a);
}

}  // namespace zarnik
