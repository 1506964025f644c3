#include "Lettering.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace zarnik::imagegen {

namespace {

// Glyphs are drawn on a 100 x 100 design square, y downwards, the baseline at
// the bottom; a Pen maps that square onto the canvas and flattens curves.
class Pen {
public:
    // `em` is the side of the design square in sub-pixel units; `scale` in
    // percent shrinks the glyph towards its bottom-left corner (small kana).
    Pen(Point origin, int em, int scale = 100) : origin_(origin), em_(em * scale / 100) {}

    Pen& from(int x, int y) {
        points_ = {map(x, y)};
        return *this;
    }
    Pen& line(int x, int y) {
        points_.push_back(map(x, y));
        return *this;
    }
    // A cubic Bezier from the current point, flattened into short chords.
    Pen& curve(int x1, int y1, int x2, int y2, int x3, int y3) {
        const Point p0 = points_.back(), p1 = map(x1, y1), p2 = map(x2, y2), p3 = map(x3, y3);
        constexpr std::int64_t n = 24;
        for (std::int64_t i = 1; i <= n; ++i) {
            const std::int64_t a = (n - i) * (n - i) * (n - i), b = 3 * (n - i) * (n - i) * i, c = 3 * (n - i) * i * i,
                               d = i * i * i;
            auto mix = [&](int u0, int u1, int u2, int u3) {
                const std::int64_t v = a * u0 + b * u1 + c * u2 + d * u3;
                return static_cast<int>((v + n * n * n / 2) / (n * n * n));
            };
            points_.push_back({mix(p0.x, p1.x, p2.x, p3.x), mix(p0.y, p1.y, p2.y, p3.y)});
        }
        return *this;
    }
    Stroke stroke(int pen, Cap start = Cap::Flat, Cap end = Cap::Flat) const {
        return {points_, pen * em_ / 100, start, end};
    }

private:
    Point map(int x, int y) const { return {origin_.x + x * em_ / 100, origin_.y + (y - 100) * em_ / 100}; }

    Point origin_;  // bottom-left of the design square
    int em_;
    std::vector<Point> points_;
};

constexpr int kEm = 21 * kUnit;  // full-size glyph height in sub-pixel units
constexpr int kPen = 12;         // pen width in design units: a bold Gothic

void ri(std::vector<Stroke>& out, Point o) {
    Pen p(o, kEm);
    out.push_back(p.from(18, 14).line(18, 62).stroke(kPen));
    out.push_back(p.from(62, 8).line(62, 50).curve(62, 76, 48, 92, 18, 100).stroke(kPen));
}

void se(std::vector<Stroke>& out, Point o) {
    Pen p(o, kEm);
    out.push_back(p.from(4, 44).line(88, 36).line(75, 64).stroke(kPen));
    out.push_back(p.from(32, 6).line(32, 76).curve(32, 90, 38, 93, 52, 93).line(90, 93).stroke(kPen));
}

void smallTsu(std::vector<Stroke>& out, Point o) {
    Pen p(o, kEm, 70);
    out.push_back(p.from(12, 30).line(26, 54).stroke(kPen * 100 / 80));
    out.push_back(p.from(40, 22).line(52, 48).stroke(kPen * 100 / 80));
    out.push_back(p.from(86, 20).curve(82, 62, 60, 88, 22, 100).stroke(kPen * 100 / 80));
}

void to(std::vector<Stroke>& out, Point o) {
    Pen p(o, kEm);
    out.push_back(p.from(30, 4).line(30, 100).stroke(kPen));
    out.push_back(p.from(32, 38).line(80, 62).stroke(kPen));
}

// Ink extent of strokes, to the nearest unit, counting the pen's half width.
struct Box {
    int x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN;
};

Box extent(const std::vector<Stroke>& strokes) {
    Box box;
    for (const auto& s : strokes) {
        for (const auto& pt : s.points) {
            box.x0 = std::min(box.x0, pt.x - s.pen / 2);
            box.y0 = std::min(box.y0, pt.y - s.pen / 2);
            box.x1 = std::max(box.x1, pt.x + s.pen / 2);
            box.y1 = std::max(box.y1, pt.y + s.pen / 2);
        }
    }
    return box;
}

}  // namespace

std::vector<Stroke> resetWord(int width, int height) {
    // Advances in design units: proportional, as a Gothic UI face sets kana.
    std::vector<Stroke> strokes;
    const int baseline = 0;
    int x = 0;
    ri(strokes, {x, baseline});
    x += 84 * kEm / 100;
    se(strokes, {x, baseline});
    x += 102 * kEm / 100;
    smallTsu(strokes, {x, baseline});
    x += 76 * kEm / 100;
    to(strokes, {x, baseline});

    // Centre the ink box on the canvas.
    const Box box = extent(strokes);
    const int dx = (width * kUnit - (box.x1 - box.x0)) / 2 - box.x0;
    const int dy = (height * kUnit - (box.y1 - box.y0)) / 2 - box.y0;
    for (auto& s : strokes)
        for (auto& pt : s.points) pt = {pt.x + dx, pt.y + dy};
    return strokes;
}

}  // namespace zarnik::imagegen
