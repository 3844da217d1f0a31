#pragma once

#include <QCoreApplication>
#include <string>
#include <utility>
#include <vector>

#include "render/OpenGLView.h"
#include "scene/SceneComposer.h"
#include "state/StateOwner.h"
#include "view/ViewHost.h"

class QLabel;

// The line the empty view shows until the first data set is loaded.
inline constexpr const char* EMPTY_VIEW_HINT =
    QT_TRANSLATE_NOOP("CKZ_VView", "データセットは「ﾌｧｲﾙ(F)」→「データを読み込む」で読み込みます");

// The pressure view: the one 3-D view of the program. It shows the state its owner holds and
// draws through COpenGLView; every announced change of the state redraws it. Mouse and keys
// change the state through the owner's edits, like every other control.
class CKZ_VView : public COpenGLView {
    Q_OBJECT
public:
    // owner: the state the view shows; it outlives the view.
    explicit CKZ_VView(CStateOwner& owner, QWidget* parent = nullptr);
    ~CKZ_VView() override;

    const CViewState& State() const { return m_owner.State(); }
    CStateOwner& Owner() const { return m_owner; }

    // The window around the view; null means none (every call then does nothing).
    void SetHost(CViewHost* host) { m_pHost = host != nullptr ? host : &m_noHost; }
    CViewHost& Host() { return *m_pHost; }

    // Command 32773 "データを読み込む".
    void OnLoadData();
    // Runs the data-folder dialog (on the search results when given) and loads the data set
    // the user confirms.
    void LoadDataSet(const std::vector<std::string>* searchResults = nullptr);
    // Loads the data set in folder (ending in '/') with its header, as the dialog's OK does,
    // and announces a new data set.
    void LoadDataSetFrom(const std::string& folder, const CHeaderFile& header);

    // The ten comment item texts, in the file's code page.
    std::vector<std::string> CommentItemTexts() const;

    void RenderScene() override;
    void InitGL() override;
    void DestroyGL() override;
    void OnMouseDrag(int x0, int y0, int x1, int y1) override;
    void OnBeginPrinting(QPrinter& printer) override;
    void OnEndPrinting(QPrinter& printer) override;
    void OnBeginImage() override;
    void OnEndImage() override;

    // The cursor for the drag and pick state (call after changing m_nPickMode).
    void UpdateCursor();

    // ---- picking ----
    // What a left click at client pixel (x, y) (y down) does in the current pick mode: finds
    // the item under the cursor in a selection-mode pass and selects a point, takes a corner
    // or a slot end point, or toggles a face. A click that hits nothing changes nothing.
    void PickAt(int x, int y);
    // After two rectangle corners: the range dialog, then the grid of arbitrary points. False
    // when the rectangle was refused (its corners differ in all three coordinates): the
    // corners are then picked again.
    bool SelectRectangle();

    // ---- per-context resources ----
    CSceneFonts m_screenFonts;      // the screen's fonts and comment texts, made with the context
    CSceneFonts m_printFonts;       // the same at the printer's resolution, while printing
    CCommentRecord m_commentPrint;  // the comment's settings at the printer's resolution
    uint8_t m_bPrinting = 0;

    const CFrameCache& FrameCache() const { return m_cache; }
    // How many tap numbers are one bitmap each (see CSceneFrame).
    size_t m_nNumberBitmapLimit = 20000;
    size_t m_nLargeSetNumberBitmaps = 5000;
    // Up to how many taps the bands are drawn as polygons (see CSceneFrame).
    size_t m_nPolygonBandsUpTo = 2000;

signals:
    // The true range of the values shown, as a line for the status bar ("データ範囲 min … max";
    // empty without values), whenever a contour computation finds it changed.
    void ShownRangeChanged(const QString& text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // PageUp / PageDown step the wind direction up / down, as the direction page's buttons do.
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnStateChanged(unsigned aspects);
    // A busy cursor and a status text from the start of a load until its first frame is on
    // screen: a large data set takes seconds to read and to draw first.
    void ShowBusy(const QString& text);
    void EndBusy();
    bool m_bBusy = false;
    // Set once a load has handed its state to the view: only a frame swapped after that shows
    // the loaded data set (a status-bar repaint during the load can swap the old frame).
    bool m_bBusyFrameDue = false;

    // The left button in a pick mode: PickAt, then finishing a slot or a rectangle.
    void OnPickClick(QPoint point);
    // The selection-mode pass: the name of the nearest pickable under (x, y) and its depth;
    // false when nothing lies there.
    bool PickPass(int x, int y, unsigned& name, CVector4& point);
    void DrawPickables(int x, int y);
    void PickCorner(int panel, CVector4 p);
    void PickSlotPoint(int panel, CVector4 p);
    // The message for two corners on different planes, which make no rectangle.
    void RefuseRectangle();
    // The axis font of the view's context: "ＭＳ ゴシック" at 15 pixels.
    void CreateAxisFont();
    // The print lists: axis and label fonts and the comment's copy, at f times the screen's
    // sizes; the frame draws with them until DropPrintFonts.
    void MakePrintFonts(int f);
    void DropPrintFonts();

    CStateOwner& m_owner;
    int m_nStateListener = 0;
    CFrameCache m_cache;
    std::string m_strRangeShown;     // the range line last announced (ShownRangeChanged)
    QLabel* m_pEmptyHint = nullptr;  // the hint of the empty view
    CViewHost m_noHost;
    CViewHost* m_pHost = &m_noHost;
};
