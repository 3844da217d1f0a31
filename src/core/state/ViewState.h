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

    // Turns the building on its site (see CDataSet::TurnBuilding) and drops the arbitrary
    // points. Telling the value list is the listeners' part.
    void SetBuildingAngle(double degrees);

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
    // Announces that the aspects changed. The value list follows first (a new data set
    // empties it, a turned building moves its rows, a new direction rewrites its values);
    // then every listener is called.
    void Changed(unsigned aspects);

private:
    struct Entry {
        int handle;
        Listener listener;
    };
    std::vector<Entry> m_listeners;
    int m_nNextListener = 1;
};
