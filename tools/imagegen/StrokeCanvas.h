#pragma once

#include <cstdint>
#include <vector>

namespace zarnik::imagegen {

// Positions on the canvas in sub-pixel units: one pixel is kUnit units wide.
inline constexpr int kUnit = 32;

struct Point {
    int x = 0, y = 0;
};

// How a pen line ends: Flat stops square across the line's direction, as the
// strokes of a Gothic face do; Round overshoots by half a pen width.
enum class Cap { Flat, Round };

struct Stroke {
    std::vector<Point> points;  // a polyline, at least two points
    int pen = kUnit;            // width, in sub-pixel units
    Cap start = Cap::Flat;
    Cap end = Cap::Flat;
};

// Coverage of pen strokes, measured by sampling each pixel on a 16 x 16 grid
// and counting, so the result is exact integer arithmetic on every machine.
// Overlapping strokes count once, so crossings do not darken.
class StrokeCanvas {
public:
    static constexpr int kSamples = 16;  // per pixel, in each direction
    static constexpr int kFull = kSamples * kSamples;

    StrokeCanvas(int width, int height);

    void draw(const Stroke& stroke);

    // Covered samples of pixel (x, y): 0 (untouched) to kFull (solid).
    int coverage(int x, int y) const;

private:
    void drawSegment(Point a, Point b, int pen, bool roundA, bool roundB);

    int width_;
    int height_;
    std::vector<std::uint8_t> samples_;
};

}  // namespace zarnik::imagegen
