#include "field/ContourWalk.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <iterator>

#include "field/ColorScale.h"
#include "field/LineContours.h"
#include "field/ScaleFit.h"
#include "field/ShownValues.h"
#include "field/SurfaceValues.h"

namespace {

// The corner pairs of a quadrilateral's four triangles, in SplitPanel's order (the centre
// between them).
constexpr int kSplitPairs[4][2] = {{0, 3}, {3, 2}, {2, 1}, {1, 0}};

// Band coordinates further from the scale than this many bands are left to the band polygons:
// along such a triangle a float coordinate would place the band edges too coarsely.
constexpr double kMaxBandCoordinate = 1024.0;

// The walk of ComputeContours, appending to out.
void ComputeFrame(const CDataSet& data, const CDisplaySettings& settings,
                  const CSelection& selection, BandForm form, CContourDrawing& out) {
    // The shown values of every record: one pass over the table, also for an envelope; their
    // true range goes with the drawing (the colour bar's end marks, the status bar).
    std::vector<double>& column = out.scratch.values;
    ShownColumn(data, ShownValuesOf(data, settings), column);
    out.shownRange = DataRange(column);

    const int kind = settings.m_nContourKind;
    const int n = settings.m_nDivisions;
    if ((kind != 0 && kind != 1 && kind != 2) || n < 1 || n > MAX_DIVISIONS) {
        return;
    }
    const bool bands = kind == 0 || kind == 2;
    const bool lines = kind == 1 || kind == 2;
    const bool drawLines =
        lines && (settings.m_nLineColorMode == 0 || settings.m_nLineColorMode == 1);
    const CVector4* lineTable = settings.m_nLineColorMode == 0 ? settings.m_aColorTable : nullptr;

    const CContourLevels levels = MakeContourLevels(settings.m_dColorMin, settings.m_dColorMax, n);
    const bool asTriangles = bands && form == BandForm::Triangles && levels.ascending &&
                             std::isfinite(levels.bandsPerUnit);
    if (asTriangles) {
        out.triangles.table.assign(settings.m_aColorTable, settings.m_aColorTable + n);
    }
    const CLabelContext labels =
        lines ? MakeLabelContext(data, settings, selection) : CLabelContext();

    // The band of every record's value, found once per record rather than at every panel
    // corner of the record's tap.
    std::vector<int8_t>& bandOf = out.scratch.bands;
    bandOf.clear();
    if (bands) {
        bandOf.resize(column.size());
        for (size_t r = 0; r < column.size(); ++r) {
            bandOf[r] = static_cast<int8_t>(BandIndex(column[r], levels));
        }
    }

    CContourItem slotsItem;
    slotsItem.type = ContourItemType::Slots;

    // The corners of every panel are looked up once per data set, not per frame.
    const CCornerTable& table = data.Corners();
    const int panels = data.m_mesh.GetPanelCount();
    const std::vector<uint8_t>& contourFlags = settings.m_abPanelContour;
    const int flagged =
        static_cast<int>(std::min(contourFlags.size(), static_cast<size_t>(panels)));
    const double* values = column.data();
    const size_t records = column.size();
    const int8_t* recordBand = bands ? bandOf.data() : nullptr;
    CVector4 lift;  // the panel's: its normal x the data set's lift
    // A panel's bands as its triangles over its m corners (a quadrilateral's centre last),
    // sharing them: the corners with their band coordinates, and the triangles' corners in
    // order. False, and nothing added, when a coordinate lies too far off the scale (the
    // panel's band polygons then).
    CBandTriangles& field = out.triangles;
    auto panelTriangles = [&](const CVector4* p, const double* v, const int* band, int m,
                              std::initializer_list<uint32_t> order) {
        float t[5];
        for (int k = 0; k < m; ++k) {
            const double c = BandCoordinate(v[k], band[k], levels);
            if (!(std::fabs(c) <= kMaxBandCoordinate)) {
                return false;
            }
            t[k] = static_cast<float>(c);
        }
        if (field.corners.size() + static_cast<size_t>(m) > UINT32_MAX) {
            return false;
        }
        const auto first = static_cast<uint32_t>(field.corners.size());
        field.corners.insert(field.corners.end(), p, p + m);
        field.coords.insert(field.coords.end(), t, t + m);
        for (const uint32_t k : order) {
            field.indices.push_back(first + k);
        }
        return true;
    };
    // A lifted triangle's bands (unless the panel's triangles hold them), then (lifted once
    // more) its lines and the slots.
    auto drawTriangle = [&](CVector4* p, const double* v, const int* band, bool bandsDone) {
        if (bands && !bandsDone) {
            FillBandsOnTriangle(p, v, band, levels, settings.m_aColorTable, out);
        }
        if (lines) {
            for (int k = 0; k < 3; ++k) {
                p[k] = p[k] + lift;
            }
            if (drawLines) {
                LinesOnTriangle(p, v, levels, lineTable, settings.m_clrLine, labels, out);
            }
            out.AddItem(slotsItem);
        }
    };
    CPanelCorners c;
    CVector4 tri[4][3];  // assigned per panel; constructed once per frame
    double val[4][3];
    for (int i = 0; i < flagged; ++i) {
        if (contourFlags[static_cast<size_t>(i)] != 1) {
            continue;
        }
        c.count = table.Count(i);
        if (c.count == 0) {
            continue;
        }
        const int32_t* cpRecord = table.CpRecords(i);
        bool complete = true;
        for (int k = 0; k < c.count; ++k) {
            const int32_t r = cpRecord[k];
            c.value[k] = r >= 0 && static_cast<size_t>(r) < records ? values[r] : NO_VALUE;
            // Written so that a NaN counts as no value too.
            complete = complete && c.value[k] < NO_VALUE;
        }
        const int32_t* posRecord = table.PosRecords(i);
        for (int k = 0; k < c.count; ++k) {
            c.pos[k] = data.PositionOfRecord(posRecord[k]);
        }
        lift = data.PanelNormal(i) * data.m_fLift;
        if (!complete) {
            // No bands, lines or labels; but where the geometry is drawn as outlines, a hole
            // in the bands would show the far side's bands through this wall.
            if (bands) {
                CContourItem blank;
                blank.type = ContourItemType::Blank;
                blank.first = out.PointCount();
                blank.count = c.count;
                for (int k = 0; k < c.count; ++k) {
                    out.AddPoint(c.pos[k] + lift);
                }
                out.AddItem(blank);
            }
            continue;
        }

        // Every corner has a value here, so its record is in the column and has a band.
        if (c.count == 3) {
            int cornerBand[3] = {};
            for (int k = 0; k < 3; ++k) {
                c.pos[k] = c.pos[k] + lift;
                if (bands) {
                    cornerBand[k] = recordBand[cpRecord[k]];
                }
            }
            const bool done =
                asTriangles && panelTriangles(c.pos, c.value, cornerBand, 3, {0, 1, 2});
            drawTriangle(c.pos, c.value, cornerBand, done);
            continue;
        }
        SplitPanel(c, tri, val);
        int band[4][3] = {};
        bool done = false;
        if (bands) {
            // Each corner's band once for the four triangles, the centre's last.
            int cornerBand[5];
            for (int k = 0; k < 4; ++k) {
                cornerBand[k] = recordBand[cpRecord[k]];
            }
            cornerBand[4] = BandIndex(val[0][1], levels);
            for (int t = 0; t < 4; ++t) {
                band[t][0] = cornerBand[kSplitPairs[t][0]];
                band[t][1] = cornerBand[4];
                band[t][2] = cornerBand[kSplitPairs[t][1]];
            }
            if (asTriangles) {
                const CVector4 p[5] = {c.pos[0] + lift, c.pos[1] + lift, c.pos[2] + lift,
                                       c.pos[3] + lift, tri[0][1] + lift};
                const double v[5] = {c.value[0], c.value[1], c.value[2], c.value[3], val[0][1]};
                done = panelTriangles(p, v, cornerBand, 5, {0, 4, 3, 3, 4, 2, 2, 4, 1, 1, 4, 0});
            }
        }
        for (int t = 0; t < 4; ++t) {
            for (int k = 0; k < 3; ++k) {
                tri[t][k] = tri[t][k] + lift;
            }
            drawTriangle(tri[t], val[t], band[t], done);
        }
    }
}

}  // namespace

