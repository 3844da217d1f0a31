#include "image/BmpFile.h"

#include <cstddef>

namespace kzv {

namespace {

void Put16(std::vector<uint8_t>& out, std::size_t at, uint32_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Put32(std::vector<uint8_t>& out, std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

}  // namespace

uint32_t BmpRowSize(int width) {
    return (static_cast<uint32_t>(width) * 3u + 3u) & ~3u;
}

std::vector<uint8_t> EncodeBmp24(int width, int height, const uint8_t* bgra) {
    if (width <= 0 || height <= 0 || bgra == nullptr) {
        return {};
    }
    const uint32_t rowSize = BmpRowSize(width);
    const uint32_t imageSize = rowSize * static_cast<uint32_t>(height);
    std::vector<uint8_t> out(54 + static_cast<std::size_t>(imageSize), 0);

    Put16(out, 0, 19778);  // "BM"
    Put32(out, 2, 54 + imageSize);
    Put32(out, 10, 54);
    Put32(out, 14, 40);
    Put32(out, 18, static_cast<uint32_t>(width));
    Put32(out, 22, static_cast<uint32_t>(height));
    Put16(out, 26, 1);
    Put16(out, 28, 24);
    Put32(out, 34, imageSize);

    for (int y = 0; y < height; ++y) {
        const uint8_t* src =
            bgra + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4;
        uint8_t* dst = out.data() + 54 + static_cast<std::size_t>(y) * rowSize;
        for (int x = 0; x < width; ++x) {
            dst[3 * x] = src[4 * x];
            dst[3 * x + 1] = src[4 * x + 1];
            dst[3 * x + 2] = src[4 * x + 2];
        }
    }
    return out;
}

}  // namespace kzv
