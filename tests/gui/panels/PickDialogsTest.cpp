#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "GuiTestSupport.h"
#include "dataset/DataSetLoad.h"
#include "field/Picking.h"
#include "field/SurfaceValues.h"
#include "panels/RangeDlg.h"
#include "state/SelectionSteps.h"
#include "ui/AutoCorrectDlg.h"
#include "ui/CoordEditDlg.h"
#include "view/PickSupport.h"

namespace {

// The range, coordinate-edit and auto-correction dialogs on the tower sample's state (no view):
// its front wall lies in the plane y = -10000.
class PickDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Arrange(state).LoadDataSet(std::string(KZV_SAMPLES_DIR) + "tower/", CHeaderFile(), 800,
                                   600);
    }

public:
    static void TypeInto(QLineEdit* edit, const QString& text) { Type(edit, text); }

protected:
    static void Type(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    static void Click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }
    CRangeRequest Rectangle() {
        CRangeRequest request;
        request.corner[0] = CVector4(-5000, -10000, 10000);
        request.corner[1] = CVector4(5000, -10000, 30000);
        request.panel[0] = Arrange(state).m_data.FindPanelContaining(request.corner[0]);
        request.panel[1] = Arrange(state).m_data.FindPanelContaining(request.corner[1]);
        request.orientation = 1;
        return request;
    }
    CStateOwner state;
    MessageLog messages;
};

TEST_F(PickDialogsTest, RangeDialogChecksDivisionsAndCornersBeforeItEnds) {
    CRangeDlg dialog(*state, Rectangle());
    ASSERT_TRUE(ShowExposed(dialog, 420, 260));
    auto edit = [&](int id) { return ControlOf<QLineEdit>(&dialog, id); };
    EXPECT_EQ(edit(CRangeDlg::IDC_X1)->text(), QStringLiteral("-5000.00"));
    EXPECT_EQ(edit(CRangeDlg::IDC_Z2)->text(), QStringLiteral("30000.00"));
    EXPECT_EQ(edit(CRangeDlg::IDC_P)->text(), QStringLiteral("1"));
    EXPECT_FALSE(edit(CRangeDlg::IDC_Y1)->isEnabled());
    EXPECT_FALSE(edit(CRangeDlg::IDC_Y2)->isEnabled());
    EXPECT_TRUE(edit(CRangeDlg::IDC_X2)->isEnabled());
    QPushButton* divide = ControlOf<QPushButton>(&dialog, CRangeDlg::IDC_DIVIDE);

    // Not a division: zero, nothing, a negative number, trailing letters, a grid too large
    // to hold. The failing edit takes the focus.
    const QString invalid = QStringLiteral("この分割数は無効です。再入力してください。");
    for (auto [p, q, focus] :
         {std::tuple{"0", "1", CRangeDlg::IDC_P}, std::tuple{"", "1", CRangeDlg::IDC_P},
          std::tuple{"-3", "1", CRangeDlg::IDC_P}, std::tuple{"2", "3x", CRangeDlg::IDC_Q},
          std::tuple{"5000", "5000", CRangeDlg::IDC_P}}) {
        Type(edit(CRangeDlg::IDC_P), QString::fromLatin1(p));
        Type(edit(CRangeDlg::IDC_Q), QString::fromLatin1(q));
        messages.entries.clear();
        Click(divide);
        ASSERT_EQ(messages.entries.size(), 1u) << p << " " << q;
        EXPECT_EQ(messages.entries[0].text, invalid);
        EXPECT_TRUE(messages.entries[0].caption.isEmpty());
        EXPECT_EQ(messages.entries[0].icon, KzIcon::Error);
        EXPECT_EQ(dialog.focusWidget(), edit(focus)) << p << " " << q;
    }
    EXPECT_TRUE(dialog.isVisible());

    // A corner off the building: the first that fails is named.
    Type(edit(CRangeDlg::IDC_P), QStringLiteral("2"));
    Type(edit(CRangeDlg::IDC_Q), QStringLiteral("3"));
    Type(edit(CRangeDlg::IDC_X1), QStringLiteral("-30000"));
    Type(edit(CRangeDlg::IDC_Z2), QStringLiteral("90000"));
    messages.entries.clear();
    Click(divide);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, QStringLiteral("選択点1は無効です。再入力してください。"));
    Type(edit(CRangeDlg::IDC_X1), QStringLiteral("-4000"));
    messages.entries.clear();
    Click(divide);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, QStringLiteral("選択点2は無効です。再入力してください。"));

    // A grid whose values (points x directions) pass those of 100 000 points of 8 directions
    // asks first; No keeps the dialog open. The tower has 16 directions: 251 x 251 points ask.
    ASSERT_EQ(Arrange(state).m_data.m_cp.m_nDirectionCount, 16);
    Type(edit(CRangeDlg::IDC_Z2), QStringLiteral("25000.5"));
    Type(edit(CRangeDlg::IDC_P), QStringLiteral("250"));
    Type(edit(CRangeDlg::IDC_Q), QStringLiteral("250"));
    messages.entries.clear();
    messages.answer = KzAnswer::No;
    Click(divide);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(
        messages.entries[0].text,
        QStringLiteral(
            "63001 個のデータ表示点を作成します。時間とメモリを多く使います。よろしいですか？"));
    Type(edit(CRangeDlg::IDC_P), QStringLiteral("400"));
    Type(edit(CRangeDlg::IDC_Q), QStringLiteral("300"));
    messages.entries.clear();
    messages.answer = KzAnswer::No;
    Click(divide);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].buttons, KzButtons::YesNo);
    EXPECT_TRUE(dialog.isVisible());

    // Enter anywhere divides.
    Type(edit(CRangeDlg::IDC_P), QStringLiteral("4"));
    QTest::keyClick(edit(CRangeDlg::IDC_Q), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const CRangeRequest& result = dialog.Request();
    EXPECT_EQ(result.divisionsP, 4);
    EXPECT_EQ(result.divisionsQ, 300);
    EXPECT_FLOAT_EQ(result.corner[0].x, -4000.0f);
    EXPECT_FLOAT_EQ(result.corner[1].z, 25000.5f);
}

