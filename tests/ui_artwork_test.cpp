// The drawn pictures: their sizes at every pixel ratio and the colours the game relies on.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QXmlStreamReader>
#include <functional>

#include "ui/Artwork.h"

namespace tavorin {
namespace {

// The colour at logical point (x, y) of a picture drawn at `dpr`.
QColor at(const QImage& img, int x, int y) {
    const qreal dpr = img.devicePixelRatio();
    return img.pixelColor(qRound(x * dpr), qRound(y * dpr));
}

int countPixels(const QImage& img, const std::function<bool(const QColor&)>& match) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += match(img.pixelColor(x, y)) ? 1 : 0;
    return n;
}

bool strongRed(const QColor& c) {
    return c.alpha() == 255 && c.red() > 150 && c.green() < 90 && c.blue() < 90;
}

class ArtworkAtRatio : public ::testing::TestWithParam<qreal> {};

TEST_P(ArtworkAtRatio, EveryPictureHasItsLogicalSizeInDevicePixels) {
    const qreal dpr = GetParam();
    for (Pic p : {Pic::Title, Pic::Board, Pic::CheckerM, Pic::CheckerC, Pic::Blank, Pic::Die1,
                  Pic::Die2, Pic::Die3, Pic::Die4, Pic::Die5, Pic::Die6}) {
        const QPixmap pm = art::draw(p, dpr);
        const Size s = pictureSize(p);
        SCOPED_TRACE(static_cast<int>(p));
        EXPECT_EQ(pm.width(), qRound(s.w * dpr));
        EXPECT_EQ(pm.height(), qRound(s.h * dpr));
        EXPECT_DOUBLE_EQ(pm.devicePixelRatio(), dpr);
        EXPECT_EQ(pm.deviceIndependentSize().toSize(), QSize(s.w, s.h));
    }
    EXPECT_TRUE(art::draw(Pic::None, dpr).isNull());
}

TEST_P(ArtworkAtRatio, TitleIsGreenWithAYellowNameAndBlueSides) {
    const QImage img = art::draw(Pic::Title, GetParam()).toImage();
    EXPECT_EQ(at(img, 500, 600), QColor(0, 128, 0));
    EXPECT_EQ(at(img, 20, 250), QColor(0, 128, 0));
    int yellow = 0, blue = 0;
    for (int x = 0; x < 1000; ++x) {
        const QColor c = at(img, x, 172);
        yellow += c.red() > 220 && c.green() > 180 && c.blue() < 100;
        const QColor d = at(img, x, 437);
        if (d.blue() > 150 && d.red() < 120 && d.green() < 170) {
            ++blue;
            EXPECT_TRUE((x >= 95 && x <= 240) || (x >= 620 && x <= 770)) << "blue at x " << x;
        }
    }
    EXPECT_GT(yellow, 100);  // the name crosses this row
    EXPECT_GT(blue, 40);     // so do YOU and CPU
}

TEST_P(ArtworkAtRatio, BoardPointsAlternateFromALightTopLeftAndDarkBottomLeft) {
    const QImage img = art::draw(Pic::Board, GetParam()).toImage();
    const QColor light(255, 255, 128), black(0, 0, 0), green(0, 128, 0);
    EXPECT_EQ(at(img, 36, 100), light);              // point 13, top left
    EXPECT_EQ(at(img, 93, 100), black);              // point 14
    EXPECT_EQ(at(img, 36, 520), black);              // point 12, bottom left
    EXPECT_EQ(at(img, 729, 520), light);             // point 1, bottom right
    EXPECT_EQ(at(img, 729, 100), black);             // point 24, top right
    EXPECT_EQ(at(img, 5, 300), QColor(64, 128, 0));  // frame
    EXPECT_EQ(at(img, 900, 300), green);             // right of the board
    EXPECT_EQ(at(img, 400, 640), green);             // under the board
}

TEST_P(ArtworkAtRatio, CheckersAreOpaqueBallsOnTransparency) {
    const qreal dpr = GetParam();
    const QImage m = art::draw(Pic::CheckerM, dpr).toImage();
    const QImage c = art::draw(Pic::CheckerC, dpr).toImage();
    const QColor mc = at(m, 16, 16), cc = at(c, 16, 16);
    EXPECT_EQ(mc.alpha(), 255);
    EXPECT_GT(mc.green(), mc.red() + 60);
    EXPECT_GT(mc.green(), mc.blue() + 60);
    EXPECT_EQ(cc.alpha(), 255);
    EXPECT_GT(cc.red(), cc.green() + 100);
    for (const QImage& img : {m, c})
        EXPECT_EQ(at(img, 0, 0).alpha(), 0);

    const QImage blank = art::draw(Pic::Blank, dpr).toImage();
    EXPECT_EQ(countPixels(blank, [](const QColor& px) { return px.alpha() != 0; }), 0);
}

TEST_P(ArtworkAtRatio, OnlyTheSinglePipIsRed) {
    for (int pips = 1; pips <= 6; ++pips) {
        const QImage img =
            art::draw(static_cast<Pic>(static_cast<int>(Pic::Die1) + pips - 1), GetParam())
                .toImage();
        SCOPED_TRACE(pips);
        EXPECT_EQ(at(img, 0, 0).alpha(), 0);
        EXPECT_EQ(countPixels(img, strongRed) > 0, pips == 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Ratios, ArtworkAtRatio, ::testing::Values(1.0, 2.0));

TEST(ArtworkIcon, IsADieWithARedPipOnTransparency) {
    for (int px : {32, 256}) {
        const QImage img = art::drawIcon(px);
        EXPECT_EQ(img.size(), QSize(px, px));
        EXPECT_EQ(img.pixelColor(0, 0).alpha(), 0);
        EXPECT_GT(countPixels(img, strongRed), 0);
    }
}

TEST(ArtworkIcon, SvgIsAWellFormedSvgDocument) {
    QXmlStreamReader xml(art::iconSvg());
    bool sawSvg = false;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"svg") sawSvg = true;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_TRUE(sawSvg);
}

}  // namespace
}  // namespace tavorin

int main(int argc, char** argv) {
    // No display needed: the tests draw offscreen, also when ctest lists them at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
