// A small reader for the parts of a Windows executable the tests check:
// the headers, the imported DLLs and the resource tree. It only reads, it
// trusts nothing in the file, and any malformed or truncated structure is a
// PeError naming what was wrong and where.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace zarnik::testing {

struct PeError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class PeImage {
public:
    static constexpr std::uint16_t kIconType = 3, kBitmapType = 2, kGroupIconType = 14,
                                   kVersionType = 16, kManifestType = 24;

    explicit PeImage(std::vector<std::uint8_t> bytes);
    static PeImage Load(const std::string& path);

    std::uint16_t Machine() const { return machine_; }
    std::uint16_t OptionalMagic() const { return magic_; }  // 0x20B for PE32+
    std::uint16_t Subsystem() const { return subsystem_; }

    // Names of the DLLs in the import directory, as stored.
    std::vector<std::string> ImportedDlls() const;

    // Numeric ids of the resources of `type`, in directory order.
    std::vector<std::uint16_t> ResourceIds(std::uint16_t type) const;
    // The data of resource `type`/`id` in its first language, if present.
    std::optional<std::span<const std::uint8_t>> Resource(std::uint16_t type,
                                                          std::uint16_t id) const;
    // The language of that first entry.
    std::uint16_t ResourceLanguage(std::uint16_t type, std::uint16_t id) const;

    std::uint16_t U16(std::size_t offset) const;
    std::uint32_t U32(std::size_t offset) const;

private:
    struct Section {
        std::uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
    };
    struct DirEntry {
        std::uint32_t id;      // numeric id, or the name's offset with the top bit set
        std::uint32_t offset;  // into the resource section; top bit: subdirectory
    };

    std::size_t Offset(std::uint32_t rva, std::size_t length) const;
    std::vector<DirEntry> Directory(std::uint32_t offset) const;
    std::optional<DirEntry> Find(std::uint32_t directory, std::uint32_t id) const;
    std::optional<DirEntry> LeafOf(std::uint16_t type, std::uint16_t id) const;
    void Need(std::size_t offset, std::size_t length, const char* what) const;

    std::vector<std::uint8_t> bytes_;
    std::vector<Section> sections_;
    std::uint16_t machine_ = 0, magic_ = 0, subsystem_ = 0;
    std::uint32_t importRva_ = 0, resourceRva_ = 0;
};

}  // namespace zarnik::testing
