#pragma once

#include <string>

#include "state/ViewState.h"

// The record of how an output was made: a small JSON file "NAME.json" beside every picture and
// export (NAME is the output's whole file name, "gable_d03.png.json"), written by the batch and
// by the window's image save and exports. One object, UTF-8, keys in a fixed order:
//
//   schema          "kzv-sidecar"
//   schema_version  SIDECAR_SCHEMA_VERSION; a reader refuses a version it does not know
//   program         {"name": "KZ_V", "version": "<version>"}
//   output          {"file": "<name of the output>", "kind": "picture" | "csv" | "tolvex"}
//   data_set        {"folder", "name", "header": {the nine header fields, as UTF-8 text}}
//   direction       {"index", "count", "angle"} of the direction shown, or {"envelope",
//                   "count"} for the envelope over every direction ("max", "min", "absmax");
//                   null for the 16-direction file, which holds every direction
//   building_angle  {"step", "degrees"}: the building-angle slider and its angle
//   quantity        the table shown: "mean", "max", "min", "rms", "peakmax", "peakmin" or
//                   "difference" (the 16-direction file: always "mean")
//   colour_scale    {"min", "max", "bands"}
//   settings_file   {"path", "sha256"} of the settings file applied, or null
//   picture         {"width", "height", "scale"} in pixels, or null for an export
//   time            when the output was written, UTC, "YYYY-MM-DDThh:mm:ssZ"

// Version 2 names the quantity shown and the envelope (version 1 knew the mean only).
constexpr int SIDECAR_SCHEMA_VERSION = 2;
inline constexpr const char* SIDECAR_EXTENSION = ".json";

enum class CSidecarKind { Picture, Csv, Tolvex };

// The program's version, as the sidecar records it.
const char* ProgramVersion();

struct CSidecarInfo {
    std::string outputFile;  // the output's file name (or path; only its last part is kept)
    CSidecarKind kind = CSidecarKind::Picture;
    int pictureWidth = 0;  // pictures only
    int pictureHeight = 0;
    int pictureScale = 1;
    std::string time;  // see SidecarTime
};

// The sidecar's text for an output made from state.
std::string MakeSidecarJson(const CViewState& state, const CSidecarInfo& info);

// The time in the sidecar's form for seconds since 1970 (UTC).
std::string SidecarTime(long long secondsSinceEpoch);
// Now, in that form.
std::string SidecarTimeNow();

// Writes MakeSidecarJson beside outputPath (outputPath + ".json") so that a failure leaves no
// half file; info.outputFile is taken from outputPath. False with the reason when it fails.
bool WriteSidecar(const std::string& outputPath, const CViewState& state, CSidecarInfo info,
                  std::string* error = nullptr);
