#include "ui/PanelPage.h"

#include <QPointer>

#include "state/StateOwner.h"

CPanelPage::CPanelPage(int resourceId, QWidget* parent) : QWidget(parent) {
    setProperty("resourceId", resourceId);
}

const CViewState* CPanelPage::State() const {
    return m_pOwner != nullptr ? &m_pOwner->State() : nullptr;
}

void CPanelPage::Attach(CStateOwner& owner) {
    m_pOwner = &owner;
    // The page may go before the state (or the other way round when the window closes):
    // the listener stays registered and only calls a page that still exists.
    QPointer<CPanelPage> self(this);
    owner.AddListener([self](unsigned aspects) {
        if (self) {
            self->OnStateChanged(aspects);
        }
    });
}

void CPanelPage::OnStateChanged(unsigned aspects) {
    if (aspects & ~ASPECT_CAMERA) {
        RefreshFromView();
    }
}
