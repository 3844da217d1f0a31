// The composer of the pressure view's frame: camera, axes, lights, geometry, ground grid, wind
// arrows, contours, mesh, measurement points and the overlays, drawn from the core's scene data.

#include "scene/SceneComposer.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "dataset/DataSetLoad.h"
#include "field/ColorBar.h"
#include "field/ContourWalk.h"
#include "field/Legible.h"
#include "field/LineContours.h"
#include "field/SceneLayout.h"
#include "field/ShownValues.h"
#include "geometry/PolygonEdges.h"
#include "geometry/VectorFunctions.h"
#include "scene/WindowProjection.h"
#include "state/Comparing.h"
#include "text/DisplayText.h"
#include "text/NumberFormat.h"

namespace {
const CVector4 kGridColour(0.8f, 0.8f, 0.8f, 0.0f);
// What TapMarks says of a tap.
constexpr uint8_t TAP_LISTED = 1;  // in the value list: magenta, and never thinned away
constexpr uint8_t TAP_MARKER = 2;  // its marker is drawn
constexpr uint8_t TAP_NUMBER = 4;  // its number (or governing angle) is drawn
// Thinning (when switched on) acts on data sets of more taps than this.
constexpr size_t THIN_FROM_TAPS = 2000;
}  // namespace

void CSceneComposer::Compose(const CSceneFrame& frame) {
    m_frame = frame;
    m_r.Clear(COLOR_WHITE);
    if (!m_r.CanDraw()) {
        return;
    }
    m_r.LoadIdentity();
    if (!m_state.HasDataSet()) {
        return;
    }
    ApplyCamera(m_r, m_state);
    DrawAxes();

    {
        // Two directional lights fixed to the eye.
        const CMatrixScope eye(m_r);
        m_r.LoadIdentity();
        const CVector4 left(-500, 1000, 1000, 0);
        const CVector4 right(500, -1000, -1000, 0);
        m_r.SetLight(left, OPAQUE_WHITE, GL_LIGHT_0, GL_PARAM_DIFFUSE);
        m_r.SetLight(right, OPAQUE_WHITE, GL_LIGHT_0 + 1, GL_PARAM_DIFFUSE);
    }

    DrawGeometry(m_state.m_data.m_geoMain);
    DrawGeometry(m_state.m_data.m_geoSub);
    m_r.DisableLighting();

    DrawGround();
    DrawWind();
    DrawContours();
    DrawMesh();
    DrawPoints();

    {
        const CMatrixScope overlay(m_r);
        m_r.LoadIdentity();
        m_r.SetDepthTest(false);
        DrawColorBar();
        DrawComment(m_frame.comment != nullptr ? *m_frame.comment : m_state.m_settings.m_comment);
        m_r.SetDepthTest(true);
    }
    m_r.Flush();
}

void ApplyCamera(CSceneRenderer& r, const CViewState& state) {
    r.Translate(state.m_camera.m_vPan);
    r.MultMatrix(state.m_camera.m_matRotation);
    r.Scale(state.m_data.m_fScale);
    r.Scale(state.m_camera.m_fZoom);
}

void CSceneComposer::DrawAxes() {
    if (m_state.m_settings.m_bShowAxes) {
        for (const CAxisItem& axis : AxisItems(m_state.m_data)) {
            const CVector4 line[2] = {axis.line.a, axis.line.b};
            m_r.DrawLine(line, axis.letter.colour, 1.0f);
            m_r.DrawCone(axis.conePosition, 3.0f / m_state.m_data.m_fScale,
                         15.0f / m_state.m_data.m_fScale, axis.coneAngle, axis.coneAxis,
                         axis.letter.colour);
            m_r.DrawTextA(axis.letter.position, m_fonts.axis, axis.letter.text.c_str(),
                          axis.letter.colour);
        }
    }
    if (m_state.m_settings.m_bShowAxisNumbers) {
        std::vector<CSceneText> texts;
        std::vector<CSceneSphere> spheres;
        AxisTicks(m_state.m_data, texts, spheres);
        for (size_t i = 0; i < texts.size(); ++i) {
            m_r.DrawTextA(texts[i].position, m_fonts.axis, texts[i].text.c_str(), texts[i].colour);
            m_r.DrawSphere(spheres[i].centre, spheres[i].radius, spheres[i].colour, 8);
        }
    }
}

