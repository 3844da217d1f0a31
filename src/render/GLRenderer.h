#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "geometry/Vector4.h"
#include "render/GLSolids.h"
#include "scene/SceneRenderer.h"

class QOpenGLWidget;
class QOpenGLContext;
class QOffscreenSurface;
namespace kzv {
class CEglOffscreen;
}
class QOpenGLFramebufferObject;
class QPainter;
class QImage;

class CMatrix4;
class CGLRecording;
namespace kzv {
class CBitmapFont;
}  // namespace kzv

// Size and depth of the off-screen image (the 24-bit bitmap of the printing path).
struct COffscreenInfo {
    int width = 0;
    int height = 0;
    int bitCount = 24;
};

// Every OpenGL call the program makes goes through this toolkit: context and frame,
// transformations, primitives, lights and material, bitmap-font text, selection-mode picking,
// unprojection, the off-screen image for printing and frame-buffer read-back.
//
// The window's context belongs to its QOpenGLWidget; the off-screen one is a context of our
// own on an off-screen surface, drawing into a framebuffer object, sharing display lists with
// the window. Without a current context every drawing operation does nothing.
class CGLRenderer : public CSceneRenderer {
public:
    CGLRenderer();
    CGLRenderer(const CGLRenderer&) = delete;
    CGLRenderer& operator=(const CGLRenderer&) = delete;
    ~CGLRenderer() override;

    // Pixel sizes are multiplied by this: line widths, and the heights of fonts made while it is
    // set. 1 on screen; 2 to 4 while a picture is drawn at that multiple of the window's size.
    void SetPixelScale(int scale) { m_nPixelScale = scale < 1 ? 1 : scale; }
    int PixelScale() const override { return m_nPixelScale; }

    // Context and frame.
    bool CreateContext(QOpenGLWidget* window);
    void MakeCurrent();
    unsigned ReleaseCurrent();
    void SwapBuffers();
    void SetViewport(int w, int h);
    void SetOrtho(CVector4 box, CVector4 depth);
    void Clear(CVector4 colour) override;
    void DeleteContexts();
    static bool HasCurrentContext();
    bool CanDraw() const override { return HasCurrentContext(); }

    // Transformations of the model-view matrix.
    void LoadIdentity() override;
    void PushMatrix() override;
    void PopMatrix() override;
    void Translate(CVector4 v) override;
    void Scale(float s) override;
    void Scale(CVector4 v) override;
    // glRotatef(angleDegrees, axis).
    void Rotate(float angleDegrees, CVector4 axis) override;
    // Multiplies the stored rotation onto the current matrix.
    void MultMatrix(const CMatrix4& matrix) override;
    // The identity without a context.
    void ModelView(float out[16]) const override;

    // Depth test on or off.
    void SetDepthTest(bool on) override;
    // Window-pixel coordinates for overlays: origin at the top left, y down, depth
    // -5000..5000, for a client of w x h pixels; End puts both matrices back.
    void BeginWindowOverlay(int w, int h) override;
    void EndWindowOverlay() override;
    void Flush() override;

    // Primitives; each keeps the model-view matrix as it found it.
    void DrawLine(const CVector4* points, CVector4 colour, float width) override;
    void DrawLineLoop(const CVector4* points, int count, CVector4 colour, float width) override;
    void DrawPolygon(const CVector4* points, int count, CVector4 colour) override;
    // Runs of primitives as vertex arrays (one draw each), or one by one while recording.
    void DrawPolygons(const CVector4* points, const int* counts, const CVector4* colours,
                      int polygons) override;
    // Band triangles as a 1-D texture of the band colours sampled without filtering (the
    // polygons while recording or lit).
    void DrawBandTriangles(const CVector4* corners, const float* coords, const uint32_t* indices,
                           int triangles, const CVector4* table, int bands) override;
    static constexpr int kBandTexels = 64;
    void DrawLineLoops(const CVector4* points, const int* counts, int loops, CVector4 colour,
                       float width) override;
    void DrawLines(const CVector4* points, const CVector4* colours, int segments,
                   float width) override;
    void DrawOutline(const CVector4* points, int count, const CVector4* material, float width,
                     int face) override;
    void DrawFace(const CVector4* points, int count, const CVector4* material, int face) override;
    void DrawSphere(CVector4 centre, float radius, CVector4 colour, int slices) override;
    void DrawDots(const CVector4* centres, const CVector4* colours, int count,
                  float radius) override;
    void DrawCone(CVector4 position, float base, float height, float angle, CVector4 axis,
                  CVector4 colour) override;

