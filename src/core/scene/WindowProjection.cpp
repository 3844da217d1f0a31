#include "scene/WindowProjection.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

CWindowProjection::CWindowProjection(const float modelView[16], int width, int height)
    : m_halfW(static_cast<float>(width) / 2.0f), m_halfH(static_cast<float>(height) / 2.0f) {
    std::memcpy(m_m, modelView, sizeof m_m);
    m_unit = std::sqrt(m_m[0] * m_m[0] + m_m[1] * m_m[1] + m_m[2] * m_m[2]);
}

void CWindowProjection::At(const CVector4& p, float& x, float& y) const {
    x = m_m[0] * p.x + m_m[4] * p.y + m_m[8] * p.z + m_m[12] + m_halfW;
    y = m_halfH - (m_m[1] * p.x + m_m[5] * p.y + m_m[9] * p.z + m_m[13]);
}

CVector4 CWindowProjection::TowardViewer() const {
    // The model-view's third row; its length is the uniform scale, Unit().
    const float s = m_unit > 0.0f ? 1.0f / m_unit : 0.0f;
    return CVector4(m_m[2] * s, m_m[6] * s, m_m[10] * s, 0.0f);
}

std::vector<int> PointsNear(const CWindowProjection& window, const std::vector<CVector4>& points,
                            float radius, float x, float y, float half) {
    std::vector<int> near;
    const float reach = half + radius;
    for (size_t i = 0; i < points.size(); ++i) {
        float px = 0.0f, py = 0.0f;
        window.At(points[i], px, py);
        if (std::fabs(px - x) <= reach && std::fabs(py - y) <= reach) {
            near.push_back(static_cast<int>(i));
        }
    }
    return near;
}

std::vector<int> PolygonsNear(const CWindowProjection& window, const std::vector<CVector4>& corners,
                              const std::vector<int>& counts, float x, float y, float half) {
    std::vector<int> near;
    size_t first = 0;
    for (size_t k = 0; k < counts.size(); ++k) {
        const float inf = std::numeric_limits<float>::infinity();
        float left = inf, right = -inf, top = inf, bottom = -inf;  // no corner: nowhere
        for (size_t i = first; i < first + static_cast<size_t>(counts[k]) && i < corners.size();
             ++i) {
            float px = 0.0f, py = 0.0f;
            window.At(corners[i], px, py);
            left = std::min(left, px);
            right = std::max(right, px);
            top = std::min(top, py);
            bottom = std::max(bottom, py);
        }
        if (left <= x + half && right >= x - half && top <= y + half && bottom >= y - half) {
            near.push_back(static_cast<int>(k));
        }
        first += static_cast<size_t>(std::max(counts[k], 0));
    }
    return near;
}
