#include "SampleGen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <system_error>
#include <utility>
#include <vector>

#include "SampleModel.h"
#include "SampleOutput.h"

namespace fs = std::filesystem;

namespace kzv::samplegen {

namespace {

struct DataSet;

// Files of a Documents folder (name, UTF-8 text), made from a set and its finished Cp table.
using DocumentsFn = std::vector<std::pair<std::string, std::string>> (*)(
    const DataSet&, const std::vector<double>&);

// Everything that goes into one data-set folder.
struct DataSet {
    std::string name;
    int directions = 8;
    LineEnd lineEnd = LineEnd::CrLf;
    std::vector<GeoObject> mainObjects;
    std::vector<GeoObject> subObjects;
    std::vector<Surface> surfaces;
    Mesh mesh;
    std::vector<std::string> cpPreamble;     // comment lines after the direction count
    bool surfaceComments = false;            // a comment line before each surface's records
    std::map<int32_t, std::string> missing;  // taps left out of cp.dat, with the comment line
    HeaderInfo header;
    DocumentsFn documents = nullptr;  // no Documents folder when null
    // Also the tables of the statistics beside the mean (cpmax.dat, cpmin.dat, cprms.dat,
    // cppeakmax.dat, cppeakmin.dat) with the same records, comments and missing taps.
    bool statistics = false;
    // The neighbours' shelter in the Cp values: on the west half of the building, a wind from
    // the west sector (where the neighbouring house stands) loses part of its pressure and
    // suction. Off for the bundled samples, whose values have no neighbour effect.
    bool sheltered = false;
};

constexpr Vec3 kUp{0.0, 0.0, 1.0};

Vec3 At(const Vec3& p, double z) {
    return {p.x, p.y, z};
}

// Compass side a horizontal outward normal faces.
const char* Facing(const Vec3& n, bool japanese) {
    if (std::fabs(n.x) > std::fabs(n.y)) {
        return n.x > 0 ? (japanese ? "東" : "east") : (japanese ? "西" : "west");
    }
    return n.y > 0 ? (japanese ? "北" : "north") : (japanese ? "南" : "south");
}

// A wall standing on the ground line a-b (b is to the right seen from outside).
Surface WallSurface(const Vec3& a, const Vec3& b, double height, int index, bool japanese) {
    Surface s;
    s.kind = SurfaceKind::Wall;
    s.start = At(a, 0.0);
    s.end = At(b, 0.0);
    s.normal = Normalized(Cross(s.end - s.start, kUp));
    s.height = height;
    const std::string facing = Facing(s.normal, japanese);
    s.label = japanese ? "壁面" + std::to_string(index) + "（" + facing + "面）"
                       : "wall " + std::to_string(index) + " (" + facing + " face)";
    return s;
}

Surface RoofSurface(const std::string& label, const Polygon& face, const std::vector<Vec3>& plan) {
    Surface s;
    s.kind = SurfaceKind::Roof;
    s.label = label;
    s.normal = Normalized(Cross(face[1] - face[0], face[face.size() - 1] - face[0]));
    s.outline = plan;
    return s;
}

// Wall patch: `levels` rows of `count` taps from the ground to `top`.
MeshPatch WallPatch(int surface, const Surface& s, double top, int levels, int count) {
    MeshPatch p;
    p.surface = surface;
    p.graded = true;
    p.rows = QuadRows(s.start, s.end, At(s.start, top), At(s.end, top), levels, count, true);
    return p;
}

// Faces of a house over x0..x1, y0..y1 with the ridge along x at mid-depth: south wall, east
// gable end, north wall, west gable end, south slope, north slope.
std::vector<Polygon> GableFaces(double x0, double y0, double x1, double y1, double eave,
                                double ridge) {
    const double ym = 0.5 * (y0 + y1);
    return {
        {{x0, y0, 0}, {x1, y0, 0}, {x1, y0, eave}, {x0, y0, eave}},
        {{x1, y0, 0}, {x1, y1, 0}, {x1, y1, eave}, {x1, ym, ridge}, {x1, y0, eave}},
        {{x1, y1, 0}, {x0, y1, 0}, {x0, y1, eave}, {x1, y1, eave}},
        {{x0, y1, 0}, {x0, y0, 0}, {x0, y0, eave}, {x0, ym, ridge}, {x0, y1, eave}},
        {{x0, y0, eave}, {x1, y0, eave}, {x1, ym, ridge}, {x0, ym, ridge}},
        {{x1, y1, eave}, {x0, y1, eave}, {x0, ym, ridge}, {x1, ym, ridge}},
    };
}

int32_t TapNumberAt(const Mesh& mesh, int surface, size_t k) {
    size_t seen = 0;
    for (const Tap& tap : mesh.taps) {
        if (tap.surface == surface && seen++ == k) {
            return tap.number;
        }
    }
    return 0;
}

double DirectionAngle(int d, int n) {
    return 360.0 * d / n;
}

// Cp of every tap for every direction, tap by tap, rounded as written.
std::vector<double> CpTable(const DataSet& set) {
    const size_t n = static_cast<size_t>(set.directions);
    std::vector<double> cp(set.mesh.taps.size() * n);
    for (size_t i = 0; i < set.mesh.taps.size(); ++i) {
        const Tap& tap = set.mesh.taps[i];
        const Surface& surface = set.surfaces[static_cast<size_t>(tap.surface)];
        for (size_t d = 0; d < n; ++d) {
            const double theta = DirectionAngle(static_cast<int>(d), set.directions);
            double value = SyntheticCp(surface, tap.pos, tap.number, theta);
            if (set.sheltered) {
                const double kPi = 3.14159265358979323846;
                const double fromWest = std::max(0.0, std::cos((theta - 270.0) * kPi / 180.0));
                const double westward = std::clamp(-tap.pos.x / 6000.0, 0.0, 1.0);
                value *= 1.0 - 0.5 * fromWest * westward;
            }
            cp[i * n + d] = std::round(value * 1000.0) / 1000.0;
        }
    }
    return cp;
}

// The text of a table in the format of cp.dat: values with `decimals` decimals, and after the
// set's preamble (when it has one) the comment line `what`, when given.
std::string CpText(const DataSet& set, const std::vector<double>& cp, int decimals = 3,
                   const char* what = nullptr) {
    const size_t n = static_cast<size_t>(set.directions);
    std::string out = "CP_FILE,1\n" + std::to_string(set.directions) + "\n";
    out.reserve(set.mesh.taps.size() * (8 + (static_cast<size_t>(decimals) + 4) * n) + 256);
    for (const std::string& line : set.cpPreamble) {
        out += "# " + line + "\n";
    }
    if (what != nullptr && !set.cpPreamble.empty()) {
        out += std::string("# ") + what + "\n";
    }
    int surface = -1;
    for (size_t i = 0; i < set.mesh.taps.size(); ++i) {
        const Tap& tap = set.mesh.taps[i];
        if (set.surfaceComments && tap.surface != surface) {
            out += "# " + set.surfaces[static_cast<size_t>(tap.surface)].label + "\n";
        }
        surface = tap.surface;
        const auto missing = set.missing.find(tap.number);
        if (missing != set.missing.end()) {
            out += "# " + missing->second + "\n";
            continue;
        }
        out += std::to_string(tap.number);
        for (size_t d = 0; d < n; ++d) {
            out += ",";
            out += decimals == 3 ? FormatCp(cp[i * n + d]) : FormatValue(cp[i * n + d], decimals);
        }
        out += "\n";
    }
    return out + "EOF\n";
}

// The statistics tables of a set whose mean is cp (as written), in the order of kStatistics.
std::vector<std::vector<double>> StatisticsTables(const DataSet& set,
                                                  const std::vector<double>& cp) {
    const size_t n = static_cast<size_t>(set.directions);
    std::vector<std::vector<double>> tables(5, std::vector<double>(cp.size()));
    for (size_t i = 0; i < set.mesh.taps.size(); ++i) {
        const Tap& tap = set.mesh.taps[i];
        const Surface& surface = set.surfaces[static_cast<size_t>(tap.surface)];
        for (size_t d = 0; d < n; ++d) {
            const size_t k = i * n + d;
            const CpStatistics st =
                SyntheticStatistics(surface, tap.pos, tap.number,
                                    DirectionAngle(static_cast<int>(d), set.directions), cp[k]);
            tables[0][k] = st.max;
            tables[1][k] = st.min;
            tables[2][k] = st.rms;
            tables[3][k] = st.peakMax;
            tables[4][k] = st.peakMin;
        }
    }
    return tables;
}

// File names and comment lines of the statistics tables.
constexpr std::pair<const char*, const char*> kStatistics[] = {
    {"cpmax.dat", "maximum Cp over the sampling time"},
    {"cpmin.dat", "minimum Cp over the sampling time"},
    {"cprms.dat", "standard deviation (rms) of Cp"},
    {"cppeakmax.dat", "estimated peak of the maximum Cp"},
    {"cppeakmin.dat", "estimated peak of the minimum Cp"},
};

// Four decimals, as measured tables have, unless a line of many directions would then grow
// beyond 511 characters.
int StatisticsDecimals(int directions) {
    return directions <= 56 ? 4 : 3;
}

// Creates folder and its parents when missing; on failure *error (when given) says why.
bool MakeFolder(const fs::path& folder, std::string* error) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec && error != nullptr) {
        *error = folder.string() + ": cannot create folder: " + ec.message();
    }
    return !ec;
}

