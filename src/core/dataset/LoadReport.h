#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dataset/FileReadInfo.h"

class CMeasurePosFile;
class CMeshFile;

namespace kzv {

// What one load of a data set could not read, file by file, and what does not fit together
// across its files: the content of the one message the user gets after the load. The load
// goes on with whatever was read; this only says what is missing.
struct CLoadReport {
    // Filled by the readers (the info argument of Read / Load); "header" by the data-folder
    // dialog's read, when it has one to pass on.
    CFileReadInfo header;
    CFileReadInfo mainGeo;
    CFileReadInfo subGeo;
    CFileReadInfo measurePos;
    CFileReadInfo cpDat;
    CFileReadInfo meshMsh;

    // Mesh corners whose tap "measure.pos" does not place (filled by CheckMeshAgainstPositions):
    // how many corners, how many different taps, and the first such tap in mesh order.
    size_t cornersWithoutPosition = 0;
    size_t tapsWithoutPosition = 0;
    int32_t firstTapWithoutPosition = 0;

    // The value tables beside "cp.dat" that are not used, one line each with its reason.
    std::vector<std::string> refusedTables;
};

// Counts the corners of mesh whose tap number taps does not hold.
void CheckMeshAgainstPositions(CLoadReport& report, const CMeasurePosFile& taps,
                               const CMeshFile& mesh);

// Why a file could not be read, as one sentence for the user (UTF-8); tag is the file's
// first-line tag (for WrongTag), byteLimit its size limit (for TooLarge). Empty for None.
std::string FaultText(FileFault fault, const std::string& tag, uint64_t byteLimit);

// The message for the user (UTF-8): a first line saying that part of the data set could not be
// read, then one line per file with a finding ("<file name>: <what>"), the files in the order
// of the load. Empty when everything was read.
std::string LoadReportMessage(const CLoadReport& report);

}  // namespace kzv
