#pragma once

#include <string>

namespace kzv::samplegen {

// Writes every bundled sample data set as a subfolder of dataFolder (which must exist).
bool WriteSampleDataSets(const std::string& dataFolder);

// Writes one large data set (tapCount taps, the given direction count) into folder.
bool WriteLargeDataSet(const std::string& folder, int tapCount, int directionCount);

}  // namespace kzv::samplegen
