// Writes the 96 progression files into <folder>/Mid/1 .. Mid/8, named by the
// progression table's path literals. With --list it prints the shapes each
// file plays instead, to check them by eye against the lessons.
#include "arrangement.h"

#include "player/chordsymbol.h"
#include "player/progressiontable.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

// "x32010": a fret per string, low E first; frets above 9 in parentheses.
std::string fretText(const progressions::Frets& frets)
{
    std::string text;
    for (int fret : frets) {
        if (fret == progressions::kMuted)
            text += 'x';
        else if (fret > 9)
            text += '(' + std::to_string(fret) + ')';
        else
            text += std::to_string(fret);
    }
    return text;
}

void list()
{
    for (const player::ProgressionRow& row : player::progressionTable()) {
        std::cout << row.pathLiteral << "  " << row.progression << " in "
                  << player::keyCaptions()[static_cast<std::size_t>(row.keyIndex)] << '\n';
        const auto symbols = player::splitChordLine(row.chordLine);
        const auto voicings = progressions::progressionVoicings(row.chordLine);
        for (std::size_t i = 0; i < voicings.size(); ++i) {
            const progressions::Voicing& v = voicings[i];
            std::cout << "  " << symbols[i] << ": form " << v.form + 1 << ", diagram " << v.diagram.diagramId
                      << " at fret " << v.diagram.fret << ", " << fretText(v.frets) << '\n';
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make-progressions <output folder> | --list\n";
        return 2;
    }
    namespace fs = std::filesystem;
    try {
        if (std::string_view(argv[1]) == "--list") {
            list();
            return 0;
        }
        const fs::path root = argv[1];
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
