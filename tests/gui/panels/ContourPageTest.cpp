// The contour page on a bare state, clicked and typed.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "panels/ContourPage.h"
#include "panels/PageControlIds.h"
#include "panels/PageTestSupport.h"
#include "ui/ColorPrompt.h"
#include "ui/MessageBox.h"
#include "ui/UpDown.h"

namespace {

using namespace kzv::page;

class ContourPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        page.Attach(state);
        ASSERT_TRUE(ShowExposed(page, 340, 640));
        page.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
        LoadSampleState(state, "gable");
        m_previous = SetMessageBoxHook(
            [this](const QString& text, const QString& caption, KzButtons, KzIcon) {
                messages << text + "|" + caption;
                return answer;
            });
    }
    void TearDown() override { SetMessageBoxHook(m_previous); }

    QWidget* Control(int id) { return PageControl<QWidget>(&page, id); }
    QRadioButton* Radio(int id) { return PageControl<QRadioButton>(&page, id); }
    QLineEdit* Skip() { return PageControl<QLineEdit>(&page, IDC_LABEL_SKIP); }

    CStateOwner state;
    CContourPage page;
    QStringList messages;
    KzAnswer answer = KzAnswer::Ok;

private:
    KzMessageBoxHook m_previous;
};

TEST_F(ContourPageTest, SkipBoxRefusesElevenAndStepsUpToTen) {
    Click(Skip());
    Skip()->selectAll();
    QTest::keyClicks(Skip(), QStringLiteral("11"));
    EXPECT_EQ(Arrange(state).m_settings.m_nLabelSkip,
              11);  // the labels follow the box while it is typed
    QTest::keyClick(Skip(), Qt::Key_Tab);
    EXPECT_EQ(messages, QStringList(QStringLiteral("このスキップ数は無効です。再入力してください。|"
                                                   "コンタレベルの表示スキップ数エラー")));
    EXPECT_TRUE(Skip()->text().isEmpty());
    EXPECT_TRUE(Skip()->hasFocus());
    EXPECT_EQ(Arrange(state).m_settings.m_nLabelSkip, 0);

    QTest::keyClicks(Skip(), QStringLiteral("9"));
    for (int i = 0; i < 2; ++i) {
        Click(PageControl<CUpDown>(&page, IDC_LABEL_SKIP_SPIN)->UpButton());
    }
    EXPECT_EQ(Arrange(state).m_settings.m_nLabelSkip, 10);
    EXPECT_EQ(Skip()->text(), QStringLiteral("10"));
}

TEST_F(ContourPageTest, SurfaceContoursDisableEveryLineControl) {
    const int lineControls[] = {1171, 1172, 1173, 1174, 1181, 1182, 1183, 1180,
                                1184, 1185, 1186, 1187, 1176, 1175, 1189};
    ClickIndicator(Radio(IDC_KIND_SURFACE));
    EXPECT_EQ(Arrange(state).m_settings.m_nContourKind, 0);
    for (int id : lineControls) {
        EXPECT_FALSE(Control(id)->isEnabled()) << id;
    }
    EXPECT_TRUE(Skip()->isEnabled());
    EXPECT_TRUE(Control(IDC_CLEAR_LABELS)->isEnabled());

    ClickIndicator(Radio(IDC_KIND_BOTH));
    for (int id : lineControls) {
        EXPECT_TRUE(Control(id)->isEnabled()) << id;
    }
    ClickIndicator(Radio(IDC_LABELS_ON));
    ClickIndicator(Radio(IDC_LABEL_COLOR_FIXED));
    const KzColorHook previous = SetColorHook([](const QColor&) { return QColor(10, 200, 30); });
    Click(Control(IDC_LABEL_COLOR));
    SetColorHook(previous);
    EXPECT_EQ(Arrange(state).m_settings.m_nContourKind, 2);
    EXPECT_EQ(Arrange(state).m_settings.m_bShowLabels, 1);
    EXPECT_EQ(Arrange(state).m_settings.m_nLabelColorMode, 1);
    EXPECT_EQ(VectorToColorRef(Arrange(state).m_settings.m_clrLabel), MakeColorRef(10, 200, 30));
    auto* size = PageControl<QComboBox>(&page, IDC_LABEL_SIZE);
    size->setFocus();
    QTest::keyClick(size, Qt::Key_Down);
    EXPECT_EQ(Arrange(state).m_settings.m_nLabelFontSize, 16);
}

