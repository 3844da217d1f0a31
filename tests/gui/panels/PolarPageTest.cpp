// The "風向特性" bar in the main window, driven by clicks: it draws the last picked point or
// the rows selected in the value list, a click at a direction shows that direction everywhere,
// every direction step moves its mark, and its menu saves the picture and copies the numbers.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHelpEvent>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolTip>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "field/SurfaceValues.h"
#include "panels/OperationPanelBar.h"
#include "panels/PageControlIds.h"
#include "panels/PageTestSupport.h"
#include "panels/PolarDiagram.h"
#include "panels/PolarPage.h"
#include "state/SelectionSteps.h"
#include "text/NumberFormat.h"
#include "ui/FilePrompt.h"
#include "valuelist/ValueListDlg.h"
#include "view/PickSupport.h"

namespace {

// The current direction's mark is drawn from the centre; inside the innermost circle nothing
// else is, so a pixel there tells whether a spoke is marked.
bool Marked(const QImage& image, QPointF at) {
    const QColor c = image.pixelColor(at.toPoint());
    return c.red() > 230 && c.blue() < 160;
}

// Whether the pixel at p is (nearly) colour.
bool Near(const QImage& image, QPointF p, const QColor& colour) {
    const QColor c = image.pixelColor(p.toPoint());
    return std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40 &&
           std::abs(c.blue() - colour.blue()) < 40;
}

// The gable (8 directions) in the main window with three taps picked and listed.
class PolarPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ShowExposed(frame, 1200, 900));
        LoadSample(*frame.View(), "gable");
        for (int tap : {3, 10, 17}) {
            SelectMeasurementPoint(Arrange(Owner()), tap);
        }
        Owner().Changed(ASPECT_SELECTION);
        QCoreApplication::processEvents();
    }
    CStateOwner& Owner() { return frame.View()->Owner(); }
    CPolarPage* Page() { return frame.PolarBar()->m_page; }
    CPolarDiagram* Diagram() { return Page()->Diagram(); }
    QTableView* List() { return frame.ValueListPage()->List(); }
    int RowId(int row) { return Arrange(Owner()).m_valueList.GetRowId(row); }
    QPoint RowPoint(int row) { return List()->visualRect(List()->model()->index(row, 1)).center(); }
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, modifiers, RowPoint(row));
    }
    // A right click through the window at a widget's point, then a click on the popup's item.
    void ChooseFromContextMenu(QWidget* widget, QPoint at, const QString& item) {
        QTest::mouseClick(frame.windowHandle(), Qt::RightButton, {}, widget->mapTo(&frame, at));
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (action->text() == item) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                QCoreApplication::processEvents();
                return;
            }
        }
        ADD_FAILURE() << "no item " << item.toStdString();
        menu->close();
    }
    void Open() {
        frame.Action(ID_POLAR_DIAGRAM)->trigger();
        QTest::qWait(50);
        ASSERT_TRUE(frame.PolarBar()->isVisible());
    }
    // Where the mark of a direction lies: on its spoke inside the innermost circle.
    QPointF MarkPoint(int direction) {
        return Diagram()->PointOf(direction, Diagram()->Layout().ValueAt(POLAR_INNER_RADIUS / 2));
    }
    CMainFrame frame;
};

TEST_F(PolarPageTest, OpenedFromEitherMenuItDrawsTheLastPickOrTheSelectedRows) {
    EXPECT_TRUE(frame.PolarBar()->isHidden());
    Open();
    EXPECT_TRUE(frame.Action(ID_POLAR_DIAGRAM)->isChecked());
    EXPECT_EQ(frame.dockWidgetArea(frame.PolarBar()), Qt::LeftDockWidgetArea);
    // No row selected: the last picked tap.
    EXPECT_EQ(Page()->ShownPoints(), std::vector<int>{Arrange(Owner()).m_data.m_taps.m_aTapNo[17]});

    // A row, then another with Ctrl: two lines, each in its colour where its values lie.
    ClickRow(0);
    ClickRow(2, Qt::ControlModifier);
    ASSERT_EQ(Page()->ShownPoints(), (std::vector<int>{RowId(0), RowId(2)}));
    ASSERT_EQ(Diagram()->SeriesCount(), 2);
    const QImage image = Diagram()->grab().toImage();
    for (int k = 0; k < 2; ++k) {
        int hits = 0;
        for (const CPolarPoint& q : Diagram()->Layout().series[static_cast<size_t>(k)].points) {
            hits += Near(image, Diagram()->PointOf(q.direction, q.value),
                         CPolarDiagram::SeriesColor(k));
        }
        EXPECT_GE(hits, 4) << "line " << k;
    }

    // Its item closes it again; the value list's context menu opens it on the row clicked.
    frame.Action(ID_POLAR_DIAGRAM)->trigger();
    EXPECT_TRUE(frame.PolarBar()->isHidden());
    EXPECT_FALSE(frame.Action(ID_POLAR_DIAGRAM)->isChecked());
    ChooseFromContextMenu(List()->viewport(), RowPoint(1), QStringLiteral("風向特性"));
    EXPECT_TRUE(frame.PolarBar()->isVisible());
    EXPECT_TRUE(frame.Action(ID_POLAR_DIAGRAM)->isChecked());
    EXPECT_EQ(Page()->ShownPoints(), std::vector<int>{RowId(1)});
}

