#include "state/SizeFile.h"

#include <algorithm>
#include <cstdint>

#include "dataset/LineReader.h"
#include "io/AtomicFile.h"
#include "text/NumberParse.h"

namespace {

// Reads the next values in order; stops for good at the first that fails.
class IntLines {
public:
    explicit IntLines(const std::string& path) { m_ok = m_reader.Open(path.c_str()); }
    bool Next(int& out) {
        std::string line;
        int v = 0;
        if (!m_ok || !m_reader.ReadLine(line) || !kzv::CTextCursor(line).ReadInt(v)) {
            m_ok = false;
            return false;
        }
        out = v;
        return true;
    }
    bool Ok() const { return m_ok; }

private:
    kzv::CLineReader m_reader;
    bool m_ok = false;
};

// Reads a group of values in order, each into its target as it is read; at the first value
// that cannot be read the rest of the group (and every later group) keeps its defaults.
template <size_t N>
void ReadGroup(IntLines& lines, int* const (&targets)[N]) {
    for (int* target : targets) {
        if (!lines.Next(*target)) {
            return;
        }
    }
}

void ReadBar(IntLines& lines, CBarSizes& bar) {
    int* const targets[6] = {&bar.horzCx, &bar.horzCy,  &bar.vertCx,
                             &bar.vertCy, &bar.floatCx, &bar.floatCy};
    ReadGroup(lines, targets);
}

}  // namespace

void ReadWindowLayout(const std::string& path, CWindowLayout& layout) {
    IntLines lines(path);
    int* const placement[9] = {&layout.showCmd, &layout.minX, &layout.minY,
                               &layout.maxX,    &layout.maxY, &layout.left,
                               &layout.right,   &layout.top,  &layout.bottom};
    ReadGroup(lines, placement);
    ReadBar(lines, layout.panel);
    ReadBar(lines, layout.values);
    // The polar bar's group is there when its first value is.
    CBarSizes polar = layout.polar;
    if (lines.Next(polar.horzCx)) {
        int* const rest[5] = {&polar.horzCy, &polar.vertCx, &polar.vertCy, &polar.floatCx,
                              &polar.floatCy};
        ReadGroup(lines, rest);
        layout.polar = polar;
        layout.hasPolar = true;
    }
}

std::string FormatWindowLayout(const CWindowLayout& layout, bool withPlacement) {
    std::string text;
    auto put = [&text](int v) { text += std::to_string(v) + "\r\n"; };
    if (withPlacement) {
        for (int v : {layout.showCmd, layout.minX, layout.minY, layout.maxX, layout.maxY,
                      layout.left, layout.right, layout.top, layout.bottom}) {
            put(v);
        }
    }
    for (const CBarSizes* bar : {&layout.panel, &layout.values, &layout.polar}) {
        if (bar == &layout.polar && !layout.hasPolar) {
            break;
        }
        for (int v :
             {bar->horzCx, bar->horzCy, bar->vertCx, bar->vertCy, bar->floatCx, bar->floatCy}) {
            put(v);
        }
    }
    return text;
}

bool WriteWindowLayout(const std::string& path, const CWindowLayout& layout, bool withPlacement) {
    return kzv::WriteFileAtomically(path, FormatWindowLayout(layout, withPlacement));
}

void FitWindowOnto(CWindowLayout& layout, int areaLeft, int areaTop, int areaRight,
                   int areaBottom) {
    if (areaRight <= areaLeft || areaBottom <= areaTop) {
        return;
    }
    // One axis at a time, in 64 bits: the file may hold any int.
    auto fit = [](int& low, int& high, int areaLow, int areaHigh) {
        const int64_t size =
            std::clamp<int64_t>(int64_t{high} - low, 1, int64_t{areaHigh} - areaLow);
        const int64_t start = std::clamp<int64_t>(low, areaLow, areaHigh - size);
        low = static_cast<int>(start);
        high = static_cast<int>(start + size);
    };
    fit(layout.left, layout.right, areaLeft, areaRight);
    fit(layout.top, layout.bottom, areaTop, areaBottom);
}
