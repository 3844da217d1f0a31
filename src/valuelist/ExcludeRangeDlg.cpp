#include "valuelist/ExcludeRangeDlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/ControlId.h"
#include "valuelist/ValueListDlg.h"

using kzv::WithId;

CExcludeRangeDlg::CExcludeRangeDlg(CValueListDlg* page) : QDialog(page, Qt::Dialog), m_page(page) {
    setProperty("resourceId", static_cast<int>(IDD));
    setWindowTitle(QCoreApplication::translate("CExcludeRangeDlg", "除外範囲の指定"));
    setModal(false);

    // One line per column: its check box, MIN and MAX, and the range's two choices.
    auto* grid = new QGridLayout;
    for (int i = 0; i < VALUE_COLUMN_COUNT; ++i) {
        m_check[i] = WithId(
            new QCheckBox(QCoreApplication::translate("Core", VALUE_COLUMN_HEADINGS[i]), this),
            IDC_CHECK + i);
        m_minLabel[i] = WithId(new QLabel(QStringLiteral("MIN"), this), IDC_MIN_LABEL + i);
        m_min[i] = WithId(new QLineEdit(this), IDC_MIN + i);
        m_maxLabel[i] = WithId(new QLabel(QStringLiteral("MAX"), this), IDC_MAX_LABEL + i);
        m_max[i] = WithId(new QLineEdit(this), IDC_MAX + i);
        m_range[i] =
            WithId(new QGroupBox(QCoreApplication::translate("CExcludeRangeDlg", "範囲"), this),
                   IDC_RANGE + i);
        m_inside[i] =
            WithId(new QRadioButton(QCoreApplication::translate("CExcludeRangeDlg", "内側を除外"),
                                    m_range[i]),
                   IDC_INSIDE + i);
        m_outside[i] =
            WithId(new QRadioButton(QCoreApplication::translate("CExcludeRangeDlg", "外側を除外"),
                                    m_range[i]),
                   IDC_OUTSIDE + i);
        auto* radios = new QHBoxLayout(m_range[i]);
        radios->addWidget(m_inside[i]);
        radios->addWidget(m_outside[i]);
        m_inside[i]->setChecked(true);
        m_min[i]->setMaximumWidth(90);
        m_max[i]->setMaximumWidth(90);

        grid->addWidget(m_check[i], i, 0);
        grid->addWidget(m_minLabel[i], i, 1);
        grid->addWidget(m_min[i], i, 2);
        grid->addWidget(m_maxLabel[i], i, 3);
        grid->addWidget(m_max[i], i, 4);
        grid->addWidget(m_range[i], i, 5);
        EnableCriterion(i, false);
        connect(m_check[i], &QCheckBox::toggled, this,
                [this, i](bool on) { EnableCriterion(i, on); });
    }

    m_undo = WithId(new QPushButton(QStringLiteral("UNDO"), this), IDC_UNDO);
    auto* apply = WithId(
        new QPushButton(QCoreApplication::translate("CExcludeRangeDlg", "適用"), this), IDC_APPLY);
    auto* close =
        WithId(new QPushButton(QCoreApplication::translate("CExcludeRangeDlg", "閉じる"), this),
               IDC_CLOSE);
    auto* ok = WithId(new QPushButton(QStringLiteral("OK"), this), IDC_OK);
    ok->setEnabled(false);
    ok->hide();
    for (QPushButton* button : {m_undo, apply, close, ok}) {
        button->setAutoDefault(false);
    }
    m_undo->setEnabled(false);
    connect(m_undo, &QPushButton::clicked, this, &CExcludeRangeDlg::OnUndo);
    connect(apply, &QPushButton::clicked, this, &CExcludeRangeDlg::OnApply);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, [this] {
        OnApply();
        accept();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_undo);
    buttons->addStretch();
    buttons->addWidget(apply);
    buttons->addWidget(close);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void CExcludeRangeDlg::EnableCriterion(int column, bool enable) {
    const int i = column;
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_minLabel[i], m_min[i], m_maxLabel[i], m_max[i],
                                         m_range[i], m_inside[i], m_outside[i]}) {
        w->setEnabled(enable);
    }
}

std::array<CExclusionCriterion, VALUE_COLUMN_COUNT> CExcludeRangeDlg::Criteria() const {
    std::array<CExclusionCriterion, VALUE_COLUMN_COUNT> criteria;
    for (int i = 0; i < VALUE_COLUMN_COUNT; ++i) {
        CExclusionCriterion& c = criteria[static_cast<size_t>(i)];
        c.checked = m_check[i]->isChecked();
        c.minText = m_min[i]->text().toStdString();
        c.maxText = m_max[i]->text().toStdString();
        c.excludeInside = m_inside[i]->isChecked();
    }
    return criteria;
}

void CExcludeRangeDlg::OnApply() {
    m_page->ApplyExclusionCriteria(Criteria());
    UpdateUndoButton();
}

void CExcludeRangeDlg::OnUndo() {
    m_page->UndoExclusion();
    UpdateUndoButton();
}

void CExcludeRangeDlg::UpdateUndoButton() {
    m_undo->setEnabled(m_page->CanUndoExclusion());
}

void CExcludeRangeDlg::showEvent(QShowEvent* event) {
    UpdateUndoButton();
    QDialog::showEvent(event);
}

void CExcludeRangeDlg::closeEvent(QCloseEvent* event) {
    m_page->ClearExclusionStore();
    UpdateUndoButton();
    event->accept();
    hide();
}
