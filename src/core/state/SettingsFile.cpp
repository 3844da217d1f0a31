#include "state/SettingsFile.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "dataset/DataSetLoad.h"
#include "dataset/LineReader.h"
#include "field/ColorScale.h"
#include "field/Compass.h"
#include "io/AtomicFile.h"
#include "io/Sha256.h"
#include "text/CodePage.h"
#include "text/NumberFormat.h"
#include "text/NumberParse.h"

namespace {

constexpr int kVersion = 2;
// The value method follows the material as a section of its own, still in version 2: readers
// of the version stop after the material and never see it, and a file that ends with the
// material (every file written before the section existed) keeps the current method.
constexpr const char* kValueSection = "DATAVALUE_SETTING";
// What the view shows (quantity, envelope, governing-direction labels) is a last section, written
// only when that is not the mean of one direction: a file without it was written showing that,
// so files stay as they were for everyone who never chooses anything else.
constexpr const char* kShownSection = "VALUE_SHOWN_SETTING";
// Written only when the taps are not thinned (thinning is the default), so that a file of
// the default settings stays as older programs wrote it.
constexpr const char* kThinSection = "TAP_THINNING_SETTING";
constexpr size_t kMaxNameLine = 511;

// The data set's name as line 1 holds it: CP932 when the name is UTF-8 (as file names here
// are), else its bytes unchanged.
std::string EncodedName(const CViewState& state) {
    const std::string name = DataSetName(state.m_data.m_strDataFolder);
    return kzv::IsValidUtf8(name) ? kzv::Utf8ToCp932(name) : name;
}

class CWriter {
public:
    void Line(const std::string& text) {
        m_out += text;
        m_out += "\r\n";
    }
    // Values separated by one space; trailing adds a space after the last one too.
    template <typename... T>
    void Values(bool trailing, T... values) {
        std::string text;
        ((text += Format(values) + ' '), ...);
        if (!trailing) {
            text.pop_back();
        }
        Line(text);
    }
    void Colour(const CVector4& c) { Values(false, c.x, c.y, c.z); }
    void Switches(const uint8_t* flags, size_t count, bool trailing) {
        std::string text;
        for (size_t i = 0; i < count; ++i) {
            text += std::to_string(flags[i]) + ' ';
        }
        if (!trailing && !text.empty()) {
            text.pop_back();
        }
        Line(text);
    }
    std::string Bytes() { return std::move(m_out); }

private:
    static std::string Format(int v) { return std::to_string(v); }
    static std::string Format(uint8_t v) { return std::to_string(v); }
    static std::string Format(float v) { return kzv::FormatG(v); }
    static std::string Format(double v) { return kzv::FormatG(v); }
    std::string m_out;
};

void WriteParts(CWriter& w, const CGeometry& geo) {
    w.Values(false, static_cast<int>(geo.m_objects.size()));
    for (const CGeometryObject& part : geo.m_objects) {
        w.Values(false, part.m_nDisplayMode, part.m_color.x, part.m_color.y, part.m_color.z);
    }
}

}  // namespace

