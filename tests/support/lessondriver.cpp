#include "lessondriver.h"

#include <QListWidget>
#include <QTest>

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

int shownDiagram(const lessons::LessonWindow& w) {
    if (!w.imgChord.Visible()) return 0;
    return w.imgChord.Picture().resourceId();
}

}  // namespace lessondriver