void CSceneComposer::DrawGeometry(const CGeometry& geo) {
    const CVector4 outline[4] = {COLOR_BLACK, COLOR_BLACK, COLOR_BLACK,
                                 m_state.m_settings.m_clrShininess};
    for (const CGeometryObject& part : geo.m_objects) {
        if (part.m_nDisplayMode == 2) {
            continue;
        }
        const CVector4 surface[4] = {part.m_color, m_state.m_settings.m_clrSpecular,
                                     m_state.m_settings.m_clrAmbient,
                                     m_state.m_settings.m_clrShininess};
        for (const CGeometryFace& face : part.m_faces) {
            const int count = static_cast<int>(face.m_vertices.size());
            if (part.m_nDisplayMode == 1) {
                m_r.DrawOutline(face.m_vertices.data(), count, outline, 1.0f,
                                GL_FACE_FRONT_AND_BACK);
            } else {
                m_r.DrawFace(face.m_vertices.data(), count, surface, GL_FACE_FRONT_AND_BACK);
            }
        }
    }
}

void CSceneComposer::DrawGround() {
    if (!m_state.m_settings.m_bShowGround) {
        return;
    }
    for (const CSceneLine& line : GroundGridLines(m_state.m_data, m_state.m_settings)) {
        const CVector4 points[2] = {line.a, line.b};
        m_r.DrawLine(points, kGridColour, 1.0f);
    }
}

void CSceneComposer::DrawWind() {
    if (!m_state.m_settings.m_bShowWind) {
        return;
    }
    const CMatrixScope turned(m_r);
    m_r.Rotate(WindArrowAngle(m_state.m_data, m_state.m_settings), AXIS_Z);
    for (const CSceneLine& line : WindArrowLines(m_state.m_data)) {
        const CVector4 points[2] = {line.a, line.b};
        m_r.DrawLine(points, COLOR_BLACK, 3.0f);
    }
}

void CSceneComposer::DrawMesh() {
    if (!m_state.m_settings.m_bShowMesh) {
        return;
    }
    UpdateMeshCorners(m_state.m_data, m_cache);
    if (ThinsTaps() && MeshTooDense()) {
        return;  // outlines a few pixels apart would paint the bands grey
    }
    // A large mesh is a hundred thousand outlines: compiled once per mesh and pixel scale (the
    // line width depends on it), replayed on every camera move. A dense set's mesh is drawn as
    // its distinct edges: as outlines, an edge two panels share would be drawn twice, and the
    // lines are most of such a frame.
    const int scale = m_r.PixelScale();
    const bool edges = ThinsTaps();
    CFrameCache& c = m_cache;
    const bool current = c.meshListGeneration == c.meshGeneration && c.meshListScale == scale &&
                         c.meshListEdges == edges;
    ThroughList(c.meshList, current, [this, edges] {
        if (edges) {
            const std::vector<CVector4> segments =
                DistinctEdges(m_cache.meshCorners, m_cache.meshCounts);
            const std::vector<CVector4> colours(segments.size() / 2, COLOR_GRAY);
            m_r.DrawLines(segments.data(), colours.data(), static_cast<int>(colours.size()), 1.0f);
        } else {
            m_r.DrawLineLoops(m_cache.meshCorners.data(), m_cache.meshCounts.data(),
                              static_cast<int>(m_cache.meshCounts.size()), COLOR_GRAY, 1.0f);
        }
        m_cache.meshListGeneration = m_cache.meshGeneration;
        m_cache.meshListScale = m_r.PixelScale();
        m_cache.meshListEdges = edges;
    });
}

const std::vector<CVector4>& CSceneComposer::TapNormals() {
    const CDataSet& data = m_state.m_data;
    if (m_cache.tapNormalsGeneration != data.Generation()) {
        m_cache.tapNormals.assign(data.m_taps.m_aPos.size(), CVector4());
        // Last panel first, so that the first panel a tap is a corner of has the last word.
        const CCornerTable& corners = data.CornerPositions();
        for (int p = corners.GetPanelCount() - 1; p >= 0; --p) {
            const int32_t* tap = corners.PosRecords(p);
            for (int k = 0; k < corners.Count(p); ++k) {
                if (tap[k] >= 0 && static_cast<size_t>(tap[k]) < m_cache.tapNormals.size()) {
                    m_cache.tapNormals[static_cast<size_t>(tap[k])] = data.PanelNormal(p);
                }
            }
        }
        m_cache.tapNormalsGeneration = data.Generation();
    }
    return m_cache.tapNormals;
}