    // Lighting and material.
    void SetLight(CVector4 position, CVector4 value, int light, int parameter) override;
    void DisableLighting() override;
    void SetMaterial(int face, const CVector4* material);

    // Text as bitmap-font display lists at a 3-D raster position. Face names are the bytes of
    // the settings (CP932 or UTF-8), e.g. "ＭＳ ゴシック". A font list holds one glyph list per
    // byte code.
    unsigned CreateFontListA(int height, const char* faceName) override;
    void DrawTextA(CVector4 position, unsigned listBase, const char* text,
                   CVector4 colour) override;
    // The same text and pixels for texts drawn by the thousand (tap numbers), compiled into a
    // display list. DrawTextBitmap draws one bitmap made from the font's glyph images instead
    // of one per character: the fastest, but the GL keeps each compiled bitmap apart (about
    // 1 KB apiece with Mesa). DrawTextPieces cuts the text into pieces of up to three
    // characters from its right end ("12345" is "12" and "345") and calls one bitmap list per
    // piece: a few pieces serve any number of texts, and a five-digit number is two bitmaps.
    // PrepareTextPieces makes the pieces' lists (outside any list being compiled); a piece it
    // has not made, or beyond kMaxTextPieces a font, is drawn glyph by glyph.
    void DrawTextBitmap(CVector4 position, unsigned listBase, const char* text,
                        CVector4 colour) override;
    void PrepareTextPieces(unsigned listBase, const std::vector<std::string>& texts) override;
    void DrawTextPieces(CVector4 position, unsigned listBase, const char* text,
                        CVector4 colour) override;
    static constexpr size_t kMaxTextPieces = 4096;
    void DeleteFontList(unsigned listBase) override;
    // A wide text as one display list calling a glyph list per character; each distinct glyph
    // of a font has one list, shared by every text that shows it and deleted with the last of
    // them. Returns (text list, characters), (0, 0) for an empty text or on failure.
    std::pair<unsigned, int> CreateTextListW(int height, const wchar_t* text, const char* faceName);
    CTextLists CreateTextList(int height, const std::string& utf8, const char* faceName) override;
    void DrawTextList(CVector4 position, unsigned list, int count, CVector4 colour) override;
    // Deletes a text of CreateTextListW (and the glyphs no other text uses).
    void DeleteLists(unsigned list, int count) override;
    // Glyph lists the texts of CreateTextListW hold, over all fonts.
    int GlyphListCount() const;

    // A display list of what is drawn between BeginList and EndList, compiled and not drawn;
    // CallList draws it. BeginList returns 0, and nothing is compiled, without a context or
    // while recording (a recording needs every primitive drawn as it comes).
    unsigned BeginList() override;
    void EndList() override;
    void CallList(unsigned list) override;
    void DeleteList(unsigned list) override;
    // Whether list names a display list in the current context (a new context has none).
    bool IsList(unsigned list) const;
    bool IsCallable(unsigned list) const override { return !Recording() && IsList(list); }

    // Picking in selection mode, and unprojection of window points. The selection buffer holds
    // capacity values (a hit takes 3 + its names); after EndPick, PickOverflowed says whether
    // the hits did not fit (the pass found nothing then: draw it again with a larger buffer).
    void BeginPick(size_t capacity = 256);
    bool PickOverflowed() const { return m_bPickOverflowed; }
    void SetPickMatrix(double x, double y);
    void LoadName(unsigned name);
    // Filled polygons for a pick pass: polygon k, counts[k] corners following one another in
    // points, is named firstName + k. Only their hits count, so they are neither lit nor
    // coloured.
    void DrawNamedPolygons(const CVector4* points, const int* counts, int polygons,
                           unsigned firstName);
    unsigned EndPick(unsigned* names, float* depth);
    unsigned ProcessHits(int hits, unsigned* names, float* depth);
    CVector4 UnProject(int x, int y, float z);

    // Display lists of the unit solids and the band texture, made on first use in the current
    // share group. ReleaseContextObjects deletes them (with the context current) before the
    // context goes.
    void ReleaseContextObjects();

