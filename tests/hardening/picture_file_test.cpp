// GuitarMan.gif beside the program missing or damaged: the main window still starts, with
// no message, and its picture panels show nothing of a picture they cannot read.
#include "app/frmmain.h"
#include "runtime/app.h"
#include "support/uitest.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

using namespace rt;

namespace {

struct Case {
    const char* what;
    // The file's bytes made from the real picture's; null: no file at all.
    QByteArray (*bytes)(const QByteArray& real);
    bool showsPicture;
};

const Case kCases[] = {
    {"the real picture", [](const QByteArray& real) { return real; }, true},
    {"no file", nullptr, false},
    {"an empty file", [](const QByteArray&) { return QByteArray(); }, false},
    {"text, not a picture", [](const QByteArray&) { return QByteArray("not a picture\n"); }, false},
    {"a GIF header over noise",
     [](const QByteArray&) {
         QByteArray b("GIF89a");
         for (int i = 0; i < 4000; ++i) b.append(char((i * 7919) % 251));
         return b;
     },
     false},
    {"only the GIF header and screen descriptor", [](const QByteArray& real) { return real.left(13); }, false},
};

// Does the panel's view show anything but its white page?
bool showsInk(QWidget* panel) {
    const QImage img = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255)) return true;
    return false;
}

class PictureFileTest : public UiTest {
protected:
    frmMain& main = instance<frmMain>();
    QTemporaryDir dir;
    void SetUp() override {
        endsWithLastWindow_ = true;
        UiTest::SetUp();
    }
    void TearDown() override {
        UiTest::TearDown();
        App::setPathForTests({});
    }
};

TEST_F(PictureFileTest, AMissingOrDamagedPictureStartsTheMainWindowWithoutAMessage) {
    QFile realFile(App::Path() + "/GuitarMan.gif");
    ASSERT_TRUE(realFile.open(QIODevice::ReadOnly)) << "the build puts GuitarMan.gif beside the tests";
    const QByteArray real = realFile.readAll();
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        const QString folder = dir.filePath(QString::number(&c - kCases));
        ASSERT_TRUE(QDir().mkpath(folder));
        if (c.bytes) {
            QFile f(folder + "/GuitarMan.gif");
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.bytes(real));
        }
        App::setPathForTests(folder);

        main.Show();
        processEventsFor(150);  // an animation shows its first frame
        EXPECT_TRUE(prompts.isEmpty()) << prompts.join(" | ").toStdString();
        ASSERT_TRUE(main.isLoaded());
        EXPECT_TRUE(main.topLevelWidget()->isVisible());
        EXPECT_EQ(main.WebBrowser1.LocationURL(), folder + "/GuitarMan.gif");
        EXPECT_EQ(main.WebBrowser2.LocationURL(), folder + "/GuitarMan.gif");
        EXPECT_EQ(main.WebBrowser1.showsPicture(), c.showsPicture);
        EXPECT_EQ(main.WebBrowser2.showsPicture(), c.showsPicture);
        EXPECT_EQ(showsInk(main.Picture1.widget()), c.showsPicture);
        EXPECT_EQ(showsInk(main.Picture2.widget()), c.showsPicture);

        // The window works as ever: its buttons open their windows.
        click(main, "cmdBasic");
        EXPECT_EQ(Forms().size(), 2u);
        EXPECT_TRUE(prompts.isEmpty());
        for (Form* f : Forms()) f->Unload();
        settle();
        App::resetEnded();
    }
}

}  // namespace
