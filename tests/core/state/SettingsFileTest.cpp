#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dataset/DataSetLoad.h"
#include "state/SettingsFile.h"
#include "state/ViewState.h"
#include "text/CodePage.h"
#include "text/NumberFormat.h"

namespace {

const std::string kSamples = KZV_SAMPLES_DIR;

CViewState Loaded(const std::string& name) {
    CViewState state;
    state.LoadDataSet(kSamples + name + "/", CHeaderFile(), 800, 600);
    return state;
}

// Every display setting and camera value set away from its default.
void ChangeEverything(CViewState& s) {
    s.m_camera.m_fZoom = 1.5f;
    s.m_camera.m_vPan.Set(-12.5f, 30, 2);
    s.m_camera.Turn(CVector4(10, 20, 30));
    s.m_settings.m_nDirection = 3;
    s.m_data.SetPartMode(0, 0);
    s.m_data.SetPartColor(0, MakeColorRef(255, 0, 0));
    for (uint8_t* flag :
         {&s.m_settings.m_bShowAxes, &s.m_settings.m_bShowAxisNumbers, &s.m_settings.m_bShowMarkers,
          &s.m_settings.m_bShowNumbers, &s.m_settings.m_bShowMesh, &s.m_settings.m_bShowGround,
          &s.m_settings.m_bShowWind}) {
        *flag = *flag ? 0 : 1;
    }
    s.m_settings.m_abPanelContour[1] = 0;
    s.m_settings.m_nContourKind = 2;
    s.m_settings.m_nLineColorMode = 1;
    s.m_settings.m_clrLine = CVector4(0.25f, 0.5f, 0.75f);
    s.m_settings.m_bShowLabels = 1;
    s.m_settings.m_nLabelSkip = 4;
    s.m_settings.m_nLabelColorMode = 1;
    s.m_settings.m_clrLabel = CVector4(0.5f, 0.125f, 1);
    s.m_settings.m_strLabelFont = "ＭＳ 明朝";
    s.m_settings.m_nLabelFontSize = 20;
    s.m_settings.m_abSlotOn[7] = 1;
    s.m_settings.m_aSlot[7][0].Set(1.5f, 2, 3);
    s.m_settings.m_aSlot[7][1].Set(-4, 5, 6.25f);
    s.m_settings.m_dColorMax = 0.5;
    s.m_settings.m_dColorMin = -2;
    s.m_settings.m_nDivisions = 10;
    s.m_settings.m_bShowColorBar = 0;
    s.m_settings.m_nTickInterval = 2;
    s.m_settings.m_aColorTable[0] = CVector4(0, 1, 0);
    s.m_settings.m_aColorTable[9] = CVector4(1, 1, 0);
    s.m_settings.m_comment.position.Set(40, 50, 0);
    s.m_settings.m_comment.colour = CVector4(0, 0, 1);
    s.m_settings.m_comment.font = "ＭＳ 明朝";
    s.m_settings.m_comment.size = 18;
    s.m_settings.m_comment.flags[2] = 1;
    s.m_settings.m_clrSpecular = CVector4(0.5f, 0.5f, 0.5f, 1);
    s.m_settings.m_clrAmbient = CVector4(0.25f, 0.25f, 0.25f, 1);
    s.m_settings.m_clrShininess = CVector4(50, 50, 50, 1);
    s.m_settings.m_nValueMethod = VALUE_INVERSE_DISTANCE;
}

// Every setting of the file, as the user sees it. A display setting added later must get a
// line in the file and here: the size check below fails until it does.
void ExpectSameSettings(const CViewState& a, const CViewState& b) {
    EXPECT_EQ(sizeof(CDisplaySettings), 1448u) << "a display setting was added or removed";
    EXPECT_EQ(a.m_camera.m_fZoom, b.m_camera.m_fZoom);
    EXPECT_TRUE(a.m_camera.m_vPan == b.m_camera.m_vPan);
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(a.m_camera.m_matRotation.m[i], b.m_camera.m_matRotation.m[i], 1e-5f) << i;
    }
    EXPECT_EQ(a.m_settings.m_nDirection, b.m_settings.m_nDirection);
    for (int i = 0; i < a.m_data.GetPartCount(); ++i) {
        EXPECT_EQ(a.m_data.GetPartMode(i), b.m_data.GetPartMode(i));
        EXPECT_EQ(a.m_data.GetPartColor(i), b.m_data.GetPartColor(i));
    }
    EXPECT_EQ(a.m_settings.m_nQuantity, b.m_settings.m_nQuantity);
    EXPECT_EQ(a.m_settings.m_nEnvelope, b.m_settings.m_nEnvelope);
    EXPECT_EQ(a.m_settings.m_bShowGoverning, b.m_settings.m_bShowGoverning);
    EXPECT_EQ(a.m_settings.m_bShowAxes, b.m_settings.m_bShowAxes);
    EXPECT_EQ(a.m_settings.m_bShowAxisNumbers, b.m_settings.m_bShowAxisNumbers);
    EXPECT_EQ(a.m_settings.m_bShowMarkers, b.m_settings.m_bShowMarkers);
    EXPECT_EQ(a.m_settings.m_bShowNumbers, b.m_settings.m_bShowNumbers);
    EXPECT_EQ(a.m_settings.m_bShowMesh, b.m_settings.m_bShowMesh);
    EXPECT_EQ(a.m_settings.m_bShowGround, b.m_settings.m_bShowGround);
    EXPECT_EQ(a.m_settings.m_bShowWind, b.m_settings.m_bShowWind);
    EXPECT_EQ(a.m_settings.m_abPanelContour, b.m_settings.m_abPanelContour);
    EXPECT_EQ(a.m_settings.m_nContourKind, b.m_settings.m_nContourKind);
    EXPECT_EQ(a.m_settings.m_nLineColorMode, b.m_settings.m_nLineColorMode);
    EXPECT_TRUE(a.m_settings.m_clrLine == b.m_settings.m_clrLine);
    EXPECT_EQ(a.m_settings.m_bShowLabels, b.m_settings.m_bShowLabels);
    EXPECT_EQ(a.m_settings.m_nLabelSkip, b.m_settings.m_nLabelSkip);
    EXPECT_EQ(a.m_settings.m_nLabelColorMode, b.m_settings.m_nLabelColorMode);
    EXPECT_TRUE(a.m_settings.m_clrLabel == b.m_settings.m_clrLabel);
    EXPECT_EQ(a.m_settings.m_strLabelFont, b.m_settings.m_strLabelFont);
    EXPECT_EQ(a.m_settings.m_nLabelFontSize, b.m_settings.m_nLabelFontSize);
    for (int i = 0; i < SLOT_COUNT; ++i) {
        EXPECT_EQ(a.m_settings.m_abSlotOn[i], b.m_settings.m_abSlotOn[i]);
        EXPECT_TRUE(a.m_settings.m_aSlot[i][0] == b.m_settings.m_aSlot[i][0] &&
                    a.m_settings.m_aSlot[i][1] == b.m_settings.m_aSlot[i][1]);
    }
    EXPECT_EQ(a.m_settings.m_dColorMax, b.m_settings.m_dColorMax);
    EXPECT_EQ(a.m_settings.m_dColorMin, b.m_settings.m_dColorMin);
    EXPECT_EQ(a.m_settings.m_nDivisions, b.m_settings.m_nDivisions);
    EXPECT_EQ(a.m_settings.m_bShowColorBar, b.m_settings.m_bShowColorBar);
    EXPECT_EQ(a.m_settings.m_nTickInterval, b.m_settings.m_nTickInterval);
    EXPECT_TRUE(a.m_settings.m_aColorTable[0] == b.m_settings.m_aColorTable[0]);
    EXPECT_TRUE(a.m_settings.m_aColorTable[a.m_settings.m_nDivisions - 1] ==
                b.m_settings.m_aColorTable[b.m_settings.m_nDivisions - 1]);
    EXPECT_TRUE(a.m_settings.m_comment.position == b.m_settings.m_comment.position);
    EXPECT_TRUE(a.m_settings.m_comment.colour == b.m_settings.m_comment.colour);
    EXPECT_EQ(a.m_settings.m_comment.font, b.m_settings.m_comment.font);
    EXPECT_EQ(a.m_settings.m_comment.size, b.m_settings.m_comment.size);
    EXPECT_EQ(0, std::memcmp(a.m_settings.m_comment.flags, b.m_settings.m_comment.flags,
                             sizeof a.m_settings.m_comment.flags));
    EXPECT_TRUE(a.m_settings.m_clrSpecular == b.m_settings.m_clrSpecular);
    EXPECT_TRUE(a.m_settings.m_clrAmbient == b.m_settings.m_clrAmbient);
    EXPECT_TRUE(a.m_settings.m_clrShininess == b.m_settings.m_clrShininess);
    EXPECT_EQ(a.m_settings.m_nValueMethod, b.m_settings.m_nValueMethod);
}