    // While a recording is set, every primitive drawn is also kept in it with its state (see
    // CGLRecording); null stops recording. The recording must outlive its use here.
    void SetRecording(CGLRecording* recording) { m_recording = recording; }
    bool Recording() const { return m_recording != nullptr; }

    // Off-screen image for printing and pictures. Without a window, when Qt's platform cannot
    // make an OpenGL context (no display), the image is drawn in a surfaceless EGL context.
    bool CreateOffscreen(int w, int h);
    bool CreateOffscreenBitmap(int w, int h);
    void PrepareOffscreen(int pageW, int pageH, int clientW, int clientH);
    void BlitOffscreen(QPainter* printer, int left, int top, int pageH);
    void DestroyOffscreen();
    bool MakeOffscreenCurrent();

    // Reads w x h pixels of the frame as glReadPixels gives them (blue, green, red, alpha;
    // bottom row first). When the first byte read (blue of the bottom-left pixel) is 0 it reads
    // again from the back buffer, then sets the read buffer back to the front. With a
    // framebuffer object bound (the window's picture lives in one) both reads take its image.
    bool ReadFramePixels(int w, int h, std::vector<uint8_t>& bgra);
    // The same pixels as an upright RGB image (top row first).
    bool ReadPixelsToBitmap(int w, int h, QImage& out);

    // The orthographic box last set (left, right, bottom, top, near, far).
    const float* ProjectionBox() const { return m_box; }
    // Size of the off-screen image; whether one exists.
    const COffscreenInfo& OffscreenInfo() const { return m_offscreenInfo; }
    bool HasOffscreen() const { return m_offscreenContext != nullptr || m_egl != nullptr; }
    bool HasOffscreenImage() const;

private:
    // A bitmap font by cell height and face name.
    using FontKey = std::pair<int, std::string>;
    kzv::CBitmapFont& BitmapFont(const FontKey& key);
    // A single-byte text's colour and raster position set, and its bitmap kept when recording.
    void StartText(CVector4 position, unsigned listBase, const char* text, CVector4 colour);
    // The corners of one primitive (mode: GL_LINES, GL_LINE_LOOP, GL_POLYGON) kept in the
    // recording when one is set, then drawn.
    void EmitVertices(unsigned mode, const CVector4* points, int count);
    // The strips of a unit solid (kind, slices), made on first use.
    const std::vector<kzv::CSolidStrip>* SolidStrips(int kind, int slices);

    float m_box[6] = {0, 0, 0, 0, 0, 0};  // left, right, bottom, top, near, far
    int m_nPixelScale = 1;
    std::vector<uint32_t> m_selectBuffer;
    bool m_bPickOverflowed = false;
    QOpenGLWidget* m_window = nullptr;                     // the widget whose context we draw with
    QOpenGLContext* m_offscreenContext = nullptr;          // off-screen context, null when none
    QOffscreenSurface* m_offscreenSurface = nullptr;       // its surface
    COffscreenInfo m_offscreenInfo;                        // size of the off-screen image
    std::map<std::pair<int, int>, unsigned> m_solidLists;  // (kind, slices) -> display list
    unsigned m_bandTexture = 0;                            // band colours (DrawBandTriangles)
    QOpenGLFramebufferObject* m_offscreenFbo = nullptr;    // the off-screen image
    // The off-screen context and image without a window system, used instead of the two
    // above when Qt's platform has no OpenGL (no display); null otherwise.
    std::unique_ptr<kzv::CEglOffscreen> m_egl;
    CGLRecording* m_recording = nullptr;  // where primitives are kept, if set

    std::map<unsigned, FontKey> m_fontLists;  // list base -> its font
    // list base -> its texts' pieces' bitmap lists (DrawTextPieces)
    std::map<unsigned, std::unordered_map<std::string, unsigned>> m_pieceLists;
    std::map<unsigned, std::pair<FontKey, std::wstring>> m_textLists;  // text list -> its text
    struct GlyphList {
        unsigned list = 0;
        int texts = 0;  // texts calling it
    };
    std::map<FontKey, std::map<std::u16string, GlyphList>> m_glyphLists;
    std::map<FontKey, std::unique_ptr<kzv::CBitmapFont>> m_bitmapFonts;
    std::map<std::pair<int, int>, std::vector<kzv::CSolidStrip>> m_solidStrips;
};
