// Every window of the program on the layer: the Tab key walks each window's controls in the
// order of their tab indexes, and the lesson windows' root pick keeps the default button's
// state and mark with the visible Strum button.
#include "app/frmabout.h"
#include "app/frmhelp.h"
#include "app/frmmain.h"
#include "app/frmothersymbols.h"
#include "app/frmpartial.h"
#include "app/frmsymbols.h"
#include "lessons/core/frmprintme.h"
#include "lessons/dimaug/frmdimaug.h"
#include "lessons/dimaug/frmsymmetric.h"
#include "lessons/dominant/frmdominant.h"
#include "lessons/extensions/frmmajminext.h"
#include "lessons/inversions/frminversions.h"
#include "lessons/majorminor/frmbasic.h"
#include "lessons/seventh/frm7thtype.h"
#include "lessons/susadd/frmsusadd.h"
#include "player/frmpro.h"
#include "runtime/mmcontrol.h"
#include "runtime/widgets_p.h"
#include "support/lessondriver.h"

#include <QAccessible>
#include <QPainter>
#include <QApplication>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace rt;

namespace {

QStringList indexed(const QString& name, int first, int last) {
    QStringList names;
    for (int i = first; first <= last ? i <= last : i >= last; first <= last ? ++i : --i) names << QString("%1_%2").arg(name).arg(i);
    return names;
}
const QStringList kRoots = indexed("optRoot", 0, 11);
const QStringList kForms = indexed("optForm", 0, 3);

struct TabChain {
    Form& (*form)();
    QStringList chain;  // the controls that take the focus, by tab index
};

template <class T>
Form& formOf() {
    return instance<T>();
}

const TabChain kTabChains[] = {
    {formOf<frmMain>,
     {"cmdHelp", "cmdChordSymbols", "cmdBasic", "cmd7thType", "cmdInversions", "cmdAugDim", "Command2", "cmdPartial",
      "Command3", "Command4", "Picture1", "Picture2", "WebBrowser1", "WebBrowser2", "Command1"}},
    {formOf<frmAbout>, {"cmdOk", "Picture1"}},
    {formOf<frmHelp>, {}},
    {formOf<frmPartial>, {}},
    {formOf<frmSymbols>, {"cmdOthersymbols", "cmbChordType", "Command1"}},
    {formOf<frmOtherSymbols>, {}},
    {formOf<frmPrintMe>, {"cmdPrintMe"}},
    {formOf<frmPro>, indexed("optKey", 0, 11) + QStringList{"cmdPlayChord", "cmbProgression"}},
    {formOf<frmBasic>, kRoots + kForms + QStringList{"lstChordType", "cmdStrumMe", "cmdExit", "cmdPrint"}},
    {formOf<frm7thType>, kRoots + kForms + QStringList{"lstChordType", "cmdStrumMe2", "cmdExit", "cmdPrint"}},
    {formOf<frmInversions>,
     QStringList{"cmdExit"} + indexed("optInversion", 3, 0) + QStringList{"lstChordType", "cmdStrumMe3", "cmdStrumMe4"} + kRoots +
         QStringList{"cmdPrint"}},
    {formOf<frmSusAdd>,
     QStringList{"cmdExit"} + kRoots + QStringList{"cmdStrumMe", "lstChordType"} + kForms + QStringList{"cmdStrumMe2", "cmdPrint"}},
    {formOf<frmMajMinExt>,
     kRoots + kForms + QStringList{"lstChordType", "cmdStrumMe3", "cmdExit", "cmdStrumMe2", "cmdPrint"}},
    {formOf<frmDominant>,
     QStringList{"cmdStrumMe2"} + kRoots + QStringList{"cmdStrumMe", "lstChordType"} + kForms +
         QStringList{"cmdExit", "cmdStrumMe3", "cmdPrint"}},
    {formOf<frmDimAug>,
     QStringList{"cmdExit", "cmdStrumMe2"} + kRoots + QStringList{"cmdStrumMe", "lstChordType"} + kForms +
         QStringList{"cmdMoreDim", "cmdPrint"}},
    {formOf<frmSymmetric>, {}},
};

// Where Tab stops, as the platform's dialogs do: once in each group of options (on the set
// one, else on the group's first), and never on a hidden control.
QStringList tabStops(const Form& f, const QStringList& chain) {
    static const QRegularExpression option("^(opt\\w+)_\\d+$");
    QStringList stops;
    for (qsizetype i = 0; i < chain.size();) {
        const QString group = option.match(chain[i]).captured(1);
        if (group.isEmpty()) {
            if (f.findControl(chain[i])->Visible()) stops << chain[i];
            ++i;
            continue;
        }
        QString stop = chain[i];
        for (; i < chain.size() && option.match(chain[i]).captured(1) == group; ++i)
            if (static_cast<const OptionButton*>(f.findControl(chain[i]))->Value()) stop = chain[i];
        stops << stop;
    }
    return stops;
}

class WindowsTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        configureMidi(MidiOutput::Offline);
    }
    static void activate(const Form& f) {
        QApplication::setActiveWindow(f.topLevelWidget());
        ASSERT_TRUE(QTest::qWaitForWindowActive(f.topLevelWidget()));
    }
    // The control that holds the focus (or whose part does), "" for none.
    static QString focusedControl(const Form& f) {
        for (QWidget* w = f.topLevelWidget()->focusWidget(); w; w = w->parentWidget())
            if (f.findControl(w->objectName())) return w->objectName();
        return {};
    }
    // Presses Tab once for each stop, noting where the focus is before each press.
    static QStringList walk(const Form& f, qsizetype stops) {
        QStringList walked{focusedControl(f)};
        for (qsizetype i = 0; i < stops; ++i) {
            key(f, Qt::Key_Tab);
            walked << focusedControl(f);
        }
        return walked;
    }
};

