// kzv_helpshots: the screenshots of the user guide, taken from the program itself with the
// bundled samples, so that the pictures in the guide always show the program as it is.
//
//   kzv_helpshots [--lang ja|en] <output folder>
//
// --lang: the interface's language in the pictures (default ja; the English guide's pictures
// are taken with en).
// It builds the real main window (the program's own start-up, on a temporary configuration
// folder whose "dirlist" names samples/), loads the samples, opens each page and dialog the
// guide describes and saves what it shows as PNG files named as the guide's <img> tags name
// them. scripts/help-shots.sh runs it under a virtual display into help/images/.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <string>

#include "app/CommandIds.h"
#include "app/ImageScaleDlg.h"
#include "app/KZ_VApp.h"
#include "app/MainFrame.h"
#include "datasets/DataFolderDlg.h"
#include "datasets/DataSearchDlg.h"
#include "datasets/HeaderInfoDlg.h"
#include "field/Camera.h"
#include "field/Picking.h"
#include "panels/CommentDlg.h"
#include "panels/OperationPanelBar.h"
#include "panels/PolarPage.h"
#include "panels/ValueListBar.h"
#include "render/GLText.h"
#include "render/SurfaceFormat.h"
#include "state/SelectionSteps.h"
#include "text/UiLanguage.h"
#include "valuelist/ExcludeRangeDlg.h"
#include "valuelist/OutputDlg.h"
#include "valuelist/ValueListDlg.h"
#include "view/KZ_VView.h"

namespace {

QString g_out;
int g_failures = 0;
CKZ_VView* g_view = nullptr;

void Settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QTest::qWait(20);
    }
}

void Save(QWidget& widget, const QString& name) {
    Settle();
    const QString path = g_out + "/" + name;
    // A widget's grab leaves the 3-D view empty: its picture is painted in from the view's
    // own frame buffer.
    QPixmap picture =
        &widget == g_view ? QPixmap::fromImage(g_view->grabFramebuffer()) : widget.grab();
    if (g_view != nullptr && widget.isAncestorOf(g_view)) {
        QPainter painter(&picture);
        painter.drawImage(QRect(g_view->mapTo(&widget, QPoint(0, 0)), g_view->size()),
                          g_view->grabFramebuffer());
        // Widgets over the view (the empty view's hint) are not in its frame buffer.
        for (QWidget* child : g_view->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isVisible()) {
                child->render(&painter, child->mapTo(&widget, QPoint(0, 0)), QRegion(),
                              QWidget::DrawChildren);
            }
        }
    }
    if (!picture.save(path, "PNG")) {
        std::fprintf(stderr, "kzv_helpshots: cannot write %s\n", qPrintable(path));
        ++g_failures;
        return;
    }
    std::printf("%s\n", qPrintable(path));
}

// A dialog shown without its own event loop, saved, and closed again.
void SaveDialog(QWidget& dialog, const QString& name) {
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) {
        std::fprintf(stderr, "kzv_helpshots: %s never showed\n", qPrintable(name));
        ++g_failures;
        return;
    }
    Save(dialog, name);
    dialog.close();
}

void LoadSample(CKZ_VView& view, const std::string& name) {
    const std::string folder = std::string(KZV_SAMPLES_DIR) + "/" + name + "/";
    CHeaderFile header;
    header.Read((folder + "header").c_str());
    view.LoadDataSetFrom(folder, header);
}

// A click of the left button at window pixel (x, y) of the view, as the user gives it.
void ClickView(CKZ_VView& view, int x, int y) {
    QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    Settle();
}

}  // namespace

