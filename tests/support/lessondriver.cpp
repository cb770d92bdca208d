#include "lessondriver.h"

#include <QListWidget>
#include <QTest>

#include <iterator>

namespace lessondriver {

void pickChordType(const lessons::LessonWindow& w, int index) {
    auto* list = qobject_cast<QListWidget*>(w.lstChordType.widget());
    ASSERT_NE(list, nullptr);
    const QRect r = list->visualItemRect(list->item(index));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
}

void pickRoot(const lessons::LessonWindow& w, int root) { UiTest::click(w.optRoot(root).widget()); }
void pickForm(const lessons::LessonWindow& w, int form) { UiTest::click(w.optForm(form).widget()); }

void strum(const lessons::LessonWindow& w) {
    for (const auto& b : w.design().strumButtons) {
        if (b.button->Visible()) {
            UiTest::click(b.button->widget());
            return;
        }
    }
    ADD_FAILURE() << "no visible Strum button";
}

void show(const lessons::LessonWindow& w, int type, int root, int form) {
    pickChordType(w, type);
    pickRoot(w, root);
    pickForm(w, form);
    strum(w);
}

void pressEnterInList(const lessons::LessonWindow& w) {
    w.lstChordType.widget()->setFocus();
    UiTest::key(w, Qt::Key_Return);
}

int shownDiagram(const lessons::LessonWindow& w) {
    if (!w.imgChord.Visible()) return 0;
    return w.imgChord.Picture().resourceId();
}

QString visibleStrumButtons(const lessons::LessonWindow& w) {
    QString s;
    int number = 0;
    for (const lessons::StrumButtonDesign& b : w.design().strumButtons) {
        ++number;
        if (b.button->Visible()) s += QString::number(number) + (b.button->Default() ? "*" : "");
    }
    return s;
}

namespace {
const char* const kFretCaptions[13] = {"",         "1st Fret", "2nd Fret", "3rd Fret", "4th Fret",  "5th Fret", "6th Fret",
                                       "7th Fret", "8th Fret", "9th Fret", "10th Fret", "11th Fret", "12th Fret"};
}  // namespace

const char* fretCaption(int fret) {
    if (fret < 0 || fret >= int(std::size(kFretCaptions))) {
        ADD_FAILURE() << "no fret label for fret " << fret;
        return "";
    }
    return kFretCaptions[fret];
}

int fretAtRoot(int fretAtC, int root) { return (fretAtC - 1 + root) % 12 + 1; }

}  // namespace lessondriver
