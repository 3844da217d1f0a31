#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>

#include "app/MainFrame.h"
#include "field/Picking.h"
#include "panels/DataValuePage.h"
#include "panels/LabelPosDlg.h"
#include "panels/OperationPanelBar.h"
#include "panels/PageTestSupport.h"
#include "panels/RangeDlg.h"
#include "render/TestView.h"
#include "ui/AutoCorrectDlg.h"
#include "valuelist/ValueListDlg.h"
#include "view/PickSupport.h"

namespace {

// Every pick mode end to end in the program's window on the tower sample, seen from the front:
// the page's radios clicked, the model clicked, the rows read from the value list's table.
// The front wall lies at y = -10000, x from -10000 to 10000, z from 0 to 60000.
class PickTest : public ::testing::Test {
protected:
    virtual const char* Sample() const { return "tower"; }
    void SetUp() override {
        ASSERT_TRUE(ShowExposed(frame, 1100, 800));
        LoadSample(View(), Sample());
        QTabBar* tabs = frame.OperationPanel()->Tabs()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(5).center());
        ASSERT_TRUE(Page().isVisible());
        GrabFrame(View());
    }
    CKZ_VView& View() { return *frame.View(); }
    CDataValuePage& Page() { return *frame.OperationPanel()->m_pageDataValue; }
    QAbstractItemModel& Table() { return *frame.ValueListPage()->List()->model(); }
    int Rows() { return Table().rowCount(); }
    QString Cell(int row, int column) { return Table().index(row, column).data().toString(); }
    void ChooseMethod(int id) { ClickIndicator(Page().MethodRadio(id)); }
    void ClickModel(CVector4 p) {
        QTest::mouseClick(&View(), Qt::LeftButton, {}, WindowPoint(View(), p));
    }
    // Pixels of a square around a model point that show a contour colour.
    int ColouredAround(CVector4 p) {
        const QImage image = GrabFrame(View());
        const QPoint at = WindowPoint(View(), p);
        int n = 0;
        for (int y = at.y() - 20; y <= at.y() + 20; ++y) {
            for (int x = at.x() - 20; x <= at.x() + 20; ++x) {
                n += QColor(image.pixel(x, y)).saturation() > 80 ? 1 : 0;
            }
        }
        return n;
    }
    // The view turned about the screen's vertical axis, so that a side wall shows too; the
    // x of the side wall that faces the viewer.
    float TurnToSeeASide() {
        Arrange(View().Owner()).m_camera.Turn(CVector4(0, 30, 0));
        View().Owner().Changed(ASPECT_CAMERA);
        GrabFrame(View());
        const float east =
            Arrange(View().Owner())
                .m_camera
                .Project(CVector4(10000, 0, 30000), Arrange(View().Owner()).m_data.m_fScale)
                .z;
        const float west =
            Arrange(View().Owner())
                .m_camera
                .Project(CVector4(-10000, 0, 30000), Arrange(View().Owner()).m_data.m_fScale)
                .z;
        return east > west ? 10000.0f : -10000.0f;
    }
    CMainFrame frame;
};

TEST_F(PickTest, AClickOnATapListsItsRowAndUndoTakesItBack) {
    ChooseMethod(CDataValuePage::IDC_MEASUREMENT_POINT);
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_nPickMode, PICK_TAP);
    EXPECT_EQ(View().cursor().shape(), Qt::CrossCursor);
    const int i = LoneFrontTap(View(), WindowPoint(View(), CVector4(0, -10000, 30000)));
    ASSERT_GE(i, 0);
    const CVector4 tap = Arrange(View().Owner()).m_data.m_taps.m_aPos[static_cast<size_t>(i)];
    ClickModel(tap);
    ASSERT_EQ(Rows(), 1);
    EXPECT_EQ(
        Cell(0, 0),
        QString::number(Arrange(View().Owner()).m_data.m_taps.m_aTapNo[static_cast<size_t>(i)]));
    EXPECT_EQ(Cell(0, 2), QStringLiteral("-10000"));
    EXPECT_TRUE(Page().UndoButton()->isEnabled());

    // The same tap again: a second step, no second row. A click beside the model: nothing.
    ClickModel(tap);
    QTest::mouseClick(&View(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_lstUndoGroup.size(), 2u);
    Click(Page().UndoButton());
    EXPECT_EQ(Rows(), 0);
    EXPECT_TRUE(Page().UndoButton()->isEnabled());
    Click(Page().UndoButton());
    EXPECT_FALSE(Page().UndoButton()->isEnabled());
}

