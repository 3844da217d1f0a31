#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "SampleModel.h"

// Text of the data-set files. Everything is built in UTF-8 with LF line ends and converted to
// the code page and line ends of the set when written.
namespace kzv::samplegen {

enum class LineEnd { CrLf, Lf };

// Descriptive metadata of a data set, UTF-8.
struct HeaderInfo {
    std::string title;
    std::string affiliation;
    std::string measurer;
    std::string manager;
    std::vector<std::string> summary;
    std::string buildingShape;
    std::string roofShape;
    std::string buildingSize;
    std::string adjacent;
};

// A length in millimetres to 0.1 mm, without a trailing ".0" ("10000", "-3333.3").
std::string FormatLength(double mm);

// A pressure coefficient with three decimals; values that round to zero are written "0.000".
std::string FormatCp(double cp);

// A value with the given number of decimals; values that round to zero are written without a
// minus sign.
std::string FormatValue(double v, int decimals);

// "GEOMETRY_FILE" text of the given objects.
std::string GeometryText(const std::vector<GeoObject>& objects);

// "MEASUREPOS_FILE" text of every tap of the mesh.
std::string MeasurePosText(const Mesh& mesh);

// "MESH_FILE" text; triangles get 0 as their fourth corner.
std::string MeshText(const Mesh& mesh);

// "HEADER_FILE" text.
std::string HeaderText(const HeaderInfo& header);

// Writes UTF-8 text as CP932 with the given line ends. Fails, with a one-line reason in
// *error, when the file cannot be written or holds a character CP932 has no code for.
bool WriteTextFile(const std::filesystem::path& path, const std::string& utf8, LineEnd lineEnd,
                   std::string* error);

}  // namespace kzv::samplegen
