#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <string>

#include "TempDir.h"
#include "io/Sha256.h"
#include "state/SettingsFile.h"
#include "state/Sidecar.h"

namespace {

std::string Sample(const std::string& name) {
    return std::string(KZV_SAMPLES_DIR) + name + "/";
}

CViewState LoadedTower() {
    CViewState state;
    CHeaderFile header;
    header.Read((Sample("tower") + "header").c_str());
    state.LoadDataSet(Sample("tower"), header, 800, 600);
    return state;
}

}  // namespace

TEST(Sha256, KnownDigestsAcrossBlockBoundaries) {
    EXPECT_EQ(kzv::Sha256Hex(""),
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(kzv::Sha256Hex("abc"),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // 56 bytes: the length no longer fits the block, so padding takes a second one.
    EXPECT_EQ(kzv::Sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    TempDir dir;
    std::string hex;
    EXPECT_TRUE(kzv::Sha256OfFile(dir.Write("s.set", "abc"), hex));
    EXPECT_EQ(hex, kzv::Sha256Hex("abc"));
    EXPECT_FALSE(kzv::Sha256OfFile((dir.Path() / "missing").string(), hex));
}

TEST(Sidecar, RecordsTheStateTheOutputWasMadeFrom) {
    CViewState state = LoadedTower();
    ASSERT_EQ(state.m_data.m_cp.m_nDirectionCount, 16);
    state.m_settings.m_nDirection = 3;
    state.SetBuildingAngleStep(2, true);
    state.m_settings.m_dColorMin = -2.5;
    state.m_settings.m_nDivisions = 12;
    state.m_data.m_header.m_strTitle = "A \"quoted\"\r\ntitle\\";

    CSidecarInfo info;
    info.kind = CSidecarKind::Picture;
    info.outputFile = "/out/gable_d03.png";
    info.pictureWidth = 1600;
    info.pictureHeight = 1200;
    info.pictureScale = 2;
    state.m_strSettingsFile = "/cfg/a.set";
    state.m_strSettingsDigest = kzv::Sha256Hex("x");
    info.time = SidecarTime(0);
    const std::string json = MakeSidecarJson(state, info);
    for (const std::string& part :
         {std::string("\"schema_version\": 2"), std::string("\"version\": \"") + ProgramVersion(),
          std::string("{\"file\": \"gable_d03.png\", \"kind\": \"picture\"}"),
          std::string("\"folder\": \"") + Sample("tower") + "\"",
          std::string("\"name\": \"tower\""),
          std::string("\"title\": \"A \\\"quoted\\\"\\r\\ntitle\\\\\""),
          std::string("\"direction\": {\"index\": 3, \"count\": 16, \"angle\": 67.5}"),
          std::string("\"building_angle\": {\"step\": 2, \"degrees\": 45}"),
          std::string("\"quantity\": \"mean\""),
          std::string("\"colour_scale\": {\"min\": -2.5, \"max\": 1, \"bands\": 12}"),
          std::string("\"settings_file\": {\"path\": \"/cfg/a.set\", \"sha256\": \"") +
              kzv::Sha256Hex("x") + "\"}",
          std::string("\"picture\": {\"width\": 1600, \"height\": 1200, \"scale\": 2}"),
          std::string("\"time\": \"1970-01-01T00:00:00Z\"")}) {
        EXPECT_NE(json.find(part), std::string::npos) << part << "\nin\n" << json;
    }

    // An export has no picture; the 16-direction file holds every direction; no settings file.
    info.kind = CSidecarKind::Tolvex;
    state.m_strSettingsFile.clear();
    const std::string tolvex = MakeSidecarJson(state, info);
    EXPECT_NE(tolvex.find("\"kind\": \"tolvex\""), std::string::npos);
    EXPECT_NE(tolvex.find("\"direction\": null"), std::string::npos);
    EXPECT_NE(tolvex.find("\"picture\": null"), std::string::npos);
    EXPECT_NE(tolvex.find("\"settings_file\": null"), std::string::npos);
}

TEST(Sidecar, WrittenBesideTheOutputOrNotAtAll) {
    const CViewState state = LoadedTower();
    TempDir dir;
    CSidecarInfo info;
    info.kind = CSidecarKind::Csv;
    const std::string output = (dir.Path() / "gable_d00.csv").string();
    std::string error;
    ASSERT_TRUE(WriteSidecar(output, state, info, &error)) << error;
    EXPECT_TRUE(std::filesystem::exists(output + ".json"));

    // A folder that cannot be written: a reason, and nothing left behind.
    std::filesystem::create_directory(dir.Path() / "locked");
    std::filesystem::permissions(dir.Path() / "locked", std::filesystem::perms::owner_read |
                                                            std::filesystem::perms::owner_exec);
    const std::string locked = (dir.Path() / "locked" / "x.csv").string();
    if (::access((dir.Path() / "locked").c_str(), W_OK) != 0) {  // not as the superuser
        EXPECT_FALSE(WriteSidecar(locked, state, info, &error));
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(std::filesystem::is_empty(dir.Path() / "locked"));
    }
    EXPECT_FALSE(WriteSidecar((dir.Path() / "none" / "x.csv").string(), state, info, &error));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "none"));
    std::filesystem::permissions(dir.Path() / "locked", std::filesystem::perms::owner_all);
}

TEST(Sidecar, NamesTheQuantityTheEnvelopeAndTheSettingsFileLastApplied) {
    CViewState state;
    CHeaderFile header;
    header.Read((Sample("gable") + "header").c_str());
    state.LoadDataSet(Sample("gable"), header, 800, 600);
    TempDir dir;
    const std::string settings = (dir.Path() / "report.set").string();
    ASSERT_TRUE(WriteSettingsFile(settings, state));
    ASSERT_TRUE(ApplySettingsFile(settings, state));
    std::string digest;
    ASSERT_TRUE(kzv::Sha256OfFile(settings, digest));

    state.m_settings.m_nQuantity = static_cast<int>(EValueQuantity::PeakMin);
    state.m_settings.m_nEnvelope = ENVELOPE_MIN;
    CSidecarInfo info;
    info.kind = CSidecarKind::Csv;
    std::string json = MakeSidecarJson(state, info);
    for (const std::string& part :
         {std::string("\"direction\": {\"envelope\": \"min\", \"count\": 8}"),
          std::string("\"quantity\": \"peakmin\""),
          "\"settings_file\": {\"path\": \"" + settings + "\", \"sha256\": \"" + digest + "\"}"}) {
        EXPECT_NE(json.find(part), std::string::npos) << part << "\nin\n" << json;
    }
    // The 16-direction file holds the mean of every direction, whatever is shown.
    info.kind = CSidecarKind::Tolvex;
    EXPECT_NE(MakeSidecarJson(state, info).find("\"quantity\": \"mean\""), std::string::npos);
    // A load puts the defaults back: no settings file stands behind them any more.
    state.LoadDataSet(Sample("gable"), header, 800, 600);
    json = MakeSidecarJson(state, info);
    EXPECT_NE(json.find("\"settings_file\": null"), std::string::npos);
}
