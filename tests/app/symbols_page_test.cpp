// The chord symbols page driven through its real widgets: picking and typing chord types,
// the two messages, Enter and the default button, and the instance model.
#include "app/frmmain.h"
#include "app/frmothersymbols.h"
#include "app/frmsymbols.h"
#include "app/windows.h"
#include "chordsymbolrows.h"
#include "support/uitest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace rt;

namespace {

// The music-notes icon has a small image of its own; the program's icon does not.
bool hasNotesIcon(const QWidget* w) { return w->windowIcon().availableSizes().contains(QSize(16, 16)); }

const QString kNotAKey = "Choose a chord type from the dropdown list";
const QString kSeventh = "Refer to Dominant 7th chord";

class SymbolsPageTest : public UiTest {
protected:
    frmSymbols& page = instance<frmSymbols>();

    // Opened from the main window, which stays open as in the program.
    void SetUp() override {
        UiTest::SetUp();
        instance<frmMain>().Show();
        click(instance<frmMain>(), "cmdChordSymbols");
        settle();
        ASSERT_TRUE(page.isLoaded());
    }

    QComboBox* combo() { return static_cast<QComboBox*>(widget(page, "cmbChordType")); }

    // Puts the focus into the edit field and replaces its text by typing.
    void type(const QString& text) {
        combo()->setFocus(Qt::OtherFocusReason);
        QLineEdit* edit = combo()->lineEdit();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    void showSymbols() {
        click(page, "Command1");
        settle();
    }
};

TEST_F(SymbolsPageTest, OpensAsDesigned) {
    EXPECT_EQ(page.Caption(), "Chord Symbols");
    QWidget* win = page.topLevelWidget();
    QWidget* client = win->findChild<QWidget*>("client");
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->size(), QSize(439, 539));
    EXPECT_EQ(client->palette().color(QPalette::Window), QColor(128, 128, 255));
    EXPECT_TRUE(win->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(win->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_NE(win->minimumSize(), win->maximumSize());  // sizable
    EXPECT_EQ(win->cursor().shape(), Qt::BitmapCursor);  // the hand, pointing with its index finger
    EXPECT_EQ(win->cursor().hotSpot(), QPoint(6, 0));
    EXPECT_TRUE(hasNotesIcon(win));

    EXPECT_EQ(page.cmbChordType.Text(), "Chord Type");
    EXPECT_EQ(page.cmbChordType.ListIndex(), -1);
    EXPECT_EQ(page.cmbChordType.ToolTipText(), "Choose a chord type");
    EXPECT_TRUE(page.lblSymbol.Caption().isEmpty());
    EXPECT_EQ(page.Label1.Caption(), "All chord symbol examples are written as C root Note. ");
    EXPECT_EQ(page.Label2.Caption(), "Chord Type");
    EXPECT_EQ(page.Command1.Caption(), "Show Symbols");
    EXPECT_EQ(page.cmdOthersymbols.Caption(), "Other Symbols");
    EXPECT_TRUE(page.Command1.Default());
    EXPECT_TRUE(static_cast<QLabel*>(widget(page, "Label1"))->wordWrap());

    // The list in table order, unsorted.
    ASSERT_EQ(page.cmbChordType.ListCount(), 36);
    for (int i = 0; i < 36; ++i) EXPECT_EQ(page.cmbChordType.List(i), chordsymbolrows::kRows[i].chordType) << "position " << i;

    // The focus starts on "Other Symbols", then the combo box, then "Show Symbols".
    EXPECT_EQ(focusName(page), "cmdOthersymbols");
    key(page, Qt::Key_Tab);
    EXPECT_EQ(focusName(page), "cmbChordType");
    key(page, Qt::Key_Tab);
    EXPECT_EQ(focusName(page), "Command1");
}

TEST_F(SymbolsPageTest, EveryEntryPickedFromTheListGivesItsRow) {
    combo()->setFocus(Qt::OtherFocusReason);
    for (const chordsymbolrows::Row& row : chordsymbolrows::kRows) {
        SCOPED_TRACE(row.chordType);
        const QString before = page.lblSymbol.Caption();
        key(page, Qt::Key_Down);  // the next entry
        ASSERT_EQ(page.cmbChordType.Text(), row.chordType);
        EXPECT_EQ(page.lblSymbol.Caption(), before);  // picking alone changes nothing
        prompts.clear();
        key(page, Qt::Key_Return);  // presses "Show Symbols"
        settle();
        if (row.message) {
            EXPECT_EQ(prompts, QStringList{row.message});
            EXPECT_EQ(page.lblSymbol.Caption(), before);
        } else {
            EXPECT_TRUE(prompts.isEmpty());
            EXPECT_EQ(page.lblSymbol.Caption(), row.symbols);
        }
        EXPECT_EQ(focusName(page), "cmbChordType");
    }
}

TEST_F(SymbolsPageTest, TypedTextsAreLookedUpExactly) {
    struct Case {
        const char* typed;
        const char* symbols;  // null: the not-a-key message
    };
    const Case cases[] = {
        {"Augmented", "C Aug, C+"},
        {"Half Diminished", "Cmin7(b5), Cmi7(b5),  Cm7(b5), C -7(b5)"},
        {"minor 7th (b5)", "Cmin7(b5), Cmi7(b5),  Cm7(b5), C -7(b5)"},
        {"major", nullptr},
        {"MAJOR", nullptr},
        {"Major ", nullptr},
        {" Major", nullptr},
        {"Major7th", nullptr},
        {"Dominant 7th(b5)", nullptr},
        {"Add 9th", nullptr},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        page.lblSymbol.setCaption("before");
        prompts.clear();
        type(c.typed);
        showSymbols();
        // The text is read as typed; leaving the field does not fold it onto an entry.
        EXPECT_EQ(page.cmbChordType.Text(), c.typed);
        if (c.symbols) {
            EXPECT_TRUE(prompts.isEmpty());
            EXPECT_EQ(page.lblSymbol.Caption(), c.symbols);
        } else {
            EXPECT_EQ(prompts, QStringList{kNotAKey});
            EXPECT_EQ(page.lblSymbol.Caption(), "before");
        }
    }
}

TEST_F(SymbolsPageTest, MessagesLeaveTheShownSymbols) {
    // Right after opening, the edit field still reads "Chord Type".
    showSymbols();
    EXPECT_EQ(prompts, QStringList{kNotAKey});
    EXPECT_TRUE(page.lblSymbol.Caption().isEmpty());

    type("Major");
    showSymbols();
    EXPECT_EQ(page.lblSymbol.Caption(), "C, CMaj, CMa");
    const int width = page.lblSymbol.Width();
    EXPECT_GT(width, 90);  // the label grew to its text, rightwards from its left edge
    EXPECT_EQ(page.lblSymbol.Left(), 960);

    type("7th");
    showSymbols();
    type("Chord Type");
    showSymbols();
    EXPECT_EQ(prompts, (QStringList{kNotAKey, kSeventh, kNotAKey}));
    EXPECT_EQ(page.lblSymbol.Caption(), "C, CMaj, CMa");
    EXPECT_EQ(page.lblSymbol.Width(), width);
}

TEST_F(SymbolsPageTest, EnterAfterTypingShowsTheSymbols) {
    type("Dominant 7th");
    key(page, Qt::Key_Return);
    settle();
    EXPECT_TRUE(prompts.isEmpty());
    EXPECT_EQ(page.lblSymbol.Caption(), "C7, CDom7");
    EXPECT_FALSE(instance<frmOtherSymbols>().isLoaded());
}

TEST_F(SymbolsPageTest, EnterOnOtherSymbolsOpensThatPageInstead) {
    ASSERT_EQ(focusName(page), "cmdOthersymbols");
    key(page, Qt::Key_Return);
    settle();
    auto& other = instance<frmOtherSymbols>();
    EXPECT_TRUE(other.isLoaded());
    EXPECT_TRUE(prompts.isEmpty());
    EXPECT_TRUE(page.lblSymbol.Caption().isEmpty());
}

TEST_F(SymbolsPageTest, OtherSymbolsPageOutlivesThisPageAndIsOpenedOnce) {
    click(page, "cmdOthersymbols");
    settle();
    auto& other = instance<frmOtherSymbols>();
    ASSERT_TRUE(other.isLoaded());
    QWidget* otherWindow = other.topLevelWidget();

    page.topLevelWidget()->close();  // the close box
    settle();
    EXPECT_FALSE(page.isLoaded());
    EXPECT_TRUE(other.isLoaded());

    openSymbols();
    settle();
    click(page, "cmdOthersymbols");
    settle();
    EXPECT_EQ(other.topLevelWidget(), otherWindow);  // brought up again, not a second page
    EXPECT_EQ(Forms().size(), 3u);
}

TEST_F(SymbolsPageTest, ReopeningStartsFromTheDesignWithThirtySixEntries) {
    type("Major");
    showSymbols();
    ASSERT_EQ(page.lblSymbol.Caption(), "C, CMaj, CMa");

    instance<frmMain>().mnuChordSymbols.trigger();  // open already: nothing is reloaded
    EXPECT_EQ(page.cmbChordType.ListCount(), 36);
    EXPECT_EQ(page.lblSymbol.Caption(), "C, CMaj, CMa");

    page.topLevelWidget()->close();
    settle();
    ASSERT_FALSE(page.isLoaded());
    openSymbols();
    settle();
    EXPECT_EQ(page.cmbChordType.ListCount(), 36);
    EXPECT_EQ(page.cmbChordType.Text(), "Chord Type");
    EXPECT_TRUE(page.lblSymbol.Caption().isEmpty());
}

}  // namespace