std::string MakeSettingsFileBytes(const CViewState& s) {
    CWriter w;
    w.Line(EncodedName(s));
    w.Line("MATRIX_SETTING " + std::to_string(kVersion));
    w.Values(false, s.m_camera.m_fZoom);
    w.Values(false, s.m_camera.m_vPan.x, s.m_camera.m_vPan.y, s.m_camera.m_vPan.z);
    double matrix[16];
    s.m_camera.m_matRotation.GetDoubles(matrix);
    std::string line;
    for (double v : matrix) {
        line += kzv::FormatG(v) + ' ';
    }
    w.Line(line);
    w.Line("0");
    w.Line("DIRECTION_SETTING");
    w.Values(false, s.m_settings.m_nDirection);
    w.Values(false, s.m_nBuildingAngleStep);
    w.Line("SHOW_SETTING");
    WriteParts(w, s.m_data.m_geoMain);
    WriteParts(w, s.m_data.m_geoSub);
    w.Values(false, s.m_settings.m_bShowAxes, s.m_settings.m_bShowAxisNumbers,
             s.m_settings.m_bShowMarkers, s.m_settings.m_bShowNumbers, s.m_settings.m_bShowMesh,
             s.m_settings.m_bShowGround, s.m_settings.m_bShowWind);
    w.Line("CONTOR_SETTING");
    w.Values(false, static_cast<int>(s.m_settings.m_abPanelContour.size()));
    w.Switches(s.m_settings.m_abPanelContour.data(), s.m_settings.m_abPanelContour.size(), true);
    w.Values(false, s.m_settings.m_nLineColorMode);
    w.Colour(s.m_settings.m_clrLine);
    w.Values(false, s.m_settings.m_nContourKind);
    w.Line("COLORBAR_SETTING");
    w.Values(false, s.m_settings.m_dColorMax, s.m_settings.m_dColorMin);
    w.Values(false, s.m_settings.m_nDivisions);
    w.Values(false, s.m_settings.m_bShowColorBar);
    w.Values(false, s.m_settings.m_nTickInterval);
    const int last = std::clamp(s.m_settings.m_nDivisions - 1, 0, MAX_DIVISIONS - 1);
    w.Colour(s.m_settings.m_aColorTable[0]);
    w.Colour(s.m_settings.m_aColorTable[last]);
    w.Line("NUMBER_SETTING");
    w.Values(false, s.m_settings.m_bShowLabels, s.m_settings.m_nLabelSkip,
             s.m_settings.m_nLabelColorMode);
    w.Colour(s.m_settings.m_clrLabel);
    w.Line(kzv::Utf8ToCp932(s.m_settings.m_strLabelFont));
    w.Values(false, s.m_settings.m_nLabelFontSize);
    for (int i = 0; i < SLOT_COUNT; ++i) {
        w.Values(false, s.m_settings.m_abSlotOn[i]);
        w.Colour(s.m_settings.m_aSlot[i][0]);
        w.Colour(s.m_settings.m_aSlot[i][1]);
    }
    w.Line("COMMENT_SETTING");
    const CCommentRecord& c = s.m_settings.m_comment;
    w.Values(false, c.position.x, c.position.y, c.position.z);
    w.Colour(c.colour);
    w.Line(kzv::Utf8ToCp932(c.font));
    w.Values(false, c.size);
    w.Switches(c.flags, COMMENT_ITEM_COUNT, true);
    w.Line("MATERIAL_SETTING");
    w.Values(false, s.m_settings.m_clrSpecular.x, s.m_settings.m_clrAmbient.x,
             s.m_settings.m_clrShininess.x);
    w.Line(kValueSection);
    w.Values(false, s.m_settings.m_nValueMethod);
    if (s.m_settings.m_nQuantity != 0 || s.m_settings.m_nEnvelope != ENVELOPE_NONE ||
        s.m_settings.m_bShowGoverning != 0) {
        w.Line(kShownSection);
        w.Values(false, s.m_settings.m_nQuantity, s.m_settings.m_nEnvelope,
                 static_cast<int>(s.m_settings.m_bShowGoverning));
    }
    if (s.m_settings.m_bThinTaps == 0) {
        w.Line(kThinSection);
        w.Values(false, 0);
    }
    return w.Bytes();
}

namespace {

// Whitespace-separated tokens over the file, and whole lines where the file has them.
class CReader {
public:
    explicit CReader(std::string_view bytes) : m_text(bytes) {}

