// The inversions table's musical content: every entry, on every root, sounds exactly the
// notes of its chord with the inversion's note in the bass.
#include "diagrams/fingering.h"
#include "lessons/inversions/inversionstable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace lessons;

namespace {

// Standard tuning, low E to high E, as MIDI notes (E2 A2 D3 G3 B3 E4).
constexpr int kOpenStrings[diagrams::kStringCount] = {40, 45, 50, 55, 59, 64};

struct Chord {
    const char* type;
    std::vector<int> tones;  // semitones above the root
    std::vector<int> bass;   // the bass of root position, 1st, 2nd and 3rd inversion
};
const Chord kChords[] = {
    {"Major", {0, 4, 7}, {0, 4, 7}},
    {"minor", {0, 3, 7}, {0, 3, 7}},
    {"Major7th", {0, 4, 7, 11}, {0, 4, 7, 11}},
    {"minor7th", {0, 3, 7, 10}, {0, 3, 7, 10}},
    {"Major6th", {0, 4, 7, 9}, {0, 4, 7, 9}},
    {"minor6th", {0, 3, 7, 9}, {0, 3, 7, 9}},
    {"7th", {0, 4, 7, 10}, {0, 4, 7, 10}},
    {"minor7th(b5)", {0, 3, 6, 10}, {0, 3, 6, 10}},
};

// The notes a diagram sounds with fret space 1 at the given fret.
std::vector<int> sounding(const diagrams::Fingering& f, int fret) {
    std::vector<int> notes;
    for (int s = 0; s < diagrams::kStringCount; ++s) {
        const diagrams::StringState& st = f.strings[s];
        if (st.dot && st.mark != diagrams::TopMark::Mute)
            notes.push_back(kOpenStrings[s] + fret + st.dot->fretSpace - 1);
        else if (st.mark == diagrams::TopMark::Open)
            notes.push_back(kOpenStrings[s]);
    }
    return notes;
}

TEST(InversionsTable, EveryEntrySoundsItsChordWithTheInversionInTheBass) {
    int entries = 0;
    for (const Chord& c : kChords) {
        const int inversions = c.tones.size() == 3 ? 3 : 4;
        for (int inv = 0; inv < 4; ++inv)
            for (int root = 0; root < kRoots; ++root) {
                SCOPED_TRACE(testing::Message() << c.type << " inversion " << inv << " root " << root);
                const auto hit = lookUp(kInversionsTable, c.type, root, inv);
                if (inv >= inversions) {
                    EXPECT_FALSE(hit);  // a triad has no third inversion
                    continue;
                }
                ASSERT_TRUE(hit);
                ++entries;
                const diagrams::Fingering* f = diagrams::findFingering(hit->diagramId);
                ASSERT_NE(f, nullptr);
                const std::vector<int> notes = sounding(*f, hit->fret);
                ASSERT_FALSE(notes.empty());
                std::set<int> heard, wanted;
                for (int n : notes) heard.insert(((n - root) % 12 + 12) % 12);  // root 0 is C, MIDI 0 is C
                for (int t : c.tones) wanted.insert(t);
                EXPECT_EQ(heard, wanted);
                const int lowest = *std::min_element(notes.begin(), notes.end());
                EXPECT_EQ(((lowest - root) % 12 + 12) % 12, c.bass[inv]);
                EXPECT_EQ(lowest, notes.front()) << "the bass is not on the lowest sounding string";
            }
    }
    EXPECT_EQ(entries, 30 * 12);
}

TEST(InversionsTable, SixthChordsShareTheSeventhChordsDiagrams) {
    for (int root = 0; root < kRoots; ++root)
        for (int inv = 0; inv < 4; ++inv) {
            SCOPED_TRACE(testing::Message() << "root " << root << " inversion " << inv);
            const auto major6 = lookUp(kInversionsTable, "Major6th", root, inv);
            const auto minor7 = lookUp(kInversionsTable, "minor7th", (root + 9) % 12, (inv + 1) % 4);
            ASSERT_TRUE(major6 && minor7);
            EXPECT_EQ(major6->diagramId, minor7->diagramId);
            EXPECT_EQ(major6->fret, minor7->fret);
            const auto halfDim = lookUp(kInversionsTable, "minor7th(b5)", root, inv);
            const auto minor6 = lookUp(kInversionsTable, "minor6th", (root + 3) % 12, (inv + 3) % 4);
            ASSERT_TRUE(halfDim && minor6);
            EXPECT_EQ(halfDim->diagramId, minor6->diagramId);
            EXPECT_EQ(halfDim->fret, minor6->fret);
        }
}

TEST(InversionsTable, KeysAreExactTexts) {
    for (const char* text : {"major", "Major ", "Minor", "7TH", "Major6", ""})
        EXPECT_FALSE(lookUp(kInversionsTable, text, 0, 0)) << text;
}

}  // namespace
