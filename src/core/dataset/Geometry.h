#pragma once

#include <string>
#include <vector>

#include "dataset/FileReadInfo.h"
#include "geometry/Vector4.h"

namespace kzv {
class CLineReader;
}

// One polygon of a geometry object: its corners in file order (w = 0). The polygon is closed
// implicitly, last corner back to the first.
class CGeometryFace {
public:
    std::vector<CVector4> m_vertices;
};

// A named object of a geometry file: its faces, and how the view draws it.
class CGeometryObject {
public:
    std::string m_strName;
    std::vector<CGeometryFace> m_faces;
    CVector4 m_color{0.7f, 0.7f, 0.7f, 0.0f};
    int m_nDisplayMode = 1;  // 0 surface, 1 outline, 2 hidden
};

// A "GEOMETRY_FILE" polygon file ("main.geo", "sub.geo"): named objects made of faces.
class CGeometry {
public:
    CGeometry() = default;
    CGeometry(const CGeometry&) = default;
    CGeometry& operator=(const CGeometry& other);

    int m_nVersion = 1;
    std::string m_strTag = "GEOMETRY_FILE";
    CVector4 m_vHeader;  // the two numbers of line 2 in x and y
    std::vector<CGeometryObject> m_objects;

    // Reads the file. False (with no objects) when it cannot be opened or its first line is
    // not "GEOMETRY_FILE,<version <= 1>". Once that line is accepted the result is true: the
    // body is read up to its end or up to the first item that does not parse, and everything
    // read before that point is kept. An object or face whose first line was read stays, with
    // the faces or corners read after it; nothing is created for items the file only counts.
    // info, when given, receives why the file was refused, or where and why reading its body
    // stopped.
    bool Load(const char* path, kzv::CFileReadInfo* info = nullptr);

    // Reads one object (name line, face count, faces) into obj, replacing its name and faces.
    // False when a line is missing or does not parse; obj then holds what was read.
    static bool ReadObject(kzv::CLineReader& reader, CGeometryObject& obj);
    // Reads one face (corner count, corner lines) into face, replacing its corners. False
    // when a line is missing or does not parse; face then holds the corners read.
    static bool ReadFace(kzv::CLineReader& reader, CGeometryFace& face);

    // Every object grey (0.7, 0.7, 0.7, 0) and drawn as outlines.
    void ResetObjectStyles();

    // Extent over every corner: (maxX - minX, maxY - minY, maxZ - minZ, 0). Zero for a
    // geometry without corners.
    CVector4 GetSize() const;
    // Smallest and largest x, y, z over every corner; w of both untouched. Both are (0, 0, 0)
    // for a geometry without corners.
    void GetBounds(CVector4& min, CVector4& max) const;

    // Turns every corner about the Z axis through the origin (counter-clockwise seen from +z);
    // x and y are snapped to tenths.
    void RotateAboutZ(double radians);
};
