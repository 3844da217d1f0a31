#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "GuiTestSupport.h"
#include "SampleGen.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "datasets/DatasetWidgets.h"
#include "panels/AgreementDlg.h"
#include "panels/OperationPanelBar.h"
#include "panels/PageControlIds.h"
#include "panels/PageTestSupport.h"
#include "render/TestView.h"
#include "state/Comparing.h"
#include "state/ScaleFitting.h"
#include "state/SelectionSteps.h"
#include "ui/MessageBox.h"
#include "view/KZ_VView.h"

namespace {

using namespace kzv::page;

// A comparison driven from the file menu: a reference with another direction count is refused
// with one message; the data set compared with itself agrees exactly; ending the comparison
// leaves the view exactly as before.
TEST(ComparisonInFrame, ReferenceFiguresAndEndFromTheMenu) {
    CMainFrame frame;
    ASSERT_TRUE(ShowExposed(frame, 1000, 700));
    std::string answer;
    frame.SetDataSetDialogs(
        [&](QWidget*, const std::vector<std::string>*, std::string& folder, CHeaderFile& header) {
            folder = SamplesFolder() + answer + "/";
            header.Read((folder + "header").c_str());
            return true;
        },
        nullptr, nullptr);
    QStringList messages;
    const KzMessageBoxHook previous =
        SetMessageBoxHook([&](const QString& text, const QString&, KzButtons buttons, KzIcon) {
            messages << text;
            return buttons == KzButtons::YesNo ? KzAnswer::Yes : KzAnswer::Ok;
        });
    auto runFromFileMenu = [&](int id) {
        QAction* fileMenu = frame.menuBar()->actions()[0];
        QTest::mouseClick(frame.menuBar(), Qt::LeftButton, Qt::NoModifier,
                          frame.menuBar()->actionGeometry(fileMenu).center());
        QMenu* menu = fileMenu->menu();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                          menu->actionGeometry(frame.Action(id)).center());
    };

    LoadSample(*frame.View(), "tower");
    const QImage before = GrabFrame(*frame.View());
    EXPECT_FALSE(frame.Action(ID_AGREEMENT)->isEnabled());
    EXPECT_FALSE(frame.Action(ID_END_COMPARISON)->isEnabled());

    answer = "lshape";  // 32 directions against 16
    runFromFileMenu(ID_LOAD_REFERENCE);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("(32)"))) << messages[0].toStdString();
    EXPECT_FALSE(IsComparing(frame.View()->State()));

    answer = "tower";
    runFromFileMenu(ID_LOAD_REFERENCE);
    EXPECT_EQ(messages.size(), 1);  // every tap matched: no second message
    ASSERT_TRUE(IsComparing(frame.View()->State()));
    auto* dialog = frame.findChild<CAgreementDlg*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    QTableWidget* table = dialog->Table();
    ASSERT_GE(table->rowCount(), 2);
    // The last row: the whole building over all directions.
    const int last = table->rowCount() - 1;
    EXPECT_EQ(table->item(last, 0)->text(), QStringLiteral("全風向"));
    EXPECT_EQ(table->item(last, 1)->text(), QStringLiteral("建物全体"));
    EXPECT_EQ(table->item(last, 3)->text(), QStringLiteral("0"));  // mean difference
    EXPECT_EQ(table->item(last, 4)->text(), QStringLiteral("0"));  // RMS difference
    EXPECT_EQ(table->item(last, 8)->text(), QStringLiteral("1"));  // correlation
    QTest::mouseClick(kzv::FindControl(dialog, CAgreementDlg::IDC_COPY), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), dialog->CsvText());
    EXPECT_TRUE(dialog->CsvText().contains(QStringLiteral("建物全体")));

    // The difference is one more quantity: a tap compared with itself shows 0 in the list.
    SelectMeasurementPoint(*frame.View()->Owner().Edit(ASPECT_SELECTION), 3);
    frame.OperationPanel()->Tabs()->setCurrentWidget(frame.OperationPanel()->m_pageContour);
    auto* quantity = PageControl<QComboBox>(frame.OperationPanel()->m_pageContour, IDC_QUANTITY);
    ChooseEntry(quantity, static_cast<int>(EValueQuantity::Difference));
    const CViewState& state = frame.View()->State();
    EXPECT_EQ(state.m_settings.m_nQuantity, static_cast<int>(EValueQuantity::Difference));
    EXPECT_EQ(state.m_valueList.GetCellText(0, VALUE_COLUMN_VALUE), "0");
    // The scale centred on 0 was offered and taken; the caption names both data sets.
    EXPECT_EQ(messages.size(), 2);
    EXPECT_EQ(state.m_settings.m_dColorMin, -state.m_settings.m_dColorMax);
    EXPECT_NE(ShownStateCaption(state).find("tower − tower"), std::string::npos);

    // A direction step follows in the window's first rows.
    const QString firstDirection = table->item(0, 0)->text();
    frame.View()->Owner().Edit(ASPECT_DIRECTION)->m_settings.m_nDirection = 4;
    EXPECT_NE(table->item(0, 0)->text(), firstDirection);
    frame.View()->Owner().Edit(ASPECT_DIRECTION)->m_settings.m_nDirection = 0;

    runFromFileMenu(ID_END_COMPARISON);
    EXPECT_FALSE(IsComparing(frame.View()->State()));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(frame.Action(ID_AGREEMENT)->isEnabled());
    EXPECT_EQ(state.m_settings.m_nQuantity, static_cast<int>(EValueQuantity::Mean));
    EXPECT_FALSE(quantity->model()->index(static_cast<int>(EValueQuantity::Difference), 0).flags() &
                 Qt::ItemIsEnabled);
    Arrange(frame.View()->Owner()).m_valueList.ClearAllRows();
    Arrange(frame.View()->Owner()).m_selection.ClearSelection();
    frame.View()->Owner().Changed(ASPECT_SELECTION);
    EXPECT_EQ(GrabFrame(*frame.View()), before);
    SetMessageBoxHook(previous);
}

