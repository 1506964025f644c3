// A reader for what the tests check in a Windows executable: the headers, the
// imported DLLs, the resources and the version resource. It trusts nothing in
// the file: anything malformed or truncated is a PeError saying what and where.
#pragma once

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace zarnik::testing {

struct PeError : std::runtime_error { using std::runtime_error::runtime_error; };

inline std::string Hex(std::size_t value) {
    char text[20];
    return "0x" + std::string(text, std::to_chars(text, text + sizeof text, value, 16).ptr);
}

using Bytes = std::span<const std::uint8_t>;

inline void Need(Bytes data, std::size_t at, std::size_t size, const char* what) {
    if (at > data.size() || size > data.size() - at)
        throw PeError(std::string("truncated ") + what + ": " + std::to_string(size) + " bytes at " + Hex(at) +
                      " run past the end (" + Hex(data.size()) + ")");
}

// The little-endian number of `size` bytes at `at`.
inline std::uint32_t Le(Bytes data, std::size_t at, std::size_t size, const char* what = "data") {
    Need(data, at, size, what);
    std::uint32_t value = 0;
    while (size-- > 0) value = value << 8 | data[at + size];
    return value;
}

class PeImage {
public:
    // `keep` cuts the file short, as a damaged copy would be.
    static PeImage Load(const std::string& path, std::size_t keep = SIZE_MAX) {
        std::ifstream file(path, std::ios::binary);
        if (!file) throw PeError("cannot open " + path);
        std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
        bytes.resize(std::min(keep, bytes.size()));
        return PeImage(std::move(bytes));
    }

    explicit PeImage(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {
        Need(bytes_, 0, 64, "file: DOS header");
        if (bytes_[0] != 'M' || bytes_[1] != 'Z') throw PeError("not a PE file: no MZ signature");
        const std::size_t pe = U(0x3C, 4), optional = pe + 24;
        if (U(pe, 4) != 0x4550) throw PeError("no PE signature at " + Hex(pe));
        if (U(optional, 2) != 0x20B) throw PeError("not a PE32+ optional header: magic " + Hex(U(optional, 2)));
        machine = U(pe + 4, 2), subsystem = U(optional + 68, 2);
        if (U(optional + 108, 4) > 2) importRva_ = U(optional + 120, 4), resourceRva_ = U(optional + 128, 4);
        for (std::size_t i = 0, at = optional + U(pe + 20, 2); i < U(pe + 6, 2); ++i, at += 40)
            sections_.push_back({U(at + 12, 4), std::max(U(at + 8, 4), U(at + 16, 4)), U(at + 20, 4)});
    }

    std::uint32_t machine = 0, subsystem = 0;

    std::vector<std::string> ImportedDlls() const {
        std::vector<std::string> names;
        for (std::uint32_t rva = importRva_; rva != 0 && U(Offset(rva, 20) + 12, 4) != 0; rva += 20) {
            const auto name = bytes_.begin() + Offset(U(Offset(rva, 20) + 12, 4), 1);
            const auto end = std::find(name, bytes_.end(), 0);
            if (end == bytes_.end()) throw PeError("unterminated DLL name at " + Hex(name - bytes_.begin()));
            names.emplace_back(name, end);
        }
        return names;
    }

    // The ids of the resources of `type`, in directory order.
    std::vector<std::uint32_t> ResourceIds(std::uint32_t type) const {
        std::vector<std::uint32_t> ids;
        for (const auto& [t, sub] : Directory(0))
            if (t == type && (sub & kSub)) for (const auto& entry : Directory(sub)) ids.push_back(entry.first);
        return ids;
    }

    // The data and the language of resource type/id in its first language.
    std::optional<std::pair<Bytes, std::uint32_t>> Find(std::uint32_t type, std::uint32_t id) const {
        std::uint32_t directory = 0;
        for (const std::uint32_t key : {type, id}) {
            const auto entries = Directory(directory);
            const auto it = std::ranges::find(entries, key, &Entry::first);
            if (it == entries.end() || !(it->second & kSub)) return std::nullopt;
            directory = it->second;
        }
        const auto languages = Directory(directory);
        if (languages.empty() || (languages[0].second & kSub))
            throw PeError("resource " + std::to_string(type) + "/" + std::to_string(id) + " has no data entry");
        const std::size_t entry = Offset(resourceRva_ + languages[0].second, 16), size = U(entry + 4, 4);
        return std::pair{Bytes(bytes_).subspan(Offset(U(entry, 4), size), size), languages[0].first};
    }

private:
    using Entry = std::pair<std::uint32_t, std::uint32_t>;  // id, offset (top bit: subdirectory)
    static constexpr std::uint32_t kSub = 0x80000000u;
    using Section = std::array<std::uint32_t, 3>;  // address, size, file offset

    std::uint32_t U(std::size_t at, std::size_t size) const { return Le(bytes_, at, size, "file"); }
    std::size_t Offset(std::uint32_t rva, std::size_t size) const {
        for (const auto& [start, length, raw] : sections_) {
            if (rva < start || rva - start >= length) continue;
            Need(bytes_, raw + (rva - start), size, "file: section data");
            return raw + (rva - start);
        }
        throw PeError("address " + Hex(rva) + " lies in no section");
    }
    std::vector<Entry> Directory(std::uint32_t offset) const {
        if (resourceRva_ == 0) return {};
        const std::size_t at = Offset(resourceRva_ + (offset & ~kSub), 16);
        std::vector<Entry> entries(U(at + 12, 2) + U(at + 14, 2));
        for (std::size_t i = 0; i < entries.size(); ++i)
            entries[i] = {U(at + 16 + 8 * i, 4), U(at + 20 + 8 * i, 4)};
        return entries;
    }

    std::vector<std::uint8_t> bytes_;
    std::vector<Section> sections_;
    std::uint32_t importRva_ = 0, resourceRva_ = 0;
};

// A VS_VERSIONINFO resource: file and product version (most significant part
// first), the string tables by key, and the Translation pairs flattened.
struct VersionInfo {
    std::array<std::uint32_t, 8> versions{};
    std::map<std::string, std::map<std::string, std::string>> strings;
    std::vector<std::uint32_t> translation;

    explicit VersionInfo(Bytes data) : data_(data) { Walk(0, data.size()); }

private:
    std::uint32_t U16(std::size_t at) const { return Le(data_, at, 2, "version resource"); }
    std::string Text(std::size_t at, std::size_t end) const {  // ASCII, the rest as '?'
        std::string text;
        for (std::uint32_t c; at + 2 <= end && (c = U16(at)) != 0; at += 2) text += c < 0x80 ? char(c) : '?';
        return text;
    }
    static std::size_t Align4(std::size_t at) { return (at + 3) & ~std::size_t{3}; }

    void Walk(std::size_t at, std::size_t end) {
        const std::size_t length = U16(at), valueBytes = U16(at + 2) * (U16(at + 4) == 1 ? 2 : 1);
        if (length < 6 || at + length > end) throw PeError("version block has a bad length");
        end = at + length;
        path_.push_back(Text(at + 6, end));
        const std::size_t value = Align4(at + 8 + 2 * path_.back().size());
        if (value + valueBytes > end) throw PeError("version value runs past its block");
        if (path_.size() == 1) {
            if (path_[0] != "VS_VERSION_INFO" || valueBytes < 52 || Le(data_, value, 4) != 0xFEEF04BD)
                throw PeError("no VS_VERSION_INFO block with fixed file info");
            for (std::size_t i = 0; i < 8; ++i) versions[i] = U16(value + 8 + 4 * (i / 2) + 2 * (1 - i % 2));
        } else if (path_.size() == 4 && path_[1] == "StringFileInfo") {
            strings[path_[2]][path_[3]] = Text(value, value + valueBytes);
        } else if (path_.size() == 3 && path_[2] == "Translation") {
            for (std::size_t i = 0; i + 2 <= valueBytes; i += 2) translation.push_back(U16(value + i));
        }
        for (std::size_t child = Align4(value + valueBytes); child + 6 <= end; child = Align4(child + U16(child)))
            Walk(child, end);
        path_.pop_back();
    }

    Bytes data_;
    std::vector<std::string> path_;  // keys from the root to the block being read
};

}  // namespace zarnik::testing
