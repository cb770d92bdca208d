// Random use: thousands of seeded user events (mouse clicks, keys, menu items, close
// boxes) over every window the main window reaches, checking after each event what must
// always hold. A failure names its seed; STRUMVANE_SEED=<n> replays that seed alone and
// STRUMVANE_EVENTS=<n> changes the number of events per seed.
#include "app/frmmain.h"
#include "app/lessonlist.h"
#include "lessons/core/lessonwindow.h"
#include "lessons/core/messages.h"
#include "runtime/app.h"
#include "runtime/printer.h"
#include "app/chordsymbolrows.h"
#include "support/lessonkeys.h"
#include "support/uitest.h"

#include "player/frmpro.h"
#include "runtime/mmcontrol.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <deque>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>

using namespace rt;

namespace {

// The windows this test knows, with the prompts their own handlers show beyond those that
// every lesson shares. A window not listed here has not been reviewed for this test yet:
// its unknown prompts are reported, not failed.
const std::map<QString, QStringList>& ownPrompts() {
    static const std::map<QString, QStringList> table = [] {
        QStringList symbolsPage = {QStringLiteral("Choose a chord type from the dropdown list")};
        for (const chordsymbolrows::Row& row : chordsymbolrows::kRows)
            if (row.message) symbolsPage << QString::fromUtf8(row.message);
        return std::map<QString, QStringList>{
            {"frmMain", {}},
            {"frmAbout", {}},
            {"frmHelp", {}},
            {"frmOtherSymbols", {}},
            {"frmSymbols", symbolsPage},
            {"frmPartial", {lessons::kUnexpectedError}},
            {"frmSymmetric", {lessons::kUnexpectedError}},
            {"frmPrintMe", {lessons::kCantPrint}},
            {"frmPro",
             {QStringLiteral("Please pick a Chord Progression"), QStringLiteral("Please pick a Key"),
              QStringLiteral("An unexpected error has occurred.Please check soundcard")}},
            // The lessons: what every lesson shows and their tables' referrals come on top.
            {"frmBasic", {}},
            {"frm7thType", {}},
            {"frmInversions",
             {QStringLiteral("You must pick an Inversion"), QStringLiteral("You must pick a ROOT NOTE"),
              QStringLiteral("You must pick a ROOT NOTE from F#/Gb Through B"),
              QStringLiteral("There is no 3rd. Inversion for a Major chord"),
              QStringLiteral("There is no 3rd. Inversion for a minor chord")}},
            {"frmSusAdd", {}},
            {"frmMajMinExt", {}},
            {"frmDominant", {}},
            {"frmDimAug", {}},
        };
    }();
    return table;
}

// Every window the main window can reach, directly or through another window.
QStringList reachableWindows() {
    QStringList names;
    for (const auto& [name, prompts] : ownPrompts()) names << name;
    for (lessons::LessonWindow* w : allLessonWindows())
        if (!names.contains(w->Name())) names << w->Name();
    return names;
}

// Prompts the program shows only when something fails; nothing fails in this run.
QSet<QString> failurePrompts() {
    QSet<QString> p = {lessons::kCantPrint, lessons::kUnexpectedError};
    p << QStringLiteral("An unexpected error has occurred.Please check soundcard");
    return p;
}

// Every prompt the known windows can show.
QSet<QString> possiblePrompts() {
    QSet<QString> p = {lessons::kSelectChordType, lessons::kPickRoot, lessons::kPickForm, lessons::kNothingToPrint,
                       lessons::kUnexpectedError};
    for (const auto& [name, prompts] : ownPrompts())
        for (const QString& prompt : prompts) p << prompt;
    // The lessons' referrals and checks, as their own tables give them.
    for (lessons::LessonWindow* w : allLessonWindows())
        for (int type = 0; type < static_cast<int>(w->design().chordTypes.size()); ++type)
            for (int form = 0; form < 4; ++form)
                if (const auto a = lessonkeys::answer(QString::fromLatin1(w->Name()), type, 0, form); a && !a->message.isEmpty())
                    p << a->message;
    return p;
}

std::vector<quint32> seeds() {
    if (const QByteArray s = qgetenv("STRUMVANE_SEED"); !s.isEmpty()) return {s.toUInt()};
    return {1, 2, 3};
}

int eventsPerSeed() {
    const int n = qEnvironmentVariableIntValue("STRUMVANE_EVENTS");
    return n > 0 ? n : 2000;
}

struct Tally {
    std::set<QString> windowsSeen;
    int diagramsShown = 0;
    int prints = 0;
    int prompts = 0;
    std::map<std::string, int> actions;
    std::map<std::string, int> windowEvents;
};

class RandomUse : public UiTest, public ::testing::WithParamInterface<quint32> {
protected:
    frmMain& main = instance<frmMain>();
    QTemporaryDir dir;
    std::mt19937 rng;
    std::deque<std::string> log;  // the latest events, for a failure's report
    Tally tally;
    int event = 0;
    int promptsChecked = 0;
    std::map<const Form*, const QImage*> lastPicture;  // per lesson window, to count Strums
    const QSet<QString> allowed = possiblePrompts();
    const QSet<QString> failures = failurePrompts();

