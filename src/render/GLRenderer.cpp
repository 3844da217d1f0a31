#include "render/GLRenderer.h"

#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLWidget>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include <GL/gl.h>
#include <GL/glu.h>

#include "field/PickHits.h"
#include "geometry/Matrix4.h"
#include "geometry/VectorFunctions.h"
#include "image/PageFit.h"
#include "render/EglOffscreen.h"
#include "render/GLRecording.h"
#include "render/GLSolids.h"
#include "render/GLText.h"
#include "render/SurfaceFormat.h"

namespace {

// Unit normal of a polygon over all its corners (Newell's sum).
CVector4 UnitNormal(const CVector4* points, int count) {
    CVector4 n = PolygonNormal(points, count);
    n.Normalize();
    return n;
}

}  // namespace

CGLRenderer::CGLRenderer() {
    std::memset(m_selectBuffer, 0, sizeof m_selectBuffer);
}

CGLRenderer::~CGLRenderer() {
    DestroyOffscreen();
    m_egl.reset();
}

bool CGLRenderer::HasCurrentContext() {
    return QOpenGLContext::currentContext() != nullptr || kzv::CEglOffscreen::IsCurrent();
}

// ---- context and frame ----

bool CGLRenderer::CreateContext(QOpenGLWidget* window) {
    if (m_window != nullptr) {
        return true;
    }
    if (window == nullptr || window->context() == nullptr || !window->context()->isValid()) {
        std::fputs("しょきかしっぱい\n", stderr);  // no usable pixel format / context
        return false;
    }
    m_window = window;
    // Inside the widget's own initialisation its context is already current.
    const bool wasCurrent = QOpenGLContext::currentContext() == window->context();
    if (!wasCurrent) {
        m_window->makeCurrent();
    }
    glClearDepth(1.0);
    glClearStencil(0);
    glEnable(GL_DEPTH_TEST);
    glGetError();
    if (!wasCurrent) {
        m_window->doneCurrent();
    }
    return true;
}

void CGLRenderer::MakeCurrent() {
    if (m_window != nullptr) {
        m_window->makeCurrent();
    }
}

unsigned CGLRenderer::ReleaseCurrent() {
    unsigned error = GL_NO_ERROR;
    if (HasCurrentContext()) {
        error = glGetError();
    }
    if (m_window != nullptr) {
        m_window->doneCurrent();
    }
    return error;
}

void CGLRenderer::SwapBuffers() {
    // The widget presents its framebuffer when its paint ends; outside a paint, ask for one.
    if (m_window != nullptr) {
        m_window->update();
    }
}

void CGLRenderer::SetViewport(int w, int h) {
    if (HasCurrentContext()) {
        glViewport(0, 0, w, h);
    }
}

