// Timings of the contour bands, the load and the data search for the peer comparison of
// bench/peers/run.sh, the files the peers read, and the band-area dump that shows a change of
// the contour code left every band as it was.
//
//   kzv_peer_bench time-contours <set> <runs> [k]
//                                               ms per frame: bands only, 30 bands, every
//                                               direction in turn (median of runs); with k,
//                                               k directions spread over the circle
//   kzv_peer_bench time-load <set> <runs>       ms per load of the data set (median of runs)
//   kzv_peer_bench time-fromchars <set> <runs>  ms to read the files a load reads and convert
//                                               every number in them with std::from_chars, and
//                                               nothing else: the least a load can cost
//   kzv_peer_bench memory <set>                 the heap of a load, two directions' contours
//                                               and a value list of 10 000 taps (MB), beside
//                                               the data set's own numbers
//   kzv_peer_bench time-load-parts <set> <runs> the same step by step
//   kzv_peer_bench make-search <root> <count>   count data sets in four data folders
//   kzv_peer_bench time-search <root> <runs>    ms per search of the three queries (medians)
//   kzv_peer_bench export-tri <set> <dir>       the walk's triangles, values and levels as raw
//                                               arrays for the matplotlib peer
//   kzv_peer_bench areas <set>...               every band's area of every direction, and a
//                                               digest of the whole contour drawing

#include <malloc.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "dataset/DataSearch.h"
#include "dataset/DataSetLoad.h"
#include "dataset/FolderUtil.h"
#include "field/ColorScale.h"
#include "field/ContourWalk.h"
#include "field/SurfaceValues.h"
#include "scene/SceneComposer.h"
#include "state/ViewState.h"
#include "text/CodePage.h"
#include "valuelist/ValueList.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0.0 : n % 2 == 1 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

// runs timings of f after one untimed run; the median in ms.
double MedianMs(int runs, const std::function<void()>& f) {
    f();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const Clock::time_point start = Clock::now();
        f();
        times.push_back(MsSince(start));
    }
    return Median(times);
}

