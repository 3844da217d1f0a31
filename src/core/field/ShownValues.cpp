#include "field/ShownValues.h"

#include "field/Compass.h"
#include "field/SurfaceValues.h"
#include "text/NumberFormat.h"
#include "text/Translatable.h"

EEnvelopeKind CShownValues::Kind() const {
    return envelope == ENVELOPE_MIN      ? EEnvelopeKind::Min
           : envelope == ENVELOPE_ABSMAX ? EEnvelopeKind::AbsMax
                                         : EEnvelopeKind::Max;
}

CShownValues ShownValuesOf(const CDataSet& data, const CDisplaySettings& settings) {
    CShownValues shown;
    const int q = settings.m_nQuantity;
    if (q > 0 && q < kValueQuantityCount && data.m_tables.Has(ValueQuantityAt(q))) {
        shown.quantity = ValueQuantityAt(q);
    }
    shown.direction = settings.m_nDirection;
    if (settings.m_nEnvelope > ENVELOPE_NONE && settings.m_nEnvelope < ENVELOPE_CHOICE_COUNT) {
        shown.envelope = settings.m_nEnvelope;
    }
    shown.method = settings.m_nValueMethod;
    return shown;
}

CShownValue ShownValueOfRecord(const CDataSet& data, const CShownValues& shown, int32_t record) {
    const CCpFile& table = data.Table(shown.quantity);
    const int n = table.m_nDirectionCount;
    if (record < 0 || n < 1) {
        return {};
    }
    if (!shown.IsEnvelope()) {
        const double v = data.ValueOfRecord(shown.quantity, record, shown.direction);
        return {v, v < NO_VALUE ? shown.direction : -1};
    }
    const size_t first = static_cast<size_t>(record) * static_cast<size_t>(n);
    if (first + static_cast<size_t>(n) > table.m_aCp.size()) {
        return {};
    }
    const CEnvelopeValue e = EnvelopeOf(table.m_aCp.data() + first, n);
    return {e.Value(shown.Kind()), e.Direction(shown.Kind())};
}

CShownValue ShownValueOfTap(const CDataSet& data, const CShownValues& shown, int32_t tapNo) {
    return ShownValueOfRecord(data, shown, data.m_cp.FindRecord(tapNo));
}

CShownValue ShownValueOf(const std::vector<double>& values, const CShownValues& shown) {
    if (!shown.IsEnvelope()) {
        if (shown.direction < 0 || static_cast<size_t>(shown.direction) >= values.size()) {
            return {};
        }
        const double v = values[static_cast<size_t>(shown.direction)];
        return {v, v < NO_VALUE ? shown.direction : -1};
    }
    const CEnvelopeValue e = EnvelopeOf(values);
    return {e.Value(shown.Kind()), e.Direction(shown.Kind())};
}

CShownValue ShownValueOfPoint(const CDataSet& data, const CShownValues& shown,
                              const CArbitraryPoint& point) {
    if (shown.quantity == EValueQuantity::Mean) {
        return ShownValueOf(point.values, shown);
    }
    std::vector<double> values;
    ComputeAllDirections(data, shown.method, point.panel, point.pos, values, shown.quantity);
    return ShownValueOf(values, shown);
}

void ShownColumn(const CDataSet& data, const CShownValues& shown, std::vector<double>& values,
                 std::vector<int>* directions) {
    if (!shown.IsEnvelope()) {
        values = data.ValueColumn(shown.quantity, shown.direction);
        if (directions != nullptr) {
            directions->assign(values.size(), shown.direction);
        }
        return;
    }
    const CCpFile& table = data.Table(shown.quantity);
    const size_t records = data.m_cp.m_aTapNo.size();
    const int n = table.m_nDirectionCount;
    values.assign(records, NO_VALUE);
    if (directions != nullptr) {
        directions->assign(records, -1);
    }
    if (n < 1) {
        return;
    }
    const EEnvelopeKind kind = shown.Kind();
    for (size_t i = 0; i < records; ++i) {
        const size_t first = i * static_cast<size_t>(n);
        if (first + static_cast<size_t>(n) > table.m_aCp.size()) {
            break;
        }
        const CEnvelopeValue e = EnvelopeOf(table.m_aCp.data() + first, n);
        values[i] = e.Value(kind);
        if (directions != nullptr) {
            (*directions)[i] = e.Direction(kind);
        }
    }
}

const char* EnvelopeLabel(int envelope) {
    switch (envelope) {
        case ENVELOPE_MAX:
            return KZV_TR_NOOP("Core", "全風向の最大");
        case ENVELOPE_MIN:
            return KZV_TR_NOOP("Core", "全風向の最小");
        case ENVELOPE_ABSMAX:
            return KZV_TR_NOOP("Core", "全風向の絶対値最大");
        default:
            return "";
    }
}

std::string ShownCaption(const CShownValues& shown) {
    if (shown.IsPlainMean()) {
        return std::string();
    }
    std::string text = ValueQuantityLabel(shown.quantity);
    if (shown.IsEnvelope()) {
        text += " ";
        text += EnvelopeLabel(shown.envelope);
    }
    return text;
}

std::string DirectionText(int directionCount, int direction) {
    if (direction < 0 || directionCount < 1) {
        return std::string();
    }
    return kzv::FormatG(DirectionAngle(directionCount, direction));
}
