#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zarnik::imagegen {

struct PictureFile {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// The program's five pictures, encoded, with their file names.
std::vector<PictureFile> allPictures();

}  // namespace zarnik::imagegen
