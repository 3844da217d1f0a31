#include "view/KZ_VView.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPrinter>
#include <QResizeEvent>
#include <QStatusBar>
#include <algorithm>
#include <string>

#include "dataset/DataSetLoad.h"
#include "field/Compass.h"
#include "text/DisplayText.h"
#include "text/NumberFormat.h"

CKZ_VView::CKZ_VView(CStateOwner& owner, QWidget* parent) : COpenGLView(parent), m_owner(owner) {
    if (!State().HasDataSet()) {
        // Until the first load there is nothing to mark or measure.
        auto edit = m_owner.Edit();  // nothing listens yet
        edit->m_settings.m_bShowMarkers = 0;
        edit->m_settings.m_bShowAxes = 0;
        edit->m_settings.m_comment.position.z = 1000.0f;
    }
    // A click gives the view the keyboard, for stepping the direction with PageUp / PageDown.
    setFocusPolicy(Qt::ClickFocus);
    setStatusTip(QCoreApplication::translate("CKZ_VView", "PageUp / PageDown: 方位の切り替え"));
    m_nStateListener = m_owner.AddListener([this](unsigned aspects) { OnStateChanged(aspects); });
    connect(this, &QOpenGLWidget::frameSwapped, this, [this] {
        if (m_bBusyFrameDue) {
            EndBusy();
        }
    });

    // A newcomer's first question, answered in the empty view until a data set is loaded.
    m_pEmptyHint = new QLabel(QCoreApplication::translate("CKZ_VView", EMPTY_VIEW_HINT), this);
    m_pEmptyHint->setObjectName(QStringLiteral("emptyHint"));
    m_pEmptyHint->setAlignment(Qt::AlignCenter);
    m_pEmptyHint->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pEmptyHint->setStyleSheet(QStringLiteral("color: #606060; background: transparent;"));
}

CKZ_VView::~CKZ_VView() {
    if (m_bBusy) {
        QApplication::restoreOverrideCursor();
    }
    m_owner.RemoveListener(m_nStateListener);
    TearDownGL();
}

void CKZ_VView::OnStateChanged(unsigned aspects) {
    if (aspects == ASPECT_VALUE_LIST) {
        return;  // rows sorted or shown relative: the picture stays the same
    }
    if (aspects & ASPECT_SELECTION) {
        UpdateCursor();  // the pick mode may have changed
    }
    if (aspects & ASPECT_DATASET) {
        m_pEmptyHint->setVisible(!State().HasDataSet());
    }
    update();
}

void CKZ_VView::resizeEvent(QResizeEvent* event) {
    COpenGLView::resizeEvent(event);
    m_pEmptyHint->setGeometry(rect());
}

void CKZ_VView::InitGL() {
    CreateAxisFont();
}

void CKZ_VView::CreateAxisFont() {
    m_screenFonts.axis = m_gl.CreateFontListA(15, "ＭＳ ゴシック");
}

void CKZ_VView::DestroyGL() {
    for (unsigned* list : {&m_cache.pointsList, &m_cache.contoursList, &m_cache.meshList}) {
        m_gl.DeleteList(*list);
        *list = 0;
    }
    DeleteCommentLists(m_gl, m_printFonts.comment);
    m_gl.DeleteFontList(m_screenFonts.axis);
    m_gl.DeleteFontList(m_screenFonts.label);
    DeleteCommentLists(m_gl, m_screenFonts.comment);
    m_screenFonts = CSceneFonts();
}

void CKZ_VView::RenderScene() {
    CSceneFrame frame;
    frame.width = ClientWidth();
    frame.height = ClientHeight();
    frame.printing = m_bPrinting != 0;
    frame.comment = m_bPrinting ? &m_commentPrint : nullptr;
    frame.numberBitmapLimit = m_nNumberBitmapLimit;
    frame.largeSetNumberBitmaps = m_nLargeSetNumberBitmaps;
    frame.polygonBandsUpTo = m_nPolygonBandsUpTo;
    CSceneComposer(State(), m_gl, m_cache, m_bPrinting ? m_printFonts : m_screenFonts)
        .Compose(frame);
    if (m_cache.rangeText != m_strRangeShown) {
        m_strRangeShown = m_cache.rangeText;
        const CDataRange& range = m_cache.contours.shownRange;
        emit ShownRangeChanged(m_strRangeShown.empty()
                                   ? QString()
                                   : QCoreApplication::translate("CKZ_VView", "データ範囲 %1 … %2")
                                         .arg(QString::fromStdString(kzv::FormatG(range.min)),
                                              QString::fromStdString(kzv::FormatG(range.max))));
    }
}

void CKZ_VView::mousePressEvent(QMouseEvent* event) {
    if (!State().HasDataSet()) {
        event->ignore();  // no data set: clicks do nothing
        return;
    }
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (State().m_selection.m_nPickMode != 0) {
            OnPickClick(point);
        } else if (event->modifiers() & Qt::ShiftModifier) {
            m_owner.Edit()->m_camera.m_nDragMode = DRAG_ZOOM;
        } else if (State().m_camera.m_nDragMode == DRAG_NONE) {
            m_owner.Edit()->m_camera.m_nDragMode = DRAG_ROTATE;
        }
        BeginLeftDrag(point);
    } else if (event->button() == Qt::RightButton) {
        m_owner.Edit()->m_camera.m_nDragMode = DRAG_PAN;
        BeginRightDrag(point);
    }
    UpdateCursor();
}

