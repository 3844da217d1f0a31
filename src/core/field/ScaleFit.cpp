#include "field/ScaleFit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "dataset/CpFile.h"

namespace {

bool IsValue(double v) {
    return std::isfinite(v) && v < NO_VALUE;
}

void Take(CDataRange& r, double v) {
    if (!IsValue(v)) {
        return;
    }
    if (r.count++ == 0) {
        r.min = r.max = v;
    } else {
        r.min = std::min(r.min, v);
        r.max = std::max(r.max, v);
    }
}

CDataRange Finish(CDataRange r) {
    if (r.count == 0) {
        r.min = r.max = NO_VALUE;
    }
    return r;
}

// A decimal number units x 10^exponent as the nearest double: an integer divided by an exact
// power of ten is rounded once.
double Decimal(double units, int exponent) {
    if (exponent >= 0) {
        return units * std::pow(10.0, exponent);
    }
    return units / std::pow(10.0, -exponent);
}

// The round steps: the rounded preferred numbers 1, 1.2, 1.5, 2, 2.5, 3, 4, 5, 6, 8 x 10^k,
// here as whole units of 10^(k - 1). Successive steps differ by a third at most, so the fitted
// scale is never much wider than the data need.
constexpr int kMantissas[] = {10, 12, 15, 20, 25, 30, 40, 50, 60, 80};

// How round a value of whole units is: its trailing decimal zeros (0 counts as roundest).
int Roundness(long long units) {
    if (units == 0) {
        return 64;
    }
    int zeros = 0;
    while (units % 10 == 0) {
        units /= 10;
        ++zeros;
    }
    return zeros;
}

}  // namespace

CDataRange DataRange(const std::vector<double>& values) {
    CDataRange r;
    for (double v : values) {
        Take(r, v);
    }
    return Finish(r);
}

CDataRange DirectionRange(const std::vector<double>& values, int n, int d) {
    CDataRange r;
    if (n >= 1 && d >= 0 && d < n) {
        for (size_t k = static_cast<size_t>(d); k < values.size(); k += static_cast<size_t>(n)) {
            Take(r, values[k]);
        }
    }
    return Finish(r);
}

CScaleFit FitScale(const CDataRange& data, int bands, bool symmetric, int bandsPerStep) {
    bands = std::max(bands, 1);
    if (bandsPerStep < 1 || bands % bandsPerStep != 0) {
        bandsPerStep = 1;
    }
    // A single group cannot hold data on both sides of 0 between two multiples of its width
    // (0 is one of them): it is fitted as two halves.
    const int groups = std::max(bands / bandsPerStep, 2);
    double lo = -1.0, hi = 1.0;
    if (!data.Empty()) {
        lo = data.min;
        hi = data.max;
        if (!(hi - lo > 1e-9 * std::max(1.0, std::fabs(lo) + std::fabs(hi)))) {
            const double v = 0.5 * (lo + hi);
            const double pad = v == 0.0 ? 1.0 : 0.05 * std::fabs(v);
            lo = v - pad;
            hi = v + pad;
        }
    }
    const double largest = std::max(std::fabs(lo), std::fabs(hi));
    // Smallest step to try: a tenth below what the groups need at best.
    const double need = symmetric ? 2.0 * largest / groups : (hi - lo) / groups;
    if (!std::isfinite(need)) {
        return CScaleFit{lo, hi, (hi - lo) / bands};
    }
    int exponent = static_cast<int>(std::floor(std::log10(need))) - 1;
    for (int round = 0; round < 80; ++round, ++exponent) {
        for (int mantissa : kMantissas) {
            // step = mantissa x 10^e; a value k steps from 0 is k x mantissa units of 10^e.
            const int e = exponent - 1;
            const auto at = [&](double k) { return Decimal(k * mantissa, e); };
            CScaleFit fit;
            if (symmetric) {
                // max = groups x step / 2, halved last so that an odd count stays exact.
                fit.max = Decimal(static_cast<double>(groups) * mantissa, e) / 2.0;
                if (fit.max < largest) {
                    continue;
                }
                fit.min = -fit.max;
            } else {
                // The multiples k of the step with k x step <= lo and (k + groups) x step >= hi.
                const double step = Decimal(mantissa, e);
                double kHigh = std::floor(lo / step);
                while (at(kHigh) > lo) {
                    kHigh -= 1.0;
                }
                while (at(kHigh + 1.0) <= lo) {
                    kHigh += 1.0;
                }
                double kLow = std::ceil(hi / step) - groups;
                while (at(kLow + groups) < hi) {
                    kLow += 1.0;
                }
                while (at(kLow - 1.0 + groups) >= hi) {
                    kLow -= 1.0;
                }
                if (kLow > kHigh) {
                    continue;
                }
                // Of those, the one with the roundest ends, then the one nearest the middle.
                double best = kLow;
                int bestRound = -1;
                double bestOff = 0.0;
                const double middle = 0.5 * (kLow + kHigh);
                for (double k = kLow; k <= kHigh; k += 1.0) {
                    const int r = Roundness(static_cast<long long>(k) * mantissa) +
                                  Roundness(static_cast<long long>(k + groups) * mantissa);
                    const double off = std::fabs(k - middle);
                    if (r > bestRound || (r == bestRound && off < bestOff)) {
                        best = k;
                        bestRound = r;
                        bestOff = off;
                    }
                }
                fit.min = at(best);
                fit.max = at(best + groups);
            }
            fit.bandWidth = (fit.max - fit.min) / bands;
            return fit;
        }
    }
    // Unreachable for finite data: some step always fits.
    return CScaleFit{lo, hi, (hi - lo) / bands};
}

CScaleOverflow ScaleOverflow(const CDataRange& data, double min, double max) {
    CScaleOverflow out;
    if (!data.Empty()) {
        out.below = data.min < min;
        out.above = data.max > max;
    }
    return out;
}