    void SetUp() override {
        endsWithLastWindow_ = true;
        UiTest::SetUp();
        setPrintToFile(dir.filePath("page.pdf"));
        configureMidi(MidiOutput::Offline);
        instance<frmPro>().PlayLoop = false;  // the instance outlives a seed's windows
        rng.seed(GetParam());
        main.Show();
        settle();
    }
    void TearDown() override {
        UiTest::TearDown();
        setPrintToFile({});
    }

    int pick(int n) { return n <= 1 ? 0 : static_cast<int>(rng() % static_cast<quint32>(n)); }
    bool chance(int percent) { return pick(100) < percent; }

    void note(const std::string& what) {
        std::ostringstream s;
        s << "#" << event << " " << what;
        log.push_back(s.str());
        if (log.size() > 25) log.pop_front();
    }

    std::string report(const std::string& what) const {
        std::ostringstream s;
        s << what << "\n  seed " << GetParam() << ", event " << event << " (replay: STRUMVANE_SEED=" << GetParam()
          << " STRUMVANE_EVENTS=" << eventsPerSeed() << ")\n  latest events:\n";
        for (const std::string& e : log) s << "    " << e << "\n";
        return s.str();
    }

    static std::string name(const QWidget* w) {
        if (!w) return "(none)";
        const QWidget* top = w->window();
        return (top->objectName() + "." + w->objectName()).toStdString();
    }

    std::vector<Form*> visibleForms() {
        std::vector<Form*> out;
        for (Form* f : Forms())
            if (f->window() && f->topLevelWidget()->isVisible()) out.push_back(f);
        return out;
    }

    // ---- the events ----

    QPoint anywhere(const QWidget* w) { return QPoint(pick(qMax(1, w->width())), pick(qMax(1, w->height()))); }

    void clickList(QListWidget* list) {
        if (list->count() > 0 && chance(90)) {
            const int i = pick(list->count());
            const QRect r = list->visualItemRect(list->item(i));
            note("click " + name(list) + " entry " + std::to_string(i));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
        } else {
            const QPoint p = anywhere(list->viewport());
            note("click " + name(list) + " blank at " + std::to_string(p.x()) + "," + std::to_string(p.y()));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, p);
        }
    }

    // A click on a combo box opens its list; a second click picks an entry or leaves it.
    void clickCombo(QComboBox* combo) {
        const QPoint p = chance(70) ? QPoint(combo->width() - 6, combo->height() / 2) : anywhere(combo);
        note("click " + name(combo) + " at " + std::to_string(p.x()) + "," + std::to_string(p.y()));
        QTest::mouseClick(combo, Qt::LeftButton, Qt::NoModifier, p);
        settle();
        QAbstractItemView* view = combo->view();
        if (!view->isVisible() || combo->count() == 0) return;
        if (chance(85)) {
            const int i = pick(combo->count());
            const QRect r = view->visualRect(combo->model()->index(i, 0));
            note("  pick entry " + std::to_string(i) + " from the open list");
            QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
        } else {
            note("  Escape closes the open list");
            QTest::keyClick(view, Qt::Key_Escape);
        }
    }