// Zoomed far out, every tap and panel of the tower lies under the cursor's pick square: the
// click still finds one (more hits than a small selection buffer holds).
TEST_F(PickTest, AClickOnAModelZoomedFarOutStillPicks) {
    Arrange(View().Owner()).m_camera.m_fZoom = 0.03f;
    View().Owner().Changed(ASPECT_CAMERA);
    GrabFrame(View());
    ChooseMethod(CDataValuePage::IDC_MEASUREMENT_POINT);
    ClickModel(CVector4(0, -10000, 30000));
    EXPECT_EQ(Rows(), 1);
    ChooseMethod(CDataValuePage::IDC_ARBITRARY_POINT);
    ClickModel(CVector4(0, -10000, 30000));
    EXPECT_EQ(Rows(), 2);
}

TEST_F(PickTest, AClickOnAWallMakesAnArbitraryPointThere) {
    ChooseMethod(CDataValuePage::IDC_ARBITRARY_POINT);
    ClickModel(CVector4(2000, -10000, 20000));
    ASSERT_EQ(Rows(), 1);
    ASSERT_EQ(Arrange(View().Owner()).m_selection.m_lstArbitrary.size(), 1u);
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_lstArbitrary.front().id, -1);
    EXPECT_EQ(Cell(0, 0), QStringLiteral("-"));
    EXPECT_EQ(Cell(0, 2), QStringLiteral("-10000"));  // moved onto the wall's plane
    const float pixel =
        1.0f / (Arrange(View().Owner()).m_data.m_fScale * Arrange(View().Owner()).m_camera.m_fZoom);
    EXPECT_NEAR(Cell(0, 1).toDouble(), 2000.0, 3 * pixel);
    EXPECT_NEAR(Cell(0, 3).toDouble(), 20000.0, 3 * pixel);
    EXPECT_LT(Cell(0, 4).toDouble(), 990.0);  // a value interpolated from the wall's taps
}

TEST_F(PickTest, ARectangleOfTwoByThreeDivisionsGivesTwelveRowsAndTwelveSteps) {
    ChooseMethod(CDataValuePage::IDC_RECTANGLE);
    EXPECT_TRUE(Page().RangeButton()->isChecked());
    ClickModel(CVector4(-5000, -10000, 10000));
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_nCornerCount, 0);

    WhenModalShows(CRangeDlg::IDD, [](QDialog& dialog) {
        for (auto [id, text] :
             {std::pair{CRangeDlg::IDC_P, "2"}, std::pair{CRangeDlg::IDC_Q, "3"}}) {
            QLineEdit* edit = ControlOf<QLineEdit>(&dialog, id);
            edit->selectAll();
            QTest::keyClicks(edit, QString::fromLatin1(text));
        }
        Click(ControlOf<QPushButton>(&dialog, CRangeDlg::IDC_DIVIDE));
    });
    ClickModel(CVector4(5000, -10000, 30000));
    ASSERT_EQ(Rows(), 12);
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_lstUndoGroup.size(), 12u);
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_nPickMode, PICK_NONE);
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_nCornerCount, -1);
    EXPECT_FALSE(Page().RangeButton()->isChecked());
    EXPECT_TRUE(Page().MethodRadio(CDataValuePage::IDC_RECTANGLE)->isChecked());
    // Corner to corner in the wall's plane, x in two steps (outer), z in three (inner).
    const double pixel =
        1.0 / (Arrange(View().Owner()).m_data.m_fScale * Arrange(View().Owner()).m_camera.m_fZoom);
    EXPECT_NEAR(Cell(0, 1).toDouble(), -5000, 3 * pixel);
    EXPECT_NEAR(Cell(11, 3).toDouble(), 30000, 3 * pixel);
    EXPECT_EQ(Cell(3, 1), Cell(0, 1));
    EXPECT_EQ(Cell(11, 2), QStringLiteral("-10000"));

    for (int left = 11; left >= 0; --left) {
        Click(Page().UndoButton());
        EXPECT_EQ(Rows(), left);
    }
    EXPECT_FALSE(Page().UndoButton()->isEnabled());
}