bool CSceneComposer::ThinsTaps() const {
    return m_state.m_settings.m_bThinTaps && m_state.m_data.m_taps.m_aTapNo.size() > THIN_FROM_TAPS;
}

bool CSceneComposer::MeshTooDense() const {
    // The median on-screen length of the first edge of up to a thousand panels spread over the
    // mesh, against six pixels: one-pixel outlines that close cover a third of the bands.
    float m[16];
    m_r.ModelView(m);
    const CWindowProjection window(m, m_frame.width, m_frame.height);
    const std::vector<int>& counts = m_cache.meshCounts;
    const size_t step = std::max<size_t>(1, counts.size() / 1000);
    std::vector<float> lengths;
    size_t first = 0;
    for (size_t p = 0; p < counts.size(); ++p) {
        if (p % step == 0 && counts[p] >= 2) {
            float ax = 0.0f, ay = 0.0f, bx = 0.0f, by = 0.0f;
            window.At(m_cache.meshCorners[first], ax, ay);
            window.At(m_cache.meshCorners[first + 1], bx, by);
            lengths.push_back(std::hypot(bx - ax, by - ay));
        }
        first += static_cast<size_t>(std::max(0, counts[p]));
    }
    if (lengths.empty()) {
        return false;
    }
    std::nth_element(lengths.begin(), lengths.begin() + lengths.size() / 2, lengths.end());
    return lengths[lengths.size() / 2] < 6.0f;
}

template <class Draw>
void CSceneComposer::ThroughList(unsigned& list, bool current, Draw draw) {
    if (current && m_r.IsCallable(list)) {
        m_r.CallList(list);
        return;
    }
    m_r.DeleteList(list);
    list = m_r.BeginList();
    draw();
    if (list != 0) {
        m_r.EndList();
        m_r.CallList(list);
    }
}

void UpdateMeshCorners(const CDataSet& data, CFrameCache& cache) {
    if (cache.meshGeneration == data.Generation()) {
        return;
    }
    // Sized once: a large mesh's corners do not pass through doubling copies.
    size_t corners = 0;
    for (int p = 0; p < data.m_mesh.GetPanelCount(); ++p) {
        corners += static_cast<size_t>(std::max(0, data.m_mesh.GetNodeCount(p)));
    }
    cache.meshCorners.clear();
    cache.meshCorners.shrink_to_fit();
    cache.meshCorners.reserve(corners);
    cache.meshCounts.clear();
    cache.meshCounts.reserve(static_cast<size_t>(std::max(0, data.m_mesh.GetPanelCount())));
    for (int p = 0; p < data.m_mesh.GetPanelCount(); ++p) {
        const int n = data.m_mesh.GetNodeCount(p);
        const CVector4 lift = data.PanelNormal(p) * (data.m_fLift * 3.0f);
        for (int k = 0; k < n; ++k) {
            cache.meshCorners.push_back(data.m_taps.GetPosition(data.m_mesh.GetNodeTapNo(p, k)) +
                                        lift);
        }
        cache.meshCounts.push_back(n);
    }
    cache.meshGeneration = data.Generation();
}