    void clickControl(Form* f) {
        // Like controls form one group (the buttons, each frame's options, a list, the
        // pictures and labels); a group is picked first, then one of its controls, so that
        // twelve root options do not crowd out the one Strum button.
        std::map<std::pair<std::string, const QWidget*>, std::vector<QWidget*>> groups;
        for (Control* c : f->controls()) {
            QWidget* w = c->boundWidget();
            if (!w || !w->isVisible()) continue;
            std::pair<std::string, const QWidget*> key{"other", nullptr};
            if (qobject_cast<QAbstractButton*>(w)) key = {w->metaObject()->className(), w->parentWidget()};
            else if (qobject_cast<QListWidget*>(w) || qobject_cast<QComboBox*>(w)) key = {"list", w};
            groups[key].push_back(w);
        }
        if (groups.empty()) return clickAnywhere(f);
        auto g = groups.begin();
        std::advance(g, pick(static_cast<int>(groups.size())));
        QWidget* w = g->second[static_cast<size_t>(pick(static_cast<int>(g->second.size())))];
        if (!w->isEnabled()) return note("skip disabled " + name(w));
        if (auto* list = qobject_cast<QListWidget*>(w)) return clickList(list);
        if (auto* combo = qobject_cast<QComboBox*>(w)) return clickCombo(combo);
        // Mostly where the caption is, sometimes anywhere on the control.
        const QPoint p = chance(80) ? QPoint(w->width() / 2, qMin(w->height() / 2, 8)) : anywhere(w);
        note("click " + name(w) + " at " + std::to_string(p.x()) + "," + std::to_string(p.y()));
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, p);
    }

    // A click at a random point of the window's inside, on whatever lies there.
    void clickAnywhere(Form* f) {
        QWidget* client = f->topLevelWidget()->findChild<QWidget*>("client");
        if (!client) return;
        const QPoint p = anywhere(client);
        QWidget* target = client->childAt(p);
        if (!target) target = client;
        const QPoint local = target->mapFrom(client, p);
        note("click " + std::string(f->Name()) + " inside at " + std::to_string(p.x()) + "," + std::to_string(p.y()) + " on " +
             name(target));
        if (auto* view = qobject_cast<QAbstractItemView*>(target->parentWidget()); view && view->viewport() == target)
            return QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, local);
        if (auto* combo = qobject_cast<QComboBox*>(target)) return clickCombo(combo);
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, local);
    }

    void pressKey(Form* f) {
        struct K {
            Qt::Key key;
            Qt::KeyboardModifiers mods;
            const char* label;
        };
        static const K keys[] = {
            {Qt::Key_Tab, Qt::NoModifier, "Tab"},        {Qt::Key_Tab, Qt::NoModifier, "Tab"},
            {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
            {Qt::Key_Return, Qt::NoModifier, "Enter"},   {Qt::Key_Enter, Qt::KeypadModifier, "keypad Enter"},
            {Qt::Key_Space, Qt::NoModifier, "Space"},    {Qt::Key_Space, Qt::NoModifier, "Space"},
            {Qt::Key_Up, Qt::NoModifier, "Up"},          {Qt::Key_Down, Qt::NoModifier, "Down"},
            {Qt::Key_Left, Qt::NoModifier, "Left"},      {Qt::Key_Right, Qt::NoModifier, "Right"},
            {Qt::Key_Home, Qt::NoModifier, "Home"},      {Qt::Key_End, Qt::NoModifier, "End"},
            {Qt::Key_Backspace, Qt::NoModifier, "Backspace"}, {Qt::Key_Escape, Qt::NoModifier, "Escape"},
        };
        QWidget* target = f->topLevelWidget()->focusWidget();
        if (!target) target = f->topLevelWidget();
        const int n = static_cast<int>(std::size(keys));
        const int k = pick(n + 6);
        if (k < n) {
            note(std::string("key ") + keys[k].label + " to " + name(target));
            QTest::keyClick(target, keys[k].key, keys[k].mods);
        } else {
            // Letters and the characters chord types are written with.
            static const char kChars[] = "abcdefghijklmnopqrstuvwxyzMm79#()b ";
            const char c = kChars[pick(static_cast<int>(sizeof kChars) - 1)];
            note(std::string("type '") + c + "' to " + name(target));
            QTest::keyClicks(target, QString(QChar(c)));
        }
    }

    static void leafActions(QMenu* menu, std::vector<QAction*>& out) {
        for (QAction* a : menu->actions()) {
            if (a->isSeparator()) continue;
            if (a->menu())
                leafActions(a->menu(), out);
            else
                out.push_back(a);
        }
    }

    // A menu item of the main window, as chosen from its menu; File, Exit waits for the end.
    void chooseMenuItem() {
        auto* bar = static_cast<QMainWindow*>(main.topLevelWidget())->menuBar();
        std::vector<QAction*> items;
        for (QAction* a : bar->actions())
            if (a->menu()) leafActions(a->menu(), items);
        std::erase_if(items, [](QAction* a) { return a->objectName() == "mnuFileExit"; });
        QAction* a = items[static_cast<size_t>(pick(static_cast<int>(items.size())))];
        note("menu " + a->objectName().toStdString());
        spoke.insert("frmMain");
        a->trigger();
    }

    // The close box of any window but the main one (which closes all at the end).
    void closeBox(Form* f) {
        note(std::string("close box of ") + f->Name());
        f->topLevelWidget()->close();
    }

    // Music time passes, so that a playing progression ends and starts again.
    void timePasses() {
        const int ms = 500 + pick(6000);
        note("progression plays on for " + std::to_string(ms) + " ms");
        advanceMidi(ms);
        processEventsFor(kStatusUpdateInterval + 20);
    }

    // The window the user works in: a window comes to the front when it opens, and the
    // user sometimes turns to another one.
    Form* active = nullptr;
    std::set<const Form*> before;

    static bool hasSomethingToPress(const Form* f) {
        for (Control* c : f->controls()) {
            const QWidget* w = c->boundWidget();
            if (w && w->isVisible() && w->isEnabled() && w->focusPolicy() != Qt::NoFocus &&
                (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QListWidget*>(w) || qobject_cast<const QComboBox*>(w)))
                return true;
        }
        return false;
    }

    Form* windowToUse() {
        const std::vector<Form*> shown = visibleForms();
        Form* opened = nullptr;
        for (Form* f : shown)
            if (!before.count(f)) opened = f;
        before = std::set<const Form*>(shown.begin(), shown.end());
        if (opened) active = opened;
        // A page with nothing to press is left sooner.
        const bool idle = active && before.count(active) && !hasSomethingToPress(active);
        if (!active || !before.count(active) || chance(idle ? 50 : 15)) {
            active = shown[static_cast<size_t>(pick(static_cast<int>(shown.size())))];
            note(std::string("turn to ") + active->Name());
        }
        return active;
    }

    void oneEvent() {
        Form* f = windowToUse();
        ++tally.windowEvents[f->Name()];
        spoke = {QString::fromLatin1(f->Name())};
        const int r = pick(100);
        std::string kind;
        auto* lesson = dynamic_cast<lessons::LessonWindow*>(f);
        if (lesson && lesson->imgChord.Visible() && !lesson->imgChord.Picture().isEmpty() && chance(6)) {
            // Having seen a chord, the user often prints it.
            kind = "print a chord";
            QWidget* b = lesson->cmdPrint.widget();
            note("click " + name(b));
            QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(b->width() / 2, b->height() / 2));
        } else if (r < 50) {
            kind = "click control";
            clickControl(f);
        } else if (r < 58) {
            kind = "click inside";
            clickAnywhere(f);
        } else if (r < 86) {
            kind = "key";
            pressKey(f);
        } else if (r < 94) {
            kind = "menu";
            chooseMenuItem();
        } else if (r < 99) {
            if (f == &main) return oneEvent();
            kind = "close box";
            closeBox(f);
        } else {
            if (!instance<frmPro>().isLoaded()) return oneEvent();
            kind = "time passes";
            timePasses();
        }
        ++tally.actions[kind];
    }

    // A popup left open is closed as by a click elsewhere.
    void closePopups() {
        for (int i = 0; i < 5 && QApplication::activePopupWidget(); ++i) {
            note(std::string("  a click elsewhere closes the popup ") + QApplication::activePopupWidget()->metaObject()->className());
            QApplication::activePopupWidget()->close();
            settle();
        }
    }

    // ---- what must always hold ----

    // The windows an event may have made speak: the one it went to and any it opened.
    std::set<QString> spoke;

    bool checkPrompts() {
        for (; promptsChecked < prompts.size(); ++promptsChecked) {
            const QString& p = prompts[promptsChecked];
            note("  message box: \"" + p.toStdString() + "\"");
            ++tally.prompts;
            if (failures.contains(p)) {
                ADD_FAILURE() << report("a failure's message box: \"" + p.toStdString() + "\"");
                return false;
            }
            if (allowed.contains(p)) continue;
            std::string unreviewed;
            for (const QString& w : spoke)
                if (!ownPrompts().count(w)) unreviewed = w.toStdString();
            if (unreviewed.empty()) {
                ADD_FAILURE() << report("a message box the program never shows: \"" + p.toStdString() + "\"");
                return false;
            }
            unknownPrompts.insert(unreviewed + ": \"" + p.toStdString() + "\"");
        }
        return true;
    }
    std::set<std::string> unknownPrompts;

    bool checkWindows() {
        for (Form* f : Forms())
            if (!before.count(f)) spoke.insert(QString::fromLatin1(f->Name()));
        if (App::ended()) {
            ADD_FAILURE() << report("the program ended");
            return false;
        }
        QSet<const QWidget*> loaded;
        for (Form* f : Forms()) {
            tally.windowsSeen.insert(QString::fromLatin1(f->Name()));
            if (!f->window() || !f->topLevelWidget()->isVisible()) {
                ADD_FAILURE() << report(std::string("a loaded window is not on screen: ") + f->Name());
                return false;
            }
            if (loaded.contains(f->topLevelWidget())) {
                ADD_FAILURE() << report(std::string("a window is twice in Forms: ") + f->Name());
                return false;
            }
            loaded.insert(f->topLevelWidget());
        }
        for (QWidget* w : QApplication::topLevelWidgets()) {
            const Qt::WindowType type = w->windowType();
            if (!w->isVisible() || (type != Qt::Window && type != Qt::Dialog)) continue;
            if (!loaded.contains(w)) {
                ADD_FAILURE() << report(std::string("a window on screen that Forms does not hold: ") + w->objectName().toStdString() + " (" +
                                        w->metaObject()->className() + ")");
                return false;
            }
        }
        if (!main.isLoaded()) {
            ADD_FAILURE() << report("the main window went");
            return false;
        }
        return true;
    }

    bool checkLesson(lessons::LessonWindow& w) {
        const std::string n = w.Name();
        // After a root pick exactly the one Strum button of its group shows, and it is the default.
        if (w.pickedRoot() >= 0) {
            std::vector<const CommandButton*> shown;
            for (const auto& b : w.design().strumButtons)
                if (b.button->Visible()) shown.push_back(b.button);
            if (shown.size() > 1) {
                ADD_FAILURE() << report(n + ": " + std::to_string(shown.size()) + " Strum buttons show after a root pick");
                return false;
            }
            if (shown.size() == 1 && w.defaultButton() != shown.front()) {
                ADD_FAILURE() << report(n + ": the default button is not the Strum button that shows");
                return false;
            }
        }
        const Picture& pic = w.imgChord.Picture();
        const QString fret = w.lblFretNumber.Caption();
        if (!w.imgChord.Visible()) {
            if (!pic.isEmpty() || !fret.isEmpty()) {
                ADD_FAILURE() << report(n + ": a hidden diagram keeps its picture or fret label");
                return false;
            }
            lastPicture[&w] = nullptr;
            return true;
        }
        // A diagram shows only after a Strum with every choice made: it must be the one the
        // lesson's own table gives, and nothing may show where the table has a row.
        const int type = w.lstChordType.ListIndex(), root = w.pickedRoot(), form = w.pickedForm();
        const std::optional<lessonkeys::Answer> want = lessonkeys::answer(QString::fromLatin1(w.Name()), type, root, form);
        if (!want) {
            ADD_FAILURE() << report(n + ": no table of keys for this lesson");
            return false;
        }
        const std::string key = w.lstChordType.Text().toStdString() + " root " + std::to_string(root) + " form " + std::to_string(form);
        if (!want->message.isEmpty()) {
            ADD_FAILURE() << report(n + ": the picture shows for " + key + ", which answers \"" + want->message.toStdString() + "\"");
            return false;
        }
        if (!want->id) {
            if (!pic.isEmpty() || !fret.isEmpty()) {
                ADD_FAILURE() << report(n + ": a diagram shows where the table has none");
                return false;
            }
            return true;
        }
        if (pic.resourceId() != want->id || fret != want->fret) {
            ADD_FAILURE() << report(n + ": shows diagram " + std::to_string(pic.isEmpty() ? 0 : pic.resourceId()) + " at \"" +
                                    fret.toStdString() + "\" for " + key + "; the table gives " + std::to_string(want->id) +
                                    " at \"" + want->fret.toStdString() + "\"");
            return false;
        }
        if (lastPicture[&w] != pic.image()) ++tally.diagramsShown;
        lastPicture[&w] = pic.image();
        return true;
    }

    bool checkPlayer(frmPro& p) {
        // Playing, and only then, the chord names show.
        const bool playing = p.cmdPlayChord.Caption() == "Stop Progression";
        if (playing == p.lblChords.Caption().isEmpty()) {
            ADD_FAILURE() << report("frmPro: the button reads \"" + p.cmdPlayChord.Caption().toStdString() +
                                    "\" but the chord names are \"" + p.lblChords.Caption().toStdString() + "\"");
            return false;
        }
        return true;
    }

    bool checkAll() {
        if (!checkWindows() || !checkPrompts()) return false;
        for (lessons::LessonWindow* w : allLessonWindows())
            if (w->isLoaded() && !checkLesson(*w)) return false;
        if (instance<frmPro>().isLoaded() && !checkPlayer(instance<frmPro>())) return false;
        return true;
    }
};