TEST_F(WindowsTest, TheTabKeyWalksEveryWindowInTheOrderOfItsTabIndexes) {
    for (const TabChain& t : kTabChains) {
        Form& f = t.form();
        SCOPED_TRACE(f.Name());
        f.Show();
        activate(f);
        // The focus starts on the lowest tab index, and each Tab moves it one on, round to
        // the start again.
        QStringList stops = tabStops(f, t.chain);
        EXPECT_EQ(walk(f, stops.size()), stops.isEmpty() ? QStringList{""} : stops + stops.mid(0, 1));

        // With an option set in each group (a root of another group shows another Strum
        // button), Tab stops on the set ones.
        for (const QString& name : t.chain) {
            if (name == "optRoot_7" || name == "optForm_2" || name == "optInversion_1" || name == "optKey_7")
                static_cast<OptionButton*>(f.findControl(name))->setValue(true);
        }
        stops = tabStops(f, t.chain);
        if (!stops.isEmpty()) {
            f.findControl(stops.first())->SetFocus();
            EXPECT_EQ(walk(f, stops.size()), stops + stops.mid(0, 1));
        }
        f.Unload();
        settle();
    }
}

// The device pixels that any ink of one caption line touches, drawn alone and unclipped,
// in the button's coordinates scaled to the device's; empty for a line with no ink.
QRect lineInk(const ButtonCaption& caption, const ButtonCaption::Line& line, qreal scale) {
    // Room all round, so that ink however far out lands in the image.
    const int margin = std::max(caption.parentWidget()->width(), caption.parentWidget()->height());
    const QSize logical = caption.parentWidget()->size() + QSize(2 * margin, 2 * margin);
    QImage image(logical * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.translate(margin + caption.x(), margin + caption.y());
        caption.drawLine(p, line);
    }
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0) ink |= QRect(x, y, 1, 1);
    const int shift = int(std::lround(margin * scale));
    return ink.translated(-shift, -shift);
}

std::string text(const QRect& r) {
    return QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
}

// The device pixels a rectangle of the button's coordinates covers, wholly or in part.
QRect devicePixels(const QRect& r, qreal scale) {
    return QRect(QPoint(int(std::floor(r.left() * scale)), int(std::floor(r.top() * scale))),
                 QPoint(int(std::ceil((r.right() + 1) * scale)) - 1, int(std::ceil((r.bottom() + 1) * scale)) - 1));
}

