#pragma once

#include <cstddef>
#include <vector>

// Fitting the colour scale to the data: the data's true range, round scale ends that enclose
// it, and whether a scale leaves values outside (for the colour bar's end marks).

// The lowest and highest value; values of NO_VALUE or more and non-finite ones are left out.
// count is how many values were taken; min and max are NO_VALUE when none was.
struct CDataRange {
    double min = 0.0;
    double max = 0.0;
    size_t count = 0;

    bool Empty() const { return count == 0; }
};

// The range of every value (all directions of a table, when given its m_aCp).
CDataRange DataRange(const std::vector<double>& values);
// The range of direction d of a table laid out record by record with n values each (n >= 1,
// 0 <= d < n; otherwise empty).
CDataRange DirectionRange(const std::vector<double>& values, int n, int d);

// A fitted scale: its ends and the width of one band, (max - min) / bands.
struct CScaleFit {
    double min = -1.0;
    double max = 1.0;
    double bandWidth = 0.0;
};

// Round ends for a scale of `bands` bands (at least 1) that enclose the data:
//   - the width of a group of `bandsPerStep` bands (1 when it does not divide `bands`; pass the
//     label interval to make the labelled levels round) is a step from the rounded preferred
//     numbers 1, 1.2, 1.5, 2, 2.5, 3, 4, 5, 6, 8 x 10^k, the smallest with which the data fit
//     (a scale of a single group counts as two, as one could not hold data on both sides of
//     0 between multiples of its width);
//   - min is a whole multiple of that step, so every group's bounds are round numbers, and
//     min <= data.min, max >= data.max; where several multiples would do, the one whose ends
//     have the most trailing decimal zeros (-2.4 .. 1.2 rather than -2.52 .. 1.08), then the
//     one that leaves the data nearest the middle;
//   - symmetric: max = -min = bands x bandWidth / 2 >= the largest |value|; 0 is then a group
//     bound (with an odd group count it lies in the middle of a group, whose bounds are then
//     odd multiples of half a step).
// The ends are the nearest doubles to their decimal values (-2.4, not -2.4000000000000004).
// Degenerate data: none at all is fitted like -1 .. 1; a single value v (or all equal) like
// v -/+ 5 % of |v| (-1 .. 1 for 0), so the value lies inside a range of non-zero width.
CScaleFit FitScale(const CDataRange& data, int bands, bool symmetric, int bandsPerStep = 1);

// Which ends of the scale min .. max the data pass: a value below min or above max (a value on
// an end is inside).
struct CScaleOverflow {
    bool below = false;
    bool above = false;
};
CScaleOverflow ScaleOverflow(const CDataRange& data, double min, double max);
