#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <vector>

#include "geometry/Vector4.h"
#include "render/GLSolids.h"
#include "render/GLText.h"

// One frame's final primitives as CGLRenderer emitted them, kept in prebuilt arrays and drawn
// again from them with as few calls as the state allows: the least work that gives the frame's
// pixels, against which the redraw benchmark measures the real redraw.
//
// While the renderer records, each primitive is kept with the GL state it was drawn in (both
// matrices, depth test, lighting, normalisation, line width, material), read from the context
// at that moment. Polygons become triangle fans and line loops become line pairs so that runs
// of primitives under one state are one draw; solids are the unit solids' arrays under their
// own matrix; texts are one bitmap per text at their raster position.
class CGLRecording {
public:
    // A clear of colour and depth.
    void Clear(CVector4 colour);
    // Light `light` set as CGLRenderer::SetLight does, under the current model-view matrix.
    void Light(CVector4 position, CVector4 value, int light, int parameter);
    // count vertices of a primitive of mode GL_LINES, GL_LINE_LOOP or GL_POLYGON in the current
    // colour and normal.
    void Vertices(unsigned mode, const CVector4* points, int count);
    // A unit solid's strips under the current matrix, in the current colour.
    void Solid(const std::vector<kzv::CSolidStrip>* strips);
    // A text's bitmap at the raster position `position`, in the current colour.
    void Bitmap(CVector4 position, kzv::CBitmapImage image);

    // Draws everything recorded (needs the context it was recorded in, or one sharing it).
    void Replay() const;
    // The same replay compiled into a display list (0 when none could be made), so that the
    // arrays are held by the GL and a replay is one call; DeleteList frees it.
    unsigned Compile() const;
    void Reset();

    // Draw calls a replay makes, and what was recorded (for the bench's report).
    size_t DrawCalls() const;
    size_t VertexCount() const { return m_vertices.size(); }
    size_t BitmapCount() const { return m_bitmaps.size(); }

    // A solid's strips as one list of triangles, normals and positions interleaved.
    struct SolidTriangles {
        std::vector<float> data;  // nx ny nz x y z per vertex
        int count = 0;
    };

private:
    struct State {
        std::array<float, 16> projection{};
        std::array<float, 16> modelview{};
        float lineWidth = 1.0f;
        bool depthTest = false;
        bool lighting = false;
        bool normalize = false;
        // Front and back: diffuse, specular, ambient, shininess (lit primitives only).
        std::array<float, 26> material{};
        bool operator==(const State& o) const;
    };
    struct Vertex {
        float position[3];
        float colour[4];
        float normal[3];
    };
    enum class OpKind { Clear, Light, Draw, Solid, Bitmap };
    struct Op {
        OpKind kind = OpKind::Draw;
        size_t state = 0;   // index into m_states
        unsigned mode = 0;  // Draw: GL_TRIANGLES or GL_LINES
        size_t first = 0;   // Draw: first vertex; Bitmap: index into m_bitmaps
        size_t count = 0;   // Draw: vertices
        CVector4 colour;    // Clear, Solid, Bitmap
        CVector4 position;  // Light, Bitmap
        CVector4 value;     // Light
        int light = 0;      // Light
        int parameter = 0;  // Light
        const std::vector<kzv::CSolidStrip>* strips = nullptr;  // Solid
    };

    // The index of the current GL state, a new entry when it differs from the last one.
    size_t CurrentState();
    // The open draw of mode under state, a new one when the last op is anything else.
    Op& DrawOp(size_t state, unsigned mode);
    void Apply(const State& state) const;

    std::vector<State> m_states;
    std::vector<Op> m_ops;
    std::vector<Vertex> m_vertices;
    std::vector<kzv::CBitmapImage> m_bitmaps;
    std::map<const void*, SolidTriangles> m_solids;  // by the strips' address
};
