#include "diagrams/fingering.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace diagrams {
namespace {

StringState mute() { return {TopMark::Mute, std::nullopt}; }
StringState open() { return {TopMark::Open, std::nullopt}; }
StringState dot(int fretSpace, int finger) { return {TopMark::None, FingerDot{fretSpace, finger}}; }

const Fingering& fingering(int id)
{
    const Fingering* f = findFingering(id);
    EXPECT_NE(f, nullptr) << id;
    static const Fingering empty;
    return f ? *f : empty;
}

TEST(FingeringTable, HoldsTheIds101To339Without191And192)
{
    const auto ids = allDiagramIds();
    ASSERT_EQ(ids.size(), 237u);
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
    std::vector<int> expected;
    for (int id = 101; id <= 339; ++id)
        if (id != 191 && id != 192)
            expected.push_back(id);
    EXPECT_TRUE(std::equal(ids.begin(), ids.end(), expected.begin(), expected.end()));
    for (int id : ids) {
        EXPECT_TRUE(isDiagramId(id)) << id;
        EXPECT_NE(findFingering(id), nullptr) << id;
    }
}

TEST(FingeringTable, LookUpFailsForNonIds)
{
    for (int id : {100, 191, 192, 340, 0, -1, 1000}) {
        EXPECT_EQ(findFingering(id), nullptr) << id;
        EXPECT_FALSE(isDiagramId(id)) << id;
    }
}

TEST(FingeringTable, FirstAndLastRows)
{
    Fingering f101;
    f101.strings = {mute(), dot(3, 3), dot(2, 2), open(), dot(1, 1), open()};
    EXPECT_EQ(fingering(101), f101);

    Fingering f339;
    f339.strings = {mute(), dot(1, 1), mute(), dot(1, 2), dot(2, 3), dot(2, 4)};
    EXPECT_EQ(fingering(339), f339);
}

TEST(FingeringTable, MeetsTheStatedTotals)
{
    std::map<int, int> byFinger, byFretSpace, barresByFinger, barresByFretSpace;
    int dots = 0, mutes = 0, opens = 0, barres = 0, diagramsWithBarres = 0;
    std::set<int> fretSpace5, twoBarres, finger2Barre;
    for (int id : allDiagramIds()) {
        const Fingering& f = fingering(id);
        for (const StringState& s : f.strings) {
            mutes += s.mark == TopMark::Mute;
            opens += s.mark == TopMark::Open;
            if (s.dot) {
                ++dots;
                ++byFinger[s.dot->finger];
                ++byFretSpace[s.dot->fretSpace];
                if (s.dot->fretSpace == 5)
                    fretSpace5.insert(id);
            }
        }
        barres += f.barreCount;
        diagramsWithBarres += f.barreCount > 0;
        if (f.barreCount == 2)
            twoBarres.insert(id);
        for (const Barre& b : f.barreList()) {
            ++barresByFinger[b.finger];
            ++barresByFretSpace[b.fretSpace];
            if (b.finger == 2)
                finger2Barre.insert(id);
        }
    }
    EXPECT_EQ(dots, 956);
    EXPECT_EQ(byFinger, (std::map<int, int>{{1, 376}, {2, 185}, {3, 232}, {4, 163}}));
    EXPECT_EQ(byFretSpace, (std::map<int, int>{{1, 371}, {2, 284}, {3, 235}, {4, 64}, {5, 2}}));
    EXPECT_EQ(fretSpace5, (std::set<int>{199, 327}));
    EXPECT_EQ(mutes, 348);
    EXPECT_EQ(opens, 118);
    EXPECT_EQ(barres, 112);
    EXPECT_EQ(diagramsWithBarres, 109);
    EXPECT_EQ(barresByFinger, (std::map<int, int>{{1, 87}, {2, 1}, {3, 19}, {4, 5}}));
    EXPECT_EQ(barresByFretSpace, (std::map<int, int>{{1, 82}, {2, 19}, {3, 8}, {4, 3}}));
    EXPECT_EQ(twoBarres, (std::set<int>{255, 296, 325}));
    EXPECT_EQ(finger2Barre, (std::set<int>{287}));
    EXPECT_EQ(fingering(287).barreList()[0], (Barre{2, 2, kLowE, kA}));
}

TEST(FingeringTable, EveryStringHoldsOneMarkOrDotBut142And107)
{
    for (int id : allDiagramIds()) {
        for (int s = 0; s < kStringCount; ++s) {
            const StringState& st = fingering(id).strings[s];
            const int held = (st.mark != TopMark::None) + st.dot.has_value();
            if (id == 142 && s == kB) {
                EXPECT_EQ(st.mark, TopMark::Mute);
                EXPECT_EQ(st.dot, (FingerDot{4, 4}));
            } else if (id == 107 && s == kHighE) {
                EXPECT_EQ(held, 0);
            } else {
                EXPECT_EQ(held, 1) << id << " string " << s;
            }
        }
    }
}

TEST(FingeringTable, BarresJoinOneFingersDotsInOneFretSpace)
{
    for (int id : allDiagramIds()) {
        const Fingering& f = fingering(id);
        for (const Barre& b : f.barreList()) {
            ASSERT_LT(b.firstString, b.lastString) << id;
            const FingerDot end{b.fretSpace, b.finger};
            EXPECT_EQ(f.strings[b.firstString].dot, end) << id;
            EXPECT_EQ(f.strings[b.lastString].dot, end) << id;
            for (int s = b.firstString + 1; s < b.lastString; ++s) {
                const StringState& st = f.strings[s];
                if (id == 308 && s == kD) {
                    EXPECT_EQ(st, mute());
                    continue;
                }
                ASSERT_TRUE(st.dot.has_value()) << id << " string " << s;
                EXPECT_TRUE(*st.dot == end || st.dot->fretSpace > b.fretSpace) << id << " string " << s;
            }
        }

        // Each group of two or more dots of one finger in one fret space has its barre.
        std::map<std::pair<int, int>, std::vector<int>> groups;
        for (int s = 0; s < kStringCount; ++s)
            if (const auto& d = f.strings[s].dot)
                groups[{d->fretSpace, d->finger}].push_back(s);
        std::vector<Barre> expected;
        for (const auto& [key, strings] : groups)
            if (strings.size() > 1)
                expected.push_back({key.second, key.first, strings.front(), strings.back()});
        std::vector<Barre> actual(f.barreList().begin(), f.barreList().end());
        auto order = [](const Barre& a, const Barre& b) {
            return std::pair(a.fretSpace, a.finger) < std::pair(b.fretSpace, b.finger);
        };
        std::sort(actual.begin(), actual.end(), order);
        if (id == 326)
            EXPECT_EQ(expected, (std::vector<Barre>{{1, 1, kB, kHighE}}));
        else
            EXPECT_EQ(actual, expected) << id;
    }
}

TEST(FingeringTable, UnusualRows)
{
    const Fingering& f326 = fingering(326);
    EXPECT_EQ(f326.strings[kB], dot(1, 1));
    EXPECT_EQ(f326.strings[kHighE], dot(1, 1));
    EXPECT_EQ(f326.barreCount, 0);

    const Fingering& f337 = fingering(337);
    EXPECT_EQ(f337.strings[kB], dot(1, 1));
    EXPECT_EQ(f337.strings[kHighE], dot(1, 1));
    ASSERT_EQ(f337.barreCount, 1);
    EXPECT_EQ(f337.barres[0], (Barre{1, 1, kB, kHighE}));

    const Fingering& f308 = fingering(308);
    ASSERT_EQ(f308.barreCount, 1);
    EXPECT_EQ(f308.barres[0], (Barre{1, 1, kLowE, kG}));
    EXPECT_EQ(f308.strings[kD], mute());

    const Fingering& f142 = fingering(142);
    EXPECT_EQ(f142.strings[kB], (StringState{TopMark::Mute, FingerDot{4, 4}}));

    EXPECT_EQ(fingering(107).strings[kHighE], StringState{});

    const Fingering& f255 = fingering(255);
    ASSERT_EQ(f255.barreCount, 2);
    EXPECT_EQ(f255.barres[0], (Barre{1, 1, kA, kG}));
    EXPECT_EQ(f255.barres[1], (Barre{3, 2, kB, kHighE}));
}

TEST(FingeringTable, SharedFingeringsAreExactlyTheNamedPairs)
{
    const std::set<std::pair<int, int>> named = {{102, 196}, {124, 188}, {131, 213}, {159, 212}, {223, 275},
                                                 {224, 273}, {296, 325}, {298, 322}, {300, 323}};
    std::set<std::pair<int, int>> equal;
    const auto ids = allDiagramIds();
    for (std::size_t i = 0; i < ids.size(); ++i)
        for (std::size_t j = i + 1; j < ids.size(); ++j)
            if (fingering(ids[i]) == fingering(ids[j]))
                equal.insert({ids[i], ids[j]});
    EXPECT_EQ(equal, named);
}

}  // namespace
}  // namespace diagrams