void CSceneComposer::DrawPoints() {
    const float r = 5.0f / m_state.m_data.m_fScale;
    // While an envelope is shown, the governing-direction layer writes each tap's governing
    // angle where its number goes (instead of it).
    const CShownValues shown = ShownValuesOf(m_state.m_data, m_state.m_settings);
    const int numberKind =
        shown.IsEnvelope() && m_state.m_settings.m_bShowGoverning
            ? 1 + static_cast<int>(shown.quantity) * ENVELOPE_CHOICE_COUNT + shown.envelope
            : 0;
    const bool numbers = m_state.m_settings.m_bShowNumbers || numberKind != 0;
    if (numbers && (m_cache.numbersGeneration != m_state.m_data.Generation() ||
                    m_cache.numbersKind != numberKind)) {
        const size_t taps = m_state.m_data.m_taps.m_aTapNo.size();
        m_cache.numberPositions.resize(taps);
        m_cache.numberTexts.resize(taps);
        const int directions = m_state.m_data.m_cp.m_nDirectionCount;
        for (size_t i = 0; i < taps; ++i) {
            const int panel = NumberPanelOfTap(m_state.m_data, static_cast<int>(i));
            m_cache.numberPositions[i] =
                m_state.m_data.m_taps.m_aPos[i] + m_state.m_data.PanelNormal(panel) * (2.0f * r);
            const int32_t tap = m_state.m_data.m_taps.m_aTapNo[i];
            m_cache.numberTexts[i] =
                numberKind != 0
                    ? DirectionText(directions,
                                    ShownValueOfTap(m_state.m_data, shown, tap).direction)
                    : kzv::FormatInt(tap);
        }
        m_cache.numbersGeneration = m_state.m_data.Generation();
        m_cache.numbersKind = numberKind;
    }
    std::vector<uint8_t> listed = TapMarks(r, numbers);
    const size_t whole = listed.size() <= m_frame.numberBitmapLimit
                             ? listed.size()
                             : std::min(listed.size(), m_frame.largeSetNumberBitmaps);
    // Thousands of markers and numbers: compiled once into a display list and replayed until
    // something they are drawn from changes. A recording sees them drawn one by one.
    CFrameCache& c = m_cache;
    // A thinned set's markers are dots, drawn for the camera of the moment.
    std::array<float, 16> camera{};
    if (ThinsTaps()) {
        m_r.ModelView(camera.data());
    }
    const bool current = m_r.IsCallable(c.pointsList) && c.pointsCamera == camera &&
                         c.pointsGeneration == m_state.m_data.Generation() &&
                         c.pointsMarkers == (m_state.m_settings.m_bShowMarkers != 0) &&
                         c.pointsNumbers == numbers && c.pointsNumbersKind == numberKind &&
                         c.pointsRadius == r && c.pointsFont == m_fonts.axis &&
                         c.pointsListed == listed && c.pointsWholeNumbers == whole;
    if (!current) {
        if (numbers && listed.size() > whole) {
            m_r.PrepareTextPieces(m_fonts.axis, m_cache.numberTexts);
        }
        m_r.DeleteList(c.pointsList);
        c.pointsList = m_r.BeginList();
        if (c.pointsList != 0) {
            DrawTapPoints(listed, r, whole, numbers);
            m_r.EndList();
            c.pointsGeneration = m_state.m_data.Generation();
            c.pointsCamera = camera;
            c.pointsMarkers = m_state.m_settings.m_bShowMarkers != 0;
            c.pointsNumbers = numbers;
            c.pointsNumbersKind = numberKind;
            c.pointsRadius = r;
            c.pointsFont = m_fonts.axis;
            c.pointsWholeNumbers = whole;
            c.pointsListed = std::move(listed);
            ++c.pointsCompilations;
        }
    }
    if (c.pointsList != 0) {
        m_r.CallList(c.pointsList);
    } else {
        DrawTapPoints(listed, r, whole,
                      numbers);  // no list to be had (while recording): drawn directly
    }
    for (const CArbitraryPoint& point : m_state.m_selection.m_lstArbitrary) {
        m_r.DrawSphere(point.pos, r, MARK_COLOR, 8);
    }
    if (m_state.m_selection.m_nCornerCount == 0) {
        m_r.DrawSphere(m_state.m_selection.m_aCorner[0], r, COLOR_GRAY, 8);
    } else if (m_state.m_selection.m_nCornerCount == 1) {
        for (const CVector4& corner : m_state.m_selection.m_aCorner) {
            m_r.DrawSphere(corner, r, COLOR_GRAY, 8);
        }
    }
}

