// The print preview's "P r i n t" when hiding its button, printing or unloading fails: each
// failure shows "The Chord can't be printed." and the handler goes on with the next step.
#include "lessons/core/frmprintme.h"
#include "lessons/core/messages.h"
#include "lessons/majorminor/frmbasic.h"
#include "runtime/faults.h"
#include "runtime/printer.h"
#include "support/lessondriver.h"
#include "support/printedpage.h"

#include <QFile>
#include <QTemporaryDir>

#include <vector>

using namespace lessondriver;
using lessons::kCantPrint;
using rt::Operation;

namespace {

struct Trap {
    const char* name;
    std::vector<Operation> failing;
    // What the click leaves.
    bool printed;
    bool buttonOnPage;  // the hide failed before the print
    bool previewOpen;   // the unload failed
    bool buttonShown;   // in a preview left open
};

void PrintTo(const Trap& t, std::ostream* os) { *os << t.name; }

const Trap kTraps[] = {
    //                                                                    printed, button on page, open, button shown
    {"Hide", {Operation::Visible}, true, true, false, false},
    {"Print", {Operation::PrintForm}, false, false, false, false},
    {"Unload", {Operation::Unload}, true, false, true, false},
    {"HideAndUnload", {Operation::Visible, Operation::Unload}, true, true, true, true},
    {"Every", {Operation::Visible, Operation::PrintForm, Operation::Unload}, false, false, true, true},
};

class PreviewTrapTest : public UiTest, public ::testing::WithParamInterface<Trap> {
protected:
    frmBasic& basic = rt::instance<frmBasic>();
    frmPrintMe& preview = rt::instance<frmPrintMe>();
    QTemporaryDir dir;
    const QString pdf = dir.filePath("page.pdf");

    void SetUp() override {
        UiTest::SetUp();
        rt::setPrintToFile(pdf);
    }
    void TearDown() override {
        rt::clearSimulatedFailures();
        UiTest::TearDown();
        rt::setPrintToFile({});
    }
};

TEST_P(PreviewTrapTest, EachFailedStepGivesTheMessageAndTheNextStepRuns) {
    const Trap& t = GetParam();
    basic.Show();
    show(basic, 0, 7, 1);  // G Major form 2: diagram 102 at the 3rd fret
    click(basic, "cmdPrint");
    ASSERT_TRUE(preview.isLoaded());
    for (Operation op : t.failing) rt::simulateFailure(preview, op);
    click(preview, "cmdPrintMe");
    settle();
    rt::clearSimulatedFailures();

    EXPECT_EQ(prompts, QStringList(qsizetype(t.failing.size()), kCantPrint));
    EXPECT_EQ(QFile::exists(pdf), t.printed);
    if (t.printed && t.buttonOnPage) {
        const QString words = printedpage::pageText(pdf);
        EXPECT_TRUE(words.contains("G Major")) << words.toStdString();
        EXPECT_TRUE(printedpage::holdsPrintButton(words)) << words.toStdString();
    } else if (t.printed) {
        ASSERT_NO_FATAL_FAILURE(printedpage::expectChordPage(pdf, dir.filePath("page"), {"G Major", "3rd Fret"}));
    }
    ASSERT_EQ(preview.isLoaded(), t.previewOpen);
    if (t.previewOpen) {
        EXPECT_EQ(preview.cmdPrintMe.Visible(), t.buttonShown);
        EXPECT_EQ(preview.Label2.Caption(), "G Major");
    }
    EXPECT_EQ(shownDiagram(basic), 102);  // the lesson still shows the chord
}

INSTANTIATE_TEST_SUITE_P(Steps, PreviewTrapTest, ::testing::ValuesIn(kTraps),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
