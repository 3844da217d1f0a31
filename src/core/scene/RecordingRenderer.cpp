#include "scene/RecordingRenderer.h"

#include <algorithm>

namespace {
constexpr std::array<float, 16> kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}  // namespace

CRecordingRenderer::CRecordingRenderer() {
    m_stack.push_back(kIdentity);
}

std::vector<CRecordedPrimitive> CRecordingRenderer::Of(RecordedKind kind) const {
    std::vector<CRecordedPrimitive> out;
    for (const CRecordedPrimitive& p : m_primitives) {
        if (p.kind == kind) {
            out.push_back(p);
        }
    }
    return out;
}

void CRecordingRenderer::Reset() {
    m_primitives.clear();
    m_stack.assign(1, kIdentity);
    m_bOverlay = false;
    m_bDepthTest = true;
}

void CRecordingRenderer::Clear(CVector4 colour) {
    m_clearColour = colour;
    m_primitives.clear();
}

void CRecordingRenderer::LoadIdentity() {
    m_stack.back() = kIdentity;
}

void CRecordingRenderer::PushMatrix() {
    m_stack.push_back(m_stack.back());
}

void CRecordingRenderer::PopMatrix() {
    // As the GL does, a pop of the last matrix is refused.
    if (m_stack.size() > 1) {
        m_stack.pop_back();
    }
}

void CRecordingRenderer::Multiply(const float* by) {
    MultiplyMatrixf(m_stack.back().data(), by, m_stack.back().data());
}

void CRecordingRenderer::Translate(CVector4 v) {
    Matrix t = kIdentity;
    t[12] = v.x;
    t[13] = v.y;
    t[14] = v.z;
    Multiply(t.data());
}

void CRecordingRenderer::Scale(float s) {
    Scale(CVector4(s, s, s, 0));
}

void CRecordingRenderer::Scale(CVector4 v) {
    Matrix t = kIdentity;
    t[0] = v.x;
    t[5] = v.y;
    t[10] = v.z;
    Multiply(t.data());
}

void CRecordingRenderer::Rotate(float angleDegrees, CVector4 axis) {
    float r[16];
    RotationMatrixf(angleDegrees, axis.x, axis.y, axis.z, r);
    Multiply(r);
}

void CRecordingRenderer::MultMatrix(const CMatrix4& matrix) {
    Multiply(matrix.Data());
}

void CRecordingRenderer::ModelView(float out[16]) const {
    std::copy(m_stack.back().begin(), m_stack.back().end(), out);
}

void CRecordingRenderer::BeginWindowOverlay(int, int) {
    // Window pixels with y down, as the GL renderer's overlay sets them up; recorded points of
    // the overlay are in those pixels.
    m_beforeOverlay = m_stack.back();
    m_stack.back() = kIdentity;
    m_bOverlay = true;
}

void CRecordingRenderer::EndWindowOverlay() {
    m_stack.back() = m_beforeOverlay;
    m_bOverlay = false;
}

CVector4 CRecordingRenderer::Transform(CVector4 p) const {
    const float* m = m_stack.back().data();
    return CVector4(m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
                    m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
                    m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14], 0.0f);
}

CRecordedPrimitive& CRecordingRenderer::Add(RecordedKind kind, const CVector4* points, int count,
                                            CVector4 colour) {
    CRecordedPrimitive p;
    p.kind = kind;
    p.colour = colour;
    p.depthTest = m_bDepthTest;
    p.overlay = m_bOverlay;
    for (int i = 0; i < count; ++i) {
        p.points.push_back(Transform(points[i]));
    }
    m_primitives.push_back(std::move(p));
    return m_primitives.back();
}

void CRecordingRenderer::DrawLine(const CVector4* points, CVector4 colour, float width) {
    Add(RecordedKind::Line, points, 2, colour).size = width;
}

void CRecordingRenderer::DrawLineLoop(const CVector4* points, int count, CVector4 colour,
                                      float width) {
    Add(RecordedKind::LineLoop, points, count, colour).size = width;
}

void CRecordingRenderer::DrawPolygon(const CVector4* points, int count, CVector4 colour) {
    Add(RecordedKind::Polygon, points, count, colour);
}

void CRecordingRenderer::DrawOutline(const CVector4* points, int count, const CVector4* material,
                                     float width, int) {
    Add(RecordedKind::Outline, points, count, material[0]).size = width;
}

void CRecordingRenderer::DrawFace(const CVector4* points, int count, const CVector4* material,
                                  int) {
    Add(RecordedKind::Face, points, count, material[0]);
}

void CRecordingRenderer::DrawSphere(CVector4 centre, float radius, CVector4 colour, int) {
    Add(RecordedKind::Sphere, &centre, 1, colour).size = radius;
}

void CRecordingRenderer::DrawDots(const CVector4* centres, const CVector4* colours, int count,
                                  float radius) {
    for (int k = 0; k < count; ++k) {
        Add(RecordedKind::Dot, &centres[k], 1, colours[k]).size = radius;
    }
}

void CRecordingRenderer::DrawCone(CVector4 position, float base, float, float, CVector4,
                                  CVector4 colour) {
    Add(RecordedKind::Cone, &position, 1, colour).size = base;
}

unsigned CRecordingRenderer::CreateFontListA(int height, const char*) {
    // A font takes 256 list names (one per byte code), as a GL font does.
    const unsigned base = m_nNextList;
    m_nNextList += 256;
    m_fonts[base] = height;
    return base;
}

void CRecordingRenderer::DeleteFontList(unsigned listBase) {
    m_fonts.erase(listBase);
}

void CRecordingRenderer::AddText(CVector4 position, int height, const std::string& text,
                                 CVector4 colour) {
    CRecordedPrimitive& p = Add(RecordedKind::Text, &position, 1, colour);
    p.text = text;
    p.fontHeight = height;
}

void CRecordingRenderer::DrawTextA(CVector4 position, unsigned listBase, const char* text,
                                   CVector4 colour) {
    const auto font = m_fonts.find(listBase);
    AddText(position, font != m_fonts.end() ? font->second : 0, text != nullptr ? text : "",
            colour);
}

void CRecordingRenderer::DrawTextBitmap(CVector4 position, unsigned listBase, const char* text,
                                        CVector4 colour) {
    DrawTextA(position, listBase, text, colour);
}

void CRecordingRenderer::DrawTextPieces(CVector4 position, unsigned listBase, const char* text,
                                        CVector4 colour) {
    DrawTextA(position, listBase, text, colour);
}

CTextLists CRecordingRenderer::CreateTextList(int height, const std::string& utf8, const char*) {
    if (utf8.empty()) {
        return CTextLists(0, 0);
    }
    const unsigned first = m_nNextList;
    const int count = static_cast<int>(utf8.size());  // one name per byte: enough for any text
    m_nNextList += static_cast<unsigned>(count);
    m_texts[first] = TextList{height, utf8};
    return CTextLists(first, count);
}

void CRecordingRenderer::DrawTextList(CVector4 position, unsigned list, int, CVector4 colour) {
    const auto text = m_texts.find(list);
    if (text != m_texts.end()) {
        AddText(position, text->second.height, text->second.text, colour);
    }
}

void CRecordingRenderer::DeleteLists(unsigned list, int) {
    m_texts.erase(list);
}
