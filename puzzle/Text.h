// Short text built in place, in a buffer of fixed size. The Windows and
// browser programs are built without exceptions and link no part of the C++
// library that throws or prints, as std::string's growth paths do; every
// text of the game is short (a count, a cell's name, a fatal message), so
// one that would not fit is cut at the capacity rather than grown.
#pragma once

#include <algorithm>
#include <charconv>
#include <concepts>
#include <cstddef>
#include <string_view>

namespace zarnik {

// What a text prints as a number: an integer that is neither one of its own
// characters nor a truth value.
template <typename Integer, typename Char>
concept Count = std::integral<Integer> && !std::same_as<Integer, Char> && !std::same_as<Integer, bool>;

template <typename Char, std::size_t Capacity>
class BasicText {
public:
    BasicText() = default;
    explicit BasicText(std::basic_string_view<Char> text) { *this << text; }

    BasicText& operator<<(std::basic_string_view<Char> text) {
        const std::size_t n = std::min(text.size(), Capacity - size_);
        std::copy_n(text.data(), n, data_ + size_);
        size_ += n;
        data_[size_] = Char{};
        return *this;
    }
    BasicText& operator<<(const Char* text) { return *this << std::basic_string_view<Char>(text); }

    // In decimal, whole or not at all.
    template <Count<Char> Integer>
    BasicText& operator<<(Integer value) {
        char digits[24];
        const auto result = std::to_chars(digits, digits + sizeof digits, value);
        const auto n = static_cast<std::size_t>(result.ptr - digits);
        if (n > Capacity - size_) return *this;
        std::copy_n(digits, n, data_ + size_);  // ASCII digits widen as they are
        size_ += n;
        data_[size_] = Char{};
        return *this;
    }

    std::basic_string_view<Char> view() const { return {data_, size_}; }
    operator std::basic_string_view<Char>() const { return view(); }
    const Char* c_str() const { return data_; }

private:
    Char data_[Capacity + 1]{};
    std::size_t size_ = 0;
};

// UTF-8, as the toolkit interface passes text.
template <std::size_t Capacity = 64>
using Text = BasicText<char, Capacity>;

}  // namespace zarnik
