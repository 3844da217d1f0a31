#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QTest>
#include <map>

#include "field/Camera.h"
#include "field/ColorScale.h"
#include "field/Compass.h"
#include "render/TestView.h"
#include "view/KZ_VView.h"

namespace {

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ShowExposed(view, 640, 480)); }
    void Load(const std::string& name) { LoadSample(view, name); }
    QImage Frame() { return GrabFrame(view); }
    // Pixels that are neither white nor near-white.
    static int Inked(const QImage& image, QRect area) {
        return CountPixelsDarkerThan(image, area, 240);
    }
    void Save(const QImage& image, const std::string& name) {
        image.save(QCoreApplication::applicationDirPath() + "/scene-" +
                   QString::fromStdString(name) + ".png");
    }
    CStateOwner viewState;
    CKZ_VView view{viewState};
};

TEST_F(SceneTest, EmptyViewIsPlainWhite) {
    const QImage image = Frame();
    EXPECT_EQ(Inked(image, image.rect()), 0);
}

TEST_F(SceneTest, TheEmptyViewSaysHowToLoadADataSetUntilTheFirstLoad) {
    auto* hint = view.findChild<QLabel*>(QStringLiteral("emptyHint"));
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(),
              QString::fromUtf8("データセットは「ﾌｧｲﾙ(F)」→「データを読み込む」で読み込みます"));
    EXPECT_TRUE(view.rect().contains(hint->geometry().center()));
    Load("tower");
    EXPECT_FALSE(hint->isVisible());
}

TEST_F(SceneTest, DragsTurnZoomAndPanTheModel) {
    Load("tower");
    const float zoom = Arrange(view.Owner()).m_camera.m_fZoom;
    QTest::mousePress(&view, Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 100));
    QTest::mouseMove(&view, QPoint(420, 110));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::ShiftModifier, QPoint(420, 110));
    EXPECT_FLOAT_EQ(Arrange(view.Owner()).m_camera.m_fZoom, zoom * 1.5f);
    EXPECT_EQ(Arrange(view.Owner()).m_camera.m_nDragMode, 0);

    const CVector4 pan = Arrange(view.Owner()).m_camera.m_vPan;
    QTest::mousePress(&view, Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
    EXPECT_EQ(view.cursor().shape(), Qt::SizeAllCursor);
    QTest::mouseMove(&view, QPoint(130, 90));
    QTest::mouseRelease(&view, Qt::RightButton, Qt::NoModifier, QPoint(130, 90));
    EXPECT_EQ(view.cursor().shape(), Qt::ArrowCursor);
    Arrange(view.Owner()).m_selection.m_nPickMode = 2;
    view.UpdateCursor();
    EXPECT_EQ(view.cursor().shape(), Qt::CrossCursor);
    Arrange(view.Owner()).m_selection.m_nPickMode = 0;
    EXPECT_FLOAT_EQ(Arrange(view.Owner()).m_camera.m_vPan.x, pan.x + 30.0f);
    EXPECT_FLOAT_EQ(Arrange(view.Owner()).m_camera.m_vPan.y, pan.y + 10.0f);

    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(&view, QPoint(260, 100));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(260, 100));
    EXPECT_FLOAT_EQ(Arrange(view.Owner()).m_camera.m_vAngles.y, 90.0f);
}

class ContourSceneTest : public SceneTest {};

TEST_F(ContourSceneTest, ColourBarBandsSitWhereTheTableSaysInTheirColours) {
    Load("tower");
    const QImage image = Frame();
    // Quad i spans x 10..30 from the left and y from B + i*256/n up, B = H/2 - 276 (y up,
    // origin at the centre): in image rows, band i is at 276 - (i + 0.5) * 256 / 30.
    for (int i : {0, 7, 15, 22, 29}) {
        const int row = static_cast<int>(276 - (i + 0.5) * 256.0 / 30);
        const CVector4& c = Arrange(view.Owner()).m_settings.m_aColorTable[i];
        const QColor expected(static_cast<int>(c.x * 255), static_cast<int>(c.y * 255),
                              static_cast<int>(c.z * 255));
        EXPECT_TRUE(Near(PixelAt(image, 20, row), expected, 10))
            << i << " " << PixelAt(image, 20, row).name().toStdString();
    }
    EXPECT_TRUE(Near(PixelAt(image, 20, 272), Qt::blue, 10));  // MIN end
    EXPECT_TRUE(Near(PixelAt(image, 20, 24), Qt::red, 10));    // MAX end
}

