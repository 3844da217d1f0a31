#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "scene/SceneRenderer.h"

// What a recorded primitive was.
enum class RecordedKind { Line, LineLoop, Polygon, Outline, Face, Sphere, Dot, Cone, Text };

// One primitive of a composed frame as the recording renderer kept it.
struct CRecordedPrimitive {
    RecordedKind kind = RecordedKind::Line;
    // The corners as drawn (a sphere's or cone's centre, a text's raster position), carried
    // through the model-view matrix of the moment: eye coordinates, or window pixels (y down)
    // for an overlay.
    std::vector<CVector4> points;
    CVector4 colour;     // a face's or outline's diffuse material colour
    float size = 0.0f;   // line width; sphere or dot radius, cone base (before the matrix)
    std::string text;    // a text's characters (UTF-8 for wide texts)
    int fontHeight = 0;  // a text's font height in pixels
    bool depthTest = true;
    bool overlay = false;  // drawn in window-pixel coordinates (colour bar, comment)
};

// A renderer that draws nothing and keeps every primitive a frame makes, with its colour, its
// place after the model-view matrix and whether it was depth-tested: scene tests read what a
// frame is made of without any display. Display lists are not kept (BeginList returns 0), so
// the composer draws everything directly.
class CRecordingRenderer : public CSceneRenderer {
public:
    CRecordingRenderer();

    const std::vector<CRecordedPrimitive>& Primitives() const { return m_primitives; }
    // The primitives of one kind, in drawing order.
    std::vector<CRecordedPrimitive> Of(RecordedKind kind) const;
    // The colour of the last clear.
    CVector4 ClearColour() const { return m_clearColour; }
    void Reset();

    bool CanDraw() const override { return true; }
    int PixelScale() const override { return 1; }
    void Clear(CVector4 colour) override;
    void Flush() override {}

    void LoadIdentity() override;
    void PushMatrix() override;
    void PopMatrix() override;
    void Translate(CVector4 v) override;
    void Scale(float s) override;
    void Scale(CVector4 v) override;
    void Rotate(float angleDegrees, CVector4 axis) override;
    void MultMatrix(const CMatrix4& matrix) override;
    void ModelView(float out[16]) const override;

    void SetDepthTest(bool on) override { m_bDepthTest = on; }
    void BeginWindowOverlay(int w, int h) override;
    void EndWindowOverlay() override;

    void DrawLine(const CVector4* points, CVector4 colour, float width) override;
    void DrawLineLoop(const CVector4* points, int count, CVector4 colour, float width) override;
    void DrawPolygon(const CVector4* points, int count, CVector4 colour) override;
    void DrawOutline(const CVector4* points, int count, const CVector4* material, float width,
                     int face) override;
    void DrawFace(const CVector4* points, int count, const CVector4* material, int face) override;
    void DrawSphere(CVector4 centre, float radius, CVector4 colour, int slices) override;
    void DrawDots(const CVector4* centres, const CVector4* colours, int count,
                  float radius) override;
    void DrawCone(CVector4 position, float base, float height, float angle, CVector4 axis,
                  CVector4 colour) override;

    void SetLight(CVector4, CVector4, int, int) override {}
    void DisableLighting() override {}

    unsigned CreateFontListA(int height, const char* faceName) override;
    void DeleteFontList(unsigned listBase) override;
    void DrawTextA(CVector4 position, unsigned listBase, const char* text,
                   CVector4 colour) override;
    void DrawTextBitmap(CVector4 position, unsigned listBase, const char* text,
                        CVector4 colour) override;
    void PrepareTextPieces(unsigned, const std::vector<std::string>&) override {}
    void DrawTextPieces(CVector4 position, unsigned listBase, const char* text,
                        CVector4 colour) override;
    CTextLists CreateTextList(int height, const std::string& utf8, const char* faceName) override;
    void DrawTextList(CVector4 position, unsigned list, int count, CVector4 colour) override;
    void DeleteLists(unsigned list, int count) override;

    unsigned BeginList() override { return 0; }
    void EndList() override {}
    void CallList(unsigned) override {}
    void DeleteList(unsigned) override {}
    bool IsCallable(unsigned) const override { return false; }

private:
    using Matrix = std::array<float, 16>;
    void Multiply(const float* by);
    CVector4 Transform(CVector4 p) const;
    CRecordedPrimitive& Add(RecordedKind kind, const CVector4* points, int count, CVector4 colour);
    void AddText(CVector4 position, int height, const std::string& text, CVector4 colour);

    std::vector<CRecordedPrimitive> m_primitives;
    std::vector<Matrix> m_stack;  // the model-view matrix stack, current on top
    Matrix m_beforeOverlay{};
    bool m_bOverlay = false;
    bool m_bDepthTest = true;
    CVector4 m_clearColour;
    std::map<unsigned, int> m_fonts;  // list base -> height
    struct TextList {
        int height = 0;
        std::string text;
    };
    std::map<unsigned, TextList> m_texts;  // first list -> its text
    unsigned m_nNextList = 1;
};
