#include "PanelPage.h"

CPanelPage::CPanelPage(int resourceId, QWidget* parent) : QWidget(parent) {
    setProperty("resourceId", resourceId);
}