TEST_F(PolarPageTest, AClickAtADirectionShowsItEverywhereAndEveryStepMovesTheMark) {
    Open();
    const int tap = Page()->ShownPoints().at(0);
    EXPECT_TRUE(Marked(Diagram()->grab().toImage(), MarkPoint(0)));

    const QPointF at = Diagram()->PointOf(3, Diagram()->Layout().ValueAt(0.7));
    QTest::mouseClick(Diagram(), Qt::LeftButton, {}, at.toPoint());
    EXPECT_EQ(Arrange(Owner()).m_settings.m_nDirection, 3);
    EXPECT_EQ(frame.DirectionPane()->text(), QStringLiteral("135"));
    const QWidget* directionPage = frame.OperationPanel()->m_pageDirection;
    EXPECT_EQ(PageControl<QLineEdit>(directionPage, kzv::page::IDC_DIR_ANGLE)->text(),
              QStringLiteral("135"));
    const int row = Arrange(Owner()).m_valueList.FindPointRow(tap);
    EXPECT_EQ(List()->model()->index(row, 4).data().toString().toStdString(),
              kzv::FormatG(Arrange(Owner()).m_data.m_cp.GetCp(tap, 3)));
    // A click in the middle chooses nothing.
    const QPointF centre = Diagram()->PointOf(0, Diagram()->Layout().ValueAt(0.0));
    QTest::mouseClick(Diagram(), Qt::LeftButton, {}, centre.toPoint());
    EXPECT_EQ(Arrange(Owner()).m_settings.m_nDirection, 3);

    // The direction page's "←" steps on: the mark follows.
    Click(PageControl<QPushButton>(directionPage, kzv::page::IDC_DIR_NEXT));
    ASSERT_EQ(Arrange(Owner()).m_settings.m_nDirection, 4);
    EXPECT_EQ(Diagram()->CurrentDirection(), 4);
    const QImage image = Diagram()->grab().toImage();
    EXPECT_TRUE(Marked(image, MarkPoint(4)));
    EXPECT_FALSE(Marked(image, MarkPoint(3)));

    // Resting the mouse on a spoke tells its direction, its angle and the tap's value there.
    QHelpEvent help(QEvent::ToolTip, at.toPoint(), Diagram()->mapToGlobal(at.toPoint()));
    QApplication::sendEvent(Diagram(), &help);
    const QString tip = QToolTip::text();
    EXPECT_TRUE(tip.startsWith(QStringLiteral("風向 4 / 8（135°）"))) << tip.toStdString();
    EXPECT_TRUE(tip.contains(
        QStringLiteral("No %1: %2")
            .arg(tap)
            .arg(QString::fromStdString(kzv::FormatG(Arrange(Owner()).m_data.m_cp.GetCp(tap, 3))))))
        << tip.toStdString();
}

TEST_F(PolarPageTest, ItsMenuSavesThePictureAsPngAndCopiesTheNumbersAsCsv) {
    Open();
    QTemporaryDir dir;
    std::string answer = dir.filePath("polar.png").toStdString();
    QString folder;
    const KzFilePromptHook previous = SetFilePromptHook(
        [&](bool, const QString&, const QString&, const QString&, const QString& start) {
            folder = start;
            return answer;
        });
    MessageLog messages;
    const QPoint inside = Diagram()->rect().center() + QPoint(0, 20);
    ChooseFromContextMenu(Diagram(), inside, QStringLiteral("画像の保存（PNG）..."));
    EXPECT_FALSE(folder.isEmpty());
    QImage saved;
    ASSERT_TRUE(saved.load(QString::fromStdString(answer), "PNG"));
    // Twice as dense, without the tall bar's empty space below the legend.
    EXPECT_EQ(saved.width(), 2 * std::max(400, Diagram()->width()));
    EXPECT_GT(saved.height(), saved.width());
    EXPECT_LT(saved.height(), 2 * Diagram()->height());
    EXPECT_TRUE(messages.entries.empty());

    // A folder that is not there: said, and nothing is written.
    answer = dir.filePath("missing/polar.png").toStdString();
    ChooseFromContextMenu(Diagram(), inside, QStringLiteral("画像の保存（PNG）..."));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_TRUE(
        messages.entries[0].text.startsWith(QStringLiteral("ファイル %1 に書き込めませんでした。")
                                                .arg(QString::fromStdString(answer))));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(answer)));
    SetFilePromptHook(previous);

    QApplication::clipboard()->clear();
    ChooseFromContextMenu(Diagram(), inside, QStringLiteral("数値のコピー（CSV）"));
    const QStringList lines = QApplication::clipboard()->text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 10);  // heading, 8 directions, the empty end
    // gable has minimum and maximum tables: the band's columns follow the point's own.
    const int tap = Page()->ShownPoints().at(0);
    EXPECT_EQ(lines[0], QStringLiteral("方位,No %1,No %1 最小,No %1 最大").arg(tap));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("90,")));
}

