// The contents of a VS_VERSIONINFO resource: the fixed version numbers, the
// string tables and the translations. Malformed data is a PeError.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace zarnik::testing {

class VersionInfo {
public:
    explicit VersionInfo(std::span<const std::uint8_t> data);

    std::array<std::uint16_t, 4> fileVersion{};
    std::array<std::uint16_t, 4> productVersion{};
    // String table key ("041104B0") -> value name -> text (UTF-8).
    std::map<std::string, std::map<std::string, std::string>> strings;
    // Language and code page pairs from VarFileInfo\Translation.
    std::vector<std::pair<std::uint16_t, std::uint16_t>> translations;

private:
    struct Node {
        std::string key;
        std::span<const std::uint8_t> value;
        bool text = false;
        std::vector<Node> children;
    };
    Node Parse(std::size_t offset, std::size_t end) const;
    std::uint16_t U16(std::size_t offset) const;
    std::string Text(std::size_t offset, std::size_t maxChars, std::size_t* after) const;

    std::span<const std::uint8_t> data_;
};

}  // namespace zarnik::testing
