#pragma once

#include <cstdint>
#include <vector>

namespace kzv {

// Bytes per stored row of a 24-bit BMP: width * 3 rounded up to a multiple of 4.
uint32_t BmpRowSize(int width);

// A complete 24-bit uncompressed BMP file (14-byte file header, 40-byte information header,
// rows bottom-up, blue-green-red, zero-padded) from pixels read back from the frame buffer:
// bgra holds height rows of width pixels of 4 bytes (blue, green, red, alpha), bottom row
// first, exactly as glReadPixels(GL_BGRA) delivers them. Alpha is dropped. Empty for a
// non-positive size.
std::vector<uint8_t> EncodeBmp24(int width, int height, const uint8_t* bgra);

}  // namespace kzv
