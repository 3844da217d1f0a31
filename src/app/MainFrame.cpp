#include "MainFrame.h"

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("KZ_V"));
    resize(1024, 768);
}
