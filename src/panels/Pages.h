#pragma once

#include <QListWidget>
#include <QPushButton>
#include <string>

#include "ColorBarPage.h"
#include "ContourPage.h"
#include "DirectionPage.h"
#include "DisplayPage.h"
#include "OperationPage.h"
#include "PanelPage.h"

// The six pages of the operation panel. Each is filled in by its own piece of work; today they
// follow the state's changes with what they already show. The direction, operation and
// display pages have headers of their own.

// "データ値": selection method, undo, clearing.
class CDataValuePage : public CPanelPage {
    Q_OBJECT
public:
    explicit CDataValuePage(QWidget* parent = nullptr);
    void EnableUndo(bool enable);
    QPushButton* UndoButton() const { return m_undo; }
    // The undo button follows the selection's undo groups.
    void RefreshFromView() override;

private:
    QPushButton* m_undo;
};