std::vector<uint8_t> CSceneComposer::TapMarks(float radius, bool numbers) {
    const CMeasurePosFile& taps = m_state.m_data.m_taps;
    const size_t n = taps.m_aTapNo.size();
    std::vector<uint8_t> marks(n);
    for (size_t i = 0; i < n; ++i) {
        const bool listed = m_state.IsListed(taps.m_aTapNo[i]);
        marks[i] =
            static_cast<uint8_t>((listed ? TAP_LISTED : 0) |
                                 (listed || m_state.m_settings.m_bShowMarkers ? TAP_MARKER : 0) |
                                 (numbers ? TAP_NUMBER : 0));
    }
    // A set of a few hundred taps is drawn as it always was; a dense one would bury its bands.
    if (!ThinsTaps()) {
        return marks;
    }
    // Where the taps fall on the window: the model-view matrix of the frame (the camera), and
    // the projection's box centred on the window with one unit a pixel.
    float m[16];
    m_r.ModelView(m);
    const CWindowProjection window(m, m_frame.width, m_frame.height);
    // Markers keep half a marker's width free between them, so that about two thirds of the
    // surface shows its colours; numbers give way where their texts would touch (about 8
    // pixels a digit, 15 high, written right of and above their place). A listed tap is always
    // drawn, with its number.
    // Taps on surfaces turned toward the viewer come first: one on a wall behind would take
    // the place of a visible one and be hidden itself.
    const std::vector<CVector4>& normals = TapNormals();
    const CVector4 viewer = window.TowardViewer();
    const float markerHalf = radius * window.Unit();
    std::vector<CLegibleItem> markers(n), labels;
    for (size_t i = 0; i < n; ++i) {
        CLegibleItem& item = markers[i];
        window.At(taps.m_aPos[i], item.x, item.y);
        item.halfWidth = item.halfHeight = markerHalf;
        const bool facing = DotProduct(normals[i], viewer) > 0.0f;
        item.rank = marks[i] & TAP_LISTED ? ELegibleRank::Always
                    : facing              ? ELegibleRank::Favoured
                                          : ELegibleRank::Plain;
    }
    std::vector<uint8_t> shown;
    PickLegible(markers, m_frame.width, m_frame.height, markerHalf, shown);
    for (size_t i = 0; i < n; ++i) {
        if (!shown[i]) {
            marks[i] &= static_cast<uint8_t>(~TAP_MARKER);
        }
    }
    if (numbers) {
        labels.resize(n);
        for (size_t i = 0; i < n; ++i) {
            CLegibleItem& item = labels[i];
            float x = 0.0f, y = 0.0f;
            window.At(m_cache.numberPositions[i], x, y);
            item.halfWidth = 4.0f * static_cast<float>(m_cache.numberTexts[i].size());
            item.halfHeight = 7.5f;
            item.x = x + item.halfWidth;
            item.y = y - item.halfHeight;
            item.rank = markers[i].rank;
        }
        PickLegible(labels, m_frame.width, m_frame.height, 2.0f, shown);
        for (size_t i = 0; i < n; ++i) {
            if (!shown[i]) {
                marks[i] &= static_cast<uint8_t>(~TAP_NUMBER);
            }
        }
    }
    return marks;
}

void CSceneComposer::DrawTapPoints(const std::vector<uint8_t>& marks, float radius,
                                   size_t wholeNumbers, bool numbers) {
    const bool dots = ThinsTaps();
    if (!numbers && dots) {
        // A thinned set's markers alone: one run of dots.
        std::vector<CVector4> centres, colours;
        for (size_t i = 0; i < marks.size(); ++i) {
            if (marks[i] & TAP_MARKER) {
                centres.push_back(m_state.m_data.m_taps.m_aPos[i]);
                colours.push_back(marks[i] & TAP_LISTED ? MARK_COLOR : COLOR_BLACK);
            }
        }
        m_r.DrawDots(centres.data(), colours.data(), static_cast<int>(centres.size()), radius);
        return;
    }
    for (size_t i = 0; i < marks.size(); ++i) {
        const CVector4 colour = marks[i] & TAP_LISTED ? MARK_COLOR : COLOR_BLACK;
        if (marks[i] & TAP_MARKER) {
            if (dots) {
                m_r.DrawDots(&m_state.m_data.m_taps.m_aPos[i], &colour, 1, radius);
            } else {
                m_r.DrawSphere(m_state.m_data.m_taps.m_aPos[i], radius, colour, 8);
            }
        }
        if (marks[i] & TAP_NUMBER) {
            // Over whatever lies in front, and under the markers drawn after it.
            m_r.SetDepthTest(false);
            if (i < wholeNumbers) {
                m_r.DrawTextBitmap(m_cache.numberPositions[i], m_fonts.axis,
                                   m_cache.numberTexts[i].c_str(), colour);
            } else {
                m_r.DrawTextPieces(m_cache.numberPositions[i], m_fonts.axis,
                                   m_cache.numberTexts[i].c_str(), colour);
            }
            m_r.SetDepthTest(true);
        }
    }
}

