#include "voicing.h"

#include "lessons/majorminor/majorminortable.h"
#include "lessons/seventh/seventhtable.h"
#include "player/chordsymbol.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace progressions {
namespace {

// The lesson chord type each chord-symbol suffix names.
struct LessonChord {
    std::string_view suffix;
    const lessons::LessonTable* table;
    std::string_view chordType;
};

const LessonChord kLessonChords[] = {
    {"", &lessons::kMajorMinorTable, "Major"},
    {"Maj", &lessons::kMajorMinorTable, "Major"},
    {"mi", &lessons::kMajorMinorTable, "minor"},
    {"Maj7", &lessons::kSeventhTable, "Major7th"},
    {"mi7", &lessons::kSeventhTable, "minor7th"},
    {"7", &lessons::kSeventhTable, "7th"},
    {"mi7(b5)", &lessons::kSeventhTable, "minor7th(b5)"},
};

bool soundsPitchClass(const Voicing& v, int pitchClass)
{
    for (int s = 0; s < kStrings; ++s) {
        if (v.frets[s] != kMuted && v.note(s) % 12 == pitchClass)
            return true;
    }
    return false;
}

}  // namespace

Frets soundingFrets(const diagrams::Fingering& fingering, int fretLabel)
{
    Frets frets;
    for (int s = 0; s < kStrings; ++s) {
        const diagrams::StringState& state = fingering.strings[s];
        int space = state.dot ? state.dot->fretSpace : 0;
        // A barre merely crossing a muted string leaves it silent; a finger
        // dot on a string also marked muted still sounds.
        if (state.dot || state.mark != diagrams::TopMark::Mute) {
            for (const diagrams::Barre& b : fingering.barreList()) {
                if (b.firstString <= s && s <= b.lastString)
                    space = std::max(space, b.fretSpace);
            }
        }
        if (space > 0)
            frets[s] = fretLabel + space - 1;
        else if (state.mark == diagrams::TopMark::Open)
            frets[s] = 0;
        else
            frets[s] = kMuted;
    }
    return frets;
}

double Voicing::handPosition() const
{
    int low = 0;
    int high = 0;
    for (int fret : frets) {
        if (fret <= 0)
            continue;
        low = low == 0 ? fret : std::min(low, fret);
        high = std::max(high, fret);
    }
    return (low + high) / 2.0;
}

std::vector<Voicing> lessonForms(std::string_view symbol)
{
    std::optional<player::ChordSymbol> chord = player::parseChordSymbol(symbol);
    if (!chord)
        return {};
    const auto lesson = std::find_if(std::begin(kLessonChords), std::end(kLessonChords),
                                     [&](const LessonChord& c) { return c.suffix == chord->kind; });
    if (lesson == std::end(kLessonChords))
        return {};

    std::vector<Voicing> forms;
    for (int form = 0; form < lessons::kForms; ++form) {
        std::optional<lessons::DiagramAt> at = lessons::lookUp(*lesson->table, lesson->chordType, chord->root, form);
        if (!at)
            continue;
        const diagrams::Fingering* fingering = diagrams::findFingering(at->diagramId);
        if (!fingering)
            continue;
        Voicing v{form, *at, soundingFrets(*fingering, at->fret)};
        if (soundsPitchClass(v, chord->root))
            forms.push_back(v);
    }
    return forms;
}

std::optional<Voicing> nextVoicing(std::span<const Voicing> forms, const Voicing* previous)
{
    // A guitarist keeps a progression in one region of the neck: play the form
    // the hand reaches with the least move from the previous chord, and open a
    // file as low on the neck as the chord goes. Between equal moves the lower
    // on the neck wins, then the lower form number.
    auto rank = [&](const Voicing& v) {
        const double move = previous ? std::abs(v.handPosition() - previous->handPosition()) : 0.0;
        return std::tuple(move, v.handPosition(), v.form);
    };
    const auto best = std::min_element(forms.begin(), forms.end(),
                                       [&](const Voicing& a, const Voicing& b) { return rank(a) < rank(b); });
    if (best == forms.end())
        return std::nullopt;
    return *best;
}

}  // namespace progressions
