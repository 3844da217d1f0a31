#include <gtest/gtest.h>

#include <random>

#include "field/LineContours.h"
#include "geometry/GeometryAlgorithms.h"
#include "state/ViewState.h"

namespace {

// A flat triangle in z = 0 and the state around it: 4 bands over -1..1, labels on.
class LineContoursTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.m_settings.m_nDivisions = 4;
        state.m_settings.m_bShowLabels = 1;
        for (int k = 0; k < 4; ++k) {
            state.m_settings.m_aColorTable[k] = CVector4(0.1f * k, 0, 0);
        }
    }
    CContourDrawing Lines(const double v[3], const CVector4* table = nullptr) {
        CContourDrawing out;
        LinesOnTriangle(
            t, v,
            MakeContourLevels(state.m_settings.m_dColorMin, state.m_settings.m_dColorMax,
                              state.m_settings.m_nDivisions),
            table, state.m_settings.m_clrLine,
            MakeLabelContext(state.m_data, state.m_settings, state.m_selection), out);
        return out;
    }
    std::vector<std::string> LabelTexts(const CContourDrawing& out) {
        std::vector<std::string> texts;
        for (const auto& label : out.labels) {
            texts.push_back(label.text);
        }
        return texts;
    }
    void SetSlot(int i, CVector4 a, CVector4 b) {
        state.m_settings.m_abSlotOn[i] = 1;
        state.m_settings.m_aSlot[i][0] = a;
        state.m_settings.m_aSlot[i][1] = b;
    }
    CViewState state;
    const CVector4 t[3] = {CVector4(0, 0, 0), CVector4(4, 0, 0), CVector4(0, 4, 0)};
};

TEST_F(LineContoursTest, SegmentsJoinTheCrossingsOfEachLevel) {
    const double flat[3] = {0.0, 0.0, 0.0};
    EXPECT_TRUE(Lines(flat).items.empty());

    // Level 0 of 2 bands through the corner t1 of value 0, which both its edges reach, and
    // across the opposite edge: one segment from the corner.
    state.m_settings.m_nDivisions = 2;
    const double through[3] = {-1.0, 0.0, 1.0};
    CContourDrawing out = Lines(through);
    ASSERT_EQ(out.items.size(), 1u);
    EXPECT_EQ(out.points[0], t[1]);
    EXPECT_EQ(out.points[1], CVector4(0, 2, 0));
    // A level that only touches a corner draws nothing; one through two corners runs along
    // their edge.
    const double touching[3] = {-1.0, 0.0, -0.5};
    EXPECT_TRUE(Lines(touching).items.empty());
    const double alongEdge[3] = {0.0, 0.0, 1.0};
    out = Lines(alongEdge);
    ASSERT_EQ(out.items.size(), 1u);
    EXPECT_EQ(out.points[0], t[1]);
    EXPECT_EQ(out.points[1], t[0]);
    // With 0.5 at t1 the level crosses edges t0-t1 and t2-t0 once each.
    const double v[3] = {-1.0, 0.5, 1.0};
    out = Lines(v);
    ASSERT_EQ(out.items.size(), 1u);
    EXPECT_EQ(out.items[0].type, ContourItemType::Line);
    EXPECT_EQ(out.items[0].colour, state.m_settings.m_clrLine);
    EXPECT_EQ(out.points[0], CVector4(4.0f * 2.0f / 3.0f, 0, 0));
    EXPECT_EQ(out.points[1], CVector4(0, 2, 0));
}

TEST_F(LineContoursTest, EndPointsLieWhereTheFieldEqualsTheLevel) {
    // A linear field f = -1 + x/4 + y/8 on the triangle: every end point has f = its level.
    const double v[3] = {-1.0, 0.0, -0.5};
    state.m_settings.m_nDivisions = 10;
    const CContourDrawing out = Lines(v, state.m_settings.m_aColorTable);
    const CContourLevels levels = MakeContourLevels(-1.0, 1.0, 10);
    int lines = 0;
    for (const CContourItem& item : out.items) {
        ASSERT_EQ(item.type, ContourItemType::Line);
        EXPECT_EQ(item.colour,
                  state.m_settings.m_aColorTable[item.index]);  // the band above the line
        for (int e = 0; e < 2; ++e) {
            const CVector4& p = out.points[static_cast<size_t>(item.first + e)];
            EXPECT_NEAR(-1.0 + p.x / 4.0 + p.y / 8.0, levels.level[static_cast<size_t>(item.index)],
                        1e-6);
        }
        ++lines;
    }
    // Levels -0.8, -0.6, -0.4, -0.2, and 0.0, which touches only the corner t1: found once
    // from each of its edges, it makes a segment of no length there.
    EXPECT_EQ(lines, 5);
    EXPECT_EQ(out.points[8], t[1]);
    EXPECT_EQ(out.points[9], t[1]);
}

TEST_F(LineContoursTest, SlotAcrossTheBandsGetsEachLevel) {
    // f = -1 + x/2 over the 4-unit edge: levels -0.5, 0, 0.5 at x = 1, 2, 3.
    const double v[3] = {-1.0, 1.0, -1.0};
    EXPECT_TRUE(Lines(v).labels.empty());  // labels on, but no slot on
    SetSlot(4, CVector4(0.5f, 0.5f, 0), CVector4(3.5f, 0.5f, 0));
    state.m_data.m_fScale = 0.5f;
    const CContourDrawing out = Lines(v);
    EXPECT_EQ(LabelTexts(out), (std::vector<std::string>{"-0.50", "0.00", "0.50"}));
    // Each label follows its line.
    ASSERT_EQ(out.items.size(), 6u);
    EXPECT_EQ(out.items[1].type, ContourItemType::Label);
    EXPECT_EQ(out.items[1].colour, out.items[0].colour);
    const CContourLabel& label = out.labels[0];
    EXPECT_EQ(label.centre, CVector4(1.0f, 0.5f, 0));
    EXPECT_FLOAT_EQ(label.radius, 5.0f);
    EXPECT_EQ(label.textPos, CVector4(11.0f, 0.5f, 0));
    EXPECT_EQ(label.slot, 4);

    state.m_settings.m_nLabelColorMode = 1;
    state.m_settings.m_clrLabel = COLOR_GREEN;
    EXPECT_EQ(Lines(v).items[1].colour, COLOR_GREEN);
}

