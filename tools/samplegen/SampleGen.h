#pragma once

#include <string>

namespace kzv::samplegen {

// Writes every bundled sample data set as a subfolder of dataFolder (created when missing):
//   tower   square high-rise, flat roof meshed with triangles, 16 directions, CR LF,
//           comments and one tap without a record in cp.dat, no neighbours, Documents/report.csv
//   gable   low-rise house with a pitched roof, triangles in the gable ends, 8 directions, LF
//           line ends, two neighbouring buildings, the statistics tables
//   lshape  L-shaped mid-rise, 32 directions, CR LF, Japanese comments and one tap without a
//           record in cp.dat, four neighbours with Japanese names, Documents/memo.txt, the
//           statistics tables
// The statistics tables beside the mean "cp.dat" are "cpmax.dat", "cpmin.dat", "cprms.dat",
// "cppeakmax.dat" and "cppeakmin.dat": the same records in the same format, values with four
// decimals (three beyond 56 directions), peakMin < min < mean < max < peakMax.
// The output depends on nothing but this code: two runs give identical bytes. On failure
// *error (when given) holds a one-line reason.
bool WriteSampleDataSets(const std::string& dataFolder, std::string* error = nullptr);

// Writes one large data set straight into folder (created when missing): a 40 m square tower
// with exactly tapCount taps (at least 20) and directionCount directions (a multiple of 8 up
// to 64, so that every cp.dat line stays within 511 characters), with the statistics tables,
// for benchmarks.
// Writes a pair for comparisons into dataFolder: "gable_neighbours" (the gable house with its two
// neighbours, whose shelter lowers the pressures and suctions on its west half for winds from the
// west) and "gable_alone" (the same house without neighbours), 8 directions each.
bool WriteNeighbourPair(const std::string& dataFolder, std::string* error = nullptr);

bool WriteLargeDataSet(const std::string& folder, int tapCount, int directionCount,
                       std::string* error = nullptr);

}  // namespace kzv::samplegen
