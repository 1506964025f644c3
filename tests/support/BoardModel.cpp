#include "BoardModel.h"

#include <bit>

namespace zarnik::testing {

std::uint32_t BoardModel::PressMask(int k) {
    const int row = k / 5, col = k % 5;
    std::uint32_t m = 1u << k;
    if (row > 0) m |= 1u << (k - 5);
    if (row < 4) m |= 1u << (k + 5);
    if (col > 0) m |= 1u << (k - 1);
    if (col < 4) m |= 1u << (k + 1);
    return m;
}

bool BoardModel::Press(int k) {
    mask_ ^= PressMask(k);
    return mask_ == 0;
}

int BoardModel::Remaining() const { return std::popcount(mask_); }

std::optional<std::vector<int>> BoardModel::Solve() const {
    std::optional<std::vector<int>> best;
    for (int first = 0; first < 32; ++first) {
        std::uint32_t m = mask_;
        std::vector<int> presses;
        for (int k = 0; k < 25; ++k) {
            const bool press = k < 5 ? (first >> k) & 1 : (m >> (k - 5)) & 1u;
            if (press) {
                m ^= PressMask(k);
                presses.push_back(k);
            }
        }
        if (m == 0 && (!best || presses.size() < best->size())) best = std::move(presses);
    }
    return best;
}

}  // namespace zarnik::testing
