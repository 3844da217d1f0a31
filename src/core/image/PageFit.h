#pragma once

namespace kzv {

// Size and place of the printed picture: the window's aspect ratio fitted into the page.
struct PageFit {
    int width = 0;
    int height = 0;
};

// If pageH * clientW < pageW * clientH the page height limits the picture, else the page
// width; the other side is computed in floating point and cut toward zero.
// (2000, 3000, 800, 600) gives 2000 x 1500; (3000, 1000, 800, 600) gives 1333 x 1000.
// A client side of zero gives an empty picture.
PageFit FitClientToPage(int pageW, int pageH, int clientW, int clientH);

// Top edge of the picture on the page: centred vertically when it is lower than the page.
int PictureTop(int top, int pageH, int pictureH);

}  // namespace kzv
