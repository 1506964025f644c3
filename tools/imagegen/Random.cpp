#include "Random.h"

#include <stdexcept>

namespace zarnik::imagegen {

int Random::below(int n) {
    if (n <= 0) throw std::invalid_argument("Random::below needs a positive bound");
    const std::uint64_t range = std::uint64_t{1} << 32;
    const std::uint64_t limit = range - range % static_cast<std::uint64_t>(n);
    for (;;) {
        const std::uint64_t v = engine_();
        if (v < limit) return static_cast<int>(v % static_cast<std::uint64_t>(n));
    }
}

}  // namespace zarnik::imagegen
