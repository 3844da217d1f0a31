// The committed sample data sets under samples/ and the large benchmark set: they must match
// what the generator writes today, read cleanly with the program's own readers, and form
// consistent data sets (every mesh corner a tap on the building surface, Cp plausible).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include "SampleGen.h"
#include "SampleModel.h"
#include "TempDir.h"
#include "dataset/CpFile.h"
#include "dataset/Geometry.h"
#include "dataset/HeaderFile.h"
#include "dataset/LoadReport.h"
#include "dataset/MeasurePosFile.h"
#include "dataset/MeshFile.h"
#include "dataset/ValueTables.h"
#include "text/CodePage.h"

namespace fs = std::filesystem;
using kzv::samplegen::Vec3;

namespace {

struct Expected {
    const char* name;
    int directions;
    bool crlf;
    std::set<int32_t> missing;  // taps in measure.pos and mesh.msh without a cp.dat record
    bool documents;
    bool statistics;  // cpmax.dat, cpmin.dat, cprms.dat, cppeakmax.dat, cppeakmin.dat
};

const Expected kSets[] = {
    {"tower", 16, true, {346}, true, false},
    {"gable", 8, false, {}, false, true},
    {"lshape", 32, true, {728}, true, true},
};

// Reads the statistics tables of a data set with the program's reader: all five or none are
// there, none is refused, and every value is consistent with the mean and the others.
// Returns the deepest suction peak.
double CheckStatistics(const fs::path& folder, const CCpFile& mean, bool expected) {
    CValueTables tables;
    std::vector<CRefusedTable> refused;
    tables.Read(folder.string(), mean, &refused);
    for (const CRefusedTable& r : refused) {
        ADD_FAILURE() << r.reason;
    }
    double deepest = 0.0;
    for (int k = 1; k < kFileQuantityCount; ++k) {
        EXPECT_EQ(tables.Has(ValueQuantityAt(k)), expected)
            << ValueQuantityFileName(ValueQuantityAt(k));
    }
    if (!expected) {
        return deepest;
    }
    const int n = mean.m_nDirectionCount;
    size_t inconsistent = 0;
    for (size_t i = 0; i < mean.m_aTapNo.size(); ++i) {
        for (int d = 0; d < n; ++d) {
            const auto v = [&](EValueQuantity q) {
                return tables.ValueOfRecord(q, mean, static_cast<int>(i), d);
            };
            const double m = v(EValueQuantity::Mean);
            const bool ok = v(EValueQuantity::PeakMin) < v(EValueQuantity::Min) &&
                            v(EValueQuantity::Min) <= m && m <= v(EValueQuantity::Max) &&
                            v(EValueQuantity::Max) < v(EValueQuantity::PeakMax) &&
                            v(EValueQuantity::Rms) > 0.0;
            inconsistent += ok ? 0 : 1;
            deepest = std::min(deepest, v(EValueQuantity::PeakMin));
        }
    }
    EXPECT_EQ(inconsistent, 0u);
    return deepest;
}

fs::path SetFolder(const Expected& set) {
    return fs::path(KZV_SAMPLES_DIR) / set.name;
}

std::string SetFile(const Expected& set, const char* name) {
    return (SetFolder(set) / name).string();
}

// Reads measure.pos and mesh.msh of the data set in folder, and cp.dat when cp is given.
void ReadTables(const fs::path& folder, CCpFile* cp, CMeasurePosFile& pos, CMeshFile& mesh) {
    if (cp != nullptr) {
        ASSERT_TRUE(cp->Read((folder / "cp.dat").string().c_str()));
    }
    ASSERT_TRUE(pos.Read((folder / "measure.pos").string().c_str()));
    ASSERT_TRUE(mesh.Read((folder / "mesh.msh").string().c_str()));
}

// Relative path -> bytes of every file under the set folders of a data folder (files lying
// directly in the data folder, such as its README, are not part of any set).
std::map<std::string, std::string> SetFiles(const fs::path& dataFolder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dataFolder)) {
        const fs::path rel = fs::relative(entry.path(), dataFolder);
        if (entry.is_regular_file() && std::distance(rel.begin(), rel.end()) > 1) {
            files[rel.generic_string()] = ReadFileBytes(entry.path());
        }
    }
    return files;
}

Vec3 ToV3(const CVector4& v) {
    return {v.x, v.y, v.z};
}