bool WriteDataSet(const DataSet& set, const fs::path& folder, std::string* error) {
    if (!MakeFolder(folder, error)) {
        return false;
    }
    const std::vector<double> cp = CpTable(set);
    const std::pair<const char*, std::string> files[] = {
        {"main.geo", GeometryText(set.mainObjects)},
        {"sub.geo", GeometryText(set.subObjects)},
        {"measure.pos", MeasurePosText(set.mesh)},
        {"mesh.msh", MeshText(set.mesh)},
        {"cp.dat", CpText(set, cp)},
        {"header", HeaderText(set.header)},
    };
    for (const auto& [name, text] : files) {
        if (!WriteTextFile(folder / name, text, set.lineEnd, error)) {
            return false;
        }
    }
    if (set.statistics) {
        const std::vector<std::vector<double>> tables = StatisticsTables(set, cp);
        for (size_t t = 0; t < tables.size(); ++t) {
            const auto& [name, what] = kStatistics[t];
            const std::string text =
                CpText(set, tables[t], StatisticsDecimals(set.directions), what);
            if (!WriteTextFile(folder / name, text, set.lineEnd, error)) {
                return false;
            }
        }
    }
    if (set.documents == nullptr) {
        return true;
    }
    const fs::path docs = folder / "Documents";
    if (!MakeFolder(docs, error)) {
        return false;
    }
    for (const auto& [name, text] : set.documents(set, cp)) {
        if (!WriteTextFile(docs / name, text, set.lineEnd, error)) {
            return false;
        }
    }
    return true;
}

