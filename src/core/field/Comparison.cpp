#include "field/Comparison.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "field/Compass.h"
#include "text/CsvField.h"
#include "text/NumberFormat.h"

namespace {

// A data set's taps: the first record of each number.
struct CTapList {
    std::vector<int32_t> number;
    std::vector<int> record;  // index into the file's arrays
};

CTapList TapsOf(const CMeasurePosFile& file) {
    CTapList taps;
    // Found here rather than through the file's index, which a table filled by hand may lack.
    std::unordered_set<int32_t> seen;
    for (size_t i = 0; i < file.m_aTapNo.size() && i < file.m_aPos.size(); ++i) {
        if (seen.insert(file.m_aTapNo[i]).second) {
            taps.number.push_back(file.m_aTapNo[i]);
            taps.record.push_back(static_cast<int>(i));
        }
    }
    return taps;
}

struct CPoint3 {
    double x = 0.0, y = 0.0, z = 0.0;
    bool finite = false;
};

CPoint3 PointOf(const CMeasurePosFile& file, int record) {
    const CVector4& v = file.m_aPos[static_cast<size_t>(record)];
    CPoint3 p{v.x, v.y, v.z, false};
    p.finite = std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
    return p;
}

double Distance(const CPoint3& a, const CPoint3& b) {
    if (!a.finite || !b.finite) {
        return HUGE_VAL;
    }
    const double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// A data set's free taps in cubes of the tolerance's size (at least 1 mm): every tap within the
// tolerance of a point lies in the point's cube or one of its 26 neighbours. A tolerance as
// large as the building puts every tap in one cube, and each search goes through all of them.
class CTapGrid {
public:
    CTapGrid(const std::vector<CPoint3>& points, double tolerance)
        : m_points(points), m_cell(std::max(tolerance, 1.0)) {
        for (size_t i = 0; i < points.size(); ++i) {
            if (points[i].finite) {
                m_cells[Key(Cell(points[i].x), Cell(points[i].y), Cell(points[i].z))].push_back(
                    static_cast<int>(i));
            }
        }
    }

    // Calls visit(index) for every free tap in the 27 cubes around p.
    template <typename Visit>
    void ForNear(const CPoint3& p, Visit visit) const {
        const int64_t cx = Cell(p.x), cy = Cell(p.y), cz = Cell(p.z);
        for (int64_t i = cx - 1; i <= cx + 1; ++i) {
            for (int64_t j = cy - 1; j <= cy + 1; ++j) {
                for (int64_t k = cz - 1; k <= cz + 1; ++k) {
                    const auto it = m_cells.find(Key(i, j, k));
                    if (it != m_cells.end()) {
                        for (int index : it->second) {
                            visit(index);
                        }
                    }
                }
            }
        }
    }

    void Remove(int index) {
        const CPoint3& p = m_points[static_cast<size_t>(index)];
        std::vector<int>& cell = m_cells[Key(Cell(p.x), Cell(p.y), Cell(p.z))];
        cell.erase(std::find(cell.begin(), cell.end(), index));
    }

private:
    // Cube indices are kept to +-2^20, which the key packs into 21 bits each; clamping keeps
    // neighbouring cubes neighbours, so far-off points only share cubes.
    static constexpr int64_t kLimit = (int64_t{1} << 20) - 2;
    int64_t Cell(double v) const {
        return static_cast<int64_t>(
            std::clamp(std::floor(v / m_cell), double(-kLimit), double(kLimit)));
    }
    static int64_t Key(int64_t i, int64_t j, int64_t k) {
        const int64_t bias = int64_t{1} << 20;
        return ((i + bias) << 42) | ((j + bias) << 21) | (k + bias);
    }

    const std::vector<CPoint3>& m_points;
    double m_cell;
    std::unordered_map<int64_t, std::vector<int>> m_cells;
};

// The nearest of a grid's free points to p within the tolerance, -1 when none. Pairs are
// ordered by distance, then a pair of equal numbers first, then by the points' file order,
// which makes the order of all pairs a strict one.
int Nearest(const CTapGrid& grid, const std::vector<CPoint3>& points,
            const std::vector<int32_t>& numbers, const CPoint3& p, int32_t number,
            double tolerance) {
    int found = -1;
    double foundDistance = 0.0;
    bool foundOther = false;
    grid.ForNear(p, [&](int j) {
        const double d = Distance(p, points[static_cast<size_t>(j)]);
        const bool other = numbers[static_cast<size_t>(j)] != number;
        if (d <= tolerance &&
            (found < 0 || d < foundDistance ||
             (d == foundDistance && (other != foundOther ? !other : j < found)))) {
            found = j;
            foundDistance = d;
            foundOther = other;
        }
    });
    return found;
}

// Pairs by position, from the closest pair up: in rounds, every unmatched shown tap looks for
// its nearest free reference tap, and the pair is settled when that reference tap has no
// nearer free shown tap either. Such a pair comes first among the pairs still open to both, so
// settling it is what taking all pairs in order would do; the closest open pair is always
// settled, so every round settles at least one.
std::vector<int> MatchByPosition(const std::vector<int32_t>& shownNo,
                                 const std::vector<CPoint3>& shownPos,
                                 const std::vector<int32_t>& refNo,
                                 const std::vector<CPoint3>& refPos, double tolerance) {
    std::vector<int> partner(shownNo.size(), -1);
    CTapGrid refGrid(refPos, tolerance), shownGrid(shownPos, tolerance);
    std::vector<int> seeking;
    for (size_t i = 0; i < shownNo.size(); ++i) {
        if (shownPos[i].finite) {
            seeking.push_back(static_cast<int>(i));
        }
    }
    while (!seeking.empty()) {
        std::vector<std::pair<int, int>> settled;
        std::vector<int> next;
        for (int i : seeking) {
            const size_t si = static_cast<size_t>(i);
            const int j = Nearest(refGrid, refPos, refNo, shownPos[si], shownNo[si], tolerance);
            if (j < 0) {
                continue;  // nothing free within reach: nothing will be later either
            }
            const size_t sj = static_cast<size_t>(j);
            if (Nearest(shownGrid, shownPos, shownNo, refPos[sj], refNo[sj], tolerance) == i) {
                settled.emplace_back(i, j);
            } else {
                next.push_back(i);
            }
        }
        for (const auto& [i, j] : settled) {
            partner[static_cast<size_t>(i)] = j;
            refGrid.Remove(j);
            shownGrid.Remove(i);
        }
        seeking.swap(next);
    }
    return partner;
}

}  // namespace

CTapMatching MatchTaps(const CMeasurePosFile& shown, const CMeasurePosFile& reference,
                       double toleranceMm, CTapMatchMode mode) {
    CTapMatching result;
    const double tolerance = std::isnan(toleranceMm) ? 0.0 : std::clamp(toleranceMm, 0.0, DBL_MAX);
    result.tolerance = tolerance;
    const CTapList shownTaps = TapsOf(shown), refTaps = TapsOf(reference);
    std::vector<CPoint3> shownPos, refPos;
    for (int record : shownTaps.record) {
        shownPos.push_back(PointOf(shown, record));
    }
    for (int record : refTaps.record) {
        refPos.push_back(PointOf(reference, record));
    }
    // The reference's tap list index of each shown tap's number, or -1.
    std::vector<int> byNumber(shownTaps.number.size(), -1);
    std::unordered_map<int32_t, int> refIndex;
    for (size_t j = 0; j < refTaps.number.size(); ++j) {
        refIndex.emplace(refTaps.number[j], static_cast<int>(j));
    }
    for (size_t i = 0; i < shownTaps.number.size(); ++i) {
        const auto it = refIndex.find(shownTaps.number[i]);
        if (it != refIndex.end()) {
            byNumber[i] = it->second;
            ++result.numberPairs;
            if (Distance(shownPos[i], refPos[static_cast<size_t>(it->second)]) <= tolerance) {
                ++result.numberPairsWithin;
            }
        }
    }
    if (mode == CTapMatchMode::Auto) {
        const bool numbersFit =
            result.numberPairs > 0 &&
            result.numberPairs >=
                MATCH_NUMBER_SHARE * static_cast<double>(shownTaps.number.size()) &&
            result.numberPairsWithin >= MATCH_PLACE_SHARE * result.numberPairs;
        mode = numbersFit ? CTapMatchMode::ByNumber : CTapMatchMode::ByPosition;
    }
    result.mode = mode;
    const std::vector<int> partner =
        mode == CTapMatchMode::ByNumber
            ? byNumber
            : MatchByPosition(shownTaps.number, shownPos, refTaps.number, refPos, tolerance);

    std::vector<bool> taken(refTaps.number.size(), false);
    for (size_t i = 0; i < shownTaps.number.size(); ++i) {
        CTapMatch match;
        match.tapNo = shownTaps.number[i];
        const int j = partner[i];
        if (j >= 0) {
            match.matched = true;
            match.refTapNo = refTaps.number[static_cast<size_t>(j)];
            match.distance = Distance(shownPos[i], refPos[static_cast<size_t>(j)]);
            taken[static_cast<size_t>(j)] = true;
        } else {
            result.unmatched.push_back(match.tapNo);
        }
        result.taps.push_back(match);
    }
    for (size_t j = 0; j < refTaps.number.size(); ++j) {
        if (!taken[j]) {
            result.unmatchedReference.push_back(refTaps.number[j]);
        }
    }
    return result;
}

bool IsCpValue(double v) {
    return std::isfinite(v) && v < NO_VALUE;
}

bool CanCompare(const CCpFile& shown, const CCpFile& reference) {
    return shown.m_nDirectionCount > 0 && shown.m_nDirectionCount == reference.m_nDirectionCount;
}

bool CompareDataSets(const CCpFile& shownCp, const CCpFile& referenceCp,
                     const CTapMatching& matching, CComparison& out) {
    out = CComparison();
    if (!CanCompare(shownCp, referenceCp)) {
        return false;
    }
    const int n = shownCp.m_nDirectionCount;
    out.directionCount = n;
    out.matching = matching;
    out.difference.m_nDirectionCount = n;
    const size_t cells = matching.taps.size() * static_cast<size_t>(n);
    out.shown.assign(cells, NO_VALUE);
    out.reference.assign(cells, NO_VALUE);
    out.difference.m_aCp.assign(cells, NO_VALUE);
    for (size_t i = 0; i < matching.taps.size(); ++i) {
        const CTapMatch& match = matching.taps[i];
        out.difference.m_aTapNo.push_back(match.tapNo);
        for (int d = 0; d < n; ++d) {
            const size_t at = i * static_cast<size_t>(n) + static_cast<size_t>(d);
            const double s = shownCp.GetCp(match.tapNo, d);
            const double r = match.matched ? referenceCp.GetCp(match.refTapNo, d) : NO_VALUE;
            out.shown[at] = IsCpValue(s) ? s : NO_VALUE;
            out.reference[at] = IsCpValue(r) ? r : NO_VALUE;
            if (IsCpValue(s) && IsCpValue(r)) {
                out.difference.m_aCp[at] = s - r;
            }
        }
    }
    out.difference.RebuildIndex();
    return true;
}

namespace {

// The pairs of one scope (a face or the building), gathered in tap order, then direction order.
struct CPairs {
    std::vector<double> shown, reference;
    std::vector<int32_t> tapNo;
    std::vector<int> direction;
    int taps = 0;
};

CAgreement Figures(const CPairs& pairs) {
    CAgreement a;
    a.taps = pairs.taps;
    a.values = static_cast<int>(pairs.shown.size());
    if (a.values == 0) {
        return a;
    }
    double sum = 0.0, squares = 0.0, sumShown = 0.0, sumRef = 0.0;
    for (size_t k = 0; k < pairs.shown.size(); ++k) {
        const double d = pairs.shown[k] - pairs.reference[k];
        sum += d;
        squares += d * d;
        sumShown += pairs.shown[k];
        sumRef += pairs.reference[k];
        if (a.largestDirection < 0 || std::fabs(d) > std::fabs(a.largestDifference)) {
            a.largestDifference = d;
            a.largestTapNo = pairs.tapNo[k];
            a.largestDirection = pairs.direction[k];
        }
    }
    a.meanDifference = sum / a.values;
    a.rmsDifference = std::sqrt(squares / a.values);

    // Pearson's coefficient from the deviations about the means (two passes: steadier than the
    // sums of squares). A side whose values are all equal has no variance, whatever rounding
    // the mean picks up.
    const auto [shownLo, shownHi] = std::minmax_element(pairs.shown.begin(), pairs.shown.end());
    const auto [refLo, refHi] = std::minmax_element(pairs.reference.begin(), pairs.reference.end());
    if (a.values < 2 || *shownLo == *shownHi || *refLo == *refHi) {
        return a;
    }
    const double meanShown = sumShown / a.values, meanRef = sumRef / a.values;
    double sxx = 0.0, syy = 0.0, sxy = 0.0;
    for (size_t k = 0; k < pairs.shown.size(); ++k) {
        const double u = pairs.shown[k] - meanShown, v = pairs.reference[k] - meanRef;
        sxx += u * u;
        syy += v * v;
        sxy += u * v;
    }
    const double denominator = std::sqrt(sxx * syy);
    if (denominator > 0.0 && std::isfinite(denominator)) {
        a.hasCorrelation = true;
        a.correlation = std::clamp(sxy / denominator, -1.0, 1.0);
    }
    return a;
}

}  // namespace

CAgreementTable ComputeAgreement(const CComparison& comparison, const std::vector<int>& faceOfTap,
                                 int direction) {
    CAgreementTable table;
    const int n = comparison.directionCount;
    table.direction = direction >= 0 && direction < n ? direction : -1;
    const int first = table.direction >= 0 ? table.direction : 0;
    const int last = table.direction >= 0 ? table.direction : n - 1;

    CPairs building;
    std::map<int, CPairs> faces;
    const auto& taps = comparison.matching.taps;
    const size_t cells = taps.size() * static_cast<size_t>(std::max(n, 0));
    if (comparison.shown.size() < cells || comparison.reference.size() < cells) {
        return table;  // not made by CompareDataSets
    }
    for (size_t i = 0; i < taps.size(); ++i) {
        if (!taps[i].matched) {
            continue;
        }
        const int face = i < faceOfTap.size() ? faceOfTap[i] : -1;
        CPairs* scopes[2] = {&building, face >= 0 ? &faces[face] : nullptr};
        bool counted = false;
        for (int d = first; d <= last; ++d) {
            const size_t at = i * static_cast<size_t>(n) + static_cast<size_t>(d);
            const double s = comparison.shown[at], r = comparison.reference[at];
            if (!IsCpValue(s) || !IsCpValue(r)) {
                continue;
            }
            for (CPairs* scope : scopes) {
                if (scope != nullptr) {
                    scope->shown.push_back(s);
                    scope->reference.push_back(r);
                    scope->tapNo.push_back(taps[i].tapNo);
                    scope->direction.push_back(d);
                    scope->taps += counted ? 0 : 1;
                }
            }
            counted = true;
        }
    }
    table.building = Figures(building);
    for (const auto& [face, pairs] : faces) {
        table.faces.push_back({face, Figures(pairs)});
    }
    return table;
}

std::string MakeAgreementCsv(const std::vector<CAgreementTable>& tables,
                             const CComparison& comparison, const std::string& shownName,
                             const std::string& referenceName,
                             const std::function<std::string(int)>& faceName) {
    constexpr const char* kEnd = "\r\n";
    const int n = comparison.directionCount;
    const CTapMatching& m = comparison.matching;
    std::string text;
    text += "表示データ," + kzv::CsvField(shownName) + kEnd;
    text += "比較データ," + kzv::CsvField(referenceName) + kEnd;
    text += std::string("差,表示データ - 比較データ") + kEnd;
    text += m.mode == CTapMatchMode::ByPosition
                ? "照合,位置（許容差 " + kzv::FormatG(m.tolerance) + " mm）"
                : std::string("照合,タップ番号");
    text += kEnd;
    text += "照合できたタップ," + kzv::FormatInt(m.MatchedCount()) + "/" +
            kzv::FormatInt(static_cast<int>(m.taps.size())) + kEnd;
    text += kEnd;
    text += "方位,面,タップ数,値の数,平均差,RMS差,絶対値最大の差,そのタップ,その方位,相関係数";
    text += kEnd;

    const auto angle = [n](int d) { return kzv::FormatG(DirectionAngle(n, d)); };
    const auto row = [&](const std::string& dir, const std::string& scope, const CAgreement& a) {
        const bool any = a.values > 0;
        text += dir + "," + kzv::CsvField(scope) + "," + kzv::FormatInt(a.taps) + "," +
                kzv::FormatInt(a.values) + ",";
        text += any ? kzv::FormatG(a.meanDifference) + "," + kzv::FormatG(a.rmsDifference) + "," +
                          kzv::FormatG(a.largestDifference) + "," + kzv::FormatInt(a.largestTapNo) +
                          "," + angle(a.largestDirection) + ","
                    : std::string(",,,,,");
        text += a.hasCorrelation ? kzv::FormatG(a.correlation) : std::string();
        text += kEnd;
    };
    for (const CAgreementTable& table : tables) {
        const std::string dir = table.direction >= 0 ? angle(table.direction) : "全方位";
        for (const CFaceAgreement& face : table.faces) {
            row(dir, faceName ? faceName(face.face) : kzv::FormatInt(face.face), face.figures);
        }
        row(dir, "建物全体", table.building);
    }
    return text;
}
