#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "GuiTestSupport.h"
#include "render/TestView.h"
#include "view/KZ_VView.h"

namespace {

// How far apart two pictures of one size are: the mean difference per channel (0..255).
double MeanDifference(const QImage& a, const QImage& b) {
    double sum = 0.0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p(a.pixel(x, y)), q(b.pixel(x, y));
            sum += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                   std::abs(p.blue() - q.blue());
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

// A loaded sample with every layer that has lines, markers or text in it.
void ShowEverything(CKZ_VView& view) {
    LoadSample(view, "lshape");
    Arrange(view.Owner()).m_settings.m_bShowAxisNumbers = 1;
    Arrange(view.Owner()).m_settings.m_bShowGround = 1;
    Arrange(view.Owner()).m_settings.m_bShowWind = 1;
    Arrange(view.Owner()).m_settings.m_nContourKind = 2;
    Arrange(view.Owner()).m_settings.m_bShowLabels = 1;
    for (int i : {0, 1, 8}) {
        Arrange(view.Owner()).m_settings.m_comment.flags[i] = 1;
    }
    Arrange(view.Owner()).m_settings.m_comment.position = CVector4(120.0f, 10.0f, 1000.0f);
    view.Owner().Changed(ASPECT_DISPLAY);
}

// With the bands as polygons, and as triangles through the band texture (a large set's).
class HighResolutionPicture : public ::testing::TestWithParam<size_t> {};

TEST_P(HighResolutionPicture, TwiceTheSizeScaledDownIsTheWindowsPicture) {
    CStateOwner viewState;
    CKZ_VView view{viewState};
    ASSERT_TRUE(ShowExposed(view, 480, 360));
    view.m_nPolygonBandsUpTo = GetParam();
    ShowEverything(view);
    const QImage screen = GrabFrame(view);
    const int dark = CountPixelsDarkerThan(screen, screen.rect(), 100);
    ASSERT_GT(dark, 2000) << "the picture has lines and text to compare";

    QImage twice;
    std::string error;
    ASSERT_TRUE(view.RenderImage(2, twice, &error)) << error;
    ASSERT_EQ(twice.size(), QSize(960, 720));
    const QImage down =
        twice.scaled(screen.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // The same picture: the model, overlays and texts in the same places; lines and glyphs
    // twice as thick and tall, so about as much ink once scaled down (lines and fonts of the
    // window's pixel sizes leave a quarter less, and differ more).
    EXPECT_LT(MeanDifference(screen, down), 6.5);
    const int darkDown = CountPixelsDarkerThan(down, down.rect(), 100);
    EXPECT_GT(darkDown, dark * 88 / 100);
    EXPECT_LT(darkDown, dark * 114 / 100);
    // Finer, not blurred: a scaled-up window picture has no more detail than the window.
    const QImage blurred =
        screen.scaled(twice.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_GT(MeanDifference(twice, blurred), 1.0);

    // The window draws as before, with its own fonts and projection.
    EXPECT_EQ(view.m_gl.PixelScale(), 1);
    EXPECT_FALSE(view.m_gl.HasOffscreen());
    EXPECT_LT(MeanDifference(screen, GrabFrame(view)), 0.5);
}

INSTANTIATE_TEST_SUITE_P(BandForms, HighResolutionPicture, ::testing::Values(2000u, 0u));

TEST(HighResolutionImage, APictureTooLargeToDrawFailsAndSaysSo) {
    CStateOwner viewState;
    CKZ_VView view{viewState};
    ASSERT_TRUE(ShowExposed(view, 400, 300));
    LoadSample(view, "tower");
    const QImage before = GrabFrame(view);
    QImage out;
    std::string error;
    EXPECT_FALSE(view.RenderImage(200, out, &error));  // 80000 x 60000 pixels
    EXPECT_TRUE(out.isNull());
    EXPECT_NE(error.find("80000"), std::string::npos) << error;
    EXPECT_EQ(view.m_gl.PixelScale(), 1);
    EXPECT_FALSE(view.m_gl.HasOffscreen());
    EXPECT_LT(MeanDifference(before, GrabFrame(view)), 0.5);
}

}  // namespace
