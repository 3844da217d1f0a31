#include "panels/DataValuePage.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "field/Picking.h"
#include "state/SelectionSteps.h"
#include "state/ViewState.h"
#include "ui/ControlId.h"

using kzv::WithId;

namespace {

const char* const kMethodTexts[4] = {
    QT_TRANSLATE_NOOP("CDataValuePage", "測定ポイント"),
    QT_TRANSLATE_NOOP("CDataValuePage", "任意ポイント（1点指定）"),
    QT_TRANSLATE_NOOP("CDataValuePage", "任意ポイント（矩形範囲）"),
    QT_TRANSLATE_NOOP("CDataValuePage", "指定面の測定ポイント")};
const int kMethodModes[4] = {PICK_TAP, PICK_POINT, PICK_RECTANGLE, PICK_FACE_TAPS};
const char* const kValueTexts[2] = {
    QT_TRANSLATE_NOOP("CDataValuePage", "線形補間（コンタと同じ）"),
    QT_TRANSLATE_NOOP("CDataValuePage", "距離の逆数による加重平均")};

}  // namespace

CDataValuePage::CDataValuePage(QWidget* parent)
    : CPanelPage(IDD, parent),
      m_methods(new QButtonGroup(this)),
      m_range(
          WithId(new QPushButton(QCoreApplication::translate("CDataValuePage", "範囲指定"), this),
                 IDC_RANGE)),
      m_undo(WithId(new QPushButton(QCoreApplication::translate("CDataValuePage", "戻す"), this),
                    IDC_UNDO)),
      m_clear(
          WithId(new QPushButton(QCoreApplication::translate("CDataValuePage", "全クリア"), this),
                 IDC_CLEAR_ALL)) {
    auto* group = new QGroupBox(QCoreApplication::translate("CDataValuePage", "選択方法"), this);
    auto* grid = new QGridLayout(group);
    const int ids[4] = {IDC_MEASUREMENT_POINT, IDC_ARBITRARY_POINT, IDC_RECTANGLE, IDC_FACE_POINTS};
    for (int i = 0; i < 4; ++i) {
        m_radios[i] = WithId(
            new QRadioButton(QCoreApplication::translate("CDataValuePage", kMethodTexts[i]), group),
            ids[i]);
        m_methods->addButton(m_radios[i], ids[i]);
        grid->addWidget(m_radios[i], i, 0);
        connect(m_radios[i], &QRadioButton::clicked, this, &CDataValuePage::ApplyMethod);
    }
    m_range->setCheckable(true);
    m_range->setEnabled(false);
    grid->addWidget(m_range, 2, 1);
    m_undo->setEnabled(false);
    connect(m_range, &QPushButton::clicked, this, &CDataValuePage::OnRange);
    connect(m_undo, &QPushButton::clicked, this, &CDataValuePage::OnUndo);
    connect(m_clear, &QPushButton::clicked, this, &CDataValuePage::OnClearAll);

    auto* values =
        new QGroupBox(QCoreApplication::translate("CDataValuePage", "任意ポイントの値"), this);
    auto* valueLayout = new QVBoxLayout(values);
    auto* valueGroup = new QButtonGroup(this);
    const int valueIds[2] = {IDC_VALUE_LINEAR, IDC_VALUE_INVERSE_DISTANCE};
    for (int i = 0; i < 2; ++i) {
        m_valueRadios[i] = WithId(
            new QRadioButton(QCoreApplication::translate("CDataValuePage", kValueTexts[i]), values),
            valueIds[i]);
        valueGroup->addButton(m_valueRadios[i]);
        valueLayout->addWidget(m_valueRadios[i]);
        connect(m_valueRadios[i], &QRadioButton::clicked, this, &CDataValuePage::OnValueMethod);
    }
    m_valueRadios[0]->setChecked(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_undo);
    buttons->addWidget(m_clear);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->addWidget(values);
    layout->addStretch();
}

QRadioButton* CDataValuePage::MethodRadio(int id) const {
    return id >= IDC_MEASUREMENT_POINT && id <= IDC_FACE_POINTS
               ? m_radios[id - IDC_MEASUREMENT_POINT]
               : nullptr;
}