TEST(SettingsFile, SaveResetLoadRestoresEverySetting) {
    CViewState state = Loaded("gable");
    ChangeEverything(state);
    const CViewState saved = state;
    state.m_nBuildingAngleStep = -3;
    const std::string bytes = MakeSettingsFileBytes(state);
    state.ResetDisplayState();
    CSettingsFileRead read;
    ASSERT_TRUE(ReadSettingsFileBytes(bytes, state, &read));
    EXPECT_EQ(read.version, 2);
    EXPECT_TRUE(read.sameDataSet);
    EXPECT_EQ(read.sliderPosition, -3);
    ExpectSameSettings(saved, state);
    EXPECT_EQ(state.m_settings.m_strLabelFont, "ＭＳ 明朝");  // a face name with a space survives
    // The matrix is kept at six significant digits.
    EXPECT_FLOAT_EQ(state.m_camera.m_matRotation.m[1],
                    std::stof(kzv::FormatG(saved.m_camera.m_matRotation.m[1])));
    // The file holds no angles: those read are the loaded view's, so that typing them in
    // ("実行") gives the same view, also when it looks along the y axis.
    for (const CVector4& turn : {CVector4(0, 0, 0), CVector4(0, 90, 0), CVector4(40, -90, 10)}) {
        state.m_camera.Turn(turn);
        ASSERT_TRUE(ReadSettingsFileBytes(MakeSettingsFileBytes(state), state, &read));
        CCamera typed;
        typed.SetTypedView(1, state.m_camera.m_vAngles.y, state.m_camera.m_vAngles.x,
                           state.m_camera.m_vAngles.z, 0, 0);
        for (int i = 0; i < 16; ++i) {
            EXPECT_NEAR(typed.m_matRotation.m[i], state.m_camera.m_matRotation.m[i], 1e-4) << i;
        }
    }
}

