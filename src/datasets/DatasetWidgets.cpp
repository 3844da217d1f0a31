#include "DatasetWidgets.h"

#include <QFile>
#include <QScrollBar>
#include <algorithm>

#include "text/CodePage.h"

namespace kzv {

QString FileTextToQString(const std::string& bytes) {
    QString text = QString::fromStdString(FileTextToUtf8(bytes));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string QStringToPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QWidget* FindControl(const QWidget* parent, int id) {
    for (QWidget* child : parent->findChildren<QWidget*>()) {
        if (child->property("controlId").toInt() == id) {
            return child;
        }
    }
    return nullptr;
}

QLineEdit* MakeReadOnlyField(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    return edit;
}

void SetFieldText(QLineEdit* field, const std::string& bytes) {
    field->setText(FileTextToQString(bytes));
    field->setCursorPosition(0);
}

QPlainTextEdit* MakeReadOnlySummary(QWidget* parent) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setReadOnly(true);
    // A summary line may be long: it is wrapped at the box's width, never cut.
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return edit;
}

void CExtentListWidget::SetHorizontalExtent(int pixels) {
    m_nExtent = std::max(0, pixels);
    updateGeometries();
}

void CExtentListWidget::updateGeometries() {
    QListWidget::updateGeometries();
    // The scroll range covers the extent, not just the widest item the view laid out.
    QScrollBar* bar = horizontalScrollBar();
    const int range = std::max(0, m_nExtent - viewport()->width());
    bar->setRange(0, std::max(bar->maximum(), range));
}

QItemSelectionModel::SelectionFlags CExtentListWidget::selectionCommand(const QModelIndex& index,
                                                                        const QEvent* event) const {
    const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    if (selectionMode() == QAbstractItemView::SingleSelection &&
        command.testFlag(QItemSelectionModel::Deselect)) {
        return QItemSelectionModel::NoUpdate;
    }
    return command;
}

}  // namespace kzv
