#include "Pages.h"

#include <QVBoxLayout>

#include "state/ViewState.h"
#include "text/CodePage.h"

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

void CDataValuePage::RefreshFromView() {
    EnableUndo(State() != nullptr && !State()->m_lstUndoGroup.empty());
}
