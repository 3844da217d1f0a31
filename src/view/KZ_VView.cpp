#include "KZ_VView.h"

#include <QMouseEvent>
#include <QPrinter>
#include <algorithm>
#include <string>

#include <GL/gl.h>

#include "field/Camera.h"
#include "field/ColorScale.h"
#include "state/DataSetLoad.h"
#include "text/CodePage.h"

CKZ_VView* g_pView = nullptr;

CKZ_VView::CKZ_VView(QWidget* parent) : COpenGLView(parent) {
    g_pView = this;
    ResetDisplayState();
    // Until the first load there is nothing to mark or measure.
    m_bShowMarkers = 0;
    m_bShowAxes = 0;
    m_fScale = 1.0f;
    m_bPrinting = 0;
    m_nLabelFontList = 0;
    m_comment.position.z = 1000.0f;
    // The default ramp, blue to red, until the colour-bar page sets its own.
    FillColorRamp(*this, MakeColorRef(0, 0, 255), MakeColorRef(255, 0, 0));
}

CKZ_VView::~CKZ_VView() {
    TearDownGL();
    if (g_pView == this) {
        g_pView = nullptr;
    }
}

void CKZ_VView::InitGL() {
    CreateAxisFont();
    if (HasDataSet()) {
        RebuildCommentText(m_comment);  // loaded before the window had its context
    }
}

void CKZ_VView::CreateAxisFont() {
    m_nAxisFontList = m_gl.CreateFontListA(15, "ＭＳ ゴシック");
}

void CKZ_VView::DestroyGL() {
    DeleteCommentLists(m_commentPrint);
    m_gl.DeleteFontList(m_nAxisFontList);
    m_nAxisFontList = 0;
    m_gl.DeleteFontList(static_cast<unsigned>(m_nLabelFontList));
    m_nLabelFontList = 0;
    DeleteCommentLists(m_comment);
}

void CKZ_VView::mousePressEvent(QMouseEvent* event) {
    if (!HasDataSet()) {
        event->ignore();  // no data set: clicks do nothing
        return;
    }
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (m_nPickMode == 0) {
            if (event->modifiers() & Qt::ShiftModifier) {
                m_nDragMode = DRAG_ZOOM;
            } else if (m_nDragMode == DRAG_NONE) {
                m_nDragMode = DRAG_ROTATE;
            }
        }
        BeginLeftDrag(point);
    } else if (event->button() == Qt::RightButton) {
        m_nDragMode = DRAG_PAN;
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
    m_nDragMode = DRAG_NONE;
    UpdateCursor();
}

void CKZ_VView::UpdateCursor() {
    // 158 while dragging, 157 while a pick mode is set, else 156.
    setCursor(m_nDragMode != DRAG_NONE ? Qt::SizeAllCursor
              : m_nPickMode != 0       ? Qt::CrossCursor
                                       : Qt::ArrowCursor);
}

void CKZ_VView::OnMouseDrag(int x0, int y0, int x1, int y1) {
    DragCamera(*this, m_nDragMode, x1 - x0, y1 - y0, ClientWidth(), ClientHeight());
    Host().UpdateFromView();
    update();
}

void CKZ_VView::SetViewPreset(int preset) {
    ::SetViewPreset(*this, m_matRotation, preset);
    Host().UpdateFromView();
    update();
}

void CKZ_VView::resizeGL(int w, int h) {
    COpenGLView::resizeGL(w, h);
    UpdateColorBarLayout();
}

void CKZ_VView::OnBeginPrinting(QPrinter& printer) {
    // Fonts for the printer's resolution: f times the screen sizes.
    const int screenDpi = std::max(1, logicalDpiY());
    const int f = std::max(1, printer.resolution() / screenDpi);
    makeCurrent();
    m_nAxisFontListPrint = m_gl.CreateFontListA(15 * f, "ＭＳ ゴシック");
    m_nLabelFontListPrint = m_gl.CreateFontListA(f * m_nLabelFontSize, m_strLabelFont.c_str());
    doneCurrent();
    CopyCommentSettings(m_commentPrint, m_comment);  // the print record keeps lists of its own
    m_commentPrint.size = m_comment.size * f;
    RebuildCommentText(m_commentPrint);
    m_bPrinting = 1;
}

