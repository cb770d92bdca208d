// Writes the 96 progression files into <folder>/Mid/1 .. Mid/8, named by the
// progression table's path literals.
#include "arrangement.h"

#include "player/progressiontable.h"

#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make-progressions <output folder>\n";
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path root = argv[1];
    try {
        for (const player::ProgressionRow& row : player::progressionTable()) {
            std::vector<std::uint8_t> bytes = progressions::progressionFile(row.chordLine);
            fs::path path = player::progressionFilePath(root.string(), row.pathLiteral);
            fs::create_directories(path.parent_path());
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            out.close();
            if (!out) {
                std::cerr << "make-progressions: cannot write " << path << "\n";
                return 1;
            }
        }
    } catch (const std::exception& error) {
        std::cerr << "make-progressions: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