// Per direction: the highest and lowest Cp with their taps and the mean over all taps.
std::vector<std::pair<std::string, std::string>> TowerReport(const DataSet& set,
                                                             const std::vector<double>& cp) {
    const size_t n = static_cast<size_t>(set.directions);
    std::string csv = "方位番号,風向角(度),最大Cp,最大Cp測定点,最小Cp,最小Cp測定点,平均Cp\n";
    for (size_t d = 0; d < n; ++d) {
        double hi = -1e9, lo = 1e9, sum = 0.0;
        int32_t hiTap = 0, loTap = 0;
        int count = 0;
        for (size_t i = 0; i < set.mesh.taps.size(); ++i) {
            const int32_t tapNo = set.mesh.taps[i].number;
            if (set.missing.count(tapNo) != 0) {
                continue;
            }
            const double v = cp[i * n + d];
            if (v > hi) {
                hi = v;
                hiTap = tapNo;
            }
            if (v < lo) {
                lo = v;
                loTap = tapNo;
            }
            sum += v;
            ++count;
        }
        char angle[32];
        std::snprintf(angle, sizeof angle, "%g",
                      DirectionAngle(static_cast<int>(d), set.directions));
        csv += std::to_string(d) + "," + angle + "," + FormatCp(hi) + "," + std::to_string(hiTap) +
               "," + FormatCp(lo) + "," + std::to_string(loTap) + "," + FormatCp(sum / count) +
               "\n";
    }
    return {{"report.csv", csv}};
}

