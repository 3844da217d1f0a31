#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QString>
#include <string>

#include "ui/ControlId.h"

class QWidget;

// Helpers shared by the dialogs of this folder.
namespace kzv {

// A text from a data file (header field, folder or file name) for display: decoded from
// CP932 unless it is already UTF-8, with CR LF line ends turned into the LF Qt expects.
QString FileTextToQString(const std::string& bytes);

// A path as the file system spells it (bytes) from a path the user interface holds.
std::string QStringToPath(const QString& path);

// The child of parent whose controlId is id, or null.
QWidget* FindControl(const QWidget* parent, int id);

// A read-only one-line box and a read-only multi-line box for header fields.
QLineEdit* MakeReadOnlyField(QWidget* parent);
// Shows a text from a data file in a one-line field from its start, however long it is.
void SetFieldText(QLineEdit* field, const std::string& bytes);
QPlainTextEdit* MakeReadOnlySummary(QWidget* parent);

// A list box with a horizontal extent: the scroll bar lets the user scroll over that many
// pixels of text, however the items are laid out. Every row is laid out at least that wide,
// so the list's own layout gives the scroll range and settles after one pass. In single
// selection the user cannot deselect the selected row (Ctrl with a click or Space): a click
// always selects, as in a single-selection list box.
class CExtentListWidget : public QListWidget {
public:
    explicit CExtentListWidget(QWidget* parent = nullptr);
    void SetHorizontalExtent(int pixels);
    int HorizontalExtent() const { return m_nExtent; }

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(
        const QModelIndex& index, const QEvent* event = nullptr) const override;

private:
    int m_nExtent = 0;
};

}  // namespace kzv