void CSceneComposer::DrawComment(const CCommentRecord& record) {
    UpdateCommentText(record);
    const CCommentText& text = m_fonts.comment;
    // The client area, also while printing: the page shows the window's picture enlarged.
    m_r.BeginWindowOverlay(m_frame.width, m_frame.height);
    CVector4 at = record.position;
    auto line = [&](const CTextLists& lists) {
        at.y += static_cast<float>(record.size);
        m_r.DrawTextList(at, lists.first, lists.second, record.colour);
    };
    auto items = [&](int from, int to) {
        for (int i = from; i <= to; ++i) {
            if (record.flags[i] && text.itemText[i].second > 0) {
                line(text.itemText[i]);
            }
        }
    };
    items(0, 4);
    if (record.flags[5]) {
        for (const CTextLists& lists : text.summaryLines) {
            line(lists);
        }
    }
    items(6, 9);
    m_r.EndWindowOverlay();
}

void CSceneComposer::DrawContours() {
    CContourInputs inputs =
        ContourInputsOf(m_state.m_data, m_state.m_settings, m_state.m_selection);
    inputs.form = BandFormOf(m_state.m_data, m_frame);
    const bool compute = !m_cache.contoursValid || inputs != m_cache.contourKey;
    if (compute) {
        ComputeContours(m_state.m_data, m_state.m_settings, m_state.m_selection, m_cache.contours,
                        inputs.form);
        // Kept for many frames: without the slack of their growth (up to half of them).
        m_cache.contours.items.shrink_to_fit();
        m_cache.contours.points.shrink_to_fit();
        m_cache.contours.triangles.corners.shrink_to_fit();
        m_cache.contours.triangles.coords.shrink_to_fit();
        m_cache.contours.triangles.indices.shrink_to_fit();
        m_cache.contourKey = std::move(inputs);
        m_cache.contoursValid = true;
        ++m_cache.contourComputations;
        const CDataRange& range = m_cache.contours.shownRange;
        m_cache.rangeText = range.Empty() ? std::string()
                                          : "データ範囲 " + kzv::FormatG(range.min) + " … " +
                                                kzv::FormatG(range.max);
    }
    const CContourDrawing& contours = m_cache.contours;
    if (contours.items.empty() && contours.triangles.corners.empty()) {
        return;
    }
    if (m_state.m_settings.m_bShowLabels && !contours.labels.empty() && !m_frame.printing) {
        // (A printed or enlarged frame uses its own label font; the screen's is made on screen.)
        UpdateLabelFont();
    }
    const unsigned labelFont = m_fonts.label;
    // Bands and lines first. The label texts and the slots come after them all, without the
    // depth test: a label's text starts beside its sphere and on a sloped face runs into the
    // surface, and a slot lies on the surface under the bands lifted off it; so that neither
    // is hidden by the face it belongs to they are drawn over everything, as the tap numbers
    // are. The label spheres stand out of the lines and keep the depth test.
    bool hasSlots = false;
    for (const CContourItem& item : contours.items) {
        hasSlots = hasSlots || item.type == ContourItemType::Slots;
    }
    const auto drawRuns = [this] {
        // Every band (and blank) in one run, then every line, then the label spheres. The
        // items come panel by panel, bands, lines and labels mixed; the lines lie lifted over
        // the bands and the spheres stand out of both, so the depth test gives the picture of
        // the items' order, without a run (and a draw) for each panel's few items.
        const CContourDrawing& drawing = m_cache.contours;
        std::vector<CVector4> points, colours;
        std::vector<int> counts;
        for (const CContourItem& item : drawing.items) {
            if (item.type == ContourItemType::Band || item.type == ContourItemType::Blank) {
                const CVector4* at = &drawing.points[static_cast<size_t>(item.first)];
                points.insert(points.end(), at, at + item.count);
                counts.push_back(item.count);
                colours.push_back(item.type == ContourItemType::Band ? item.colour : COLOR_WHITE);
            }
        }
        m_r.DrawPolygons(points.data(), counts.data(), colours.data(),
                         static_cast<int>(counts.size()));
        const CBandTriangles& triangles = drawing.triangles;
        m_r.DrawBandTriangles(triangles.corners.data(), triangles.coords.data(),
                              triangles.indices.data(), triangles.Count(), triangles.table.data(),
                              static_cast<int>(triangles.table.size()));
        points.clear();
        colours.clear();
        for (const CContourItem& item : drawing.items) {
            if (item.type == ContourItemType::Line) {
                const CVector4* at = &drawing.points[static_cast<size_t>(item.first)];
                points.insert(points.end(), at, at + 2);
                colours.push_back(item.colour);
            }
        }
        m_r.DrawLines(points.data(), colours.data(), static_cast<int>(colours.size()), 1.0f);
        for (const CContourItem& item : drawing.items) {
            if (item.type == ContourItemType::Label) {
                const CContourLabel& label = drawing.labels[static_cast<size_t>(item.first)];
                m_r.DrawSphere(label.centre, label.radius, item.colour, 8);
            }
        }
    };
    const int scale = m_r.PixelScale();
    if (compute) {
        // New contours (a direction step, say) are drawn directly: the list is made by the
        // next frame that shows them again, so stepping through the directions never pays
        // for a list it would not replay.
        m_r.DeleteList(m_cache.contoursList);
        m_cache.contoursList = 0;
        m_cache.contoursListComputation = -1;
        drawRuns();
    } else {
        // Compiled once per computation and pixel scale: a camera move replays them.
        const bool current = m_cache.contoursListComputation == m_cache.contourComputations &&
                             m_cache.contoursListScale == scale;
        ThroughList(m_cache.contoursList, current, drawRuns);
        m_cache.contoursListComputation = m_cache.contourComputations;
        m_cache.contoursListScale = scale;
    }
    m_r.SetDepthTest(false);
    for (const CContourItem& item : contours.items) {
        if (item.type == ContourItemType::Label) {
            const CContourLabel& label = contours.labels[static_cast<size_t>(item.first)];
            m_r.DrawTextA(label.textPos, labelFont, label.text.c_str(), item.colour);
        }
    }
    if (hasSlots && m_state.m_bSlotsVisible) {
        const CSlotDrawing slotPicture =
            BuildSlotDrawing(m_state.m_settings, m_state.m_selection, m_state.m_data.m_fScale);
        for (const CSlotMark& mark : slotPicture.marks) {
            m_r.DrawSphere(mark.a, slotPicture.radius, slotPicture.colour, 8);
            if (mark.complete) {
                m_r.DrawTextA(mark.numberPos, labelFont, mark.number.c_str(), slotPicture.colour);
                m_r.DrawSphere(mark.b, slotPicture.radius, slotPicture.colour, 8);
                const CVector4 line[2] = {mark.a, mark.b};
                m_r.DrawLine(line, slotPicture.colour, 1.0f);
            }
        }
    }
    m_r.SetDepthTest(true);
}