// Newell normal of a polygon (any length; points away from the side it runs clockwise on).
Vec3 PolygonNormal(const std::vector<Vec3>& p) {
    Vec3 n{0, 0, 0};
    for (size_t i = 0; i < p.size(); ++i) {
        const Vec3& a = p[i];
        const Vec3& b = p[(i + 1) % p.size()];
        n.x += (a.y - b.y) * (a.z + b.z);
        n.y += (a.z - b.z) * (a.x + b.x);
        n.z += (a.x - b.x) * (a.y + b.y);
    }
    const double len = Length(n);
    return {n.x / len, n.y / len, n.z / len};
}

// Whether q lies on the convex planar polygon (within tol millimetres).
bool OnFace(const std::vector<Vec3>& face, const Vec3& n, const Vec3& q, double tol) {
    if (std::fabs(Dot(q - face[0], n)) > tol) {
        return false;
    }
    for (size_t i = 0; i < face.size(); ++i) {
        const Vec3 edge = face[(i + 1) % face.size()] - face[i];
        if (Dot(Cross(edge, q - face[i]), n) / Length(edge) < -tol) {
            return false;
        }
    }
    return true;
}

TEST(SampleSets, RegeneratedFilesAreByteIdenticalToCommittedOnes) {
    TempDir dir;
    std::string error;
    ASSERT_TRUE(kzv::samplegen::WriteSampleDataSets(dir.Path().string(), &error)) << error;
    const auto fresh = SetFiles(dir.Path());
    const auto committed = SetFiles(KZV_SAMPLES_DIR);
    ASSERT_FALSE(fresh.empty());
    for (const auto& [name, bytes] : fresh) {
        const auto it = committed.find(name);
        ASSERT_NE(it, committed.end()) << name << " is generated but not committed";
        EXPECT_TRUE(it->second == bytes) << name << " differs: regenerate samples/";
    }
    for (const auto& entry : committed) {
        EXPECT_EQ(fresh.count(entry.first), 1u) << entry.first << " is no longer generated";
    }
}

TEST(SampleSets, ReadWithTheProgramsReadersAndAreConsistent) {
    std::set<int> directionCounts;
    size_t triangles = 0, quads = 0;
    for (const Expected& set : kSets) {
        SCOPED_TRACE(set.name);
        CCpFile cp;
        CMeasurePosFile pos;
        CMeshFile mesh;
        ASSERT_NO_FATAL_FAILURE(ReadTables(SetFolder(set), &cp, pos, mesh));
        EXPECT_EQ(cp.m_nDirectionCount, set.directions);
        directionCounts.insert(cp.m_nDirectionCount);
        EXPECT_GE(pos.m_aTapNo.size(), 100u);
        EXPECT_LE(pos.m_aTapNo.size(), 500u);
        EXPECT_EQ(std::set<int32_t>(pos.m_aTapNo.begin(), pos.m_aTapNo.end()).size(),
                  pos.m_aTapNo.size())
            << "tap numbers repeat in measure.pos";

        // Every mesh corner is a tap with a position, and every tap is a corner.
        std::set<int32_t> corners;
        for (int p = 0; p < mesh.GetPanelCount(); ++p) {
            const int n = mesh.m_aNodeCount[static_cast<size_t>(p)];
            (n == 3 ? triangles : quads) += 1;
            for (int k = 0; k < n; ++k) {
                const int32_t tap = mesh.GetNodeTapNo(p, k);
                EXPECT_GE(pos.FindTap(tap), 0) << "corner tap " << tap << " has no position";
                corners.insert(tap);
            }
        }
        EXPECT_EQ(corners, std::set<int32_t>(pos.m_aTapNo.begin(), pos.m_aTapNo.end()));

        // Cp records: exactly the taps of measure.pos but the deliberately missing ones.
        std::set<int32_t> withoutRecord;
        for (int32_t tap : pos.m_aTapNo) {
            if (cp.FindRecord(tap) < 0) {
                withoutRecord.insert(tap);
                EXPECT_EQ(cp.GetCp(tap, set.directions - 1), NO_VALUE);
            }
        }
        EXPECT_EQ(withoutRecord, set.missing);
        EXPECT_EQ(cp.m_aTapNo.size() + set.missing.size(), pos.m_aTapNo.size());
        const auto [lo, hi] = std::minmax_element(cp.m_aCp.begin(), cp.m_aCp.end());
        EXPECT_GT(*lo, -1.8);
        EXPECT_LT(*lo, -1.2) << "no edge suction";
        EXPECT_GT(*hi, 0.6) << "no windward pressure";
        EXPECT_LT(*hi, 1.0);
        const double deepest = CheckStatistics(SetFolder(set), cp, set.statistics);
        if (set.statistics) {
            EXPECT_LT(deepest, -3.0) << "no corner or eave suction peaks";
            EXPECT_GT(deepest, -8.0);
        }

        CHeaderFile header;
        ASSERT_TRUE(header.Read(SetFile(set, "header").c_str()));
        EXPECT_FALSE(kzv::IsValidUtf8(header.m_strTitle)) << "header is not in CP932";
        EXPECT_NE(kzv::Cp932ToUtf8(header.m_strTitle).find("風圧"), std::string::npos);
        EXPECT_GE(std::count(header.m_strSummary.begin(), header.m_strSummary.end(), '\n'), 2);
        EXPECT_FALSE(header.m_strAdjacentCondition.empty());

        CGeometry sub;
        EXPECT_TRUE(sub.Load(SetFile(set, "sub.geo").c_str()));
        const bool hasDocs = fs::is_directory(fs::path(SetFile(set, "Documents")));
        EXPECT_EQ(hasDocs, set.documents);
        if (hasDocs) {
            EXPECT_FALSE(fs::is_empty(fs::path(SetFile(set, "Documents"))));
        }
    }
    EXPECT_EQ(directionCounts, (std::set<int>{8, 16, 32}));
    EXPECT_GT(triangles, 0u);
    EXPECT_GT(quads, 0u);
}

