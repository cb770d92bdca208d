#pragma once
// The General MIDI SoundFonts a benchmark measures, by path: those named with
// --soundfont=PATH (repeatable; the option is taken out of the arguments), else Debian's
// TimGM6mb and FluidR3 where installed.

#include <filesystem>
#include <string>
#include <vector>

inline std::vector<std::string> soundFontsToMeasure(int& argc, char** argv) {
    std::vector<std::string> named;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--soundfont=", 0) == 0)
            named.push_back(arg.substr(12));
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    if (!named.empty()) return named;
    std::vector<std::string> installed;
    for (const char* path : {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2"}) {
        if (std::filesystem::exists(path)) installed.push_back(path);
    }
    return installed;
}
