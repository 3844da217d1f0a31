#include "Pages.h"

#include <QVBoxLayout>

#include "text/CodePage.h"

CDirectionPage::CDirectionPage(QWidget* parent) : CPanelPage(133, parent) {}

void CDirectionPage::SetDirectionCount(int count) {
    m_nDirCount = count;
}

void CDirectionPage::RefreshFromView() {}

COperationPage::COperationPage(QWidget* parent) : CPanelPage(134, parent) {}

void COperationPage::UpdateFromView() {}

CDisplayPage::CDisplayPage(QWidget* parent)
    : CPanelPage(135, parent), m_parts(new QListWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_parts);
}

void CDisplayPage::ClearPartNames() {
    m_parts->clear();
}

void CDisplayPage::AddPartName(const std::string& name) {
    m_parts->addItem(QString::fromStdString(kzv::FileTextToUtf8(name)));
}

CContourPage::CContourPage(QWidget* parent) : CPanelPage(138, parent) {}

CColorBarPage::CColorBarPage(QWidget* parent) : CPanelPage(159, parent) {}

CDataValuePage::CDataValuePage(QWidget* parent)
    : CPanelPage(103, parent), m_undo(new QPushButton(QString::fromUtf8("戻す"), this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_undo);
    layout->addStretch();
    m_undo->setEnabled(false);
}

void CDataValuePage::EnableUndo(bool enable) {
    m_undo->setEnabled(enable);
}