TEST(SettingsFile, DefaultsOfASampleAreWrittenExactly) {
    const CViewState state = Loaded("tower");
    const std::string bytes = MakeSettingsFileBytes(state);
    std::string panels;
    for (int i = 0; i < state.m_data.m_mesh.GetPanelCount(); ++i) {
        panels += "1 ";
    }
    // The view after a load: -90 degrees about X (stored column by column) and the pan that
    // centres the tower.
    const std::string pan =
        kzv::FormatG(state.m_camera.m_vPan.x) + " " + kzv::FormatG(state.m_camera.m_vPan.y) + " 0";
    std::string expected = "tower\r\nMATRIX_SETTING 2\r\n1\r\n" + pan +
                           "\r\n1 0 0 0 0 6.12323e-17 -1 0 0 1 6.12323e-17 0 0 0 0 1 \r\n0\r\n"
                           "DIRECTION_SETTING\r\n0\r\n0\r\nSHOW_SETTING\r\n";
    auto parts = [&](const CGeometry& geo) {
        expected += std::to_string(geo.m_objects.size()) + "\r\n";
        for (size_t i = 0; i < geo.m_objects.size(); ++i) {
            expected += "1 0.7 0.7 0.7\r\n";
        }
    };
    parts(state.m_data.m_geoMain);
    parts(state.m_data.m_geoSub);
    expected += "1 0 1 0 1 0 0\r\nCONTOR_SETTING\r\n" +
                std::to_string(state.m_data.m_mesh.GetPanelCount()) + "\r\n" + panels +
                "\r\n0\r\n0 0 0\r\n0\r\nCOLORBAR_SETTING\r\n1 -1\r\n30\r\n1\r\n3\r\n0 0 1\r\n"
                "1 0 0\r\nNUMBER_SETTING\r\n0 0 0\r\n0 0 0\r\n" +
                kzv::Utf8ToCp932("ＭＳ ゴシック") + "\r\n14\r\n";
    for (int i = 0; i < SLOT_COUNT; ++i) {
        expected += "0\r\n0 0 0\r\n0 0 0\r\n";
    }
    expected += "COMMENT_SETTING\r\n0 0 0\r\n0 0 0\r\n" + kzv::Utf8ToCp932("ＭＳ ゴシック") +
                "\r\n14\r\n0 0 0 0 0 0 0 0 0 0 \r\nMATERIAL_SETTING\r\n0.8 0.7 100\r\n"
                "DATAVALUE_SETTING\r\n0\r\n";
    EXPECT_EQ(bytes, expected);
}

