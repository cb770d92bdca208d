// Every message box a user can meet outside the lessons' own checks and referrals (their
// tests spell those), each raised by the action that raises it, its text written out here.
#include "app/frmsymbols.h"
#include "lessons/core/frmprintme.h"
#include "lessons/majorminor/frmbasic.h"
#include "player/frmpro.h"
#include "runtime/mmcontrol.h"
#include "runtime/picture.h"
#include "runtime/printer.h"
#include "support/lessondriver.h"

#include <QComboBox>

#include <functional>

using namespace lessondriver;

namespace {

struct Prompt {
    const char* behaviour;  // the test's name
    const char* text;
    std::function<void()> raise;
};

void PrintTo(const Prompt& p, std::ostream* os) { *os << p.behaviour; }

frmBasic& basic() { return rt::instance<frmBasic>(); }

// Picks an entry of a drop-down list as the user does.
void pickEntry(const rt::ComboBox& list, int index) {
    auto* combo = qobject_cast<QComboBox*>(list.widget());
    combo->setFocus();
    combo->setCurrentIndex(index);
}

void openBasic() { basic().Show(); }

void startProgression(bool pickAKey) {
    auto& player = rt::instance<frmPro>();
    player.Show();
    pickEntry(player.cmbProgression, 0);
    if (pickAKey) UiTest::click(player.optKey(0).widget());
    UiTest::click(player, "cmdPlayChord");
}

void showSymbolsOf(int entry) {
    auto& page = rt::instance<frmSymbols>();
    page.Show();
    if (entry >= 0) {
        ASSERT_EQ(page.cmbChordType.List(entry), "7th");
        pickEntry(page.cmbChordType, entry);
    }
    UiTest::click(page, "Command1");
}

const Prompt kPrompts[] = {
    {"StrumWithNothingChosen", "You must select a chord type", [] {
         openBasic();
         strum(basic());
     }},
    {"StrumWithNoRoot", "You must pick a root note", [] {
         openBasic();
         pickChordType(basic(), 0);
         strum(basic());
     }},
    {"StrumWithNoForm", "You must pick a form", [] {
         openBasic();
         pickChordType(basic(), 0);
         pickRoot(basic(), 0);
         strum(basic());
     }},
    {"PrintChordWithNoDiagramShown", "Nothing to print", [] {
         openBasic();
         UiTest::click(basic(), "cmdPrint");
     }},
    {"PrintWithNoPrinter", "The Chord can't be printed.", [] {
         rt::simulateNoPrinter(true);
         openBasic();
         show(basic(), 0, 0, 0);
         UiTest::click(basic(), "cmdPrint");
         UiTest::click(rt::instance<frmPrintMe>(), "cmdPrintMe");
     }},
    {"StrumWhoseDiagramCannotLoad", "An Unexpected Error has occurred, Please try reinstalling software", [] {
         rt::setMissingResourceForTests(101);  // C Major, form 1
         openBasic();
         show(basic(), 0, 0, 0);
     }},
    {"PlayWithNoProgression", "Please pick a Chord Progression", [] {
         auto& player = rt::instance<frmPro>();
         player.Show();
         UiTest::click(player, "cmdPlayChord");
     }},
    {"PlayWithNoKey", "Please pick a Key", [] { startProgression(false); }},
    {"PlayWithNoSoundOutput", "An unexpected error has occurred.Please check soundcard", [] {
         rt::configureMidi(rt::MidiOutput::None);
         startProgression(true);
     }},
    {"ShowSymbolsOfNoChordType", "Choose a chord type from the dropdown list", [] { showSymbolsOf(-1); }},
    {"ShowSymbolsOfSeventh", "Refer to Dominant 7th chord", [] { showSymbolsOf(20); }},
};

class PromptTest : public UiTest, public ::testing::WithParamInterface<Prompt> {
protected:
    void SetUp() override {
        UiTest::SetUp();
        rt::configureMidi(rt::MidiOutput::Offline);
    }
    void TearDown() override {
        UiTest::TearDown();
        rt::simulateNoPrinter(false);
        rt::setMissingResourceForTests(0);
        rt::configureMidi(rt::MidiOutput::Offline);
    }
};

TEST_P(PromptTest, ShowsItsTextOnce) {
    ASSERT_NO_FATAL_FAILURE(GetParam().raise());
    settle();
    EXPECT_EQ(prompts, QStringList{GetParam().text}) << GetParam().behaviour << " gives the wrong message";
}

INSTANTIATE_TEST_SUITE_P(Windows, PromptTest, ::testing::ValuesIn(kPrompts),
                         [](const auto& info) { return std::string(info.param.behaviour); });

}  // namespace