    std::string_view Token() {
        while (m_pos < m_text.size() && IsSpace(m_text[m_pos])) {
            ++m_pos;
        }
        const size_t start = m_pos;
        while (m_pos < m_text.size() && !IsSpace(m_text[m_pos])) {
            ++m_pos;
        }
        return m_text.substr(start, m_pos - start);
    }
    bool Keyword(std::string_view expected) { return Token() == expected; }
    template <typename T>
    bool Number(T& out) {
        const std::string_view token = Token();
        kzv::CTextCursor cursor(token);
        return cursor.Read(out) && !token.empty() && cursor.AtEnd();
    }
    bool Switch(uint8_t& out) {
        int v = 0;
        if (!Number(v)) {
            return false;
        }
        out = static_cast<uint8_t>(v);
        return true;
    }
    bool Colour(CVector4& out, float w) {
        float r, g, b;
        if (!Number(r) || !Number(g) || !Number(b)) {
            return false;
        }
        out = CVector4(r, g, b, w);
        return true;
    }
    bool Point(CVector4& out) { return Colour(out, 0.0f); }
    // The rest of the current line, then the next line whole (without its line end).
    bool NextLine(std::string& out) {
        SkipRestOfLine();
        if (m_pos >= m_text.size()) {
            return false;
        }
        out.clear();
        while (m_pos < m_text.size() && m_text[m_pos] != '\n') {
            out += m_text[m_pos++];
        }
        if (!out.empty() && out.back() == '\r') {
            out.pop_back();
        }
        if (out.size() > kMaxNameLine) {
            out.resize(kMaxNameLine);
        }
        return true;
    }
    // Line 1, whole.
    std::string FirstLine() {
        std::string line;
        while (m_pos < m_text.size() && m_text[m_pos] != '\n') {
            line += m_text[m_pos++];
        }
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        return line;
    }

private:
    static bool IsSpace(char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
    }
    void SkipRestOfLine() {
        while (m_pos < m_text.size() && m_text[m_pos] != '\n') {
            ++m_pos;
        }
        if (m_pos < m_text.size()) {
            ++m_pos;
        }
    }
    std::string_view m_text;
    size_t m_pos = 0;
};

struct CPartStyle {
    int mode = 1;
    CVector4 colour;
};

bool ReadParts(CReader& r, std::vector<CPartStyle>& parts) {
    int count = 0;
    if (!r.Number(count) || count < 0) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        CPartStyle part;
        if (!r.Number(part.mode) || !r.Colour(part.colour, 0.0f)) {
            return false;
        }
        parts.push_back(part);
    }
    return true;
}

void ApplyParts(const std::vector<CPartStyle>& parts, CGeometry& working, CGeometry& asRead) {
    for (CGeometry* geo : {&working, &asRead}) {
        const size_t n = std::min(parts.size(), geo->m_objects.size());
        for (size_t i = 0; i < n; ++i) {
            geo->m_objects[i].m_nDisplayMode = parts[i].mode;
            geo->m_objects[i].m_color = parts[i].colour;
        }
    }
}

}  // namespace

