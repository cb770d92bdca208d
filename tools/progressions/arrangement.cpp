#include "arrangement.h"

#include "midiwriter.h"
#include "player/chordsymbol.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

namespace progressions {
namespace {

enum class Stroke { Down, Up };

struct Strum {
    int eighth;  // position in the bar, in eighth notes
    Stroke stroke;
    int velocity;
};

// Down, down-up, up, down-up: the folk strum every beginner learns.
constexpr Strum kPattern[] = {
    {0, Stroke::Down, 100},
    {2, Stroke::Down, 82},
    {3, Stroke::Up, 64},
    {5, Stroke::Up, 68},
    {6, Stroke::Down, 84},
    {7, Stroke::Up, 64},
};

constexpr int kUpStrokeStrings = 4;  // an up stroke catches the treble strings only
constexpr double kDownGapMs = 12;    // between strings within a stroke
constexpr double kUpGapMs = 9;

// Event order within one tick: settings, then note offs, then note ons, so a
// string struck again is first released.
constexpr int kSetting = 0;
constexpr int kNoteOff = 1;
constexpr int kNoteOn = 2;

std::uint32_t ticksOf(double milliseconds)
{
    double msPerTick = 60000.0 / kBeatsPerMinute / kDivision;
    return static_cast<std::uint32_t>(std::lround(milliseconds / msPerTick));
}

}  // namespace

std::vector<Voicing> progressionVoicings(std::string_view chordLine)
{
    std::vector<Voicing> chords;
    for (std::string_view symbol : player::splitChordLine(chordLine)) {
        std::vector<Voicing> forms = lessonForms(symbol);
        std::optional<Voicing> next = nextVoicing(forms, chords.empty() ? nullptr : &chords.back());
        if (!next)
            throw ArrangementError("no lesson shape for \"" + std::string(symbol) + "\" in \"" +
                                   std::string(chordLine) + "\"");
        chords.push_back(*next);
    }
    return chords;
}

std::vector<std::uint8_t> progressionFile(std::string_view chordLine)
{
    std::vector<TrackEvent> events;
    std::uint32_t tempo = 60000000u / kBeatsPerMinute;
    events.push_back({0, kSetting, {0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08}});  // 4/4
    events.push_back({0, kSetting,
                      {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(tempo >> 16),
                       static_cast<std::uint8_t>(tempo >> 8), static_cast<std::uint8_t>(tempo)}});
    events.push_back({0, kSetting, {0xC0 | kChannel, kSteelGuitar}});

    std::uint32_t barStart = 0;
    for (const Voicing& voicing : progressionVoicings(chordLine)) {
        std::vector<int> strings;  // sounded, low to high
        for (int s = 0; s < kStrings; ++s) {
            if (voicing.frets[s] != kMuted)
                strings.push_back(s);
        }

        // Each string rings until it is struck again or the bar ends.
        std::uint32_t barEnd = barStart + kTicksPerBar;
        std::array<std::int64_t, kStrings> sounding;
        sounding.fill(-1);
        auto release = [&](int s, std::uint32_t tick) {
            if (sounding[s] >= 0)
                events.push_back({tick, kNoteOff,
                                  {0x80 | kChannel, static_cast<std::uint8_t>(voicing.note(s)), 0}});
            sounding[s] = -1;
        };
        for (const Strum& strum : kPattern) {
            std::vector<int> order = strings;
            double gap = kDownGapMs;
            if (strum.stroke == Stroke::Up) {
                order.assign(strings.end() - std::min<std::ptrdiff_t>(kUpStrokeStrings, std::ssize(strings)),
                             strings.end());
                std::reverse(order.begin(), order.end());
                gap = kUpGapMs;
            }
            std::uint32_t start = barStart + static_cast<std::uint32_t>(strum.eighth * kDivision / 2);
            for (std::size_t i = 0; i < order.size(); ++i) {
                int s = order[i];
                std::uint32_t tick = start + ticksOf(gap * static_cast<double>(i));
                release(s, tick);
                events.push_back({tick, kNoteOn,
                                  {0x90 | kChannel, static_cast<std::uint8_t>(voicing.note(s)),
                                   static_cast<std::uint8_t>(strum.velocity)}});
                sounding[s] = tick;
            }
        }
        for (int s = 0; s < kStrings; ++s)
            release(s, barEnd);
        barStart = barEnd;
    }
    if (barStart == 0)
        throw ArrangementError("no chords in \"" + std::string(chordLine) + "\"");
    return writeMidiFile(kDivision, std::move(events), barStart);
}

}  // namespace progressions