std::string Slash(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

bool Load(CViewState& state, const std::string& folder) {
    state.LoadDataSet(Slash(folder), CHeaderFile(), 1000, 800);
    return state.m_data.m_mesh.GetPanelCount() > 0;
}

int TimeContours(const std::string& folder, int runs, int timedDirections) {
    CViewState state;
    if (!Load(state, folder)) {
        std::fprintf(stderr, "no panels in %s\n", folder.c_str());
        return 1;
    }
    state.m_settings.m_nContourKind = 0;  // bands only
    const int directions = state.m_data.m_cp.m_nDirectionCount;
    // Every direction, or every (directions / k)-th one on a set too large to time them all.
    const int step = timedDirections > 0 ? std::max(1, directions / timedDirections) : 1;
    const int timed = (directions + step - 1) / step;
    CContourDrawing out;
    const double ms = MedianMs(runs, [&] {
        for (int d = 0; d < directions; d += step) {
            state.m_settings.m_nDirection = d;
            ComputeContours(state.m_data, state.m_settings, state.m_selection, out);
        }
    });
    std::printf("%.6f\n", ms / timed);
    return 0;
}

int TimeLoad(const std::string& folder, int runs) {
    // A fresh state for every load, as the program's first load gets; only the load is timed.
    std::vector<double> times;
    for (int i = 0; i <= runs; ++i) {
        auto state = std::make_unique<CViewState>();
        const Clock::time_point start = Clock::now();
        const bool ok = Load(*state, folder);
        const double ms = MsSince(start);
        if (!ok) {
            std::fprintf(stderr, "no panels in %s\n", folder.c_str());
            return 1;
        }
        if (i > 0) {
            times.push_back(ms);
        }
    }
    std::printf("%.6f\n", Median(times));
    return 0;
}

// The files a load reads that hold numbers: the Cp table and the value tables beside it, the
// tap positions and the mesh.
std::vector<std::string> NumberFiles(const std::string& folder) {
    std::vector<std::string> files;
    for (const char* name : {"cp.dat", "cpmax.dat", "cpmin.dat", "cprms.dat", "cppeakmax.dat",
                             "cppeakmin.dat", "measure.pos", "mesh.msh"}) {
        const std::string path = Slash(folder) + name;
        if (fs::exists(path)) {
            files.push_back(path);
        }
    }
    return files;
}

// Reads each file whole and converts every number of its records with std::from_chars into
// one array of doubles: a line that starts with a digit or '-' is a record of numbers, each
// followed by one separator; other lines (tags, counts' headers, comments, "EOF") are passed
// over. No checks, no tables, no index: what any reader of these files must at least do.
size_t FromCharsAll(const std::vector<std::string>& files, std::vector<double>& numbers,
                    std::string& bytes) {
    numbers.clear();
    // Room for every number at once (a record's value takes about six bytes and more), so
    // that growing the array costs nothing worth counting.
    uintmax_t total = 0;
    for (const std::string& path : files) {
        total += fs::file_size(path);
    }
    numbers.reserve(static_cast<size_t>(total / 6));
    for (const std::string& path : files) {
        std::ifstream in(path, std::ios::binary);
        in.seekg(0, std::ios::end);
        bytes.resize(static_cast<size_t>(in.tellg()));
        in.seekg(0);
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        const char* p = bytes.data();
        const char* const end = p + bytes.size();
        while (p < end) {
            const char* eol = static_cast<const char*>(std::memchr(p, '\n', end - p));
            if (eol == nullptr) {
                eol = end;
            }
            if ((*p >= '0' && *p <= '9') || *p == '-') {
                while (p < eol) {
                    double v = 0.0;
                    const std::from_chars_result r = std::from_chars(p, eol, v);
                    if (r.ec != std::errc()) {
                        break;
                    }
                    numbers.push_back(v);
                    p = r.ptr + 1;
                }
            }
            p = eol + 1;
        }
    }
    return numbers.size();
}

int TimeFromChars(const std::string& folder, int runs) {
    const std::vector<std::string> files = NumberFiles(folder);
    if (files.empty()) {
        std::fprintf(stderr, "no number files in %s\n", folder.c_str());
        return 1;
    }
    std::vector<double> numbers;
    std::string bytes;
    size_t count = 0;
    const double ms = MedianMs(runs, [&] {
        // Fresh arrays each time, as a load starts with.
        numbers = std::vector<double>();
        bytes = std::string();
        count = FromCharsAll(files, numbers, bytes);
    });
    if (count == 0) {
        std::fprintf(stderr, "no numbers in %s\n", folder.c_str());
        return 1;
    }
    std::printf("%.6f\n", ms);
    return 0;
}

// ---- the heap ----

// Bytes handed out by malloc and not given back (mallinfo2 counts the small blocks and the
// mapped large ones), sampled by the steps below; the peak is the largest sample.
double HeapMb() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

// What the data set's numbers take when each is kept once in the form the program keeps it
// in: a value as a double, a tap as its number and three float coordinates, a panel as four
// tap numbers.
double DataSetMb(const CDataSet& data) {
    double bytes = 0.0;
    for (int q = 0; q < kFileQuantityCount; ++q) {
        const CCpFile* table = data.m_tables.Table(ValueQuantityAt(q), data.m_cp);
        if (table != nullptr) {
            bytes += static_cast<double>(table->m_aCp.size()) * sizeof(double);
        }
    }
    bytes +=
        static_cast<double>(data.m_taps.m_aTapNo.size()) * (sizeof(int32_t) + 3 * sizeof(float));
    bytes += static_cast<double>(data.m_mesh.GetPanelCount()) * 4 * sizeof(int32_t);
    return bytes / (1024.0 * 1024.0);
}

// The heap at each step of the core work a user's first minutes take: the load, the contours
// of the first direction and of the next, and a value list of up to 10 000 listed taps.
// Prints "data_mb=.. heap_load_mb=.. heap_peak_mb=.. heap_end_mb=.." (heap figures above the
// empty program's).
int Memory(const std::string& folder) {
    const double base = HeapMb();
    double peak = 0.0;
    auto sample = [&] {
        const double mb = HeapMb() - base;
        peak = std::max(peak, mb);
        return mb;
    };
    CViewState state;
    if (!Load(state, folder)) {
        std::fprintf(stderr, "no panels in %s\n", folder.c_str());
        return 1;
    }
    const double afterLoad = sample();
    CContourDrawing out;
    state.m_settings.m_nContourKind = 2;
    state.m_settings.m_bShowLabels = 1;
    // The bands in the form the view draws them for a set of this size.
    const BandForm form = BandFormOf(state.m_data, CSceneFrame());
    ComputeContours(state.m_data, state.m_settings, state.m_selection, out, form);
    sample();
    state.m_settings.m_nDirection = 1;
    ComputeContours(state.m_data, state.m_settings, state.m_selection, out, form);
    sample();
    const size_t listed = std::min<size_t>(10000, state.m_data.m_taps.m_aTapNo.size());
    for (size_t i = 0; i < listed; ++i) {
        const CVector4& p = state.m_data.m_taps.m_aPos[i];
        const int tap = state.m_data.m_taps.m_aTapNo[i];
        state.m_valueList.AddPointRow(tap, p.x, p.y, p.z, state.m_data.m_cp.GetCp(tap, 1));
    }
    const double atEnd = sample();
    std::printf("data_mb=%.1f heap_load_mb=%.1f heap_peak_mb=%.1f heap_end_mb=%.1f\n",
                DataSetMb(state.m_data), afterLoad, peak, atEnd);
    return 0;
}

// The steps of a load one by one (fresh objects each run; medians in ms).
int TimeLoadParts(const std::string& folder, int runs) {
    const std::string f = Slash(folder);
    std::map<std::string, std::vector<double>> times;
    for (int i = 0; i <= runs; ++i) {
        auto state = std::make_unique<CViewState>();
        auto step = [&](const char* name, const std::function<void()>& work) {
            const Clock::time_point start = Clock::now();
            work();
            if (i > 0) {
                times[name].push_back(MsSince(start));
            }
        };
        step("1 cp.dat", [&] { state->m_data.m_cp.Read((f + "cp.dat").c_str()); });
        std::vector<CTableFile> files;
        for (int k = 1; k < kFileQuantityCount; ++k) {
            step(ValueQuantityFileName(ValueQuantityAt(k)),
                 [&] { files.push_back(ReadTableFile(f, ValueQuantityAt(k))); });
        }
        step("1 take tables", [&] { state->m_data.m_tables.Take(files, state->m_data.m_cp); });
        step("2 measure.pos", [&] { state->m_data.m_taps.Read((f + "measure.pos").c_str()); });
        step("3 mesh.msh", [&] { state->m_data.m_mesh.Read((f + "mesh.msh").c_str()); });
        step("4 corner table", [&] { state->m_data.Corners(); });
        step("5 derived", [&] { state->m_data.UpdateDerived(); });
        step("6 reset display", [&] { state->ResetDisplayState(); });
        step("7 copies", [&] { state->m_data.m_tapsOrg = state->m_data.m_taps; });
        step("8 panel index", [&] { state->m_data.FindPanelContaining(CVector4()); });
        step("9 free", [&] { state.reset(); });
    }
    for (const auto& [name, t] : times) {
        std::printf("%-16s %8.3f\n", name.c_str(), Median(t));
    }
    return 0;
}

// ---- the search corpus ----

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string HeaderText(int i) {
    static const char* const kShapes[] = {"正方形平面の塔状建物", "切妻屋根の低層住宅",
                                          "L字形平面の中層建物"};
    static const char* const kRoofs[] = {"陸屋根", "切妻屋根", "陸屋根"};
    char number[32];
    std::snprintf(number, sizeof number, "No.%04d", i);
    std::string text = "HEADER_FILE,1\r\n";
    text += std::string("風洞実験データ ") + number + "\r\n";
    text += "構造研究室\r\n";
    text += "測定者 " + std::to_string(i % 17) + "\r\n";
    text += "管理者 " + std::to_string(i % 5) + "\r\n";
    text += "境界層乱流中の風圧実験。\r\n";
    text += "測定点の風圧係数を全方位で測定した。\r\n";
    text += "END\r\n";
    text += std::string(kShapes[i % 3]) + "\r\n";
    text += std::string(kRoofs[i % 3]) + "\r\n";
    text += "40m × 40m × 高さ " + std::to_string(20 + i % 7 * 10) + "m\r\n";
    text += i % 2 == 0 ? "なし\r\n" : "周辺建物あり\r\n";
    return kzv::Utf8ToCp932(text);
}

// count data sets spread over four data folders root/folder1..4, each with the six data files
// (empty but for the header) and, for every other one, a Documents folder of a few files.
int MakeSearch(const std::string& root, int count) {
    std::error_code ec;
    fs::remove_all(root, ec);
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "set%04d", i);
        const fs::path set = fs::path(root) / ("folder" + std::to_string(i % 4 + 1)) / name;
        fs::create_directories(set);
        WriteFile(set / "header", HeaderText(i));
        for (const char* file : {"cp.dat", "measure.pos", "mesh.msh", "main.geo", "sub.geo"}) {
            WriteFile(set / file, "");
        }
        if (i % 2 == 0) {
            fs::create_directories(set / "Documents" / "photos");
            WriteFile(set / "Documents" / "report.csv", "x");
            WriteFile(set / "Documents" / kzv::Utf8ToCp932("実験メモ.txt"), "x");
            WriteFile(set / "Documents" / "photos" / "model.jpg", "x");
        }
    }
    return 0;
}

