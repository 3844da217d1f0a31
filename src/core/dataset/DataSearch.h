#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CHeaderFile;

// Data sets of the listed data folders, and the keyword search over their headers and
// document file names. A data set is a direct subfolder of a data folder that holds a readable
// "header"; its name is the subfolder's name.
namespace kzv {

// The fields the search can look at, in the order the search dialog lists them.
enum class SearchField {
    DataName,
    Title,
    Affiliation,
    Measurer,
    Manager,
    Summary,
    BuildingShape,
    RoofShape,
    BuildingSize,
    AdjacentCondition,
    DocumentNames,  // names of all files in the data set's subfolders, at any depth
};
constexpr int kSearchFieldCount = 11;

struct DataSearchQuery {
    std::string keyword1;  // UTF-8, as typed
    std::string keyword2;  // UTF-8; empty means "no second keyword"
    std::array<bool, kSearchFieldCount> fields{true, true, true, true, true, true,
                                               true, true, true, true, true};
    bool& Field(SearchField f) { return fields[static_cast<size_t>(f)]; }
    bool Field(SearchField f) const { return fields[static_cast<size_t>(f)]; }
};

// Names of the data sets in folder, in the order of FindSubfolders.
std::vector<std::string> ListDataSets(const std::string& folder);

// A subfolder of a data folder as the data-folder dialog lists it.
struct ListedDataSet {
    std::string name;
    bool headerReadable = true;
};
// The data sets of ListDataSets and, in their place among them, the subfolders that look like
// a data set but whose header cannot be read: those holding an entry named "header" or
// "main.geo" (of any kind), marked so the user sees them rather than missing them. Other
// subfolders (documents, pictures) are left out.
std::vector<ListedDataSet> ListDataSetsMarkingBroken(const std::string& folder);

// Case-sensitive substring test of a UTF-8 keyword in a text from a file (header field or
// file name: CP932 or UTF-8 bytes). The text is decoded first, so a keyword only ever matches
// whole characters, never the trail byte of one double-byte character and the lead byte of
// the next. An empty keyword occurs everywhere.
bool TextContains(std::string_view fileText, std::string_view keyword);

// True when the name of some file below a subfolder of the data set (at any depth) contains
// keyword, and the name of some such file (the same or another) contains keyword2 unless that
// is empty; one walk looks for both. Files lying directly in the data-set folder are not
// looked at.
bool DocumentNameContains(const std::string& dataSetPath, const std::string& keyword,
                          const std::string& keyword2 = std::string());

// The match rule: keyword 1 must not be empty, and either some checked header field (or the
// data-set name) holds keyword 1 and, if given, keyword 2 in that same field; or, with the
// document names checked, some document name holds keyword 1 and some (maybe other) document
// name holds keyword 2 if given. dataSetPath is the data set's folder (with or without '/').
bool DataSetMatches(const std::string& dataSetPath, const CHeaderFile& header,
                    const DataSearchQuery& query);

// How far a search has come: called on the searching thread with (0, total) once the folders
// are listed, then with (done, total) as their subfolders are looked at, done rising to total
// (by one at a time for a small search; a large one has helper threads and may skip counts),
// total being the number of subfolders of all the folders. Returning false stops the search.
using SearchProgress = std::function<bool(size_t done, size_t total)>;

// Searches every data set of every folder, folders in the given order and data sets in the
// order of ListDataSets. Returns the paths of the matching data sets (folder, '/', name;
// without a trailing '/'). Folders that do not exist give nothing. With progress, a search
// stopped by it returns what it had found so far and sets *stopped (when given); a search
// that ran to its end clears it.
std::vector<std::string> SearchDataSets(const std::vector<std::string>& dataFolders,
                                        const DataSearchQuery& query,
                                        const SearchProgress& progress = nullptr,
                                        bool* stopped = nullptr);

}  // namespace kzv
