// The renderer's primitives: lines, polygons, faces, unit solids, lights and materials, and
// the display lists they are compiled into.
#include "render/GLRenderer.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "geometry/VectorFunctions.h"
#include "render/GLRecording.h"
#include "render/GLSolids.h"
#include "scene/WindowProjection.h"

namespace {

// Unit normal of a polygon over all its corners (Newell's sum).
CVector4 UnitNormal(const CVector4* points, int count) {
    CVector4 n = PolygonNormal(points, count);
    n.Normalize();
    return n;
}

}  // namespace

// ---- primitives ----

// The one way a primitive's corners reach the GL: kept in the recording when one is set,
// then drawn between glBegin and glEnd.
void CGLRenderer::EmitVertices(unsigned mode, const CVector4* points, int count) {
    if (m_recording != nullptr) {
        m_recording->Vertices(mode, points, count);
    }
    glBegin(mode);
    for (int i = 0; points != nullptr && i < count; ++i) {
        glVertex3fv(points[i].Data());
    }
    glEnd();
}

void CGLRenderer::DrawLine(const CVector4* points, CVector4 colour, float width) {
    if (!HasCurrentContext() || points == nullptr) {
        return;
    }
    glLineWidth(width * static_cast<float>(m_nPixelScale));
    glColor4fv(colour.Data());
    EmitVertices(GL_LINES, points, 2);
}

void CGLRenderer::DrawLineLoop(const CVector4* points, int count, CVector4 colour, float width) {
    if (!HasCurrentContext()) {
        return;
    }
    glLineWidth(width * static_cast<float>(m_nPixelScale));
    glColor4fv(colour.Data());
    EmitVertices(GL_LINE_LOOP, points, count);
}

void CGLRenderer::DrawPolygon(const CVector4* points, int count, CVector4 colour) {
    if (!HasCurrentContext() || points == nullptr) {
        return;
    }
    const CVector4 n = UnitNormal(points, count);
    glEnable(GL_NORMALIZE);
    glColor4fv(colour.Data());
    glNormal3fv(n.Data());
    EmitVertices(GL_POLYGON, points, count);
}

namespace {

void Push(std::vector<float>& out, const float* v, int n) {
    out.insert(out.end(), v, v + n);
}

// A colour as the four bytes the frame buffer keeps of it (each channel rounded to 1/255, as
// the GL rounds a float colour): a quarter of the float array, the same pixels.
std::array<uint8_t, 4> ColourBytes(const CVector4& c) {
    const auto byte = [](float f) {
        return static_cast<uint8_t>(std::lround(std::clamp(f, 0.0f, 1.0f) * 255.0f));
    };
    return {byte(c.x), byte(c.y), byte(c.z), byte(c.w)};
}

// A run of vertices for one draw: positions (x y z), colour bytes (r g b a) and, when lit,
// normals; last is the colour of the last vertex as given.
struct CVertexRun {
    std::vector<float> positions;
    std::vector<uint8_t> rgba;
    std::vector<float> normals;
    CVector4 last;

    void Reserve(size_t vertices, bool lit) {
        positions.reserve(3 * vertices);
        rgba.reserve(4 * vertices);
        if (lit) {
            normals.reserve(3 * vertices);
        }
    }
    void Add(const CVector4& p, const std::array<uint8_t, 4>& colour) {
        positions.push_back(p.x);
        positions.push_back(p.y);
        positions.push_back(p.z);
        for (const uint8_t channel : colour) {
            rgba.push_back(channel);
        }
    }
};

// Draws the run; the normals only when given.
void DrawRun(unsigned mode, const CVertexRun& run, bool withNormals) {
    const GLsizei count = static_cast<GLsizei>(run.positions.size() / 3);
    if (count == 0) {
        return;
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, run.positions.data());
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, run.rgba.data());
    if (withNormals) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, run.normals.data());
    }
    glDrawArrays(mode, 0, count);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    // The current colour (and normal) are undefined after colour and normal arrays: those of
    // the run's last vertex, as drawing one by one leaves them.
    glColor4fv(run.last.Data());
    if (withNormals) {
        glNormal3fv(&run.normals[run.normals.size() - 3]);
    }
}

}  // namespace

