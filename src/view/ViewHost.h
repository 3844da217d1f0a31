#pragma once

#include <string>
#include <vector>

#include "dataset/HeaderFile.h"
#include "field/RangeRequest.h"
#include "geometry/Vector4.h"

class CViewState;

// Answers of the auto-correction dialog: the ids of its two buttons.
enum AutoCorrectAnswer {
    AUTO_CORRECT_CLOSED = 0,  // closed by the window's close box or Escape
    AUTO_CORRECT_BY_HAND = 1350,
    AUTO_CORRECT_AUTOMATICALLY = 1351,
};

// What the view asks of the window around it: the dialogs it runs in the middle of a pick.
// The pages and the value list follow the view's state through its change notification (a
// finished rectangle or slot shows there as a pick mode back at 0). The defaults answer
// "cancelled", so the view also works alone.
class CViewHost {
public:
    virtual ~CViewHost() = default;

    // Runs the data-folder dialog (on the search results when given). True when the user
    // confirmed a data set; folder (ending in '/') and header are then set.
    virtual bool ChooseDataSet(const std::vector<std::string>* /*searchResults*/,
                               std::string& /*folder*/, CHeaderFile& /*header*/) {
        return false;
    }

    // Runs the range dialog on a rectangle's corners. True when the user confirmed with
    // "分割実行"; request then holds the corners as confirmed and the divisions.
    virtual bool RunRangeDialog(const CViewState& /*state*/, CRangeRequest& /*request*/) {
        return false;
    }

    // Runs the auto-correction dialog after a second rectangle corner off the first one's
    // surface. Without a window the corner is picked again.
    virtual int RunAutoCorrectDialog() { return AUTO_CORRECT_BY_HAND; }
};