TEST_F(ContourPageTest, NoToTheClearingQuestionKeepsTheLabels) {
    Arrange(state).m_settings.m_abSlotOn[4] = 1;
    Arrange(state).m_settings.m_aSlot[4][1].Set(10, 20, 30);
    Arrange(state).BeginSlotEdit(6);
    answer = KzAnswer::No;
    Click(Control(IDC_CLEAR_LABELS));
    EXPECT_EQ(messages, QStringList(QStringLiteral(
                            "コンタの数値表示を消去します。よろしいですか？|数値表示の消去")));
    EXPECT_EQ(Arrange(state).m_settings.m_abSlotOn[4], 1);
    EXPECT_TRUE(Arrange(state).m_settings.m_aSlot[4][1] == CVector4(10, 20, 30));

    answer = KzAnswer::Yes;
    Click(Control(IDC_CLEAR_LABELS));
    EXPECT_EQ(Arrange(state).m_settings.m_abSlotOn[4], 0);
    EXPECT_TRUE(Arrange(state).m_settings.m_aSlot[4][1] == CVector4());
    EXPECT_EQ(Arrange(state).m_selection.m_nPickMode, 0);  // the slot pick under way ends with it
}

TEST_F(ContourPageTest, FacePickingOnlyWhileThePageIsInFront) {
    ClickIndicator(Radio(IDC_FACES_CHOSEN));
    EXPECT_EQ(Arrange(state).m_selection.m_nPickMode, 1);
    page.hide();
    EXPECT_EQ(Arrange(state).m_selection.m_nPickMode, 0);
    page.show();
    EXPECT_EQ(Arrange(state).m_selection.m_nPickMode, 1);
    // The view's toggles leave the choice, even when every face is on again.
    state.Changed(ASPECT_CONTOURS | ASPECT_SELECTION);
    EXPECT_TRUE(Radio(IDC_FACES_CHOSEN)->isChecked());

    ClickIndicator(Radio(IDC_FACES_NONE));
    EXPECT_EQ(Arrange(state).PanelContourChoice(), FacesShown::None);
    EXPECT_EQ(Arrange(state).m_selection.m_nPickMode, 0);
    Arrange(state).m_selection.m_nPickMode = 2;  // another page's mode outlives this page's going
    page.hide();
    EXPECT_EQ(Arrange(state).m_selection.m_nPickMode, 2);
}

TEST_F(ContourPageTest, ASettingsFileSelectsItsFontAndAnUnknownFontTheFirst) {
    auto* font = PageControl<QComboBox>(&page, IDC_LABEL_FONT);
    Arrange(state).m_settings.m_strLabelFont = "ＭＳ 明朝";
    Arrange(state).m_settings.m_abPanelContour[1] = 0;
    state.Changed(ASPECT_DISPLAY);
    EXPECT_EQ(font->currentText(), QStringLiteral("ＭＳ 明朝"));
    EXPECT_TRUE(Radio(IDC_FACES_CHOSEN)->isChecked());

    Arrange(state).m_settings.m_strLabelFont = "Arial";
    Arrange(state).m_settings.m_nLabelFontSize = 15;
    state.Changed(ASPECT_DISPLAY);
    EXPECT_EQ(font->currentIndex(), 0);
    EXPECT_EQ(Arrange(state).m_settings.m_strLabelFont, "ＭＳ ゴシック");
    EXPECT_EQ(Arrange(state).m_settings.m_nLabelFontSize, 14);
}

}  // namespace
