#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <string>

#include "GuiTestSupport.h"
#include "dataset/DataSetLoad.h"
#include "datasets/DatasetWidgets.h"
#include "state/StateOwner.h"

// The control of page with the id, or a failed expectation and null.
template <typename W>
W* PageControl(const QWidget* page, int id) {
    W* widget = qobject_cast<W*>(kzv::FindControl(page, id));
    EXPECT_NE(widget, nullptr) << "control " << id;
    return widget;
}

// Loads a committed sample into a bare state and announces it, as a load in the view does.
inline void LoadSampleState(CStateOwner& state, const std::string& name) {
    const std::string folder = SamplesFolder() + name + "/";
    CHeaderFile header;
    header.Read((folder + "header").c_str());
    state.Edit(ASPECT_ALL)->LoadDataSet(folder, header, 800, 600);
}

// Entry index of a drop-down list chosen with the mouse: the box opened, the item clicked.
inline void ChooseEntry(QComboBox* combo, int index) {
    ASSERT_NE(combo, nullptr);
    QTest::mouseClick(combo, Qt::LeftButton, Qt::NoModifier, combo->rect().center());
    QAbstractItemView* list = combo->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    // (The popup ignores a release within a double-click time of opening: the opening click's.)
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    const QRect item = list->visualRect(list->model()->index(index, 0));
    QTest::mouseMove(list->viewport(), item.center());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
}

// A click on the middle of w, as a user clicks a button or a check box.
inline void Click(QWidget* w) {
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

// A click on the box of a check box or radio button (its middle may lie beside the text).
inline void ClickIndicator(QAbstractButton* button) {
    ASSERT_NE(button, nullptr);
    QStyleOptionButton option;
    option.initFrom(button);
    const QStyle::SubElement box = qobject_cast<QRadioButton*>(button)
                                       ? QStyle::SE_RadioButtonIndicator
                                       : QStyle::SE_CheckBoxIndicator;
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier,
                      button->style()->subElementRect(box, &option, button).center());
}

// Where the style draws one part of a spin box, a slider or a scroll bar.
inline QRect SpinPart(QSpinBox* spin, QStyle::SubControl part) {
    QStyleOptionSpinBox option;
    option.initFrom(spin);
    option.subControls = QStyle::SC_All;
    option.frame = true;
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    return spin->style()->subControlRect(QStyle::CC_SpinBox, &option, part, spin);
}

inline QRect SliderPart(QAbstractSlider* slider, QStyle::ComplexControl control,
                        QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    option.upsideDown = false;
    option.subControls = QStyle::SC_All;
    if (auto* s = qobject_cast<QSlider*>(slider)) {
        option.tickPosition = s->tickPosition();
        option.tickInterval = s->tickInterval();
    }
    return slider->style()->subControlRect(control, &option, part, slider);
}

// Saves a screenshot beside the test program, under pages/.
inline void SaveScreenshot(const QImage& image, const QString& name) {
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/pages");
    QDir().mkpath(folder);
    EXPECT_TRUE(image.save(folder + "/" + name + ".png")) << name.toStdString();
}