TEST_F(PickDialogsTest, CoordinateEditTakesRelativeNumbersOnTheSurfaceOrOffersACorrection) {
    const CVector4 start(1000, -10000, 20000);
    const int id = SelectArbitraryPoint(Arrange(state),
                                        Arrange(state).m_data.FindPanelContaining(start), start);
    const std::array<double, 3> origin = {100, 200, 300};
    auto run = [&](const QString& x, const QString& y, const QString& z,
                   std::function<void(CCoordEditDlg&)> then) {
        CCoordEditDlg dialog(*state, *FindArbitraryPoint(Arrange(state).m_selection, id), origin);
        dialog.show();
        Type(dialog.Edit(CCoordEditDlg::IDC_X), x);
        Type(dialog.Edit(CCoordEditDlg::IDC_Y), y);
        Type(dialog.Edit(CCoordEditDlg::IDC_Z), z);
        Click(ControlOf<QPushButton>(&dialog, CCoordEditDlg::IDC_OK));
        then(dialog);
    };

    {
        // The list's numbers: the position minus the origin.
        CCoordEditDlg dialog(*state, *FindArbitraryPoint(Arrange(state).m_selection, id), origin);
        EXPECT_EQ(dialog.Edit(CCoordEditDlg::IDC_X)->text(), QStringLiteral("900"));
        EXPECT_EQ(dialog.Edit(CCoordEditDlg::IDC_Y)->text(), QStringLiteral("-10200"));
    }
    // On the wall: taken at once, stored absolute, with values for every direction.
    run("2900", "-10200", "40700", [&](CCoordEditDlg& dialog) {
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(dialog.Record().pos == CVector4(3000, -10000, 41000));
        EXPECT_EQ(dialog.Record().panel,
                  Arrange(state).m_data.FindPanelContaining(CVector4(3000, -10000, 41000)));
        EXPECT_EQ(dialog.Record().values.size(),
                  static_cast<size_t>(Arrange(state).m_data.m_cp.m_nDirectionCount));
        EXPECT_EQ(dialog.Record().id, id);
    });
    // Off the wall: the offer; "手動で修正する" keeps the typed numbers and the dialog open.
    WhenModalShows(CAutoCorrectDlg::IDD, [](QDialog& offer) {
        const QString text =
            ControlOf<QPlainTextEdit>(&offer, CAutoCorrectDlg::IDC_MESSAGE)->toPlainText();
        EXPECT_TRUE(text.startsWith(
            QStringLiteral("指定された座標は、メッシュ内部の点ではないか、\nまたは")));
        Click(ControlOf<QPushButton>(&offer, CAutoCorrectDlg::IDC_BY_HAND));
    });
    run("2900", "-9000", "40700", [](CCoordEditDlg& dialog) {
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.Edit(CCoordEditDlg::IDC_Y)->text(), QStringLiteral("-9000"));
    });
    // "自動補正して設定する": moved onto the wall's plane and taken.
    WhenModalShows(CAutoCorrectDlg::IDD, [](QDialog& offer) {
        Click(ControlOf<QPushButton>(&offer, CAutoCorrectDlg::IDC_AUTOMATICALLY));
    });
    run("2900", "-9000", "40700", [](CCoordEditDlg& dialog) {
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_NEAR(dialog.Record().pos.y, -10000.0f, 0.01f);
    });
    // Beyond the building's edge the plane holds no panel: the correction fails.
    WhenModalShows(CAutoCorrectDlg::IDD, [](QDialog& offer) {
        Click(ControlOf<QPushButton>(&offer, CAutoCorrectDlg::IDC_AUTOMATICALLY));
    });
    messages.entries.clear();
    run("49900", "-9000", "40700", [this](CCoordEditDlg& dialog) {
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(messages.entries.size(), 1u);
        EXPECT_EQ(messages.entries[0].text,
                  QStringLiteral("自動補正に失敗しました。手動で設定し直してください。"));
    });
}

