#include "panels/LabelPosDlg.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "panels/PageControlIds.h"
#include "state/StateOwner.h"
#include "ui/ControlId.h"

using namespace kzv::page;

namespace {
constexpr int kRowsPerColumn = 10;
}  // namespace

CLabelPosDlg::CLabelPosDlg(QWidget* parent) : QDialog(parent) {
    setProperty("resourceId", IDD_LABEL_POS);
    setWindowTitle(QCoreApplication::translate("CLabelPosDlg", "数値表示位置の編集"));
    setModal(false);

    auto* columns = new QHBoxLayout;
    for (int column = 0; column < SLOT_COUNT / kRowsPerColumn; ++column) {
        auto* grid = new QGridLayout;
        grid->addWidget(new QLabel(QStringLiteral("No."), this), 0, 0);
        grid->addWidget(new QLabel(QStringLiteral("ON/OFF"), this), 0, 1);
        for (int row = 0; row < kRowsPerColumn; ++row) {
            const int slot = column * kRowsPerColumn + row;
            const int k = slot + 1;
            m_on[slot] = kzv::WithId(new QCheckBox(this), IDC_SLOT_ON_BASE + k);
            m_edit[slot] = kzv::WithId(
                new QPushButton(QCoreApplication::translate("CLabelPosDlg", "編集"), this),
                IDC_SLOT_EDIT_BASE + k);
            m_edit[slot]->setCheckable(true);
            m_edit[slot]->setAutoDefault(false);
            grid->addWidget(new QLabel(QString::number(k), this), row + 1, 0);
            grid->addWidget(m_on[slot], row + 1, 1, Qt::AlignHCenter);
            grid->addWidget(m_edit[slot], row + 1, 2);
            connect(m_on[slot], &QCheckBox::clicked, this, [this, slot](bool checked) {
                if (m_pOwner != nullptr) {
                    m_pOwner->Edit(ASPECT_CONTOURS)->m_settings.m_abSlotOn[slot] = checked ? 1 : 0;
                }
            });
            connect(m_edit[slot], &QPushButton::clicked, this,
                    [this, slot] { OnEditClicked(slot); });
        }
        columns->addLayout(grid);
    }

    auto* close =
        kzv::WithId(new QPushButton(QCoreApplication::translate("CLabelPosDlg", "閉じる"), this),
                    IDC_LABEL_POS_CLOSE);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
}

void CLabelPosDlg::Attach(CStateOwner& owner) {
    m_pOwner = &owner;
    QPointer<CLabelPosDlg> self(this);
    owner.AddListener([self](unsigned) {
        if (self) {
            self->OnStateChanged();
        }
    });
    SetSlotsVisible(isVisible());
}

void CLabelPosDlg::ReleaseEditButton(int slot) {
    if (slot >= 0 && slot < SLOT_COUNT) {
        m_edit[slot]->setChecked(false);
    }
}

void CLabelPosDlg::OnStateChanged() {
    if (m_pOwner == nullptr) {
        return;
    }
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        const bool picking = (*m_pOwner)->m_selection.m_nPickMode == 6 &&
                             (*m_pOwner)->m_selection.m_nEditSlot == slot;
        if (m_edit[slot]->isChecked() && !picking) {
            ReleaseEditButton(slot);
        }
    }
}

void CLabelPosDlg::OnEditClicked(int slot) {
    // Pressing a pressed button starts the slot again rather than releasing it: the button
    // shows that the slot's points are being picked.
    m_edit[slot]->setChecked(true);
    if (m_pOwner == nullptr) {
        return;
    }
    auto edit = m_pOwner->Edit();
    if (!edit->BeginSlotEdit(slot)) {
        return;
    }
    edit.Touch(ASPECT_SELECTION | ASPECT_CONTOURS);
}

void CLabelPosDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    SetSlotsVisible(true);
}

void CLabelPosDlg::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) {
        SetSlotsVisible(false);
    }
}

void CLabelPosDlg::SetSlotsVisible(bool visible) {
    if (m_pOwner == nullptr || (*m_pOwner)->m_bSlotsVisible == visible) {
        return;
    }
    m_pOwner->Edit(ASPECT_CONTOURS)->m_bSlotsVisible = visible;
}
