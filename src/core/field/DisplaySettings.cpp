#include "field/DisplaySettings.h"

#include "field/ColorScale.h"
#include "text/NumberFormat.h"

CDisplaySettings::CDisplaySettings() {
    FillColorRamp(m_aColorTable, m_nDivisions, MakeColorRef(0, 0, 255), MakeColorRef(255, 0, 0));
}

int CDisplaySettings::BrightnessPosition() const {
    return kzv::TruncToInt(m_clrAmbient.x * 64.0);
}

void CDisplaySettings::SetBrightnessPosition(int position) {
    const float g = static_cast<float>(position / 64.0);
    m_clrAmbient = CVector4(g, g, g, 1.0f);
}

int CDisplaySettings::ContrastPosition() const {
    return kzv::TruncToInt(m_clrShininess.x);
}

void CDisplaySettings::SetContrastPosition(int position) {
    const float p = static_cast<float>(position);
    m_clrShininess = CVector4(p, p, p, 1.0f);
}
