#pragma once

#include <QDialog>

#include "field/DisplaySettings.h"

class CStateOwner;
class QCheckBox;
class QPushButton;

// "数値表示位置の編集": switches each of the 20 label-position slots on or off and starts the
// picking of a slot's segment in the view ("編集"). Modeless; the main frame makes it once,
// hidden, and the contour page's button shows it. The slots are drawn while it is shown.
//
// The ON/OFF boxes keep their own state: the dialog does not read the slots back after a load,
// a reset, a settings file or the contour page's clearing. A "編集" button stays pressed while
// its slot is being picked and is released when that ends: after both end points (the view
// sets pick mode 0 and no edit slot), or when another slot or another pick mode takes over.
class CLabelPosDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLabelPosDlg(QWidget* parent = nullptr);

    // Follows the state's changes from now on (the main frame attaches the dialog once).
    void Attach(CStateOwner& owner);

    // Releases the "編集" button of slot (0..19); other numbers do nothing.
    void ReleaseEditButton(int slot);

    QCheckBox* OnBox(int slot) const { return m_on[slot]; }
    QPushButton* EditButton(int slot) const { return m_edit[slot]; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void OnStateChanged();
    void OnEditClicked(int slot);
    void SetSlotsVisible(bool visible);

    CStateOwner* m_pOwner = nullptr;
    QCheckBox* m_on[SLOT_COUNT];
    QPushButton* m_edit[SLOT_COUNT];
};
