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
    m_nAxisFontList = m_gl.CreateFontListA(15, "ＭＳ ゴシック");
}

void CKZ_VView::DestroyGL() {
    m_gl.DeleteList(m_cache.pointsList);
    m_cache.pointsList = 0;
    DeleteCommentLists(m_commentPrintText);
    m_gl.DeleteFontList(m_nAxisFontList);
    m_nAxisFontList = 0;
    m_gl.DeleteFontList(static_cast<unsigned>(m_nLabelFontList));
    m_nLabelFontList = 0;
    DeleteCommentLists(m_commentText);
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
    m_nAxisFontListPrint = m_gl.CreateFontListA(15 * f, "ＭＳ ゴシック");
    m_nLabelFontListPrint = m_gl.CreateFontListA(f * State().m_settings.m_nLabelFontSize,
                                                 State().m_settings.m_strLabelFont.c_str());
    doneCurrent();
    m_commentPrint = State().m_settings.m_comment;  // the print texts are lists of their own
    m_commentPrint.size = State().m_settings.m_comment.size * f;
    m_bPrinting = 1;
}

void CKZ_VView::DropPrintFonts() {
    makeCurrent();
    m_gl.DeleteFontList(m_nAxisFontListPrint);
    m_gl.DeleteFontList(m_nLabelFontListPrint);
    // The markers' list may hold numbers in the printer's font, whose list name a later font
    // can take again.
    m_gl.DeleteList(m_cache.pointsList);
    m_cache.pointsList = 0;
    m_nAxisFontListPrint = 0;
    m_nLabelFontListPrint = 0;
    DeleteCommentLists(m_commentPrintText);
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
    return {DataSetName(State().m_data.m_strDataFolder),
            State().m_data.m_header.m_strTitle,
            State().m_data.m_header.m_strAffiliation,
            State().m_data.m_header.m_strMeasurer,
            State().m_data.m_header.m_strManager,
            State().m_data.m_header.m_strSummary,
            State().m_data.m_header.m_strBuildingShape,
            State().m_data.m_header.m_strRoofShape,
            State().m_data.m_header.m_strBuildingSize,
            State().m_data.m_header.m_strAdjacentCondition};
}

void CKZ_VView::DeleteCommentLists(CCommentText& text) {
    text.made = false;
    for (CTextLists& lists : text.itemText) {
        m_gl.DeleteLists(lists.first, lists.second);
        lists = CTextLists(0, 0);
    }
    for (const CTextLists& lists : text.summaryLines) {
        m_gl.DeleteLists(lists.first, lists.second);
    }
    text.summaryLines.clear();
}

void CKZ_VView::UpdateCommentText(const CCommentRecord& record, CCommentText& text) {
    // Only the items shown get lists; the flags are part of what the lists were made from.
    std::vector<std::string> texts = CommentItemTexts();
    for (int i = 0; i < COMMENT_ITEM_COUNT; ++i) {
        if (!record.flags[i]) {
            texts[static_cast<size_t>(i)].clear();
        }
    }
    if (text.made && text.font == record.font && text.size == record.size && text.texts == texts) {
        return;
    }
    DeleteCommentLists(text);
    auto lists = [this, &record](const std::string& utf8) {
        const std::wstring wide = QString::fromStdString(utf8).toStdWString();
        return m_gl.CreateTextListW(record.size, wide.c_str(), record.font.c_str());
    };
    for (int i = 0; i < COMMENT_ITEM_COUNT; ++i) {
        if (i != 5 && !texts[static_cast<size_t>(i)].empty()) {
            text.itemText[i] = lists(kzv::DisplayLine(texts[static_cast<size_t>(i)]));
        }
    }
    // The summary, line by line; empty lines are dropped.
    for (const std::string& line : kzv::DisplaySummaryLines(texts[5])) {
        text.summaryLines.push_back(lists(line));
    }
    text.made = true;
    text.font = record.font;
    text.size = record.size;
    text.texts = std::move(texts);
}