int main(int argc, char* argv[]) {
    std::string language = "ja";
    const bool chosen = argc == 4 && std::string(argv[1]) == "--lang";
    if ((argc != 2 && !chosen) || (chosen && !kzv::ParseUiLanguage(argv[2], language))) {
        std::fprintf(stderr, "usage: kzv_helpshots [--lang ja|en] <output folder>\n");
        return 2;
    }
    const char* folder = argv[argc - 1];
    kzv::PrepareOpenGLApplication();
    CKZ_VApp app(argc, argv, language);
    kzv::InstallFontSubstitutions();
    g_out = QDir(QString::fromLocal8Bit(folder)).absolutePath();
    QDir().mkpath(g_out);

    // The program's start-up on a configuration of its own: the samples are the data folder.
    QTemporaryDir config;
    QFile dirlist(config.filePath("dirlist"));
    if (!config.isValid() || !dirlist.open(QIODevice::WriteOnly)) {
        return 1;
    }
    dirlist.write(KZV_SAMPLES_DIR "\n");
    dirlist.close();
    const std::string appFolder = config.path().toStdString() + "/";
    if (!app.InitInstance(appFolder)) {
        return 1;
    }
    CMainFrame& frame = *app.MainFrame();
    frame.showNormal();
    frame.setGeometry(40, 40, 1100, 800);
    frame.resizeDocks({frame.OperationPanel(), frame.ValueListBar()}, {470, 300}, Qt::Vertical);
    frame.resizeDocks({frame.OperationPanel()}, {330}, Qt::Horizontal);
    if (!QTest::qWaitForWindowExposed(&frame)) {
        std::fprintf(stderr, "kzv_helpshots: the main window never showed\n");
        return 1;
    }
    CKZ_VView& view = *frame.View();
    g_view = &view;
    Save(frame, "start.png");

    {
        CDataFolderDlg dialog(appFolder, nullptr, &frame);
        SaveDialog(dialog, "datafolder.png");
    }
    {
        CDataSearchDlg dialog(appFolder, &frame);
        SaveDialog(dialog, "search.png");
    }

    LoadSample(view, "lshape");
    (*view.Owner().Edit()).m_settings.m_bShowWind = 1;
    (*view.Owner().Edit()).m_settings.m_bShowGround = 1;
    for (int i : {0, 1, 8}) {
        (*view.Owner().Edit()).m_settings.m_comment.flags[i] = 1;
    }
    (*view.Owner().Edit()).m_settings.m_comment.position = CVector4(120.0f, 10.0f, 1000.0f);
    (*view.Owner().Edit()).m_camera.ResetRotation();
    (*view.Owner().Edit()).m_camera.Turn(CVector4(-60.0f, 0.0f, 30.0f));
    (*view.Owner().Edit()).m_camera.m_fZoom = 0.8f;
    view.Owner().Changed(ASPECT_DISPLAY | ASPECT_CAMERA);
    Save(frame, "main.png");
    {
        CHeaderInfoDlg dialog(view.State().m_data.m_strDataFolder, &frame);
        SaveDialog(dialog, "header.png");
    }
    {
        CCommentDlg dialog(view.Owner(), view.ClientWidth(), view.ClientHeight(), &frame);
        SaveDialog(dialog, "comment.png");
    }

    // The operation panel's six pages, one picture each.
    const char* pages[] = {"page-direction.png", "page-operation.png", "page-display.png",
                           "page-contour.png",   "page-colorbar.png",  "page-datavalue.png"};
    QTabWidget* tabs = frame.OperationPanel()->Tabs();
    for (int i = 0; i < tabs->count() && i < 6; ++i) {
        tabs->setCurrentIndex(i);
        Save(*frame.OperationPanel(), pages[i]);
    }

    // Line contours over the bands, with their values along a label-position slot.
    (*view.Owner().Edit()).m_settings.m_nContourKind = 2;
    (*view.Owner().Edit()).m_settings.m_bShowLabels = 1;
    (*view.Owner().Edit()).m_settings.m_nLabelSkip = 1;
    (*view.Owner().Edit()).m_settings.m_abSlotOn[0] = 1;
    (*view.Owner().Edit()).m_settings.m_aSlot[0][0] =
        CVector4(-12000, -15000, 5000);  // across the south face
    (*view.Owner().Edit()).m_settings.m_aSlot[0][1] = CVector4(12000, -15000, 25000);
    (*view.Owner().Edit()).m_bSlotsVisible = true;
    view.Owner().Changed(ASPECT_DISPLAY | ASPECT_CAMERA);
    Save(view, "view-lines.png");

    // Points picked from the side: the value list fills.
    (*view.Owner().Edit()).SetViewPreset(VIEW_Y_MINUS);
    (*view.Owner().Edit()).m_camera.m_fZoom = 1.0f;
    (*view.Owner().Edit()).m_settings.m_nContourKind = 0;
    (*view.Owner().Edit()).m_settings.m_bShowLabels = 0;
    (*view.Owner().Edit()).m_bSlotsVisible = false;
    view.Owner().Changed(ASPECT_DISPLAY);
    (*view.Owner().Edit()).m_selection.m_nPickMode = PICK_FACE_TAPS;
    view.Owner().Changed(ASPECT_SELECTION);
    Settle();
    ClickView(view, view.width() / 2 - 40, view.height() / 2);
    (*view.Owner().Edit()).m_selection.m_nPickMode = PICK_NONE;
    view.Owner().Changed(ASPECT_SELECTION);
    Save(frame, "selection.png");
    Save(*frame.ValueListBar(), "valuelist.png");

    frame.ValueListPage()->OnExclude();
    if (auto* exclude = frame.ValueListPage()->findChild<CExcludeRangeDlg*>()) {
        SaveDialog(*exclude, "exclude.png");
    }
    {
        COutputDlg dialog(view.State(), &frame);
        SaveDialog(dialog, "output.png");
    }
    {
        CImageScaleDlg dialog(view.ClientWidth(), view.ClientHeight(), 2, &frame);
        SaveDialog(dialog, "imagescale.png");
    }
    // "風向特性" for three taps (two walls and the roof), their rows selected in the list.
    frame.ValueListPage()->ClearAllRows();
    for (int tap : {60, 150, 330}) {
        SelectMeasurementPoint(*view.Owner().Edit(ASPECT_SELECTION), tap);
    }
    (*view.Owner().Edit(ASPECT_DIRECTION)).m_settings.m_nDirection = 4;
    frame.RunCommand(ID_POLAR_DIAGRAM);
    frame.resizeDocks({frame.PolarBar()}, {400}, Qt::Horizontal);
    Settle();
    QTableView* list = frame.ValueListPage()->List();
    const auto rowAt = [list](int row) {
        return list->visualRect(list->model()->index(row, 1)).center();
    };
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rowAt(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowAt(2));
    Save(frame, "polar.png");
    Save(*frame.PolarBar(), "polar-bar.png");
    frame.close();
    return g_failures == 0 ? 0 : 1;
}
