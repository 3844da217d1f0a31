// Hostile data sets made here at test time: each file loads or is refused without hanging and
// without runaway memory, and the load report names the cause. A watchdog ends a test that
// hangs; the peak memory of the process is checked against a generous bound.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "TempDir.h"
#include "Watchdog.h"
#include "dataset/CpFile.h"
#include "dataset/DataSearch.h"
#include "dataset/Geometry.h"
#include "dataset/HeaderFile.h"
#include "dataset/LineReader.h"
#include "dataset/LoadReport.h"
#include "dataset/MeasurePosFile.h"
#include "dataset/MeshFile.h"
#include "field/SceneLayout.h"
#include "state/ViewState.h"
#include "text/DisplayText.h"

namespace fs = std::filesystem;
using kzv::CFileReadInfo;
using kzv::FileFault;

namespace {

enum class Kind { Header, Geometry, MeasurePos, Cp, Mesh };
constexpr Kind kKinds[] = {Kind::Header, Kind::Geometry, Kind::MeasurePos, Kind::Cp, Kind::Mesh};

class HostileDataSet : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_LT(PeakMemoryMiB(), 1024); }

    // Reads path with the reader of kind; info receives what it could not read.
    static bool ReadAs(Kind kind, const std::string& path, CFileReadInfo& info) {
        switch (kind) {
            case Kind::Header:
                return CHeaderFile().Read(path.c_str(), &info);
            case Kind::Geometry:
                return CGeometry().Load(path.c_str(), &info);
            case Kind::MeasurePos:
                return CMeasurePosFile().Read(path.c_str(), &info);
            case Kind::Cp:
                return CCpFile().Read(path.c_str(), &info);
            case Kind::Mesh:
                return CMeshFile().Read(path.c_str(), &info);
        }
        return false;
    }

    // The user's message when the file of kind (main.geo for a geometry) gave info.
    static std::string Message(Kind kind, const CFileReadInfo& info) {
        kzv::CLoadReport report;
        CFileReadInfo* slots[] = {&report.header, &report.mainGeo, &report.measurePos,
                                  &report.cpDat, &report.meshMsh};
        *slots[static_cast<int>(kind)] = info;
        return kzv::LoadReportMessage(report);
    }

    static void ExpectRefused(Kind kind, const std::string& path, FileFault fault,
                              const std::string& words) {
        SCOPED_TRACE(path + " as kind " + std::to_string(static_cast<int>(kind)));
        CFileReadInfo info;
        EXPECT_FALSE(ReadAs(kind, path, info));
        EXPECT_EQ(info.fault, fault);
        EXPECT_NE(Message(kind, info).find(words), std::string::npos) << Message(kind, info);
    }

    Watchdog watchdog;
    TempDir dir;
};