TEST(SampleSets, LoadWithoutAnythingToReport) {
    for (const Expected& set : kSets) {
        SCOPED_TRACE(set.name);
        kzv::CLoadReport report;
        CMeasurePosFile pos;
        CMeshFile mesh;
        EXPECT_TRUE(CHeaderFile().Read(SetFile(set, "header").c_str(), &report.header));
        EXPECT_TRUE(CGeometry().Load(SetFile(set, "main.geo").c_str(), &report.mainGeo));
        EXPECT_TRUE(CGeometry().Load(SetFile(set, "sub.geo").c_str(), &report.subGeo));
        EXPECT_TRUE(pos.Read(SetFile(set, "measure.pos").c_str(), &report.measurePos));
        EXPECT_TRUE(CCpFile().Read(SetFile(set, "cp.dat").c_str(), &report.cpDat));
        EXPECT_TRUE(mesh.Read(SetFile(set, "mesh.msh").c_str(), &report.meshMsh));
        kzv::CheckMeshAgainstPositions(report, pos, mesh);
        EXPECT_EQ(kzv::LoadReportMessage(report), "");
    }
}

// Taps lie on the faces of main.geo; each panel lies on one face and winds the same way, so
// the view's panel normals point out of the building.
TEST(SampleSets, PanelsLieOnTheBuildingFacesFacingOutwards) {
    for (const Expected& set : kSets) {
        SCOPED_TRACE(set.name);
        CGeometry geo;
        CMeasurePosFile pos;
        CMeshFile mesh;
        ASSERT_TRUE(geo.Load(SetFile(set, "main.geo").c_str()));
        ASSERT_NO_FATAL_FAILURE(ReadTables(SetFolder(set), nullptr, pos, mesh));
        std::vector<std::vector<Vec3>> faces;
        for (const CGeometryObject& obj : geo.m_objects) {
            for (const CGeometryFace& face : obj.m_faces) {
                std::vector<Vec3> f;
                for (const CVector4& v : face.m_vertices) {
                    f.push_back(ToV3(v));
                }
                faces.push_back(f);
            }
        }
        ASSERT_FALSE(faces.empty());
        for (int p = 0; p < mesh.GetPanelCount(); ++p) {
            std::vector<Vec3> corners;
            for (int k = 0; k < mesh.m_aNodeCount[static_cast<size_t>(p)]; ++k) {
                corners.push_back(ToV3(pos.GetPosition(mesh.GetNodeTapNo(p, k))));
            }
            const Vec3 panelNormal = PolygonNormal(corners);
            bool found = false;
            for (const auto& face : faces) {
                const Vec3 n = PolygonNormal(face);
                found = std::all_of(corners.begin(), corners.end(),
                                    [&](const Vec3& c) { return OnFace(face, n, c, 0.5); }) &&
                        Dot(n, panelNormal) > 0.999;
                if (found) {
                    break;
                }
            }
            EXPECT_TRUE(found) << "panel " << mesh.m_aPanelNo[static_cast<size_t>(p)]
                               << " is not on one face of main.geo, or faces inwards";
        }
    }
}

