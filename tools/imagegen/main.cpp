// zarnik_imagegen OUTDIR: writes the program's five pictures into OUTDIR.
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "Pictures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: zarnik_imagegen OUTDIR\n";
        return 2;
    }
    try {
        const std::filesystem::path dir = argv[1];
        std::filesystem::create_directories(dir);
        for (const auto& picture : zarnik::imagegen::allPictures()) {
            const auto path = dir / picture.name;
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(picture.bytes.data()),
                      static_cast<std::streamsize>(picture.bytes.size()));
            out.close();
            if (!out) {
                std::cerr << "zarnik_imagegen: cannot write " << path.string() << "\n";
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::cerr << "zarnik_imagegen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
