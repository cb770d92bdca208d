// The built program on a real X display (Xvfb): xdotool clicks its windows where their
// layouts put the controls, and a screenshot shows the chord diagram where the lesson
// window's picture box is. Without a window manager each window stands where its layout
// puts it; under a window manager (openbox, metacity and xfwm4, each started for its test
// and ended with it) the program's windows come back from the task bar, message boxes stand
// over the window that raised them, and each window asks for the frame its design gives it.
// STRUMVANE_PROGRAM names another program to drive (the installed package's launcher, say).
// It starts in a folder of its own, so it finds its data beside itself, not in the current
// folder.
#include "app/frmmain.h"
#include "lessons/majorminor/frmbasic.h"
#include "support/uitest.h"
#include "support/xserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <vector>

namespace {

struct Finished {
    int code = -1;
    QString out;
};

// Where a control's centre (or another point of it) lies in its window, in pixels, as the
// layout places it; the same layer lays the program's windows out on the X display.
QPoint inWindow(const rt::Control& c, QPoint at = {-1, -1}) {
    const QWidget* w = c.widget();
    if (at.x() < 0) at = w->rect().center();
    return w->mapTo(w->window(), at);
}

QRect rectInWindow(const rt::Control& c) {
    const QWidget* w = c.widget();
    return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size());
}

class RealDisplayTest : public UiTest {
protected:
    QTemporaryDir dir;
    XServer xserver;
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QString display;
    QString log;  // the program's output read so far