std::string Utf16(const std::string& ascii, bool bigEndian, bool mark) {
    std::string out = mark ? (bigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
    for (char c : ascii) {
        out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return out;
}

TEST_F(HostileDataSet, SpecialFilesAreRefusedWithoutBlocking) {
    const std::string fifo = (dir.Path() / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path zero = dir.Path() / "zero";
    fs::create_symlink("/dev/zero", zero);
    fs::create_directory(dir.Path() / "folder");
    const std::string locked = dir.Write("locked", "CP_FILE,1\n8\nEOF\n");
    ::chmod(locked.c_str(), 0);
    for (Kind kind : kKinds) {
        for (const fs::path& p : {fs::path(fifo), zero, dir.Path() / "folder"}) {
            ExpectRefused(kind, p.string(), FileFault::NotRegularFile,
                          "通常のファイルではありません");
        }
        ExpectRefused(kind, (dir.Path() / "missing").string(), FileFault::Missing,
                      "ファイルがありません");
        if (::geteuid() != 0) {  // the superuser reads every file
            ExpectRefused(kind, locked, FileFault::NoPermission, "権限がありません");
        }
    }
    // A FIFO in place of a header does not stop the data-set listing.
    fs::create_directories(dir.Path() / "sets" / "a");
    ASSERT_EQ(::mkfifo((dir.Path() / "sets" / "a" / "header").c_str(), 0600), 0);
    EXPECT_TRUE(kzv::ListDataSets((dir.Path() / "sets").string()).empty());
}

TEST_F(HostileDataSet, FilesBeyondTheirKindsLimitAreRefusedUnread) {
    // Sparse files: refused by their size, before a byte is read.
    const std::string cp = dir.Write("cp.dat", "CP_FILE,1\n8\n");
    fs::resize_file(cp, kzv::kTableFileLimit + 1);
    ExpectRefused(Kind::Cp, cp, FileFault::TooLarge, "大きすぎます（上限 512 MB）");
    const std::string header = dir.Write("header", "HEADER_FILE,1\n");
    fs::resize_file(header, kzv::kHeaderFileLimit + 1);
    ExpectRefused(Kind::Header, header, FileFault::TooLarge, "大きすぎます");

    // A file that reports no size (st_size 0) but gives more bytes than the limit.
    kzv::CLineReader reader;
    EXPECT_FALSE(reader.Open("/proc/self/status", 16));
    EXPECT_EQ(reader.Fault(), FileFault::TooLarge);
}

TEST_F(HostileDataSet, WhatEditorsWriteIsReadAndUtf16IsNamed) {
    const std::string text =
        "CP_FILE,1\n8\n101,1,2,3,4,5,6,7,8\n# note\n102,8,7,6,5,4,3,2,1\nEOF\n";
    std::string crOnly = text;
    std::replace(crOnly.begin(), crOnly.end(), '\n', '\r');
    for (const std::string& variant :
         {"\xEF\xBB\xBF" + text, crOnly, "\xEF\xBB\xBF" + WithCrLf(text)}) {
        CCpFile cp;
        CFileReadInfo info;
        ASSERT_TRUE(cp.Read(dir.Write("cp.dat", variant).c_str(), &info));
        EXPECT_EQ(cp.m_aTapNo, (std::vector<int32_t>{101, 102}));
        EXPECT_DOUBLE_EQ(cp.GetCp(102, 7), 1.0);
        EXPECT_TRUE(info.Clean());
    }
    CHeaderFile header;
    ASSERT_TRUE(header.Read(
        dir.Write("header", "\xEF\xBB\xBFHEADER_FILE,1\rT\rA\rM\rG\rs1\rs2\rEND\rB\rR\rS\rC\r")
            .c_str()));
    EXPECT_EQ(header.m_strSummary, "s1\r\ns2");
    EXPECT_EQ(header.m_strAdjacentCondition, "C");
    // CR LF split between two reads of the file (64 KiB each) is still one line end.
    const std::string title(65536 - 1 - 15, 't');
    ASSERT_TRUE(
        header.Read(dir.Write("header", "HEADER_FILE,1\r\n" + title + "\r\nA\r\nM\r\n").c_str()));
    EXPECT_EQ(header.m_strAffiliation, "A");

    for (bool big : {false, true}) {
        for (bool mark : {false, true}) {
            ExpectRefused(Kind::Cp, dir.Write("cp16.dat", Utf16(text, big, mark)), FileFault::Utf16,
                          "UTF-16");
        }
    }
}

TEST_F(HostileDataSet, DecimalCommasAreNamedInsteadOfMisread) {
    CCpFile cp;
    CFileReadInfo info;
    ASSERT_TRUE(cp.Read(dir.Write("cp.dat",
                                  "CP_FILE,1\n8\n101;0,1;0,2;0,3;0,4;0,5;0,6;0,7;0,8\n"
                                  "102;1;2;3;4;5;6;7;8\nEOF\n")
                            .c_str(),
                        &info));
    EXPECT_EQ(cp.m_aTapNo, (std::vector<int32_t>{102}));  // 101 is not read as 0, 1, 0, 2, ...
    EXPECT_EQ(info.decimalCommaLines, 1u);
    EXPECT_EQ(info.firstSkippedLine, 3u);
    EXPECT_NE(Message(Kind::Cp, info).find("小数点にコンマ"), std::string::npos);

    CMeasurePosFile pos;
    ASSERT_TRUE(pos.Read(
        dir.Write("measure.pos", "MEASUREPOS_FILE,1\n1\t1,5\t2,5\t0\nEOF\n").c_str(), &info));
    EXPECT_TRUE(pos.m_aTapNo.empty());
    EXPECT_EQ(info.decimalCommaLines, 1u);

    CGeometry geo;
    ASSERT_TRUE(geo.Load(
        dir.Write("main.geo", "GEOMETRY_FILE,1\n0,0\n1\nA\n1\n3\n0,0,0\n1,5;2,5;0\n1,1,0\n")
            .c_str(),
        &info));
    ASSERT_EQ(geo.m_objects.size(), 1u);
    EXPECT_EQ(geo.m_objects[0].m_faces[0].m_vertices.size(), 1u);  // (1, 5, 2) never appears
    EXPECT_EQ(info.stoppedAtLine, 8u);
    EXPECT_EQ(info.decimalCommaLines, 1u);
    EXPECT_NE(Message(Kind::Geometry, info).find("main.geo: 8 行目が読めない"), std::string::npos);
}

TEST_F(HostileDataSet, DirectionCountsThatDisagreeWithTheRecordsAreNamed) {
    for (const char* count : {"0", "7", "9"}) {
        ExpectRefused(Kind::Cp,
                      dir.Write("cp.dat", std::string("CP_FILE,1\n") + count + "\n1,0\nEOF\n"),
                      FileFault::BadDirectionCount, "方位数");
    }
    // A count beyond what the program is made for would make every picked point cost memory
    // and time in proportion to it: refused with the limit.
    for (const char* count : {"40", "1000000", "2147483640"}) {
        ExpectRefused(Kind::Cp,
                      dir.Write("cp.dat", std::string("CP_FILE,1\n") + count + "\n1,0\nEOF\n"),
                      FileFault::TooManyDirections,
                      "方位数が多すぎます（このプログラムが扱えるのは 32 方位までです）");
    }
    CCpFile cp;
    CFileReadInfo info;
    ASSERT_TRUE(
        cp.Read(dir.Write("cp.dat", "CP_FILE,1\n32\n101,1,2,3,4,5,6,7,8\nEOF\n").c_str(), &info));
    EXPECT_TRUE(cp.m_aTapNo.empty());
    EXPECT_EQ(info.countMismatchLines, 1u);
    EXPECT_NE(Message(Kind::Cp, info)
                  .find("値の数が方位数 32 と合わない行が 1 行あります（最初の行は 8 個）"),
              std::string::npos);

    // A record longer than the line limit is named as too long, with the limit, instead of
    // being counted by its cut part.
    std::string longRecord = "102";
    while (longRecord.size() <= kzv::CLineReader::kMaxLineLength) {
        longRecord += ",1.25";
    }
    ASSERT_TRUE(cp.Read(
        dir.Write("cp.dat", "CP_FILE,1\n8\n101,1,2,3,4,5,6,7,8\n" + longRecord + "\nEOF\n").c_str(),
        &info));
    EXPECT_EQ(cp.m_aTapNo, (std::vector<int32_t>{101}));
    EXPECT_EQ(info.countMismatchLines, 0u);
    EXPECT_NE(Message(Kind::Cp, info)
                  .find("長すぎる行が 1 行あります（最初は 4 行目。1 行は 1048576 文字まで）"),
              std::string::npos)
        << Message(Kind::Cp, info);

    // More values than directions: the first N are kept, the disagreement is still named.
    ASSERT_TRUE(
        cp.Read(dir.Write("cp.dat", "CP_FILE,1\n8\n1,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16\nEOF\n")
                    .c_str(),
                &info));
    EXPECT_DOUBLE_EQ(cp.GetCp(1, 7), 8.0);
    EXPECT_EQ(info.firstMismatchValueCount, 16);

    // Cut short in the middle of a record: what was whole is kept, and both faults are named.
    ASSERT_TRUE(
        cp.Read(dir.Write("cp.dat", "CP_FILE,1\n8\n1,1,2,3,4,5,6,7,8\n2,1,2,3,").c_str(), &info));
    EXPECT_EQ(cp.m_aTapNo, (std::vector<int32_t>{1}));
    EXPECT_TRUE(info.endsEarly);
    EXPECT_EQ(info.firstSkippedLine, 4u);
    EXPECT_NE(Message(Kind::Cp, info).find("「EOF」の行がありません"), std::string::npos);
}

TEST_F(HostileDataSet, NumbersThatCannotBeHeldAreSkippedAndCounted) {
    // NaN, infinities, numbers beyond the type's range and tap numbers beyond 32 bits; the first
    // bad line of each file is line 3, and the good record is still read.
    const struct {
        Kind kind;
        const char* text;
    } cases[] = {
        {Kind::Cp,
         "CP_FILE,1\n8\n2,nan,1,1,1,1,1,1,1\n3,1,1,1,1,1,1,1,inf\n"
         "4294967296,1,1,1,1,1,1,1,1\n5,1e999,1,1,1,1,1,1,1\n1,1,1,1,1,1,1,1,1\nEOF\n"},
        {Kind::MeasurePos,
         "MEASUREPOS_FILE,1\n1,0,0,0\n2,nan,0,0\n3,0,-inf,0\n4294967296,0,0,0\n"
         "5,3e39,0,0\nEOF\n"},
        {Kind::Mesh,
         "MESH_FILE,1\n1,1,2,3,0\n2,1,2,nan,0\n3,1,2,-4294967296,0\n4294967296,1,2,3,0\n"
         "5,1,2,inf,0\nEOF\n"},
    };
    for (const auto& c : cases) {
        CFileReadInfo info;
        ASSERT_TRUE(ReadAs(c.kind, dir.Write("file", c.text), info)) << c.text;
        EXPECT_EQ(info.skippedLines, 4u) << c.text;
        EXPECT_EQ(info.firstSkippedLine, 3u) << c.text;
        EXPECT_NE(Message(c.kind, info).find("読めない行を 4 行読み飛ばしました（最初は 3 行目）"),
                  std::string::npos);
    }
}

TEST_F(HostileDataSet, NumbersTooLargeToUseAreLeftOutAndNamed) {
    CCpFile cp;
    CFileReadInfo info;
    ASSERT_TRUE(cp.Read(dir.Write("cp.dat",
                                  "CP_FILE,1\n8\n1,0.5,1,1,1,1,1,1,1\n"
                                  "2,-1e308,1,1,1,1,1,1,1e308\nEOF\n")
                            .c_str(),
                        &info));
    EXPECT_DOUBLE_EQ(cp.GetCp(1, 0), 0.5);
    EXPECT_EQ(cp.GetCp(2, 0), NO_VALUE);  // the record stays; its values are no values
    EXPECT_EQ(cp.GetCp(2, 7), NO_VALUE);
    EXPECT_DOUBLE_EQ(cp.GetCp(2, 1), 1.0);
    EXPECT_NE(Message(Kind::Cp, info)
                  .find("cp.dat: 使えない数値（絶対値が大きすぎるもの）が 2 個あります（最初は 4 "
                        "行目）。値なしとして扱います。"),
              std::string::npos)
        << Message(Kind::Cp, info);

    CMeasurePosFile pos;
    ASSERT_TRUE(pos.Read(
        dir.Write("measure.pos", "MEASUREPOS_FILE,1\n1,0,0,0\n2,1e38,0,0\n3,0,-3e10,1\nEOF\n")
            .c_str(),
        &info));
    EXPECT_EQ(pos.m_aTapNo, (std::vector<int32_t>{1}));
    EXPECT_NE(Message(Kind::MeasurePos, info).find("2 個あります（最初は 3 行目）。その測定点は"),
              std::string::npos);

    CGeometry geo;
    ASSERT_TRUE(geo.Load(
        dir.Write("main.geo", "GEOMETRY_FILE,1\n0,0\n1\nA\n1\n4\n0,0,0\n1e30,0,0\n1,1,0\n0,1,0\n")
            .c_str(),
        &info));
    ASSERT_EQ(geo.m_objects.size(), 1u);
    EXPECT_EQ(geo.m_objects[0].m_faces[0].m_vertices.size(), 3u);
    EXPECT_LT(geo.GetSize().x, 2.0f);  // the picture is fitted to what is left
    EXPECT_NE(Message(Kind::Geometry, info).find("main.geo: 使えない数値"), std::string::npos);
}

TEST_F(HostileDataSet, MeshCornersWithoutPositionsAreCounted) {
    CMeasurePosFile pos;
    CMeshFile mesh;
    ASSERT_TRUE(pos.Read(
        dir.Write("measure.pos", "MEASUREPOS_FILE,1\n1,0,0,0\n2,1,0,0\n3,0,1,0\nEOF\n").c_str()));
    ASSERT_TRUE(mesh.Read(
        dir.Write("mesh.msh", "MESH_FILE,1\n1,1,2,3,0\n2,2,3,9,0\n3,9,10,3,0\nEOF\n").c_str()));
    kzv::CLoadReport report;
    kzv::CheckMeshAgainstPositions(report, pos, mesh);
    EXPECT_EQ(report.cornersWithoutPosition, 3u);
    EXPECT_EQ(report.tapsWithoutPosition, 2u);
    EXPECT_EQ(report.firstTapWithoutPosition, 9);
    EXPECT_EQ(kzv::LoadReportMessage(report),
              "データセットの一部を読み込めませんでした。読み込めたデータだけを表示します。\n\n"
              "mesh.msh: measure.pos に位置のない測定点（2 点、例えば 9）を参照する頂点が 3 "
              "個あります。\n");
}

TEST_F(HostileDataSet, LongHeaderTextsAreKeptAndCutForDisplay) {
    // A 1 MB title of "表" in CP932 (its trail byte is a backslash) and 100 000 summary lines.
    std::string title;
    for (int i = 0; i < 500000; ++i) {
        title += "\x95\x5C";
    }
    std::string text = "HEADER_FILE,1\n" + title + "\nA\nM\nG\n";
    for (int i = 0; i < 100000; ++i) {
        text += (i % 2 ? "line " + std::to_string(i) : std::string()) + "\n";
    }
    text += "END\nB\nR\nS\nC\n";
    CHeaderFile header;
    CFileReadInfo info;
    ASSERT_TRUE(header.Read(dir.Write("header", text).c_str(), &info));
    EXPECT_TRUE(info.Clean());
    EXPECT_EQ(header.m_strTitle, title);  // kept whole for the dialogs
    EXPECT_EQ(header.m_strAdjacentCondition, "C");

    std::string shown;
    for (size_t i = 0; i < kzv::kDisplayLineLength; ++i) {
        shown += "表";
    }
    EXPECT_EQ(kzv::DisplayLine(header.m_strTitle), shown);
    EXPECT_EQ(kzv::DisplayLine(shown + "x"), shown);  // UTF-8 is cut by characters too
    const std::vector<std::string> lines = kzv::DisplaySummaryLines(header.m_strSummary);
    ASSERT_EQ(lines.size(), kzv::kDisplaySummaryLines);
    EXPECT_EQ(lines[0], "line 1");  // empty lines dropped
    EXPECT_EQ(lines.back(), "line 399");
}

// A main geometry whose corners reach the given coordinate in x and in z. The reader leaves
// such corners out, so they are put in after the read: the scene must stay bounded whatever
// the geometry holds.
void HugeBox(CViewState& s, const TempDir& dir, const std::string& c) {
    const std::string text = "GEOMETRY_FILE,1\n0,0\n1\nB\n1\n3\n-1,0,0\n1,10,0\n0,0,1\n";
    ASSERT_TRUE(s.m_data.m_geoMain.Load(dir.Write("main.geo", text).c_str()));
    const float e = std::stof(c);
    s.m_data.m_geoMain.m_objects.at(0).m_faces.at(0).m_vertices = {
        CVector4(-e, 0, 0, 0), CVector4(e, 10, 0, 0), CVector4(0, 0, e, 0)};
}

TEST_F(HostileDataSet, HugeCoordinatesGiveBoundedScenes) {
    for (const char* c : {"1e12", "3e38"}) {
        SCOPED_TRACE(c);
        CViewState s;
        ASSERT_NO_FATAL_FAILURE(HugeBox(s, dir, c));
        s.m_data.m_fScale = 1e-10f;  // 2 / scale does not fit an int
        s.m_settings.m_bShowAxes = 0;
        const size_t grid = GroundGridLines(s.m_data, s.m_settings).size();
        const size_t arrows = WindArrowLines(s.m_data).size();
        std::vector<CSceneText> texts;
        std::vector<CSceneSphere> spheres;
        AxisTicks(s.m_data, texts, spheres);
        EXPECT_LE(grid, 4u * 1000 + 2);
        EXPECT_LE(arrows, 3u * 2001);
        EXPECT_LE(texts.size(), 4u * 1000 + 2 * 1001);
        EXPECT_EQ(texts.size(), spheres.size());
        if (std::string(c) == "1e12") {
            // Still drawn, at a coarser step: E = 1.5e12 gives a step of 1e10 (10 000 km).
            EXPECT_GT(grid, 4u * 100);
            EXPECT_FLOAT_EQ(GroundGridLines(s.m_data, s.m_settings)[0].a.y, 1e10f);
            EXPECT_EQ(texts[0].text, "10000000");
            EXPECT_EQ(AxisItems(s.m_data).size(), 3u);
        } else {
            // Beyond what single precision can draw: nothing.
            EXPECT_EQ(grid + arrows + texts.size() + AxisItems(s.m_data).size(), 0u);
        }
    }
}

}  // namespace