TEST_F(ContourSceneTest, APanelIsFilledInTheColourOfItsBand) {
    Load("tower");
    Arrange(view.Owner()).SetViewPreset(VIEW_Y_PLUS);  // looking down on the roof
    Arrange(view.Owner()).m_settings.m_bShowColorBar = 0;
    const QImage image = Frame();
    int checked = 0;
    for (int p = 0; p < Arrange(view.Owner()).m_data.m_mesh.GetPanelCount() && checked < 5; ++p) {
        if (Arrange(view.Owner()).m_data.m_aPanelNormal[static_cast<size_t>(p)].z < 0.9f) {
            continue;  // roof panels only
        }
        const int n = Arrange(view.Owner()).m_data.m_mesh.m_aNodeCount[static_cast<size_t>(p)];
        CVector4 centre;
        int band = -1;
        bool sameBand = true;
        for (int c = 0; c < n; ++c) {
            const int tap = Arrange(view.Owner()).m_data.m_mesh.GetNodeTapNo(p, c);
            centre = centre + Arrange(view.Owner()).m_data.m_taps.GetPosition(tap) * (1.0f / n);
            const int b = BandIndex(Arrange(view.Owner()).m_data.m_cp.GetCp(tap, 0),
                                    Arrange(view.Owner()).m_settings.m_dColorMin,
                                    Arrange(view.Owner()).m_settings.m_dColorMax,
                                    Arrange(view.Owner()).m_settings.m_nDivisions);
            sameBand = sameBand && (band < 0 || b == band);
            band = b;
        }
        if (!sameBand) {
            continue;
        }
        const CVector4 at =
            Arrange(view.Owner()).m_camera.Project(centre, Arrange(view.Owner()).m_data.m_fScale);
        const int x = static_cast<int>(320 + at.x);
        const int y = static_cast<int>(240 - at.y);
        const CVector4& c = Arrange(view.Owner()).m_settings.m_aColorTable[band];
        const QColor expected(static_cast<int>(c.x * 255), static_cast<int>(c.y * 255),
                              static_cast<int>(c.z * 255));
        EXPECT_TRUE(Near(PixelAt(image, x, y), expected, 10))
            << p << " " << PixelAt(image, x, y).name().toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

// Pixels of one colour.
int CountColour(const QImage& image, const QColor& colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += Near(PixelAt(image, x, y), colour, 30) ? 1 : 0;
        }
    }
    return n;
}

TEST_F(ContourSceneTest, APanelWithoutValueHidesTheFarWallBehindIt) {
    Load("tower");  // tap 346, on the north wall, has no values
    Arrange(view.Owner())
        .SetBuildingAngle(ViewBuildingAngle(BuildingAngle(16, 7)));  // the north wall in front
    Arrange(view.Owner()).m_settings.m_bShowMarkers = 0;
    Arrange(view.Owner()).m_settings.m_bShowColorBar = 0;
    for (int p = 0; p < Arrange(view.Owner()).m_data.m_mesh.GetPanelCount(); ++p) {
        const int n = Arrange(view.Owner()).m_data.m_mesh.m_aNodeCount[static_cast<size_t>(p)];
        CVector4 centre;
        bool withoutValue = false;
        for (int c = 0; c < n; ++c) {
            const int tap = Arrange(view.Owner()).m_data.m_mesh.GetNodeTapNo(p, c);
            centre = centre + Arrange(view.Owner()).m_data.m_taps.GetPosition(tap) * (1.0f / n);
            withoutValue = withoutValue || Arrange(view.Owner()).m_data.m_cp.FindRecord(tap) < 0;
        }
        if (withoutValue) {
            const QImage image = Frame();
            const CVector4 at =
                Arrange(view.Owner())
                    .m_camera.Project(centre, Arrange(view.Owner()).m_data.m_fScale);
            const QColor seen =
                PixelAt(image, static_cast<int>(320 + at.x), static_cast<int>(240 - at.y));
            EXPECT_TRUE(Near(seen, Qt::white)) << p << " " << seen.name().toStdString();
        }
    }
}

TEST_F(ContourSceneTest, LabelsAndSlotsOnAPitchedRoofStayInSight) {
    Load("gable");
    Arrange(view.Owner()).m_camera.Turn(CVector4(30, 0, 0));  // looking down on the south slope
    Arrange(view.Owner()).m_settings.m_bShowMarkers = 0;
    Arrange(view.Owner()).m_settings.m_bShowMesh = 0;
    Arrange(view.Owner()).m_settings.m_bShowColorBar = 0;
    Arrange(view.Owner()).m_settings.m_nContourKind = 2;
    Arrange(view.Owner()).m_settings.m_bShowLabels = 1;
    Arrange(view.Owner()).m_settings.m_nLabelColorMode = 1;
    Arrange(view.Owner()).m_settings.m_clrLabel = CVector4(1, 0, 1, 0);  // magenta: no band has it
    Arrange(view.Owner()).m_settings.m_abSlotOn[0] = 1;
    Arrange(view.Owner()).m_settings.m_aSlot[0][0] =
        CVector4(-5000, -3000, 6750);  // across the slope, on it
    Arrange(view.Owner()).m_settings.m_aSlot[0][1] = CVector4(5000, -1000, 8250);
    Arrange(view.Owner()).m_bSlotsVisible = true;
    Arrange(view.Owner()).m_camera.m_fZoom = 1.5f;
    Arrange(view.Owner())
        .m_camera.CentreOn(CVector4(0, -2000, 7500), Arrange(view.Owner()).m_data.m_fScale);
    view.Owner().Changed(ASPECT_CONTOURS);
    const QImage image = Frame();
    Save(image, "gable-roof-labels");
    ASSERT_GT(view.FrameCache().contours.labels.size(), 2u);
    // Each label is a small sphere and a text of several digits; the slot is a red line.
    EXPECT_GT(CountColour(image, QColor(255, 0, 255)),
              60 * static_cast<int>(view.FrameCache().contours.labels.size()));
    EXPECT_GT(CountColour(image, Qt::red), 150);
}

