// The contour page on a bare state: faces, kinds, colours, labels, the skip box and the
// clearing of the labels, clicked and typed.

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "ColorPrompt.h"
#include "ColorSwatch.h"
#include "ContourPage.h"
#include "MessageBox.h"
#include "PageControlIds.h"
#include "UpDown.h"
#include "panels/PageTestSupport.h"

namespace {

using namespace kzv::page;

// The fifteen controls that line contours alone use.
const int kLineControls[] = {IDC_LINE_COLOR_GROUP, IDC_LINE_COLOR_LEVEL,  IDC_LINE_COLOR_FIXED,
                             IDC_LINE_COLOR,       IDC_LABELS_GROUP,      IDC_LABELS_OFF,
                             IDC_LABELS_ON,        IDC_LINE_SETTINGS,     IDC_LABEL_COLOR_GROUP,
                             IDC_LABEL_COLOR_LINE, IDC_LABEL_COLOR_FIXED, IDC_LABEL_COLOR,
                             IDC_LABEL_SIZE,       IDC_LABEL_FONT,        IDC_EDIT_LABEL_POS};

class ContourPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        page.Attach(state);
        ASSERT_TRUE(ShowExposed(page, 340, 640));
        page.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
        LoadSampleState(state, "gable");
        m_previousBox = SetMessageBoxHook(
            [this](const QString& text, const QString& caption, KzButtons, KzIcon) {
                messages << text;
                captions << caption;
                return answer;
            });
        m_previousColour = SetColorHook([](const QColor&) { return QColor(10, 200, 30); });
    }
    void TearDown() override {
        SetMessageBoxHook(m_previousBox);
        SetColorHook(m_previousColour);
    }

    QWidget* Control(int id) { return PageControl<QWidget>(&page, id); }
    QRadioButton* Radio(int id) { return PageControl<QRadioButton>(&page, id); }
    QLineEdit* Skip() { return PageControl<QLineEdit>(&page, IDC_LABEL_SKIP); }
    void TypeSkip(const QString& text) {
        Click(Skip());
        Skip()->selectAll();
        QTest::keyClick(Skip(), Qt::Key_Delete);
        QTest::keyClicks(Skip(), text);
    }

    CViewState state;
    CContourPage page;
    QStringList messages, captions;
    KzAnswer answer = KzAnswer::Ok;

private:
    KzMessageBoxHook m_previousBox;
    KzColorHook m_previousColour;
};

TEST_F(ContourPageTest, SkipBoxFollowsTypingAndArrowsAndRefusesEleven) {
    TypeSkip(QStringLiteral("11"));
    EXPECT_EQ(state.m_nLabelSkip, 11);  // the labels follow the box while it is typed
    QTest::keyClick(Skip(), Qt::Key_Tab);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("このスキップ数は無効です。再入力してください。"));
    EXPECT_EQ(captions[0], QStringLiteral("コンタレベルの表示スキップ数エラー"));
    EXPECT_TRUE(Skip()->text().isEmpty());
    EXPECT_TRUE(Skip()->hasFocus());
    EXPECT_EQ(state.m_nLabelSkip, 0);

    TypeSkip(QStringLiteral("9"));
    QTest::keyClick(Skip(), Qt::Key_Tab);
    EXPECT_EQ(messages.size(), 1);
    auto* spin = PageControl<CUpDown>(&page, IDC_LABEL_SKIP_SPIN);
    for (int i = 0; i < 3; ++i) {
        Click(spin->UpButton());  // 10 is the most
    }
    EXPECT_EQ(state.m_nLabelSkip, 10);
    EXPECT_EQ(Skip()->text(), QStringLiteral("10"));
    Click(spin->DownButton());
    EXPECT_EQ(state.m_nLabelSkip, 9);
}

TEST_F(ContourPageTest, KindsSwitchTheLineGroupAndItsControlsWriteTheState) {
    ClickIndicator(Radio(IDC_KIND_SURFACE));
    EXPECT_EQ(state.m_nContourKind, 0);
    for (int id : kLineControls) {
        EXPECT_FALSE(Control(id)->isEnabled()) << id;
    }
    // The level skip and the clearing stay usable.
    EXPECT_TRUE(Skip()->isEnabled());
    EXPECT_TRUE(Control(IDC_CLEAR_LABELS)->isEnabled());

    ClickIndicator(Radio(IDC_KIND_BOTH));
    EXPECT_EQ(state.m_nContourKind, 2);
    for (int id : kLineControls) {
        EXPECT_TRUE(Control(id)->isEnabled()) << id;
    }
    ClickIndicator(Radio(IDC_LINE_COLOR_FIXED));
    ClickIndicator(Radio(IDC_LABELS_ON));
    ClickIndicator(Radio(IDC_LABEL_COLOR_FIXED));
    EXPECT_EQ(state.m_nLineColorMode, 1);
    EXPECT_EQ(state.m_bShowLabels, 1);
    EXPECT_EQ(state.m_nLabelColorMode, 1);
    Click(Control(IDC_LABEL_COLOR));
    EXPECT_EQ(VectorToColorRef(state.m_clrLabel), MakeColorRef(10, 200, 30));
    EXPECT_EQ(PageControl<CColorSwatch>(&page, IDC_LABEL_COLOR)->Color(), QColor(10, 200, 30));
    EXPECT_EQ(VectorToColorRef(state.m_clrLine), MakeColorRef(0, 0, 0));

    // Font and size from the lists, by the keyboard.
    auto* size = PageControl<QComboBox>(&page, IDC_LABEL_SIZE);
    size->setFocus();
    QTest::keyClick(size, Qt::Key_Down);
    EXPECT_EQ(state.m_nLabelFontSize, 16);
    auto* font = PageControl<QComboBox>(&page, IDC_LABEL_FONT);
    font->setFocus();
    QTest::keyClick(font, Qt::Key_Down);
    EXPECT_EQ(state.m_strLabelFont, "ＭＳ 明朝");
}

