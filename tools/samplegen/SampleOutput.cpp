#include "SampleOutput.h"

#include <cmath>
#include <cstdio>
#include <fstream>

#include "text/CodePage.h"

namespace kzv::samplegen {

std::string FormatLength(double mm) {
    double v = std::round(mm * 10.0) / 10.0;
    if (v == 0.0) {
        v = 0.0;  // no "-0"
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    std::string s(buf);
    if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) {
        s.resize(s.size() - 2);
    }
    return s;
}

std::string FormatCp(double cp) {
    double v = std::round(cp * 1000.0) / 1000.0;
    if (v == 0.0) {
        v = 0.0;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    return buf;
}

std::string FormatValue(double v, int decimals) {
    const double scale = std::pow(10.0, decimals);
    double r = std::round(v * scale) / scale;
    if (r == 0.0) {
        r = 0.0;
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, r);
    return buf;
}

namespace {

std::string PointText(const Vec3& p) {
    return FormatLength(p.x) + "," + FormatLength(p.y) + "," + FormatLength(p.z);
}

}  // namespace

std::string GeometryText(const std::vector<GeoObject>& objects) {
    std::string out = "GEOMETRY_FILE,1\n0,0\n" + std::to_string(objects.size()) + "\n";
    for (const GeoObject& obj : objects) {
        out += obj.name + "\n" + std::to_string(obj.faces.size()) + "\n";
        for (const Polygon& face : obj.faces) {
            out += std::to_string(face.size()) + "\n";
            for (const Vec3& p : face) {
                out += PointText(p) + "\n";
            }
        }
    }
    return out;
}

std::string MeasurePosText(const Mesh& mesh) {
    std::string out = "MEASUREPOS_FILE,1\n";
    out.reserve(mesh.taps.size() * 24 + 32);
    for (const Tap& tap : mesh.taps) {
        out += std::to_string(tap.number) + "," + PointText(tap.pos) + "\n";
    }
    return out + "EOF\n";
}

std::string MeshText(const Mesh& mesh) {
    std::string out = "MESH_FILE,1\n";
    out.reserve(mesh.panels.size() * 28 + 32);
    for (const Panel& panel : mesh.panels) {
        out += std::to_string(panel.number);
        for (int32_t c : panel.corners) {
            out += "," + std::to_string(c);
        }
        out += panel.corners.size() == 3 ? ",0\n" : "\n";
    }
    return out + "EOF\n";
}

std::string HeaderText(const HeaderInfo& h) {
    std::string out = "HEADER_FILE,1\n";
    for (const std::string* line : {&h.title, &h.affiliation, &h.measurer, &h.manager}) {
        out += *line + "\n";
    }
    for (const std::string& line : h.summary) {
        out += line + "\n";
    }
    out += "END\n";
    for (const std::string* line : {&h.buildingShape, &h.roofShape, &h.buildingSize, &h.adjacent}) {
        out += *line + "\n";
    }
    return out;
}

bool WriteTextFile(const std::filesystem::path& path, const std::string& utf8, LineEnd lineEnd,
                   std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error != nullptr) {
            *error = path.string() + ": " + why;
        }
        return false;
    };
    bool ascii = true;
    for (unsigned char c : utf8) {
        ascii = ascii && c < 0x80;
    }
    std::string bytes = utf8;
    if (!ascii) {
        // The converter writes '?' for a character it cannot map; a round trip catches that.
        bytes = kzv::Utf8ToCp932(utf8);
        if (kzv::Cp932ToUtf8(bytes) != utf8) {
            return fail("text has a character that CP932 cannot hold");
        }
    }
    if (lineEnd == LineEnd::CrLf) {
        std::string crlf;
        crlf.reserve(bytes.size() + bytes.size() / 16);
        for (char c : bytes) {
            if (c == '\n') {
                crlf += '\r';
            }
            crlf += c;
        }
        bytes.swap(crlf);
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return fail("cannot open for writing");
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        return fail("write failed");
    }
    return true;
}

}  // namespace kzv::samplegen