void CSceneComposer::DrawColorBar() {
    // What is shown (unless the mean of one direction) under the bar, and triangles at the
    // ends the shown data pass.
    CColorBarExtras extras;
    extras.caption = ShownStateCaption(m_state);
    if (m_cache.contoursValid) {
        extras.overflow = ScaleOverflow(m_cache.contours.shownRange, m_state.m_settings.m_dColorMin,
                                        m_state.m_settings.m_dColorMax);
    }
    const CColorBarDrawing bar =
        BuildColorBar(m_state.m_settings, m_frame.width, m_frame.height, extras);
    if (!bar.visible) {
        return;
    }
    for (const CColorBarQuad& quad : bar.quads) {
        m_r.DrawPolygon(quad.corner, 4, quad.colour);
    }
    if (bar.below) {
        m_r.DrawPolygon(bar.belowTriangle, 3, bar.belowColour);
        m_r.DrawLineLoop(bar.belowTriangle, 3, COLOR_BLACK, 1.0f);
    }
    if (bar.above) {
        m_r.DrawPolygon(bar.aboveTriangle, 3, bar.aboveColour);
        m_r.DrawLineLoop(bar.aboveTriangle, 3, COLOR_BLACK, 1.0f);
    }
    if (!bar.caption.empty()) {
        // Japanese text: a text list of its own, made for this frame in this frame's context
        // (an enlarged image or a print draws in another one).
        const CTextLists lists = m_r.CreateTextList(15, bar.caption, "ＭＳ ゴシック");
        if (lists.second > 0) {
            m_r.DrawTextList(bar.captionPos, lists.first, lists.second, COLOR_BLACK);
            m_r.DeleteLists(lists.first, lists.second);
        }
    }
    for (const CColorBarLabel& label : bar.labels) {
        m_r.DrawTextA(label.textPos, m_fonts.axis, label.text.c_str(), COLOR_BLACK);
        m_r.DrawPolygon(label.tick, 3, COLOR_BLACK);
    }
    m_r.DrawLineLoop(bar.outline, 4, COLOR_BLACK, 1.0f);
}

