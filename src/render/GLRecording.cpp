#include "render/GLRecording.h"

#include <cstring>
#include <map>

#include <GL/gl.h>

namespace {

void PutVertex(const kzv::CSolidStrip& strip, size_t v, std::vector<float>& out) {
    out.insert(out.end(), strip.normals.begin() + static_cast<std::ptrdiff_t>(3 * v),
               strip.normals.begin() + static_cast<std::ptrdiff_t>(3 * v + 3));
    out.insert(out.end(), strip.vertices.begin() + static_cast<std::ptrdiff_t>(3 * v),
               strip.vertices.begin() + static_cast<std::ptrdiff_t>(3 * v + 3));
}

CGLRecording::SolidTriangles Triangulate(const std::vector<kzv::CSolidStrip>& strips) {
    CGLRecording::SolidTriangles t;
    for (const kzv::CSolidStrip& strip : strips) {
        const size_t n = strip.vertices.size() / 3;
        if (strip.mode == GL_QUAD_STRIP) {
            // Quad i has the corners 2i, 2i + 1, 2i + 3, 2i + 2.
            for (size_t i = 0; 2 * i + 3 < n; ++i) {
                for (size_t v : {2 * i, 2 * i + 1, 2 * i + 3, 2 * i, 2 * i + 3, 2 * i + 2}) {
                    PutVertex(strip, v, t.data);
                }
            }
        } else if (strip.mode == GL_TRIANGLE_FAN) {
            for (size_t i = 1; i + 1 < n; ++i) {
                for (size_t v : {size_t(0), i, i + 1}) {
                    PutVertex(strip, v, t.data);
                }
            }
        }
    }
    t.count = static_cast<int>(t.data.size() / 6);
    return t;
}

}  // namespace

bool CGLRecording::State::operator==(const State& o) const {
    return projection == o.projection && modelview == o.modelview && lineWidth == o.lineWidth &&
           depthTest == o.depthTest && lighting == o.lighting && normalize == o.normalize &&
           material == o.material;
}

size_t CGLRecording::CurrentState() {
    State s;
    glGetFloatv(GL_PROJECTION_MATRIX, s.projection.data());
    glGetFloatv(GL_MODELVIEW_MATRIX, s.modelview.data());
    glGetFloatv(GL_LINE_WIDTH, &s.lineWidth);
    s.depthTest = glIsEnabled(GL_DEPTH_TEST) == GL_TRUE;
    s.lighting = glIsEnabled(GL_LIGHTING) == GL_TRUE;
    s.normalize = glIsEnabled(GL_NORMALIZE) == GL_TRUE;
    if (s.lighting) {
        float* m = s.material.data();
        for (GLenum face : {GL_FRONT, GL_BACK}) {
            glGetMaterialfv(face, GL_DIFFUSE, m);
            glGetMaterialfv(face, GL_SPECULAR, m + 4);
            glGetMaterialfv(face, GL_AMBIENT, m + 8);
            glGetMaterialfv(face, GL_SHININESS, m + 12);
            m += 13;
        }
    }
    if (m_states.empty() || !(m_states.back() == s)) {
        m_states.push_back(s);
    }
    return m_states.size() - 1;
}

CGLRecording::Op& CGLRecording::DrawOp(size_t state, unsigned mode) {
    if (m_ops.empty() || m_ops.back().kind != OpKind::Draw || m_ops.back().state != state ||
        m_ops.back().mode != mode) {
        Op op;
        op.kind = OpKind::Draw;
        op.state = state;
        op.mode = mode;
        op.first = m_vertices.size();
        m_ops.push_back(op);
    }
    return m_ops.back();
}

void CGLRecording::Clear(CVector4 colour) {
    Op op;
    op.kind = OpKind::Clear;
    op.colour = colour;
    m_ops.push_back(op);
}

void CGLRecording::Light(CVector4 position, CVector4 value, int light, int parameter) {
    Op op;
    op.kind = OpKind::Light;
    op.state = CurrentState();
    op.position = position;
    op.value = value;
    op.light = light;
    op.parameter = parameter;
    m_ops.push_back(op);
}

void CGLRecording::Vertices(unsigned mode, const CVector4* points, int count) {
    if (points == nullptr || count <= 0) {
        return;
    }
    const size_t state = CurrentState();
    Vertex v{};
    glGetFloatv(GL_CURRENT_COLOR, v.colour);
    glGetFloatv(GL_CURRENT_NORMAL, v.normal);
    auto put = [&](int i) {
        v.position[0] = points[i].x;
        v.position[1] = points[i].y;
        v.position[2] = points[i].z;
        m_vertices.push_back(v);
    };
    const size_t before = m_vertices.size();
    if (mode == GL_POLYGON) {
        Op& op = DrawOp(state, GL_TRIANGLES);
        for (int i = 1; i + 1 < count; ++i) {
            put(0);
            put(i);
            put(i + 1);
        }
        op.count += m_vertices.size() - before;
    } else if (mode == GL_LINE_LOOP) {
        Op& op = DrawOp(state, GL_LINES);
        for (int i = 0; count > 1 && i < count; ++i) {
            put(i);
            put((i + 1) % count);
        }
        op.count += m_vertices.size() - before;
    } else if (mode == GL_LINES) {
        Op& op = DrawOp(state, GL_LINES);
        for (int i = 0; i + 1 < count; i += 2) {
            put(i);
            put(i + 1);
        }
        op.count += m_vertices.size() - before;
    }
}

