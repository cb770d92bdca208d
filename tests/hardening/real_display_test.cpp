// The built program on a real X display (Xvfb, no window manager): xdotool clicks its
// windows where their layouts put the controls, and a screenshot shows the chord diagram
// where the lesson window's picture box is. STRUMVANE_PROGRAM names another program to
// drive (the installed package's launcher, say). It starts in a folder of its own, so it
// finds its data beside itself, not in the current folder.
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

    QRect geometry(const QString& id) {
        const Finished r = tool("xdotool", {"getwindowgeometry", "--shell", id});
        auto value = [&](const char* key) {
            const QRegularExpressionMatch m = QRegularExpression(QString("^%1=(-?\\d+)$").arg(key), QRegularExpression::MultilineOption).match(r.out);
            return m.hasMatch() ? m.captured(1).toInt() : -1;
        };
        return QRect(value("X"), value("Y"), value("WIDTH"), value("HEIGHT"));
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
    display = xserver.start();
    if (display.isEmpty()) GTEST_SKIP() << "Xvfb could not start: " << xserver.errors().toStdString();
    env.insert("DISPLAY", display);
    env.insert("QT_QPA_PLATFORM", "xcb");
    for (const char* v : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "WAYLAND_DISPLAY"}) env.remove(v);
    env.insert("QT_ENABLE_HIGHDPI_SCALING", "0");
    env.insert("XDG_RUNTIME_DIR", dir.path());

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

    const QString executable = qEnvironmentVariable("STRUMVANE_PROGRAM", QStringLiteral(STRUMVANE_EXECUTABLE));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.setWorkingDirectory(dir.path());
    program.start(executable, {});
    ASSERT_TRUE(program.waitForStarted(10000)) << executable.toStdString() << ": " << program.errorString().toStdString();

    const QString mainId = windowNamed("Strumvane");
    ASSERT_FALSE(mainId.isEmpty()) << "no main window; the program said: " << program.readAll().toStdString();
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
    for (int attempt = 0; attempt < 3 && !ended; ++attempt) {
        tool("xdotool", {"key", "alt+f"});
        QThread::msleep(300);
        tool("xdotool", {"key", "x"});
        ended = program.waitForFinished(5000);
    }
    EXPECT_TRUE(ended) << "the program did not end after File, Exit";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAll().toStdString();
}

}  // namespace
