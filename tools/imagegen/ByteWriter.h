#pragma once

#include <cstdint>
#include <vector>

namespace zarnik::imagegen {

// Little-endian field packing shared by the BMP and ICO encoders.
class ByteWriter {
public:
    void u8(std::uint32_t v) { bytes_.push_back(static_cast<std::uint8_t>(v)); }
    void u16(std::uint32_t v) {
        u8(v);
        u8(v >> 8);
    }
    void u32(std::uint32_t v) {
        u16(v);
        u16(v >> 16);
    }
    void zeros(std::size_t n) { bytes_.insert(bytes_.end(), n, 0); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace zarnik::imagegen