std::vector<std::pair<std::string, std::string>> LShapeMemo(const DataSet& set,
                                                            const std::vector<double>&) {
    std::string memo = "L字形平面中層建物 風圧実験メモ\n\n";
    memo += "・風向は 32 方位、11.25 度間隔。方位 0 は -Y 側から +Y 側へ吹く風。\n";
    memo += "・測定点数 " + std::to_string(set.mesh.taps.size()) + "、パネル数 " +
            std::to_string(set.mesh.panels.size()) + "。\n";
    for (const auto& entry : set.missing) {
        memo += "・測定点 " + std::to_string(entry.first) + " は欠測（cp.dat に記録なし）。\n";
    }
    memo += "・周辺建物 4 棟は sub.geo に収録。\n";
    return {{"memo.txt", memo}};
}

const char* const kWindConvention =
    "direction d of N: wind blows towards bearing d*360/N deg clockwise from +y "
    "(d = 0: from -y to +y)";

// A flat-roofed square prism centred on the origin: its plan (counter-clockwise from above,
// from the south-west corner), its roof face over the same corners, and the TOWER object made
// of its walls and roof.
struct SquareTower {
    std::vector<Vec3> plan;
    Polygon roof;
    GeoObject object;
};

SquareTower MakeSquareTower(double width, double height) {
    SquareTower t;
    const double r = width / 2;
    t.plan = {{-r, -r, 0}, {r, -r, 0}, {r, r, 0}, {-r, r, 0}};
    for (const Vec3& p : t.plan) {
        t.roof.push_back(At(p, height));
    }
    t.object = {"TOWER", PrismWalls(t.plan, height)};
    t.object.faces.push_back(t.roof);
    return t;
}

// A 20 m square tower 60 m tall with a flat roof meshed in triangles.
DataSet Tower() {
    DataSet set;
    set.name = "tower";
    set.directions = 16;
    set.lineEnd = LineEnd::CrLf;
    const double h = 60000.0;
    const SquareTower tower = MakeSquareTower(20000.0, h);
    const std::vector<Vec3>& plan = tower.plan;
    const Polygon& roof = tower.roof;
    set.mainObjects = {tower.object};

    std::vector<MeshPatch> patches;
    for (size_t i = 0; i < plan.size(); ++i) {
        set.surfaces.push_back(
            WallSurface(plan[i], plan[(i + 1) % plan.size()], h, static_cast<int>(i) + 1, false));
        patches.push_back(WallPatch(static_cast<int>(i), set.surfaces.back(), h, 13, 7));
    }
    set.surfaces.push_back(RoofSurface("roof", roof, plan));
    MeshPatch roofPatch;
    roofPatch.surface = 4;
    roofPatch.triangles = true;
    roofPatch.rows = QuadRows(roof[0], roof[1], roof[3], roof[2], 7, 7, false);
    patches.push_back(roofPatch);
    set.mesh = BuildMesh(patches, static_cast<int>(set.surfaces.size()));

    const int32_t blocked = TapNumberAt(set.mesh, 2, 45);
    set.missing[blocked] = "tap " + std::to_string(blocked) + ": tube blocked, no record";
    set.cpPreamble = {"square tower 20 m x 20 m x 60 m, 16 directions", kWindConvention,
                      "Cp referred to the velocity pressure at roof height"};
    set.surfaceComments = true;
    set.header.title = "正方形断面高層建物の風圧実験（サンプル）";
    set.header.affiliation = "サンプル大学 工学部 建築学科 風工学研究室";
    set.header.measurer = "山田 太郎";
    set.header.manager = "佐藤 花子";
    set.header.summary = {
        "境界層風洞における正方形断面高層建物模型の外圧測定。",
        "模型縮尺 1/300、地表面粗度区分 III 相当の気流。",
        "風圧係数は建物頂部高さの速度圧で基準化。",
        "16 方位（22.5 度間隔）。方位 0 は -Y 側から吹く風。",
        "測定点 " + std::to_string(blocked) + " は導圧管の閉塞により欠測。",
    };
    set.header.buildingShape = "正方形平面の塔状建物";
    set.header.roofShape = "陸屋根";
    set.header.buildingSize = "20m × 20m × 高さ 60m";
    set.header.adjacent = "なし（単独建物）";
    set.documents = TowerReport;
    return set;
}

