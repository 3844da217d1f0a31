#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "GuiTestSupport.h"
#include "TempDir.h"
#include "batch/Batch.h"
#include "io/Sha256.h"
#include "state/SelectionSteps.h"
#include "state/SettingsFile.h"
#include "valuelist/ValueListExport.h"
#include "view/KZ_VView.h"

namespace {

struct CRun {
    int status = -1;
    std::string out;
    std::string err;
};

// The program as a user runs it, with no display of any kind.
CRun RunKzv(const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KZV_PROGRAM), args);
    CRun run;
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit) {
        run.status = process.exitCode();
    }
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

std::string Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

QString Q(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

QImage Rgb(const std::filesystem::path& path) {
    return QImage(Q(path)).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TEST(BatchArguments, ReadsTheOptionsAndRefusesWhatItCannotDo) {
    kzv::CBatchOptions o;
    std::string error;
    ASSERT_TRUE(
        kzv::ParseBatchArguments({"-o", "out", "--settings=a.set", "-d", "0,2-4,2", "--size",
                                  "320x240", "--scale=3", "--png", "-f", "a", "--", "-b"},
                                 o, error))
        << error;
    EXPECT_EQ(o.inputs, (std::vector<std::string>{"a", "-b"}));
    EXPECT_EQ(o.outputFolder, "out");
    EXPECT_EQ(o.settingsFile, "a.set");
    EXPECT_EQ(o.directions, (std::vector<int>{0, 2, 3, 4}));
    EXPECT_EQ(o.width, 320);
    EXPECT_EQ(o.height, 240);
    EXPECT_EQ(o.scale, 3);
    EXPECT_TRUE(o.png && o.force);
    EXPECT_FALSE(o.csv || o.tolvex);

    ASSERT_TRUE(kzv::ParseBatchArguments({"-d", "all", "x"}, o, error));
    EXPECT_TRUE(o.directions.empty() && o.png && o.csv && o.tolvex && !o.tolvexAsked);
    ASSERT_TRUE(kzv::ParseBatchArguments({"--help"}, o, error));
    EXPECT_TRUE(o.help);

    for (const std::vector<std::string>& bad : {std::vector<std::string>{},
                                                {"--scale", "5", "x"},
                                                {"--scale=0", "x"},
                                                {"--size", "10x10", "x"},
                                                {"--size", "800", "x"},
                                                {"-d", "3-1", "x"},
                                                {"-d", "1,,2", "x"},
                                                {"-d", "-1", "x"},
                                                {"--colour", "x"},
                                                {"x", "-o"},
                                                {"--force=yes", "x"}}) {
        EXPECT_FALSE(kzv::ParseBatchArguments(bad, o, error)) << testing::PrintToString(bad);
        EXPECT_FALSE(error.empty());
    }

    EXPECT_EQ(kzv::BatchOutputName("tower", 3, 16, "png"), "tower_d03.png");
    EXPECT_EQ(kzv::BatchOutputName("big", 7, 120, "csv"), "big_d007.csv");
    EXPECT_EQ(kzv::BatchTolvexName("tower"), "tower_tolvex.csv");
}

// The batch without a display makes the window's picture and the value list's exports of
// the same state, pixel for pixel and byte for byte.
TEST(BatchRun, WithoutDisplayMakesTheWindowsPicturesAndExports) {
    TempDir dir;
    const std::filesystem::path out = dir.Path() / "out";
    const std::filesystem::path out2 = dir.Path() / "out2";
    std::filesystem::create_directory(out);
    std::filesystem::create_directory(out2);
    const QString tower = QString::fromStdString(SamplesFolder() + "tower");

    // The window's pictures with settings of the user's, saved as a settings file.
    CStateOwner owner;
    CKZ_VView view{owner};
    ASSERT_TRUE(ShowExposed(view, 320, 240));
    LoadSample(view, "tower");
    {
        auto edit = owner.Edit(ASPECT_DISPLAY | ASPECT_POSITIONS);
        edit->m_settings.m_nDirection = 5;
        edit->m_settings.m_nDivisions = 10;
        edit->m_settings.m_dColorMin = -2.0;
        edit->m_settings.m_bShowNumbers = 1;
        edit->SetBuildingAngleStep(1, true);
    }
    QTest::qWait(50);
    std::string error;
    const std::string settings = (dir.Path() / "user.set").string();
    ASSERT_TRUE(WriteSettingsFile(settings, owner.State(), &error)) << error;
    ASSERT_TRUE(view.SavePng((dir.Path() / "window1.png").string(), &error, 1)) << error;
    ASSERT_TRUE(view.SavePng((dir.Path() / "window2.png").string(), &error, 2)) << error;

    // Direction 5 is the run's second picture: each picture is drawn afresh.
    const CRun run =
        RunKzv({"batch", "-o", Q(out), "-s", Q(settings), "--size", "320x240", "-d", "4,5", tower});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("wrote " + (out / "tower_d05.png").string() + "\n"), std::string::npos)
        << run.err;
    const CRun twice = RunKzv({"batch", "-o", Q(out2), "-s", Q(settings), "--size", "320x240",
                               "--scale", "2", "--png", tower});
    ASSERT_EQ(twice.status, 0) << twice.err;
    const QImage batch1 = Rgb(out / "tower_d05.png");
    ASSERT_EQ(batch1.size(), QSize(320, 240));
    EXPECT_TRUE(batch1 == Rgb(dir.Path() / "window1.png"));
    // Without a list of directions every direction is drawn.
    EXPECT_TRUE(std::filesystem::exists(out2 / "tower_d15.png"));
    const QImage batch2 = Rgb(out2 / "tower_d05.png");
    ASSERT_EQ(batch2.size(), QSize(640, 480));
    EXPECT_TRUE(batch2 == Rgb(dir.Path() / "window2.png"));

    // The window's list holds a tap once per position; the batch has every tap. Without the
    // taps the window leaves out, the batch's files are the window's exports byte for byte.
    {
        auto edit = owner.Edit(ASPECT_SELECTION | ASPECT_VALUE_LIST);
        for (size_t i = 0; i < edit->m_data.m_taps.m_aTapNo.size(); ++i) {
            SelectMeasurementPoint(*edit, static_cast<int>(i));
        }
    }
    const CViewState& state = owner.State();
    std::set<std::string> listed;
    for (const CValueRow& row : state.m_valueList.Rows()) {
        listed.insert(row.text[0]);
    }
    ASSERT_LT(listed.size(), state.m_data.m_taps.m_aTapNo.size()) << "taps share positions";
    ASSERT_EQ(WriteCsvFile(state.m_valueList.Rows(), (dir.Path() / "list.csv").string()),
              CExportResult::Written);
    ASSERT_EQ(WriteTolvexFile(state.m_valueList.Rows(), state.Points(), 1,
                              (dir.Path() / "tolvex.csv").string()),
              CExportResult::Written);
    for (const auto& [batchFile, windowFile] :
         {std::pair<const char*, const char*>{"tower_d05.csv", "list.csv"},
          {"tower_tolvex.csv", "tolvex.csv"}}) {
        const std::string batch = Bytes(out / batchFile);
        std::string kept;
        size_t lines = 0;
        for (size_t start = 0; start < batch.size(); ++lines) {
            const size_t end = batch.find("\r\n", start) + 2;
            const std::string line = batch.substr(start, end - start);
            if (start == 0 || listed.count(line.substr(0, line.find(','))) != 0) {
                kept += line;
            }
            start = end;
        }
        EXPECT_EQ(lines, state.m_data.m_taps.m_aTapNo.size() + 1) << batchFile;
        EXPECT_EQ(kept, Bytes(dir.Path() / windowFile)) << batchFile;
    }
    for (const char* name : {"tower_d05.png.json", "tower_d05.csv.json", "tower_tolvex.csv.json"}) {
        EXPECT_NE(Bytes(out / name).find("\"schema_version\": 2"), std::string::npos) << name;
    }
    const std::string record = Bytes(out / "tower_d05.png.json");
    EXPECT_NE(record.find("\"width\": 320, \"height\": 240"), std::string::npos);
    EXPECT_NE(record.find("\"colour_scale\": {\"min\": -2, \"max\": 1, \"bands\": 10}"),
              std::string::npos)
        << record;
    EXPECT_NE(record.find("\"sha256\": \"" + kzv::Sha256Hex(Bytes(settings)) + "\""),
              std::string::npos);
}

TEST(BatchRun, ReportsEveryFailureAndKeepsWhatExists) {
    TempDir dir;
    const QString tower = QString::fromStdString(SamplesFolder() + "tower");
    const QString out = Q(dir.Path());
    ASSERT_EQ(RunKzv({"batch", "-o", out, "-d", "0", "--png", tower}).status, 0);
    const std::string first = Bytes(dir.Path() / "tower_d00.png");

    // An existing output stays without --force; a missing folder, a direction the set lacks
    // and a settings file that is no settings file each fail with their reason; the rest is
    // still written, and the status says something failed.
    const std::string garbage = dir.Write("bad.set", "not a settings file\n");
    std::filesystem::create_directories(dir.Path() / "campaign" / "broken" / "header");
    const CRun again = RunKzv(
        {"batch", "-o", out, "-d", "0,1,99", "--png", tower, out + "/missing", out + "/campaign"});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("tower_d00.png: exists (--force replaces it)"), std::string::npos)
        << again.err;
    EXPECT_NE(again.err.find("wrote " + (dir.Path() / "tower_d01.png").string()),
              std::string::npos);
    EXPECT_NE(again.err.find("direction 99: the data set has directions 0 to 15"),
              std::string::npos);
    EXPECT_NE(again.err.find("missing: not a folder"), std::string::npos);
    EXPECT_NE(again.err.find("broken/: the data set's \"header\" cannot be read"),
              std::string::npos);
    EXPECT_EQ(Bytes(dir.Path() / "tower_d00.png"), first);

    const CRun settings = RunKzv(
        {"batch", "-o", out, "-s", QString::fromStdString(garbage), "--force", "--png", tower});
    EXPECT_EQ(settings.status, 1);
    EXPECT_NE(settings.err.find(MSG_SETTINGS_READ_FAILED), std::string::npos) << settings.err;

    const CRun usage = RunKzv({"batch", "--scale", "9", tower});
    EXPECT_EQ(usage.status, 2);
    EXPECT_NE(usage.err.find("Try 'kzv batch --help'"), std::string::npos);
    const CRun help = RunKzv({"batch", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: kzv batch", 0), 0u);
}

// Another quantity's envelope: one picture and one table per data set, the table holding each
// tap's least peak over every direction; a data set without that table fails alone.
TEST(BatchRun, AQuantitysEnvelopeIsOnePictureAndOneTable) {
    TempDir dir;
    const QString out = Q(dir.Path());
    const CRun run = RunKzv({"batch", "-o", out, "-q", "peakmin", "-e", "min", "--png", "--csv",
                             QString::fromStdString(SamplesFolder() + "gable"),
                             QString::fromStdString(SamplesFolder() + "tower")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("tower/: the data set has no cppeakmin.dat"), std::string::npos)
        << run.err;
    EXPECT_FALSE(Rgb(dir.Path() / "gable_peakmin_envmin.png").isNull());
    const std::string json = Bytes(dir.Path() / "gable_peakmin_envmin.csv.json");
    EXPECT_NE(json.find("\"quantity\": \"peakmin\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"envelope\": \"min\""), std::string::npos) << json;

    CViewState state;
    CHeaderFile header;
    header.Read((SamplesFolder() + "gable/header").c_str());
    state.LoadDataSet(SamplesFolder() + "gable/", header, 800, 600);
    const CCpFile* peaks = state.m_data.m_tables.Table(EValueQuantity::PeakMin, state.m_data.m_cp);
    ASSERT_NE(peaks, nullptr);
    std::ifstream csv(dir.Path() / "gable_peakmin_envmin.csv");
    std::string line;
    int checked = 0;
    while (std::getline(csv, line)) {
        const size_t comma = line.find(',');
        int tap = 0;
        if (comma == std::string::npos || std::sscanf(line.c_str(), "%d", &tap) != 1) {
            continue;  // a title or heading line
        }
        double least = 1e300;
        for (int d = 0; d < peaks->m_nDirectionCount; ++d) {
            least = std::min(least, peaks->GetCp(tap, d));
        }
        EXPECT_NEAR(std::stod(line.substr(line.rfind(',') + 1)), least, 1e-9) << line;
        ++checked;
    }
    EXPECT_EQ(checked, static_cast<int>(state.m_data.m_taps.m_aTapNo.size()));
}