void CSceneComposer::UpdateLabelFont() {
    if (m_fonts.label != 0 && m_fonts.labelFace == m_state.m_settings.m_strLabelFont &&
        m_fonts.labelSize == m_state.m_settings.m_nLabelFontSize) {
        return;
    }
    m_r.DeleteFontList(m_fonts.label);
    m_fonts.label = m_r.CreateFontListA(m_state.m_settings.m_nLabelFontSize,
                                        m_state.m_settings.m_strLabelFont.c_str());
    m_fonts.labelFace = m_state.m_settings.m_strLabelFont;
    m_fonts.labelSize = m_state.m_settings.m_nLabelFontSize;
}

std::vector<std::string> CommentItemTexts(const CViewState& state) {
    return {
        DataSetName(state.m_data.m_strDataFolder), state.m_data.m_header.m_strTitle,
        state.m_data.m_header.m_strAffiliation,    state.m_data.m_header.m_strMeasurer,
        state.m_data.m_header.m_strManager,        state.m_data.m_header.m_strSummary,
        state.m_data.m_header.m_strBuildingShape,  state.m_data.m_header.m_strRoofShape,
        state.m_data.m_header.m_strBuildingSize,   state.m_data.m_header.m_strAdjacentCondition};
}

void DeleteCommentLists(CSceneRenderer& renderer, CCommentText& text) {
    text.made = false;
    for (CTextLists& lists : text.itemText) {
        renderer.DeleteLists(lists.first, lists.second);
        lists = CTextLists(0, 0);
    }
    for (const CTextLists& lists : text.summaryLines) {
        renderer.DeleteLists(lists.first, lists.second);
    }
    text.summaryLines.clear();
}

void CSceneComposer::UpdateCommentText(const CCommentRecord& record) {
    // Only the items shown get lists; the flags are part of what the lists were made from.
    std::vector<std::string> texts = CommentItemTexts(m_state);
    for (int i = 0; i < COMMENT_ITEM_COUNT; ++i) {
        if (!record.flags[i]) {
            texts[static_cast<size_t>(i)].clear();
        }
    }
    CCommentText& text = m_fonts.comment;
    if (text.made && text.font == record.font && text.size == record.size && text.texts == texts) {
        return;
    }
    DeleteCommentLists(m_r, text);
    auto lists = [this, &record](const std::string& utf8) {
        return m_r.CreateTextList(record.size, utf8, record.font.c_str());
    };
    for (int i = 0; i < COMMENT_ITEM_COUNT; ++i) {
        if (i != 5 && !texts[static_cast<size_t>(i)].empty()) {
            text.itemText[i] = lists(kzv::DisplayLine(texts[static_cast<size_t>(i)]));
        }
    }
    // The summary, line by line; empty lines are dropped.
    for (const std::string& line : kzv::DisplaySummaryLines(texts[5])) {
        text.summaryLines.push_back(lists(line));
    }
    text.made = true;
    text.font = record.font;
    text.size = record.size;
    text.texts = std::move(texts);
}

BandForm BandFormOf(const CDataSet& data, const CSceneFrame& frame) {
    return data.m_taps.m_aTapNo.size() > frame.polygonBandsUpTo ? BandForm::Triangles
                                                                : BandForm::Polygons;
}
