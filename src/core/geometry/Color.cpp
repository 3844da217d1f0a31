#include "geometry/Color.h"

#include <cmath>

namespace {

// floor(v * 255) reduced to its low eight bits as a two's-complement integer would be.
// Components far outside 0..1 (or not finite) must not overflow the integer conversion.
unsigned ComponentByte(float component) {
    const double v = std::floor(component * 255.0);
    if (!std::isfinite(v)) {
        return 0;
    }
    double r = std::fmod(v, 256.0);
    if (r < 0.0) {
        r += 256.0;
    }
    return static_cast<unsigned>(r) & 0xFFu;
}

}  // namespace

COLORREF VectorToColorRef(CVector4 c) {
    return MakeColorRef(ComponentByte(c.x), ComponentByte(c.y), ComponentByte(c.z));
}

CVector4 ColorRefToVector(COLORREF packed) {
    const double k = 0.00392156862745098;
    return CVector4(static_cast<float>(RedOf(packed) * k), static_cast<float>(GreenOf(packed) * k),
                    static_cast<float>(BlueOf(packed) * k), 0.0f);
}