    // Starts Xvfb, and the named window manager on it when asked, for the program; says why
    // not when either cannot start.
    QString startDisplay(const QString& windowManager = {}) {
        display = xserver.start();
        if (display.isEmpty()) return "Xvfb could not start: " + xserver.errors();
        if (!windowManager.isEmpty() && !xserver.startWindowManager(windowManager))
            return "no window manager: " + xserver.errors();
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        for (const char* v : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "WAYLAND_DISPLAY"}) env.remove(v);
        env.insert("QT_ENABLE_HIGHDPI_SCALING", "0");
        env.insert("XDG_RUNTIME_DIR", dir.path());
        // The program logs what its windows go through with the window manager.
        env.insert("QT_LOGGING_RULES", "strumvane.windows.debug=true");
        return {};
    }

    // Starts the program and returns its main window's id; empty when it shows none.
    QString startProgram() {
        const QString executable = qEnvironmentVariable("STRUMVANE_PROGRAM", QStringLiteral(STRUMVANE_EXECUTABLE));
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.setWorkingDirectory(dir.path());
        program.start(executable, {});
        if (!program.waitForStarted(10000)) {
            ADD_FAILURE() << executable.toStdString() << ": " << program.errorString().toStdString();
            return {};
        }
        // A sanitized build on a busy machine can take long to show it; the wait ends as soon
        // as the program does.
        const QString id = windowNamed("Strumvane", 60000);
        if (id.isEmpty()) ADD_FAILURE() << "no main window; the program said: " << programLog().toStdString();
        return id;
    }

    void TearDown() override {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(5000);
        }
        xserver.stop();
        UiTest::TearDown();
    }

    Finished tool(const QString& program, const QStringList& args, int ms = 20000) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, args);
        Finished r;
        if (!p.waitForStarted(5000)) {
            r.out = program + " did not start";
            return r;
        }
        if (!p.waitForFinished(ms)) {
            p.kill();
            p.waitForFinished();
            r.out = program + " did not finish";
            return r;
        }
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromLocal8Bit(p.readAllStandardOutput()) + QString::fromLocal8Bit(p.readAllStandardError());
        return r;
    }

    // The id of the visible top-level window with exactly this title, waiting for it.
    QString windowNamed(const QString& title, int ms = 20000) {
        QElapsedTimer t;
        t.start();
        do {
            const Finished r = tool("xdotool", {"search", "--onlyvisible", "--name", "^" + QRegularExpression::escape(title) + "$"});
            const QString id = r.out.section('\n', 0, 0).trimmed();
            if (r.code == 0 && !id.isEmpty()) return id;
            QThread::msleep(100);
        } while (t.elapsed() < ms && program.state() == QProcess::Running);
        return {};
    }

    // A window's inside on the screen (xdotool counts a window manager's frame in twice).
    QRect geometry(const QString& id) {
        const Finished r = tool("xwininfo", {"-id", id});
        auto value = [&](const char* key) {
            const QRegularExpressionMatch m = QRegularExpression(QString("^\\s*%1:\\s*(-?\\d+)$").arg(key), QRegularExpression::MultilineOption).match(r.out);
            return m.hasMatch() ? m.captured(1).toInt() : -1;
        };
        return QRect(value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"), value("Height"));
    }

    bool clickAt(const QString& id, QPoint p) {
        const Finished r = tool("xdotool", {"mousemove", "--window", id, QString::number(p.x()), QString::number(p.y()), "click", "1"});
        QThread::msleep(150);  // the program handles the click
        return r.code == 0;
    }

    QImage screenshot(const QString& name) {
        const QString file = dir.filePath(name + ".png");
        const Finished r = tool("import", {"-window", "root", "png:" + file});
        EXPECT_EQ(r.code, 0) << r.out.toStdString();
        return QImage(file).convertToFormat(QImage::Format_RGB32);
    }

    QString property(const QString& id, const char* name) { return tool("xprop", {"-id", id, name}).out; }

    // Waits for a condition, ten seconds unless told.
    template <typename Holds>
    bool waitUntil(Holds holds, int ms = 10000) {
        QElapsedTimer t;
        t.start();
        while (!holds()) {
            if (t.elapsed() > ms) return false;
            QThread::msleep(100);
        }
        return true;
    }

    // Whether one of the program's windows on the screen is a menu dropped from its menu bar.
    bool menuShown() {
        const Finished r = tool("xdotool", {"search", "--onlyvisible", "--pid", QString::number(program.processId())});
        for (const QString& id : r.out.split('\n', Qt::SkipEmptyParts))
            if (property(id.trimmed(), "_NET_WM_WINDOW_TYPE").contains("_MENU")) return true;
        return false;
    }

    // Opens a menu with its Alt key and, once the menu is on the screen (a busy machine
    // shows it late), presses an item's key. False when the menu did not show.
    bool chooseFromMenu(const char* menuKey, const char* itemKey) {
        tool("xdotool", {"key", menuKey});
        if (!waitUntil([&] { return menuShown(); }, 20000)) return false;
        return tool("xdotool", {"key", itemKey}).code == 0;
    }

    // Under a window manager: brings the window to the front. The program answers a ping
    // first: a window it is still bringing forward, late on a busy machine, would take the
    // front back.
    bool bringToFront(const QString& id) {
        if (!xserver.ping(id)) return false;
        tool("xdotool", {"windowactivate", "--sync", id});
        return waitUntil([&] { return active(id); });
    }
    bool clickInFront(const QString& id, QPoint p) { return bringToFront(id) && clickAt(id, p); }

    // What the window manager and the program saw of a window, for a failure's message.
    std::string seen(const QString& id) {
        QString activeId = tool("xdotool", {"getactivewindow"}).out.trimmed();
        if (!activeId.toULongLong()) activeId = "none";  // no window manager, or none active
        const QString activeName = activeId == "none" ? QString() : tool("xdotool", {"getwindowname", activeId}).out.trimmed();
        return QStringLiteral("window %1: %2%3active window: %4 \"%5\"\nthe program's log:\n%6")
            .arg(id, property(id, "WM_STATE"), property(id, "_NET_WM_STATE"), activeId, activeName, programLog())
            .toStdString();
    }

    // What the program wrote so far, its window log among it.
    QString programLog() {
        log += QString::fromLocal8Bit(program.readAll());
        return log;
    }

    bool minimised(const QString& id) { return property(id, "_NET_WM_STATE").contains("_NET_WM_STATE_HIDDEN"); }
    bool active(const QString& id) { return tool("xdotool", {"getactivewindow"}).out.trimmed() == id; }

    // The numbers of a property of 32-bit values ("NAME(TYPE) = 0x3, 0x4, 10"), in order.
    QList<qulonglong> numbers(const QString& id, const char* name) {
        QList<qulonglong> out;
        const QString text = property(id, name).section('=', 1);
        for (const QString& n : text.split(',', Qt::SkipEmptyParts)) {
            bool ok = false;
            const qulonglong v = n.trimmed().toULongLong(&ok, 0);
            if (ok) out << v;
        }
        return out;
    }

    // The window a window is transient for, as xdotool names windows; empty for none.
    QString transientFor(const QString& id) {
        const QRegularExpressionMatch m = QRegularExpression("window id # (0x[0-9a-f]+)").match(property(id, "WM_TRANSIENT_FOR"));
        return m.hasMatch() ? QString::number(m.captured(1).toULongLong(nullptr, 16)) : QString();
    }

    // The band of a window's title bar where the window manager writes the title, as the
    // screenshot shows it.
    QImage titleBar(const QImage& shot, const QString& id) {
        const QRect client = geometry(id);
        const QList<qulonglong> frame = numbers(id, "_NET_FRAME_EXTENTS");  // left, right, top, bottom
        if (frame.size() != 4 || frame[2] < 8) return {};
        return shot.copy(QRect(QPoint(client.left() - int(frame[0]), client.top() - int(frame[2]) + 2),
                               QPoint(client.right() + int(frame[1]), client.top() - 3)));
    }

    // The title as a window manager draws it in full: the run of pixels that stand out from
    // the bar's own colour around the middle of a wide window's title bar (its icon and its
    // buttons stand far apart at the ends).
    QImage titleText(const QImage& bar) {
        std::vector<bool> ink(bar.width(), false);
        for (int y = 0; y < bar.height(); ++y) {
            std::vector<int> grey;
            for (int x = 0; x < bar.width(); ++x) grey.push_back(qGray(bar.pixel(x, y)));
            std::vector<int> sorted = grey;
            std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
            const int plain = sorted[sorted.size() / 2];
            for (int x = 0; x < bar.width(); ++x) ink[x] = ink[x] || qAbs(grey[x] - plain) > 70;
        }
        // Runs of ink columns, joined across the gaps between letters.
        int from = -1, to = -1, bestFrom = -1, bestTo = -1;
        const int middle = bar.width() / 2;
        for (int x = 0; x <= bar.width(); ++x) {
            if (x < bar.width() && ink[x]) {
                if (from >= 0 && x - to <= 5) to = x;
                else from = to = x;
                continue;
            }
            if (from >= 0 && x - to > 5 && (bestFrom < 0 || qAbs((from + to) / 2 - middle) < qAbs((bestFrom + bestTo) / 2 - middle)))
                bestFrom = from, bestTo = to;
        }
        return bestFrom < 0 ? QImage() : bar.copy(bestFrom - 1, 0, bestTo - bestFrom + 3, bar.height());
    }

    // Whether the title bar shows this title, pixel for pixel.
    static bool shows(const QImage& bar, const QImage& text) {
        if (text.isNull() || bar.height() != text.height()) return false;
        for (int at = 0; at + text.width() <= bar.width(); ++at) {
            long difference = 0;
            for (int y = 0; y < text.height(); ++y)
                for (int x = 0; x < text.width(); ++x) difference += qAbs(qGray(bar.pixel(at + x, y)) - qGray(text.pixel(x, y)));
            if (difference <= 10L * text.width() * text.height()) return true;
        }
        return false;
    }

    // Screenshots until one shows what is awaited (the program paints after it maps), or
    // the last one after ten seconds.
    template <typename Shows>
    QImage screenshotShowing(const QString& name, Shows shows) {
        QImage shot;
        QElapsedTimer t;
        t.start();
        do {
            shot = screenshot(name);
        } while (!shows(shot) && t.elapsed() < 10000);
        return shot;
    }
};