std::vector<std::string> SearchFolders(const std::string& root) {
    std::vector<std::string> folders;
    for (int i = 1; i <= 4; ++i) {
        folders.push_back((fs::path(root) / ("folder" + std::to_string(i))).string());
    }
    return folders;
}

// Every field checked: a word of one title, a word no data set holds anywhere (every header
// read and every document folder walked), and a document name.
std::vector<kzv::DataSearchQuery> SearchQueries() {
    std::vector<kzv::DataSearchQuery> queries(3);
    queries[0].keyword1 = "No.0421";
    queries[1].keyword1 = "存在しない語";
    queries[2].keyword1 = "model.jpg";
    return queries;
}

int TimeSearch(const std::string& root, int runs) {
    const std::vector<std::string> folders = SearchFolders(root);
    // One pass of every query first: the first search of a process also fills the caches
    // (folders, code-page converter) that every later one finds filled.
    for (const kzv::DataSearchQuery& query : SearchQueries()) {
        kzv::SearchDataSets(folders, query);
    }
    std::string line;
    for (const kzv::DataSearchQuery& query : SearchQueries()) {
        size_t found = 0;
        const double ms =
            MedianMs(runs, [&] { found = kzv::SearchDataSets(folders, query).size(); });
        char item[64];
        std::snprintf(item, sizeof item, "%s%.6f:%zu", line.empty() ? "" : " ", ms, found);
        line += item;
    }
    std::printf("%s\n", line.c_str());
    return 0;
}

