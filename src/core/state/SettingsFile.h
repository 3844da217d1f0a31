#pragma once

#include <string>
#include <string_view>

#include "state/ViewState.h"
#include "text/Translatable.h"

// The display-settings file (".set"): camera, direction and building-angle slider, the parts'
// modes and colours, the display switches, contours, colour scale, labels and their slots, the
// comment block, the material and the value method of arbitrary points, as text in CP932 with
// CR LF line ends (version 2). The value method is a last section, "DATAVALUE_SETTING" and
// the method (0 linear, 1 inverse-distance mean), after the material, where readers that do
// not know it stop reading.

// Keywords and messages of the file and its two commands.
inline constexpr const char* SETTINGS_FILE_DESCRIPTION = KZV_TR_NOOP("Core", "設定ファイル");
inline constexpr const char* SETTINGS_FILE_EXTENSION = "set";
inline constexpr const char* SETTINGS_FILE_DEFAULT_NAME = "setting";
inline constexpr const char* MSG_SETTINGS_WRITE_FAILED =
    KZV_TR_NOOP("Core", "設定ファイルの書き込みに失敗しました。");
inline constexpr const char* MSG_SETTINGS_READ_FAILED =
    KZV_TR_NOOP("Core", "設定ファイルの読み込みに失敗しました。");

// The file's bytes for the state (the building-angle step is the state's).
std::string MakeSettingsFileBytes(const CViewState& state);

// What a read took from a file besides the state.
struct CSettingsFileRead {
    int version = 0;
    bool sameDataSet = false;  // line 1 names the loaded data set's folder
    int sliderPosition = 0;    // 0 for a file of another data set
};

// Reads a file's bytes (CR LF or LF line ends) and, only when the whole file was read without
// a failed check, applies it to the state: a damaged file changes nothing. The direction, the
// slider position and the panels' contour flags are taken only from a file of the loaded data
// set; part groups beyond the geometry's parts are ignored, parts without a group keep theirs.
// A version 1 file leaves what it lacks as it was, and so does a version 2 file that ends
// after the material (no value method); a version above 2 fails, and so does a value method
// other than 0 or 1.
bool ReadSettingsFileBytes(std::string_view bytes, CViewState& state, CSettingsFileRead* read);

// The file at path read as above (only a regular file of reasonable size; lines joined with
// LF). False when it cannot be read or a check fails; the state is then unchanged.
bool ReadSettingsFile(const std::string& path, CViewState& state, CSettingsFileRead* read);
// The file at path applied as the command "ファイルから読み込む" applies it: read as above, then
// the direction wrapped into the data set's and the building turned to the file's step (0 for
// another data set's file; the arbitrary points go). False, changing nothing, when it cannot be
// read. Announcing it (ASPECT_DISPLAY | ASPECT_POSITIONS) is the caller's edit.
bool ApplySettingsFile(const std::string& path, CViewState& state);
// Writes the file through a temporary file that replaces path only when complete, so a
// failed save keeps the previous file. False (with the reason) when it fails.
bool WriteSettingsFile(const std::string& path, const CViewState& state,
                       std::string* error = nullptr);