// A 12 m x 8 m house, eaves at 6 m, ridge at 9 m along x; two neighbours.
DataSet Gable() {
    DataSet set;
    set.name = "gable";
    set.directions = 8;
    set.lineEnd = LineEnd::Lf;
    const double x0 = -6000, y0 = -4000, x1 = 6000, y1 = 4000, eave = 6000, ridge = 9000;
    const std::vector<Polygon> faces = GableFaces(x0, y0, x1, y1, eave, ridge);
    set.mainObjects = {{"WALL", {faces[0], faces[1], faces[2], faces[3]}},
                       {"ROOF", {faces[4], faces[5]}}};
    std::vector<Polygon> house = GableFaces(-24000, -5000, -14000, 5000, 5500, 8000);
    set.subObjects = {{"HOUSE_W", house}, BoxObject("GARAGE", 10000, -10000, 16000, -4000, 3000)};

    const std::vector<Vec3> plan = {{x0, y0, 0}, {x1, y0, 0}, {x1, y1, 0}, {x0, y1, 0}};
    std::vector<MeshPatch> patches;
    for (size_t i = 0; i < 4; ++i) {
        const Surface s =
            WallSurface(plan[i], plan[(i + 1) % 4], eave, static_cast<int>(i) + 1, false);
        set.surfaces.push_back(s);
        const bool gableEnd = i % 2 == 1;
        MeshPatch p = WallPatch(static_cast<int>(i), s, eave, 5, gableEnd ? 7 : 9);
        if (gableEnd) {
            // The triangle above the eaves: rows that shorten to the single tap at the apex,
            // joined by strips of triangles.
            const Vec3 apex = At(Lerp(s.start, s.end, 0.5), ridge);
            for (int k = 1; k <= 4; ++k) {
                const double f = k / 4.0;
                const int count = static_cast<int>(std::floor(6.0 * (1.0 - f) + 0.5)) + 1;
                p.rows.push_back(
                    {Lerp(At(s.start, eave), apex, f), Lerp(At(s.end, eave), apex, f), count});
            }
        }
        patches.push_back(p);
    }
    for (int k = 0; k < 2; ++k) {
        const Polygon& slope = faces[static_cast<size_t>(4 + k)];
        set.surfaces.push_back(RoofSurface(k == 0 ? "south slope" : "north slope", slope, plan));
        MeshPatch p;
        p.surface = 4 + k;
        p.graded = true;
        p.rows = QuadRows(slope[0], slope[1], slope[3], slope[2], 5, 9, true);
        patches.push_back(p);
    }
    set.mesh = BuildMesh(patches, static_cast<int>(set.surfaces.size()));

    set.header.title = "切妻屋根低層住宅の風圧実験（サンプル）";
    set.header.affiliation = "サンプル大学 工学部 建築学科 風工学研究室";
    set.header.measurer = "田中 一郎";
    set.header.manager = "佐藤 花子";
    set.header.summary = {
        "住宅地に建つ切妻屋根 2 階建て住宅模型の外圧測定。",
        "模型縮尺 1/100、屋根勾配 約 37 度。",
        "8 方位（45 度間隔）。棟は X 方向。",
    };
    set.header.buildingShape = "長方形平面の住宅";
    set.header.roofShape = "切妻屋根";
    set.header.buildingSize = "12m × 8m × 軒高 6m（棟高 9m）";
    set.header.adjacent = "西側に切妻住宅 1 棟、南東に車庫 1 棟";
    set.statistics = true;
    return set;
}

