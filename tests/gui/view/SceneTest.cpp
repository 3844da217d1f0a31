#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include "KZ_VView.h"
#include "field/Camera.h"
#include "render/TestView.h"

namespace {

const std::string kSamples = KZV_SAMPLES_DIR;

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.resize(640, 480);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    void Load(const std::string& name) {
        CHeaderFile header;
        header.Read((kSamples + name + "/header").c_str());
        view.LoadDataSetFrom(kSamples + name + "/", header);
    }
    QImage Frame() {
        (void)view.grabFramebuffer();
        QImage image;
        view.CaptureImage(image);
        return image;
    }
    // Pixels that are neither white nor near-white.
    static int Inked(const QImage& image, QRect area) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (QColor(image.pixel(x, y)).lightness() < 240) {
                    ++n;
                }
            }
        }
        return n;
    }
    void Save(const QImage& image, const std::string& name) {
        image.save(QCoreApplication::applicationDirPath() + "/scene-" + QString::fromStdString(name) + ".png");
    }
    CKZ_VView view;
};

TEST_F(SceneTest, EmptyViewIsPlainWhite) {
    const QImage image = Frame();
    EXPECT_EQ(Inked(image, image.rect()), 0);
}

TEST_F(SceneTest, LoadedSamplesDrawTheirBuildingPointsAndAxes) {
    for (const char* name : {"tower", "gable", "lshape"}) {
        SCOPED_TRACE(name);
        Load(name);
        const QImage image = Frame();
        Save(image, name);
        EXPECT_GT(Inked(image, image.rect()), 500);
        // The model is centred: the middle third holds most of the ink.
        EXPECT_GT(Inked(image, QRect(213, 160, 214, 160)), 100);
    }
}

TEST_F(SceneTest, SwitchesAddTheirLayers) {
    Load("tower");
    view.m_bShowMarkers = 0;
    view.m_bShowMesh = 0;
    view.m_bShowAxes = 0;
    view.SetPartMode(0, 2);  // hidden
    const int bare = Inked(Frame(), QRect(0, 0, 640, 480));
    view.m_bShowMesh = 1;
    const int mesh = Inked(Frame(), QRect(0, 0, 640, 480));
    EXPECT_GT(mesh, bare);
    view.m_bShowGround = 1;
    view.m_bShowWind = 1;
    view.m_bShowAxes = 1;
    view.m_bShowAxisNumbers = 1;
    view.m_bShowNumbers = 1;
    view.m_comment.flags[0] = 1;
    view.m_comment.flags[5] = 1;
    view.RebuildCommentText(view.m_comment);
    SetViewPreset(view, view.m_matRotation, VIEW_Z_PLUS);
    const QImage all = Frame();
    Save(all, "tower-all");
    EXPECT_GT(Inked(all, QRect(0, 0, 640, 480)), mesh);
    // The comment block starts at the top-left corner.
    EXPECT_GT(Inked(all, QRect(0, 0, 200, 16)), 10);
}

TEST_F(SceneTest, DragsTurnZoomAndPanTheModel) {
    Load("tower");
    const float zoom = view.m_fZoom;
    QTest::mousePress(&view, Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 100));
    QTest::mouseMove(&view, QPoint(420, 110));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::ShiftModifier, QPoint(420, 110));
    EXPECT_FLOAT_EQ(view.m_fZoom, zoom * 1.5f);
    EXPECT_EQ(view.m_nDragMode, 0);

    QTest::mousePress(&view, Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(&view, QPoint(130, 90));
    QTest::mouseRelease(&view, Qt::RightButton, Qt::NoModifier, QPoint(130, 90));
    EXPECT_FLOAT_EQ(view.m_vPan.x, 30.0f);
    EXPECT_FLOAT_EQ(view.m_vPan.y, 10.0f);

    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(&view, QPoint(260, 100));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(260, 100));
    EXPECT_FLOAT_EQ(view.m_vAngles.y, 90.0f);
}

}  // namespace