void CGLRenderer::DrawPolygons(const CVector4* points, const int* counts, const CVector4* colours,
                               int polygons) {
    if (!HasCurrentContext() || points == nullptr || polygons <= 0) {
        return;
    }
    if (m_recording != nullptr) {
        CSceneRenderer::DrawPolygons(points, counts, colours, polygons);  // kept one by one
        return;
    }
    // Each polygon as the fan of triangles about its first corner, as the GL draws a polygon.
    // Normals only where lighting reads them: unlit bands of a million taps are a large array.
    const bool lit = glIsEnabled(GL_LIGHTING) == GL_TRUE;
    size_t vertices = 0;
    for (int k = 0; k < polygons; ++k) {
        vertices += counts[k] >= 3 ? 3 * static_cast<size_t>(counts[k] - 2) : 0;
    }
    CVertexRun run;
    run.Reserve(vertices, lit);
    const CVector4* lastPolygon = nullptr;
    int lastCount = 0;
    std::array<uint8_t, 4> colour = ColourBytes(colours[0]);
    for (int k = 0; k < polygons; ++k) {
        const int n = counts[k];
        if (n >= 3) {
            if (k > 0 && !(colours[k] == colours[k - 1])) {  // bands come in runs of a colour
                colour = ColourBytes(colours[k]);
            }
            CVector4 normal;
            if (lit) {
                normal = UnitNormal(points, n);
            }
            for (int i = 1; i + 1 < n; ++i) {
                for (const CVector4* corner : {&points[0], &points[i], &points[i + 1]}) {
                    run.Add(*corner, colour);
                    if (lit) {
                        Push(run.normals, normal.Data(), 3);
                    }
                }
            }
            run.last = colours[k];
            lastPolygon = points;
            lastCount = n;
        }
        points += n;
    }
    glEnable(GL_NORMALIZE);
    DrawRun(GL_TRIANGLES, run, lit);
    // The normal of the last polygon drawn, as drawing one by one leaves it (zero: none).
    glNormal3fv((lastPolygon != nullptr ? UnitNormal(lastPolygon, lastCount) : CVector4()).Data());
}

void CGLRenderer::DrawBandTriangles(const CVector4* corners, const float* coords,
                                    const uint32_t* indices, int triangles, const CVector4* table,
                                    int bands) {
    if (!HasCurrentContext() || triangles <= 0 || bands < 1) {
        return;
    }
    if (m_recording != nullptr || glIsEnabled(GL_LIGHTING) == GL_TRUE || bands > kBandTexels) {
        // A recording keeps primitives one by one; lit bands need the polygons' normals.
        CSceneRenderer::DrawBandTriangles(corners, coords, indices, triangles, table, bands);
        return;
    }
    // The band colours as a 1-D texture of kBandTexels texels (a power of two, as GL 1.1 wants),
    // the last band's colour repeated beyond it, looked up at coordinate / kBandTexels (the
    // texture matrix divides; by a power of two, exactly), so the nearest texel is the band
    // floor(coordinate); GL 1.1's clamping of the coordinate to 0..1 gives the end bands beyond
    // the texture. The image is given with each draw, so a display list compiles it with the
    // draw. A texture object of our own, not the default one: Mesa shares the default textures
    // among contexts and keeps on them what a context that has gone left behind, so that the
    // next context's image crashed the driver.
    std::array<uint8_t, 4 * kBandTexels> texels{};
    for (int i = 0; i < kBandTexels; ++i) {
        const std::array<uint8_t, 4> colour = ColourBytes(table[std::min(i, bands - 1)]);
        std::copy(colour.begin(), colour.end(), texels.begin() + 4 * i);
    }
    if (m_bandTexture == 0 || glIsTexture(m_bandTexture) == GL_FALSE) {
        // (Also when a context made anew has not got it; a name made while a list is compiled
        // becomes a texture when the list is first drawn.)
        glGenTextures(1, &m_bandTexture);
    }
    glBindTexture(GL_TEXTURE_1D, m_bandTexture);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glTexImage1D(GL_TEXTURE_1D, 0, GL_RGBA, kBandTexels, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texels.data());
    glEnable(GL_TEXTURE_1D);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glScalef(1.0f / kBandTexels, 1.0f, 1.0f);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(CVector4), &corners[0].x);
    glTexCoordPointer(1, GL_FLOAT, 0, coords);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(3 * static_cast<size_t>(triangles)),
                   GL_UNSIGNED_INT, indices);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_TEXTURE_1D);
    glBindTexture(GL_TEXTURE_1D, 0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);  // the GL's default
}

