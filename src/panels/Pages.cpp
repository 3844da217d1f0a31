#include "Pages.h"

#include <QVBoxLayout>

#include "state/ViewState.h"
#include "text/CodePage.h"

CDirectionPage::CDirectionPage(QWidget* parent) : CPanelPage(133, parent) {}

void CDirectionPage::SetDirectionCount(int count) {
    m_nDirCount = count;
}

void CDirectionPage::OnStateChanged(unsigned aspects) {
    if ((aspects & ASPECT_DATASET) && State() != nullptr) {
        SetDirectionCount(State()->m_cp.m_nDirectionCount);
    }
    CPanelPage::OnStateChanged(aspects);
}

COperationPage::COperationPage(QWidget* parent) : CPanelPage(134, parent) {}

void COperationPage::UpdateFromView() {}

void COperationPage::OnStateChanged(unsigned aspects) {
    if (aspects & ASPECT_CAMERA) {
        UpdateFromView();
    }
    CPanelPage::OnStateChanged(aspects);
}

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

void CDisplayPage::OnStateChanged(unsigned aspects) {
    if ((aspects & ASPECT_DATASET) && State() != nullptr) {
        // Main parts, then sub parts: the display-part index.
        ClearPartNames();
        for (const CGeometry* geo : {&State()->m_geoMain, &State()->m_geoSub}) {
            for (const CGeometryObject& part : geo->m_objects) {
                AddPartName(part.m_strName);
            }
        }
    }
    CPanelPage::OnStateChanged(aspects);
}

CContourPage::CContourPage(QWidget* parent) : CPanelPage(138, parent) {}

CColorBarPage::CColorBarPage(QWidget* parent) : CPanelPage(159, parent) {}