bool isLightBlue(QRgb c) { return qAbs(qRed(c) - 192) < 8 && qAbs(qGreen(c) - 192) < 8 && qAbs(qBlue(c) - 255) < 8; }
bool isWhite(QRgb c) { return qRed(c) > 235 && qGreen(c) > 235 && qBlue(c) > 235; }
bool isDark(QRgb c) { return qGray(c) < 100; }

int count(const QImage& img, QRect r, bool (*test)(QRgb)) {
    int n = 0;
    r = r.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += test(img.pixel(x, y));
    return n;
}

TEST_F(RealDisplayTest, TheMajorMinorLessonShowsAChordOnTheScreen) {
    const QString unavailable = startDisplay();
    if (!unavailable.isEmpty()) GTEST_SKIP() << unavailable.toStdString();

    // Where the clicks go, from the layouts (this process lays them out offscreen at 96 dpi).
    auto& main = rt::instance<frmMain>();
    auto& basic = rt::instance<frmBasic>();
    main.Show();
    basic.Show();
    settle();
    const QPoint basicButton = inWindow(main.cmdBasic);
    const QPoint banner = inWindow(main.Image1);
    QRect panels[] = {rectInWindow(main.Picture1), rectInWindow(main.Picture2)};
    const QPoint major = [&] {
        auto* list = basic.lstChordType.widget();
        const QPoint entry(list->width() / 3, 8);  // the first entry, "Major"
        return inWindow(basic.lstChordType, entry);
    }();
    const QPoint rootG = inWindow(basic.optRoot(7), {8, basic.optRoot(7).widget()->height() / 2});
    const QPoint form2 = inWindow(basic.optForm(1), {8, basic.optForm(1).widget()->height() / 2});
    const QPoint strum = inWindow(basic.cmdStrumMe);
    const QPoint exitButton = inWindow(basic.cmdExit);
    const QRect picture = rectInWindow(basic.imgChord);
    const QRect fretLabel(inWindow(basic.lblFretNumber, {0, 0}), QSize(90, 30));
    const QSize mainSize = main.topLevelWidget()->size();
    const QSize lessonSize = basic.topLevelWidget()->size();
    basic.Unload();
    main.Unload();

    const QString mainId = startProgram();
    ASSERT_FALSE(mainId.isEmpty());
    const QRect mainOnScreen = geometry(mainId);
    EXPECT_EQ(mainOnScreen.size(), mainSize) << "the main window is not laid out as offscreen";
    // No window manager: the window stands where its layout stores it.
    EXPECT_EQ(mainOnScreen.topLeft(), QPoint(840 / 15, 600 / 15));

    // GuitarMan.gif, read from beside the program, in both picture panels.
    for (QRect& panel : panels) panel.translate(mainOnScreen.topLeft());
    const QImage start = screenshotShowing("start", [&](const QImage& shot) {
        return count(shot, panels[0], isDark) > 100 && count(shot, panels[1], isDark) > 100;
    });
    for (const QRect& panel : panels) EXPECT_GT(count(start, panel, isDark), 100) << "a picture panel shows no GuitarMan.gif";

    ASSERT_TRUE(clickAt(mainId, basicButton));
    const QString lessonId = windowNamed("Basic Chords - Strumvane");
    ASSERT_FALSE(lessonId.isEmpty()) << "the major/minor lesson did not open";
    const QRect lesson = geometry(lessonId);
    EXPECT_EQ(lesson.size(), lessonSize);
    EXPECT_EQ(lesson.topLeft(), QPoint(825 / 15, 300 / 15));

    const QImage empty = screenshot("before");
    const QRect place = picture.translated(lesson.topLeft());
    EXPECT_EQ(count(empty, place, isLightBlue), place.width() * place.height()) << "the picture box is not empty before a Strum";

    ASSERT_TRUE(clickAt(lessonId, major));
    ASSERT_TRUE(clickAt(lessonId, rootG));
    ASSERT_TRUE(clickAt(lessonId, form2));
    ASSERT_TRUE(clickAt(lessonId, strum));
    const QImage shot = screenshotShowing("after", [&](const QImage& s) { return count(s, place, isWhite) >= place.width() * place.height() / 2; });

    // The diagram fills the picture box's place: white paper, the grid's lines and the dots.
    const int area = place.width() * place.height();
    EXPECT_GT(count(shot, place, isWhite), area / 2);
    EXPECT_GT(count(shot, place, isDark), area / 30);
    EXPECT_EQ(count(shot, place, isLightBlue), 0);
    int gridLines = 0;
    for (int y = place.top(); y <= place.bottom(); ++y) {
        int run = 0, best = 0;
        for (int x = place.left(); x <= place.right(); ++x) {
            run = qGray(shot.pixel(x, y)) < 160 ? run + 1 : 0;
            best = qMax(best, run);
        }
        gridLines += best > place.width() / 2;
    }
    EXPECT_GE(gridLines, 6) << "no fret lines in the picture box";
    // Just outside it the window's own colour, and the fret label "3rd Fret" beside it.
    const QRect leftOfIt(place.left() - 12, place.top(), 8, place.height());
    EXPECT_EQ(count(shot, leftOfIt, isLightBlue), 8 * place.height());
    EXPECT_GT(count(shot, fretLabel.translated(lesson.topLeft()), isDark), 40) << "no fret label";
    if (HasFailure()) {
        shot.save(QDir::temp().filePath("strumvane-display.png"));
        ADD_FAILURE() << "screenshot saved as " << QDir::temp().filePath("strumvane-display.png").toStdString();
    }

    // "Exit to Main" closes the lesson, which lies over the main window.
    ASSERT_TRUE(clickAt(lessonId, exitButton));
    for (int i = 0; i < 50 && !tool("xdotool", {"search", "--onlyvisible", "--name", "^Basic Chords - Strumvane$"}).out.trimmed().isEmpty(); ++i)
        QThread::msleep(100);

    // File, Exit closes everything and the program ends by itself. With no window manager
    // a click on the main window (on its banner, which does nothing) gives it the keys.
    ASSERT_TRUE(clickAt(mainId, banner));
    bool ended = false;
    for (int attempt = 0; attempt < 3 && !ended; ++attempt)
        ended = chooseFromMenu("alt+f", "x") && program.waitForFinished(20000);
    EXPECT_TRUE(ended) << "the program did not end after File, Exit";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAll().toStdString();
}