// Direction 0 is wind from -y towards +y, the way the viewer's wind arrow points; a quarter
// turn later the wind comes from -x.
TEST(SampleSets, TowerWindwardFaceFollowsTheDirectionConvention) {
    const Expected& tower = kSets[0];
    CCpFile cp;
    CMeasurePosFile pos;
    ASSERT_TRUE(cp.Read(SetFile(tower, "cp.dat").c_str()));
    ASSERT_TRUE(pos.Read(SetFile(tower, "measure.pos").c_str()));
    auto meanOnWall = [&](int d, bool (*onWall)(const CVector4&)) {
        double sum = 0.0;
        int n = 0;
        for (size_t i = 0; i < pos.m_aTapNo.size(); ++i) {
            const double v = cp.GetCp(pos.m_aTapNo[i], d);
            if (v < NO_VALUE && pos.m_aPos[i].z < 59999.0f && onWall(pos.m_aPos[i])) {
                sum += v;
                ++n;
            }
        }
        return sum / n;
    };
    // Corner taps belong to the neighbouring wall as well: leave them out.
    auto south = [](const CVector4& p) { return p.y < -9999.0f && std::fabs(p.x) < 9999.0f; };
    auto north = [](const CVector4& p) { return p.y > 9999.0f && std::fabs(p.x) < 9999.0f; };
    auto west = [](const CVector4& p) { return p.x < -9999.0f && std::fabs(p.y) < 9999.0f; };
    EXPECT_GT(meanOnWall(0, south), 0.3);
    EXPECT_LT(meanOnWall(0, north), -0.2);
    EXPECT_GT(meanOnWall(4, west), 0.3);
    EXPECT_LT(meanOnWall(4, south), -0.3);
}

TEST(SampleSets, LineEndsAndLineLengthsAreAsTheFormatsRequire) {
    for (const Expected& set : kSets) {
        SCOPED_TRACE(set.name);
        std::vector<std::string> names = {"cp.dat", "measure.pos", "mesh.msh",
                                          "header", "main.geo",    "sub.geo"};
        for (int k = 1; set.statistics && k < kFileQuantityCount; ++k) {
            names.push_back(ValueQuantityFileName(ValueQuantityAt(k)));
        }
        for (const std::string& name : names) {
            SCOPED_TRACE(name);
            const std::string bytes = ReadFileBytes(SetFile(set, name.c_str()));
            ASSERT_FALSE(bytes.empty());
            ASSERT_EQ(bytes.back(), '\n');
            std::istringstream lines(bytes);
            std::string line;
            while (std::getline(lines, line)) {
                const bool cr = !line.empty() && line.back() == '\r';
                EXPECT_EQ(cr, set.crlf) << "line: " << line;
                EXPECT_LE(line.size() - (cr ? 1 : 0), 511u);
            }
        }
        const std::string cp = ReadFileBytes(SetFile(set, "cp.dat"));
        if (!set.missing.empty()) {
            EXPECT_NE(cp.find("\n#"), std::string::npos) << "no comment lines";
        }
    }
}

TEST(SampleLarge, HasExactlyTheRequestedTapsAndDirections) {
    const struct { int taps, directions; } cases[] = {{20000, 32}, {137, 8}, {20, 16}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.taps) + " taps");
        TempDir dir;
        std::string error;
        ASSERT_TRUE(
            kzv::samplegen::WriteLargeDataSet(dir.Path().string(), c.taps, c.directions, &error))
            << error;
        CCpFile cp;
        CMeasurePosFile pos;
        CMeshFile mesh;
        ASSERT_NO_FATAL_FAILURE(ReadTables(dir.Path(), &cp, pos, mesh));
        EXPECT_EQ(cp.m_nDirectionCount, c.directions);
        EXPECT_EQ(pos.m_aTapNo.size(), static_cast<size_t>(c.taps));
        EXPECT_EQ(cp.m_aTapNo.size(), static_cast<size_t>(c.taps));
        CheckStatistics(dir.Path(), cp, true);
        std::set<int32_t> corners;
        for (int32_t tap : mesh.m_aNodeTapNo) {
            corners.insert(tap);
        }
        EXPECT_EQ(corners, std::set<int32_t>(pos.m_aTapNo.begin(), pos.m_aTapNo.end()));
    }
}

TEST(SampleLarge, RejectsCountsItCannotWrite) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(kzv::samplegen::WriteLargeDataSet(dir.Path().string(), 10, 8, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(kzv::samplegen::WriteLargeDataSet(dir.Path().string(), 1000, 12, &error));
    EXPECT_FALSE(kzv::samplegen::WriteLargeDataSet(dir.Path().string(), 1000, 72, &error));
    EXPECT_TRUE(fs::is_empty(dir.Path()));
}

}  // namespace
