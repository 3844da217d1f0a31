// Picking in the pressure view: a left click in a pick mode finds the item under the cursor
// with a selection-mode pass and hands it to the core's selection functions.

#include <QCoreApplication>
#include <QOpenGLContext>
#include <QString>

#include "field/PickHits.h"
#include "field/Picking.h"
#include "field/SurfaceValues.h"
#include "scene/WindowProjection.h"
#include "state/SelectionSteps.h"
#include "ui/MessageBox.h"
#include "view/KZ_VView.h"

namespace {

const char* const kMsgNotOnePlane =
    QT_TRANSLATE_NOOP("CKZ_VView",
                      "指定された2点は同一メッシュ平面上にないため、矩形範囲を作れません。\n"
                      "同じ面の上で2点を指定し直してください。");
const char* const kMsgSlotNotOnOnePlane = QT_TRANSLATE_NOOP(
    "CKZ_VView", "指定した点は同一メッシュ平面上にありません。再度クリックしてください");

}  // namespace

void CKZ_VView::OnPickClick(QPoint point) {
    const double ratio = devicePixelRatioF();
    PickAt(qRound(point.x() * ratio), qRound(point.y() * ratio));
    if (State().m_selection.m_nSlotPickCount == 1) {
        // Both end points of the slot taken: the label-position dialog sees the edit end.
        auto edit = m_owner.Edit(ASPECT_SELECTION | ASPECT_CONTOURS);
        edit->m_selection.m_nSlotPickCount = -1;
        edit->m_selection.m_nPickMode = PICK_NONE;
        edit->m_selection.m_nEditSlot = -1;
    }
    if (State().m_selection.m_nCornerCount == 1) {
        const bool ended = SelectRectangle();
        auto edit = m_owner.Edit(ASPECT_SELECTION);
        edit->m_selection.m_nCornerCount = -1;
        if (ended) {
            edit->m_selection.m_nPickMode = PICK_NONE;  // the data-value page releases "範囲指定"
        }
    }
}

bool CKZ_VView::PickPass(int x, int y, unsigned& name, CVector4& point) {
    // The view's own context: whatever else is current (the window's compositor leaves its
    // own behind) is not the one the scene was drawn with.
    if (context() == nullptr || !context()->isValid()) {
        return false;
    }
    makeCurrent();
    const int h = ClientHeight();
    // A dense set (or a model zoomed far out) can put thousands of hits under the cursor: the
    // pass is drawn again with a larger selection buffer until they fit.
    unsigned names[64];
    float depth = 0.0f;
    for (size_t capacity = 4096;; capacity *= 8) {
        m_gl.BeginPick(capacity);
        m_gl.Clear(COLOR_WHITE);
        m_gl.SetViewport(ClientWidth(), h);
        m_gl.SetPickMatrix(x, h - y);
        // The model-view matrix of the last frame.
        m_gl.LoadIdentity();
        ApplyCamera(m_gl, State());
        DrawPickables(x, y);
        name = m_gl.EndPick(names, &depth);
        if (!m_gl.PickOverflowed() || capacity >= (size_t{1} << 26)) {
            break;
        }
    }
    // The pass drew into the frame: show the scene again.
    m_gl.SwapBuffers();
    const bool hit = name != kzv::NO_PICK;
    if (hit) {
        point = m_gl.UnProject(x, y, depth);
    }
    doneCurrent();
    return hit;
}