TEST_F(PickTest, ACornerOffTheFirstOnesSurfaceAsksAndCornersOnTwoPlanesAreRefused) {
    MessageLog messages;
    const float side = TurnToSeeASide();
    ChooseMethod(CDataValuePage::IDC_RECTANGLE);
    ClickModel(CVector4(-5000, -10000, 10000));
    // On the side wall: corrected by hand means the second corner is clicked again.
    WhenModalShows(CAutoCorrectDlg::IDD, [](QDialog& dialog) {
        Click(ControlOf<QPushButton>(&dialog, CAutoCorrectDlg::IDC_BY_HAND));
    });
    ClickModel(CVector4(side, 5000, 30000));
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_nCornerCount, 0);
    // Kept as picked: the corners lie on two planes (front and side wall): no rectangle.
    WhenModalShows(CAutoCorrectDlg::IDD, [](QDialog& dialog) {
        Click(ControlOf<QPushButton>(&dialog, CAutoCorrectDlg::IDC_AUTOMATICALLY));
    });
    ClickModel(CVector4(side, 5000, 30000));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].icon, KzIcon::Warning);
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_nCornerCount, -1);
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_nPickMode,
              PICK_RECTANGLE);  // the user picks two corners again
    EXPECT_TRUE(Page().RangeButton()->isChecked());
}

TEST_F(PickTest, AClickOnAFaceListsItsTapsAsOneStep) {
    ChooseMethod(CDataValuePage::IDC_FACE_POINTS);
    ClickModel(CVector4(1000, -10000, 31000));
    ASSERT_GT(Rows(), 20);
    for (int row = 0; row < Rows(); ++row) {
        EXPECT_EQ(Cell(row, 2), QStringLiteral("-10000")) << row;
    }
    // Taps of the neighbouring faces on the face's edges count too; each such position
    // already has its row.
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_lstUndoGroup.size(), 1u);
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_lstUndoGroup.back(),
              static_cast<int>(Arrange(View().Owner()).m_selection.m_lstSelected.size()));
    EXPECT_GE(Arrange(View().Owner()).m_selection.m_lstUndoGroup.back(), Rows());
    Click(Page().UndoButton());
    EXPECT_EQ(Rows(), 0);
}

// The contour page's "指定面上の表示" sets pick mode 1; that page comes later, so the test sets
// the mode itself and clicks.
TEST_F(PickTest, AClickOnAFaceTogglesItsContoursAsAnEmptyStep) {
    const CVector4 wall(1000, -10000, 31000);
    const int before = ColouredAround(wall);
    ASSERT_GT(before, 1000);
    Arrange(View().Owner()).m_selection.m_nPickMode = PICK_FACE_CONTOUR;
    View().Owner().Changed(ASPECT_SELECTION);
    ClickModel(wall);
    EXPECT_LT(ColouredAround(wall), before / 20);
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_lstUndoGroup, std::list<int>{0});
    EXPECT_TRUE(Page().UndoButton()->isEnabled());
    ClickModel(wall);
    EXPECT_EQ(ColouredAround(wall), before);
}

// The label-position dialog starts slot picking by setting the slot and pick mode 6.
TEST_F(PickTest, TwoClicksGiveASlotItsSegmentOnOnePlaneOnly) {
    MessageLog messages;
    // The label-position dialog's "編集" of slot 3 starts the pick; two clicks on the front
    // wall give the segment and release the button.
    CLabelPosDlg* dialog = frame.LabelPosDlg();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    Click(dialog->EditButton(3));
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_nPickMode, PICK_SLOT);
    EXPECT_TRUE(dialog->EditButton(3)->isChecked());
    ClickModel(CVector4(-2000, -10000, 5000));
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_nSlotPickCount, 0);
    ClickModel(CVector4(3000, -10000, 9000));
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_nPickMode, PICK_NONE);
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_nEditSlot, -1);
    EXPECT_FALSE(dialog->EditButton(3)->isChecked());
    auto editSlot = [this] {
        Arrange(View().Owner()).m_selection.m_nEditSlot = 3;
        Arrange(View().Owner()).m_selection.m_nSlotPickCount = -1;
        Arrange(View().Owner()).m_selection.m_nPickMode = PICK_SLOT;
        View().Owner().Changed(ASPECT_SELECTION);
    };
    EXPECT_FLOAT_EQ(Arrange(View().Owner()).m_settings.m_aSlot[3][0].y, -10000.0f);
    EXPECT_FLOAT_EQ(Arrange(View().Owner()).m_settings.m_aSlot[3][1].y, -10000.0f);
    EXPECT_GT(Arrange(View().Owner()).m_settings.m_aSlot[3][1].x,
              Arrange(View().Owner()).m_settings.m_aSlot[3][0].x);
    EXPECT_TRUE(messages.entries.empty());

    const float side = TurnToSeeASide();
    editSlot();
    ClickModel(CVector4(-2000, -10000, 5000));
    ClickModel(CVector4(side, 3000, 9000));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(
        messages.entries[0].text,
        QStringLiteral("指定した点は同一メッシュ平面上にありません。再度クリックしてください"));
    EXPECT_TRUE(messages.entries[0].caption.isEmpty());
    EXPECT_EQ(messages.entries[0].icon, KzIcon::Error);
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_nPickMode, PICK_SLOT);
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_nSlotPickCount, -1);
    EXPECT_TRUE(Arrange(View().Owner()).m_settings.m_aSlot[3][0] == CVector4(0, 0, 0, 0));
}

