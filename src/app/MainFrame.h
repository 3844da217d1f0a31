#pragma once

#include <QMainWindow>

// The program's main window. It holds the 3-D view, the docking bars, the menus and the status
// bar as they are added; for now it is the empty frame titled with the application name.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
};