bool ReadSettingsFileBytes(std::string_view bytes, CViewState& state, CSettingsFileRead* result) {
    // Everything is read into copies; the state takes them only when the whole file was read.
    CDisplaySettings s = state.m_settings;
    CCamera camera = state.m_camera;
    std::vector<CPartStyle> mainParts, subParts;
    CSettingsFileRead read;

    CReader r(bytes);
    const std::string name = r.FirstLine();
    read.sameDataSet = state.HasDataSet() && name == EncodedName(state);
    if (!r.Keyword("MATRIX_SETTING") || !r.Number(read.version) || read.version > kVersion) {
        return false;
    }
    double matrix[16];
    float ignored = 0;
    if (!r.Number(camera.m_fZoom) || !r.Point(camera.m_vPan)) {
        return false;
    }
    for (double& v : matrix) {
        // The matrix is kept in floats: a value beyond their range is no rotation.
        if (!r.Number(v) || !std::isfinite(static_cast<float>(v))) {
            return false;
        }
    }
    camera.m_matRotation.SetDoubles(matrix);
    camera.AnglesFromMatrix();  // the file keeps no angles: those of its view are shown
    if (!r.Number(ignored) || !r.Keyword("DIRECTION_SETTING")) {
        return false;
    }
    int direction = 0, slider = 0;
    if (!r.Number(direction) || !r.Number(slider)) {
        return false;
    }
    if (read.sameDataSet) {
        s.m_nDirection = direction;
        read.sliderPosition = slider;
    }
    if (!r.Keyword("SHOW_SETTING") || !ReadParts(r, mainParts) || !ReadParts(r, subParts)) {
        return false;
    }
    for (uint8_t* flag : {&s.m_bShowAxes, &s.m_bShowAxisNumbers, &s.m_bShowMarkers,
                          &s.m_bShowNumbers, &s.m_bShowMesh, &s.m_bShowGround, &s.m_bShowWind}) {
        if (!r.Switch(*flag)) {
            return false;
        }
    }
    int panels = 0;
    if (!r.Keyword("CONTOR_SETTING") || !r.Number(panels) || panels < 0) {
        return false;
    }
    for (int i = 0; i < panels; ++i) {
        uint8_t flag = 0;
        if (!r.Switch(flag)) {
            return false;
        }
        if (read.sameDataSet && static_cast<size_t>(i) < s.m_abPanelContour.size()) {
            s.m_abPanelContour[static_cast<size_t>(i)] = flag;
        }
    }
    if (!r.Number(s.m_nLineColorMode)) {
        return false;
    }
    if (read.version >= 2 &&
        (!r.Colour(s.m_clrLine, s.m_clrLine.w) || !r.Number(s.m_nContourKind))) {
        return false;
    }
    if (!r.Keyword("COLORBAR_SETTING") || !r.Number(s.m_dColorMax) || !r.Number(s.m_dColorMin) ||
        !r.Number(s.m_nDivisions) || !r.Switch(s.m_bShowColorBar) || !r.Number(s.m_nTickInterval)) {
        return false;
    }
    CVector4 first, last;
    if (!r.Colour(first, s.m_aColorTable[0].w) || !r.Colour(last, s.m_aColorTable[0].w)) {
        return false;
    }
    s.m_aColorTable[0] = first;
    // A band count outside the table names no entry for the last colour. The bands between
    // the ends are not in the file: they follow the ramp between the two ends.
    if (s.m_nDivisions >= 1 && s.m_nDivisions <= MAX_DIVISIONS) {
        const int n = s.m_nDivisions;
        s.m_aColorTable[n - 1] = last;
        CVector4 ramp[MAX_DIVISIONS];
        FillColorRamp(ramp, n, VectorToColorRef(first), VectorToColorRef(last));
        std::copy(ramp + 1, ramp + std::max(1, n - 1), s.m_aColorTable + 1);
    }

    if (read.version >= 2) {
        if (!r.Keyword("NUMBER_SETTING") || !r.Switch(s.m_bShowLabels) ||
            !r.Number(s.m_nLabelSkip) || !r.Number(s.m_nLabelColorMode) ||
            !r.Colour(s.m_clrLabel, s.m_clrLabel.w)) {
            return false;
        }
        std::string font;
        if (!r.NextLine(font) || !r.Number(s.m_nLabelFontSize)) {
            return false;
        }
        s.m_strLabelFont = kzv::FileTextToUtf8(font);
        for (int i = 0; i < SLOT_COUNT; ++i) {
            if (!r.Switch(s.m_abSlotOn[i]) || !r.Point(s.m_aSlot[i][0]) ||
                !r.Point(s.m_aSlot[i][1])) {
                return false;
            }
        }
        CCommentRecord& c = s.m_comment;
        if (!r.Keyword("COMMENT_SETTING") || !r.Point(c.position) ||
            !r.Colour(c.colour, c.colour.w) || !r.NextLine(font) || !r.Number(c.size)) {
            return false;
        }
        c.font = kzv::FileTextToUtf8(font);
        for (uint8_t& flag : c.flags) {
            if (!r.Switch(flag)) {
                return false;
            }
        }
        float specular = 0, ambient = 0, shininess = 0;
        if (!r.Keyword("MATERIAL_SETTING") || !r.Number(specular) || !r.Number(ambient) ||
            !r.Number(shininess)) {
            return false;
        }
        s.m_clrSpecular = CVector4(specular, specular, specular, 1.0f);
        s.m_clrAmbient = CVector4(ambient, ambient, ambient, 1.0f);
        s.m_clrShininess = CVector4(shininess, shininess, shininess, 1.0f);
        // Whatever else follows the material was never read and still is not.
        std::string section(r.Token());
        if (section == kValueSection) {
            int method = 0;
            if (!r.Number(method) || (method != VALUE_LINEAR && method != VALUE_INVERSE_DISTANCE)) {
                return false;
            }
            s.m_nValueMethod = method;
            section = std::string(r.Token());
        }
        s.m_nQuantity = 0;
        s.m_nEnvelope = ENVELOPE_NONE;
        s.m_bShowGoverning = 0;
        if (section == kShownSection) {
            int quantity = 0, envelope = 0, governing = 0;
            if (!r.Number(quantity) || !r.Number(envelope) || !r.Number(governing) ||
                quantity < 0 || quantity >= kValueQuantityCount || envelope < ENVELOPE_NONE ||
                envelope >= ENVELOPE_CHOICE_COUNT || (governing != 0 && governing != 1)) {
                return false;
            }
            s.m_nQuantity = quantity;
            s.m_nEnvelope = envelope;
            s.m_bShowGoverning = static_cast<uint8_t>(governing);
            section = std::string(r.Token());
        }
        s.m_bThinTaps = 1;
        if (section == kThinSection) {
            int thin = 0;
            if (!r.Number(thin) || (thin != 0 && thin != 1)) {
                return false;
            }
            s.m_bThinTaps = static_cast<uint8_t>(thin);
        }
    }

    state.m_settings = std::move(s);
    state.m_camera = camera;
    ApplyParts(mainParts, state.m_data.m_geoMain, state.m_data.m_geoMainOrg);
    ApplyParts(subParts, state.m_data.m_geoSub, state.m_data.m_geoSubOrg);
    if (result != nullptr) {
        *result = read;
    }
    return true;
}

