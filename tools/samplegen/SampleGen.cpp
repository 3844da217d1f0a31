#include "SampleGen.h"

namespace kzv::samplegen {
bool WriteSampleDataSets(const std::string&) { return false; }
bool WriteLargeDataSet(const std::string&, int, int) { return false; }
}  // namespace kzv::samplegen