void CGLRecording::Solid(const std::vector<kzv::CSolidStrip>* strips) {
    if (strips == nullptr) {
        return;
    }
    if (m_solids.find(strips) == m_solids.end()) {
        m_solids[strips] = Triangulate(*strips);
    }
    Op op;
    op.kind = OpKind::Solid;
    op.state = CurrentState();
    glGetFloatv(GL_CURRENT_COLOR, op.colour.Data());
    op.strips = strips;
    m_ops.push_back(op);
}

void CGLRecording::Bitmap(CVector4 position, kzv::CBitmapImage image) {
    Op op;
    op.kind = OpKind::Bitmap;
    op.state = CurrentState();
    glGetFloatv(GL_CURRENT_COLOR, op.colour.Data());
    op.position = position;
    op.first = m_bitmaps.size();
    m_bitmaps.push_back(std::move(image));
    m_ops.push_back(op);
}

void CGLRecording::Reset() {
    m_states.clear();
    m_ops.clear();
    m_vertices.clear();
    m_bitmaps.clear();
    m_solids.clear();
}

size_t CGLRecording::DrawCalls() const {
    size_t n = 0;
    for (const Op& op : m_ops) {
        n += op.kind == OpKind::Draw || op.kind == OpKind::Solid || op.kind == OpKind::Bitmap;
    }
    return n;
}

unsigned CGLRecording::Compile() const {
    const GLuint list = glGenLists(1);
    if (list != 0) {
        glNewList(list, GL_COMPILE);
        Replay();
        glEndList();
    }
    return list;
}

void CGLRecording::Apply(const State& s) const {
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(s.projection.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(s.modelview.data());
    glLineWidth(s.lineWidth);
    s.depthTest ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
    s.lighting ? glEnable(GL_LIGHTING) : glDisable(GL_LIGHTING);
    s.normalize ? glEnable(GL_NORMALIZE) : glDisable(GL_NORMALIZE);
    if (s.lighting) {
        const float* m = s.material.data();
        for (GLenum face : {GL_FRONT, GL_BACK}) {
            glMaterialfv(face, GL_SHININESS, m + 12);
            glMaterialfv(face, GL_DIFFUSE, m);
            glMaterialfv(face, GL_SPECULAR, m + 4);
            glMaterialfv(face, GL_AMBIENT, m + 8);
            m += 13;
        }
    }
}

void CGLRecording::Replay() const {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const State* applied = nullptr;
    auto use = [&](size_t index) {
        const State& s = m_states[index];
        if (applied == &s) {
            return;
        }
        if (applied != nullptr && applied->projection == s.projection &&
            applied->lineWidth == s.lineWidth && applied->depthTest == s.depthTest &&
            applied->lighting == s.lighting && applied->normalize == s.normalize &&
            applied->material == s.material) {
            glLoadMatrixf(s.modelview.data());  // a solid's own placement: the matrix alone
        } else {
            Apply(s);
        }
        applied = &s;
    };
    const Vertex* v = m_vertices.data();
    for (const Op& op : m_ops) {
        switch (op.kind) {
            case OpKind::Clear:
                glClearColor(op.colour.x, op.colour.y, op.colour.z, op.colour.w);
                glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
                break;
            case OpKind::Light:
                use(op.state);
                glLightfv(static_cast<GLenum>(op.light), static_cast<GLenum>(op.parameter),
                          op.value.Data());
                glLightModelf(GL_LIGHT_MODEL_LOCAL_VIEWER, 1.0f);
                glLightModelf(GL_LIGHT_MODEL_TWO_SIDE, 1.0f);
                glEnable(GL_LIGHTING);
                glEnable(static_cast<GLenum>(op.light));
                glEnable(GL_NORMALIZE);
                glEnable(GL_DEPTH_TEST);
                glLightfv(static_cast<GLenum>(op.light), GL_POSITION, op.position.Data());
                applied = nullptr;  // the switches changed behind the recorded state
                break;
            case OpKind::Draw:
                use(op.state);
                glEnableClientState(GL_COLOR_ARRAY);
                glVertexPointer(3, GL_FLOAT, sizeof(Vertex), v[op.first].position);
                glColorPointer(4, GL_FLOAT, sizeof(Vertex), v[op.first].colour);
                glNormalPointer(GL_FLOAT, sizeof(Vertex), v[op.first].normal);
                glDrawArrays(op.mode, 0, static_cast<GLsizei>(op.count));
                glDisableClientState(GL_COLOR_ARRAY);
                break;
            case OpKind::Solid: {
                use(op.state);
                const SolidTriangles& t = m_solids.at(op.strips);
                glColor4fv(op.colour.Data());
                glNormalPointer(GL_FLOAT, 6 * sizeof(float), t.data.data());
                glVertexPointer(3, GL_FLOAT, 6 * sizeof(float), t.data.data() + 3);
                glDrawArrays(GL_TRIANGLES, 0, t.count);
                break;
            }
            case OpKind::Bitmap: {
                use(op.state);
                const kzv::CBitmapImage& b = m_bitmaps[op.first];
                glColor4fv(op.colour.Data());
                glRasterPos3fv(op.position.Data());
                glBitmap(b.width, b.height, b.xorig, b.yorig, b.advance, 0.0f, b.bits.data());
                break;
            }
        }
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
}
