#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "dataset/CpFile.h"
#include "dataset/MeasurePosFile.h"

// Comparing the shown data set with a reference data set of the same building: the taps of
// the two matched, the difference per tap and direction (shown - reference), and figures of how
// well they agree, per face and for the whole building.
//
// A data set's taps are its "measure.pos" records, the first record of each number (the one
// every lookup by number finds). Positions are compared as read, in the same frame for both
// sets (full-scale millimetres), not turned by the building angle.

// ---- matching the taps ----

enum class CTapMatchMode {
    Auto,        // by number when the numbers fit (below), otherwise by position
    ByNumber,    // a shown tap is paired with the reference tap of the same number
    ByPosition,  // with the nearest free reference tap within the tolerance
};

// Auto chooses matching by number when at least this share of the shown taps find their number
// among the reference's taps, and at least this share of those pairs lie within the tolerance
// of each other. The first condition accepts a reference that lacks some taps (a smaller
// measurement) without pairing the missing ones with neighbours; the second catches numbers
// that coincide by chance (a CFD run numbered 1, 2, ... against taps numbered 101, 102, ...),
// which put the same number at unrelated places.
constexpr double MATCH_NUMBER_SHARE = 0.5;
constexpr double MATCH_PLACE_SHARE = 0.5;
// A tolerance for users to start from: a few centimetres of the model at 1:300, full scale.
constexpr double DEFAULT_MATCH_TOLERANCE_MM = 500.0;

// A shown tap and its partner.
struct CTapMatch {
    int32_t tapNo = 0;
    bool matched = false;
    int32_t refTapNo = 0;   // when matched
    double distance = 0.0;  // between the two positions, mm (HUGE_VAL: one is not finite)
};

struct CTapMatching {
    CTapMatchMode mode = CTapMatchMode::ByNumber;  // the one used: never Auto
    double tolerance = 0.0;                        // mm
    // What Auto decided on: shown taps whose number the reference holds, and how many of
    // those pairs lie within the tolerance.
    int numberPairs = 0;
    int numberPairsWithin = 0;
    std::vector<CTapMatch> taps;              // every shown tap, in file order
    std::vector<int32_t> unmatched;           // shown taps without a partner, in file order
    std::vector<int32_t> unmatchedReference;  // reference taps no shown tap took, file order

    int MatchedCount() const { return static_cast<int>(taps.size() - unmatched.size()); }
};

// Matches the shown taps to the reference's. By position, every shown tap takes the nearest
// reference tap within toleranceMm that no nearer shown tap takes (each reference tap is
// matched at most once; pairs are settled from the closest up). At equal distances a reference
// tap of the same number is preferred, then the earlier one in the file: taps of two faces
// meeting at an edge share a position. A position that is not finite matches nothing by
// position; a negative or NaN tolerance is 0.
CTapMatching MatchTaps(const CMeasurePosFile& shown, const CMeasurePosFile& reference,
                       double toleranceMm, CTapMatchMode mode = CTapMatchMode::Auto);

// ---- the difference ----

// Whether two data sets can be compared: the same number of directions.
bool CanCompare(const CCpFile& shown, const CCpFile& reference);

// Whether a value is a measured one: finite and below NO_VALUE.
bool IsCpValue(double v);

struct CComparison {
    int directionCount = 0;
    CTapMatching matching;
    // Per entry i of matching.taps, direction d at i * directionCount + d: the shown value and
    // the partner's, NO_VALUE where a tap has no partner or no record.
    std::vector<double> shown;
    std::vector<double> reference;
    // The difference as a Cp table, shown - reference: one record per shown tap (matching.taps
    // order), NO_VALUE where either value is missing. It answers GetCp as the shown table does,
    // so the contours, labels and value list can show it in place of the values.
    CCpFile difference;
};

// Fills out. False (out left empty) when the direction counts differ.
bool CompareDataSets(const CCpFile& shownCp, const CCpFile& referenceCp,
                     const CTapMatching& matching, CComparison& out);

// ---- agreement figures ----

// How well the matched values agree over a set of (tap, direction) pairs that have both
// values. Everything but taps and values is meaningless when values is 0.
struct CAgreement {
    int taps = 0;    // matched taps with at least one pair of values
    int values = 0;  // pairs of values: taps x directions
    double meanDifference = 0.0;
    double rmsDifference = 0.0;
    // The difference largest in absolute value, with its sign, and where: the first such pair
    // in tap order, then direction order.
    double largestDifference = 0.0;
    int32_t largestTapNo = 0;
    int largestDirection = -1;
    // Pearson's coefficient between the shown and the reference values. Not available (false)
    // for fewer than two pairs or when either side's values are all equal.
    bool hasCorrelation = false;
    double correlation = 0.0;
};

struct CFaceAgreement {
    int face = 0;
    CAgreement figures;
};

struct CAgreementTable {
    int direction = -1;                 // -1: over all directions
    std::vector<CFaceAgreement> faces;  // ascending face id: every face with a matched tap
    CAgreement building;                // every matched tap, faces or not
};

// The figures for one direction (0..N-1) or, with -1 (or any other index), over all directions.
// faceOfTap gives the face of each entry of comparison.matching.taps (e.g. the surface of its
// panel); entries beyond it and negative ids belong to no face and count for the building only.
CAgreementTable ComputeAgreement(const CComparison& comparison, const std::vector<int>& faceOfTap,
                                 int direction);

// ---- CSV ----

// The figures as CSV text for the clipboard or a file: UTF-8 (the UI's Japanese words, all of
// them in CP932, so Utf8ToCp932 turns the text into a file the program's other CSV files are
// like), CR LF line ends. First the two data sets' names, the difference's definition and the
// matching, then one row per face and one for the building per table. Numbers are "%g" in the
// C locale; a figure that is not available is an empty cell. faceName names a face id ("%d"
// when not given); names with a comma or quote are quoted.
std::string MakeAgreementCsv(const std::vector<CAgreementTable>& tables,
                             const CComparison& comparison, const std::string& shownName,
                             const std::string& referenceName,
                             const std::function<std::string(int)>& faceName = {});
