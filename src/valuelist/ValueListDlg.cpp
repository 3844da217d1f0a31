#include "valuelist/ValueListDlg.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "field/Picking.h"
#include "field/SurfaceValues.h"
#include "state/SelectionSteps.h"
#include "state/ViewState.h"
#include "ui/ControlId.h"
#include "ui/CoordEditDlg.h"
#include "ui/MessageBox.h"
#include "ui/PrintPrompt.h"
#include "valuelist/ExcludeRangeDlg.h"
#include "valuelist/OutputDlg.h"
#include "valuelist/ValueListPrint.h"

using kzv::WithId;

// ---- model ----

void CValueListModel::SetList(const CValueList* list, bool directionColumn) {
    beginResetModel();
    m_list = list;
    m_bDirectionColumn = directionColumn;
    endResetModel();
}

void CValueListModel::Reload() {
    beginResetModel();
    endResetModel();
}

int CValueListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || m_list == nullptr ? 0 : m_list->GetRowCount();
}

int CValueListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : VALUE_COLUMN_COUNT + (m_bDirectionColumn ? 1 : 0);
}

QVariant CValueListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || m_list == nullptr || !index.isValid()) {
        return QVariant();
    }
    if (index.column() == VALUE_COLUMN_COUNT) {
        return index.row() < m_list->GetRowCount()
                   ? QString::fromStdString(
                         m_list->Rows()[static_cast<size_t>(index.row())].direction)
                   : QString();
    }
    return QString::fromStdString(m_list->GetCellText(index.row(), index.column()));
}

QVariant CValueListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= columnCount()) {
        return QVariant();
    }
    if (section == VALUE_COLUMN_COUNT) {
        return QCoreApplication::translate("Core", DIRECTION_COLUMN_HEADING);
    }
    return QCoreApplication::translate("Core", VALUE_COLUMN_HEADINGS[section]);
}

// ---- page ----

