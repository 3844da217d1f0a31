#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "GuiTestSupport.h"
#include "panels/CommentDlg.h"
#include "ui/ColorPrompt.h"
#include "ui/ColorSwatch.h"
#include "view/KZ_VView.h"

namespace {

class CommentDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ShowExposed(view, 400, 300));
        Arrange(view.Owner()).m_settings.m_comment.position = CVector4(10, 20, 1000);
        Arrange(view.Owner()).m_settings.m_comment.flags[2] = 1;
    }
    CStateOwner viewState;
    CKZ_VView view{viewState};
};

TEST_F(CommentDlgTest, ChangesApplyAtOnceAndCancelPutsThemBack) {
    CCommentDlg dialog(view.Owner(), view.ClientWidth(), view.ClientHeight());
    EXPECT_EQ(dialog.property("resourceId").toInt(), 162);
    EXPECT_TRUE(dialog.ItemBox(2)->isChecked());
    EXPECT_EQ(dialog.ItemBox(2)->property("controlId").toInt(), 1313);
    EXPECT_EQ(dialog.XBar()->maximum(), 400);
    EXPECT_EQ(dialog.YBar()->maximum(), 300);
    EXPECT_EQ(dialog.FontList()->currentText(), QString::fromUtf8("ＭＳ ゴシック"));
    EXPECT_EQ(dialog.SizeList()->currentText(), QStringLiteral("14"));

    dialog.XBar()->setValue(150);
    dialog.YBar()->setValue(90);
    dialog.ItemBox(5)->setChecked(true);
    dialog.SizeList()->setCurrentIndex(3);
    EXPECT_EQ(Arrange(view.Owner()).m_settings.m_comment.position.x, 150.0f);
    EXPECT_EQ(Arrange(view.Owner()).m_settings.m_comment.flags[5], 1);
    EXPECT_EQ(Arrange(view.Owner()).m_settings.m_comment.size, 20);
    EXPECT_EQ(dialog.PositionField()->text(), QStringLiteral("(150,90)"));

    dialog.reject();
    EXPECT_EQ(Arrange(view.Owner()).m_settings.m_comment.position.x, 10.0f);
    EXPECT_EQ(Arrange(view.Owner()).m_settings.m_comment.position.y, 20.0f);
    EXPECT_EQ(Arrange(view.Owner()).m_settings.m_comment.flags[5], 0);
    EXPECT_EQ(Arrange(view.Owner()).m_settings.m_comment.flags[2], 1);
    EXPECT_EQ(Arrange(view.Owner()).m_settings.m_comment.size, 14);
}

TEST_F(CommentDlgTest, OkKeepsTheChangesAndTheChosenColour) {
    const KzColorHook previous =
        SetColorHook([](const QColor&) { return std::optional<QColor>(QColor(255, 0, 0)); });
    CCommentDlg dialog(view.Owner(), view.ClientWidth(), view.ClientHeight());
    dialog.FontList()->setCurrentIndex(1);
    dialog.Swatch()->click();
    dialog.accept();
    SetColorHook(previous);
    EXPECT_EQ(Arrange(view.Owner()).m_settings.m_comment.font, "ＭＳ 明朝");
    EXPECT_FLOAT_EQ(Arrange(view.Owner()).m_settings.m_comment.colour.x, 1.0f);
    EXPECT_FLOAT_EQ(Arrange(view.Owner()).m_settings.m_comment.colour.y, 0.0f);
    EXPECT_EQ(Arrange(view.Owner()).m_settings.m_comment.position.x, 10.0f);
}

// The user clicks the swatch and picks pure blue: the swatch shows exactly that colour over
// its whole inside, and the comment takes it.
TEST_F(CommentDlgTest, SwatchShowsExactlyTheChosenColour) {
    QColor offered;
    const KzColorHook previous = SetColorHook([&offered](const QColor& initial) {
        offered = initial;
        return std::optional<QColor>(QColor(0, 0, 255));
    });
    CCommentDlg dialog(view.Owner(), view.ClientWidth(), view.ClientHeight());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.Swatch(), Qt::LeftButton);
    SetColorHook(previous);
    EXPECT_EQ(offered, QColor(0, 0, 0));  // the comment's colour so far
    EXPECT_FLOAT_EQ(Arrange(view.Owner()).m_settings.m_comment.colour.z, 1.0f);

    const QImage image = dialog.Swatch()->grab().toImage();
    const QRect inside = QRect(QPoint(0, 0), image.size()).adjusted(3, 3, -3, -3);
    int other = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            other += image.pixelColor(x, y) != QColor(0, 0, 255) ? 1 : 0;
        }
    }
    EXPECT_EQ(other, 0) << "e.g. " << image.pixelColor(inside.center()).name().toStdString();
}

TEST_F(CommentDlgTest, UnknownFontOrSizeSelectsNothing) {
    Arrange(view.Owner()).m_settings.m_comment.font = "IPAGothic";
    Arrange(view.Owner()).m_settings.m_comment.size = 15;
    CCommentDlg dialog(view.Owner(), view.ClientWidth(), view.ClientHeight());
    EXPECT_EQ(dialog.FontList()->currentIndex(), -1);
    EXPECT_EQ(dialog.SizeList()->currentIndex(), -1);
    dialog.ItemBox(0)->setChecked(true);  // other changes keep the unknown ones
    EXPECT_EQ(Arrange(view.Owner()).m_settings.m_comment.font, "IPAGothic");
    EXPECT_EQ(Arrange(view.Owner()).m_settings.m_comment.size, 15);
}

}  // namespace