TEST(SettingsFile, AFileOfAnotherDataSetOrAnOlderVersion) {
    CViewState gable = Loaded("gable");
    ChangeEverything(gable);
    gable.m_data.SetPartMode(gable.m_data.GetPartCount() - 1, 0);
    gable.m_nBuildingAngleStep = 2;
    const std::string fromGable = MakeSettingsFileBytes(gable);

    // Another data set: its own direction and panel flags stay, the slider counts as 0; the
    // extra part groups of the file change nothing.
    CViewState tower = Loaded("tower");
    tower.m_settings.m_nDirection = 5;
    tower.m_settings.m_abPanelContour[0] = 0;
    ASSERT_LT(tower.m_data.GetPartCount(), gable.m_data.GetPartCount());
    CSettingsFileRead read;
    ASSERT_TRUE(ReadSettingsFileBytes(fromGable, tower, &read));
    EXPECT_FALSE(read.sameDataSet);
    EXPECT_EQ(read.sliderPosition, 0);
    EXPECT_EQ(tower.m_settings.m_nDirection, 5);
    EXPECT_EQ(tower.m_settings.m_abPanelContour[0], 0);
    EXPECT_EQ(tower.m_settings.m_abPanelContour[1], 1);
    EXPECT_EQ(tower.m_settings.m_nContourKind, 2);
    EXPECT_EQ(tower.m_data.GetPartMode(0), 0);

    // Version 1 ends after the colour bar, without the line colour and kind: what it lacks
    // keeps its current value.
    std::string v1 = fromGable.substr(0, fromGable.find("NUMBER_SETTING"));
    v1.replace(v1.find("MATRIX_SETTING 2"), 16, "MATRIX_SETTING 1");
    const size_t bar = v1.find("COLORBAR_SETTING");
    const size_t kindLine = v1.rfind("\r\n", bar - 3);         // start of the kind line
    const size_t colourLine = v1.rfind("\r\n", kindLine - 1);  // and of the colour line
    v1.erase(colourLine + 2, bar - colourLine - 2);
    CViewState fresh = Loaded("gable");
    fresh.m_settings.m_nContourKind = 1;
    fresh.m_settings.m_nLabelSkip = 7;
    ASSERT_TRUE(ReadSettingsFileBytes(v1, fresh, &read));
    EXPECT_EQ(read.version, 1);
    EXPECT_EQ(fresh.m_settings.m_nContourKind, 1);
    EXPECT_EQ(fresh.m_settings.m_nLabelSkip, 7);
    EXPECT_EQ(fresh.m_settings.m_nDivisions, 10);

    std::string v3 = fromGable;
    v3.replace(v3.find("MATRIX_SETTING 2"), 16, "MATRIX_SETTING 3");
    EXPECT_FALSE(ReadSettingsFileBytes(v3, fresh, &read));
    // A file with bare LF line ends reads the same.
    std::string lf = fromGable;
    for (size_t at = lf.find("\r\n"); at != std::string::npos; at = lf.find("\r\n", at)) {
        lf.erase(at, 1);
    }
    CViewState again = Loaded("gable");
    ASSERT_TRUE(ReadSettingsFileBytes(lf, again, &read));
    EXPECT_EQ(again.m_settings.m_strLabelFont, "ＭＳ 明朝");
}

// The value method rides after the material, where the readers of version 2 stop: a file
// that ends with the material (as every file written before had) or goes on with anything
// else reads exactly as before and keeps the current method; a file with the method sets it.
TEST(SettingsFile, TheValueMethodIsALastSectionOlderFilesDoNotHave) {
    CViewState source = Loaded("gable");
    ChangeEverything(source);
    source.m_nBuildingAngleStep = 1;
    const std::string bytes = MakeSettingsFileBytes(source);
    const size_t at = bytes.find("DATAVALUE_SETTING\r\n1\r\n");
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(at + 22, bytes.size());
    const std::string old = bytes.substr(0, at);
    for (const std::string& file : {old, old + "\r\n", old + "END\r\n2\r\n"}) {
        for (int method : {VALUE_LINEAR, VALUE_INVERSE_DISTANCE}) {
            CViewState state = Loaded("gable");
            state.m_settings.m_nValueMethod = method;
            ASSERT_TRUE(ReadSettingsFileBytes(file, state, nullptr));
            EXPECT_EQ(state.m_settings.m_nValueMethod, method);
            state.m_settings.m_nValueMethod = source.m_settings.m_nValueMethod;
            ExpectSameSettings(source, state);
        }
    }
    CViewState state = Loaded("gable");
    ASSERT_TRUE(ReadSettingsFileBytes(bytes, state, nullptr));
    EXPECT_EQ(state.m_settings.m_nValueMethod, VALUE_INVERSE_DISTANCE);
    ASSERT_TRUE(ReadSettingsFileBytes(old + "DATAVALUE_SETTING\r\n0\r\n", state, nullptr));
    EXPECT_EQ(state.m_settings.m_nValueMethod, VALUE_LINEAR);
}