// An L-shaped block 30 m tall over a 30 m x 30 m square with 12 m wide arms; four neighbours.
DataSet LShape() {
    DataSet set;
    set.name = "lshape";
    set.directions = 32;
    set.lineEnd = LineEnd::CrLf;
    const double h = 30000.0;
    const std::vector<Vec3> plan = {{-15000, -15000, 0}, {15000, -15000, 0}, {15000, -3000, 0},
                                    {-3000, -3000, 0},   {-3000, 15000, 0},  {-15000, 15000, 0}};
    // The roof is two convex rectangles so that every face can be drawn as a simple polygon.
    const Polygon roofA = {
        {-15000, -15000, h}, {15000, -15000, h}, {15000, -3000, h}, {-15000, -3000, h}};
    const Polygon roofB = {
        {-15000, -3000, h}, {-3000, -3000, h}, {-3000, 15000, h}, {-15000, 15000, h}};
    GeoObject block{"L_BLOCK", PrismWalls(plan, h)};
    block.faces.push_back(roofA);
    block.faces.push_back(roofB);
    set.mainObjects = {block};
    set.subObjects = {
        BoxObject("北側隣棟（事務所）", -14000, 24000, 6000, 36000, 45000),
        BoxObject("東側隣棟（集合住宅）", 24000, -10000, 36000, 14000, 24000),
        BoxObject("南側低層棟", -20000, -34000, 0, -24000, 9000),
        BoxObject("西側倉庫", -38000, -8000, -26000, 8000, 12000),
    };

    std::vector<MeshPatch> patches;
    for (size_t i = 0; i < plan.size(); ++i) {
        const Vec3& a = plan[i];
        const Vec3& b = plan[(i + 1) % plan.size()];
        set.surfaces.push_back(WallSurface(a, b, h, static_cast<int>(i) + 1, true));
        // About one tap every 3.5 m along the wall, at least five.
        const int count = std::max(5, static_cast<int>(std::lround(Length(b - a) / 3500.0)) + 1);
        patches.push_back(WallPatch(static_cast<int>(i), set.surfaces.back(), h, 8, count));
    }
    const int roof = static_cast<int>(set.surfaces.size());
    set.surfaces.push_back(RoofSurface("屋根面", roofA, plan));
    // A uniform 3 m grid, so that the taps along the joint of the two rectangles coincide and
    // are shared.
    MeshPatch a;
    a.surface = roof;
    a.rows = QuadRows(roofA[0], roofA[1], roofA[3], roofA[2], 5, 11, false);
    MeshPatch b;
    b.surface = roof;
    b.rows = QuadRows(roofB[0], roofB[1], roofB[3], roofB[2], 7, 5, false);
    patches.push_back(a);
    patches.push_back(b);
    set.mesh = BuildMesh(patches, static_cast<int>(set.surfaces.size()));

    const int32_t lost = TapNumberAt(set.mesh, roof, 27);
    set.missing[lost] = "測定点 " + std::to_string(lost) + " 欠測";
    set.cpPreamble = {
        "L字形平面中層建物 風圧係数 32方位",
        "方位 d: 風は +Y から時計回りに d*11.25 度の方向へ吹く（d=0: -Y から +Y へ）"};
    set.surfaceComments = true;
    set.header.title = "L字形平面中層建物の風圧実験（サンプル）";
    set.header.affiliation = "サンプル設計事務所 構造設計部";
    set.header.measurer = "高橋 次郎";
    set.header.manager = "伊藤 三郎";
    set.header.summary = {
        "市街地に建つ L 字形平面 10 階建て建物の外圧測定。",
        "周辺建物 4 棟を再現した模型（縮尺 1/400）。",
        "32 方位（11.25 度間隔）。",
        "測定点 " + std::to_string(lost) + " は欠測。",
        "測定結果の一覧表は Documents フォルダを参照。",
    };
    set.header.buildingShape = "L字形平面";
    set.header.roofShape = "陸屋根";
    set.header.buildingSize = "30m × 30m（翼幅 12m）× 高さ 30m";
    set.header.adjacent = "北側に事務所、東側に集合住宅、南側に低層棟、西側に倉庫";
    set.documents = LShapeMemo;
    set.statistics = true;
    return set;
}

