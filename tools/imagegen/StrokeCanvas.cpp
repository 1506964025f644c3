#include "StrokeCanvas.h"

#include <algorithm>
#include <stdexcept>

namespace zarnik::imagegen {

namespace {

// Sample s of a pixel sits at the centre of its cell on the 16 x 16 grid.
constexpr int kStep = kUnit / StrokeCanvas::kSamples;
static_assert(kStep * StrokeCanvas::kSamples == kUnit && kStep % 2 == 0);

int sampleToUnits(int s) { return s * kStep + kStep / 2; }

}  // namespace

StrokeCanvas::StrokeCanvas(int width, int height)
    : width_(width), height_(height), samples_(static_cast<std::size_t>(width) * kSamples * height * kSamples, 0) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("canvas size must be positive");
}

void StrokeCanvas::draw(const Stroke& stroke) {
    const auto& p = stroke.points;
    if (p.size() < 2) throw std::invalid_argument("a stroke needs at least two points");
    if (stroke.pen <= 0) throw std::invalid_argument("a stroke needs a positive pen width");
    const std::size_t last = p.size() - 2;
    for (std::size_t i = 0; i + 1 < p.size(); ++i) {
        // Inner joints are always round so bends stay solid.
        const bool roundA = i > 0 || stroke.start == Cap::Round;
        const bool roundB = i < last || stroke.end == Cap::Round;
        drawSegment(p[i], p[i + 1], stroke.pen, roundA, roundB);
    }
}

void StrokeCanvas::drawSegment(Point a, Point b, int pen, bool roundA, bool roundB) {
    const std::int64_t r = pen / 2;
    const std::int64_t r2 = r * r;
    const std::int64_t dx = b.x - a.x, dy = b.y - a.y;
    const std::int64_t len2 = dx * dx + dy * dy;

    const int cols = width_ * kSamples, rows = height_ * kSamples;
    auto toSample = [](std::int64_t u) { return static_cast<int>(u / kStep); };
    const int sx0 = std::max(0, toSample(std::min(a.x, b.x) - r) - 1);
    const int sx1 = std::min(cols - 1, toSample(std::max(a.x, b.x) + r) + 1);
    const int sy0 = std::max(0, toSample(std::min(a.y, b.y) - r) - 1);
    const int sy1 = std::min(rows - 1, toSample(std::max(a.y, b.y) + r) + 1);

    for (int sy = sy0; sy <= sy1; ++sy) {
        for (int sx = sx0; sx <= sx1; ++sx) {
            const std::int64_t px = sampleToUnits(sx) - a.x, py = sampleToUnits(sy) - a.y;
            const std::int64_t t = px * dx + py * dy;  // projection, scaled by len2
            bool inside;
            if (len2 == 0 || t < 0) {
                inside = roundA && px * px + py * py <= r2;
            } else if (t > len2) {
                const std::int64_t qx = px - dx, qy = py - dy;
                inside = roundB && qx * qx + qy * qy <= r2;
            } else {
                const std::int64_t cross = px * dy - py * dx;  // distance, scaled by sqrt(len2)
                inside = cross * cross <= r2 * len2;
            }
            if (inside) samples_[static_cast<std::size_t>(sy) * cols + sx] = 1;
        }
    }
}

int StrokeCanvas::coverage(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) throw std::out_of_range("pixel outside canvas");
    const int cols = width_ * kSamples;
    int count = 0;
    for (int sy = y * kSamples; sy < (y + 1) * kSamples; ++sy)
        for (int sx = x * kSamples; sx < (x + 1) * kSamples; ++sx)
            count += samples_[static_cast<std::size_t>(sy) * cols + sx];
    return count;
}

}  // namespace zarnik::imagegen
