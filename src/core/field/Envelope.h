#pragma once

#include <cstddef>
#include <vector>

#include "dataset/CpFile.h"

// The envelope over all wind directions: per tap (or per point), the extreme value over every
// direction and the direction where it occurs (the governing direction).

// Which extreme.
enum class EEnvelopeKind {
    Max,     // the highest value
    Min,     // the lowest value
    AbsMax,  // the value farthest from 0, with its sign (-1.8 rather than 1.2)
};

// The extremes of one tap or point over its directions. Values of NO_VALUE or more (and NaN)
// are skipped; the first direction wins a tie (for AbsMax also between v and -v). Without any
// value every extreme is NO_VALUE and every direction -1.
struct CEnvelopeValue {
    double max = NO_VALUE;
    double min = NO_VALUE;
    double absMax = NO_VALUE;
    int maxDirection = -1;
    int minDirection = -1;
    int absMaxDirection = -1;

    double Value(EEnvelopeKind kind) const;
    int Direction(EEnvelopeKind kind) const;
};

// The extremes of values[0 .. n-1], the values of one tap or point for directions 0 .. n-1
// (an arbitrary point's interpolated values, for instance).
CEnvelopeValue EnvelopeOf(const double* values, int n);
CEnvelopeValue EnvelopeOf(const std::vector<double>& values);

// The envelope of a whole table, record by record, in one pass over it.
struct CEnvelope {
    int directionCount = 0;
    std::vector<double> max;
    std::vector<double> min;
    std::vector<double> absMax;
    std::vector<int> maxDirection;  // per record; -1 for a record without any value
    std::vector<int> minDirection;
    std::vector<int> absMaxDirection;

    size_t RecordCount() const { return max.size(); }
    const std::vector<double>& Values(EEnvelopeKind kind) const;
    const std::vector<int>& Directions(EEnvelopeKind kind) const;
    // Record i as one value; record outside the table: no value, direction -1.
    CEnvelopeValue At(size_t record) const;
};

// values holds record i, direction d at i * n + d (the layout of CCpFile::m_aCp); a partial
// record at the end is ignored. n < 1 gives an empty envelope.
CEnvelope ComputeEnvelope(const std::vector<double>& values, int n);
// The envelope of a table as read (record i of the result is record i of the table).
CEnvelope ComputeEnvelope(const CCpFile& table);
