#pragma once

#include <string>
#include <vector>

#include "OpenGLView.h"
#include "ViewHost.h"
#include "field/ContourDrawing.h"
#include "field/PanelIndex.h"
#include "state/ViewState.h"

// The pressure view: the one 3-D view of the program. It holds the data set and every display
// setting (CViewState, whose members keep their names here) and draws through COpenGLView.
class CKZ_VView : public COpenGLView, public CViewState {
    Q_OBJECT
public:
    explicit CKZ_VView(QWidget* parent = nullptr);
    ~CKZ_VView() override;

    // The window around the view; null means none (every call then does nothing).
    void SetHost(CViewHost* host) { m_pHost = host != nullptr ? host : &m_noHost; }
    CViewHost& Host() { return *m_pHost; }

    // Command 32773 "データを読み込む".
    void OnLoadData();
    // Runs the data-folder dialog (on the search results when given) and loads the data set
    // the user confirms.
    void LoadDataSet(const std::vector<std::string>* searchResults = nullptr);
    // Loads the data set in folder (ending in '/') with its header, as the dialog's OK does.
    void LoadDataSetFrom(const std::string& folder, const CHeaderFile& header);

    // Display state back to the initial one (command 32780 and every load).
    void ResetDisplayState();
    // Turns the building on its site; the value list rewrites its coordinates.
    void SetBuildingAngle(double degrees);

    // Remakes the comment block's text lists from the header (needs the view's context).
    void RebuildCommentText(CCommentRecord& record);
    // The ten comment item texts, in the file's code page.
    std::vector<std::string> CommentItemTexts() const;

    void RenderScene() override;
    void InitGL() override;
    void DestroyGL() override;
    void OnMouseDrag(int x0, int y0, int x1, int y1) override;
    void OnBeginPrinting(QPrinter& printer) override;
    void OnEndPrinting(QPrinter& printer) override;

    // The cursor for the drag and pick state (call after changing m_nPickMode).
    void UpdateCursor();

    // Turns the model to one of the six axis views (the operation page's buttons).
    void SetViewPreset(int preset);

    // Printer-sized label font while printing (the screen one is m_nLabelFontList).
    unsigned m_nLabelFontListPrint = 0;
    // Whether the label-position dialog is shown (the slots are drawn only then).
    bool m_bSlotsVisible = false;

    // The panels by place, for finding the panel that holds a point; rebuilt whenever the
    // tap positions change (load, building angle).
    CPanelIndex m_panelIndex;
    int FindPanelContaining(CVector4 p) const { return m_panelIndex.FindPanelContaining(p); }

    // The axis font of the view's context: "ＭＳ ゴシック" at 15 pixels.
    void CreateAxisFont();

    // Remakes the label font from m_strLabelFont and m_nLabelFontSize (0 when it fails).
    void RebuildLabelFont();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeGL(int w, int h) override;

private:
    // The colour bar's quads for the client size.
    void UpdateColorBarLayout();
    // Parts of a frame, in drawing order.
    void ApplyCamera();
    void DrawAxes();
    void DrawGeometry(const CGeometry& geo);
    void DrawGround();
    void DrawWind();
    void DrawContours();
    void DrawMesh();
    void DrawPoints();
    void DrawColorBar();
    void DrawComment(const CCommentRecord& record);
    unsigned AxisFont() const { return m_bPrinting ? m_nAxisFontListPrint : m_nAxisFontList; }

    void DeleteCommentLists(CCommentRecord& record);

    CContourDrawing m_contours;  // reused frame after frame
    CViewHost m_noHost;
    CViewHost* m_pHost = &m_noHost;
};

// The one view, set by its constructor; pages and dialogs reach the view through it.
extern CKZ_VView* g_pView;