// The generator's pair: the house with its neighbours against the same house alone. The
// difference is the neighbours' shelter: on the west half, for winds from the west, and none on
// the east half. A screenshot of the difference map goes to <build>/shots/.
TEST(ComparisonInFrame, TheNeighboursShelterShowsInTheDifferenceMap) {
    QTemporaryDir dir;
    ASSERT_TRUE(kzv::samplegen::WriteNeighbourPair(dir.path().toStdString()));
    const std::string folder = dir.path().toStdString() + "/";
    CMainFrame frame;
    ASSERT_TRUE(ShowExposed(frame, 1000, 700));
    frame.SetDataSetDialogs(
        [&](QWidget*, const std::vector<std::string>*, std::string& chosen, CHeaderFile& header) {
            chosen = folder + "gable_alone/";
            header.Read((chosen + "header").c_str());
            return true;
        },
        nullptr, nullptr);
    CHeaderFile header;
    header.Read((folder + "gable_neighbours/header").c_str());
    frame.View()->LoadDataSetFrom(folder + "gable_neighbours/", header);
    frame.RunCommand(ID_LOAD_REFERENCE);
    ASSERT_TRUE(IsComparing(frame.View()->State()));
    {
        auto edit = frame.View()->Owner().Edit(ASPECT_DIRECTION | ASPECT_COLOURS | ASPECT_CAMERA);
        edit->m_settings.m_nQuantity = static_cast<int>(EValueQuantity::Difference);
        edit->m_settings.m_nDirection = 6;  // 270 degrees: from the west
        ASSERT_TRUE(FitColourScale(*edit, true, true));
        edit->m_camera.ResetRotation();
        edit->m_camera.Turn(CVector4(-60.0f, 0.0f, 30.0f));
    }
    const CViewState& state = frame.View()->State();
    const CTapMatching& matching = state.m_comparison.matching;
    EXPECT_EQ(matching.mode, CTapMatchMode::ByNumber);
    EXPECT_TRUE(matching.unmatched.empty());
    int sheltered = 0;
    for (const CTapMatch& tap : matching.taps) {
        const double d = state.m_data.m_tables.ValueOfTap(EValueQuantity::Difference,
                                                          state.m_data.m_cp, tap.tapNo, 6);
        if (state.m_data.m_tapsOrg.GetPosition(tap.tapNo).x > 0.0f) {
            EXPECT_EQ(d, 0.0) << tap.tapNo;
        } else if (d != 0.0 && d != NO_VALUE) {
            ++sheltered;
        }
    }
    EXPECT_GT(sheltered, 10);
    GrabFrame(*frame.View());
    const QString shots = QCoreApplication::applicationDirPath() + QStringLiteral("/../shots");
    QDir().mkpath(shots);
    EXPECT_TRUE(
        frame.View()->SavePng((shots + QStringLiteral("/difference-map.png")).toStdString()));
}

}  // namespace
