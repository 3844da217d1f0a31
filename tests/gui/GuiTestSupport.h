#pragma once

#include <QTest>
#include <QWidget>
#include <string>

#include "view/KZ_VView.h"

// The committed sample data folder, ending with '/'.
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