void CKZ_VView::DrawPickables(int x, int y) {
    // Only what may lie under the pick square (10 pixels about the cursor, a pixel to spare):
    // a million taps or panels drawn in selection mode would take the GL minutes.
    float modelView[16];
    m_gl.ModelView(modelView);
    const CWindowProjection window(modelView, ClientWidth(), ClientHeight());
    const float px = static_cast<float>(x), py = static_cast<float>(y), half = 6.0f;
    switch (State().m_selection.m_nPickMode) {
        case PICK_FACE_CONTOUR:
        case PICK_FACE_TAPS: {
            // Every polygon of the shown main-geometry parts, numbered across the parts.
            std::vector<CVector4> points;
            std::vector<int> counts;
            for (const CGeometryObject& part : State().m_data.m_geoMain.m_objects) {
                if (part.m_nDisplayMode == 2) {
                    continue;
                }
                for (const CGeometryFace& face : part.m_faces) {
                    points.insert(points.end(), face.m_vertices.begin(), face.m_vertices.end());
                    counts.push_back(static_cast<int>(face.m_vertices.size()));
                }
            }
            m_gl.DrawNamedPolygons(points.data(), counts.data(), static_cast<int>(counts.size()),
                                   0);
            break;
        }
        case PICK_TAP: {
            // Every marker, shown or not, named by its index in the taps.
            const float r = 5.0f / State().m_data.m_fScale;
            const std::vector<CVector4>& taps = State().m_data.m_taps.m_aPos;
            for (const int i : PointsNear(window, taps, r * window.Unit(), px, py, half)) {
                m_gl.LoadName(static_cast<unsigned>(i));
                m_gl.DrawSphere(taps[static_cast<size_t>(i)], r, COLOR_BLACK, 8);
            }
            break;
        }
        case PICK_POINT:
        case PICK_RECTANGLE:
        case PICK_SLOT: {
            // Every panel where the mesh is drawn, named by its index.
            UpdateMeshCorners(State().m_data, m_cache);
            const std::vector<int>& counts = m_cache.meshCounts;
            std::vector<size_t> first(counts.size() + 1, 0);
            for (size_t k = 0; k < counts.size(); ++k) {
                first[k + 1] = first[k] + static_cast<size_t>(counts[k]);
            }
            for (const int k : PolygonsNear(window, m_cache.meshCorners, counts, px, py, half)) {
                const size_t panel = static_cast<size_t>(k);
                m_gl.DrawNamedPolygons(&m_cache.meshCorners[first[panel]], &counts[panel], 1,
                                       static_cast<unsigned>(k));
            }
            break;
        }
        default:
            break;
    }
}

void CKZ_VView::PickAt(int x, int y) {
    if (State().m_selection.m_nPickMode == PICK_NONE || !State().HasDataSet()) {
        return;
    }
    unsigned hit = kzv::NO_PICK;
    CVector4 point;
    if (!PickPass(x, y, hit, point)) {
        return;  // nothing there: nothing changes
    }
    const int name = static_cast<int>(hit);
    switch (State().m_selection.m_nPickMode) {
        case PICK_FACE_CONTOUR:
            ToggleFaceContour(*m_owner.Edit(ASPECT_SELECTION | ASPECT_CONTOURS), name);
            return;
        case PICK_FACE_TAPS:
            SelectFacePoints(*m_owner.Edit(ASPECT_SELECTION), name);
            return;
        case PICK_TAP:
            SelectMeasurementPoint(*m_owner.Edit(ASPECT_SELECTION), name);
            return;
        default:
            break;
    }
    if (name < 0 || name >= State().m_data.m_mesh.GetPanelCount()) {
        return;
    }
    const CVector4 onPanel = ProjectOntoPanel(State().m_data, name, point);
    switch (State().m_selection.m_nPickMode) {
        case PICK_POINT:
            SelectArbitraryPoint(*m_owner.Edit(ASPECT_SELECTION), name, onPanel);
            break;
        case PICK_RECTANGLE:
            PickCorner(name, onPanel);
            break;
        case PICK_SLOT:
            PickSlotPoint(name, onPanel);
            break;
        default:
            break;
    }
}