CValueListDlg::CValueListDlg(QWidget* parent)
    : CPanelPage(IDD, parent),
      m_model(new CValueListModel(this)),
      m_list(WithId(new QTableView(this), IDC_LIST)),
      m_absolute(
          WithId(new QRadioButton(QCoreApplication::translate("CValueListDlg", "絶対"), this),
                 IDC_ABSOLUTE)),
      m_relative(WithId(
          new QRadioButton(QCoreApplication::translate("CValueListDlg", "選択値の相対"), this),
          IDC_RELATIVE)),
      m_menu(new QMenu(QStringLiteral("Context"), this)) {
    auto* exclude =
        WithId(new QPushButton(QCoreApplication::translate("CValueListDlg", "除外範囲指定"), this),
               IDC_EXCLUDE);
    auto* sortXyz = WithId(
        new QPushButton(QCoreApplication::translate("CValueListDlg", "ソート（X→Y→Z）"), this),
        IDC_SORT_XYZ);
    auto* sortZyx = WithId(
        new QPushButton(QCoreApplication::translate("CValueListDlg", "ソート（Z→Y→X）"), this),
        IDC_SORT_ZYX);
    auto* file = WithId(
        new QPushButton(QCoreApplication::translate("CValueListDlg", "ファイル"), this), IDC_FILE);
    auto* print = WithId(
        new QPushButton(QCoreApplication::translate("CValueListDlg", "印刷"), this), IDC_PRINT);
    m_exclude = new CExcludeRangeDlg(this);
    connect(exclude, &QPushButton::clicked, this, &CValueListDlg::OnExclude);
    connect(file, &QPushButton::clicked, this, &CValueListDlg::OnFile);
    connect(sortXyz, &QPushButton::clicked, this, [this] { SortRows(SORT_KEY_XYZ); });
    connect(sortZyx, &QPushButton::clicked, this, [this] { SortRows(SORT_KEY_ZYX); });
    connect(print, &QPushButton::clicked, this, &CValueListDlg::OnPrint);

    auto* coordinates = new QGroupBox(QCoreApplication::translate("CValueListDlg", "座標"), this);
    auto* radios = new QHBoxLayout(coordinates);
    radios->addWidget(m_absolute);
    radios->addWidget(m_relative);
    m_absolute->setChecked(true);
    m_relative->setEnabled(false);
    connect(m_absolute, &QRadioButton::clicked, this, &CValueListDlg::OnAbsolute);
    connect(m_relative, &QRadioButton::clicked, this, &CValueListDlg::OnRelative);

    // A report-style list: whole rows selected (several with Ctrl and Shift, for the polar
    // diagram), grid lines, headings that sort.
    m_model->SetList(nullptr);
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setShowGrid(true);
    m_list->setWordWrap(false);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 4);
    m_list->horizontalHeader()->setSectionsClickable(true);
    m_list->horizontalHeader()->setSortIndicatorShown(false);
    m_list->horizontalHeader()->setHighlightSections(false);
    m_list->horizontalHeader()->setStretchLastSection(false);
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &CValueListDlg::SortRows);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CValueListDlg::OnSelectionChanged);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CValueListDlg::OnSelectionChanged);
    connect(m_list, &QTableView::doubleClicked, this, &CValueListDlg::OnEditCoordinates);

    m_menu->setProperty("resourceId", 165);
    QAction* edit = m_menu->addAction(QCoreApplication::translate("CValueListDlg", "座標値の編集"));
    edit->setData(ID_EDIT_COORDINATES);
    edit->setStatusTip(QCoreApplication::translate("CValueListDlg", "選択済み座標値の編集"));
    connect(edit, &QAction::triggered, this, &CValueListDlg::OnEditCoordinates);
    m_menu->addSeparator();
    QAction* polar = m_menu->addAction(QCoreApplication::translate("CValueListDlg", "風向特性"));
    polar->setStatusTip(
        QCoreApplication::translate("CValueListDlg", "選択した点の風向ごとの値を図で表示します"));
    connect(polar, &QAction::triggered, this, &CValueListDlg::PolarDiagramRequested);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_menu->popup(m_list->viewport()->mapToGlobal(at)); });

    // Two short rows of buttons above the coordinates, so that the page fits the bar's
    // default width of 320 pixels.
    auto* top = new QHBoxLayout;
    top->addWidget(sortXyz);
    top->addWidget(sortZyx);
    top->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(exclude);
    middle->addWidget(file);
    middle->addWidget(print);
    middle->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(coordinates);
    bottom->addStretch();
    // The list keeps its top edge and fills the rest of the page, edge to edge.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addLayout(bottom);
    layout->addWidget(m_list, 1);
    FitColumns();
}

CValueListDlg::~CValueListDlg() {
    delete m_printer;
}