// The gable sample's south roof slope rises 3 in 4 from the eave (y = -4000, z = 6000) to the
// ridge (y = 0, z = 9000); its taps are given to tenths. Points typed exactly onto that plane,
// near the panels' edges too, are taken without the offer of a correction, on the panel the
// point was made on when they lie on its edge.
TEST(PickDialogsOnARoof, CoordinateEditTakesPointsTypedOntoTheRoofsPlane) {
    CStateOwner state;
    Arrange(state).LoadDataSet(std::string(KZV_SAMPLES_DIR) + "gable/", CHeaderFile(), 800, 600);
    const CVector4 start(-3000, -3600, 6300);
    const int panel = Arrange(state).m_data.FindPanelContaining(start);
    ASSERT_GE(panel, 0);
    ASSERT_GT(Arrange(state).m_data.PanelNormal(panel).z, 0.5f);
    const int id = SelectArbitraryPoint(Arrange(state), panel, start);
    // Any offer of a correction is a failure: answered by hand so that the test goes on.
    int offers = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&offers] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr && dialog->property("resourceId").toInt() == CAutoCorrectDlg::IDD) {
            ++offers;
            dialog->done(CAutoCorrectDlg::IDC_BY_HAND);
        }
    });
    watch.start(10);
    const double xs[] = {-3954.9, -3954.8, -3000, -2175.2, 1.5};
    const double ys[] = {-4000, -3999.6, -3318.3, -2000, -1000.4, -0.4};
    for (double x : xs) {
        for (double y : ys) {
            const double z = 6000 + 0.75 * (y + 4000);
            CCoordEditDlg dialog(*state, *FindArbitraryPoint(Arrange(state).m_selection, id),
                                 {0, 0, 0});
            dialog.show();
            for (auto [edit, value] :
                 {std::pair{CCoordEditDlg::IDC_X, x}, std::pair{CCoordEditDlg::IDC_Y, y},
                  std::pair{CCoordEditDlg::IDC_Z, z}}) {
                PickDialogsTest::TypeInto(dialog.Edit(edit), QString::number(value, 'f', 2));
            }
            const int before = offers;
            QTest::mouseClick(ControlOf<QPushButton>(&dialog, CCoordEditDlg::IDC_OK),
                              Qt::LeftButton);
            EXPECT_EQ(offers, before) << x << " " << y;
            EXPECT_EQ(dialog.result(), QDialog::Accepted) << x << " " << y;
            EXPECT_GT(Arrange(state).m_data.PanelNormal(dialog.Record().panel).z, 0.5f)
                << x << " " << y;
            EXPECT_LT(dialog.Record().values[0], 990.0);
        }
    }
    // On the eave the point stays on the roof, not on the wall that comes first in the mesh.
    EXPECT_EQ(PanelHolding(Arrange(state).m_data, panel, CVector4(-3000, -4000, 6000)), panel);
}

}  // namespace
