#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <cmath>
#include <functional>

#include "datasets/DatasetWidgets.h"
#include "ui/MessageBox.h"
#include "view/KZ_VView.h"

// Where a model point appears in the view, in the widget's coordinates.
inline QPoint WindowPoint(const CKZ_VView& view, CVector4 model) {
    const CVector4 p =
        Arrange(view.Owner()).m_camera.Project(model, Arrange(view.Owner()).m_data.m_fScale);
    const double ratio = view.devicePixelRatioF();
    return QPoint(static_cast<int>(std::lround((view.ClientWidth() / 2 + p.x) / ratio)),
                  static_cast<int>(std::lround((view.ClientHeight() / 2 - p.y) / ratio)));
}

// The index of a tap that a click at its marker picks for certain: the nearest to `near` of
// the taps whose markers no other marker crowds (within 16 pixels) unless it lies clearly
// behind. -1 when there is none.
inline int LoneFrontTap(const CKZ_VView& view, QPoint near) {
    const size_t n = Arrange(view.Owner()).m_data.m_taps.m_aPos.size();
    std::vector<CVector4> eye(n);
    for (size_t i = 0; i < n; ++i) {
        eye[i] = Arrange(view.Owner())
                     .m_camera.Project(Arrange(view.Owner()).m_data.m_taps.m_aPos[i],
                                       Arrange(view.Owner()).m_data.m_fScale);
    }
    int best = -1;
    double bestDistance = 1e30;
    for (size_t i = 0; i < n; ++i) {
        bool alone = true;
        for (size_t j = 0; j < n && alone; ++j) {
            if (j != i && std::fabs(eye[j].x - eye[i].x) < 16 &&
                std::fabs(eye[j].y - eye[i].y) < 16) {
                alone = eye[j].z < eye[i].z - 10;  // behind it, seen from the viewer
            }
        }
        const QPoint at = WindowPoint(view, Arrange(view.Owner()).m_data.m_taps.m_aPos[i]);
        const double d = std::hypot(at.x() - near.x(), at.y() - near.y());
        if (alone && d < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = d;
        }
    }
    return best;
}

// Runs action on the next modal dialog of that resource id once it is open (the test's click
// that opens it blocks until the dialog ends).
inline void WhenModalShows(int resourceId, std::function<void(QDialog&)> action) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, resourceId, action] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        const bool open = dialog != nullptr && dialog->isVisible() &&
                          dialog->property("resourceId").toInt() == resourceId;
        if (open || ++*tries > 500) {
            timer->stop();
            timer->deleteLater();
            if (open) {
                action(*dialog);
            } else {
                ADD_FAILURE() << "dialog " << resourceId << " never opened";
            }
        }
    });
    timer->start(10);
}

// The control of a window by its id.
template <typename W>
W* ControlOf(const QWidget* window, int id) {
    W* widget = qobject_cast<W*>(kzv::FindControl(window, id));
    EXPECT_NE(widget, nullptr) << "control " << id;
    return widget;
}

// Records message boxes instead of showing them, answering `answer`.
struct MessageLog {
    struct Entry {
        QString text, caption;
        KzButtons buttons;
        KzIcon icon;
    };
    std::vector<Entry> entries;
    KzAnswer answer = KzAnswer::Ok;
    KzMessageBoxHook previous;
    MessageLog() {
        previous = SetMessageBoxHook(
            [this](const QString& text, const QString& caption, KzButtons buttons, KzIcon icon) {
                entries.push_back({text, caption, buttons, icon});
                return answer;
            });
    }
    ~MessageLog() { SetMessageBoxHook(previous); }
};
