#include "voicing.h"

#include <algorithm>

namespace progressions {
namespace {

constexpr int kLowestBassString = 2;  // D
constexpr int kMinStrings = 4;
constexpr int kSpan = 3;              // highest minus lowest stopped fret
constexpr int kFingers = 4;
constexpr int kFirstPosition = 3;     // highest fret of a shape with open strings

struct Shape {
    bool playable = false;
    double cost = 0;
};

Shape judge(const Voicing& v, const player::ChordSymbol& chord)
{
    // The strummed strings lie side by side, from the bass string up; at most
    // the high E may be left out (damped by the hand).
    int low = v.lowestString();
    if (low < 0 || low > kLowestBassString)
        return {};
    int high = kStrings - 1;
    if (v.frets[high] == kMuted)
        --high;
    for (int s = low; s <= high; ++s) {
        if (v.frets[s] == kMuted)
            return {};
    }
    if (high - low + 1 < kMinStrings)
        return {};
    if (v.note(low) % 12 != chord.root)
        return {};

    std::bitset<12> sounded;
    int lowFret = kHighestFret + 1;
    int highFret = 0;
    int stopped = 0;
    int open = 0;
    for (int s = low; s <= high; ++s) {
        sounded.set(static_cast<std::size_t>(v.note(s) % 12));
        if (v.frets[s] == 0) {
            ++open;
        } else {
            ++stopped;
            lowFret = std::min(lowFret, v.frets[s]);
            highFret = std::max(highFret, v.frets[s]);
        }
    }
    if (sounded != chord.pitchClasses())
        return {};
    if (stopped > 0 && highFret - lowFret > kSpan)
        return {};
    // Open strings belong to first-position shapes.
    if (open > 0 && highFret > kFirstPosition)
        return {};

    bool barre = false;
    if (stopped > kFingers) {
        // A barre chord: the index finger lies across the lowest fret from the
        // bass string to the high E; the other fingers stop the rest.
        int first = -1;
        int last = -1;
        int above = 0;
        for (int s = low; s <= high; ++s) {
            if (v.frets[s] == lowFret) {
                if (first < 0)
                    first = s;
                last = s;
            } else if (v.frets[s] > lowFret) {
                ++above;
            }
        }
        for (int s = first; s <= last; ++s) {
            if (v.frets[s] == 0)
                return {};
        }
        if (first != low || last != high || 1 + above > kFingers)
            return {};
        barre = true;
    }

    double cost = 0;
    cost += 0.6 * highFret;                  // low on the neck is easiest
    cost += 1.0 * (stopped > 0 ? highFret - lowFret : 0);
    cost += 1.5 * (low + kStrings - 1 - high);  // fewer strings, thinner sound
    cost += barre ? 1.0 : 0.0;
    cost += high < kStrings - 1 ? 0.5 : 0.0;  // damping the high E is one more thing to do
    cost -= 0.3 * open;
    return {true, cost};
}

}  // namespace

int Voicing::lowestString() const
{
    for (int s = 0; s < kStrings; ++s) {
        if (frets[s] != kMuted)
            return s;
    }
    return -1;
}

std::optional<Voicing> guitarVoicing(const player::ChordSymbol& chord)
{
    std::bitset<12> tones = chord.pitchClasses();
    std::array<std::vector<int>, kStrings> choices;
    for (int s = 0; s < kStrings; ++s) {
        choices[s].push_back(kMuted);
        for (int fret = 0; fret <= kHighestFret; ++fret) {
            if (tones.test(static_cast<std::size_t>((kOpenStrings[s] + fret) % 12)))
                choices[s].push_back(fret);
        }
    }

    std::optional<Voicing> best;
    double bestCost = 0;
    Voicing v;
    auto walk = [&](auto&& self, int s) -> void {
        if (s == kStrings) {
            Shape shape = judge(v, chord);
            if (shape.playable && (!best || shape.cost < bestCost)) {
                best = v;
                bestCost = shape.cost;
            }
            return;
        }
        for (int fret : choices[s]) {
            v.frets[s] = fret;
            self(self, s + 1);
        }
    };
    walk(walk, 0);
    return best;
}

}  // namespace progressions
