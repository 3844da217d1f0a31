// Every reader of a data set over files it was never meant to read: the hand-made nasty files
// and the fuzzers' findings in tests/data/hostile/, plus large ones made here. A reader must
// not crash, must not read outside its tables, and must leave its tables aligned.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Checks.h"
#include "TempDir.h"
#include "dataset/CpFile.h"
#include "dataset/Geometry.h"
#include "dataset/HeaderFile.h"
#include "dataset/MeasurePosFile.h"
#include "dataset/MeshFile.h"
#include "geometry/VectorFunctions.h"
#include "state/SettingsFile.h"
#include "state/ViewState.h"
#include "text/CodePage.h"

namespace fs = std::filesystem;

namespace {

void ReadWithEveryReader(const std::string& path) {
    SCOPED_TRACE(path);

    CCpFile cp;
    const bool cpOk = cp.Read(path.c_str());
    EXPECT_GT(cp.m_nDirectionCount, 0);
    EXPECT_EQ(cp.m_nDirectionCount % 8, 0);
    EXPECT_EQ(cp.m_aCp.size(), cp.m_aTapNo.size() * static_cast<size_t>(cp.m_nDirectionCount));
    EXPECT_TRUE(cpOk || cp.m_aTapNo.empty());
    for (int32_t tap : cp.m_aTapNo) {
        (void)cp.GetCp(tap, cp.m_nDirectionCount - 1);
    }

    CMeasurePosFile pos;
    pos.Read(path.c_str());
    EXPECT_EQ(pos.m_aTapNo.size(), pos.m_aPos.size());
    pos.RotateAboutZ(DegToRad(30));

    CMeshFile mesh;
    mesh.Read(path.c_str());
    ASSERT_NO_FATAL_FAILURE(ExpectMeshAligned(mesh));

    CHeaderFile header;
    if (header.Read(path.c_str())) {
        EXPECT_TRUE(kzv::IsValidUtf8(kzv::FileTextToUtf8(header.m_strSummary)));
    }

    CGeometry geo;
    const bool geoOk = geo.Load(path.c_str());
    EXPECT_TRUE(geoOk || geo.m_objects.empty());
    (void)geo.GetSize();
    geo.RotateAboutZ(DegToRad(45));

    CViewState state;
    const std::string before = MakeSettingsFileBytes(state);
    if (!ReadSettingsFile(path, state, nullptr)) {
        EXPECT_EQ(MakeSettingsFileBytes(state), before);  // a failed read changes nothing
    }
}

TEST(HostileInput, CommittedFilesReadThroughEveryReader) {
    const fs::path dir = fs::path(KZV_TEST_DATA_DIR) / "hostile";
    ASSERT_TRUE(fs::is_directory(dir));
    int files = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
        if (e.is_regular_file()) {
            ReadWithEveryReader(e.path().string());
            ++files;
        }
    }
    EXPECT_GT(files, 10);
}

TEST(HostileInput, MadeFilesReadThroughEveryReader) {
    TempDir dir;
    const std::vector<std::string> tags = {"CP_FILE,1\n8\n", "MEASUREPOS_FILE,1\n", "MESH_FILE,1\n",
                                           "HEADER_FILE,1\n", "GEOMETRY_FILE,1\n0,0\n1\nA\n1\n3\n"};
    std::string binary;
    for (int i = 0; i < 70000; ++i) {
        binary += static_cast<char>((i * 7919) & 0xFF);
    }
    for (size_t t = 0; t < tags.size(); ++t) {
        const std::string n = std::to_string(t);
        ReadWithEveryReader(dir.Write("long-line" + n, tags[t] + std::string(10u << 20, '1')));
        ReadWithEveryReader(dir.Write("nul" + n, tags[t] + std::string(4096, '\0') + "\nEOF\n"));
        ReadWithEveryReader(dir.Write("binary" + n, tags[t] + binary));
        ReadWithEveryReader(dir.Write("commas" + n, tags[t] + std::string(100000, ',') + "\n"));
        ReadWithEveryReader(dir.Write("lines" + n, tags[t] + std::string(100000, '\n')));
    }
    ReadWithEveryReader(dir.Path().string());  // a folder, not a file
}

}  // namespace
