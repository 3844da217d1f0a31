#pragma once

#include <cstdint>

#include "geometry/Vector4.h"

// Packed 24-bit RGB value laid out like the Windows COLORREF: red in bits 0-7, green in 8-15,
// blue in 16-23, bits 24-31 zero. Dialogs and the settings file hold colours this way.
using COLORREF = std::uint32_t;

inline constexpr COLORREF MakeColorRef(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
inline constexpr unsigned RedOf(COLORREF c) {
    return c & 0xFFu;
}
inline constexpr unsigned GreenOf(COLORREF c) {
    return (c >> 8) & 0xFFu;
}
inline constexpr unsigned BlueOf(COLORREF c) {
    return (c >> 16) & 0xFFu;
}

// Each byte is floor(component * 255), cut to its low eight bits (no rounding to nearest);
// w is ignored.
COLORREF VectorToColorRef(CVector4 c);

// (R/255, G/255, B/255, 0): alpha is 0.
CVector4 ColorRefToVector(COLORREF packed);
