// The lesson table model: fret labels, the base fret rule and exact look-ups.
#include "lessons/core/lessontable.h"

#include <gtest/gtest.h>

using namespace lessons;

namespace {

TEST(FretLabels, TwelveCaptionsAndNothingOutside) {
    const char* expected[] = {"1st Fret", "2nd Fret", "3rd Fret", "4th Fret",  "5th Fret",  "6th Fret",
                              "7th Fret", "8th Fret", "9th Fret", "10th Fret", "11th Fret", "12th Fret"};
    for (int n = 1; n <= 12; ++n) EXPECT_EQ(fretLabelCaption(n), expected[n - 1]);
    EXPECT_TRUE(fretLabelCaption(0).empty());
    EXPECT_TRUE(fretLabelCaption(13).empty());
}

TEST(BaseFretRule, WorkedValuesAndWrapping) {
    struct Case {
        int base, root, fret;
    };
    const Case cases[] = {
        {8, 0, 8}, {8, 4, 12}, {8, 5, 1}, {8, 11, 7}, {10, 3, 1}, {3, 11, 2},
        {1, 0, 1}, {1, 11, 12}, {12, 0, 12}, {12, 1, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(fretForRoot(c.base, c.root), c.fret) << c.base << "/" << c.root;
    for (int base = 1; base <= 12; ++base)
        for (int root = 0; root < 12; ++root) {
            EXPECT_GE(fretForRoot(base, root), 1);
            EXPECT_LE(fretForRoot(base, root), 12);
        }
}

constexpr RootRows kShared = {{{300, 1}, {300, 2}, {300, 3}, {301, 1}, {301, 1}, {301, 1},
                               {301, 1}, {301, 1}, {301, 1}, {301, 1}, {301, 1}, {301, 1}}};
constexpr ChordTypeRecord kTable[] = {
    {"Major", nullptr, {rootSpecific(kShared), movable(102, 8), absent(), movable(102, 3)}},
    {"Augmented", "Please refer to Augmented chords", {}},
};

TEST(LookUp, MovableRootSpecificAbsentAndReferral) {
    const LessonTable t{kTable};
    EXPECT_EQ(lookUp(t, "Major", 5, 1)->diagramId, 102);
    EXPECT_EQ(lookUp(t, "Major", 5, 1)->fret, 1);
    // One diagram serving three roots, the fret rising with the root.
    EXPECT_EQ(lookUp(t, "Major", 2, 0)->diagramId, 300);
    EXPECT_EQ(lookUp(t, "Major", 2, 0)->fret, 3);
    // The same diagram under two keys keeps each key's own fret label.
    EXPECT_EQ(lookUp(t, "Major", 0, 3)->diagramId, 102);
    EXPECT_EQ(lookUp(t, "Major", 0, 3)->fret, 3);
    EXPECT_FALSE(lookUp(t, "Major", 0, 2));  // absent form
    for (int root = 0; root < 12; ++root)
        for (int form = 0; form < 4; ++form) EXPECT_FALSE(lookUp(t, "Augmented", root, form));
    EXPECT_STREQ(findRecord(t, "Augmented")->referral, "Please refer to Augmented chords");
}

TEST(LookUp, ChordTypeMustMatchExactly) {
    const LessonTable t{kTable};
    for (const char* miss : {"major", "Major ", " Major", "", "MAJOR"}) {
        EXPECT_EQ(findRecord(t, miss), nullptr) << miss;
        EXPECT_FALSE(lookUp(t, miss, 0, 1)) << miss;
    }
    EXPECT_FALSE(lookUp(t, "Major", 12, 1));
    EXPECT_FALSE(lookUp(t, "Major", 0, 4));
}

}  // namespace
