#include "VersionInfo.h"

#include "PeImage.h"

namespace zarnik::testing {
namespace {

constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;

std::size_t Align4(std::size_t offset) { return (offset + 3) & ~std::size_t{3}; }

}  // namespace

std::uint16_t VersionInfo::U16(std::size_t offset) const {
    if (offset + 2 > data_.size()) throw PeError("version resource truncated");
    return static_cast<std::uint16_t>(data_[offset] | data_[offset + 1] << 8);
}

// UTF-16 up to a terminator or maxChars, as UTF-8; *after is just past it.
std::string VersionInfo::Text(std::size_t offset, std::size_t maxChars, std::size_t* after) const {
    std::string text;
    std::size_t i = 0;
    for (; i < maxChars; ++i) {
        const std::uint16_t c = U16(offset + 2 * i);
        if (c == 0) {
            ++i;
            break;
        }
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else if (c < 0x800) {
            text += static_cast<char>(0xC0 | c >> 6);
            text += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            text += static_cast<char>(0xE0 | c >> 12);
            text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    if (after) *after = offset + 2 * i;
    return text;
}

VersionInfo::Node VersionInfo::Parse(std::size_t offset, std::size_t end) const {
    const std::size_t length = U16(offset);
    const std::size_t valueLength = U16(offset + 2);
    if (length < 6 || offset + length > end) throw PeError("version block has a bad length");
    Node node;
    node.text = U16(offset + 4) == 1;
    std::size_t at = 0;
    node.key = Text(offset + 6, (length - 6) / 2, &at);
    at = Align4(at);
    // Text values count UTF-16 characters, binary ones bytes.
    const std::size_t valueBytes = node.text ? 2 * valueLength : valueLength;
    if (at + valueBytes > offset + length) throw PeError("version value runs past its block");
    node.value = data_.subspan(at, valueBytes);
    for (at = Align4(at + valueBytes); at + 6 <= offset + length;) {
        node.children.push_back(Parse(at, offset + length));
        at = Align4(at + U16(at));
    }
    return node;
}

VersionInfo::VersionInfo(std::span<const std::uint8_t> data) : data_(data) {
    const Node root = Parse(0, data.size());
    if (root.key != "VS_VERSION_INFO") throw PeError("no VS_VERSION_INFO block");
    if (root.value.size() < 52) throw PeError("no fixed file info");
    auto u32 = [&](std::size_t i) {
        const std::size_t at = static_cast<std::size_t>(root.value.data() - data.data()) + 4 * i;
        return static_cast<std::uint32_t>(U16(at)) | static_cast<std::uint32_t>(U16(at + 2)) << 16;
    };
    if (u32(0) != kFixedSignature) throw PeError("bad fixed file info signature");
    auto split = [](std::uint32_t ms, std::uint32_t ls) {
        return std::array<std::uint16_t, 4>{static_cast<std::uint16_t>(ms >> 16),
                                            static_cast<std::uint16_t>(ms),
                                            static_cast<std::uint16_t>(ls >> 16),
                                            static_cast<std::uint16_t>(ls)};
    };
    fileVersion = split(u32(2), u32(3));
    productVersion = split(u32(4), u32(5));

    for (const Node& block : root.children) {
        for (const Node& table : block.children) {
            if (block.key == "StringFileInfo") {
                for (const Node& value : table.children) {
                    const std::size_t at = static_cast<std::size_t>(value.value.data() - data.data());
                    strings[table.key][value.key] = Text(at, value.value.size() / 2, nullptr);
                }
            } else if (block.key == "VarFileInfo" && table.key == "Translation") {
                const std::size_t at = static_cast<std::size_t>(table.value.data() - data.data());
                for (std::size_t i = 0; i + 4 <= table.value.size(); i += 4)
                    translations.emplace_back(U16(at + i), U16(at + i + 2));
            }
        }
    }
}

}  // namespace zarnik::testing