TEST_F(LineContoursTest, SkipHalfPickedAndOffSlotsGetNoLabels) {
    const double v[3] = {-1.0, 1.0, -1.0};
    SetSlot(0, CVector4(0.5f, 0.5f, 0), CVector4(3.5f, 0.5f, 0));
    state.m_settings.m_nLabelSkip = 1;
    EXPECT_EQ(LabelTexts(Lines(v)), (std::vector<std::string>{"0.00"}));  // level 2 only
    // A skip edit typed as -1 labels nothing rather than dividing by zero.
    state.m_settings.m_nLabelSkip = -1;
    EXPECT_TRUE(Lines(v).labels.empty());
    state.m_settings.m_nLabelSkip = 0;

    state.m_selection.m_nEditSlot = 0;
    state.m_selection.m_nSlotPickCount = 0;
    EXPECT_TRUE(Lines(v).labels.empty());
    state.m_selection.m_nSlotPickCount = 1;
    EXPECT_EQ(Lines(v).labels.size(), 3u);
    state.m_settings.m_abSlotOn[0] = 0;
    EXPECT_TRUE(Lines(v).labels.empty());
    state.m_settings.m_abSlotOn[0] = 1;
    state.m_settings.m_bShowLabels = 0;
    EXPECT_TRUE(Lines(v).labels.empty());
}

TEST_F(LineContoursTest, SlotPictureAndClearing) {
    state.m_data.m_fScale = 2.5f;
    SetSlot(2, CVector4(1, 2, 3), CVector4(4, 5, 6));
    SetSlot(7, CVector4(1, 1, 1), CVector4(9, 9, 9));
    SetSlot(9, CVector4(1, 1, 1), CVector4(1, 1, 1));  // never picked: not drawn
    state.m_selection.m_nEditSlot = 7;
    state.m_selection.m_nSlotPickCount = 0;
    CSlotDrawing drawing =
        BuildSlotDrawing(state.m_settings, state.m_selection, state.m_data.m_fScale);
    EXPECT_EQ(drawing.colour, COLOR_RED);
    EXPECT_FLOAT_EQ(drawing.radius, 1.0f);
    ASSERT_EQ(drawing.marks.size(), 2u);
    EXPECT_TRUE(drawing.marks[0].complete);
    EXPECT_EQ(drawing.marks[0].number, "3");
    EXPECT_EQ(drawing.marks[0].numberPos, CVector4(2, 3, 3));
    EXPECT_FALSE(drawing.marks[1].complete);  // between its two picks: sphere at A only

    state.ClearSlots();
    EXPECT_EQ(state.m_selection.m_nEditSlot, -1);
    EXPECT_EQ(state.m_selection.m_nSlotPickCount, -1);
    for (int i = 0; i < SLOT_COUNT; ++i) {
        EXPECT_EQ(state.m_settings.m_abSlotOn[i], 0);
        EXPECT_EQ(state.m_settings.m_aSlot[i][1], CVector4(0, 0, 0, 0));
    }
    EXPECT_TRUE(
        BuildSlotDrawing(state.m_settings, state.m_selection, state.m_data.m_fScale).marks.empty());
}

// The quick rejection in front of IntersectSegments never hides a crossing it would report:
// segment pairs at many scales, crossing, skew, nearly touching and far apart.
TEST(SegmentsMayMeetTest, NeverRejectsACrossing) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    auto randomVector = [&](float scale) {
        return CVector4(unit(rng) * scale, unit(rng) * scale, unit(rng) * scale);
    };
    int crossings = 0, rejected = 0;
    for (float where : {0.0f, 100.0f, 1e4f, 1.6e5f}) {
        for (float length : {0.01f, 1.0f, 50.0f, 2000.0f}) {
            for (int i = 0; i < 400; ++i) {
                const CVector4 p1 = randomVector(where);
                const CVector4 p2 = p1 + randomVector(length);
                // A slot through a point of the segment (or near it), possibly tilted out of
                // the plane, or one far away.
                const CVector4 on = p1 + (p2 - p1) * (0.5f + 0.6f * unit(rng));
                const float size = length * (i % 3 == 0 ? 0.1f : 2.0f);
                const float away =
                    i % 4 == 0 ? 0.0f : (i % 4 == 1 ? length * 0.01f : length * 5.0f);
                const CVector4 mid = on + randomVector(away);
                const CVector4 q1 = mid + randomVector(size);
                const CVector4 q2 = mid - randomVector(size);
                CVector4 out;
                const bool meet = IntersectSegments(p1, p2, q1, q2, out);
                const bool may = SegmentsMayMeet(p1, p2, q1, q2);
                crossings += meet;
                rejected += !may;
                ASSERT_TRUE(may || !meet)
                    << "case " << i << " at " << where << " length " << length;
            }
        }
    }
    EXPECT_GT(crossings, 500);
    EXPECT_GT(rejected, 500);
    // A slot on another face, far from the line, is rejected without the plane frame.
    EXPECT_FALSE(SegmentsMayMeet(CVector4(0, 0, 0), CVector4(10, 0, 0), CVector4(0, 5000, 100),
                                 CVector4(0, 5000, 200)));
}

}  // namespace
