// The display page on a bare state: parts, modes, colour, bars and switches, clicked.

#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "panels/DisplayPage.h"
#include "panels/PageControlIds.h"
#include "panels/PageTestSupport.h"
#include "ui/ColorPrompt.h"
#include "ui/ColorSwatch.h"

namespace {

using namespace kzv::page;

const int kModeRadios[] = {IDC_MODE_FACES, IDC_MODE_LINES, IDC_MODE_NONE};
const int kSwitches[] = {IDC_SHOW_AXES, IDC_SHOW_AXIS_NUMBERS, IDC_SHOW_MARKERS, IDC_SHOW_NUMBERS,
                         IDC_SHOW_MESH, IDC_SHOW_GROUND,       IDC_SHOW_WIND,    IDC_THIN_TAPS};

class DisplayPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        page.Attach(state);
        ASSERT_TRUE(ShowExposed(page, 340, 640));
        LoadSampleState(state, "gable");
        m_previous = SetColorHook([this](const QColor& initial) -> std::optional<QColor> {
            asked << initial;
            return answer;
        });
    }
    void TearDown() override { SetColorHook(m_previous); }

    QRadioButton* Radio(int id) { return PageControl<QRadioButton>(&page, id); }
    void SelectPart(int row) {
        QListWidget* list = page.PartList();
        const QRect item = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
    }

    CStateOwner state;
    CDisplayPage page;
    QList<QColor> asked;
    std::optional<QColor> answer = QColor(200, 40, 10);

private:
    KzColorHook m_previous;
};

TEST_F(DisplayPageTest, ModesAndColourNeedASelectedPart) {
    ASSERT_EQ(page.PartList()->count(), Arrange(state).m_data.GetPartCount());
    for (int id : kModeRadios) {
        EXPECT_FALSE(Radio(id)->isEnabled()) << id;
    }
    Click(PageControl<CColorSwatch>(&page, IDC_PART_COLOR));
    EXPECT_TRUE(asked.isEmpty());

    // The last part is a neighbour's: sub parts follow the main ones.
    const int part = Arrange(state).m_data.GetPartCount() - 1;
    SelectPart(part);
    for (int id : kModeRadios) {
        EXPECT_TRUE(Radio(id)->isEnabled()) << id;
    }
    EXPECT_TRUE(Radio(IDC_MODE_LINES)->isChecked());  // every part is outlined after a load
    EXPECT_EQ(page.SwatchColor(), Arrange(state).m_data.GetPartColor(part));

    ClickIndicator(Radio(IDC_MODE_FACES));
    EXPECT_EQ(Arrange(state).m_data.GetPartMode(part), 0);
    EXPECT_EQ(Arrange(state).m_data.m_geoSub.m_objects.back().m_nDisplayMode, 0);
    ClickIndicator(Radio(IDC_MODE_NONE));
    EXPECT_EQ(Arrange(state).m_data.GetPartMode(part), 2);

    Click(PageControl<CColorSwatch>(&page, IDC_PART_COLOR));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0], QColor(178, 178, 178));  // grey 0.7
    EXPECT_EQ(Arrange(state).m_data.GetPartColor(part), MakeColorRef(200, 40, 10));
    EXPECT_EQ(page.SwatchColor(), MakeColorRef(200, 40, 10));
    // The group around the swatch answers a click too; a cancelled dialog changes nothing.
    answer.reset();
    auto* group = PageControl<QGroupBox>(&page, IDC_PART_COLOR_GROUP);
    QTest::mouseClick(group, Qt::LeftButton, Qt::NoModifier, QPoint(4, group->height() - 4));
    EXPECT_EQ(asked.size(), 2);
    EXPECT_EQ(Arrange(state).m_data.GetPartColor(part), MakeColorRef(200, 40, 10));
}

TEST_F(DisplayPageTest, BarsSetTheMaterialAndAResetRestoresTheSwitches) {
    auto* brightness = PageControl<QScrollBar>(&page, IDC_BRIGHTNESS);
    auto* contrast = PageControl<QScrollBar>(&page, IDC_CONTRAST);
    EXPECT_EQ(brightness->value(), 44);  // ambient grey 0.7
    EXPECT_EQ(contrast->value(), 100);
    QTest::mouseClick(
        brightness, Qt::LeftButton, Qt::NoModifier,
        SliderPart(brightness, QStyle::CC_ScrollBar, QStyle::SC_ScrollBarAddLine).center());
    EXPECT_EQ(brightness->value(), 45);
    EXPECT_EQ(Arrange(state).m_settings.m_clrAmbient.x, 0.703125f);
    EXPECT_EQ(Arrange(state).m_settings.m_clrAmbient.w, 1.0f);
    QTest::mouseClick(
        contrast, Qt::LeftButton, Qt::NoModifier,
        SliderPart(contrast, QStyle::CC_ScrollBar, QStyle::SC_ScrollBarSubPage).center());
    EXPECT_EQ(contrast->value(), 84);  // one page of 16 down
    EXPECT_EQ(Arrange(state).m_settings.m_clrShininess.x, 84.0f);

    for (int id : kSwitches) {
        ClickIndicator(PageControl<QCheckBox>(&page, id));
    }
    EXPECT_EQ(Arrange(state).m_settings.m_bShowAxes, 0);
    EXPECT_EQ(Arrange(state).m_settings.m_bShowAxisNumbers, 1);
    EXPECT_EQ(Arrange(state).m_settings.m_bShowMarkers, 0);
    EXPECT_EQ(Arrange(state).m_settings.m_bShowNumbers, 1);
    EXPECT_EQ(Arrange(state).m_settings.m_bShowMesh, 0);
    EXPECT_EQ(Arrange(state).m_settings.m_bShowGround, 1);
    EXPECT_EQ(Arrange(state).m_settings.m_bShowWind, 1);
    EXPECT_EQ(Arrange(state).m_settings.m_bThinTaps, 0);

    // "初期状態に戻す": axes, markers, mesh and thinning on, the rest off; the bars back as well.
    Arrange(state).ResetDisplayState();
    state.Changed(ASPECT_DISPLAY);
    const bool defaults[] = {true, false, true, false, true, false, false, true};
    for (size_t i = 0; i < std::size(kSwitches); ++i) {
        EXPECT_EQ(PageControl<QCheckBox>(&page, kSwitches[i])->isChecked(), defaults[i])
            << kSwitches[i];
    }
    EXPECT_EQ(brightness->value(), 44);
    EXPECT_EQ(contrast->value(), 100);
}

}  // namespace
