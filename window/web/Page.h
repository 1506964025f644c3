// The page's side of the browser front end as the module sees it: the
// functions zarnik.js supplies as imports. Controls are numbered as in the
// tab order (cells first, then the new-game button); sizes are CSS pixels
// at the window's own scale; text is UTF-8, and pictures are PNG files in
// the module's memory, which the page copies before the call returns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "Layout.h"

namespace zarnik::web::page {

using Bytes = std::span<const unsigned char>;

namespace imported {

#define ZARNIK_PAGE(name) __attribute__((import_module("page"), import_name(#name)))
extern "C" {
ZARNIK_PAGE(window)
void Window(int width, int height, const char* caption, std::size_t captionSize, const char* face, std::size_t faceSize,
            const unsigned char* backdrop, std::size_t backdropSize, int ringWidth, int ringInset);
ZARNIK_PAGE(bevel)
void Bevel(std::uint32_t highlight, std::uint32_t light, std::uint32_t shadow, std::uint32_t darkShadow,
           std::uint32_t bareFace);
ZARNIK_PAGE(button)
void Button(int control, int left, int top, int width, int height, const char* name, std::size_t nameSize);
ZARNIK_PAGE(picture)
void Picture(int control, const unsigned char* png, std::size_t pngSize, const char* description,
             std::size_t descriptionSize, int pressed);
ZARNIK_PAGE(face) void Face(int control, std::uint32_t rgb);
ZARNIK_PAGE(focus) void Focus(int control);
ZARNIK_PAGE(announce) void Announce(const char* phrase, std::size_t phraseSize);
ZARNIK_PAGE(message) void Message(const char* prompt, std::size_t promptSize, const char* title, std::size_t titleSize);
ZARNIK_PAGE(fatal) void Fatal(const char* what, std::size_t whatSize);
}
#undef ZARNIK_PAGE

}  // namespace imported

// Sizes the window, placed in the page, with `backdrop` drawn from its
// top-left corner at its own size; titles the page `caption`, sets `face`
// (then any Japanese sans-serif) for the message's text, and draws the focus
// ring `ringWidth` wide with its outer edge `ringInset` inside a button's.
inline void Window(layout::PixelSize size, std::string_view caption, std::string_view face, Bytes backdrop,
                   int ringWidth, int ringInset) {
    imported::Window(size.width, size.height, caption.data(), caption.size(), face.data(), face.size(), backdrop.data(),
                     backdrop.size(), ringWidth, ringInset);
}

// Gives the picture buttons their raised frame in `bevel`'s shades and,
// until the refresh pass paints it, `bareFace` as their face.
inline void Bevel(const layout::Bevel& bevel, Colour bareFace) {
    imported::Bevel(ToRgb(bevel.highlight), ToRgb(bevel.light), ToRgb(bevel.shadow), ToRgb(bevel.darkShadow),
                    ToRgb(bareFace));
}

// Adds a picture button at `r` within the window, after those added before
// it in the tab order, and names it `name` for screen readers.
inline void Button(int control, layout::PixelRect r, std::string_view name) {
    imported::Button(control, r.left, r.top, r.width, r.height, name.data(), name.size());
}

// Shows `png` centred on the button, and describes the button as
// `description` to screen readers (none if empty), with `pressed` as its
// toggle state (-1 for a button that is no toggle). The page decodes each
// picture once, by its place in memory.
inline void Picture(int control, Bytes png, std::string_view description, int pressed) {
    imported::Picture(control, png.data(), png.size(), description.data(), description.size(), pressed);
}

// Paints the button's face around its picture in `rgb` (0xRRGGBB).
inline void Face(int control, std::uint32_t rgb) { imported::Face(control, rgb); }

// Gives the button the keyboard focus (once the window shows).
inline void Focus(int control) { imported::Focus(control); }

// Says `phrase` to screen readers (a polite live region); the focus stays.
inline void Announce(std::string_view phrase) { imported::Announce(phrase.data(), phrase.size()); }

// Opens the modal message box; it stays up after the call returns, and the
// window takes no input until the player closes it.
inline void Message(std::string_view prompt, std::string_view title) {
    imported::Message(prompt.data(), prompt.size(), title.data(), title.size());
}

// Puts `what` in the page in place of the window, for good.
inline void Fatal(std::string_view what) { imported::Fatal(what.data(), what.size()); }

}  // namespace zarnik::web::page