// What is shown, when it is not the mean of one direction, is a section after the value
// method; a file without it (every older one) shows the mean of one direction; a damaged one
// is refused.
TEST(SettingsFile, TheShownValuesAreALastSectionWrittenOnlyWhenChosen) {
    CViewState source = Loaded("gable");
    ChangeEverything(source);
    const std::string plain = MakeSettingsFileBytes(source);
    source.m_settings.m_nQuantity = static_cast<int>(EValueQuantity::PeakMin);
    source.m_settings.m_nEnvelope = ENVELOPE_MIN;
    source.m_settings.m_bShowGoverning = 1;
    const std::string bytes = MakeSettingsFileBytes(source);
    EXPECT_EQ(bytes, plain + "VALUE_SHOWN_SETTING\r\n5 2 1\r\n");

    CViewState state = Loaded("gable");
    ASSERT_TRUE(ReadSettingsFileBytes(bytes, state, nullptr));
    ExpectSameSettings(source, state);
    ASSERT_TRUE(ReadSettingsFileBytes(plain, state, nullptr));
    EXPECT_EQ(state.m_settings.m_nQuantity, 0);
    EXPECT_EQ(state.m_settings.m_nEnvelope, ENVELOPE_NONE);
    EXPECT_EQ(state.m_settings.m_bShowGoverning, 0);
    for (const char* bad : {"7 0 0", "0 4 0", "0 0 2", "1 2"}) {
        CViewState before = Loaded("gable");
        EXPECT_FALSE(ReadSettingsFileBytes(plain + "VALUE_SHOWN_SETTING\r\n" + bad + "\r\n", before,
                                           nullptr))
            << bad;
        EXPECT_EQ(before.m_settings.m_nQuantity, 0);
    }

    // Taps not thinned: one more section after it (and only then).
    source.m_settings.m_bThinTaps = 0;
    const std::string all = MakeSettingsFileBytes(source);
    EXPECT_EQ(all, bytes + "TAP_THINNING_SETTING\r\n0\r\n");
    ASSERT_TRUE(ReadSettingsFileBytes(all, state, nullptr));
    EXPECT_EQ(state.m_settings.m_bThinTaps, 0);
    ASSERT_TRUE(ReadSettingsFileBytes(bytes, state, nullptr));
    EXPECT_EQ(state.m_settings.m_bThinTaps, 1);
    EXPECT_FALSE(ReadSettingsFileBytes(bytes + "TAP_THINNING_SETTING\r\n2\r\n", state, nullptr));
}

// A damaged file changes nothing at all: cut after every line, a wrong keyword, letters where
// a number belongs.
TEST(SettingsFile, ADamagedFileChangesNothing) {
    CViewState source = Loaded("lshape");
    ChangeEverything(source);
    source.m_nBuildingAngleStep = 1;
    const std::string bytes = MakeSettingsFileBytes(source);
    const CViewState untouched = Loaded("lshape");
    const std::string reference = MakeSettingsFileBytes(untouched);
    // (Cut after the material it is a whole file as written before the value method.)
    const size_t valueSection = bytes.find("DATAVALUE_SETTING");
    std::vector<std::string> damaged;
    for (size_t at = bytes.find("\r\n"); at + 2 < bytes.size(); at = bytes.find("\r\n", at + 2)) {
        if (at + 2 != valueSection) {
            damaged.push_back(bytes.substr(0, at + 2));
        }
    }
    for (const char* method : {"2", "-1", "x", "1.5"}) {
        damaged.push_back(bytes.substr(0, valueSection) + "DATAVALUE_SETTING\r\n" + method +
                          "\r\n");
    }
    std::string keyword = bytes;
    keyword.replace(keyword.find("SHOW_SETTING"), 4, "SHOE");
    damaged.push_back(keyword);
    std::string huge = bytes;  // a matrix value no float holds (found by the fuzzer)
    size_t matrixLine = 0;
    for (int line = 0; line < 4; ++line) {
        matrixLine = huge.find("\r\n", matrixLine) + 2;
    }
    huge.replace(matrixLine, huge.find(' ', matrixLine) - matrixLine, "1e60");
    damaged.push_back(huge);
    std::string letters = bytes;
    letters.replace(letters.find("COLORBAR_SETTING\r\n") + 18, 3, "abc");
    damaged.push_back(letters);
    for (const std::string& file : damaged) {
        CViewState state = untouched;
        EXPECT_FALSE(ReadSettingsFileBytes(file, state, nullptr)) << file.size();
        EXPECT_EQ(MakeSettingsFileBytes(state), reference) << file.size();
    }
}

}  // namespace
