#include "dataset/DataSearch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <string_view>
#include <thread>
#include <utility>

#include "dataset/FolderUtil.h"
#include "dataset/HeaderFile.h"
#include "text/CodePage.h"

namespace fs = std::filesystem;

namespace kzv {

namespace {

bool ReadHeaderOf(const std::string& dataSetPath, CHeaderFile& header) {
    return header.Read(JoinPath(dataSetPath, "header").c_str());
}

// Walks the files below one folder depth first until names holding both keywords have been
// seen (an empty second keyword counts as seen), and stops there. Whether both are found does
// not depend on the order, so entries are taken in directory order, unsorted.
class DocumentWalk {
public:
    DocumentWalk(const std::string& keyword1, const std::string& keyword2)
        : m_keyword1(keyword1), m_keyword2(keyword2), m_found2(keyword2.empty()) {}

    // True once both keywords have been seen, in the folder name of the open folder parentFd
    // or an earlier one.
    bool FolderHolds(int parentFd, const char* name) {
        std::vector<std::string> subfolders;
        int fd = -1;
        ForEachEntryAt(
            parentFd, name,
            [&](const DirEntry& entry) {
                if (entry.isFolder) {
                    // A link to a folder may lead anywhere (a "Documents" link to "/" would
                    // search the whole disk, one back up the tree forever): the walk stays
                    // in the data set's own folders.
                    if (!entry.isLink) {
                        subfolders.emplace_back(entry.name);
                    }
                    return true;
                }
                const std::string_view bytes(entry.name);
                const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) {
                    return static_cast<unsigned char>(c) < 0x80;
                });
                if (ascii) {  // the same in every code page: no decoding
                    m_found1 = m_found1 || bytes.find(m_keyword1) != std::string_view::npos;
                    m_found2 = m_found2 || bytes.find(m_keyword2) != std::string_view::npos;
                } else {
                    const std::string text = FileTextToUtf8(bytes);
                    m_found1 = m_found1 || text.find(m_keyword1) != std::string::npos;
                    m_found2 = m_found2 || text.find(m_keyword2) != std::string::npos;
                }
                return !(m_found1 && m_found2);
            },
            &fd);
        bool holds = m_found1 && m_found2;
        for (size_t i = 0; i < subfolders.size() && !holds; ++i) {
            holds = FolderHolds(fd, subfolders[i].c_str());
        }
        if (fd >= 0) {
            ::close(fd);
        }
        return holds;
    }

private:
    const std::string& m_keyword1;
    const std::string& m_keyword2;
    bool m_found1 = false;
    bool m_found2;
};

}  // namespace

std::vector<std::string> ListDataSets(const std::string& folder) {
    std::vector<std::string> names;
    CHeaderFile header;
    for (const std::string& name : FindSubfolders(folder)) {
        if (ReadHeaderOf(JoinPath(folder, name), header)) {
            names.push_back(name);
        }
    }
    return names;
}

std::vector<ListedDataSet> ListDataSetsMarkingBroken(const std::string& folder) {
    std::vector<ListedDataSet> sets;
    CHeaderFile header;
    for (const std::string& name : FindSubfolders(folder)) {
        const std::string path = JoinPath(folder, name);
        if (ReadHeaderOf(path, header)) {
            sets.push_back({name, true});
            continue;
        }
        // lstat: a dangling link named "header" still shows the set was meant to be one.
        struct stat st {};
        if (::lstat(JoinPath(path, "header").c_str(), &st) == 0 ||
            ::lstat(JoinPath(path, "main.geo").c_str(), &st) == 0) {
            sets.push_back({name, false});
        }
    }
    return sets;
}

bool TextContains(std::string_view fileText, std::string_view keyword) {
    if (keyword.empty()) {
        return true;
    }
    // Both sides are well-formed UTF-8 here, whose lead and trail bytes never look alike, so
    // a byte-wise match always starts and ends on character boundaries.
    return FileTextToUtf8(fileText).find(keyword) != std::string::npos;
}

namespace {

// DocumentNameContains for the data-set folder open (for reading) as setFd.
bool DocumentNamesIn(int setFd, const std::string& keyword, const std::string& keyword2) {
    DocumentWalk walk(keyword, keyword2);
    std::vector<std::string> subfolders;
    ForEachEntryOf(setFd, [&subfolders](const DirEntry& entry) {
        if (entry.isFolder && !entry.isLink) {
            subfolders.emplace_back(entry.name);
        }
        return true;
    });
    bool holds = false;
    for (size_t i = 0; i < subfolders.size() && !holds; ++i) {
        holds = walk.FolderHolds(setFd, subfolders[i].c_str());
    }
    return holds;
}

// The header half of DataSetMatches: the data-set name and the checked header fields.
bool HeaderMatches(const std::string& dataSetPath, const CHeaderFile& header,
                   const DataSearchQuery& query);

}  // namespace

bool DocumentNameContains(const std::string& dataSetPath, const std::string& keyword,
                          const std::string& keyword2) {
    const std::string root = WithoutTrailingSlash(dataSetPath);
    const int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    const bool holds = DocumentNamesIn(fd, keyword, keyword2);
    ::close(fd);
    return holds;
}

