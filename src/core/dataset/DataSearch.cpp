#include "dataset/DataSearch.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>
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
// seen (an empty second keyword counts as seen). Each folder is entered once per walk (keyed
// by device and inode), so a symbolic link back up the tree cannot make the walk endless.
class DocumentWalk {
public:
    DocumentWalk(const std::string& keyword1, const std::string& keyword2)
        : m_keyword1(keyword1), m_keyword2(keyword2), m_found2(keyword2.empty()) {}

    bool FolderHolds(const fs::path& folder) {
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0 || !m_visited.insert({st.st_dev, st.st_ino}).second) {
            return false;
        }
        std::vector<fs::directory_entry> entries;
        std::error_code ec;
        fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
        for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
            entries.push_back(*it);
        }
        std::sort(entries.begin(), entries.end());
        for (const fs::directory_entry& entry : entries) {
            std::error_code typeEc;
            if (entry.is_directory(typeEc)) {
                if (FolderHolds(entry.path())) {
                    return true;
                }
            } else {
                const std::string name = FileTextToUtf8(entry.path().filename().string());
                m_found1 = m_found1 || name.find(m_keyword1) != std::string::npos;
                m_found2 = m_found2 || name.find(m_keyword2) != std::string::npos;
                if (m_found1 && m_found2) {
                    return true;
                }
            }
        }
        return false;
    }

private:
    const std::string& m_keyword1;
    const std::string& m_keyword2;
    bool m_found1 = false;
    bool m_found2;
    std::set<std::pair<dev_t, ino_t>> m_visited;
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

bool DocumentNameContains(const std::string& dataSetPath, const std::string& keyword,
                          const std::string& keyword2) {
    DocumentWalk walk(keyword, keyword2);
    const fs::path root(WithoutTrailingSlash(dataSetPath));
    for (const std::string& name : FindSubfolders(root.string())) {
        if (walk.FolderHolds(root / name)) {
            return true;
        }
    }
    return false;
}

bool DataSetMatches(const std::string& dataSetPath, const CHeaderFile& header,
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
    return query.Field(SearchField::DocumentNames) &&
           DocumentNameContains(dataSetPath, query.keyword1, query.keyword2);
}

std::vector<std::string> SearchDataSets(const std::vector<std::string>& dataFolders,
                                        const DataSearchQuery& query) {
    std::vector<std::string> results;
    if (query.keyword1.empty()) {
        return results;  // nothing can match; spare reading every header
    }
    CHeaderFile header;
    for (const std::string& folder : dataFolders) {
        for (const std::string& name : FindSubfolders(folder)) {
            const std::string path = JoinPath(folder, name);
            if (ReadHeaderOf(path, header) && DataSetMatches(path, header, query)) {
                results.push_back(path);
            }
        }
    }
    return results;
}

}  // namespace kzv