// The gable sample from the default view, which looks down on the south roof slope: it rises
// 3 in 4 from the eave (y = -4000, z = 6000) to the ridge (y = 0, z = 9000), and its taps are
// given to tenths.
class RoofPickTest : public PickTest {
protected:
    const char* Sample() const override { return "gable"; }
    static CVector4 South(float x, float y) { return CVector4(x, y, 6000 + 0.75f * (y + 4000)); }
};

// Two clicks on the slope: the range dialog takes the corners the clicks placed, all six of
// their edits open (no coordinate is constant on a slope), and the grid lies on the roof with
// its rows along the slope's horizontal. The picture goes to the gallery.
TEST_F(RoofPickTest, ARectangleOnTheRoofSlopeGivesAGridOnTheRoof) {
    MessageLog messages;
    ChooseMethod(CDataValuePage::IDC_RECTANGLE);
    ClickModel(South(-4500, -3300));
    ASSERT_EQ(Arrange(View().Owner()).m_selection.m_nCornerCount, 0);
    ASSERT_GT(Arrange(View().Owner())
                  .m_data.PanelNormal(Arrange(View().Owner()).m_selection.m_anCornerPanel[0])
                  .z,
              0.5f);
    bool shown = false;
    WhenModalShows(CRangeDlg::IDD, [&shown](QDialog& dialog) {
        shown = true;
        for (int id = CRangeDlg::IDC_X1; id <= CRangeDlg::IDC_Z2; ++id) {
            EXPECT_TRUE(ControlOf<QLineEdit>(&dialog, id)->isEnabled()) << id;
        }
        for (auto [id, text] :
             {std::pair{CRangeDlg::IDC_P, "4"}, std::pair{CRangeDlg::IDC_Q, "3"}}) {
            QLineEdit* edit = ControlOf<QLineEdit>(&dialog, id);
            edit->selectAll();
            QTest::keyClicks(edit, QString::fromLatin1(text));
        }
        Click(ControlOf<QPushButton>(&dialog, CRangeDlg::IDC_DIVIDE));
    });
    ClickModel(South(3500, -800));
    EXPECT_TRUE(shown);
    EXPECT_TRUE(messages.entries.empty());
    ASSERT_EQ(Rows(), 20);
    for (int row = 0; row < Rows(); ++row) {
        const double y = Cell(row, 2).toDouble();
        const double z = Cell(row, 3).toDouble();
        EXPECT_NEAR(z, 6000 + 0.75 * (y + 4000), 0.5) << row;  // on the slope's plane
        EXPECT_LT(Cell(row, 4).toDouble(), 990.0) << row;      // on a panel of the roof
    }
    // Along the horizontal first (P), then up the slope (Q): the first four rows share x.
    EXPECT_EQ(Cell(1, 1), Cell(0, 1));
    EXPECT_EQ(Cell(4, 3), Cell(0, 3));
    EXPECT_GT(Cell(19, 1).toDouble(), Cell(0, 1).toDouble() + 7000);
    const QString folder = QCoreApplication::applicationDirPath() + "/gallery/";
    QDir().mkpath(folder);
    GrabFrame(View()).save(folder + "gable-roof-rectangle.png");
}

// Corners on the roof and on the wall below lie on different planes: the offer to correct,
// then, the corners kept as picked, a message instead of a grid through the attic.
TEST_F(RoofPickTest, ARectangleAcrossTheEaveIsRefused) {
    MessageLog messages;
    ChooseMethod(CDataValuePage::IDC_RECTANGLE);
    ClickModel(South(-2000, -2000));
    ASSERT_EQ(Arrange(View().Owner()).m_selection.m_nCornerCount, 0);
    WhenModalShows(CAutoCorrectDlg::IDD, [](QDialog& dialog) {
        Click(ControlOf<QPushButton>(&dialog, CAutoCorrectDlg::IDC_AUTOMATICALLY));
    });
    ClickModel(CVector4(2000, -4000, 3000));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text,
              QStringLiteral("指定された2点は同一メッシュ平面上にないため、矩形範囲を作れません。\n"
                             "同じ面の上で2点を指定し直してください。"));
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(Arrange(View().Owner()).m_selection.m_nPickMode, PICK_RECTANGLE);
}

}  // namespace