std::vector<int> CValueListDlg::SelectedRows() const {
    // From the selection's ranges: a long list with every row selected costs one pass.
    std::vector<int> rows;
    for (const QItemSelectionRange& range : m_list->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            rows.push_back(row);
        }
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int CValueListDlg::SelectedRow() const {
    const QModelIndex current = m_list->selectionModel()->currentIndex();
    if (current.isValid() &&
        m_list->selectionModel()->isRowSelected(current.row(), QModelIndex())) {
        return current.row();
    }
    const std::vector<int> rows = SelectedRows();
    return rows.empty() ? -1 : rows.front();
}

std::vector<int> CValueListDlg::SelectedIds() const {
    std::vector<int> ids;
    ids.reserve(m_selected.size());
    for (const auto& [row, id] : m_selected) {
        ids.push_back(id);
    }
    return ids;
}

void CValueListDlg::RefreshFromView() {
    const CViewState* state = State();
    if (state == nullptr) {
        return;
    }
    // The rows may have moved: the selection stays with its rows' points (and the list stays
    // where the user scrolled it).
    const std::vector<std::pair<int, int>> selected = m_selected;
    const int currentRow = m_nCurrentRow;
    const int currentId = m_nCurrentId;
    m_model->SetList(&state->m_valueList,
                     ShownValuesOf(state->m_data, state->m_settings).IsEnvelope());
    const CValueList& list = state->m_valueList;
    const auto rowAgain = [&list](int row, int id) {
        return row < list.GetRowCount() && list.GetRowId(row) == id ? row : list.FindPointRow(id);
    };
    std::vector<int> rows;
    for (const auto& [row, id] : selected) {
        const int again = rowAgain(row, id);
        if (again >= 0) {
            rows.push_back(again);
        }
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // Runs of neighbouring rows as one range each.
    QItemSelection selection;
    for (size_t k = 0; k < rows.size();) {
        size_t end = k + 1;
        while (end < rows.size() && rows[end] == rows[end - 1] + 1) {
            ++end;
        }
        selection.select(m_model->index(rows[k], 0),
                         m_model->index(rows[end - 1], m_model->columnCount() - 1));
        k = end;
    }
    if (!selection.isEmpty()) {
        m_list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    const int current = currentRow >= 0 ? rowAgain(currentRow, currentId) : -1;
    if (current >= 0) {
        m_list->selectionModel()->setCurrentIndex(m_model->index(current, 0),
                                                  QItemSelectionModel::NoUpdate);
    }
    OnSelectionChanged();
    // A new data set or a turned building may have emptied the exclusion store.
    m_exclude->UpdateUndoButton();
}

void CValueListDlg::OnStateChanged(unsigned aspects) {
    constexpr unsigned kRows =
        ASPECT_DATASET | ASPECT_POSITIONS | ASPECT_DIRECTION | ASPECT_SELECTION | ASPECT_VALUE_LIST;
    if (aspects & kRows) {
        RefreshFromView();
    }
}

void CValueListDlg::OnSelectionChanged() {
    const CViewState* state = State();
    m_selected.clear();
    if (state != nullptr) {
        for (int row : SelectedRows()) {
            m_selected.emplace_back(row, state->m_valueList.GetRowId(row));
        }
    }
    m_nCurrentRow = SelectedRow();
    m_nCurrentId =
        m_nCurrentRow >= 0 && state != nullptr ? state->m_valueList.GetRowId(m_nCurrentRow) : 0;
    m_relative->setEnabled(m_nCurrentRow >= 0);
    std::vector<int> ids = SelectedIds();
    if (ids != m_announcedIds) {
        m_announcedIds = std::move(ids);
        emit SelectedPointsChanged();
    }
}

void CValueListDlg::resizeEvent(QResizeEvent* event) {
    CPanelPage::resizeEvent(event);
    FitColumns();
}

void CValueListDlg::changeEvent(QEvent* event) {
    CPanelPage::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        FitColumns();
    }
}

void CValueListDlg::FitColumns() {
    // Wide enough for a tap number of five digits and for a coordinate of six significant
    // digits with sign and point ("-12345.6", as corrected and relative coordinates are) in
    // the list's font, with the cell's margins on both sides.
    const QFontMetrics metrics = m_list->fontMetrics();
    const int margins =
        2 * (m_list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_list) + 1) + 2;
    const int number = std::max(30, metrics.horizontalAdvance(QStringLiteral("00000")) + margins);
    const int coordinate =
        std::max(60, metrics.horizontalAdvance(QStringLiteral("-00000.0")) + margins);
    const int widths[VALUE_COLUMN_COUNT - 1] = {number, coordinate, coordinate, coordinate};
    int used = 0;
    for (int c = 0; c < VALUE_COLUMN_COUNT - 1; ++c) {
        m_list->setColumnWidth(c, widths[c]);
        used += widths[c];
    }
    m_list->setColumnWidth(VALUE_COLUMN_VALUE, std::max(30, width() - used - 4));
}

void CValueListDlg::ClearAllRows() {
    if (CPageEdit state = EditState()) {
        ::ClearAllRows(*state);
        state.Touch(ASPECT_SELECTION);
    }
}

void CValueListDlg::SortRows(int key) {
    // (A click on the "風向" heading, past the five sorting columns, sorts nothing.)
    if (key == VALUE_COLUMN_COUNT && sender() == m_list->horizontalHeader()) {
        return;
    }
    if (CPageEdit state = EditState()) {
        state->m_valueList.SortRows(key);
        state.Touch(ASPECT_VALUE_LIST);
    }
}

void CValueListDlg::OnAbsolute() {
    if (CPageEdit state = EditState()) {
        state->m_valueList.SetAbsolute(state->Points());
        state.Touch(ASPECT_VALUE_LIST);
    }
}

void CValueListDlg::OnRelative() {
    CPageEdit state = EditState();
    if (state != nullptr && state->m_valueList.SetRelativeOrigin(state->Points(), SelectedRow())) {
        state.Touch(ASPECT_VALUE_LIST);
    }
}

void CValueListDlg::OnEditCoordinates() {
    const CViewState* state = State();
    if (state == nullptr) {
        return;
    }
    const int row = SelectedRow();
    switch (state->m_valueList.CheckCoordinateEdit(state->Points(), row)) {
        case CCoordEditCheck::MeasurementPoint:
            KzMessageBox(this, QCoreApplication::translate("Core", MSG_EDIT_MEASUREMENT_POINT),
                         QCoreApplication::translate("Core", CAPTION_EDIT_MEASUREMENT_POINT),
                         KzButtons::Ok, KzIcon::Warning);
            return;
        case CCoordEditCheck::Editable:
            break;
        default:
            return;
    }
    const int id = state->m_valueList.GetRowId(row);
    const CArbitraryPoint* point = FindArbitraryPoint(state->m_selection, id);
    if (point == nullptr) {
        return;
    }
    CCoordEditDlg dialog(*state, *point, state->m_valueList.GetOrigin(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    auto edit = Owner()->Edit(ASPECT_SELECTION | ASPECT_VALUE_LIST);
    if (CArbitraryPoint* edited = FindArbitraryPoint(edit->m_selection, id)) {
        *edited = dialog.Record();
        edit->m_valueList.UpdateEditedRow(edit->Points(), row, edit->m_settings.m_nDirection);
    }
}

void CValueListDlg::OnPrint() {
    const CViewState* state = State();
    if (state == nullptr) {
        return;
    }
    if (m_printer == nullptr) {
        m_printer = new QPrinter(QPrinter::HighResolution);
    }
    if (!KzPrintDialog(this, *m_printer, false)) {
        return;
    }
    if (!PrintValueRows(*m_printer, state->m_valueList.Rows())) {
        KzMessageBox(this, QCoreApplication::translate("CValueListDlg", "印刷できません。"),
                     QCoreApplication::translate("CValueListDlg", "エラー"), KzButtons::Ok,
                     KzIcon::Error);
    }
}

void CValueListDlg::OnExclude() {
    m_exclude->show();
    m_exclude->raise();
    m_exclude->activateWindow();
}

void CValueListDlg::OnFile() {
    const CViewState* state = State();
    if (state == nullptr) {
        return;
    }
    COutputDlg dialog(*state, this);
    dialog.exec();
}

void CValueListDlg::ApplyExclusionCriteria(
    const std::array<CExclusionCriterion, VALUE_COLUMN_COUNT>& criteria) {
    if (CPageEdit state = EditState()) {
        if (::ApplyExclusionCriteria(state->m_valueList, criteria) > 0) {
            state.Touch(ASPECT_SELECTION);
        }
    }
}

void CValueListDlg::UndoExclusion() {
    if (CPageEdit state = EditState()) {
        state->m_valueList.UndoExclusion(state->Points(), state->m_settings.m_nDirection);
        state.Touch(ASPECT_SELECTION);
    }
}

bool CValueListDlg::CanUndoExclusion() const {
    const CViewState* state = State();
    return state != nullptr && state->m_valueList.CanUndoExclusion();
}

void CValueListDlg::ClearExclusionStore() {
    if (CPageEdit state = EditState()) {
        state->m_valueList.ClearExclusionStore();
    }
}