void CKZ_VView::mouseMoveEvent(QMouseEvent* event) {
    DragMove(event->position().toPoint());
}

void CKZ_VView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        return;
    }
    EndDrag(event->position().toPoint());
    m_owner.Edit()->m_camera.m_nDragMode = DRAG_NONE;
    UpdateCursor();
}

void CKZ_VView::keyPressEvent(QKeyEvent* event) {
    const int step = event->key() == Qt::Key_PageUp ? 1 : event->key() == Qt::Key_PageDown ? -1 : 0;
    if (step == 0 || !State().HasDataSet()) {
        COpenGLView::keyPressEvent(event);
        return;
    }
    m_owner.Edit(ASPECT_DIRECTION)->StepDirection(step);
}

void CKZ_VView::UpdateCursor() {
    // 158 while dragging, 157 while a pick mode is set, else 156.
    setCursor(State().m_camera.m_nDragMode != DRAG_NONE ? Qt::SizeAllCursor
              : State().m_selection.m_nPickMode != 0    ? Qt::CrossCursor
                                                        : Qt::ArrowCursor);
}

void CKZ_VView::OnMouseDrag(int x0, int y0, int x1, int y1) {
    if (State().m_camera.m_nDragMode == DRAG_NONE) {
        return;  // the button went down on a pick: the camera stays
    }
    auto edit = m_owner.Edit(ASPECT_CAMERA);
    edit->m_camera.Drag(State().m_camera.m_nDragMode, x1 - x0, y1 - y0, ClientWidth(),
                        ClientHeight());
}

void CKZ_VView::OnBeginPrinting(QPrinter& printer) {
    // Fonts for the printer's resolution: f times the screen sizes.
    const int screenDpi = std::max(1, logicalDpiY());
    MakePrintFonts(std::max(1, printer.resolution() / screenDpi));
}

void CKZ_VView::OnEndPrinting(QPrinter&) {
    DropPrintFonts();
}

void CKZ_VView::OnBeginImage() {
    // The renderer enlarges the fonts by its pixel scale; the comment keeps its size in window
    // units, so its lines stay as far apart as on the screen.
    MakePrintFonts(1);
}

void CKZ_VView::OnEndImage() {
    DropPrintFonts();
}

void CKZ_VView::MakePrintFonts(int f) {
    makeCurrent();
    m_printFonts.axis = m_gl.CreateFontListA(15 * f, "ＭＳ ゴシック");
    m_printFonts.label = m_gl.CreateFontListA(f * State().m_settings.m_nLabelFontSize,
                                              State().m_settings.m_strLabelFont.c_str());
    doneCurrent();
    m_commentPrint = State().m_settings.m_comment;  // the print texts are lists of their own
    m_commentPrint.size = State().m_settings.m_comment.size * f;
    m_bPrinting = 1;
}

void CKZ_VView::DropPrintFonts() {
    makeCurrent();
    m_gl.DeleteFontList(m_printFonts.axis);
    m_gl.DeleteFontList(m_printFonts.label);
    // The markers' list may hold numbers in the printer's font, whose list name a later font
    // can take again.
    m_gl.DeleteList(m_cache.pointsList);
    m_cache.pointsList = 0;
    DeleteCommentLists(m_gl, m_printFonts.comment);
    m_printFonts = CSceneFonts();
    doneCurrent();
    m_bPrinting = 0;
}

void CKZ_VView::OnLoadData() {
    LoadDataSet(nullptr);
}

void CKZ_VView::LoadDataSet(const std::vector<std::string>* searchResults) {
    std::string folder;
    CHeaderFile header;
    if (!Host().ChooseDataSet(searchResults, folder, header)) {
        return;  // cancelled: nothing changes
    }
    LoadDataSetFrom(folder, header);
}

void CKZ_VView::LoadDataSetFrom(const std::string& folder, const CHeaderFile& header) {
    ShowBusy(QCoreApplication::translate("CKZ_VView", "データを読み込んでいます..."));
    {
        auto edit = m_owner.Edit(ASPECT_ALL);
        edit->LoadDataSet(folder, header, ClientWidth(), ClientHeight());
        if (State().m_data.m_strLoadReport.empty()) {
            ShowBusy(QCoreApplication::translate("CKZ_VView", "表示を準備しています..."));
        } else {
            EndBusy();  // the report's message box comes next, with the normal cursor
        }
    }
    if (!isVisible()) {
        EndBusy();  // no frame will come
    } else if (m_bBusy) {
        m_bBusyFrameDue = true;
        update();  // a frame of the loaded set comes even if one was drawn during the load
    }
}

void CKZ_VView::ShowBusy(const QString& text) {
    if (!m_bBusy) {
        m_bBusy = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    if (auto* frame = qobject_cast<QMainWindow*>(window())) {
        frame->statusBar()->showMessage(text);
        frame->statusBar()->repaint();  // now: the work that follows holds up every paint
    }
}

void CKZ_VView::EndBusy() {
    if (!m_bBusy) {
        return;
    }
    m_bBusy = false;
    m_bBusyFrameDue = false;
    QApplication::restoreOverrideCursor();
    if (auto* frame = qobject_cast<QMainWindow*>(window())) {
        frame->statusBar()->clearMessage();
    }
}

std::vector<std::string> CKZ_VView::CommentItemTexts() const {
    return ::CommentItemTexts(State());
}
