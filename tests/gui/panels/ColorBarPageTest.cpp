// The colour-bar page on a bare state: the band count and label interval by arrows and typing,
// the scale's ends, the end colours, the defaults and the preview.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "ColorBarPage.h"
#include "ColorPrompt.h"
#include "MessageBox.h"
#include "PageControlIds.h"
#include "UpDown.h"
#include "field/ColorScale.h"
#include "panels/PageTestSupport.h"

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
        m_previousBox = SetMessageBoxHook(
            [this](const QString& text, const QString& caption, KzButtons, KzIcon) {
                messages << text;
                captions << caption;
                return KzAnswer::Ok;
            });
        m_previousColour = SetColorHook([this](const QColor& initial) -> std::optional<QColor> {
            asked << initial;
            return QColor(120, 0, 160);
        });
    }
    void TearDown() override {
        SetMessageBoxHook(m_previousBox);
        SetColorHook(m_previousColour);
    }

    QLineEdit* Edit(int id) { return PageControl<QLineEdit>(&page, id); }
    // Types text into the box and leaves it with Tab (or Enter).
    void Enter(int id, const QString& text, Qt::Key leave = Qt::Key_Tab) {
        QLineEdit* edit = Edit(id);
        Click(edit);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, leave);
    }
    void Step(int spinId, bool up) {
        auto* spin = PageControl<CUpDown>(&page, spinId);
        Click(up ? spin->UpButton() : spin->DownButton());
    }

    CViewState state;
    CColorBarPage page;
    QStringList messages, captions;
    QList<QColor> asked;

private:
    KzMessageBoxHook m_previousBox;
    KzColorHook m_previousColour;
};

TEST_F(ColorBarPageTest, StepsOfTheBandCountSetTheLabelInterval) {
    Enter(IDC_BAR_DIVISIONS, QStringLiteral("15"), Qt::Key_Return);
    EXPECT_EQ(state.m_nDivisions, 15);
    EXPECT_EQ(state.m_nTickInterval, 1);
    Step(IDC_BAR_DIVISIONS_SPIN, true);
    EXPECT_EQ(state.m_nDivisions, 16);
    EXPECT_EQ(state.m_nTickInterval, 2);
    EXPECT_EQ(Edit(IDC_BAR_INTERVAL)->text(), QStringLiteral("2"));
    Enter(IDC_BAR_DIVISIONS, QStringLiteral("23"));
    const int expected[] = {3, 5, 2, 0};  // 24, 25, 26, 27
    for (int interval : expected) {
        Step(IDC_BAR_DIVISIONS_SPIN, true);
        EXPECT_EQ(state.m_nTickInterval, interval) << state.m_nDivisions;
    }
    EXPECT_EQ(state.m_nDivisions, 27);
    EXPECT_EQ(Edit(IDC_BAR_DIVISIONS)->text(), QStringLiteral("27"));
    // The ramp follows the count: its top band is the top colour.
    EXPECT_EQ(VectorToColorRef(state.m_aColorTable[26]), MakeColorRef(255, 0, 0));

    // The interval by its own arrows, 5 at most; a count stepped past 30 stays.
    for (int i = 0; i < 6; ++i) {
        Step(IDC_BAR_INTERVAL_SPIN, true);
    }
    EXPECT_EQ(state.m_nTickInterval, 5);
    Enter(IDC_BAR_DIVISIONS, QStringLiteral("30"));
    Step(IDC_BAR_DIVISIONS_SPIN, true);
    EXPECT_EQ(state.m_nDivisions, 30);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ColorBarPageTest, BoxesRefuseCountsOutsideTheirRange) {
    const QString text = QStringLiteral("この分割数は無効です。再入力してください。");
    for (const char* typed : {"31", "a"}) {
        Enter(IDC_BAR_DIVISIONS, QString::fromUtf8(typed));
        EXPECT_TRUE(Edit(IDC_BAR_DIVISIONS)->text().isEmpty()) << typed;
        EXPECT_TRUE(Edit(IDC_BAR_DIVISIONS)->hasFocus()) << typed;
        // The emptied box keeps the focus until it holds a count again.
        QTest::keyClicks(Edit(IDC_BAR_DIVISIONS), QStringLiteral("30"));
        QTest::keyClick(Edit(IDC_BAR_DIVISIONS), Qt::Key_Tab);
    }
    Enter(IDC_BAR_INTERVAL, QStringLiteral("6"));
    EXPECT_EQ(messages, QStringList({text, text, text}));
    EXPECT_EQ(captions[2], QStringLiteral("カラーバー分割数エラー"));
    EXPECT_EQ(state.m_nDivisions, 30);
    EXPECT_EQ(state.m_nTickInterval, 3);

    // Leaving a box as it was keeps the interval chosen since.
    QTest::keyClicks(Edit(IDC_BAR_INTERVAL), QStringLiteral("4"));
    QTest::keyClick(Edit(IDC_BAR_INTERVAL), Qt::Key_Return);
    Enter(IDC_BAR_DIVISIONS, QStringLiteral("30"));
    EXPECT_EQ(state.m_nTickInterval, 4);
}

