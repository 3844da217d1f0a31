// The colour-bar page on a bare state, clicked and typed.

#include <QPushButton>
#include <QToolButton>

#include "field/ColorScale.h"
#include "panels/ColorBarPage.h"
#include "panels/PageControlIds.h"
#include "panels/PageTestSupport.h"
#include "ui/MessageBox.h"
#include "ui/UpDown.h"

namespace {

using namespace kzv::page;

class ColorBarPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        page.Attach(state);
        ASSERT_TRUE(ShowExposed(page, 340, 400));
        page.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
        LoadSampleState(state, "tower");
        m_previous = SetMessageBoxHook(
            [this](const QString& text, const QString& caption, KzButtons, KzIcon) {
                messages << text + "|" + caption;
                return KzAnswer::Ok;
            });
    }
    void TearDown() override { SetMessageBoxHook(m_previous); }

    QLineEdit* Edit(int id) { return PageControl<QLineEdit>(&page, id); }
    // Types text into the box and leaves it with Tab.
    void Enter(int id, const QString& text) {
        Click(Edit(id));
        Edit(id)->selectAll();
        QTest::keyClicks(Edit(id), text);
        QTest::keyClick(Edit(id), Qt::Key_Tab);
    }
    void StepUp(int spinId) { Click(PageControl<CUpDown>(&page, spinId)->UpButton()); }

    CStateOwner state;
    CColorBarPage page;
    QStringList messages;

private:
    KzMessageBoxHook m_previous;
};

TEST_F(ColorBarPageTest, StepsOfTheBandCountSetTheLabelInterval) {
    Enter(IDC_BAR_DIVISIONS, QStringLiteral("15"));
    EXPECT_EQ(Arrange(state).m_settings.m_nTickInterval, 1);
    StepUp(IDC_BAR_DIVISIONS_SPIN);
    EXPECT_EQ(Arrange(state).m_settings.m_nDivisions, 16);
    EXPECT_EQ(Arrange(state).m_settings.m_nTickInterval, 2);
    Enter(IDC_BAR_DIVISIONS, QStringLiteral("23"));
    for (int interval : {3, 5, 2, 0}) {  // 24, 25, 26, 27
        StepUp(IDC_BAR_DIVISIONS_SPIN);
        EXPECT_EQ(Arrange(state).m_settings.m_nTickInterval, interval)
            << Arrange(state).m_settings.m_nDivisions;
    }
    EXPECT_EQ(Edit(IDC_BAR_DIVISIONS)->text(), QStringLiteral("27"));
    EXPECT_EQ(Edit(IDC_BAR_INTERVAL)->text(), QStringLiteral("0"));
    EXPECT_EQ(VectorToColorRef(Arrange(state).m_settings.m_aColorTable[26]),
              MakeColorRef(255, 0, 0));
    for (int i = 0; i < 6; ++i) {
        StepUp(IDC_BAR_INTERVAL_SPIN);
    }
    EXPECT_EQ(Arrange(state).m_settings.m_nTickInterval, 5);
}

TEST_F(ColorBarPageTest, BoxesRefuseCountsOutsideTheirRange) {
    const QString error =
        QStringLiteral("この分割数は無効です。再入力してください。|カラーバー分割数エラー");
    for (const char* typed : {"31", "a"}) {
        Enter(IDC_BAR_DIVISIONS, QString::fromUtf8(typed));
        EXPECT_TRUE(Edit(IDC_BAR_DIVISIONS)->text().isEmpty()) << typed;
        EXPECT_TRUE(Edit(IDC_BAR_DIVISIONS)->hasFocus()) << typed;
        // The emptied box keeps the focus until it holds a count again.
        QTest::keyClicks(Edit(IDC_BAR_DIVISIONS), QStringLiteral("30"));
        QTest::keyClick(Edit(IDC_BAR_DIVISIONS), Qt::Key_Tab);
    }
    Enter(IDC_BAR_INTERVAL, QStringLiteral("6"));
    EXPECT_EQ(messages, QStringList({error, error, error}));
    EXPECT_EQ(Arrange(state).m_settings.m_nDivisions, 30);
    // Leaving the count as it was keeps the interval chosen since.
    QTest::keyClicks(Edit(IDC_BAR_INTERVAL), QStringLiteral("4"));
    Enter(IDC_BAR_DIVISIONS, QStringLiteral("30"));
    EXPECT_EQ(Arrange(state).m_settings.m_nTickInterval, 4);
}

TEST_F(ColorBarPageTest, TopBelowBottomIsTakenAndTheDefaultsComeBack) {
    Enter(IDC_BAR_MAX, QStringLiteral("-3.5"));
    EXPECT_EQ(Arrange(state).m_settings.m_dColorMax, -3.5);
    Enter(IDC_BAR_MIN, QStringLiteral("0.25abc"));  // read as atof reads it
    EXPECT_EQ(Arrange(state).m_settings.m_dColorMin, 0.25);
    EXPECT_EQ(Edit(IDC_BAR_MIN)->text(), QStringLiteral("0.25"));
    EXPECT_TRUE(messages.isEmpty());
    Enter(IDC_BAR_DIVISIONS, QStringLiteral("7"));

    Click(PageControl<QPushButton>(&page, IDC_BAR_DEFAULTS));
    const CDisplaySettings defaults;
    EXPECT_EQ(Arrange(state).m_settings.m_nDivisions, 30);
    EXPECT_EQ(Arrange(state).m_settings.m_dColorMax, 1.0);
    EXPECT_EQ(Arrange(state).m_settings.m_dColorMin, -1.0);
    EXPECT_EQ(Arrange(state).m_settings.m_nTickInterval, 3);
    for (int i = 0; i < MAX_DIVISIONS; ++i) {
        EXPECT_EQ(Arrange(state).m_settings.m_aColorTable[i], defaults.m_aColorTable[i]) << i;
    }
    EXPECT_EQ(Edit(IDC_BAR_MAX)->text(), QStringLiteral("1"));
}

TEST_F(ColorBarPageTest, PreviewShowsTheBandsBottomUp) {
    Enter(IDC_BAR_DIVISIONS, QStringLiteral("10"));
    const QImage image = page.Preview()->grab().toImage();
    const QRect inside = page.Preview()->contentsRect();
    QList<QRgb> runs;  // the colours up the middle column
    for (int y = inside.bottom(); y >= inside.top(); --y) {
        const QRgb pixel = image.pixel(inside.center().x(), y) & 0xFFFFFF;
        if (runs.isEmpty() || runs.back() != pixel) {
            runs << pixel;
        }
    }
    ASSERT_EQ(runs.size(), 10);
    const COLORREF blue = MakeColorRef(0, 0, 255), red = MakeColorRef(255, 0, 0);
    for (int band : {0, 2, 9}) {
        const COLORREF c = InterpolateColorHsv(10, band + 1, blue, red);
        EXPECT_EQ(QColor(runs[band]), QColor(RedOf(c), GreenOf(c), BlueOf(c))) << band;
    }
}

}  // namespace
