#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "field/Camera.h"
#include "state/DataSet.h"
#include "state/DisplaySettings.h"
#include "state/Selection.h"
#include "valuelist/ValueList.h"

// What changed in the view's state. Every writer (page, dialog, settings file, value list,
// mouse) names the aspects it changed when it announces the change; the view, the pages and
// the caches react to the aspects they read.
enum StateAspect : unsigned {
    ASPECT_DATASET = 1u << 0,     // a new data set (or none)
    ASPECT_POSITIONS = 1u << 1,   // taps and geometry moved: the building angle
    ASPECT_DIRECTION = 1u << 2,   // the wind direction shown
    ASPECT_COLOURS = 1u << 3,     // colour scale: levels, band count, colours, bar
    ASPECT_CONTOURS = 1u << 4,    // contour kind, panels, lines, labels, slots
    ASPECT_GEOMETRY = 1u << 5,    // display switches, part modes and colours, material
    ASPECT_CAMERA = 1u << 6,      // zoom, pan, rotation
    ASPECT_SELECTION = 1u << 7,   // pick mode, selected points, rectangle, slot picking
    ASPECT_COMMENT = 1u << 8,     // the comment block
    ASPECT_VALUE_LIST = 1u << 9,  // the value list's rows: their order, coordinates shown, edits
    ASPECT_ALL = (1u << 10) - 1,
    // Every display setting replaced at once: "初期状態に戻す" and a settings file announce it.
    ASPECT_DISPLAY = ASPECT_ALL & ~(ASPECT_DATASET | ASPECT_POSITIONS),
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

// Everything the pressure view is made of, without a window: the loaded data set, every
// display setting, the camera and the selection, each a plain part of its own, and the rows
// of the value list. The view derives from it, so pages reach these members through g_pView
// under their own names; pages and tests use it alone.
class CViewState : public CDataSet, public CDisplaySettings, public CCamera, public CSelection {
public:
    CViewState();
    virtual ~CViewState() = default;

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

    // Turns the building on its site (see CDataSet::TurnBuilding) and drops the arbitrary
    // points. Telling the value list is the listeners' part.
    void SetBuildingAngle(double degrees);

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

    // Whether the label-position dialog is shown: the slots are drawn only then. Not a display
    // setting: a reset and the settings file leave it as the dialog set it.
    bool m_bSlotsVisible = false;

    // The value list's rows (the value-list page shows them).
    CValueList m_valueList;
    // Whether a point has a row in the value list; the scene marks such taps.
    bool IsListed(int id) const { return m_valueList.FindPointRow(id) >= 0; }

    // ---- change notification ----
    using Listener = std::function<void(unsigned aspects)>;
    // Registers a listener; it is called after every Changed, in registration order.
    // Returns its handle for RemoveListener.
    int AddListener(Listener listener);
    void RemoveListener(int handle);
    // Announces that the aspects changed. The value list follows first (a turned building
    // moves its rows, a new direction rewrites its values; a load has emptied it), and when
    // the value method is no longer the one the arbitrary points were computed with, their
    // values are computed again and the list shows them; then every listener is called.
    void Changed(unsigned aspects);

private:
    struct Entry {
        int handle;
        Listener listener;
    };
    std::vector<Entry> m_listeners;
    int m_nNextListener = 1;
    // The value method the arbitrary points' values were computed with.
    int m_nPointValueMethod = VALUE_LINEAR;
};