TEST_F(SceneTest, PanelIndexFollowsTheBuildingAngle) {
    Load("gable");
    CVector4 centre;
    const int n = Arrange(view.Owner()).m_data.m_mesh.m_aNodeCount[0];
    for (int c = 0; c < n; ++c) {
        centre = centre + Arrange(view.Owner())
                                  .m_data.m_taps.GetPosition(
                                      Arrange(view.Owner()).m_data.m_mesh.GetNodeTapNo(0, c)) *
                              (1.0f / n);
    }
    EXPECT_EQ(Arrange(view.Owner()).m_data.FindPanelContaining(centre), 0);
    Arrange(view.Owner()).SetBuildingAngle(90.0);
    EXPECT_NE(Arrange(view.Owner()).m_data.FindPanelContaining(centre),
              0);  // the panel has turned away
    CVector4 turned;
    for (int c = 0; c < n; ++c) {
        turned = turned + Arrange(view.Owner())
                                  .m_data.m_taps.GetPosition(
                                      Arrange(view.Owner()).m_data.m_mesh.GetNodeTapNo(0, c)) *
                              (1.0f / n);
    }
    EXPECT_EQ(Arrange(view.Owner()).m_data.FindPanelContaining(turned), 0);
}

TEST(SceneBeforeShow, ALoadBeforeTheWindowExistsStillGetsItsComment) {
    CStateOwner viewState;
    CKZ_VView view{viewState};
    LoadSample(view, "tower");  // no context yet
    Arrange(view.Owner()).m_settings.m_comment.flags[0] = 1;
    ASSERT_TRUE(ShowExposed(view, 320, 240));
    (void)view.grabFramebuffer();
    EXPECT_GT(view.m_screenFonts.comment.itemText[0].second, 0);  // "tower"
}

}  // namespace

// The texture bands against the band polygons, pixel by pixel: the pictures may differ only
// where a band edge crosses a pixel (a differing pixel has the other picture's colour next to
// it), and each band covers as many pixels within a small share. The building's black edges lie on
// the surface the bands cover: cut differently, rounding moves which of the two wins a pixel.
TEST_F(ContourSceneTest, BandTrianglesDrawThePictureOfTheBandPolygons) {
    for (const char* sample : {"gable", "tower", "lshape"}) {
        Load(sample);
        // Turned by a left drag, as the user turns it (about 25 and -35 degrees): walls and
        // roof slanted.
        QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(300, 260));
        QTest::mouseMove(&view, QPoint(238, 293));
        QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(238, 293));
        Arrange(view.Owner()).m_settings.m_bShowMarkers = 0;
        Arrange(view.Owner()).m_settings.m_bShowMesh = 0;
        Arrange(view.Owner()).m_settings.m_nContourKind = 0;
        view.Owner().Changed(ASPECT_CONTOURS);
        view.m_nPolygonBandsUpTo = 1000000;
        const QImage polygons = Frame();
        EXPECT_TRUE(view.FrameCache().contours.triangles.corners.empty());
        view.m_nPolygonBandsUpTo = 0;
        const QImage triangles = Frame();
        EXPECT_FALSE(view.FrameCache().contours.triangles.corners.empty());
        // The next frame replays them from a display list, band colours included.
        EXPECT_EQ(Frame(), triangles) << sample;

        const auto besideOne = [](const QImage& in, int x, int y, QRgb colour) {
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const QPoint p(x + dx, y + dy);
                    if (in.rect().contains(p) && in.pixel(p) == colour) {
                        return true;
                    }
                }
            }
            return false;
        };
        std::map<QRgb, int> area, areaApart;
        int inked = 0, differing = 0, stray = 0;
        for (int y = 0; y < polygons.height(); ++y) {
            for (int x = 0; x < polygons.width(); ++x) {
                const QRgb a = polygons.pixel(x, y), b = triangles.pixel(x, y);
                ++area[a];
                --area[b];
                ++areaApart[a];
                inked += QColor(a).lightness() < 240 ? 1 : 0;
                if (a != b) {
                    ++differing;
                    const bool edge = qGray(a) == 0 || qGray(b) == 0;
                    const bool beside =
                        besideOne(polygons, x, y, b) && besideOne(triangles, x, y, a);
                    stray += edge || beside ? 0 : 1;
                }
            }
        }
        EXPECT_EQ(stray, 0) << sample;
        EXPECT_LT(differing, inked / 1000) << sample << ": " << differing << " of " << inked;
        for (const auto& [colour, difference] : area) {
            EXPECT_LE(std::abs(difference), std::max(5, areaApart[colour] / 200))
                << sample << " " << QColor(colour).name().toStdString();
        }
    }
}
