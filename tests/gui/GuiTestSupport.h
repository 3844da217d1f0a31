#pragma once

#include <QTest>
#include <QWidget>
#include <string>

#include "view/KZ_VView.h"

// The committed sample data folder, ending with '/'.
// Write access to a state the way a test arranges it: no announcement (the test announces what
// it wants the windows to see, as the program's own edits do).
inline CViewState& Arrange(CStateOwner& owner) {
    return *owner.Edit();
}

inline std::string SamplesFolder() {
    return KZV_SAMPLES_DIR;
}

// Shows window at the given size and waits until the window system has put it on screen;
// false when that never happened. Tests call it through ASSERT_TRUE.
inline bool ShowExposed(QWidget& window, int width, int height) {
    window.resize(width, height);
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

// Loads the committed sample data set `name` (tower, gable or lshape) into view, header and
// all, as the data-folder dialog hands one over.
inline void LoadSample(CKZ_VView& view, const std::string& name) {
    const std::string folder = SamplesFolder() + name + "/";
    CHeaderFile header;
    header.Read((folder + "header").c_str());
    view.LoadDataSetFrom(folder, header);
}
