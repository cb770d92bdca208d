// The windowing layer's own rules: pictures and their views, the instance model's edges,
// and failures that no handler traps.
#include "runtime/app.h"
#include "runtime/errors.h"
#include "runtime/form.h"
#include "runtime/picture.h"
#include "support/uitest.h"

#include <QImage>
#include <QWidget>

using namespace rt;

namespace {

// A small window class of the tests' own.
class frmProbe : public Form {
public:
    frmProbe() : Form("frmProbe") {
        cmdGo.Click = [this] { if (onGo) onGo(); };
    }
    CommandButton cmdGo{this, "cmdGo"};
    Image imgBig{this, "imgBig"};
    Image imgSmall{this, "imgSmall"};
    Image imgOwn{this, "imgOwn"};
    std::function<void()> onGo;
    std::function<void(int&)> onQueryUnload;
    int loads = 0;
    void Form_Load() override { ++loads; }
    void Form_QueryUnload(int& Cancel, int) override {
        if (onQueryUnload) onQueryUnload(Cancel);
    }

protected:
    WindowDesign Window() const override {
        WindowDesign w;
        w.caption = "probe";
        w.width = 12000;
        w.height = 6000;
        w.backColor = kLightBlue;
        return w;
    }
    Layout Design() override {
        return {
            button(cmdGo, 0, 0, 1200, 400).caption("Go").tab(0),
            image(imgBig, 0, 600, 3255, 3975).stretch(),
            image(imgSmall, 3600, 600, 2295, 2895).stretch(),
            image(imgOwn, 6000, 600, 3615, 4455),
        };
    }
};

class LayerTest : public UiTest {
protected:
    frmProbe& probe = instance<frmProbe>();
    void SetUp() override {
        UiTest::SetUp();
        probe.onGo = nullptr;
        probe.onQueryUnload = nullptr;
        probe.Show();
    }
    // The image as it shows on the screen, in device pixels.
    static QImage shown(const Image& img) { return img.widget()->grab().toImage().convertToFormat(QImage::Format_Grayscale8); }
};

TEST_F(LayerTest, TwipsMapToPixelsAtTheLogicalDpi) {
    EXPECT_EQ(twipsToPixels(15), 1);
    EXPECT_EQ(twipsToPixels(3255), 217);
    EXPECT_EQ(probe.imgBig.Width(), 3255);
    EXPECT_EQ(probe.imgBig.widget()->width(), 217);
    EXPECT_EQ(probe.imgSmall.widget()->size(), QSize(153, 193));
}

TEST_F(LayerTest, ADiagramComesByItsIdAndANonIdFails) {
    const Picture p = LoadResPicture(101, 0);
    EXPECT_EQ(p.width(), 241);
    EXPECT_EQ(p.height(), 312);
    EXPECT_EQ(p.resourceId(), 101);
    for (int bad : {100, 191, 192, 340, 0})
        EXPECT_THROW(LoadResPicture(bad, 0), RuntimeError) << bad;
    EXPECT_THROW(LoadResPicture(101, 1), RuntimeError);
    EXPECT_TRUE(LoadPicture().isEmpty());
}

// Every one of the six strings shows as a dark column in a row through fret space 5,
// however small the view.
void expectSixStrings(const QImage& img, double scaleY) {
    const int y = static_cast<int>(254 * scaleY);  // inside fret space 5, where 110 has no dot
    int columns = 0;
    bool inDark = false;
    for (int x = 0; x < img.width(); ++x) {
        const bool dark = qGray(img.pixel(x, y)) < 200;
        if (dark && !inDark) ++columns;
        inDark = dark;
    }
    EXPECT_EQ(columns, 6) << "row " << y << " of " << img.width() << "x" << img.height();
}

TEST_F(LayerTest, StretchedDiagramsKeepTheirOnePixelStringsVisible) {
    // 110 has no dot in fret space 5: the row crosses only strings.
    const Picture p = LoadResPicture(110, 0);
    probe.imgBig.setPicture(p);
    probe.imgSmall.setPicture(p);
    probe.imgOwn.setPicture(p);
    const qreal dpr = probe.imgBig.widget()->devicePixelRatioF();
    const QImage big = shown(probe.imgBig);
    const QImage small = shown(probe.imgSmall);
    EXPECT_EQ(big.size(), QSize(qRound(217 * dpr), qRound(265 * dpr)));
    EXPECT_EQ(small.size(), QSize(qRound(153 * dpr), qRound(193 * dpr)));
    expectSixStrings(big, 265.0 * dpr / 312);
    expectSixStrings(small, 193.0 * dpr / 312);
    // At its own size the picture takes the image's size, pixel for pixel at 96 dpi.
    EXPECT_EQ(probe.imgOwn.widget()->size(), QSize(241, 312));
    const QImage own = shown(probe.imgOwn);
    expectSixStrings(own, dpr);
    if (dpr == 1.0) {
        for (int x = 0; x < 241; ++x)
            EXPECT_EQ(qGray(own.pixel(x, 254)) < 128, p.image()->pixelIndex(x, 254) == 1) << x;
    }
}

TEST_F(LayerTest, AssigningOnePictureToTwoImagesSharesIt) {
    probe.imgBig.setPicture(LoadResPicture(102, 0));
    probe.imgOwn.setPicture(probe.imgBig.Picture());
    EXPECT_EQ(probe.imgOwn.Picture(), probe.imgBig.Picture());
    EXPECT_EQ(probe.imgOwn.Picture().image(), probe.imgBig.Picture().image());
}

TEST_F(LayerTest, AnUntrappedFailureIsReportedAndEndsTheProgram) {
    probe.onGo = [] { (void)LoadResPicture(191, 0); };
    click(probe, "cmdGo");
    ASSERT_EQ(prompts.size(), 1);
    EXPECT_TRUE(prompts[0].startsWith("Run-time error '326'")) << prompts[0].toStdString();
    EXPECT_TRUE(App::ended());
    // Nothing runs after the end.
    probe.onGo = [this] { prompts << "ran"; };
    probe.cmdGo.click();
    EXPECT_EQ(prompts.size(), 1);
}

TEST_F(LayerTest, UsingAControlOfAnUnloadedWindowFails) {
    probe.Unload();
    EXPECT_FALSE(probe.isLoaded());
    EXPECT_THROW(probe.cmdGo.Caption(), RuntimeError);
    EXPECT_THROW(probe.imgBig.setPicture(LoadPicture()), RuntimeError);
}

TEST_F(LayerTest, ACancelledUnloadKeepsTheWindowAndAReloadStartsAfresh) {
    probe.onQueryUnload = [](int& cancel) { cancel = 1; };
    probe.imgBig.setPicture(LoadResPicture(101, 0));
    probe.topLevelWidget()->close();
    EXPECT_TRUE(probe.isLoaded());
    EXPECT_EQ(probe.imgBig.Picture().resourceId(), 101);

    probe.onQueryUnload = nullptr;
    const int loads = probe.loads;
    probe.topLevelWidget()->close();
    settle();
    EXPECT_FALSE(probe.isLoaded());
    probe.Show();
    EXPECT_EQ(probe.loads, loads + 1);
    EXPECT_TRUE(probe.imgBig.Picture().isEmpty());
    probe.Show();  // already loaded: no second load
    EXPECT_EQ(probe.loads, loads + 1);
}

TEST_F(LayerTest, FormsCanBeWalkedWhileWindowsUnload) {
    instance<frmProbe>();
    ASSERT_EQ(Forms().size(), 1u);
    int visits = 0;
    for (Form* f : Forms()) {
        ++visits;
        f->Unload();
        f->Unload();  // a second request does nothing
    }
    EXPECT_EQ(visits, 1);
    EXPECT_TRUE(Forms().empty());
}

}  // namespace