TEST_P(RandomUse, EveryWindowHoldsUpUnderThousandsOfUserEvents) {
    QElapsedTimer clock;
    clock.start();
    const int events = eventsPerSeed();
    const QString pdf = dir.filePath("page.pdf");
    ASSERT_TRUE(checkAll());
    for (event = 1; event <= events; ++event) {
        QFile::remove(pdf);
        oneEvent();
        settle();
        closePopups();
        if (QFile::exists(pdf)) ++tally.prints;
        if (!checkAll()) break;
    }
    if (HasFailure()) return;

    // The end: the main window's close-all, by its close box or File, Exit.
    event = events + 1;
    if (GetParam() % 2) {
        note("close box of frmMain");
        main.topLevelWidget()->close();
    } else {
        note("menu mnuFileExit");
        main.mnuFileExit.action()->trigger();
    }
    settle();
    ASSERT_TRUE(checkPrompts());
    EXPECT_TRUE(Forms().empty()) << report("windows stay loaded after the close-all");
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog))
            ADD_FAILURE() << report("still on screen after the close-all: " + w->objectName().toStdString());
    EXPECT_TRUE(App::ended()) << report("the program did not end with its last window");

    // The run must have gone everywhere to mean anything.
    for (const QString& n : reachableWindows())
        EXPECT_TRUE(tally.windowsSeen.count(n)) << "seed " << GetParam() << " never opened " << n.toStdString();
    EXPECT_GE(tally.diagramsShown, 5) << "seed " << GetParam();
    EXPECT_GE(tally.prints, 1) << "seed " << GetParam();

    std::cout << "[ seed " << GetParam() << " ] " << events << " events in " << clock.elapsed() << " ms:";
    for (const auto& [kind, n] : tally.actions) std::cout << " " << kind << " " << n << ",";
    std::cout << " in";
    for (const auto& [w, n] : tally.windowEvents) std::cout << " " << w << " " << n << ",";
    std::cout << " " << tally.diagramsShown << " diagrams shown, " << tally.prints << " prints, " << tally.prompts
              << " message boxes, " << tally.windowsSeen.size() << " windows\n";
    for (const std::string& p : unknownPrompts)
        std::cout << "  not yet in this test's prompt table: " << p << "\n";
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomUse, ::testing::ValuesIn(seeds()),
                         [](const ::testing::TestParamInfo<quint32>& info) { return "seed" + std::to_string(info.param); });

}  // namespace
