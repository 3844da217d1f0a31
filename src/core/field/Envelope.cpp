#include "field/Envelope.h"

#include <cmath>

namespace {

// Folds value v of direction d into e. Strict comparisons keep the first direction on ties.
inline void Fold(CEnvelopeValue& e, double v, int d) {
    if (!(v < NO_VALUE)) {
        return;  // no value (NaN included)
    }
    if (e.maxDirection < 0) {
        e.max = e.min = e.absMax = v;
        e.maxDirection = e.minDirection = e.absMaxDirection = d;
        return;
    }
    if (v > e.max) {
        e.max = v;
        e.maxDirection = d;
    }
    if (v < e.min) {
        e.min = v;
        e.minDirection = d;
    }
    if (std::fabs(v) > std::fabs(e.absMax)) {
        e.absMax = v;
        e.absMaxDirection = d;
    }
}

// The one of the three that kind names.
template <typename T>
const T& OfKind(EEnvelopeKind kind, const T& max, const T& min, const T& absMax) {
    switch (kind) {
        case EEnvelopeKind::Max:
            return max;
        case EEnvelopeKind::Min:
            return min;
        case EEnvelopeKind::AbsMax:
            break;
    }
    return absMax;
}

}  // namespace

double CEnvelopeValue::Value(EEnvelopeKind kind) const {
    return OfKind(kind, max, min, absMax);
}

int CEnvelopeValue::Direction(EEnvelopeKind kind) const {
    return OfKind(kind, maxDirection, minDirection, absMaxDirection);
}

CEnvelopeValue EnvelopeOf(const double* values, int n) {
    CEnvelopeValue e;
    for (int d = 0; d < n; ++d) {
        Fold(e, values[d], d);
    }
    return e;
}

CEnvelopeValue EnvelopeOf(const std::vector<double>& values) {
    return EnvelopeOf(values.data(), static_cast<int>(values.size()));
}

const std::vector<double>& CEnvelope::Values(EEnvelopeKind kind) const {
    return OfKind(kind, max, min, absMax);
}

const std::vector<int>& CEnvelope::Directions(EEnvelopeKind kind) const {
    return OfKind(kind, maxDirection, minDirection, absMaxDirection);
}

CEnvelopeValue CEnvelope::At(size_t record) const {
    CEnvelopeValue e;
    if (record < RecordCount()) {
        e.max = max[record];
        e.min = min[record];
        e.absMax = absMax[record];
        e.maxDirection = maxDirection[record];
        e.minDirection = minDirection[record];
        e.absMaxDirection = absMaxDirection[record];
    }
    return e;
}

CEnvelope ComputeEnvelope(const std::vector<double>& values, int n) {
    CEnvelope out;
    if (n < 1) {
        return out;
    }
    out.directionCount = n;
    const size_t dirs = static_cast<size_t>(n);
    const size_t records = values.size() / dirs;
    out.max.resize(records);
    out.min.resize(records);
    out.absMax.resize(records);
    out.maxDirection.resize(records);
    out.minDirection.resize(records);
    out.absMaxDirection.resize(records);
    const double* row = values.data();
    for (size_t i = 0; i < records; ++i, row += dirs) {
        const CEnvelopeValue e = EnvelopeOf(row, n);
        out.max[i] = e.max;
        out.min[i] = e.min;
        out.absMax[i] = e.absMax;
        out.maxDirection[i] = e.maxDirection;
        out.minDirection[i] = e.minDirection;
        out.absMaxDirection[i] = e.absMaxDirection;
    }
    return out;
}

CEnvelope ComputeEnvelope(const CCpFile& table) {
    return ComputeEnvelope(table.m_aCp, table.m_nDirectionCount);
}
