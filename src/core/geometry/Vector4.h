#pragma once

// Four floats x, y, z, w: the one type for points, directions, normals, angle triples and
// RGBA colours. The floats are contiguous so &x can be handed to OpenGL's *fv calls.
class CVector4 {
public:
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;

    CVector4() = default;
    CVector4(float x_, float y_, float z_) : x(x_), y(y_), z(z_), w(0.0f) {}
    CVector4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
    CVector4(const CVector4&) = default;
    CVector4& operator=(const CVector4&) = default;
    ~CVector4() = default;

    // Defined here so that the contour walk's per-point arithmetic is inlined.
    CVector4 operator*(const float& s) const { return CVector4(x * s, y * s, z * s, w * s); }
    CVector4 operator/(const float& s) const { return CVector4(x / s, y / s, z / s, w / s); }
    CVector4 operator+(const CVector4& v) const {
        return CVector4(x + v.x, y + v.y, z + v.z, w + v.w);
    }
    CVector4 operator-(const CVector4& v) const {
        return CVector4(x - v.x, y - v.y, z - v.z, w - v.w);
    }

    // Equal when every component differs by less than the float epsilon (2^-23); unequal when
    // some component differs by more. A difference of exactly the epsilon is neither.
    bool operator==(const CVector4& v) const;
    bool operator!=(const CVector4& v) const;

    void Set(float x_, float y_, float z_);
    void Set(float x_, float y_, float z_, float w_);
    void Offset(float dx, float dy, float dz);
    float Distance(const CVector4& v) const;  // x, y, z only
    void Normalize();                         // divides all four, w included

    float* Data() { return &x; }
    const float* Data() const { return &x; }
};

// Nothing but the four floats: arrays of points (contours, mesh corners, taps) are 16 bytes a
// point, and OpenGL can read them as vertex arrays with a stride of 16.
static_assert(sizeof(CVector4) == 4 * sizeof(float), "CVector4 holds four packed floats");

// The float epsilon used by CVector4 comparisons.
constexpr float VECTOR_EPSILON = 1.1920928955078125e-07f;

extern const CVector4 COLOR_BLACK;
extern const CVector4 COLOR_WHITE;
extern const CVector4 COLOR_GRAY;
extern const CVector4 COLOR_RED;
extern const CVector4 COLOR_GREEN;
extern const CVector4 COLOR_BLUE;
extern const CVector4 COLOR_YELLOW;
extern const CVector4 COLOR_MAGENTA;
extern const CVector4 COLOR_CYAN;

extern const CVector4 OPAQUE_BLACK;
extern const CVector4 OPAQUE_WHITE;
extern const CVector4 OPAQUE_RED;
extern const CVector4 OPAQUE_GREEN;
extern const CVector4 OPAQUE_BLUE;
extern const CVector4 OPAQUE_YELLOW;
extern const CVector4 OPAQUE_MAGENTA;
extern const CVector4 OPAQUE_CYAN;

extern const CVector4 CLEAR_BLACK;
extern const CVector4 CLEAR_WHITE;
extern const CVector4 CLEAR_RED;
extern const CVector4 CLEAR_GREEN;
extern const CVector4 CLEAR_BLUE;
extern const CVector4 CLEAR_YELLOW;
extern const CVector4 CLEAR_MAGENTA;
extern const CVector4 CLEAR_CYAN;

extern const CVector4 AXIS_X;
extern const CVector4 AXIS_Y;
extern const CVector4 AXIS_Z;

extern const CVector4 AXIS_X_COLOR;
extern const CVector4 AXIS_Y_COLOR;
extern const CVector4 AXIS_Z_COLOR;
extern const CVector4 MARK_COLOR;