QRadioButton* CDataValuePage::ValueRadio(int id) const {
    return id == IDC_VALUE_LINEAR || id == IDC_VALUE_INVERSE_DISTANCE
               ? m_valueRadios[id - IDC_VALUE_LINEAR]
               : nullptr;
}

void CDataValuePage::EnableUndo(bool enable) {
    m_undo->setEnabled(enable);
}

void CDataValuePage::ApplyMethod() {
    int mode = PICK_NONE;
    for (int i = 0; i < 4; ++i) {
        if (m_radios[i]->isChecked()) {
            mode = kMethodModes[i];
        }
    }
    m_range->setEnabled(mode == PICK_RECTANGLE);
    m_range->setChecked(mode == PICK_RECTANGLE);
    if (CPageEdit state = EditState()) {
        state->m_selection.m_nPickMode = mode;
        state->m_selection.m_nCornerCount = -1;
        state.Touch(ASPECT_SELECTION);
    }
}

void CDataValuePage::OnRange() {
    // Pressing "範囲指定" again restarts the rectangle.
    m_radios[2]->setChecked(true);
    ApplyMethod();
}

void CDataValuePage::OnUndo() {
    if (CPageEdit state = EditState()) {
        UndoSelection(*state);
        state.Touch(ASPECT_SELECTION);
    }
}

void CDataValuePage::OnClearAll() {
    if (CPageEdit state = EditState()) {
        ClearAllRows(*state);
        state.Touch(ASPECT_SELECTION);
    }
}

void CDataValuePage::OnValueMethod() {
    CPageEdit state = EditState();
    if (state == nullptr) {
        return;
    }
    const int method = m_valueRadios[1]->isChecked() ? VALUE_INVERSE_DISTANCE : VALUE_LINEAR;
    if (state->m_settings.m_nValueMethod != method) {
        state->m_settings.m_nValueMethod = method;
        state.Touch(ASPECT_VALUE_LIST);
    }
}

void CDataValuePage::RefreshFromView() {
    m_methods->setExclusive(false);
    for (QRadioButton* radio : m_radios) {
        radio->setChecked(false);
    }
    m_methods->setExclusive(true);
    m_range->setChecked(false);
    m_range->setEnabled(false);
    if (const CViewState* state = State()) {
        m_valueRadios[state->m_settings.m_nValueMethod == VALUE_INVERSE_DISTANCE ? 1 : 0]
            ->setChecked(true);
        if (state->m_selection.m_nPickMode != PICK_NONE) {
            auto edit = Owner()->Edit(ASPECT_SELECTION);
            edit->m_selection.m_nPickMode = PICK_NONE;
            edit->m_selection.m_nCornerCount = -1;
        }
    }
    FollowSelection();
}

void CDataValuePage::FollowSelection() {
    const CViewState* state = State();
    EnableUndo(state != nullptr && !state->m_selection.m_lstUndoGroup.empty());
    // A finished rectangle leaves the method chosen but "範囲指定" released.
    if (state != nullptr && m_range->isChecked() &&
        state->m_selection.m_nPickMode != PICK_RECTANGLE) {
        m_range->setChecked(false);
    }
}

void CDataValuePage::OnStateChanged(unsigned aspects) {
    if (ReplacesDisplay(aspects)) {
        RefreshFromView();
    } else if (aspects & ASPECT_SELECTION) {
        FollowSelection();
    }
}

void CDataValuePage::showEvent(QShowEvent* event) {
    CPanelPage::showEvent(event);
    if (!event->spontaneous()) {
        ApplyMethod();
    }
}

void CDataValuePage::hideEvent(QHideEvent* event) {
    CPanelPage::hideEvent(event);
    // Minimising, or the whole window closing, is no hiding of the page.
    CPageEdit state = EditState();
    if (event->spontaneous() || state == nullptr || !window()->isVisible()) {
        return;
    }
    // The rows and the arbitrary points stay; the steps can no longer be taken back.
    state->m_selection.m_lstSelected.clear();
    state->m_selection.m_lstUndoGroup.clear();
    state->m_selection.m_nPickMode = PICK_NONE;
    state->m_selection.m_nCornerCount = -1;
    state.Touch(ASPECT_SELECTION);
}
