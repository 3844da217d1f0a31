// The direction page on a bare state (no view): stepping, the compass and its arrow, the
// building-angle slider, driven by mouse and key events.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "panels/CompassWidget.h"
#include "panels/DirectionPage.h"
#include "panels/PageControlIds.h"
#include "panels/PageTestSupport.h"
#include "render/TestView.h"
#include "text/NumberFormat.h"

namespace {

using namespace kzv::page;

class DirectionPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        page.Attach(state);
        state.AddListener([this](unsigned) { ++changes; });
        ASSERT_TRUE(ShowExposed(page, 320, 460));
    }

    // A point of the compass bitmap in the compass widget.
    static QPoint At(int x, int y) { return CCompassWidget::BitmapOrigin() + QPoint(x, y); }
    QColor Shown(int x, int y) { return page.Compass()->grab().toImage().pixelColor(At(x, y)); }
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(page.Compass(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(page.Compass(), to);
        QTest::mouseRelease(page.Compass(), Qt::LeftButton, Qt::NoModifier, to);
    }
    QString AngleText() { return PageControl<QLineEdit>(&page, IDC_DIR_ANGLE)->text(); }
    // The first corner of the main building as the view holds it.
    CVector4 FirstCorner() const {
        return state->m_data.m_geoMain.m_objects[0].m_faces[0].m_vertices[0];
    }

    CStateOwner state;
    CDirectionPage page;
    int changes = 0;
};

const QColor kOrange(255, 128, 0);
const QColor kRed(255, 0, 0);

TEST_F(DirectionPageTest, BeforeALoadTheCompassIsEmptyAndPressesDoNothing) {
    const QImage shown = page.Compass()->grab().toImage();
    const QColor background = shown.pixelColor(0, 0);
    for (int y = 0; y < shown.height(); y += 5) {
        for (int x = 0; x < shown.width(); x += 5) {
            ASSERT_EQ(shown.pixelColor(x, y), background) << x << "," << y;
        }
    }
    Drag(At(75, 110), At(20, 75));
    Click(PageControl<QPushButton>(&page, IDC_DIR_NEXT));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(Arrange(state).m_settings.m_nDirection, 0);
    EXPECT_EQ(page.m_nDirCount, -1);
}

TEST_F(DirectionPageTest, SixteenDirectionsWrapBothWaysInStepsOf22_5) {
    LoadSampleState(state, "tower");
    EXPECT_EQ(PageControl<QLabel>(&page, IDC_DIR_COUNT)->text(), QStringLiteral("16"));
    EXPECT_EQ(AngleText(), QStringLiteral("0"));
    auto* spin = PageControl<QSpinBox>(&page, IDC_DIR_SPIN);
    EXPECT_EQ(spin->maximum(), 15);

    EXPECT_EQ(PageControl<QPushButton>(&page, IDC_DIR_NEXT)->text(), QStringLiteral("←"));
    EXPECT_EQ(PageControl<QPushButton>(&page, IDC_DIR_PREV)->text(), QStringLiteral("→"));
    Click(PageControl<QPushButton>(&page, IDC_DIR_PREV));  // "→": one down from 0
    EXPECT_EQ(Arrange(state).m_settings.m_nDirection, 15);
    EXPECT_EQ(AngleText(), QStringLiteral("337.5"));
    Click(PageControl<QPushButton>(&page, IDC_DIR_NEXT));  // "←": one up from 15
    EXPECT_EQ(Arrange(state).m_settings.m_nDirection, 0);

    // The spin's own arrow steps up, round the whole circle.
    const QPoint up = SpinPart(spin, QStyle::SC_SpinBoxUp).center();
    for (int i = 1; i <= 16; ++i) {
        QTest::mouseClick(spin, Qt::LeftButton, Qt::NoModifier, up);
        EXPECT_EQ(Arrange(state).m_settings.m_nDirection, i % 16);
        EXPECT_EQ(AngleText(), QString::fromStdString(kzv::FormatG(22.5 * (i % 16))));
    }
    QTest::keyClick(spin, Qt::Key_Down);
    EXPECT_EQ(Arrange(state).m_settings.m_nDirection, 15);

    // The arrow follows: at direction 4 (90 degrees) it comes from the left, in white.
    QTest::keyClick(spin, Qt::Key_PageUp);  // one direction, not the spin's usual ten
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(spin, Qt::Key_Up);
    }
    ASSERT_EQ(Arrange(state).m_settings.m_nDirection, 4);
    EXPECT_TRUE(Near(Shown(50, 75), Qt::white));
    EXPECT_TRUE(Near(Shown(75, 100), kOrange));  // the plan of the tower, inside the ring
    EXPECT_FALSE(Near(Shown(75, 115), kOrange));
}