// Where the tests under a window manager click, from the layouts.
struct Places {
    QPoint symbolsButton, basicButton, print;
};

Places places() {
    auto& main = rt::instance<frmMain>();
    auto& basic = rt::instance<frmBasic>();
    main.Show();
    basic.Show();
    UiTest::settle();
    const Places p{inWindow(main.cmdChordSymbols), inWindow(main.cmdBasic), inWindow(basic.cmdPrint)};
    basic.Unload();
    main.Unload();
    return p;
}

// The tests under a window manager, under each of the three.
class UnderAWindowManager : public RealDisplayTest, public ::testing::WithParamInterface<const char*> {};

// A window minimised by the window manager comes back, in front and active, when the main
// window opens it again.
TEST_P(UnderAWindowManager, ShowBringsBackAMinimisedWindow) {
    const QString unavailable = startDisplay(GetParam());
    if (!unavailable.isEmpty()) GTEST_SKIP() << unavailable.toStdString();
    const Places at = places();
    const QString mainId = startProgram();
    ASSERT_FALSE(mainId.isEmpty());

    const struct {
        QPoint button;
        const char* title;
    } cases[] = {{at.symbolsButton, "Chord Symbols"}, {at.basicButton, "Basic Chords - Strumvane"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        ASSERT_TRUE(clickInFront(mainId, c.button));
        const QString id = windowNamed(c.title);
        ASSERT_FALSE(id.isEmpty()) << "the window did not open";
        // Minimised only once the program has asked for it in front and it is: that asking,
        // late on a busy machine, would otherwise bring it back before the click does.
        ASSERT_TRUE(xserver.ping(id)) << "the program does not answer\n" << seen(id);
        ASSERT_TRUE(waitUntil([&] { return active(id); }, 20000)) << "it did not come to the front\n" << seen(id);
        tool("xdotool", {"windowminimize", id});
        ASSERT_TRUE(waitUntil([&] { return minimised(id); })) << "the window manager did not minimise it\n" << seen(id);

        ASSERT_TRUE(clickInFront(mainId, c.button));
        EXPECT_TRUE(waitUntil([&] { return !minimised(id) && active(id); })) << "it stays minimised\n" << seen(id);
        EXPECT_EQ(windowNamed(c.title, 1000), id) << "not on the screen, or another window in its place\n" << seen(id);
    }
}

// A window taken off the screen before the program has heard that it is minimised (a window
// manager unmaps a window first and says so after) comes back when the main window opens it
// again: the program does not trust what it last heard. No window manager here: the test
// takes the window off the screen as one does.
TEST_F(RealDisplayTest, ShowBringsBackAWindowTakenOffTheScreen) {
    const QString unavailable = startDisplay();
    if (!unavailable.isEmpty()) GTEST_SKIP() << unavailable.toStdString();
    const Places at = places();
    const QString mainId = startProgram();
    ASSERT_FALSE(mainId.isEmpty());
    const QString title = "Basic Chords - Strumvane";
    ASSERT_TRUE(clickAt(mainId, at.basicButton));
    const QString id = windowNamed(title);
    ASSERT_FALSE(id.isEmpty()) << "the window did not open";

    ASSERT_EQ(tool("xdotool", {"windowunmap", "--sync", id}).code, 0);
    ASSERT_TRUE(xserver.ping(id)) << "the program does not answer\n" << seen(id);  // it has heard the unmap
    ASSERT_TRUE(clickAt(mainId, at.basicButton));
    ASSERT_TRUE(xserver.ping(mainId)) << "the program does not answer\n" << seen(id);  // it has taken the click
    EXPECT_EQ(windowNamed(title), id) << "it stays off the screen\n" << seen(id);
}

// "Nothing to print" stands over the lesson window that raised it, where the window manager
// put that window, belongs to it, and is wide enough for the window manager to show the whole
// title. Places are the windows' insides as the X server has them (xwininfo): xdotool's
// count the window's offset in its frame in a second time, 26 across and 60 down in
// metacity's frames.
TEST_P(UnderAWindowManager, AMessageBoxStandsOverTheWindowThatRaisedIt) {
    const QString unavailable = startDisplay(GetParam());
    if (!unavailable.isEmpty()) GTEST_SKIP() << unavailable.toStdString();
    const Places at = places();
    const QString mainId = startProgram();
    ASSERT_FALSE(mainId.isEmpty());
    // The main window's title bar shows "Strumvane" in full: the pattern to find in the box's.
    ASSERT_TRUE(waitUntil([&] { return active(mainId); }));
    QImage fullTitle;
    screenshotShowing("main", [&](const QImage& shot) { return (fullTitle = titleText(titleBar(shot, mainId))).width() > 20; });
    ASSERT_GT(fullTitle.width(), 20) << "no title found in the main window's title bar";

    ASSERT_TRUE(clickAt(mainId, at.basicButton));
    const QString lessonId = windowNamed("Basic Chords - Strumvane");
    ASSERT_FALSE(lessonId.isEmpty());

    // Where the window manager first put the lesson window (metacity and xfwm4 keep its
    // title bar on the screen, below where it asked to be), then where it moved it to.
    for (const bool moved : {false, true}) {
        SCOPED_TRACE(moved ? "moved" : "as placed");
        if (moved) {
            const QRect before = geometry(lessonId);
            tool("xdotool", {"windowmove", lessonId, QString::number(before.x() + 120), QString::number(before.y() + 90)});
            ASSERT_TRUE(waitUntil([&] { return geometry(lessonId).topLeft() != before.topLeft(); }, 20000))
                << "the window manager did not move the lesson window";
        }
        ASSERT_TRUE(clickInFront(lessonId, at.print));
        // The box bears the program's title, as the main window does.
        const auto shownBox = [&] {
            const QStringList ids = tool("xdotool", {"search", "--onlyvisible", "--name", "^Strumvane$"}).out.split('\n', Qt::SkipEmptyParts);
            for (const QString& id : ids)
                if (id.trimmed() != mainId) return id.trimmed();
            return QString();
        };
        QString boxId;
        ASSERT_TRUE(waitUntil([&] { return !(boxId = shownBox()).isEmpty() && active(boxId); }, 20000)) << "no message box";

        EXPECT_EQ(transientFor(boxId), lessonId);
        EXPECT_TRUE(property(boxId, "_NET_WM_STATE").contains("_NET_WM_STATE_MODAL"));
        const QRect box = geometry(boxId), lesson = geometry(lessonId);
        EXPECT_LE((box.center() - lesson.center()).manhattanLength(), 4)
            << "box at " << box.x() << "," << box.y() << " " << box.width() << "x" << box.height() << ", lesson window at "
            << lesson.x() << "," << lesson.y() << " " << lesson.width() << "x" << lesson.height();
        const QImage shot = screenshot("box");
        EXPECT_TRUE(shows(titleBar(shot, boxId), fullTitle)) << "the title is cut short; the box is " << box.width() << " wide";
        if (HasFailure()) {
            const QString file = QDir::temp().filePath(QString("strumvane-message-box-%1.png").arg(GetParam()));
            shot.save(file);
            ADD_FAILURE() << "screenshot saved as " << file.toStdString();
        }

        // OK (Enter) closes it, and the lesson window has the keys again.
        tool("xdotool", {"key", "Return"});
        ASSERT_TRUE(waitUntil([&] { return active(lessonId); }, 20000));
        ASSERT_TRUE(waitUntil([&] { return shownBox().isEmpty(); }, 20000)) << "the box stays";
    }
}

// What each window asks the window manager for: the buttons and borders its design gives
// it, and those functions only (Motif hints, which the common window managers read).
TEST_P(UnderAWindowManager, EachWindowAsksForTheFrameItsDesignGives) {
    const QString unavailable = startDisplay(GetParam());
    if (!unavailable.isEmpty()) GTEST_SKIP() << unavailable.toStdString();
    const Places at = places();
    const QString mainId = startProgram();
    ASSERT_FALSE(mainId.isEmpty());
    ASSERT_TRUE(clickInFront(mainId, at.basicButton));
    ASSERT_FALSE(windowNamed("Basic Chords - Strumvane").isEmpty());
    ASSERT_TRUE(clickInFront(mainId, at.symbolsButton));
    ASSERT_FALSE(windowNamed("Chord Symbols").isEmpty());
    ASSERT_TRUE(bringToFront(mainId));
    ASSERT_TRUE(chooseFromMenu("alt+h", "a")) << "the Help menu did not show";
    ASSERT_FALSE(windowNamed("About Strumvane").isEmpty());

    enum : qulonglong { Functions = 1, Decorations = 2 };
    enum : qulonglong { Resize = 2, Move = 4, Minimise = 8, Maximise = 16, Close = 32 };
    enum : qulonglong { Border = 2, ResizeHandles = 4, Title = 8, Menu = 16, MinimiseButton = 32, MaximiseButton = 64 };
    const struct {
        const char* title;
        qulonglong functions, decorations;
    } cases[] = {
        // A fixed border with a close box and a control menu.
        {"Strumvane", Move | Close, Border | Title | Menu},
        // The caption only.
        {"Basic Chords - Strumvane", Move, Border | Title},
        // A sizable border with all three buttons.
        {"Chord Symbols", Resize | Move | Minimise | Maximise | Close,
         Border | ResizeHandles | Title | Menu | MinimiseButton | MaximiseButton},
        // A sizable border with a close box only.
        {"About Strumvane", Resize | Move | Close, Border | ResizeHandles | Title | Menu},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        const QString id = windowNamed(c.title, 2000);
        ASSERT_FALSE(id.isEmpty());
        const QList<qulonglong> hints = numbers(id, "_MOTIF_WM_HINTS");
        ASSERT_EQ(hints.size(), 5) << property(id, "_MOTIF_WM_HINTS").toStdString();
        EXPECT_EQ(hints[0], Functions | Decorations);
        EXPECT_EQ(hints[1], c.functions);
        EXPECT_EQ(hints[2], c.decorations);
    }
    // What the window manager makes of it: a window the user cannot resize cannot be
    // maximised either.
    for (const char* title : {"Strumvane", "Basic Chords - Strumvane"}) {
        SCOPED_TRACE(title);
        const QString actions = property(windowNamed(title, 2000), "_NET_WM_ALLOWED_ACTIONS");
        EXPECT_FALSE(actions.contains("_NET_WM_ACTION_MAXIMIZE")) << actions.toStdString();
        EXPECT_FALSE(actions.contains("_NET_WM_ACTION_RESIZE")) << actions.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(RealDisplay, UnderAWindowManager, ::testing::Values("openbox", "metacity", "xfwm4"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
