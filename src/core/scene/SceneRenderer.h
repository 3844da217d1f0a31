#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "geometry/Matrix4.h"
#include "geometry/Vector4.h"

// Values of OpenGL enumerations the drawing code passes through the renderer, so that code
// above it includes no GL header (checked against GL's own where the GL renderer is built).
constexpr int GL_FACE_FRONT_AND_BACK = 0x0408;  // GL_FRONT_AND_BACK
constexpr int GL_PARAM_DIFFUSE = 0x1201;        // GL_DIFFUSE
constexpr int GL_LIGHT_0 = 0x4000;              // GL_LIGHT0 (GL_LIGHT0 + i is light i)

// A run of display lists, one per character of a text: (first list, count); (0, 0) = none.
using CTextLists = std::pair<unsigned, int>;

// What a frame of the pressure view is drawn with: the operations the scene composer uses,
// in the terms of OpenGL 1.1's fixed pipeline (one model-view matrix stack, immediate
// primitives, lights and material, bitmap-font texts, display lists). The GL renderer draws
// them for the window, the off-screen picture and the printed page; the recording renderer
// keeps them as a list of primitives for tests that need no display.
class CSceneRenderer {
public:
    virtual ~CSceneRenderer() = default;

    // Whether anything can be drawn now (a GL renderer needs a current context).
    virtual bool CanDraw() const = 0;
    // Pixel sizes are multiplied by this (1 on screen, 2 to 4 for an enlarged picture).
    virtual int PixelScale() const = 0;
    virtual void Clear(CVector4 colour) = 0;
    virtual void Flush() = 0;

    // Transformations of the model-view matrix.
    virtual void LoadIdentity() = 0;
    virtual void PushMatrix() = 0;
    virtual void PopMatrix() = 0;
    virtual void Translate(CVector4 v) = 0;
    virtual void Scale(float s) = 0;
    virtual void Scale(CVector4 v) = 0;
    // glRotatef(angleDegrees, axis).
    virtual void Rotate(float angleDegrees, CVector4 axis) = 0;
    virtual void MultMatrix(const CMatrix4& matrix) = 0;
    // The current model-view matrix, column-major.
    virtual void ModelView(float out[16]) const = 0;

    virtual void SetDepthTest(bool on) = 0;
    // Window-pixel coordinates for overlays: origin at the top left, y down, for a client of
    // w x h pixels; End puts both matrices back.
    virtual void BeginWindowOverlay(int w, int h) = 0;
    virtual void EndWindowOverlay() = 0;

    // Primitives; each keeps the model-view matrix as it found it.
    virtual void DrawLine(const CVector4* points, CVector4 colour, float width) = 0;
    virtual void DrawLineLoop(const CVector4* points, int count, CVector4 colour, float width) = 0;
    virtual void DrawPolygon(const CVector4* points, int count, CVector4 colour) = 0;
    // Many primitives in one call, the same pixels as drawing them one by one in order (which
    // is what these do unless a renderer has a faster way): polygon k has counts[k] corners
    // following one another in points and the colour colours[k]; a line-loop run has one
    // colour; segment k is points 2k, 2k + 1 in colours[k].
    virtual void DrawPolygons(const CVector4* points, const int* counts, const CVector4* colours,
                              int polygons);
    virtual void DrawLineLoops(const CVector4* points, const int* counts, int loops,
                               CVector4 colour, float width);
    virtual void DrawLines(const CVector4* points, const CVector4* colours, int segments,
                           float width);
    // Filled bands drawn as triangles (CBandTriangles): triangle k has the corners
    // indices[3k..3k + 2] of corners, whose band coordinates coords holds, and each point of it
    // takes the colour table[b] of the band b its interpolated coordinate lies in (0 below 0,
    // bands - 1 from bands up). A renderer without a faster way draws the band polygons of
    // each triangle.
    virtual void DrawBandTriangles(const CVector4* corners, const float* coords,
                                   const uint32_t* indices, int triangles, const CVector4* table,
                                   int bands);
    // material: diffuse, specular, ambient, shininess.
    virtual void DrawOutline(const CVector4* points, int count, const CVector4* material,
                             float width, int face) = 0;
    virtual void DrawFace(const CVector4* points, int count, const CVector4* material,
                          int face) = 0;
    virtual void DrawSphere(CVector4 centre, float radius, CVector4 colour, int slices) = 0;
    // Markers of a dense set, dot k at centres[k] in colours[k]: round dots with the on-screen
    // size of spheres of that radius,
    // facing the viewer in front of their centres, unlit. They depend on the model-view
    // matrix of the moment (a display list of them holds for that camera only). A renderer
    // without dots draws the spheres (8 slices).
    virtual void DrawDots(const CVector4* centres, const CVector4* colours, int count,
                          float radius);
    virtual void DrawCone(CVector4 position, float base, float height, float angle, CVector4 axis,
                          CVector4 colour) = 0;

    // Lighting.
    virtual void SetLight(CVector4 position, CVector4 value, int light, int parameter) = 0;
    virtual void DisableLighting() = 0;

    // Single-byte texts in a bitmap font (face names are the settings' bytes, e.g.
    // "ＭＳ ゴシック"): a font is a list base. DrawTextBitmap and DrawTextPieces draw the same
    // pixels as DrawTextA in forms cheaper to keep in a display list (tap numbers by the
    // thousand); PrepareTextPieces makes the pieces those texts need.
    virtual unsigned CreateFontListA(int height, const char* faceName) = 0;
    virtual void DeleteFontList(unsigned listBase) = 0;
    virtual void DrawTextA(CVector4 position, unsigned listBase, const char* text,
                           CVector4 colour) = 0;
    virtual void DrawTextBitmap(CVector4 position, unsigned listBase, const char* text,
                                CVector4 colour) = 0;
    virtual void PrepareTextPieces(unsigned listBase, const std::vector<std::string>& texts) = 0;
    virtual void DrawTextPieces(CVector4 position, unsigned listBase, const char* text,
                                CVector4 colour) = 0;
    // A UTF-8 text (Japanese included) as a run of glyph lists; (0, 0) for an empty text.
    virtual CTextLists CreateTextList(int height, const std::string& utf8,
                                      const char* faceName) = 0;
    virtual void DrawTextList(CVector4 position, unsigned list, int count, CVector4 colour) = 0;
    virtual void DeleteLists(unsigned list, int count) = 0;

    // Display lists: what is drawn between BeginList and EndList is compiled, not drawn, and
    // CallList draws it. BeginList returns 0 (and compiles nothing) when lists cannot be had:
    // the caller then draws directly.
    virtual unsigned BeginList() = 0;
    virtual void EndList() = 0;
    virtual void CallList(unsigned list) = 0;
    virtual void DeleteList(unsigned list) = 0;
    // Whether list can be called: it names a list of this renderer and a call draws what it
    // holds where the caller needs to see every primitive (false while recording).
    virtual bool IsCallable(unsigned list) const = 0;
};

// Keeps the model-view matrix of a scope: pushed on entry, popped on exit.
class CMatrixScope {
public:
    explicit CMatrixScope(CSceneRenderer& r) : m_r(r) { m_r.PushMatrix(); }
    ~CMatrixScope() { m_r.PopMatrix(); }
    CMatrixScope(const CMatrixScope&) = delete;
    CMatrixScope& operator=(const CMatrixScope&) = delete;

private:
    CSceneRenderer& m_r;
};