bool ReadSettingsFile(const std::string& path, CViewState& state, CSettingsFileRead* read) {
    // A settings file is small: a line per setting and one switch per panel.
    constexpr uint64_t kSettingsFileLimit = uint64_t{64} << 20;
    kzv::CLineReader reader;
    if (!reader.Open(path.c_str(), kSettingsFileLimit)) {
        return false;
    }
    std::string bytes, line;
    while (reader.ReadLine(line)) {
        bytes += line;
        bytes += '\n';
    }
    if (reader.Fault() != kzv::FileFault::None) {
        return false;
    }
    return ReadSettingsFileBytes(bytes, state, read);
}

bool ApplySettingsFile(const std::string& path, CViewState& state) {
    CSettingsFileRead read;
    if (!ReadSettingsFile(path, state, &read)) {
        return false;
    }
    state.m_settings.m_nDirection =
        StepDirection(state.m_data.m_cp.m_nDirectionCount, state.m_settings.m_nDirection, 0);
    state.SetBuildingAngleStep(read.sliderPosition, true);
    state.m_strSettingsFile = path;
    if (!kzv::Sha256OfFile(path, state.m_strSettingsDigest)) {
        state.m_strSettingsDigest.clear();
    }
    return true;
}

bool WriteSettingsFile(const std::string& path, const CViewState& state, std::string* error) {
    return kzv::WriteFileAtomically(path, MakeSettingsFileBytes(state), error);
}
