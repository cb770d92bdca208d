#pragma once
// A fixture for tests that drive real windows: it answers every message box and records
// its prompt, and unloads every window afterwards.

#include "runtime/app.h"
#include "runtime/form.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

#include <ostream>

// Readable QString values in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class UiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Prompts shown since the test began, oldest first.
    QStringList prompts;
    // Tests of the main window keep the program's rule that the last window closing ends it;
    // others open a window alone and may close it.
    bool endsWithLastWindow_ = false;

public:
    // Lets posted events (deferred deletes, repaints) run.
    static void settle();
    // The real widget of a control, found by its name in a loaded window.
    static QWidget* widget(const rt::Form& form, const QString& name);
    // Clicks a control with the mouse, as a user would.
    static void click(const rt::Form& form, const QString& name);
    static void click(QWidget* w);
    // Sends a key to whatever has the focus in the window.
    static void key(const rt::Form& form, int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier);
    // The name of the control that has the focus in the window.
    static QString focusName(const rt::Form& form);
    // Whether the button shows the dark outermost ring of the one that Enter presses; the
    // others show the light edge there.
    static bool framed(const rt::CommandButton& button);
};
