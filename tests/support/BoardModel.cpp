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

int BoardModel::Arrow(int control, char key) {
    if (control == 25) return key == 'U' ? 22 : 25;
    const int row = control / 5, col = control % 5;
    if (key == 'L') return col > 0 ? control - 1 : control;
    if (key == 'R') return col < 4 ? control + 1 : control;
    if (key == 'U') return row > 0 ? control - 5 : control;
    return row < 4 ? control + 5 : 25;
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
