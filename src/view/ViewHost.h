#pragma once

#include <string>
#include <vector>

#include "dataset/HeaderFile.h"

// What the view asks of the window around it: the pages of the operation panel and the value
// list, reached through the main frame. Every call has a harmless default, so the view also
// works alone (in tests, or before the frame exists).
class CViewHost {
public:
    virtual ~CViewHost() = default;

    // Display page: the list of geometry parts.
    virtual void ClearPartNames() {}
    virtual void AddPartName(const std::string& /*name*/) {}
    // Direction page: a new direction count (spinner range 0..n-1 at 0).
    virtual void SetDirectionCount(int /*count*/) {}
    // Value list.
    virtual void ClearAllRows() {}
    virtual void RefreshPointCoordinates() {}
    virtual bool FindPointRow(int /*id*/) { return false; }
    // Data-value page: the undo button.
    virtual void EnableUndo(bool /*enable*/) {}
    // Operation page: the zoom, angle and pan fields.
    virtual void UpdateFromView() {}
    // Every page re-reads its controls from the view, in the load's order.
    virtual void RefreshPages() {}
    // The loaded data set's name: document title, caption, status pane.
    virtual void SetDataSetName(const std::string& /*name*/) {}
    // The commands that need a data set follow its presence.
    virtual void UpdateCommandStates() {}

    // Runs the data-folder dialog (on the search results when given). True when the user
    // confirmed a data set; folder (ending in '/') and header are then set.
    virtual bool ChooseDataSet(const std::vector<std::string>* /*searchResults*/,
                               std::string& /*folder*/, CHeaderFile& /*header*/) {
        return false;
    }
};