// ---- the matplotlib peer's input ----

template <typename T>
bool WriteArray(const fs::path& path, const std::vector<T>& v) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(v.data()),
              static_cast<std::streamsize>(v.size() * sizeof(T)));
    return static_cast<bool>(out);
}

// The triangles of the walk with shared corners: one vertex per tap and one per
// quadrilateral's centre, its value for every direction. matplotlib triangulates in a plane,
// so the vertices are given an oblique projection (x + 0.37 y, z + 0.61 y), which keeps every
// face of the building flat and non-degenerate; faces share no taps, so they do not meet.
int ExportTriangles(const std::string& folder, const std::string& outDir) {
    CViewState state;
    if (!Load(state, folder)) {
        std::fprintf(stderr, "no panels in %s\n", folder.c_str());
        return 1;
    }
    const int directions = state.m_data.m_cp.m_nDirectionCount;
    std::vector<double> xy;
    std::vector<std::vector<double>> values(static_cast<size_t>(directions));
    std::vector<int32_t> triangles;
    std::map<int32_t, int32_t> vertexOfTap;
    auto addVertex = [&](const CVector4& p, const double* v) {
        xy.push_back(p.x + 0.37 * p.y);
        xy.push_back(p.z + 0.61 * p.y);
        for (int d = 0; d < directions; ++d) {
            values[static_cast<size_t>(d)].push_back(v[d]);
        }
        return static_cast<int32_t>(xy.size() / 2 - 1);
    };
    std::vector<double> tapValues(static_cast<size_t>(directions));
    int skipped = 0;
    for (int p = 0; p < state.m_data.m_mesh.GetPanelCount(); ++p) {
        const int count = state.m_data.m_mesh.GetNodeCount(p);
        int32_t corner[4];
        std::vector<double> centre(static_cast<size_t>(directions), 0.0);
        bool complete = true;
        for (int k = 0; k < count; ++k) {
            const int32_t tap = state.m_data.m_mesh.GetNodeTapNo(p, k);
            for (int d = 0; d < directions; ++d) {
                tapValues[static_cast<size_t>(d)] = state.m_data.m_cp.GetCp(tap, d);
                complete = complete && tapValues[static_cast<size_t>(d)] < NO_VALUE;
            }
            auto it = vertexOfTap.find(tap);
            if (it == vertexOfTap.end()) {
                it = vertexOfTap
                         .emplace(tap,
                                  addVertex(state.m_data.m_taps.GetPosition(tap), tapValues.data()))
                         .first;
            }
            corner[k] = it->second;
        }
        if (!complete) {
            ++skipped;
            continue;
        }
        if (count == 3) {
            triangles.insert(triangles.end(), {corner[0], corner[1], corner[2]});
            continue;
        }
        CPanelCorners c;
        GetPanelCorners(state.m_data, p, 0, c);
        std::vector<double> cv(static_cast<size_t>(directions));
        for (int d = 0; d < directions; ++d) {
            const double* v = &values[static_cast<size_t>(d)][0];
            cv[static_cast<size_t>(d)] =
                (v[corner[3]] + v[corner[2]] + v[corner[1]] + v[corner[0]]) * 0.25;
        }
        const int32_t middle =
            addVertex((c.pos[0] + c.pos[1] + c.pos[2] + c.pos[3]) / 4.0f, cv.data());
        static const int kPairs[4][2] = {{0, 3}, {3, 2}, {2, 1}, {1, 0}};
        for (const auto& pair : kPairs) {
            triangles.insert(triangles.end(), {corner[pair[0]], middle, corner[pair[1]]});
        }
    }
    const CContourLevels levels = MakeContourLevels(
        state.m_settings.m_dColorMin, state.m_settings.m_dColorMax, state.m_settings.m_nDivisions);
    std::vector<double> allValues;
    for (const std::vector<double>& v : values) {
        allValues.insert(allValues.end(), v.begin(), v.end());
    }
    fs::create_directories(outDir);
    const fs::path dir(outDir);
    if (!WriteArray(dir / "xy.f64", xy) || !WriteArray(dir / "triangles.i32", triangles) ||
        !WriteArray(dir / "values.f64", allValues) ||
        !WriteArray(dir / "levels.f64", levels.level)) {
        std::fprintf(stderr, "cannot write into %s\n", outDir.c_str());
        return 1;
    }
    std::ofstream(dir / "shape.txt") << xy.size() / 2 << ' ' << triangles.size() / 3 << ' '
                                     << directions << ' ' << levels.level.size() << '\n';
    if (skipped > 0) {
        std::fprintf(stderr, "%d panels without every value left out\n", skipped);
    }
    return 0;
}

