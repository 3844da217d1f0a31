#include "state/Sidecar.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "dataset/DataSetLoad.h"
#include "field/Compass.h"
#include "field/QuantityKeys.h"
#include "field/ShownValues.h"
#include "io/AtomicFile.h"
#include "text/CodePage.h"

namespace {

// A JSON string: quotes, backslashes and control characters escaped; other bytes as they are
// (the caller hands UTF-8).
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

// The shortest text that reads back as the same double; null for what JSON cannot hold.
std::string Number(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string FileName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

const char* KindName(CSidecarKind kind) {
    switch (kind) {
        case CSidecarKind::Csv:
            return "csv";
        case CSidecarKind::Tolvex:
            return "tolvex";
        case CSidecarKind::Picture:
            break;
    }
    return "picture";
}

}  // namespace

const char* ProgramVersion() {
    return KZV_VERSION;
}

std::string MakeSidecarJson(const CViewState& state, const CSidecarInfo& info) {
    const CDataSet& data = state.m_data;
    const CHeaderFile& header = data.m_header;
    const int count = data.m_cp.m_nDirectionCount;
    const int direction = state.m_settings.m_nDirection;
    const std::pair<const char*, const std::string*> fields[] = {
        {"title", &header.m_strTitle},
        {"affiliation", &header.m_strAffiliation},
        {"measurer", &header.m_strMeasurer},
        {"manager", &header.m_strManager},
        {"summary", &header.m_strSummary},
        {"building_shape", &header.m_strBuildingShape},
        {"roof_shape", &header.m_strRoofShape},
        {"building_size", &header.m_strBuildingSize},
        {"adjacent_condition", &header.m_strAdjacentCondition},
    };

    std::string j = "{\n";
    j += "  \"schema\": \"kzv-sidecar\",\n";
    j += "  \"schema_version\": " + std::to_string(SIDECAR_SCHEMA_VERSION) + ",\n";
    j += "  \"program\": {\"name\": \"KZ_V\", \"version\": " + Quoted(ProgramVersion()) + "},\n";
    j += "  \"output\": {\"file\": " + Quoted(kzv::FileTextToUtf8(FileName(info.outputFile))) +
         ", \"kind\": " + Quoted(KindName(info.kind)) + "},\n";
    j += "  \"data_set\": {\n";
    j += "    \"folder\": " + Quoted(kzv::FileTextToUtf8(data.m_strDataFolder)) + ",\n";
    j += "    \"name\": " + Quoted(kzv::FileTextToUtf8(DataSetName(data.m_strDataFolder))) + ",\n";
    j += "    \"header\": {";
    for (size_t i = 0; i < sizeof fields / sizeof fields[0]; ++i) {
        j += i == 0 ? "\n" : ",\n";
        j += "      " + Quoted(fields[i].first) + ": " +
             Quoted(kzv::FileTextToUtf8(*fields[i].second));
    }
    j += "\n    }\n  },\n";
    // The 16-direction file holds the mean of every direction, whatever is shown.
    const CShownValues shown = info.kind == CSidecarKind::Tolvex
                                   ? MeanOf(ShownValuesOf(data, state.m_settings))
                                   : ShownValuesOf(data, state.m_settings);
    if (info.kind == CSidecarKind::Tolvex) {
        j += "  \"direction\": null,\n";
    } else if (shown.IsEnvelope()) {
        j += "  \"direction\": {\"envelope\": " + Quoted(EnvelopeKey(shown.envelope)) +
             ", \"count\": " + std::to_string(count) + "},\n";
    } else {
        j += "  \"direction\": {\"index\": " + std::to_string(direction) +
             ", \"count\": " + std::to_string(count) +
             ", \"angle\": " + Number(DirectionAngle(count, direction)) + "},\n";
    }
    j += "  \"building_angle\": {\"step\": " + std::to_string(state.m_nBuildingAngleStep) +
         ", \"degrees\": " + Number(BuildingAngle(count, state.m_nBuildingAngleStep)) + "},\n";
    j += "  \"quantity\": " + Quoted(ValueQuantityKey(shown.quantity)) + ",\n";
    j += "  \"colour_scale\": {\"min\": " + Number(state.m_settings.m_dColorMin) +
         ", \"max\": " + Number(state.m_settings.m_dColorMax) +
         ", \"bands\": " + std::to_string(state.m_settings.m_nDivisions) + "},\n";
    if (state.m_strSettingsFile.empty()) {
        j += "  \"settings_file\": null,\n";
    } else {
        j += "  \"settings_file\": {\"path\": " +
             Quoted(kzv::FileTextToUtf8(state.m_strSettingsFile)) +
             ", \"sha256\": " + Quoted(state.m_strSettingsDigest) + "},\n";
    }
    if (info.kind == CSidecarKind::Picture) {
        j += "  \"picture\": {\"width\": " + std::to_string(info.pictureWidth) +
             ", \"height\": " + std::to_string(info.pictureHeight) +
             ", \"scale\": " + std::to_string(info.pictureScale) + "},\n";
    } else {
        j += "  \"picture\": null,\n";
    }
    j += "  \"time\": " + Quoted(info.time) + "\n";
    j += "}\n";
    return j;
}

std::string SidecarTime(long long secondsSinceEpoch) {
    const std::time_t t = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm utc{};
    gmtime_r(&t, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

std::string SidecarTimeNow() {
    return SidecarTime(static_cast<long long>(std::time(nullptr)));
}

bool WriteSidecar(const std::string& outputPath, const CViewState& state, CSidecarInfo info,
                  std::string* error) {
    info.outputFile = outputPath;
    return kzv::WriteFileAtomically(outputPath + SIDECAR_EXTENSION, MakeSidecarJson(state, info),
                                    error);
}