// Rows for `taps` taps over a quadrilateral (b0-b1 bottom, t0-t1 top) whose side is about
// `aspect` times its width: rows hold m or m + 1 taps, the longer ones spread evenly, so any
// count can be met exactly. Rows of different length are joined by triangles.
std::vector<TapRow> ExactRows(const Vec3& b0, const Vec3& b1, const Vec3& t0, const Vec3& t1,
                              int taps, double aspect) {
    int rows = static_cast<int>(std::lround(std::sqrt(taps * aspect)));
    rows = std::max(2, std::min(rows, taps / 2));
    const int m = taps / rows;
    const int extra = taps - m * rows;
    std::vector<TapRow> out;
    const std::vector<double> levels = Spacing(rows, false);
    for (int k = 0; k < rows; ++k) {
        const bool longer = (k + 1) * extra / rows > k * extra / rows;
        const double v = levels[static_cast<size_t>(k)];
        out.push_back({Lerp(b0, t0, v), Lerp(b1, t1, v), longer ? m + 1 : m});
    }
    return out;
}

}  // namespace

bool WriteSampleDataSets(const std::string& dataFolder, std::string* error) {
    for (const DataSet& set : {Tower(), Gable(), LShape()}) {
        if (!WriteDataSet(set, fs::path(dataFolder) / set.name, error)) {
            return false;
        }
    }
    return true;
}

bool WriteNeighbourPair(const std::string& dataFolder, std::string* error) {
    DataSet with = Gable();
    with.name = "gable_neighbours";
    with.sheltered = true;
    with.statistics = false;
    DataSet without = Gable();
    without.name = "gable_alone";
    without.subObjects.clear();
    without.statistics = false;
    without.header.adjacent = "なし（単独建物）";
    return WriteDataSet(with, fs::path(dataFolder) / with.name, error) &&
           WriteDataSet(without, fs::path(dataFolder) / without.name, error);
}

bool WriteLargeDataSet(const std::string& folder, int tapCount, int directionCount,
                       std::string* error) {
    if (tapCount < 20 || directionCount < 8 || directionCount > 64 || directionCount % 8 != 0) {
        if (error != nullptr) {
            *error =
                "need at least 20 taps and a direction count that is a multiple of 8 "
                "from 8 to 64";
        }
        return false;
    }
    DataSet set;
    set.name = "large";
    set.directions = directionCount;
    set.lineEnd = LineEnd::CrLf;
    const double w = 40000.0, h = 160000.0;
    const SquareTower tower = MakeSquareTower(w, h);
    const std::vector<Vec3>& plan = tower.plan;
    const Polygon& roof = tower.roof;
    set.mainObjects = {tower.object};

    // Taps shared out by area: each wall is h / w times the roof.
    const double total = 4.0 * h / w + 1.0;
    const int perWall = static_cast<int>(tapCount * (h / w) / total);
    std::vector<MeshPatch> patches;
    for (size_t i = 0; i < plan.size(); ++i) {
        const Surface s =
            WallSurface(plan[i], plan[(i + 1) % plan.size()], h, static_cast<int>(i) + 1, false);
        set.surfaces.push_back(s);
        MeshPatch p;
        p.surface = static_cast<int>(i);
        p.rows = ExactRows(s.start, s.end, At(s.start, h), At(s.end, h), perWall, h / w);
        patches.push_back(p);
    }
    set.surfaces.push_back(RoofSurface("roof", roof, plan));
    MeshPatch roofPatch;
    roofPatch.surface = 4;
    roofPatch.rows = ExactRows(roof[0], roof[1], roof[3], roof[2], tapCount - 4 * perWall, 1.0);
    patches.push_back(roofPatch);
    set.mesh = BuildMesh(patches, static_cast<int>(set.surfaces.size()));

    set.cpPreamble = {"large generated data set for benchmarks", kWindConvention};
    set.header.title = "大規模データ（ベンチマーク用）";
    set.header.affiliation = "kzv-samplegen";
    set.header.measurer = "-";
    set.header.manager = "-";
    set.header.summary = {"測定点 " + std::to_string(tapCount) + "、" +
                          std::to_string(directionCount) + " 方位の生成データ。"};
    set.header.buildingShape = "正方形平面の塔状建物";
    set.header.roofShape = "陸屋根";
    set.header.buildingSize = "40m × 40m × 高さ 160m";
    set.header.adjacent = "なし";
    set.statistics = true;
    return WriteDataSet(set, fs::path(folder), error);
}

}  // namespace kzv::samplegen
