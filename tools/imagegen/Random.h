#pragma once

#include <cstdint>
#include <random>

namespace zarnik::imagegen {

// Seeded integer noise whose sequence is the same with every standard
// library: std::mt19937's output is fixed by the standard, the distributions
// are not, so ranges are mapped here by rejection instead.
class Random {
public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}

    // Uniform in 0 .. n-1; n must be positive.
    int below(int n);

private:
    std::mt19937 engine_;
};

}  // namespace zarnik::imagegen