TEST(PolarDiagram, ABandIsFilledLighterAroundItsLine) {
    CPolarDiagram diagram;
    ASSERT_TRUE(ShowExposed(diagram, 400, 400));
    CPolarSeries series;
    series.name = QStringLiteral("No 1");
    series.input.values.assign(8, -0.5);
    series.input.bandMin.assign(8, -0.6);
    series.input.bandMax.assign(8, -0.4);
    diagram.SetSeries({series});
    diagram.SetDirections(8, 0.0, 0);
    const QImage image = diagram.grab().toImage();
    const auto tint = [&](double value) {
        const QColor c = image.pixelColor(diagram.PointOf(2, value).toPoint());
        return c.blue() - c.red();
    };
    EXPECT_GT(tint(-0.45), 20);  // in the band, off the line: the line's blue, lighter
    EXPECT_LT(tint(-0.1), 10);   // outside it
}

TEST(PolarBarLayout, TheSizeFileKeepsTheBarOnceItWasOpened) {
    QTemporaryDir dir;
    const std::string size = dir.filePath("size").toStdString();
    int width = 0;
    {
        CMainFrame frame;
        frame.RestoreLayout(size);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        frame.Action(ID_POLAR_DIAGRAM)->trigger();
        frame.resizeDocks({frame.PolarBar()}, {300}, Qt::Horizontal);
        QTest::qWait(50);
        width = frame.PolarBar()->width();
        frame.Action(ID_POLAR_DIAGRAM)->trigger();  // closed: its size stays for the file
        frame.close();
    }
    CWindowLayout back;
    ReadWindowLayout(size, back);
    ASSERT_TRUE(back.hasPolar);
    EXPECT_EQ(back.polar.vertCx, width);
    CMainFrame again;
    again.RestoreLayout(size);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    again.Action(ID_POLAR_DIAGRAM)->trigger();
    QTest::qWait(50);
    EXPECT_EQ(again.PolarBar()->width(), width);
    again.close();
}

}  // namespace

namespace {

// The band around a point's line comes from the minimum and maximum tables: a tap's tabled
// values, an arbitrary point's interpolated; none for a data set without those tables.
TEST(PolarBand, FromTheMinimumAndMaximumTables) {
    CViewState gable;
    gable.LoadDataSet(SamplesFolder() + "gable/", CHeaderFile(), 800, 600);
    const int tap = gable.m_data.m_taps.m_aTapNo[5];
    const std::optional<CPointBand> band = PointBand(gable, tap);
    ASSERT_TRUE(band.has_value());
    const int n = gable.m_data.m_cp.m_nDirectionCount;
    ASSERT_EQ(band->min.size(), static_cast<size_t>(n));
    for (int d = 0; d < n; ++d) {
        const double mean = gable.m_data.m_cp.GetCp(tap, d);
        EXPECT_LE(band->min[static_cast<size_t>(d)], mean) << d;
        EXPECT_GE(band->max[static_cast<size_t>(d)], mean) << d;
    }
    CPanelCorners c;
    ASSERT_TRUE(GetPanelCorners(gable.m_data, 0, 0, c));
    const int id = SelectArbitraryPoint(gable, 0, (c.pos[0] + c.pos[1] + c.pos[2]) * (1.0f / 3.0f));
    const std::optional<CPointBand> pointBand = PointBand(gable, id);
    ASSERT_TRUE(pointBand.has_value());
    EXPECT_LT(pointBand->min[0], pointBand->max[0]);

    CViewState tower;
    tower.LoadDataSet(SamplesFolder() + "tower/", CHeaderFile(), 800, 600);
    EXPECT_FALSE(PointBand(tower, tower.m_data.m_taps.m_aTapNo[5]).has_value());
}

}  // namespace
