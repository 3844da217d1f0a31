#include "field/ColorBar.h"

#include <algorithm>

#include "field/ColorScale.h"
#include "text/NumberFormat.h"

CColorBarLayout MakeColorBarLayout(int divisions, int clientW, int clientH) {
    CColorBarLayout layout;
    const int halfW = clientW / 2;
    layout.m_nBarBottom = clientH / 2 - 276;
    const float right = static_cast<float>(30 - halfW);
    const float left = static_cast<float>(10 - halfW);
    const double f = divisions > 0 ? 256.0 / divisions : 0.0;
    for (int i = 0; i < MAX_DIVISIONS; ++i) {
        CVector4* q = layout.m_aBarQuad[i];
        const float bottom = static_cast<float>(layout.m_nBarBottom + i * f);
        const float top = static_cast<float>(layout.m_nBarBottom + (i + 1) * f);
        q[0] = CVector4(right, bottom, 1000.0f);
        q[1] = CVector4(left, bottom, 1000.0f);
        q[2] = CVector4(left, top, 1000.0f);
        q[3] = CVector4(right, top, 1000.0f);
    }
    return layout;
}

namespace {

CColorBarLabel MakeLabel(int boundary, const CVector4& anchor, double value) {
    CColorBarLabel label;
    label.boundary = boundary;
    label.anchor = anchor;
    label.textPos = anchor + CVector4(7.0f, -3.0f, 0.0f);
    label.text = kzv::FormatFixed2(value);
    label.tick[0] = anchor;
    label.tick[1] = anchor + CVector4(5.0f, 4.0f, 0.0f);
    label.tick[2] = anchor + CVector4(5.0f, -4.0f, 0.0f);
    return label;
}

}  // namespace

CColorBarDrawing BuildColorBar(const CDisplaySettings& settings, int clientW, int clientH,
                               const CColorBarExtras& extras) {
    CColorBarDrawing bar;
    const int n = std::min(settings.m_nDivisions, MAX_DIVISIONS);
    if (settings.m_bShowColorBar == 0 || n <= 1) {
        return bar;
    }
    bar.visible = true;
    const CColorBarLayout layout = MakeColorBarLayout(settings.m_nDivisions, clientW, clientH);
    const double min = settings.m_dColorMin;
    const double max = settings.m_dColorMax;
    const double step = (max - min) / n;
    const int interval = settings.m_nTickInterval;

    for (int i = 0; i <= n; ++i) {
        if (i < n) {
            CColorBarQuad quad;
            for (int c = 0; c < 4; ++c) {
                quad.corner[c] = layout.m_aBarQuad[i][c];
            }
            quad.colour = settings.m_aColorTable[i];
            bar.quads.push_back(quad);
        }

        bool labelled;
        if (interval == 0) {
            if (n % 2 == 1 && i == n / 2) {
                // An odd count has no middle boundary: the middle value goes to the middle of
                // the bar.
                const CVector4 middle =
                    (layout.m_aBarQuad[0][0] + layout.m_aBarQuad[n - 1][3]) * 0.5f;
                bar.labels.push_back(MakeLabel(i, middle, (max + min) * 0.5));
                continue;
            }
            labelled = i == 0 || i == n || (n % 2 == 0 && i == n / 2);
        } else if (interval == 1) {
            labelled = true;
        } else if (interval >= 2) {
            labelled = i % interval == 0 || i == n;
        } else {
            // A negative interval labels the ends only.
            labelled = i == 0 || i == n;
        }
        if (!labelled) {
            continue;
        }
        const CVector4 anchor = i < n ? layout.m_aBarQuad[i][0] : layout.m_aBarQuad[n - 1][3];
        bar.labels.push_back(MakeLabel(i, anchor, i * step + min));
    }

    const float halfW = static_cast<float>(clientW / 2);
    const float b = static_cast<float>(layout.m_nBarBottom);
    const float top = static_cast<float>(layout.m_nBarBottom + n * (256.0 / n) + 1);
    const float z = layout.m_aBarQuad[0][0].z;
    bar.outline[0] = CVector4(31.0f - halfW, b, z);
    bar.outline[1] = CVector4(9.0f - halfW, b, z);
    bar.outline[2] = CVector4(9.0f - halfW, top, z);
    bar.outline[3] = CVector4(30.0f - halfW, top, z);

    const float left = 10.0f - halfW;
    const float right = 30.0f - halfW;
    const float middle = 20.0f - halfW;
    constexpr float kTriangle = 12.0f;
    bar.below = extras.overflow.below;
    bar.above = extras.overflow.above;
    bar.belowTriangle[0] = CVector4(left, b - 1.0f, z);
    bar.belowTriangle[1] = CVector4(middle, b - 1.0f - kTriangle, z);
    bar.belowTriangle[2] = CVector4(right, b - 1.0f, z);
    bar.aboveTriangle[0] = CVector4(left, top, z);
    bar.aboveTriangle[1] = CVector4(right, top, z);
    bar.aboveTriangle[2] = CVector4(middle, top + kTriangle, z);
    bar.belowColour = settings.m_aColorTable[0];
    bar.aboveColour = settings.m_aColorTable[n - 1];
    bar.caption = extras.caption;
    bar.captionPos = CVector4(left, b - 2.0f * kTriangle - 20.0f, z);
    return bar;
}

std::vector<int> PreviewBandHeights(int h, int n) {
    std::vector<int> heights;
    if (h <= 0 || n <= 0) {
        return heights;
    }
    const int each = h / n;
    const int taller = h % n;
    const int drawn = each > 0 ? n : taller;
    heights.reserve(static_cast<size_t>(drawn));
    for (int i = 0; i < drawn; ++i) {
        heights.push_back(each + (i < taller ? 1 : 0));
    }
    return heights;
}