// A button's caption, one line or several, stays inside its focus mark: each line's ink lies
// inside the caption's rectangle and inside the mark, and without the focus, where the mark
// would be drawn, the button shows nothing but its face.
TEST_F(WindowsTest, EveryButtonsCaptionStaysInsideItsFocusMark) {
    for (const TabChain& t : kTabChains) {
        Form& f = t.form();
        SCOPED_TRACE(f.Name());
        f.Show();
        for (Control* c : f.controls()) {
            auto* b = dynamic_cast<CommandButton*>(c);
            if (!b || !b->Visible() || b->Caption().isEmpty()) continue;
            SCOPED_TRACE(b->Caption().toStdString());
            QWidget* button = b->widget();
            button->clearFocus();
            const QImage shown = button->grab().toImage();
            const qreal scale = shown.devicePixelRatio();
            const QColor face = button->palette().color(QPalette::Button);
            // The mark's line, as the device's pixels that lie wholly in it.
            const int line = ButtonWidget::focusMark(button->size()).left();
            const int from = int(std::ceil(line * scale)), to = int(std::floor((line + 1) * scale)) - 1;
            int stray = 0;
            for (int y = 0; y < shown.height(); ++y) {
                for (int x = 0; x < shown.width(); ++x) {
                    const int inset = std::min({x, y, shown.width() - 1 - x, shown.height() - 1 - y});
                    if (inset >= from && inset <= to && shown.pixelColor(x, y) != face) ++stray;
                }
            }
            EXPECT_EQ(stray, 0) << "pixels of the caption outside the focus mark";

            // The caption is a child widget clipped to its own rectangle, so lines laid out
            // past it would not show as stray pixels above: each line's ink on its own.
            const auto* caption = button->findChild<const ButtonCaption*>("caption");
            ASSERT_NE(caption, nullptr);
            const QRect mark = ButtonWidget::focusMark(button->size());
            const QRect insideMark = devicePixels(QRect(mark.topLeft() + QPoint(1, 1), mark.size() - QSize(1, 1)), scale);
            const QRect insideCaption = devicePixels(caption->geometry(), scale);
            QStringList words;
            for (const ButtonCaption::Line& l : caption->lines()) {
                SCOPED_TRACE(l.text.toStdString());
                words << l.text;
                const QRect ink = lineInk(*caption, l, scale);
                ASSERT_FALSE(ink.isEmpty()) << "a line with no ink";
                EXPECT_TRUE(insideCaption.contains(ink)) << "ink " << text(ink) << " past the caption's " << text(insideCaption);
                EXPECT_TRUE(insideMark.contains(ink)) << "ink " << text(ink) << " past the inside of the mark " << text(insideMark);
            }
            EXPECT_EQ(words.join(' ').simplified(), b->Caption().simplified()) << "the lines leave words out";
        }
        f.Unload();
        settle();
    }
}

template <class T>
lessons::LessonWindow& lessonOf() {
    return instance<T>();
}

lessons::LessonWindow& (*const kLessons[])() = {
    lessonOf<frmBasic>,     lessonOf<frm7thType>,  lessonOf<frmInversions>, lessonOf<frmSusAdd>,
    lessonOf<frmMajMinExt>, lessonOf<frmDominant>, lessonOf<frmDimAug>,
};

// Which Strum buttons show, with "*" after the one reported as default: "cmdStrumMe2*".
QString strumButtons(const lessons::LessonWindow& w) {
    QStringList out;
    for (const lessons::StrumButtonDesign& b : w.design().strumButtons) {
        if (!b.button->Visible()) continue;
        const bool reported = QAccessible::queryAccessibleInterface(b.button->widget())->state().defaultButton;
        out << b.button->Name() + (reported ? "*" : "");
    }
    return out.join(' ');
}

TEST_F(WindowsTest, TheDefaultStateAndItsFrameFollowTheRootGroupSwitch) {
    for (auto lesson : kLessons) {
        lessons::LessonWindow& w = lesson();
        SCOPED_TRACE(w.Name());
        w.Show();
        activate(w);
        for (const lessons::RootGroup& g : w.design().rootGroups) {
            for (int root : {g.firstRoot, g.lastRoot}) {
                SCOPED_TRACE(testing::Message() << "root " << root);
                lessondriver::pickRoot(w, root);
                EXPECT_EQ(strumButtons(w), g.button->Name() + "*");
                EXPECT_TRUE(framed(*g.button));
                EXPECT_FALSE(framed(w.cmdExit));
                EXPECT_FALSE(framed(w.cmdPrint));
            }
        }
        w.Unload();
        settle();
    }
}

TEST_F(WindowsTest, ARootPickWithNoRootSetChangesNothingWhereRootGroupsSwitch) {
    for (auto lesson : kLessons) {
        lessons::LessonWindow& w = lesson();
        SCOPED_TRACE(w.Name());
        w.Show();
        // A diagram on show, as a Strum leaves it, and no root set.
        w.imgChord.setPicture(LoadResPicture(101, 0));
        w.imgChord.setVisible(true);
        w.lblFretNumber.setCaption("3rd Fret");
        const QString buttons = strumButtons(w);
        w.optRoot_Click(0);
        EXPECT_EQ(strumButtons(w), buttons);
        if (w.design().rootGroups.size() > 1) {
            EXPECT_EQ(lessondriver::shownDiagram(w), 101);
            EXPECT_EQ(w.lblFretNumber.Caption(), "3rd Fret");
        } else {
            // One root group: the handler is the diagram clearing alone.
            EXPECT_EQ(lessondriver::shownDiagram(w), 0);
            EXPECT_EQ(w.lblFretNumber.Caption(), "");
        }
        w.Unload();
        settle();
    }
}

}  // namespace
