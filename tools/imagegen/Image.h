#pragma once

#include <cstdint>
#include <vector>

namespace zarnik::imagegen {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A true-colour picture, row 0 at the top; the writers flip it as needed.
class Image {
public:
    Image(int width, int height, Rgb fill = {});

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb at(int x, int y) const;
    void set(int x, int y, Rgb colour);

private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

}  // namespace zarnik::imagegen
