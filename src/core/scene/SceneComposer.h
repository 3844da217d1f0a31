#pragma once

#include <string>
#include <vector>

#include "scene/FrameCache.h"
#include "scene/SceneRenderer.h"
#include "state/ViewState.h"

// What one frame is drawn for: the client area's size, and whether it is a printed page or an
// enlarged picture (which draws with fonts made for it and the comment settings given here).
struct CSceneFrame {
    int width = 0;
    int height = 0;
    bool printing = false;
    const CCommentRecord* comment = nullptr;  // the comment drawn; null: the state's own
    // Tap numbers are one bitmap each (DrawTextBitmap) for every tap of a set of up to
    // numberBitmapLimit taps and for the first largeSetNumberBitmaps taps of a larger set; the
    // others are drawn in pieces of up to three digits (DrawTextPieces). The same pixels either
    // way: the GL keeps each compiled bitmap apart (about 1 KB with Mesa), a number in two
    // pieces takes about twice as long to draw, and a thousand or so pieces' lists serve a set
    // of any size.
    size_t numberBitmapLimit = 20000;
    size_t largeSetNumberBitmaps = 5000;
    // Sets of more taps than this draw their filled bands as the panels' triangles with a band
    // coordinate (CBandTriangles), smaller ones as the band polygons. The polygons are a few
    // triangles for each of the walk's and are built on every direction step; the triangles,
    // sampled from the band colours without filtering, give the same band edges to within
    // rounding along them (one pixel here and there) at the cost of the mesh itself.
    size_t polygonBandsUpTo = 2000;
};

// Composes the frame of the pressure view from the state into a renderer: camera, axes,
// lights, geometry, ground grid, wind arrows, contours, mesh, measurement points, colour bar
// and comment. What it derives from the state is kept in the frame cache and remade only when
// its inputs change; the fonts are the renderer's (made by the caller, the label font and the
// comment texts here as they are needed).
class CSceneComposer {
public:
    CSceneComposer(const CViewState& state, CSceneRenderer& renderer, CFrameCache& cache,
                   CSceneFonts& fonts)
        : m_state(state), m_r(renderer), m_cache(cache), m_fonts(fonts) {}

    void Compose(const CSceneFrame& frame);

private:
    void DrawAxes();
    void DrawGeometry(const CGeometry& geo);
    void DrawGround();
    void DrawWind();
    void DrawContours();
    void DrawMesh();
    // Whether the mesh's edges lie so close on the window that its outlines would cover the
    // bands (thinning leaves them out then).
    bool MeshTooDense() const;
    // Whether the taps are thinned: the switch is on and the set has more than a few thousand.
    bool ThinsTaps() const;
    // For each tap, the normal of a panel it is a corner of (cached per data set).
    const std::vector<CVector4>& TapNormals();
    // Calls list when current is set and the renderer can call it; otherwise draws with draw()
    // into list made anew (or directly, when no list can be had) and calls it.
    template <class Draw>
    void ThroughList(unsigned& list, bool current, Draw draw);
    void DrawPoints();
    // Per tap: whether it is listed, and whether its marker and its number are drawn (all of
    // them, or with thinning on those that do not cover one another on the window).
    std::vector<uint8_t> TapMarks(float radius, bool numbers);
    void DrawTapPoints(const std::vector<uint8_t>& marks, float radius, size_t wholeNumbers,
                       bool numbers);
    void DrawColorBar();
    void DrawComment(const CCommentRecord& record);
    void UpdateLabelFont();
    void UpdateCommentText(const CCommentRecord& record);

    const CViewState& m_state;
    CSceneRenderer& m_r;
    CFrameCache& m_cache;
    CSceneFonts& m_fonts;
    CSceneFrame m_frame;
};

// The ten comment item texts, in the file's code page: the data set's name and its header's
// fields.
std::vector<std::string> CommentItemTexts(const CViewState& state);
// Deletes a comment block's text lists (they are made again on the next frame).
void DeleteCommentLists(CSceneRenderer& renderer, CCommentText& text);
// The mesh's corners lifted off the building (panel after panel) into the cache, made again
// only for a new data set or a turned building.
void UpdateMeshCorners(const CDataSet& data, CFrameCache& cache);
// The form a frame draws the data set's bands in (see CSceneFrame::polygonBandsUpTo).
BandForm BandFormOf(const CDataSet& data, const CSceneFrame& frame);
// The camera's model-view transformation (pan, rotation, the data set's scale and the zoom),
// multiplied onto the renderer's current matrix: a frame and a pick pass both start with it.
void ApplyCamera(CSceneRenderer& r, const CViewState& state);