bool DataSetMatches(const std::string& dataSetPath, const CHeaderFile& header,
                    const DataSearchQuery& query) {
    return HeaderMatches(dataSetPath, header, query) ||
           (!query.keyword1.empty() && query.Field(SearchField::DocumentNames) &&
            DocumentNameContains(dataSetPath, query.keyword1, query.keyword2));
}

namespace {

bool HeaderMatches(const std::string& dataSetPath, const CHeaderFile& header,
                   const DataSearchQuery& query) {
    if (query.keyword1.empty()) {
        return false;
    }
    const std::string name = LastPathComponent(dataSetPath);
    const std::pair<SearchField, const std::string*> fields[] = {
        {SearchField::DataName, &name},
        {SearchField::Title, &header.m_strTitle},
        {SearchField::Affiliation, &header.m_strAffiliation},
        {SearchField::Measurer, &header.m_strMeasurer},
        {SearchField::Manager, &header.m_strManager},
        {SearchField::Summary, &header.m_strSummary},
        {SearchField::BuildingShape, &header.m_strBuildingShape},
        {SearchField::RoofShape, &header.m_strRoofShape},
        {SearchField::BuildingSize, &header.m_strBuildingSize},
        {SearchField::AdjacentCondition, &header.m_strAdjacentCondition},
    };
    for (const auto& [field, text] : fields) {
        if (!query.Field(field)) {
            continue;
        }
        const std::string decoded = FileTextToUtf8(*text);  // once for both keywords
        if (decoded.find(query.keyword1) != std::string::npos &&
            decoded.find(query.keyword2) != std::string::npos) {
            return true;
        }
    }
    return false;
}

}  // namespace

namespace {

// Whether the data set at path (a folder of a data folder) has a readable header and matches
// the query; header is the caller's to reuse.
bool SetMatches(const std::string& path, const DataSearchQuery& query, CHeaderFile& header) {
    // The data set's folder is opened once, for its header and its documents, so its path is
    // looked up once. A folder that may be entered but not listed is read by path as before.
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return ReadHeaderOf(path, header) && DataSetMatches(path, header, query);
    }
    const bool match =
        header.ReadAt(fd, "header") && (HeaderMatches(path, header, query) ||
                                        (query.Field(SearchField::DocumentNames) &&
                                         DocumentNamesIn(fd, query.keyword1, query.keyword2)));
    ::close(fd);
    return match;
}

// From this many data sets on, helper threads look at data sets too: the time goes into the
// kernel's folder and file look-ups, which run side by side on several cores.
constexpr size_t kParallelFrom = 64;
constexpr unsigned kMostThreads = 4;

}  // namespace

std::vector<std::string> SearchDataSets(const std::vector<std::string>& dataFolders,
                                        const DataSearchQuery& query,
                                        const SearchProgress& progress, bool* stopped) {
    std::vector<std::string> results;
    if (stopped != nullptr) {
        *stopped = false;
    }
    if (query.keyword1.empty()) {
        return results;  // nothing can match; spare reading every header
    }
    // Every folder listed first, so that progress can tell how far the search has come.
    std::vector<std::string> paths;
    for (const std::string& folder : dataFolders) {
        for (const std::string& name : FindSubfolders(folder)) {
            paths.push_back(JoinPath(folder, name));
        }
    }
    const size_t total = paths.size();
    if (progress && !progress(0, total)) {
        if (stopped != nullptr) {
            *stopped = true;
        }
        return results;
    }

    // Data sets are taken in order by whoever is free; each one's verdict has its own slot
    // (0 not looked at, 1 no match, 2 match), so the results keep the folders' order. Only the
    // calling thread reports progress.
    std::vector<char> verdict(total, 0);
    std::atomic<size_t> next{0};
    std::atomic<size_t> finished{0};
    std::atomic<bool> halt{false};
    auto lookAtOne = [&](CHeaderFile& header) {
        const size_t i = next++;
        if (i >= total) {
            return false;
        }
        verdict[i] = SetMatches(paths[i], query, header) ? 2 : 1;
        ++finished;
        return true;
    };
    std::vector<std::thread> helpers;
    if (total >= kParallelFrom) {
        const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
        for (unsigned t = 1; t < std::min(cores, kMostThreads); ++t) {
            helpers.emplace_back([&] {
                CHeaderFile header;
                while (!halt && lookAtOne(header)) {
                }
            });
        }
    }
    CHeaderFile header;
    size_t reported = 0;
    bool halted = false;
    while (lookAtOne(header)) {
        reported = finished;
        if (progress && !progress(reported, total)) {
            halt = halted = true;
            break;
        }
    }
    for (std::thread& helper : helpers) {
        helper.join();
    }
    if (!halted && progress && reported < total) {
        progress(total, total);  // the helpers finished the last ones
    }
    if (halted && stopped != nullptr) {
        *stopped = true;
    }
    for (size_t i = 0; i < total; ++i) {
        if (verdict[i] == 2) {
            results.push_back(std::move(paths[i]));
        }
    }
    return results;
}

}  // namespace kzv
