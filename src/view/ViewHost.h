#pragma once

#include <string>
#include <vector>

#include "dataset/HeaderFile.h"

// What the view asks of the window around it. The pages and the value list follow the view's
// state through its change notification; the one thing the view needs from the frame is the
// data-folder dialog. The default answers "cancelled", so the view also works alone.
class CViewHost {
public:
    virtual ~CViewHost() = default;

    // Runs the data-folder dialog (on the search results when given). True when the user
    // confirmed a data set; folder (ending in '/') and header are then set.
    virtual bool ChooseDataSet(const std::vector<std::string>* /*searchResults*/,
                               std::string& /*folder*/, CHeaderFile& /*header*/) {
        return false;
    }
};