void CKZ_VView::PickCorner(int panel, CVector4 p) {
    auto edit = m_owner.Edit(ASPECT_SELECTION);
    CSelection& selection = edit->m_selection;
    if (selection.m_nCornerCount >= 1) {
        selection.m_nCornerCount = -1;  // a rectangle left unfinished: start again
    }
    ++selection.m_nCornerCount;
    selection.m_anCornerPanel[selection.m_nCornerCount] = panel;
    selection.m_aCorner[selection.m_nCornerCount] = p;
    if (selection.m_nCornerCount == 1) {
        // Until the rectangle is made, the other two marks sit on the picked corners.
        selection.m_aCorner[2] = selection.m_aCorner[1];
        selection.m_aCorner[3] = selection.m_aCorner[0];
        if (!SameSurface(State().m_data, selection.m_anCornerPanel) &&
            Host().RunAutoCorrectDialog() == AUTO_CORRECT_BY_HAND) {
            selection.m_nCornerCount = 0;  // the user clicks the second corner again
        }
    }
}

void CKZ_VView::PickSlotPoint(int panel, CVector4 p) {
    if (State().m_selection.m_nEditSlot < 0 || State().m_selection.m_nEditSlot >= SLOT_COUNT) {
        return;
    }
    auto edit = m_owner.Edit(ASPECT_SELECTION | ASPECT_CONTOURS);
    CSelection& selection = edit->m_selection;
    CVector4(&segment)[2] = edit->m_settings.m_aSlot[selection.m_nEditSlot];
    if (selection.m_nSlotPickCount >= 1) {
        selection.m_nSlotPickCount = -1;
    }
    ++selection.m_nSlotPickCount;
    selection.m_anSlotPanel[selection.m_nSlotPickCount] = panel;
    segment[selection.m_nSlotPickCount] = p;
    if (selection.m_nSlotPickCount == 1 && !SameSurface(State().m_data, selection.m_anSlotPanel)) {
        KzMessageBox(this, QCoreApplication::translate("CKZ_VView", kMsgSlotNotOnOnePlane),
                     QStringLiteral(""), KzButtons::Ok, KzIcon::Error);
        // The slot is emptied; the user starts again with point A.
        selection.m_nSlotPickCount = -1;
        segment[0] = CVector4(0, 0, 0, 0);
        segment[1] = CVector4(0, 0, 0, 0);
    }
}

void CKZ_VView::RefuseRectangle() {
    KzMessageBox(this, QCoreApplication::translate("CKZ_VView", kMsgNotOnePlane), QString(),
                 KzButtons::Ok, KzIcon::Warning);
}

bool CKZ_VView::SelectRectangle() {
    CRangeRequest request;
    request.corner[0] = State().m_selection.m_aCorner[0];
    request.corner[1] = State().m_selection.m_aCorner[1];
    request.panel[0] = State().m_selection.m_anCornerPanel[0];
    request.panel[1] = State().m_selection.m_anCornerPanel[1];
    // The rectangle lies in the plane of the corners' panels: across a ridge or an eave there
    // is none (its inner points would float inside the building).
    {
        // The four corners are shown while the dialog is open.
        auto edit = m_owner.Edit(ASPECT_SELECTION);
        request.orientation = RectangleOnSurface(edit->m_data, edit->m_selection, request.corner[0],
                                                 request.corner[1], request.panel);
    }
    if (request.orientation == RECT_NONE) {
        RefuseRectangle();
        return false;
    }
    if (!Host().RunRangeDialog(State(), request)) {
        return true;
    }
    int orientation = RECT_NONE;
    {
        auto edit = m_owner.Edit(ASPECT_SELECTION);
        orientation = RectangleOnSurface(edit->m_data, edit->m_selection, request.corner[0],
                                         request.corner[1], request.panel);
        if (orientation != RECT_NONE) {
            SelectGridPoints(
                *edit,
                MakeGrid(edit->m_selection, orientation, request.divisionsP, request.divisionsQ),
                request.panel[0]);
        }
    }
    if (orientation == RECT_NONE) {
        RefuseRectangle();
        return false;
    }
    return true;
}
