#include "PanelPage.h"

#include <QPointer>

#include "state/ViewState.h"

CPanelPage::CPanelPage(int resourceId, QWidget* parent) : QWidget(parent) {
    setProperty("resourceId", resourceId);
}

void CPanelPage::Attach(CViewState& state) {
    m_pState = &state;
    // The page may go before the state (or the other way round when the window closes):
    // the listener stays registered and only calls a page that still exists.
    QPointer<CPanelPage> self(this);
    state.AddListener([self](unsigned aspects) {
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
