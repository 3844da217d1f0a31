#include "image/PageFit.h"

namespace kzv {

PageFit FitClientToPage(int pageW, int pageH, int clientW, int clientH) {
    PageFit fit;
    if (clientW <= 0 || clientH <= 0 || pageW <= 0 || pageH <= 0) {
        return fit;
    }
    if (static_cast<double>(pageH) * clientW < static_cast<double>(pageW) * clientH) {
        fit.width = static_cast<int>(static_cast<double>(pageH) / clientH * clientW);
        fit.height = pageH;
    } else {
        fit.width = pageW;
        fit.height = static_cast<int>(clientH * (static_cast<double>(pageW) / clientW));
    }
    return fit;
}

int PictureTop(int top, int pageH, int pictureH) {
    return pictureH < pageH ? top + (pageH - pictureH) / 2 : top;
}

}  // namespace kzv
