#include "dataset/Geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "dataset/LineReader.h"
#include "geometry/VectorFunctions.h"
#include "text/NumberParse.h"

using kzv::CLineReader;
using kzv::CTextCursor;

namespace {

// Names are read from a line buffer of 512 characters.
constexpr size_t kMaxNameLength = 511;

// How far an item was read: not at all (its first line is missing or does not parse), in part,
// or completely.
enum class ReadResult { Nothing, Partial, Complete };

// Notes in info (when given) why an item stopped: the file ended, or the line just read did
// not parse. Returns false for the caller to pass on.
bool Stop(const CLineReader& reader, kzv::CFileReadInfo* info, bool gotLine,
          const std::string& line) {
    if (info != nullptr) {
        if (!gotLine) {
            info->endsEarly = true;
        } else {
            info->stoppedAtLine = reader.LineNumber();
            info->decimalCommaLines = kzv::LooksLikeDecimalComma(line) ? 1 : 0;
        }
    }
    return false;
}

// A count line: an integer, the rest of the line ignored. A negative count is not a count.
bool ReadCount(CLineReader& reader, int& count, kzv::CFileReadInfo* info) {
    std::string line;
    const bool gotLine = reader.ReadLine(line);
    if (gotLine && CTextCursor(line).ReadInt(count) && count >= 0) {
        return true;
    }
    return Stop(reader, info, gotLine, line);
}

// A corner line: x, y and z, each pair separated by exactly one character of any kind
// (blanks before a number are skipped by the number read); the rest of the line is ignored.
// A line of numbers with decimal commas ("1,5;2,5;0") is not a corner: read this way it would
// give (1, 5, 2).
bool ReadCorner(CLineReader& reader, CVector4& corner, kzv::CFileReadInfo* info) {
    std::string line;
    if (!reader.ReadLine(line)) {
        return Stop(reader, info, false, line);
    }
    CTextCursor c(line);
    float x = 0, y = 0, z = 0;
    if (kzv::LooksLikeDecimalComma(line) || !c.ReadFloat(x) || !c.SkipOne() || !c.ReadFloat(y) ||
        !c.SkipOne() || !c.ReadFloat(z)) {
        return Stop(reader, info, true, line);
    }
    corner = CVector4(x, y, z, 0.0f);
    return true;
}

// Corners are appended as they are read, never allocated from the count up front: the count
// is only an upper bound that the file may not honour.
ReadResult ReadFaceLines(CLineReader& reader, CGeometryFace& face, kzv::CFileReadInfo* info) {
    face.m_vertices.clear();
    int count = 0;
    if (!ReadCount(reader, count, info)) {
        return ReadResult::Nothing;
    }
    for (int i = 0; i < count; ++i) {
        CVector4 corner;
        if (!ReadCorner(reader, corner, info)) {
            return ReadResult::Partial;
        }
        // A corner beyond the usable coordinates is left out: with it the geometry's extent
        // would shrink the fitted picture to nothing.
        if (std::fabs(corner.x) > kzv::kMaxUsableCoordinate ||
            std::fabs(corner.y) > kzv::kMaxUsableCoordinate ||
            std::fabs(corner.z) > kzv::kMaxUsableCoordinate) {
            if (info != nullptr) {
                info->NoteUnusable(reader.LineNumber());
            }
            continue;
        }
        face.m_vertices.push_back(corner);
    }
    return ReadResult::Complete;
}

ReadResult ReadObjectLines(CLineReader& reader, CGeometryObject& obj, kzv::CFileReadInfo* info) {
    obj.m_faces.clear();
    std::string line;
    if (!reader.ReadLine(line)) {
        obj.m_strName.clear();
        Stop(reader, info, false, line);
        return ReadResult::Nothing;
    }
    obj.m_strName = line.substr(0, std::min(line.find(','), kMaxNameLength));
    int count = 0;
    if (!ReadCount(reader, count, info)) {
        return ReadResult::Partial;
    }
    for (int i = 0; i < count; ++i) {
        CGeometryFace face;
        const ReadResult r = ReadFaceLines(reader, face, info);
        if (r != ReadResult::Nothing) {
            obj.m_faces.push_back(std::move(face));
        }
        if (r != ReadResult::Complete) {
            return ReadResult::Partial;
        }
    }
    return ReadResult::Complete;
}

}  // namespace

