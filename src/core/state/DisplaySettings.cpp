#include "state/DisplaySettings.h"

#include "field/ColorScale.h"

CDisplaySettings::CDisplaySettings() {
    FillColorRamp(m_aColorTable, m_nDivisions, MakeColorRef(0, 0, 255), MakeColorRef(255, 0, 0));
}
