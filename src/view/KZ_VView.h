#pragma once

#include <QCoreApplication>
#include <string>
#include <utility>
#include <vector>

#include "field/ContourWalk.h"
#include "render/OpenGLView.h"
#include "state/StateOwner.h"
#include "view/ViewHost.h"

// A run of display lists, one per character of a text: (first list, count); (0, 0) = none.
using CTextLists = std::pair<unsigned, int>;

// The display lists of the comment block's texts, and the face, size and texts they were
// made from: they are made again only when one of these differs.
struct CCommentText {
    CTextLists itemText[COMMENT_ITEM_COUNT] = {};
    std::vector<CTextLists> summaryLines;
    bool made = false;
    std::string font;
    int size = 0;
    std::vector<std::string> texts;
};

// Drawings derived from the state that a frame replays, each recomputed only when an input it
// reads changed: the contour items (keyed on a copy of their inputs), the mesh outlines and the
// tap-number positions (keyed on the data set's generation). A camera change reuses them all.
struct CFrameCache {
    bool contoursValid = false;
    CContourInputs contourKey;
    CContourDrawing contours;

    uint64_t meshGeneration = ~uint64_t(0);
    std::vector<CVector4> meshCorners;  // lifted corners, panel after panel
    std::vector<int> meshCounts;        // corners of each panel

    uint64_t numbersGeneration = ~uint64_t(0);
    int numbersKind = 0;                    // 0 tap numbers, else which envelope's governing angles
    std::vector<CVector4> numberPositions;  // one per tap, in tap order
    std::vector<std::string> numberTexts;

    // The taps' markers and numbers in one display list (0 = none), and what it was made
    // from: the taps' generation, the switches, the marker radius, the font and which taps are
    // listed, how many numbers are one bitmap each.
    unsigned pointsList = 0;
    uint64_t pointsGeneration = ~uint64_t(0);
    bool pointsMarkers = false;
    bool pointsNumbers = false;
    int pointsNumbersKind = 0;
    float pointsRadius = 0.0f;
    unsigned pointsFont = 0;
    size_t pointsWholeNumbers = 0;  // taps whose numbers are one bitmap each
    std::vector<uint8_t> pointsListed;
    int pointsCompilations = 0;  // how many times the list was made (tests)

    int contourComputations = 0;  // how many times the contours were computed (tests, bench)
    std::string rangeText;        // the last ShownRangeChanged text
};

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
    unsigned m_nAxisFontList = 0;       // "ＭＳ ゴシック" at 15 pixels, made with the context
    unsigned m_nAxisFontListPrint = 0;  // the same at the printer's resolution
    int m_nLabelFontList = 0;           // label font; 0 = none yet
    unsigned m_nLabelFontListPrint = 0;
    uint8_t m_bPrinting = 0;
    CCommentText m_commentText;       // the comment texts on screen
    CCommentRecord m_commentPrint;    // the comment's settings at the printer's resolution
    CCommentText m_commentPrintText;  // and its texts

    const CFrameCache& FrameCache() const { return m_cache; }
    // Tap numbers are one bitmap each in the markers' list (CGLRenderer::DrawTextBitmap) for
    // every tap of a set of up to m_nNumberBitmapLimit taps and for the first
    // m_nLargeSetNumberBitmaps taps of a larger set; the others are drawn in pieces of up to
    // three digits (DrawTextPieces). The same pixels either way: the GL keeps each compiled
    // bitmap apart (about 1 KB with Mesa), a number in two pieces takes about twice as long to
    // draw, and a thousand or so pieces' lists serve a set of any size.
    size_t m_nNumberBitmapLimit = 20000;
    size_t m_nLargeSetNumberBitmaps = 5000;

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
    void DrawPickables();
    void PickCorner(int panel, CVector4 p);
    void PickSlotPoint(int panel, CVector4 p);
    // The message for two corners on different planes, which make no rectangle.
    void RefuseRectangle();
    // The mesh's corners lifted off the building (panel after panel), made again only for a
    // new data set or a turned building.
    void UpdateMeshCorners();
    // Makes the comment block's text lists from the header unless they are up to date (needs
    // a current context).
    void UpdateCommentText(const CCommentRecord& record, CCommentText& text);
    void DeleteCommentLists(CCommentText& text);
    // The axis font of the view's context: "ＭＳ ゴシック" at 15 pixels.
    void CreateAxisFont();
    // Remakes the label font when its face or size changed since it was made.
    void UpdateLabelFont();
    // The print lists: axis and label fonts and the comment's copy, at f times the screen's
    // sizes; the frame draws with them until DropPrintFonts.
    void MakePrintFonts(int f);
    void DropPrintFonts();

    // Parts of a frame, in drawing order.
    void ApplyCamera();
    void DrawAxes();
    void DrawGeometry(const CGeometry& geo);
    void DrawGround();
    void DrawWind();
    void DrawContours();
    void DrawMesh();
    void DrawPoints();
    // The markers and numbers of the taps, as DrawPoints draws them (listed: per tap); the
    // numbers (or governing angles; when numbers is set) of the first wholeNumbers taps one
    // bitmap each, the others in pieces.
    void DrawTapPoints(const std::vector<uint8_t>& listed, float radius, size_t wholeNumbers,
                       bool numbers);
    void DrawColorBar();
    void DrawComment(const CCommentRecord& record, CCommentText& text);
    unsigned AxisFont() const { return m_bPrinting ? m_nAxisFontListPrint : m_nAxisFontList; }

    CStateOwner& m_owner;
    int m_nStateListener = 0;
    CFrameCache m_cache;
    std::string m_strLabelFontMade;  // face and size the label font was made with
    int m_nLabelFontSizeMade = 0;
    QLabel* m_pEmptyHint = nullptr;  // the hint of the empty view
    CViewHost m_noHost;
    CViewHost* m_pHost = &m_noHost;
};

// The one view, set by its constructor; pages and dialogs reach the view through it.