TEST_F(ColorBarPageTest, EndsColoursAndDefaults) {
    Enter(IDC_BAR_MIN, QStringLiteral("-1"));
    Enter(IDC_BAR_MAX, QStringLiteral("-3.5"));
    EXPECT_EQ(state.m_dColorMax, -3.5);  // a top below the bottom is taken as it is
    Enter(IDC_BAR_MIN, QStringLiteral("0.25abc"));
    EXPECT_EQ(state.m_dColorMin, 0.25);
    EXPECT_EQ(Edit(IDC_BAR_MIN)->text(), QStringLiteral("0.25"));
    Enter(IDC_BAR_MAX, QStringLiteral("x"));
    EXPECT_EQ(state.m_dColorMax, 0.0);
    EXPECT_TRUE(messages.isEmpty());

    Click(PageControl<QWidget>(&page, IDC_BAR_MAX_COLOR));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0], QColor(255, 0, 0));
    EXPECT_EQ(page.TopColor(), MakeColorRef(120, 0, 160));
    EXPECT_EQ(state.m_aColorTable[29], ColorRefToVector(InterpolateColorHsv(
                                           30, 30, MakeColorRef(0, 0, 255), page.TopColor())));
    ClickIndicator(PageControl<QCheckBox>(&page, IDC_SHOW_COLOR_BAR));
    EXPECT_EQ(state.m_bShowColorBar, 0);
    Enter(IDC_BAR_DIVISIONS, QStringLiteral("7"));

    Click(PageControl<QPushButton>(&page, IDC_BAR_DEFAULTS));
    EXPECT_EQ(state.m_nDivisions, 30);
    EXPECT_EQ(state.m_dColorMax, 1.0);
    EXPECT_EQ(state.m_dColorMin, -1.0);
    EXPECT_EQ(state.m_nTickInterval, 3);
    EXPECT_EQ(state.m_bShowColorBar, 1);
    EXPECT_TRUE(PageControl<QCheckBox>(&page, IDC_SHOW_COLOR_BAR)->isChecked());
    const CDisplaySettings defaults;
    for (int i = 0; i < MAX_DIVISIONS; ++i) {
        EXPECT_EQ(state.m_aColorTable[i], defaults.m_aColorTable[i]) << i;
    }
    EXPECT_EQ(Edit(IDC_BAR_MAX)->text(), QStringLiteral("1"));
    EXPECT_EQ(Edit(IDC_BAR_MIN)->text(), QStringLiteral("-1"));
}

TEST_F(ColorBarPageTest, PreviewShowsTheBandsBottomUp) {
    Enter(IDC_BAR_DIVISIONS, QStringLiteral("10"));
    const QImage image = page.Preview()->grab().toImage();
    const QRect inside = page.Preview()->contentsRect();
    // Walk up the middle column: ten runs of colour, blue at the bottom, red at the top.
    const int x = inside.center().x();
    QList<QRgb> runs;
    for (int y = inside.bottom(); y >= inside.top(); --y) {
        const QRgb pixel = image.pixel(x, y) & 0xFFFFFF;
        if (runs.isEmpty() || runs.back() != pixel) {
            runs << pixel;
        }
    }
    ASSERT_EQ(runs.size(), 10);
    EXPECT_EQ(QColor(runs.front()), QColor(0, 0, 255));
    EXPECT_EQ(QColor(runs.back()), QColor(255, 0, 0));
    const COLORREF third =
        InterpolateColorHsv(10, 3, MakeColorRef(0, 0, 255), MakeColorRef(255, 0, 0));
    EXPECT_EQ(QColor(runs[2]), QColor(RedOf(third), GreenOf(third), BlueOf(third)));
    SaveScreenshot(image, QStringLiteral("colour-bar-preview-10"));
}

}  // namespace