CGeometry& CGeometry::operator=(const CGeometry& other) {
    if (this != &other) {
        m_vHeader = other.m_vHeader;
        m_objects = other.m_objects;
    }
    return *this;
}

bool CGeometry::Load(const char* path, kzv::CFileReadInfo* info) {
    m_objects.clear();
    kzv::CFileReadInfo scratch;
    kzv::CFileReadInfo& report = info != nullptr ? *info : scratch;
    report = kzv::CFileReadInfo();
    report.byteLimit = kzv::kGeometryFileLimit;

    CLineReader reader;
    report.fault = kzv::OpenDataFile(reader, path, m_strTag, m_nVersion, kzv::kGeometryFileLimit);
    if (report.fault != kzv::FileFault::None) {
        return false;
    }

    // Line 2, "%g,%g". When it is missing or does not parse, the numbers are zero and the body
    // is not read.
    std::string line;
    float hx = 0, hy = 0;
    bool headerOk = false;
    const bool gotLine = reader.ReadLine(line);
    if (gotLine) {
        CTextCursor c(line);
        headerOk = c.ReadFloat(hx) && c.Expect(',') && c.ReadFloat(hy);
    }
    if (!headerOk) {
        Stop(reader, &report, gotLine, line);
    }
    m_vHeader = headerOk ? CVector4(hx, hy, 0.0f, 0.0f) : CVector4();

    int count = 0;
    if (headerOk && ReadCount(reader, count, &report)) {
        for (int i = 0; i < count; ++i) {
            CGeometryObject obj;
            const ReadResult r = ReadObjectLines(reader, obj, &report);
            if (r != ReadResult::Nothing) {
                m_objects.push_back(std::move(obj));
            }
            if (r != ReadResult::Complete) {
                break;
            }
        }
    }

    if (reader.Fault() != kzv::FileFault::None) {
        // Grew past the limit or failed while being read: nothing of it is kept.
        report = kzv::CFileReadInfo{reader.Fault(), kzv::kGeometryFileLimit};
        m_objects.clear();
        return false;
    }
    ResetObjectStyles();
    return true;
}

bool CGeometry::ReadObject(CLineReader& reader, CGeometryObject& obj) {
    return ReadObjectLines(reader, obj, nullptr) == ReadResult::Complete;
}

bool CGeometry::ReadFace(CLineReader& reader, CGeometryFace& face) {
    return ReadFaceLines(reader, face, nullptr) == ReadResult::Complete;
}

void CGeometry::ResetObjectStyles() {
    for (CGeometryObject& obj : m_objects) {
        obj.m_color = CVector4(0.7f, 0.7f, 0.7f, 0.0f);
        obj.m_nDisplayMode = 1;
    }
}

void CGeometry::GetBounds(CVector4& min, CVector4& max) const {
    constexpr float kHuge = std::numeric_limits<float>::max();
    float lo[3] = {kHuge, kHuge, kHuge};
    float hi[3] = {-kHuge, -kHuge, -kHuge};
    bool any = false;
    for (const CGeometryObject& obj : m_objects) {
        for (const CGeometryFace& face : obj.m_faces) {
            for (const CVector4& v : face.m_vertices) {
                const float p[3] = {v.x, v.y, v.z};
                for (int k = 0; k < 3; ++k) {
                    lo[k] = std::min(lo[k], p[k]);
                    hi[k] = std::max(hi[k], p[k]);
                }
                any = true;
            }
        }
    }
    if (!any) {
        std::fill(lo, lo + 3, 0.0f);
        std::fill(hi, hi + 3, 0.0f);
    }
    min.Set(lo[0], lo[1], lo[2]);
    max.Set(hi[0], hi[1], hi[2]);
}

CVector4 CGeometry::GetSize() const {
    CVector4 lo, hi;
    GetBounds(lo, hi);
    return CVector4(hi.x - lo.x, hi.y - lo.y, hi.z - lo.z, 0.0f);
}

void CGeometry::RotateAboutZ(double radians) {
    const CVector4 origin;
    for (CGeometryObject& obj : m_objects) {
        for (CGeometryFace& face : obj.m_faces) {
            for (CVector4& v : face.m_vertices) {
                v = RotateAboutAxis(PLANE_XY, radians, origin, v);
            }
        }
    }
}
