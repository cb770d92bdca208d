#pragma once
// The fixture of a lesson window test: the lesson open from the start, and no diagram left
// failing to load for the next test.

#include "lessondriver.h"
#include "runtime/picture.h"

#include <span>

template <class Window>
class LessonTest : public UiTest {
protected:
    // The lesson's window class, or any lesson window given by a test that runs over several.
    explicit LessonTest(Window& window = rt::instance<Window>()) : w(window) {}

    Window& w;

    void SetUp() override {
        UiTest::SetUp();
        w.Show();
    }
    void TearDown() override {
        rt::setMissingResourceForTests(0);
        UiTest::TearDown();
    }
    // Picks the choices and clicks the visible Strum button.
    void show(int type, int root, int form) { lessondriver::show(w, type, root, form); }
    // Unloads the window and opens it again, as the main window would.
    void reopen() {
        w.Unload();
        w.Show();
    }
    // Shows each worked chord and checks its diagram and fret label.
    void expectWorkedValues(std::span<const lessondriver::WorkedValue> cases) {
        for (const lessondriver::WorkedValue& c : cases) {
            SCOPED_TRACE(testing::Message() << w.lstChordType.List(c.type).toStdString() << " root " << c.root << " form "
                                            << c.form);
            show(c.type, c.root, c.form);
            EXPECT_EQ(lessondriver::shownDiagram(w), c.id);
            EXPECT_EQ(w.lblFretNumber.Caption(), c.fret);
        }
    }
};
