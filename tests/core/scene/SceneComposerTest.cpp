// The frame as the composer makes it, read from the recording renderer: no display, no GL.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "SampleGen.h"
#include "TempDir.h"
#include "scene/RecordingRenderer.h"
#include "scene/SceneComposer.h"
#include "state/SelectionSteps.h"
#include "text/NumberFormat.h"

namespace {

class SceneComposerTest : public ::testing::Test {
protected:
    void Load(const std::string& name, const std::string& folder = std::string()) {
        state = CViewState();
        cache = CFrameCache();
        fonts = CSceneFonts();
        CHeaderFile header;
        state.LoadDataSet(folder.empty() ? std::string(KZV_SAMPLES_DIR) + name + "/" : folder,
                          header, 640, 480);
        ASSERT_TRUE(state.HasDataSet()) << name;
        state.m_settings.m_bThinTaps = 0;  // every tap's marker and number, unless a test asks
    }
    // One frame of 640 x 480 into a fresh recording.
    const CRecordingRenderer& Compose() {
        r = CRecordingRenderer();
        fonts.axis = r.CreateFontListA(15, "ＭＳ ゴシック");
        fonts.label = 0;
        fonts.comment = CCommentText();
        CSceneFrame frame;
        frame.width = 640;
        frame.height = 480;
        CSceneComposer(state, r, cache, fonts).Compose(frame);
        return r;
    }
    size_t Count(RecordedKind kind) const { return r.Of(kind).size(); }
    // Primitives of a kind drawn in colour.
    size_t Count(RecordedKind kind, CVector4 colour) const {
        size_t n = 0;
        for (const CRecordedPrimitive& p : r.Of(kind)) {
            n += p.colour == colour ? 1 : 0;
        }
        return n;
    }
    size_t VisibleFaces() const {
        size_t n = 0;
        for (const CGeometry* geo : {&state.m_data.m_geoMain, &state.m_data.m_geoSub}) {
            for (const CGeometryObject& part : geo->m_objects) {
                n += part.m_nDisplayMode == 0 ? part.m_faces.size() : 0;
            }
        }
        return n;
    }
    CViewState state;
    CFrameCache cache;
    CSceneFonts fonts;
    CRecordingRenderer r;
};

TEST_F(SceneComposerTest, EachSampleDrawsItsBuildingTapsAxesBandsAndColourBar) {
    for (const char* name : {"tower", "gable", "lshape"}) {
        SCOPED_TRACE(name);
        Load(name);
        Compose();
        EXPECT_EQ(r.ClearColour(), COLOR_WHITE);
        EXPECT_EQ(Count(RecordedKind::Face), VisibleFaces());
        EXPECT_EQ(Count(RecordedKind::Cone), 3u);  // the axes' arrow heads
        // A black marker on every tap, at the tap.
        EXPECT_EQ(Count(RecordedKind::Sphere, COLOR_BLACK), state.m_data.m_taps.m_aPos.size());
        // Bands in the colour table's colours, and the bar's quads below them.
        std::set<std::string> table;
        for (const CVector4& c : state.m_settings.m_aColorTable) {
            table.insert(kzv::FormatG(c.x) + "," + kzv::FormatG(c.y) + "," + kzv::FormatG(c.z));
        }
        size_t bands = 0;
        for (const CRecordedPrimitive& p : r.Of(RecordedKind::Polygon)) {
            const std::string key = kzv::FormatG(p.colour.x) + "," + kzv::FormatG(p.colour.y) +
                                    "," + kzv::FormatG(p.colour.z);
            bands += p.depthTest && table.count(key) ? 1 : 0;
        }
        EXPECT_GT(bands, 20u);
        EXPECT_EQ(cache.contourComputations, 1);
        EXPECT_EQ(cache.rangeText.rfind("データ範囲 ", 0), 0u) << cache.rangeText;
        // A second frame (a camera move) recomputes nothing and draws the same.
        const size_t primitives = r.Primitives().size();
        Compose();
        EXPECT_EQ(cache.contourComputations, 1);
        EXPECT_EQ(r.Primitives().size(), primitives);
    }
}

TEST_F(SceneComposerTest, SwitchesAddExactlyTheirLayers) {
    Load("tower");
    state.m_settings.m_bShowMarkers = 0;
    state.m_settings.m_bShowMesh = 0;
    state.m_settings.m_bShowAxes = 0;
    state.m_data.SetPartMode(0, 2);  // hidden
    Compose();
    EXPECT_EQ(Count(RecordedKind::Face), VisibleFaces());
    EXPECT_EQ(Count(RecordedKind::Sphere), 0u);
    EXPECT_EQ(Count(RecordedKind::Cone), 0u);
    EXPECT_EQ(Count(RecordedKind::LineLoop, COLOR_GRAY), 0u);
    for (const CRecordedPrimitive& p : r.Of(RecordedKind::Text)) {
        EXPECT_EQ(p.fontHeight, 15) << p.text;  // the colour bar's numbers only
    }

    state.m_settings.m_bShowMesh = 1;
    Compose();
    EXPECT_EQ(Count(RecordedKind::LineLoop, COLOR_GRAY),
              static_cast<size_t>(state.m_data.m_mesh.GetPanelCount()));

    state.m_settings.m_bShowGround = 1;
    state.m_settings.m_bShowWind = 1;
    state.m_settings.m_bShowNumbers = 1;
    state.m_settings.m_comment.flags[0] = 1;
    Compose();
    size_t wind = 0;
    for (const CRecordedPrimitive& p : r.Of(RecordedKind::Line)) {
        wind += p.size == 3.0f ? 1 : 0;
    }
    EXPECT_GT(wind, 0u);
    // Every tap's number, written over whatever lies in front of it.
    std::set<std::string> numbers;
    for (const CRecordedPrimitive& p : r.Of(RecordedKind::Text)) {
        if (!p.depthTest && !p.overlay) {
            numbers.insert(p.text);
        }
    }
    for (int32_t tap : state.m_data.m_taps.m_aTapNo) {
        EXPECT_EQ(numbers.count(kzv::FormatInt(tap)), 1u) << tap;
    }
    // The comment's first item (the data set's name) in window pixels at the top left.
    bool comment = false;
    for (const CRecordedPrimitive& p : r.Of(RecordedKind::Text)) {
        if (p.overlay && p.text == "tower") {
            comment = p.points[0].x < 100 && p.points[0].y < 40;
        }
    }
    EXPECT_TRUE(comment);
}

TEST_F(SceneComposerTest, WindArrowsTurnAQuarterWithTwoOfEightDirections) {
    Load("gable");
    state.m_settings.m_bShowWind = 1;
    auto arrow = [this](int direction) {
        state.m_settings.m_nDirection = direction;
        Compose();
        for (const CRecordedPrimitive& p : r.Of(RecordedKind::Line)) {
            if (p.size == 3.0f) {
                return p.points[1] - p.points[0];
            }
        }
        return CVector4();
    };
    ASSERT_EQ(state.m_data.m_cp.m_nDirectionCount, 8);
    const CVector4 a = arrow(0);
    const CVector4 b = arrow(2);
    const float dot = a.x * b.x + a.y * b.y + a.z * b.z;
    const float la = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    const float lb = std::sqrt(b.x * b.x + b.y * b.y + b.z * b.z);
    ASSERT_GT(la, 0.0f);
    EXPECT_NEAR(la, lb, la * 1e-4f);
    EXPECT_NEAR(dot / (la * lb), 0.0f, 1e-4f);
}

TEST_F(SceneComposerTest, ContourKindsLabelsAndSlotsOnEachSample) {
    bool labelled[3] = {false, false, false};
    for (const char* name : {"tower", "gable", "lshape"}) {
        Load(name);
        state.m_settings.m_bShowLabels = 1;
        state.m_settings.m_abSlotOn[0] = 1;
        state.m_settings.m_aSlot[0][0] = CVector4(-8000, -10000, 20000);
        state.m_settings.m_aSlot[0][1] = CVector4(8000, -10000, 40000);
        state.m_bSlotsVisible = true;
        state.m_settings.m_bShowMarkers = 0;
        state.m_settings.m_bShowNumbers = 0;
        state.m_settings.m_nLabelFontSize = 11;  // told apart from the colour bar's 15
        for (int kind : {0, 1, 2}) {
            SCOPED_TRACE(std::string(name) + " kind " + std::to_string(kind));
            state.m_settings.m_nContourKind = kind;
            Compose();
            size_t bands = 0, lines = 0, labels = 0, slots = 0;
            for (const CContourItem& item : cache.contours.items) {
                bands += item.type == ContourItemType::Band ? 1 : 0;
                lines += item.type == ContourItemType::Line ? 1 : 0;
                labels += item.type == ContourItemType::Label ? 1 : 0;
                slots += item.type == ContourItemType::Slots ? 1 : 0;
            }
            EXPECT_EQ(bands > 0, kind != 1);
            EXPECT_EQ(lines > 0, kind != 0);
            // Each label is a sphere and its text, drawn over the surface it belongs to; the
            // slot's two ends and its number likewise.
            size_t labelTexts = 0;
            for (const CRecordedPrimitive& p : r.Of(RecordedKind::Text)) {
                if (p.fontHeight == 11) {
                    EXPECT_FALSE(p.depthTest) << p.text;
                    ++labelTexts;
                }
            }
            labelled[kind] = labelled[kind] || labels > 0;
            EXPECT_GE(labelTexts, labels);  // and the slot's number when both ends are set
            EXPECT_EQ(Count(RecordedKind::Sphere, COLOR_RED) > 0, slots > 0);
        }
    }
    // Only lines carry labels.
    EXPECT_FALSE(labelled[0]);
    EXPECT_TRUE(labelled[1] && labelled[2]);
}

// Thinning leaves a set of a few hundred taps as it was; on a dense set the markers keep room
// between them and the numbers do not touch, so the bands stay visible, and a listed tap is
// always drawn.
TEST_F(SceneComposerTest, ThinningLeavesDenseSetsLegibleAndEveryListedTap) {
    auto drawn = [this](RecordedKind kind, CVector4 colour) {
        std::vector<CVector4> places;
        for (const CRecordedPrimitive& p : r.Of(kind)) {
            if (p.colour == colour && (kind != RecordedKind::Text || !p.depthTest)) {
                places.push_back(p.points[0]);
            }
        }
        return places;
    };
    Load("tower");
    state.m_settings.m_bShowNumbers = 1;
    state.m_settings.m_bThinTaps = 1;
    Compose();
    const size_t spheres = drawn(RecordedKind::Sphere, COLOR_BLACK).size();
    const size_t texts = drawn(RecordedKind::Text, COLOR_BLACK).size();
    EXPECT_EQ(spheres, state.m_data.m_taps.m_aPos.size());
    state.m_settings.m_bThinTaps = 0;
    Compose();
    EXPECT_EQ(drawn(RecordedKind::Text, COLOR_BLACK).size(), texts);

    TempDir dir;
    std::string error;
    const std::string dense = dir.Path().string() + "/dense/";
    ASSERT_TRUE(kzv::samplegen::WriteLargeDataSet(dense, 20000, 8, &error)) << error;
    Load("dense", dense);
    state.m_settings.m_bShowNumbers = 1;
    state.m_settings.m_bThinTaps = 1;
    for (int i : {0, 1, 2, 3}) {  // neighbours in file order: they would cover one another
        SelectMeasurementPoint(state, i);
    }
    Compose();
    // Its markers are dots (a sphere's hundred triangles are a few pixels there).
    EXPECT_EQ(r.Of(RecordedKind::Sphere).size(), 0u);
    const std::vector<CVector4> markers = drawn(RecordedKind::Dot, COLOR_BLACK);
    EXPECT_GT(markers.size(), 50u);
    EXPECT_LT(markers.size(), 20000u / 10);
    // Two black markers stand at least one and a half marker widths apart, centre to centre.
    float m[16];
    r.ModelView(m);
    const float radius =
        5.0f * std::sqrt(m[0] * m[0] + m[1] * m[1] + m[2] * m[2]) / state.m_data.m_fScale;
    for (size_t i = 1; i < markers.size() && i < 200; ++i) {
        for (size_t j = 0; j < i; ++j) {
            const float dx = markers[i].x - markers[j].x, dy = markers[i].y - markers[j].y;
            EXPECT_GE(std::max(std::fabs(dx), std::fabs(dy)), 3.0f * radius * 0.999f);
        }
    }
    EXPECT_EQ(drawn(RecordedKind::Dot, MARK_COLOR).size(), 4u);
    EXPECT_EQ(drawn(RecordedKind::Text, MARK_COLOR).size(), 4u);
    EXPECT_LT(drawn(RecordedKind::Text, COLOR_BLACK).size(), 20000u / 10);
    // Turned so that a side wall shows too: the markers go to the walls facing the viewer first
    // (a tap on a wall behind would take a visible one's place and be hidden itself).
    const CCamera front = state.m_camera;
    state.m_camera.Turn(CVector4(0, 35, 0));
    Compose();
    r.ModelView(m);
    const std::vector<CVector4>& taps = state.m_data.m_taps.m_aPos;
    CVector4 low = taps[0], high = taps[0];
    for (const CVector4& p : taps) {
        low = CVector4(std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z));
        high = CVector4(std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z));
    }
    size_t facing = 0;
    const std::vector<CVector4> dots = drawn(RecordedKind::Dot, COLOR_BLACK);
    for (const CVector4& dot : dots) {
        for (const CVector4& p : taps) {
            const float ex = m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12];
            const float ey = m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13];
            if (std::fabs(ex - dot.x) < 1e-3f && std::fabs(ey - dot.y) < 1e-3f) {
                // The wall the tap lies on, and whether its outward normal points at the eye.
                const CVector4 normal(p.x == low.x    ? -1.0f
                                      : p.x == high.x ? 1.0f
                                                      : 0.0f,
                                      p.y == low.y    ? -1.0f
                                      : p.y == high.y ? 1.0f
                                                      : 0.0f,
                                      p.z == high.z ? 1.0f : 0.0f);
                facing += m[2] * normal.x + m[6] * normal.y + m[10] * normal.z > 0.0f ? 1 : 0;
                break;
            }
        }
    }
    EXPECT_GT(dots.size(), 50u);
    EXPECT_GE(facing, dots.size() * 4 / 5);  // the rest fill gaps, hidden behind the walls
    state.m_camera = front;

    // Mesh outlines a few pixels apart are left out; zoomed in, they are back, each edge
    // once (a triangle mesh has about one and a half edges a panel, not three).
    EXPECT_EQ(Count(RecordedKind::LineLoop, COLOR_GRAY) + Count(RecordedKind::Line, COLOR_GRAY),
              0u);
    state.m_camera.m_fZoom *= 8.0f;
    Compose();
    const size_t panels = static_cast<size_t>(state.m_data.m_mesh.GetPanelCount());
    EXPECT_GT(Count(RecordedKind::Line, COLOR_GRAY), panels);
    EXPECT_LT(Count(RecordedKind::Line, COLOR_GRAY), 2 * panels);
}

}  // namespace
