#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "image/BmpFile.h"
#include "image/PageFit.h"

namespace {

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint32_t Read16(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8);
}

// Pixels as glReadPixels delivers them, bottom row first: pixel (x, y) gets blue x, green y,
// red 200, alpha 77.
std::vector<uint8_t> Pixels(int w, int h) {
    std::vector<uint8_t> p;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            p.insert(p.end(), {static_cast<uint8_t>(x), static_cast<uint8_t>(y), 200, 77});
        }
    }
    return p;
}

TEST(BmpFile, HeadersAndPaddedBottomUpRows) {
    for (const int w : {101, 100}) {
        SCOPED_TRACE(w);
        const int h = 50;
        const std::vector<uint8_t> px = Pixels(w, h);
        const std::vector<uint8_t> bmp = kzv::EncodeBmp24(w, h, px.data());
        const uint32_t row = w == 101 ? 304u : 300u;
        ASSERT_EQ(bmp.size(), 54u + row * h);  // 15254 for 101 x 50
        EXPECT_EQ(bmp[0], 'B');
        EXPECT_EQ(bmp[1], 'M');
        EXPECT_EQ(Read32(bmp, 2), bmp.size());
        EXPECT_EQ(Read32(bmp, 6), 0u);
        EXPECT_EQ(Read32(bmp, 10), 54u);
        EXPECT_EQ(Read32(bmp, 14), 40u);
        EXPECT_EQ(Read32(bmp, 18), static_cast<uint32_t>(w));
        EXPECT_EQ(Read32(bmp, 22), static_cast<uint32_t>(h));
        EXPECT_EQ(Read16(bmp, 26), 1u);
        EXPECT_EQ(Read16(bmp, 28), 24u);
        EXPECT_EQ(Read32(bmp, 30), 0u);
        EXPECT_EQ(Read32(bmp, 34), row * h);
        for (size_t at = 38; at < 54; ++at) {
            EXPECT_EQ(bmp[at], 0) << at;
        }
        // First stored row is the bottom row (y = 0); blue, green, red; alpha dropped.
        EXPECT_EQ(bmp[54 + 3 * 7], 7);
        EXPECT_EQ(bmp[54 + 3 * 7 + 1], 0);
        EXPECT_EQ(bmp[54 + 3 * 7 + 2], 200);
        const size_t lastRow = 54 + row * (h - 1);
        EXPECT_EQ(bmp[lastRow + 1], h - 1);
        if (w == 101) {
            EXPECT_EQ(bmp[54 + 303], 0);  // padding byte
            EXPECT_EQ(bmp[54 + 304], 0);  // next row starts with x = 0
            EXPECT_EQ(bmp[54 + 304 + 1], 1);
        }
    }
    EXPECT_TRUE(kzv::EncodeBmp24(0, 10, nullptr).empty());
}

TEST(PageFit, WindowAspectFittedIntoThePage) {
    kzv::PageFit fit = kzv::FitClientToPage(2000, 3000, 800, 600);
    EXPECT_EQ(fit.width, 2000);
    EXPECT_EQ(fit.height, 1500);
    EXPECT_EQ(kzv::PictureTop(0, 3000, fit.height), 750);

    fit = kzv::FitClientToPage(3000, 1000, 800, 600);
    EXPECT_EQ(fit.width, 1333);
    EXPECT_EQ(fit.height, 1000);
    EXPECT_EQ(kzv::PictureTop(40, 1000, fit.height), 40);

    fit = kzv::FitClientToPage(3000, 1000, 0, 600);  // a window without width
    EXPECT_EQ(fit.width, 0);
    EXPECT_EQ(fit.height, 0);
}

}  // namespace
