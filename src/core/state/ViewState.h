#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dataset/DataSet.h"
#include "dataset/HeaderFile.h"
#include "field/Camera.h"
#include "field/Comparison.h"
#include "field/DisplaySettings.h"
#include "field/Selection.h"
#include "valuelist/ValueList.h"

// What changed in the view's state. Every edit (page, dialog, settings file, value list, mouse)
// names the aspects it changes; the view, the pages and the caches react to the aspects they
// read.
enum StateAspect : unsigned {
    ASPECT_DATASET = 1u << 0,     // a new data set (or none)
    ASPECT_POSITIONS = 1u << 1,   // taps and geometry moved: the building angle
    ASPECT_DIRECTION = 1u << 2,   // the values shown: wind direction, quantity, envelope
    ASPECT_COLOURS = 1u << 3,     // colour scale: levels, band count, colours, bar
    ASPECT_CONTOURS = 1u << 4,    // contour kind, panels, lines, labels, slots
    ASPECT_GEOMETRY = 1u << 5,    // display switches, part modes and colours, material
    ASPECT_CAMERA = 1u << 6,      // zoom, pan, rotation
    ASPECT_SELECTION = 1u << 7,   // pick mode, selected points, rectangle, slot picking
    ASPECT_COMMENT = 1u << 8,     // the comment block
    ASPECT_VALUE_LIST = 1u << 9,  // the value list's rows: their order, coordinates shown, edits
    ASPECT_REFERENCE = 1u << 10,  // the reference data set of a comparison, its tap matching
    ASPECT_ALL = (1u << 11) - 1,
    // Every display setting replaced at once: "初期状態に戻す" and a settings file announce it.
    ASPECT_DISPLAY = ASPECT_ALL & ~(ASPECT_DATASET | ASPECT_POSITIONS | ASPECT_REFERENCE),
};

// Whether a change replaced the display settings as a whole (a new data set, a reset, a
// settings file), after which pages show the state afresh, rather than one page's own edit.
inline bool ReplacesDisplay(unsigned aspects) {
    return (aspects & ASPECT_DATASET) != 0 || (aspects & ASPECT_DISPLAY) == ASPECT_DISPLAY;
}

// Which faces carry contours, as the contour page's three choices name the panel flags.
enum class FacesShown {
    Unknown,  // no panels: nothing to tell
    All,      // every flag on
    Chosen,   // some on, some off
    None,     // every flag off
};

// Everything the pressure view is made of, without a window, as plain parts: the data set
// shown (and a second one beside it, the reference of a comparison), every display setting,
// the camera, the selection, the value list's rows and the building angle. One owner
// (CStateOwner) holds it; everyone else reads it and changes it through the owner's edits.
class CViewState {
public:
    CViewState();

    CDataSet m_data;           // the data set shown
    CDataSet m_reference;      // a data set to compare with; empty until one is loaded
    CComparison m_comparison;  // the reference's taps matched to the shown ones, and the values
    CDisplaySettings m_settings;
    CCamera m_camera;
    CSelection m_selection;
    CValueList m_valueList;  // the value list's rows (the value-list page shows them)
    // The building-angle step (the direction page's slider position): the building turned by
    // that many direction steps. The settings file and the 16-direction export read it.
    int m_nBuildingAngleStep = 0;
    // Whether the label-position dialog is shown: the slots are drawn only then. Not a display
    // setting: a reset and the settings file leave it as the dialog set it.
    bool m_bSlotsVisible = false;
    // The settings file last applied to these settings (its path and its SHA-256 then), for
    // the record beside each output; empty when none was, or after a reset to the defaults.
    std::string m_strSettingsFile;
    std::string m_strSettingsDigest;

    bool HasDataSet() const { return m_data.HasDataSet(); }
    // What the value list reads of the points behind its rows.
    CPointSource Points() const { return {m_data, m_selection, ShownValuesOf(m_data, m_settings)}; }

    // Reads the data set at folder (see LoadDataSetFiles) and starts afresh: no selection, no
    // rows, the building as read, every display setting reset.
    void LoadDataSet(const std::string& folder, const CHeaderFile& header, int clientW,
                     int clientH);

    // Every display setting back to its default (the one declaration in CDisplaySettings),
    // except that the label-position segments stay and the panel flags are sized to the mesh
    // (all on); the camera to the "Z axis positive" view, panned so that the centre of the
    // main geometry's extent is at the window's centre; no pick mode; every geometry part
    // grey and outlined (working copies only).
    void ResetDisplayState();

    // Pans so that the centre of the main geometry's extent appears at the window's centre in
    // the current orientation and zoom.
    void CentreModel();
    // The camera's axis view, centred for its own orientation.
    void SetViewPreset(int preset);
    // "ノーマライズ": zoom 1, the model centred.
    void NormaliseZoom();

    // One step of the wind direction (+1 next, -1 previous, wrapping around). A step leaves an
    // envelope: the arrows, PageUp / PageDown and the compass step from the direction shown
    // before it, so the view shows one direction again.
    void StepDirection(int step);

    // Turns the building on its site (see CDataSet::TurnBuilding) and drops the arbitrary
    // points.
    void SetBuildingAngle(double degrees);
    // Turns the building on its site by step direction steps (the slider's position) and
    // drops the arbitrary points. False, and nothing changes, when the building already stands
    // at that step and force is false (a slider let go where it was keeps the points).
    bool SetBuildingAngleStep(int step, bool force = false);

    // ---- contours on faces and label-position slots ----
    // Every panel's contour flag on (1) or off (0).
    void SetAllPanelContours(uint8_t on);
    // What the panel flags amount to: All or None when every flag equals the first (on or
    // off), Chosen as soon as one differs.
    FacesShown PanelContourChoice() const;
    // "数値表示の消去": every slot off with both points at the origin, no slot being picked. A
    // slot pick under way ends with it (pick mode 6 back to none): its slot is gone, and a
    // click in that mode must not find a slot number of -1.
    void ClearSlots();
    // "編集" of slot (0..19): its old segment goes at once and the next two clicks on the model
    // pick its end points (pick mode 6). False, and nothing changes, for another number.
    bool BeginSlotEdit(int slot);

    // Whether a point has a row in the value list; the scene marks such taps.
    bool IsListed(int id) const { return m_valueList.FindPointRow(id) >= 0; }

    // Brings what follows from other parts up to date after the aspects changed: the value
    // list's coordinates and values (a turned building moves its rows, a new direction rewrites
    // its values; a load has emptied it), and, when the value method is no longer the one the
    // arbitrary points were computed with, their values and the list's. The owner calls it
    // before it announces a change.
    void Follow(unsigned aspects);

private:
    // The value method the arbitrary points' values were computed with.
    int m_nPointValueMethod = VALUE_LINEAR;
};
