#include <gtest/gtest.h>

#include <clocale>

#include "field/ColorBar.h"
#include "text/NumberFormat.h"

namespace {

std::vector<std::string> Texts(const CColorBarDrawing& bar) {
    std::vector<std::string> texts;
    for (const auto& label : bar.labels) {
        texts.push_back(label.text);
    }
    return texts;
}

TEST(ColorBarTest, GeometryFollowsTheWindowAndTheBandCount) {
    CColorBarLayout layout = MakeColorBarLayout(30, 801, 600);
    EXPECT_EQ(layout.m_nBarBottom, 24);
    EXPECT_EQ(layout.m_aBarQuad[0][0], CVector4(-370, 24, 1000));
    EXPECT_EQ(layout.m_aBarQuad[0][1], CVector4(-390, 24, 1000));
    // 30 steps of 256/30: the top is 20 pixels below the window's top edge.
    EXPECT_FLOAT_EQ(layout.m_aBarQuad[29][2].y, 280.0f);
    EXPECT_FLOAT_EQ(layout.m_aBarQuad[29][2].x, -390.0f);

    layout = MakeColorBarLayout(5, 800, 600);  // five bands share the same 256 pixels
    EXPECT_FLOAT_EQ(layout.m_aBarQuad[1][0].y, 24.0f + 51.2f);
    EXPECT_FLOAT_EQ(layout.m_aBarQuad[1][3].y, 24.0f + 102.4f);
    EXPECT_FLOAT_EQ(layout.m_aBarQuad[4][2].y, 280.0f);
}

TEST(ColorBarTest, DefaultsLabelEveryThirdBoundary) {
    CDisplaySettings state;
    const CColorBarDrawing bar = BuildColorBar(state, 800, 600);
    const CColorBarLayout layout = MakeColorBarLayout(30, 800, 600);
    ASSERT_TRUE(bar.visible);
    ASSERT_EQ(bar.quads.size(), 30u);
    EXPECT_EQ(bar.quads[29].colour, COLOR_RED);
    EXPECT_EQ(Texts(bar),
              (std::vector<std::string>{"-1.00", "-0.80", "-0.60", "-0.40", "-0.20", "0.00", "0.20",
                                        "0.40", "0.60", "0.80", "1.00"}));
    const CColorBarLabel& first = bar.labels.front();
    EXPECT_EQ(first.anchor, layout.m_aBarQuad[0][0]);
    EXPECT_EQ(first.textPos, layout.m_aBarQuad[0][0] + CVector4(7, -3, 0));
    EXPECT_EQ(first.tick[1], layout.m_aBarQuad[0][0] + CVector4(5, 4, 0));
    EXPECT_EQ(first.tick[2], layout.m_aBarQuad[0][0] + CVector4(5, -4, 0));
    // The top boundary is anchored on the last quad's top corner.
    EXPECT_EQ(bar.labels.back().anchor, layout.m_aBarQuad[29][3]);
    EXPECT_EQ(bar.outline[0], CVector4(-369, 24, 1000));
    EXPECT_EQ(bar.outline[2], CVector4(-391, 281, 1000));
}

TEST(ColorBarTest, OddCountPutsTheMiddleValueAtTheMiddle) {
    CDisplaySettings state;
    state.m_nDivisions = 7;
    state.m_nTickInterval = 0;
    const CColorBarDrawing bar = BuildColorBar(state, 800, 600);
    EXPECT_EQ(Texts(bar), (std::vector<std::string>{"-1.00", "0.00", "1.00"}));
    EXPECT_FLOAT_EQ(bar.labels[1].anchor.y, 24.0f + 128.0f);
    EXPECT_FLOAT_EQ(bar.labels[1].anchor.x, -370.0f);

    state.m_nDivisions = 8;
    EXPECT_EQ(Texts(BuildColorBar(state, 800, 600)),
              (std::vector<std::string>{"-1.00", "0.00", "1.00"}));

    state.m_nTickInterval = 3;  // multiples of 3 and the top
    EXPECT_EQ(Texts(BuildColorBar(state, 800, 600)),
              (std::vector<std::string>{"-1.00", "-0.25", "0.50", "1.00"}));
    state.m_nTickInterval = 1;
    EXPECT_EQ(BuildColorBar(state, 800, 600).labels.size(), 9u);
}

TEST(ColorBarTest, HiddenBarAndLocaleIndependentText) {
    CDisplaySettings state;
    state.m_nDivisions = 1;
    EXPECT_FALSE(BuildColorBar(state, 800, 600).visible);
    state.m_nDivisions = 30;
    state.m_bShowColorBar = 0;
    EXPECT_FALSE(BuildColorBar(state, 800, 600).visible);

    // A decimal comma in the process locale does not reach the texts.
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(kzv::FormatFixed2(-0.125), "-0.12");
    EXPECT_EQ(kzv::FormatFixed2(0.375), "0.38");
    EXPECT_EQ(kzv::FormatFixed2(-0.001), "-0.00");
    EXPECT_EQ(kzv::FormatInt(-20), "-20");
    std::setlocale(LC_NUMERIC, "C");
}

TEST(ColorBarTest, PreviewBandsShareTheHeightBottomFirst) {
    // 100 pixels in 30 bands: the first ten bands from the bottom are 4 pixels, the rest 3.
    const std::vector<int> bands = PreviewBandHeights(100, 30);
    ASSERT_EQ(bands.size(), 30u);
    EXPECT_EQ(bands[9], 4);
    EXPECT_EQ(bands[10], 3);
    // More bands than pixels: only the pixel-tall ones, however large the count.
    EXPECT_EQ(PreviewBandHeights(5, 2000000000), std::vector<int>(5, 1));
    EXPECT_TRUE(PreviewBandHeights(100, 0).empty());
    EXPECT_TRUE(PreviewBandHeights(0, 10).empty());
}

}  // namespace
