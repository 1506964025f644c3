#include "PeImage.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace zarnik::testing {
namespace {

constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr std::size_t kImportDescriptorSize = 20;

std::string Hex(std::size_t value) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), digits[value % 16]);
        value /= 16;
    } while (value != 0);
    return "0x" + text;
}

}  // namespace

PeImage PeImage::Load(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw PeError("cannot open " + path);
    return PeImage(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {}));
}

PeImage::PeImage(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {
    Need(0, 64, "DOS header");
    if (bytes_[0] != 'M' || bytes_[1] != 'Z') throw PeError("not a PE file: no MZ signature");
    const std::size_t pe = U32(0x3C);
    if (U32(pe) != 0x00004550) throw PeError("no PE signature at " + Hex(pe));
    machine_ = U16(pe + 4);
    const std::size_t sectionCount = U16(pe + 6);
    const std::size_t optionalSize = U16(pe + 20);
    const std::size_t optional = pe + 24;
    magic_ = U16(optional);
    if (magic_ != 0x10B && magic_ != 0x20B)
        throw PeError("unknown optional header magic " + Hex(magic_));
    subsystem_ = U16(optional + 68);
    const std::size_t directories = optional + (magic_ == 0x20B ? 112 : 96);
    const std::size_t directoryCount = U32(directories - 4);
    if (directoryCount > 1) importRva_ = U32(directories + 8);
    if (directoryCount > 2) resourceRva_ = U32(directories + 16);
    const std::size_t table = optional + optionalSize;
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::size_t header = table + 40 * i;
        sections_.push_back({U32(header + 12), U32(header + 8), U32(header + 20), U32(header + 16)});
    }
}

void PeImage::Need(std::size_t offset, std::size_t length, const char* what) const {
    if (offset > bytes_.size() || length > bytes_.size() - offset)
        throw PeError(std::string("truncated file: ") + what + " at " + Hex(offset) +
                      " runs past the end (" + Hex(bytes_.size()) + ")");
}

std::uint16_t PeImage::U16(std::size_t offset) const {
    Need(offset, 2, "16-bit field");
    return static_cast<std::uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8);
}

std::uint32_t PeImage::U32(std::size_t offset) const {
    Need(offset, 4, "32-bit field");
    return static_cast<std::uint32_t>(U16(offset)) | static_cast<std::uint32_t>(U16(offset + 2)) << 16;
}

std::size_t PeImage::Offset(std::uint32_t rva, std::size_t length) const {
    for (const Section& s : sections_) {
        const std::uint32_t size = std::max(s.virtualSize, s.rawSize);
        if (rva >= s.virtualAddress && rva - s.virtualAddress < size) {
            const std::size_t offset = s.rawOffset + (rva - s.virtualAddress);
            Need(offset, length, "section data");
            return offset;
        }
    }
    throw PeError("address " + Hex(rva) + " lies in no section");
}

std::vector<std::string> PeImage::ImportedDlls() const {
    std::vector<std::string> names;
    if (importRva_ == 0) return names;
    for (std::uint32_t rva = importRva_;; rva += kImportDescriptorSize) {
        const std::size_t descriptor = Offset(rva, kImportDescriptorSize);
        const std::uint32_t nameRva = U32(descriptor + 12);
        if (nameRva == 0) break;
        std::string name;
        for (std::size_t at = Offset(nameRva, 1); bytes_.at(at) != 0; ++at) {
            if (name.size() > 255) throw PeError("unterminated DLL name at " + Hex(nameRva));
            name += static_cast<char>(bytes_[at]);
        }
        names.push_back(name);
    }
    return names;
}

std::vector<PeImage::DirEntry> PeImage::Directory(std::uint32_t offset) const {
    const std::size_t base = Offset(resourceRva_ + offset, 16);
    const std::size_t count = static_cast<std::size_t>(U16(base + 12)) + U16(base + 14);
    std::vector<DirEntry> entries;
    for (std::size_t i = 0; i < count; ++i)
        entries.push_back({U32(base + 16 + 8 * i), U32(base + 20 + 8 * i)});
    return entries;
}

std::optional<PeImage::DirEntry> PeImage::Find(std::uint32_t directory, std::uint32_t id) const {
    for (const DirEntry& entry : Directory(directory))
        if (entry.id == id) return entry;
    return std::nullopt;
}

std::optional<PeImage::DirEntry> PeImage::LeafOf(std::uint16_t type, std::uint16_t id) const {
    if (resourceRva_ == 0) return std::nullopt;
    const auto byType = Find(0, type);
    if (!byType || !(byType->offset & kHighBit)) return std::nullopt;
    const auto byId = Find(byType->offset & ~kHighBit, id);
    if (!byId || !(byId->offset & kHighBit)) return std::nullopt;
    const auto languages = Directory(byId->offset & ~kHighBit);
    if (languages.empty() || (languages.front().offset & kHighBit))
        throw PeError("resource " + std::to_string(type) + "/" + std::to_string(id) +
                      " has no data entry");
    return languages.front();
}

std::vector<std::uint16_t> PeImage::ResourceIds(std::uint16_t type) const {
    std::vector<std::uint16_t> ids;
    const auto byType = resourceRva_ ? Find(0, type) : std::nullopt;
    if (!byType || !(byType->offset & kHighBit)) return ids;
    for (const DirEntry& entry : Directory(byType->offset & ~kHighBit))
        if (!(entry.id & kHighBit)) ids.push_back(static_cast<std::uint16_t>(entry.id));
    return ids;
}

std::optional<std::span<const std::uint8_t>> PeImage::Resource(std::uint16_t type,
                                                               std::uint16_t id) const {
    const auto leaf = LeafOf(type, id);
    if (!leaf) return std::nullopt;
    const std::size_t entry = Offset(resourceRva_ + leaf->offset, 16);
    const std::uint32_t size = U32(entry + 4);
    return std::span<const std::uint8_t>(bytes_.data() + Offset(U32(entry), size), size);
}

std::uint16_t PeImage::ResourceLanguage(std::uint16_t type, std::uint16_t id) const {
    const auto leaf = LeafOf(type, id);
    if (!leaf) throw PeError("no resource " + std::to_string(type) + "/" + std::to_string(id));
    return static_cast<std::uint16_t>(leaf->id);
}

}  // namespace zarnik::testing