TEST_F(DirectionPageTest, DraggedArrowIsRedAndChoosesTheNearerDirection) {
    LoadSampleState(state, "tower");
    // Grabbed by the shaft, dragged to the left (90 degrees): a red arrow while dragging.
    QTest::mousePress(page.Compass(), Qt::LeftButton, Qt::NoModifier, At(75, 110));
    QTest::mouseMove(page.Compass(), At(10, 75));
    EXPECT_TRUE(page.Compass()->IsDragging());
    EXPECT_TRUE(Near(Shown(50, 75), kRed));
    EXPECT_EQ(Arrange(state).m_settings.m_nDirection, 0);
    QTest::mouseRelease(page.Compass(), Qt::LeftButton, Qt::NoModifier, At(10, 75));
    EXPECT_EQ(Arrange(state).m_settings.m_nDirection, 4);
    EXPECT_FALSE(Near(Shown(50, 75), kRed));

    // Just short of half-way to direction 1 (10.6 degrees) stays at 0, just past it (11.5)
    // goes to 1. The exact tie goes up too (checked in the core, a pixel cannot hit it).
    Drag(At(50, 75), At(75, 140));
    ASSERT_EQ(Arrange(state).m_settings.m_nDirection, 0);
    Drag(At(75, 110), At(64, 134));
    EXPECT_EQ(Arrange(state).m_settings.m_nDirection, 0);
    Drag(At(75, 110), At(63, 134));
    EXPECT_EQ(Arrange(state).m_settings.m_nDirection, 1);

    // A click on the arrow without a move keeps its direction; a press beside it is no drag.
    const int before = changes;
    const CCompassPoint shaft = TurnCompassPoint(75, 110, 22.5);
    Drag(At(shaft.x, shaft.y), At(shaft.x, shaft.y));
    EXPECT_EQ(Arrange(state).m_settings.m_nDirection, 1);
    QTest::mousePress(page.Compass(), Qt::LeftButton, Qt::NoModifier, At(140, 20));
    EXPECT_FALSE(page.Compass()->IsDragging());
    QTest::mouseRelease(page.Compass(), Qt::LeftButton, Qt::NoModifier, At(140, 20));
    EXPECT_EQ(Arrange(state).m_settings.m_nDirection, 1);
    EXPECT_LE(changes - before, 1);  // at most the step of 0
}

TEST_F(DirectionPageTest, SliderTurnsTheCompassWhileMovedAndTheBuildingWhenLetGo) {
    LoadSampleState(state, "tower");
    auto* slider = PageControl<QSlider>(&page, IDC_BUILDING_ANGLE);
    EXPECT_EQ(slider->minimum(), -8);
    EXPECT_EQ(slider->maximum(), 8);
    const CVector4 asRead = FirstCorner();
    auto expectTurnedBy = [this](double viewAngle) {
        CDataSet expected = state->m_data;
        expected.TurnBuilding(viewAngle);
        const CVector4 e = expected.m_geoMain.m_objects[0].m_faces[0].m_vertices[0];
        EXPECT_TRUE(FirstCorner() == e) << viewAngle;
    };

    // The handle's centre for a value, on the groove.
    const QRect handle = SliderPart(slider, QStyle::CC_Slider, QStyle::SC_SliderHandle);
    const QRect groove = SliderPart(slider, QStyle::CC_Slider, QStyle::SC_SliderGroove);
    auto xOf = [&](int value) {
        return groove.left() + handle.width() / 2 +
               QStyle::sliderPositionFromValue(-8, 8, value, groove.width() - handle.width());
    };
    const int y = handle.center().y();
    EXPECT_TRUE(Near(Shown(103, 103), kOrange));
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, handle.center());
    QTest::mouseMove(slider, QPoint(xOf(-2), y));
    ASSERT_EQ(slider->value(), -2);
    // Turned by -45 degrees on the compass: the square's corner leaves the diagonal.
    EXPECT_FALSE(Near(Shown(103, 103), kOrange));
    EXPECT_TRUE(FirstCorner() == asRead);
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, QPoint(xOf(-2), y));
    expectTurnedBy(45.0);
    EXPECT_EQ(state->m_nBuildingAngleStep, -2);

    // Both ends mean 180 degrees.
    for (int end : {-8, 8}) {
        const QRect now = SliderPart(slider, QStyle::CC_Slider, QStyle::SC_SliderHandle);
        QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, now.center());
        QTest::mouseMove(slider, QPoint(end < 0 ? 0 : slider->width() - 1, y));
        QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier,
                            QPoint(end < 0 ? 0 : slider->width() - 1, y));
        ASSERT_EQ(slider->value(), end);
        expectTurnedBy(180.0);
    }
    // A reset of the display leaves the building turned, and the slider with it.
    Arrange(state).m_settings.m_nDirection = 5;
    Arrange(state).ResetDisplayState();
    state.Changed(ASPECT_DISPLAY);
    EXPECT_EQ(slider->value(), 8);
    EXPECT_EQ(AngleText(), QStringLiteral("0"));
    expectTurnedBy(180.0);

    // A settings file brings a direction and a building-angle step: the page follows.
    {
        auto edit = state.Edit(ASPECT_DISPLAY | ASPECT_POSITIONS);
        edit->m_settings.m_nDirection = 3;
        edit->SetBuildingAngleStep(-4, true);
    }
    EXPECT_EQ(AngleText(), QStringLiteral("67.5"));
    EXPECT_EQ(slider->value(), -4);
    expectTurnedBy(90.0);
}

}  // namespace
