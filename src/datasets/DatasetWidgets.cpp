#include "datasets/DatasetWidgets.h"

#include <QFile>
#include <QStyledItemDelegate>
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

namespace {

// Makes every row at least as wide as the list's extent. The scroll range then comes from the
// items' size hints alone; setting the range after the list's own layout had set it made the
// scroll bar appear and vanish in turn, each change asking for another layout, for ever.
class CExtentDelegate : public QStyledItemDelegate {
public:
    explicit CExtentDelegate(CExtentListWidget* list) : QStyledItemDelegate(list), m_list(list) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setWidth(std::max(size.width(), m_list->HorizontalExtent()));
        return size;
    }

private:
    const CExtentListWidget* m_list;
};

}  // namespace

CExtentListWidget::CExtentListWidget(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new CExtentDelegate(this));
}

void CExtentListWidget::SetHorizontalExtent(int pixels) {
    const int extent = std::max(0, pixels);
    if (extent != m_nExtent) {
        m_nExtent = extent;
        scheduleDelayedItemsLayout();  // once per change of the extent
    }
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