TEST_F(ContourPageTest, ClearingTheLabelsAsksFirst) {
    state.m_abSlotOn[4] = 1;
    state.m_aSlot[4][1].Set(10, 20, 30);
    state.BeginSlotEdit(6);
    state.Changed(ASPECT_SELECTION);

    answer = KzAnswer::No;
    Click(Control(IDC_CLEAR_LABELS));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("コンタの数値表示を消去します。よろしいですか？"));
    EXPECT_EQ(captions[0], QStringLiteral("数値表示の消去"));
    EXPECT_EQ(state.m_abSlotOn[4], 1);
    EXPECT_TRUE(state.m_aSlot[4][1] == CVector4(10, 20, 30));
    EXPECT_EQ(state.m_nPickMode, 6);

    answer = KzAnswer::Yes;
    Click(Control(IDC_CLEAR_LABELS));
    EXPECT_EQ(state.m_abSlotOn[4], 0);
    EXPECT_TRUE(state.m_aSlot[4][1] == CVector4());
    EXPECT_EQ(state.m_nEditSlot, -1);
    EXPECT_EQ(state.m_nPickMode, 0);
}

TEST_F(ContourPageTest, FacePickingOnlyWhileThePageIsInFront) {
    ClickIndicator(Radio(IDC_FACES_CHOSEN));
    EXPECT_EQ(state.m_nPickMode, 1);
    page.hide();
    EXPECT_EQ(state.m_nPickMode, 0);
    page.show();
    EXPECT_EQ(state.m_nPickMode, 1);

    // The view toggles faces; the choice stays, even when every face is on again.
    state.m_abPanelContour[0] = 0;
    state.Changed(ASPECT_CONTOURS | ASPECT_SELECTION);
    state.m_abPanelContour[0] = 1;
    state.Changed(ASPECT_CONTOURS | ASPECT_SELECTION);
    EXPECT_TRUE(Radio(IDC_FACES_CHOSEN)->isChecked());
    EXPECT_EQ(state.m_nPickMode, 1);

    ClickIndicator(Radio(IDC_FACES_NONE));
    EXPECT_EQ(state.PanelContourChoice(), FacesShown::None);
    EXPECT_EQ(state.m_nPickMode, 0);
    ClickIndicator(Radio(IDC_FACES_ALL));
    EXPECT_EQ(state.PanelContourChoice(), FacesShown::All);

    // Another page's pick mode outlives the page's going.
    state.m_nPickMode = 2;
    page.hide();
    EXPECT_EQ(state.m_nPickMode, 2);
}

TEST_F(ContourPageTest, ASettingsFileSelectsItsFontAndFaces) {
    auto* font = PageControl<QComboBox>(&page, IDC_LABEL_FONT);
    auto* size = PageControl<QComboBox>(&page, IDC_LABEL_SIZE);
    state.m_strLabelFont = "ＭＳ 明朝";
    state.m_nLabelFontSize = 18;
    state.m_nContourKind = 1;
    state.m_nLabelSkip = 4;
    state.m_abPanelContour[1] = 0;
    state.Changed(ASPECT_ALL & ~(ASPECT_DATASET | ASPECT_POSITIONS));
    EXPECT_EQ(font->currentText(), QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(size->currentText(), QStringLiteral("18"));
    EXPECT_TRUE(Radio(IDC_KIND_LINES)->isChecked());
    EXPECT_TRUE(Control(IDC_EDIT_LABEL_POS)->isEnabled());
    EXPECT_TRUE(Radio(IDC_FACES_CHOSEN)->isChecked());
    EXPECT_EQ(Skip()->text(), QStringLiteral("4"));

    // A face and a size that the lists do not hold become their first entries.
    state.m_strLabelFont = "Arial";
    state.m_nLabelFontSize = 15;
    state.Changed(ASPECT_ALL & ~(ASPECT_DATASET | ASPECT_POSITIONS));
    EXPECT_EQ(font->currentIndex(), 0);
    EXPECT_EQ(state.m_strLabelFont, "ＭＳ ゴシック");
    EXPECT_EQ(state.m_nLabelFontSize, 14);
}

}  // namespace