// ---- band areas ----

double PolygonArea(const CVector4* p, int count) {
    double sx = 0.0, sy = 0.0, sz = 0.0;
    for (int i = 0; i < count; ++i) {
        const CVector4& a = p[i];
        const CVector4& b = p[(i + 1) % count];
        sx += static_cast<double>(a.y) * b.z - static_cast<double>(a.z) * b.y;
        sy += static_cast<double>(a.z) * b.x - static_cast<double>(a.x) * b.z;
        sz += static_cast<double>(a.x) * b.y - static_cast<double>(a.y) * b.x;
    }
    return 0.5 * std::sqrt(sx * sx + sy * sy + sz * sz);
}

uint64_t Fnv(uint64_t h, const void* data, size_t size) {
    const auto* b = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
        h = (h ^ b[i]) * 1099511628211ull;
    }
    return h;
}

// Every item, point and label of a drawing, in order.
uint64_t Digest(const CContourDrawing& out) {
    uint64_t h = 14695981039346656037ull;
    for (const CContourItem& item : out.items) {
        const int head[4] = {static_cast<int>(item.type), item.first, item.count, item.index};
        h = Fnv(h, head, sizeof head);
        h = Fnv(h, &item.colour.x, 4 * sizeof(float));
    }
    for (const CVector4& p : out.points) {
        h = Fnv(h, &p.x, 4 * sizeof(float));
    }
    for (const CContourLabel& l : out.labels) {
        h = Fnv(h, &l.centre.x, 4 * sizeof(float));
        h = Fnv(h, &l.textPos.x, 4 * sizeof(float));
        h = Fnv(h, &l.radius, sizeof l.radius);
        h = Fnv(h, l.text.data(), l.text.size());
        h = Fnv(h, &l.slot, sizeof l.slot);
    }
    return h;
}