void CGLRenderer::SetOrtho(CVector4 box, CVector4 depth) {
    m_box[0] = box.x;
    m_box[1] = box.y;
    m_box[2] = box.z;
    m_box[3] = box.w;
    m_box[4] = depth.x;
    m_box[5] = depth.y;
    if (!HasCurrentContext()) {
        return;
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(box.x, box.y, box.z, box.w, depth.x, depth.y);
    glMatrixMode(GL_MODELVIEW);
}

void CGLRenderer::Clear(CVector4 colour) {
    if (!HasCurrentContext()) {
        return;
    }
    if (m_recording != nullptr) {
        m_recording->Clear(colour);
    }
    glClearColor(colour.x, colour.y, colour.z, colour.w);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

void CGLRenderer::DeleteContexts() {
    // The window's context is the widget's own and goes with it.
    m_window = nullptr;
    DestroyOffscreen();
    if (m_egl != nullptr) {
        m_egl.reset();  // and the lists made in it
        m_solidLists.clear();
        m_offscreenInfo = COffscreenInfo();
    }
}

// ---- transformations ----

static_assert(GL_FACE_FRONT_AND_BACK == GL_FRONT_AND_BACK, "GL_FRONT_AND_BACK");
static_assert(GL_PARAM_DIFFUSE == GL_DIFFUSE, "GL_DIFFUSE");

void CGLRenderer::LoadIdentity() {
    if (HasCurrentContext()) {
        glLoadIdentity();
    }
}

void CGLRenderer::PushMatrix() {
    if (HasCurrentContext()) {
        glPushMatrix();
    }
}

void CGLRenderer::PopMatrix() {
    if (HasCurrentContext()) {
        glPopMatrix();
    }
}

void CGLRenderer::Rotate(float angleDegrees, CVector4 axis) {
    if (HasCurrentContext()) {
        glRotatef(angleDegrees, axis.x, axis.y, axis.z);
    }
}

void CGLRenderer::MultMatrix(const CMatrix4& matrix) {
    if (HasCurrentContext()) {
        glMultMatrixf(matrix.Data());
    }
}

void CGLRenderer::SetDepthTest(bool on) {
    if (HasCurrentContext()) {
        if (on) {
            glEnable(GL_DEPTH_TEST);
        } else {
            glDisable(GL_DEPTH_TEST);
        }
    }
}

void CGLRenderer::BeginWindowOverlay(int w, int h) {
    if (!HasCurrentContext()) {
        return;
    }
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, w, 0, h, -5000, 5000);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glScalef(1.0f, -1.0f, 1.0f);
    glTranslatef(0.0f, static_cast<float>(-h), 0.0f);
}

void CGLRenderer::EndWindowOverlay() {
    if (!HasCurrentContext()) {
        return;
    }
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void CGLRenderer::Flush() {
    if (HasCurrentContext()) {
        glFlush();
    }
}

void CGLRenderer::Translate(CVector4 v) {
    if (HasCurrentContext()) {
        glTranslatef(v.x, v.y, v.z);
    }
}

void CGLRenderer::Scale(float s) {
    if (HasCurrentContext()) {
        glScalef(s, s, s);
    }
}

void CGLRenderer::Scale(CVector4 v) {
    if (HasCurrentContext()) {
        glScalef(v.x, v.y, v.z);
    }
}

// ---- primitives ----

void CGLRenderer::DrawLine(const CVector4* points, CVector4 colour, float width) {
    if (!HasCurrentContext() || points == nullptr) {
        return;
    }
    glLineWidth(width * static_cast<float>(m_nPixelScale));
    glColor4fv(colour.Data());
    if (m_recording != nullptr) {
        m_recording->Vertices(GL_LINES, points, 2);
    }
    glBegin(GL_LINES);
    for (int i = 0; i < 2; ++i) {
        glVertex3fv(points[i].Data());
    }
    glEnd();
}

void CGLRenderer::DrawLineLoop(const CVector4* points, int count, CVector4 colour, float width) {
    if (!HasCurrentContext()) {
        return;
    }
    glLineWidth(width * static_cast<float>(m_nPixelScale));
    glColor4fv(colour.Data());
    if (m_recording != nullptr) {
        m_recording->Vertices(GL_LINE_LOOP, points, count);
    }
    glBegin(GL_LINE_LOOP);
    for (int i = 0; points != nullptr && i < count; ++i) {
        glVertex3fv(points[i].Data());
    }
    glEnd();
}

void CGLRenderer::DrawPolygon(const CVector4* points, int count, CVector4 colour) {
    if (!HasCurrentContext() || points == nullptr) {
        return;
    }
    const CVector4 n = UnitNormal(points, count);
    glEnable(GL_NORMALIZE);
    glColor4fv(colour.Data());
    glNormal3fv(n.Data());
    if (m_recording != nullptr) {
        m_recording->Vertices(GL_POLYGON, points, count);
    }
    glBegin(GL_POLYGON);
    for (int i = 0; i < count; ++i) {
        glVertex3fv(points[i].Data());
    }
    glEnd();
}

void CGLRenderer::DrawOutline(const CVector4* points, int count, const CVector4* material,
                              float width, int face) {
    if (!HasCurrentContext() || points == nullptr) {
        return;
    }
    glLineWidth(width * static_cast<float>(m_nPixelScale));
    SetMaterial(face, material);
    if (m_recording != nullptr) {
        m_recording->Vertices(GL_LINE_LOOP, points, count);
    }
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < count; ++i) {
        glVertex3fv(points[i].Data());
    }
    glEnd();
}

void CGLRenderer::DrawFace(const CVector4* points, int count, const CVector4* material, int face) {
    if (!HasCurrentContext() || points == nullptr) {
        return;
    }
    SetMaterial(face, material);
    const CVector4 n = UnitNormal(points, count);
    glNormal3fv(n.Data());
    glEnable(GL_NORMALIZE);
    if (m_recording != nullptr) {
        m_recording->Vertices(GL_POLYGON, points, count);
    }
    glBegin(GL_POLYGON);
    for (int i = 0; i < count; ++i) {
        glVertex3fv(points[i].Data());
    }
    glEnd();
}

namespace {
enum SolidKind { SOLID_SPHERE, SOLID_CONE };
}

const std::vector<kzv::CSolidStrip>* CGLRenderer::SolidStrips(int kind, int slices) {
    const auto key = std::make_pair(kind, slices);
    auto it = m_solidStrips.find(key);
    if (it == m_solidStrips.end()) {
        it = m_solidStrips
                 .emplace(key, kind == SOLID_SPHERE ? kzv::SphereStrips(1.0, slices, slices)
                                                    : kzv::ConeStrips(1.0, 1.0, slices, slices))
                 .first;
    }
    return &it->second;
}

// A unit solid compiled once: markers are drawn by the thousand every frame.
static unsigned SolidList(std::map<std::pair<int, int>, unsigned>& lists, int kind, int slices) {
    const auto key = std::make_pair(kind, slices);
    const auto it = lists.find(key);
    if (it != lists.end() && glIsList(it->second)) {
        return it->second;
    }
    GLint compiling = 0;
    glGetIntegerv(GL_LIST_INDEX, &compiling);
    const GLuint list = compiling == 0 ? glGenLists(1) : 0;  // no list inside another
    if (list == 0) {
        return 0;
    }
    glNewList(list, GL_COMPILE);
    if (kind == SOLID_SPHERE) {
        kzv::SolidSphere(1.0, slices, slices);
    } else {
        kzv::SolidCone(1.0, 1.0, slices, slices);
    }
    glEndList();
    lists[key] = list;
    return list;
}

void CGLRenderer::ReleaseSolidLists() {
    if (HasCurrentContext()) {
        for (const auto& entry : m_solidLists) {
            glDeleteLists(entry.second, 1);
        }
    }
    m_solidLists.clear();
}

void CGLRenderer::DrawSphere(CVector4 centre, float radius, CVector4 colour, int slices) {
    if (!HasCurrentContext()) {
        return;
    }
    glPushMatrix();
    Translate(centre);
    glColor4fv(colour.Data());
    const unsigned list = SolidList(m_solidLists, SOLID_SPHERE, slices);
    if (list != 0) {
        glScalef(radius, radius, radius);
        if (m_recording != nullptr) {
            m_recording->Solid(SolidStrips(SOLID_SPHERE, slices));
        }
        glCallList(list);
    } else {
        kzv::SolidSphere(radius, slices, slices);
    }
    glPopMatrix();
}

void CGLRenderer::DrawCone(CVector4 position, float base, float height, float angle, CVector4 axis,
                           CVector4 colour) {
    if (!HasCurrentContext()) {
        return;
    }
    glPushMatrix();
    glColor4fv(colour.Data());
    Translate(position);
    if (angle != 0.0f) {
        glRotatef(angle, axis.x, axis.y, axis.z);
    }
    const unsigned list = SolidList(m_solidLists, SOLID_CONE, 32);
    if (list != 0) {
        glScalef(base, base, height);
        if (m_recording != nullptr) {
            m_recording->Solid(SolidStrips(SOLID_CONE, 32));
        }
        glCallList(list);
    } else {
        kzv::SolidCone(base, height, 32, 32);
    }
    glPopMatrix();
}

// ---- lighting and material ----

void CGLRenderer::SetLight(CVector4 position, CVector4 value, int light, int parameter) {
    if (!HasCurrentContext()) {
        return;
    }
    if (m_recording != nullptr) {
        m_recording->Light(position, value, light, parameter);
    }
    glLightfv(static_cast<GLenum>(light), static_cast<GLenum>(parameter), value.Data());
    glLightModelf(GL_LIGHT_MODEL_LOCAL_VIEWER, 1.0f);
    glLightModelf(GL_LIGHT_MODEL_TWO_SIDE, 1.0f);
    glEnable(GL_LIGHTING);
    glEnable(static_cast<GLenum>(light));
    glEnable(GL_NORMALIZE);
    glEnable(GL_DEPTH_TEST);
    glLightfv(static_cast<GLenum>(light), GL_POSITION, position.Data());
}

void CGLRenderer::DisableLighting() {
    if (HasCurrentContext()) {
        glDisable(GL_LIGHTING);
    }
}

void CGLRenderer::SetMaterial(int face, const CVector4* material) {
    if (!HasCurrentContext() || material == nullptr) {
        return;
    }
    const GLenum f = static_cast<GLenum>(face);
    glMaterialfv(f, GL_SHININESS, &material[3].x);
    glMaterialfv(f, GL_DIFFUSE, material[0].Data());
    glMaterialfv(f, GL_SPECULAR, material[1].Data());
    glMaterialfv(f, GL_AMBIENT, material[2].Data());
}

// ---- text ----

unsigned CGLRenderer::CreateFontListA(int height, const char* faceName) {
    if (!HasCurrentContext()) {
        return 0;
    }
    const GLuint base = glGenLists(256);
    if (base == 0) {
        return 0;
    }
    if (!kzv::CompileSingleByteGlyphs(base, height * m_nPixelScale, faceName)) {
        glDeleteLists(base, 256);
        return 0;
    }
    m_fontLists[base] = FontKey(height * m_nPixelScale, faceName != nullptr ? faceName : "");
    return base;
}

kzv::CBitmapFont& CGLRenderer::BitmapFont(const FontKey& key) {
    auto it = m_bitmapFonts.find(key);
    if (it == m_bitmapFonts.end()) {
        it = m_bitmapFonts
                 .emplace(key, std::make_unique<kzv::CBitmapFont>(key.first, key.second.c_str()))
                 .first;
    }
    return *it->second;
}

void CGLRenderer::StartText(CVector4 position, unsigned listBase, const char* text,
                            CVector4 colour) {
    glColor4fv(colour.Data());
    glRasterPos3fv(position.Data());
    if (m_recording != nullptr) {
        const auto font = m_fontLists.find(listBase);
        if (font != m_fontLists.end()) {
            m_recording->Bitmap(position,
                                BitmapFont(font->second).Text(kzv::SingleByteChars(text)));
        }
    }
}

void CGLRenderer::DrawTextA(CVector4 position, unsigned listBase, const char* text,
                            CVector4 colour) {
    if (listBase == 0 || text == nullptr || !HasCurrentContext()) {
        return;
    }
    StartText(position, listBase, text, colour);
    glListBase(listBase);
    glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
}

void CGLRenderer::DeleteFontList(unsigned listBase) {
    if (listBase != 0 && HasCurrentContext()) {
        glDeleteLists(listBase, 256);
        m_fontLists.erase(listBase);
        const auto pieces = m_pieceLists.find(listBase);
        if (pieces != m_pieceLists.end()) {
            for (const auto& piece : pieces->second) {
                glDeleteLists(piece.second, 1);
            }
            m_pieceLists.erase(pieces);
        }
    }
}

void CGLRenderer::DrawTextBitmap(CVector4 position, unsigned listBase, const char* text,
                                 CVector4 colour) {
    if (listBase == 0 || text == nullptr || !HasCurrentContext()) {
        return;
    }
    const auto font = m_fontLists.find(listBase);
    if (font == m_fontLists.end()) {
        DrawTextA(position, listBase, text, colour);  // not a font of ours: glyph by glyph
        return;
    }
    const kzv::CBitmapImage image = BitmapFont(font->second).Text(kzv::SingleByteChars(text));
    glColor4fv(colour.Data());
    glRasterPos3fv(position.Data());
    if (m_recording != nullptr) {
        m_recording->Bitmap(position, image);
    }
    kzv::DrawBitmapImage(image);
}

namespace {
// The length of the first of a text's pieces: the pieces are three characters long, counted
// from the text's right end, so the first holds what is left over.
size_t FirstPieceLength(size_t length) {
    return length % 3 != 0 ? length % 3 : std::min<size_t>(3, length);
}
}  // namespace

void CGLRenderer::PrepareTextPieces(unsigned listBase, const std::vector<std::string>& texts) {
    const auto font = m_fontLists.find(listBase);
    if (font == m_fontLists.end() || !HasCurrentContext()) {
        return;
    }
    GLint compiling = 0;
    glGetIntegerv(GL_LIST_INDEX, &compiling);
    if (compiling != 0) {
        return;  // no list inside another
    }
    std::unordered_map<std::string, unsigned>& pieces = m_pieceLists[listBase];
    std::string piece;
    for (const std::string& text : texts) {
        for (size_t at = 0, n = FirstPieceLength(text.size()); at < text.size(); at += n, n = 3) {
            piece.assign(text, at, n);
            if (pieces.count(piece) != 0 || pieces.size() >= kMaxTextPieces) {
                continue;
            }
            const GLuint list = glGenLists(1);
            if (list == 0) {
                return;
            }
            glNewList(list, GL_COMPILE);
            kzv::DrawBitmapImage(
                BitmapFont(font->second).Text(kzv::SingleByteChars(piece.c_str())));
            glEndList();
            pieces.emplace(piece, list);
        }
    }
}

void CGLRenderer::DrawTextPieces(CVector4 position, unsigned listBase, const char* text,
                                 CVector4 colour) {
    if (listBase == 0 || text == nullptr || !HasCurrentContext()) {
        return;
    }
    StartText(position, listBase, text, colour);
    static const std::unordered_map<std::string, unsigned> kNone;
    const auto found = m_pieceLists.find(listBase);
    const auto& pieces = found != m_pieceLists.end() ? found->second : kNone;
    const size_t length = std::strlen(text);
    std::string piece;
    for (size_t at = 0, n = FirstPieceLength(length); at < length; at += n, n = 3) {
        piece.assign(text + at, n);
        const auto list = pieces.find(piece);
        if (list != pieces.end()) {
            glCallList(list->second);
        } else {
            for (char c : piece) {
                glCallList(listBase + static_cast<unsigned char>(c));
            }
        }
    }
}

std::pair<unsigned, int> CGLRenderer::CreateTextListW(int height, const wchar_t* text,
                                                      const char* faceName) {
    const int count = text != nullptr ? static_cast<int>(std::wcslen(text)) : 0;
    if (count == 0 || !HasCurrentContext()) {
        return {0, 0};
    }
    const FontKey key(height * m_nPixelScale, faceName != nullptr ? faceName : "");
    const std::vector<QString> chars = kzv::WideChars(text, count);
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
        // errors of earlier calls are not this text's
    }
    // The glyph lists this text calls: those of its font made for earlier texts, the others
    // made now. Each counts the texts that use it.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    std::map<std::u16string, GlyphList>& glyphs = m_glyphLists[key];
    std::vector<unsigned> calls;
    bool ok = true;
    for (const QString& ch : chars) {
        const std::u16string name(reinterpret_cast<const char16_t*>(ch.utf16()),
                                  static_cast<size_t>(ch.size()));
        auto it = glyphs.find(name);
        if (it == glyphs.end()) {
            const GLuint list = glGenLists(1);
            if (list == 0) {
                ok = false;
                break;
            }
            const kzv::CBitmapImage& glyph = BitmapFont(key).Glyph(ch);
            glNewList(list, GL_COMPILE);
            glBitmap(glyph.width, glyph.height, glyph.xorig, glyph.yorig, glyph.advance, 0.0f,
                     glyph.bits.data());
            glEndList();
            it = glyphs.emplace(name, GlyphList{list, 0}).first;
        }
        ++it->second.texts;
        calls.push_back(it->second.list);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    const GLuint textList = ok ? glGenLists(1) : 0;
    if (textList != 0) {
        glNewList(textList, GL_COMPILE);
        for (unsigned list : calls) {
            glCallList(list);
        }
        glEndList();
    }
    m_textLists[textList] = {key, std::wstring(text, calls.size())};
    if (textList == 0 || glGetError() != GL_NO_ERROR) {
        DeleteLists(textList, static_cast<int>(calls.size()));
        return {0, 0};
    }
    return {textList, count};
}

void CGLRenderer::DrawTextList(CVector4 position, unsigned list, int count, CVector4 colour) {
    if (count <= 0 || list == 0 || !HasCurrentContext()) {
        return;
    }
    glColor4fv(colour.Data());
    glRasterPos3fv(position.Data());
    if (m_recording != nullptr) {
        const auto text = m_textLists.find(list);
        if (text != m_textLists.end()) {
            const std::wstring& chars = text->second.second;
            m_recording->Bitmap(
                position,
                BitmapFont(text->second.first).Text(kzv::WideChars(chars.c_str(), count)));
        }
    }
    glCallList(list);
}

void CGLRenderer::DeleteLists(unsigned list, int count) {
    const auto text = m_textLists.find(list);
    if (text == m_textLists.end() || count <= 0 || !HasCurrentContext()) {
        return;
    }
    // The glyphs go with the last text that used them.
    auto font = m_glyphLists.find(text->second.first);
    const std::vector<QString> chars =
        kzv::WideChars(text->second.second.c_str(), static_cast<int>(text->second.second.size()));
    for (size_t i = 0; font != m_glyphLists.end() && i < chars.size(); ++i) {
        const std::u16string name(reinterpret_cast<const char16_t*>(chars[i].utf16()),
                                  static_cast<size_t>(chars[i].size()));
        const auto glyph = font->second.find(name);
        if (glyph != font->second.end() && --glyph->second.texts <= 0) {
            glDeleteLists(glyph->second.list, 1);
            font->second.erase(glyph);
        }
    }
    if (font != m_glyphLists.end() && font->second.empty()) {
        m_glyphLists.erase(font);
    }
    if (list != 0) {
        glDeleteLists(list, 1);
    }
    m_textLists.erase(text);
}

int CGLRenderer::GlyphListCount() const {
    size_t n = 0;
    for (const auto& font : m_glyphLists) {
        n += font.second.size();
    }
    return static_cast<int>(n);
}

// ---- display lists ----

unsigned CGLRenderer::BeginList() {
    if (!HasCurrentContext() || m_recording != nullptr) {
        return 0;
    }
    // Lists cannot be made while one is being compiled: the unit sphere of the markers first.
    SolidList(m_solidLists, SOLID_SPHERE, 8);
    const GLuint list = glGenLists(1);
    if (list != 0) {
        glNewList(list, GL_COMPILE);
    }
    return list;
}

void CGLRenderer::EndList() {
    if (HasCurrentContext()) {
        glEndList();
    }
}

void CGLRenderer::CallList(unsigned list) {
    if (list != 0 && HasCurrentContext()) {
        glCallList(list);
    }
}

bool CGLRenderer::IsList(unsigned list) const {
    return list != 0 && HasCurrentContext() && glIsList(list) == GL_TRUE;
}

void CGLRenderer::DeleteList(unsigned list) {
    if (list != 0 && HasCurrentContext()) {
        glDeleteLists(list, 1);
    }
}

// ---- picking ----

void CGLRenderer::BeginPick() {
    if (!HasCurrentContext()) {
        return;
    }
    glSelectBuffer(256, m_selectBuffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0xFFFFFFFFu);
}

void CGLRenderer::SetPickMatrix(double x, double y) {
    if (!HasCurrentContext()) {
        return;
    }
    GLint viewport[4];
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluPickMatrix(x, y, 10, 10, viewport);
    glOrtho(m_box[0], m_box[1], m_box[2], m_box[3], m_box[4], m_box[5]);
    glMatrixMode(GL_MODELVIEW);
}

void CGLRenderer::LoadName(unsigned name) {
    if (HasCurrentContext()) {
        glLoadName(name);
    }
}

void CGLRenderer::DrawNamedPolygons(const CVector4* points, const int* counts, int polygons,
                                    unsigned firstName) {
    if (!HasCurrentContext() || points == nullptr || counts == nullptr) {
        return;
    }
    const CVector4* corner = points;
    for (int k = 0; k < polygons; ++k) {
        glLoadName(firstName + static_cast<unsigned>(k));
        glBegin(GL_POLYGON);
        for (int i = 0; i < counts[k]; ++i) {
            glVertex3fv(corner[i].Data());
        }
        glEnd();
        corner += counts[k];
    }
}

unsigned CGLRenderer::EndPick(unsigned* names, float* depth) {
    if (!HasCurrentContext()) {
        return ProcessHits(0, names, depth);
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    const int hits = glRenderMode(GL_RENDER);
    glMatrixMode(GL_MODELVIEW);
    return ProcessHits(hits, names, depth);
}

unsigned CGLRenderer::ProcessHits(int hits, unsigned* names, float* depth) {
    // The caller's names array holds at least 64 entries.
    return kzv::ProcessHitRecords(m_selectBuffer, 256, hits, names, 64, depth);
}

CVector4 CGLRenderer::UnProject(int x, int y, float z) {
    if (!HasCurrentContext()) {
        return CVector4();
    }
    GLint viewport[4];
    GLdouble modelview[16];
    GLdouble projection[16];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    GLdouble ox = 0, oy = 0, oz = 0;
    gluUnProject(x, viewport[3] - y, z, modelview, projection, viewport, &ox, &oy, &oz);
    return CVector4(static_cast<float>(ox), static_cast<float>(oy), static_cast<float>(oz), 0.0f);
}

// ---- off-screen image ----

bool CGLRenderer::CreateOffscreen(int w, int h) {
    if (m_egl != nullptr) {
        // Current from here on, as the window's context is for the fonts made next.
        return m_egl->MakeCurrent();
    }
    if (HasOffscreen()) {
        return true;
    }
    auto* surface = new QOffscreenSurface();
    surface->setFormat(kzv::ViewSurfaceFormat());
    surface->create();
    auto* context = new QOpenGLContext();
    context->setFormat(kzv::ViewSurfaceFormat());
    // Share display lists (fonts) with the window's context.
    if (m_window != nullptr && m_window->context() != nullptr) {
        context->setShareContext(m_window->context());
    } else {
        context->setShareContext(QOpenGLContext::globalShareContext());
    }
    if (!surface->isValid() || !context->create()) {
        delete context;
        delete surface;
        // No OpenGL through Qt's platform: without a window to share with, draw without one.
        if (m_window != nullptr) {
            return false;
        }
        auto egl = std::make_unique<kzv::CEglOffscreen>();
        if (!egl->Create()) {
            return false;
        }
        m_egl = std::move(egl);
    } else {
        m_offscreenSurface = surface;
        m_offscreenContext = context;
    }
    if (!CreateOffscreenBitmap(w, h)) {
        DestroyOffscreen();
        return false;
    }
    return true;
}

bool CGLRenderer::HasOffscreenImage() const {
    return m_offscreenFbo != nullptr || (m_egl != nullptr && m_egl->HasImage());
}

bool CGLRenderer::MakeOffscreenCurrent() {
    if (m_egl != nullptr) {
        return m_egl->MakeCurrent();
    }
    if (m_offscreenContext == nullptr || !m_offscreenContext->makeCurrent(m_offscreenSurface)) {
        return false;
    }
    if (m_offscreenFbo != nullptr) {
        m_offscreenFbo->bind();
    }
    return true;
}

bool CGLRenderer::CreateOffscreenBitmap(int w, int h) {
    if (m_egl != nullptr) {
        if (!m_egl->Resize(w, h)) {
            return false;  // the previous image stays
        }
        m_offscreenInfo.width = w;
        m_offscreenInfo.height = h;
        return true;
    }
    if (w <= 0 || h <= 0 || m_offscreenContext == nullptr ||
        !m_offscreenContext->makeCurrent(m_offscreenSurface)) {
        return false;
    }
    auto* fbo = new QOpenGLFramebufferObject(w, h, QOpenGLFramebufferObject::CombinedDepthStencil);
    if (!fbo->isValid()) {
        delete fbo;  // the previous image stays
        return false;
    }
    delete m_offscreenFbo;
    m_offscreenFbo = fbo;
    m_offscreenInfo.width = w;
    m_offscreenInfo.height = h;
    return true;
}

void CGLRenderer::PrepareOffscreen(int pageW, int pageH, int clientW, int clientH) {
    const kzv::PageFit fit = kzv::FitClientToPage(pageW, pageH, clientW, clientH);
    CreateOffscreenBitmap(fit.width, fit.height);
    if (!MakeOffscreenCurrent()) {
        return;
    }
    SetViewport(m_offscreenInfo.width, m_offscreenInfo.height);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    SetOrtho(CVector4(m_box[0], m_box[1], m_box[2], m_box[3]), CVector4(m_box[4], m_box[5], 0, 0));
}

void CGLRenderer::BlitOffscreen(QPainter* printer, int left, int top, int pageH) {
    if (m_egl != nullptr) {
        if (!m_egl->HasImage() || !m_egl->MakeCurrent()) {
            return;
        }
    } else if (m_offscreenFbo == nullptr || m_offscreenContext == nullptr) {
        return;
    } else if (QOpenGLContext::currentContext() != m_offscreenContext && !MakeOffscreenCurrent()) {
        return;
    } else {
        m_offscreenFbo->bind();
    }
    glFinish();
    // The scene is drawn with alpha 0 in places (the white background among them); the window
    // shows its frame opaque, so the printed picture is read the same way, as RGB with the
    // alpha dropped. Taking the alpha as coverage would turn those places black or empty.
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
        // an error left by the drawing is no reason to lose the picture
    }
    QImage image;
    if (printer != nullptr &&
        ReadPixelsToBitmap(m_offscreenInfo.width, m_offscreenInfo.height, image)) {
        printer->drawImage(QPoint(left, kzv::PictureTop(top, pageH, image.height())), image);
    }
    if (m_egl != nullptr) {
        return;  // stays current: it stands in for the window's context until DestroyOffscreen
    }
    m_offscreenFbo->release();
    m_offscreenContext->doneCurrent();
}

void CGLRenderer::DestroyOffscreen() {
    if (m_egl != nullptr) {
        // The surfaceless context holds the display lists (fonts, solids) the renderer keeps
        // track of, as a window's would: it lives until the renderer's contexts go.
        m_egl->DoneCurrent();
        return;
    }
    // The frame buffer is deleted with its context current when it can be.
    const bool made = m_offscreenContext != nullptr && m_offscreenFbo != nullptr &&
                      m_offscreenContext->makeCurrent(m_offscreenSurface);
    delete m_offscreenFbo;
    m_offscreenFbo = nullptr;
    if (made) {
        m_offscreenContext->doneCurrent();
    }
    delete m_offscreenContext;
    m_offscreenContext = nullptr;
    delete m_offscreenSurface;
    m_offscreenSurface = nullptr;
    m_offscreenInfo = COffscreenInfo();
}

// ---- read-back ----

bool CGLRenderer::ReadFramePixels(int w, int h, std::vector<uint8_t>& bgra) {
    bgra.clear();
    if (w <= 0 || h <= 0 || !HasCurrentContext()) {
        return false;
    }
    GLint fbo = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &fbo);
    bgra.assign(static_cast<size_t>(w) * static_cast<size_t>(h) * 4, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_BGRA, GL_UNSIGNED_BYTE, bgra.data());
    if (bgra[0] == 0) {
        if (fbo == 0) {
            glReadBuffer(GL_BACK);
        }
        glReadPixels(0, 0, w, h, GL_BGRA, GL_UNSIGNED_BYTE, bgra.data());
        if (fbo == 0) {
            glReadBuffer(GL_FRONT);
        }
    }
    return glGetError() == GL_NO_ERROR;
}

bool CGLRenderer::ReadPixelsToBitmap(int w, int h, QImage& out) {
    std::vector<uint8_t> bgra;
    if (!ReadFramePixels(w, h, bgra)) {
        out = QImage();
        return false;
    }
    out = QImage(w, h, QImage::Format_RGB32);
    const size_t rowBytes = static_cast<size_t>(w) * 4;
    for (int y = 0; y < h; ++y) {
        // Little-endian RGB32 is stored blue, green, red, 0xFF: the bytes as read.
        std::memcpy(out.scanLine(h - 1 - y), bgra.data() + static_cast<size_t>(y) * rowBytes,
                    rowBytes);
    }
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            line[x] |= 0xFF000000u;
        }
    }
    return true;
}
