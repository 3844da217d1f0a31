#pragma once

#include <QWidget>

// A page of the operation panel (or the value-list bar): a widget that carries its resource
// id and re-reads its controls from the view when asked.
class CPanelPage : public QWidget {
    Q_OBJECT
public:
    CPanelPage(int resourceId, QWidget* parent = nullptr);

    // Controls from the view's state (after a load, a reset or a settings file).
    virtual void RefreshFromView() {}
};