void CKZ_VView::OnEndPrinting(QPrinter&) {
    makeCurrent();
    m_gl.DeleteFontList(m_nAxisFontListPrint);
    m_gl.DeleteFontList(m_nLabelFontListPrint);
    m_nAxisFontListPrint = 0;
    m_nLabelFontListPrint = 0;
    DeleteCommentLists(m_commentPrint);
    doneCurrent();
    m_bPrinting = 0;
}

void CKZ_VView::ResetDisplayState() {
    CViewState::ResetDisplayState(m_matRotation);
}

void CKZ_VView::SetBuildingAngle(double degrees) {
    CViewState::SetBuildingAngle(degrees);
    m_panelIndex.Build(*this);
    Host().RefreshPointCoordinates();
    update();
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
    CViewHost& host = Host();
    LoadDataSetFiles(*this, m_matRotation, folder, header, ClientWidth(), ClientHeight());
    m_panelIndex.Build(*this);
    RebuildCommentText(m_comment);

    host.ClearPartNames();
    for (const CGeometry* geo : {&m_geoMain, &m_geoSub}) {
        for (const CGeometryObject& part : geo->m_objects) {
            host.AddPartName(part.m_strName);
        }
    }
    host.SetDirectionCount(m_cp.m_nDirectionCount);
    host.ClearAllRows();
    host.EnableUndo(false);
    host.RefreshPages();
    host.SetDataSetName(DataSetName(m_strDataFolder));
    host.UpdateCommandStates();
    update();
}

std::vector<std::string> CKZ_VView::CommentItemTexts() const {
    return {DataSetName(m_strDataFolder),   m_header.m_strTitle,     m_header.m_strAffiliation,
            m_header.m_strMeasurer,         m_header.m_strManager,   m_header.m_strSummary,
            m_header.m_strBuildingShape,    m_header.m_strRoofShape, m_header.m_strBuildingSize,
            m_header.m_strAdjacentCondition};
}

void CKZ_VView::DeleteCommentLists(CCommentRecord& record) {
    for (CTextLists& lists : record.itemText) {
        m_gl.DeleteLists(lists.first, lists.second);
        lists = CTextLists(0, 0);
    }
    for (const CTextLists& lists : record.summaryLines) {
        m_gl.DeleteLists(lists.first, lists.second);
    }
    record.summaryLines.clear();
}

void CKZ_VView::RebuildCommentText(CCommentRecord& record) {
    const CContextScope scope(*this);
    if (!scope.Ok()) {
        return;  // no window yet: InitGL makes the lists when there is one
    }
    DeleteCommentLists(record);
    const std::vector<std::string> texts = CommentItemTexts();
    auto lists = [this, &record](const std::string& bytes) {
        const std::wstring wide = QString::fromStdString(kzv::FileTextToUtf8(bytes)).toStdWString();
        return m_gl.CreateTextListW(record.size, wide.c_str(), record.font.c_str());
    };
    for (int i = 0; i < COMMENT_ITEM_COUNT; ++i) {
        record.itemText[i] = lists(texts[static_cast<size_t>(i)]);
    }
    // The summary, line by line; empty lines are dropped.
    const std::string& summary = texts[5];
    size_t start = 0;
    while (start <= summary.size()) {
        size_t end = summary.find("\r\n", start);
        if (end == std::string::npos) {
            end = summary.size();
        }
        if (end > start) {
            record.summaryLines.push_back(lists(summary.substr(start, end - start)));
        }
        start = end + 2;
    }
}