// For every direction: each band's polygon count and area (summed in drawing order, printed
// with every digit), then a digest of the drawing with every layer on and five label slots.
int Areas(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        CViewState state;
        if (!Load(state, folder)) {
            std::fprintf(stderr, "no panels in %s\n", folder.c_str());
            return 1;
        }
        std::printf("set %s\n", kzv::LastPathComponent(folder).c_str());
        const auto& pos = state.m_data.m_taps.m_aPos;
        for (int i = 0; i < 5; ++i) {
            const size_t a = pos.size() / 6 * static_cast<size_t>(i + 1);
            state.m_settings.m_aSlot[i][0] = pos[a];
            state.m_settings.m_aSlot[i][1] = pos[std::min(a + 40, pos.size() - 1)];
        }
        CContourDrawing out;
        for (int d = 0; d < state.m_data.m_cp.m_nDirectionCount; ++d) {
            state.m_settings.m_nDirection = d;
            state.m_settings.m_nContourKind = 0;
            state.m_settings.m_bShowLabels = 0;
            std::fill(std::begin(state.m_settings.m_abSlotOn),
                      std::end(state.m_settings.m_abSlotOn), 0);
            ComputeContours(state.m_data, state.m_settings, state.m_selection, out);
            std::vector<int> count(static_cast<size_t>(state.m_settings.m_nDivisions), 0);
            std::vector<double> area(static_cast<size_t>(state.m_settings.m_nDivisions), 0.0);
            for (const CContourItem& item : out.items) {
                if (item.type == ContourItemType::Band) {
                    ++count[static_cast<size_t>(item.index)];
                    area[static_cast<size_t>(item.index)] +=
                        PolygonArea(&out.points[static_cast<size_t>(item.first)], item.count);
                }
            }
            for (size_t k = 0; k < area.size(); ++k) {
                std::printf("%d %zu %d %.17g\n", d, k, count[k], area[k]);
            }
            state.m_settings.m_nContourKind = 2;
            state.m_settings.m_bShowLabels = 1;
            std::fill(std::begin(state.m_settings.m_abSlotOn),
                      std::begin(state.m_settings.m_abSlotOn) + 5, 1);
            ComputeContours(state.m_data, state.m_settings, state.m_selection, out);
            std::printf("%d all %zu %016llx\n", d, out.items.size(),
                        static_cast<unsigned long long>(Digest(out)));
        }
    }
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: kzv_peer_bench time-contours <set> <runs> [directions]\n"
                 "       kzv_peer_bench time-load|time-fromchars <set> <runs>\n"
                 "       kzv_peer_bench memory <set>\n"
                 "       kzv_peer_bench make-search <root> <count>\n"
                 "       kzv_peer_bench time-search <root> <runs>\n"
                 "       kzv_peer_bench export-tri <set> <dir>\n"
                 "       kzv_peer_bench areas <set>...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return Usage();
    }
    const std::string mode = argv[1];
    if (mode == "areas") {
        return Areas(std::vector<std::string>(argv + 2, argv + argc));
    }
    if (mode == "memory" && argc == 3) {
        return Memory(argv[2]);
    }
    if (mode == "time-contours" && argc == 5 && std::atoi(argv[3]) > 0) {
        return TimeContours(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    }
    if (argc != 4) {
        return Usage();
    }
    const int n = std::atoi(argv[3]);
    if (mode == "time-contours" && n > 0) {
        return TimeContours(argv[2], n, 0);
    }
    if (mode == "time-fromchars" && n > 0) {
        return TimeFromChars(argv[2], n);
    }
    if (mode == "time-load-parts" && n > 0) {
        return TimeLoadParts(argv[2], n);
    }
    if (mode == "time-load" && n > 0) {
        return TimeLoad(argv[2], n);
    }
    if (mode == "make-search" && n > 0) {
        return MakeSearch(argv[2], n);
    }
    if (mode == "time-search" && n > 0) {
        return TimeSearch(argv[2], n);
    }
    if (mode == "export-tri") {
        return ExportTriangles(argv[2], argv[3]);
    }
    return Usage();
}
