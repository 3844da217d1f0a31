#pragma once

#include <QColor>
#include <QDialog>

#include "state/ViewState.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QScrollBar;
class CColorSwatch;
class CStateOwner;

// "コメント表示": which header items the comment block shows, where, in which font, size and
// colour. Every change goes to the view at once; OK keeps it, Cancel restores the settings the
// dialog opened with.
class CCommentDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId {
        IDC_ITEM_FIRST = 1311,  // the ten item boxes, 1311..1320
        IDC_FONT = 1321,
        IDC_SIZE = 1322,
        IDC_COLOUR = 1323,
        IDC_OK = 1324,
        IDC_CANCEL = 1325,
        IDC_X = 1326,
        IDC_Y = 1327,
        IDC_POSITION = 1328,
        IDC_CORNER = 1329,
    };

    // clientW x clientH: the view's client area, which the position bars span.
    CCommentDlg(CStateOwner& owner, int clientW, int clientH, QWidget* parent = nullptr);

    void accept() override;
    void reject() override;

    QCheckBox* ItemBox(int i) const { return m_items[i]; }
    QScrollBar* XBar() const { return m_x; }
    QScrollBar* YBar() const { return m_y; }
    QComboBox* FontList() const { return m_font; }
    QComboBox* SizeList() const { return m_size; }
    CColorSwatch* Swatch() const { return m_swatch; }
    QLineEdit* PositionField() const { return m_position; }

private:
    void Apply();
    void ShowPosition();
    QColor CommentColour() const;
    void ShowSwatch();
    void ChooseColour();

    CStateOwner& m_owner;
    CCommentRecord m_copy;  // the settings when the dialog opened
    QCheckBox* m_items[COMMENT_ITEM_COUNT];
    QLineEdit* m_position;
    QScrollBar* m_x;
    QScrollBar* m_y;
    QComboBox* m_font;
    QComboBox* m_size;
    CColorSwatch* m_swatch;
};