void CGLRenderer::DrawLineLoops(const CVector4* points, const int* counts, int loops,
                                CVector4 colour, float width) {
    if (!HasCurrentContext() || points == nullptr || loops <= 0) {
        return;
    }
    if (m_recording != nullptr) {
        CSceneRenderer::DrawLineLoops(points, counts, loops, colour, width);
        return;
    }
    const std::array<uint8_t, 4> bytes = ColourBytes(colour);
    CVertexRun run;
    run.last = colour;
    for (int k = 0; k < loops; ++k) {
        const int n = counts[k];
        for (int i = 0; n >= 2 && i < n; ++i) {
            run.Add(points[i], bytes);
            run.Add(points[(i + 1) % n], bytes);
        }
        points += n;
    }
    glLineWidth(width * static_cast<float>(m_nPixelScale));
    DrawRun(GL_LINES, run, false);
}

void CGLRenderer::DrawLines(const CVector4* points, const CVector4* colours, int segments,
                            float width) {
    if (!HasCurrentContext() || points == nullptr || segments <= 0) {
        return;
    }
    if (m_recording != nullptr) {
        CSceneRenderer::DrawLines(points, colours, segments, width);
        return;
    }
    CVertexRun run;
    run.Reserve(2 * static_cast<size_t>(segments), false);
    for (int k = 0; k < segments; ++k) {
        const std::array<uint8_t, 4> colour = ColourBytes(colours[k]);
        run.Add(points[2 * k], colour);
        run.Add(points[2 * k + 1], colour);
    }
    run.last = colours[segments - 1];
    glLineWidth(width * static_cast<float>(m_nPixelScale));
    DrawRun(GL_LINES, run, false);
}

void CGLRenderer::DrawOutline(const CVector4* points, int count, const CVector4* material,
                              float width, int face) {
    if (!HasCurrentContext() || points == nullptr) {
        return;
    }
    glLineWidth(width * static_cast<float>(m_nPixelScale));
    SetMaterial(face, material);
    EmitVertices(GL_LINE_LOOP, points, count);
}

void CGLRenderer::DrawFace(const CVector4* points, int count, const CVector4* material, int face) {
    if (!HasCurrentContext() || points == nullptr) {
        return;
    }
    SetMaterial(face, material);
    const CVector4 n = UnitNormal(points, count);
    glNormal3fv(n.Data());
    glEnable(GL_NORMALIZE);
    EmitVertices(GL_POLYGON, points, count);
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

void CGLRenderer::ReleaseContextObjects() {
    if (HasCurrentContext()) {
        for (const auto& entry : m_solidLists) {
            glDeleteLists(entry.second, 1);
        }
        if (m_bandTexture != 0) {
            glDeleteTextures(1, &m_bandTexture);
        }
    }
    m_solidLists.clear();
    m_bandTexture = 0;
}

void CGLRenderer::DrawSphere(CVector4 centre, float radius, CVector4 colour, int slices) {
    if (!HasCurrentContext()) {
        return;
    }
    // The far half of a sphere lies behind its near half and shows nowhere: culled, its
    // triangles are not rasterised (half a marker's cost, the same pixels).
    glPushAttrib(GL_ENABLE_BIT);
    glEnable(GL_CULL_FACE);
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
    glPopAttrib();
}

// Each dot one point of the sphere's diameter in pixels, round (smoothed, its rim cut by the
// alpha test, no blending), three radii in front of the centre: over a surface turned up to
// about 70 degrees from the viewer (where a sphere would show at least half), while one behind
// a wall stays hidden.
void CGLRenderer::DrawDots(const CVector4* centres, const CVector4* colours, int count,
                           float radius) {
    if (!HasCurrentContext() || count <= 0) {
        return;
    }
    if (m_recording != nullptr) {
        CSceneRenderer::DrawDots(centres, colours, count, radius);  // kept as spheres
        return;
    }
    float m[16];
    ModelView(m);
    const CWindowProjection window(m, 0, 0);
    const float unit = window.Unit();
    if (!(unit > 0.0f)) {
        return;
    }
    const CVector4 front = window.TowardViewer() * (3.0f * radius);
    std::vector<float> positions, rgba;
    positions.reserve(3 * static_cast<size_t>(count));
    rgba.reserve(4 * static_cast<size_t>(count));
    for (int k = 0; k < count; ++k) {
        const CVector4 p = centres[k] + front;
        positions.insert(positions.end(), {p.x, p.y, p.z});
        rgba.insert(rgba.end(), {colours[k].x, colours[k].y, colours[k].z, 1.0f});
    }
    glPushAttrib(GL_ENABLE_BIT | GL_POINT_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    glPointSize(2.0f * radius * unit * static_cast<float>(m_nPixelScale));
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, positions.data());
    glColorPointer(4, GL_FLOAT, 0, rgba.data());
    glDrawArrays(GL_POINTS, 0, count);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glPopAttrib();
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