void ComputeContours(const CDataSet& data, const CDisplaySettings& settings,
                     const CSelection& selection, CContourDrawing& out, BandForm form) {
    out.Clear();
    ComputeFrame(data, settings, selection, form, out);
}

CContourInputs ContourInputsOf(const CDataSet& data, const CDisplaySettings& settings,
                               const CSelection& selection) {
    CContourInputs in;
    in.generation = data.Generation();
    in.direction = settings.m_nDirection;
    const CShownValues shown = ShownValuesOf(data, settings);
    in.quantity = static_cast<int>(shown.quantity);
    in.tables = data.m_tables.Stamp();
    in.envelope = shown.envelope;
    in.panelContour = settings.m_abPanelContour;
    in.kind = settings.m_nContourKind;
    in.lineColorMode = settings.m_nLineColorMode;
    in.lineColour = settings.m_clrLine;
    in.showLabels = settings.m_bShowLabels;
    in.labelSkip = settings.m_nLabelSkip;
    in.labelColorMode = settings.m_nLabelColorMode;
    in.labelColour = settings.m_clrLabel;
    std::copy(std::begin(settings.m_abSlotOn), std::end(settings.m_abSlotOn), in.slotOn);
    std::copy(&settings.m_aSlot[0][0], &settings.m_aSlot[0][0] + SLOT_COUNT * 2, &in.slot[0][0]);
    in.editSlot = selection.m_nEditSlot;
    in.slotPickCount = selection.m_nSlotPickCount;
    in.colorMin = settings.m_dColorMin;
    in.colorMax = settings.m_dColorMax;
    in.divisions = settings.m_nDivisions;
    std::copy(std::begin(settings.m_aColorTable), std::end(settings.m_aColorTable), in.colorTable);
    in.scale = data.m_fScale;
    in.lift = data.m_fLift;
    return in;
}

namespace {

// Exact equality: CVector4's own == allows a small tolerance, a cache key must not.
bool Same(const CVector4& a, const CVector4& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w;
}

}  // namespace

bool CContourInputs::operator==(const CContourInputs& o) const {
    return generation == o.generation && direction == o.direction && quantity == o.quantity &&
           tables == o.tables && envelope == o.envelope && panelContour == o.panelContour &&
           kind == o.kind && lineColorMode == o.lineColorMode && Same(lineColour, o.lineColour) &&
           showLabels == o.showLabels && labelSkip == o.labelSkip &&
           labelColorMode == o.labelColorMode && Same(labelColour, o.labelColour) &&
           std::equal(std::begin(slotOn), std::end(slotOn), std::begin(o.slotOn)) &&
           std::equal(&slot[0][0], &slot[0][0] + SLOT_COUNT * 2, &o.slot[0][0], Same) &&
           editSlot == o.editSlot && slotPickCount == o.slotPickCount && colorMin == o.colorMin &&
           colorMax == o.colorMax && divisions == o.divisions &&
           std::equal(std::begin(colorTable), std::end(colorTable), std::begin(o.colorTable),
                      Same) &&
           scale == o.scale && lift == o.lift && form == o.form;
}
