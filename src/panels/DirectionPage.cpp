#include "panels/DirectionPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <cmath>

#include <algorithm>

#include "field/Compass.h"
#include "field/ShownValues.h"
#include "panels/CompassWidget.h"
#include "panels/PageControlIds.h"
#include "state/ViewState.h"
#include "text/NumberFormat.h"
#include "ui/ControlId.h"

using namespace kzv::page;

// ---- the spin ----

CDirectionSpin::CDirectionSpin(QWidget* parent) : QSpinBox(parent) {
    lineEdit()->setReadOnly(true);
    setRange(0, 0);
    // Wide enough for "337.5" and "348.75".
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000.000")) + 40);
}

void CDirectionSpin::stepBy(int steps) {
    // One direction at a time, also for the spin's page keys and a fast wheel.
    emit StepRequested(steps > 0 ? 1 : steps < 0 ? -1 : 0);
}

QString CDirectionSpin::textFromValue(int value) const {
    return m_nDirCount > 0
               ? QString::fromStdString(kzv::FormatG(DirectionAngle(m_nDirCount, value)))
               : QString();
}

QAbstractSpinBox::StepEnabled CDirectionSpin::stepEnabled() const {
    // The direction wraps around, so both ways are always open once there are directions.
    return m_nDirCount > 0 && isEnabled() ? (StepUpEnabled | StepDownEnabled) : StepNone;
}

// ---- the page ----

CDirectionPage::CDirectionPage(QWidget* parent)
    : CPanelPage(IDD_DIRECTION, parent),
      m_count(kzv::WithId(new QLabel(this), IDC_DIR_COUNT)),
      m_choice(kzv::WithId(new QComboBox(this), IDC_DIR_CHOICE)),
      m_governing(kzv::WithId(
          new QCheckBox(QCoreApplication::translate("CDirectionPage", "支配風向の表示"), this),
          IDC_DIR_GOVERNING)),
      m_spin(kzv::WithId(new CDirectionSpin(this), IDC_DIR_SPIN)),
      m_next(kzv::WithId(new QPushButton(this), IDC_DIR_NEXT)),
      m_prev(kzv::WithId(new QPushButton(this), IDC_DIR_PREV)),
      m_slider(kzv::WithId(new QSlider(Qt::Horizontal, this), IDC_BUILDING_ANGLE)),
      m_compass(new CCompassWidget(this)) {
    kzv::WithId(m_spin->AngleEdit(), IDC_DIR_ANGLE);
    m_compass->setObjectName(QStringLiteral("compass"));

    m_next->setText(QStringLiteral("←"));
    m_prev->setText(QStringLiteral("→"));
    for (QPushButton* button : {m_next, m_prev}) {
        QFont larger = button->font();
        larger.setPointSizeF(larger.pointSizeF() * 1.5);
        button->setFont(larger);
    }
    m_next->setToolTip(
        QCoreApplication::translate("CDirectionPage", "方位 +1（ビュー上では PageUp）"));
    m_prev->setToolTip(
        QCoreApplication::translate("CDirectionPage", "方位 −1（ビュー上では PageDown）"));
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setTickInterval(1);
    m_slider->setPageStep(1);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QCoreApplication::translate("CDirectionPage", "方位数"), this), 0,
                      0);
    layout->addWidget(m_count, 0, 1);
    layout->addWidget(m_spin, 0, 2, 1, 2);
    layout->addWidget(m_compass, 1, 0, 1, 4, Qt::AlignHCenter);
    layout->addWidget(new QLabel(QCoreApplication::translate("CDirectionPage", "方位"), this), 2,
                      0);
    layout->addWidget(m_next, 2, 1);
    layout->addWidget(m_prev, 2, 2);
    layout->addWidget(new QLabel(QCoreApplication::translate("CDirectionPage", "風向"), this), 3,
                      0);
    layout->addWidget(m_choice, 3, 1, 1, 3);
    layout->addWidget(m_governing, 4, 0, 1, 4);
    layout->addWidget(new QLabel(QCoreApplication::translate("CDirectionPage", "建物角度"), this),
                      5, 0);
    layout->addWidget(m_slider, 6, 0, 1, 4);
    layout->setRowStretch(7, 1);
    m_choice->setToolTip(QCoreApplication::translate(
        "CDirectionPage", "1 つの風向、または全風向の包絡（風向ごとの最大・最小）"));
    m_governing->setToolTip(QCoreApplication::translate(
        "CDirectionPage",
        "全風向の包絡を表示中、各測定点に番号の代わりにその値の風向を表示します"));
    layout->setColumnStretch(3, 1);

    connect(m_spin, &CDirectionSpin::StepRequested, this, &CDirectionPage::ApplyDirectionStep);
    connect(m_next, &QPushButton::clicked, this, [this] { ApplyDirectionStep(+1); });
    connect(m_choice, QOverload<int>::of(&QComboBox::activated), this,
            &CDirectionPage::ApplyChoice);
    connect(m_governing, &QCheckBox::clicked, this, [this](bool checked) {
        if (CPageEdit state = EditState()) {
            state->m_settings.m_bShowGoverning = checked ? 1 : 0;
            state.Touch(ASPECT_DIRECTION);
        }
    });
    connect(m_prev, &QPushButton::clicked, this, [this] { ApplyDirectionStep(-1); });
    connect(m_compass, &CCompassWidget::DirectionChosen, this, [this](int index) {
        if (State() != nullptr) {
            ApplyDirectionStep(index - State()->m_settings.m_nDirection);
        }
    });
    // Moving the slider turns the compass only; the view follows when the slider is let go
    // (or at once for a key press or a click beside the handle, which have no letting go).
    connect(m_slider, &QSlider::valueChanged, this, [this] {
        UpdateCompass();
        if (!m_slider->isSliderDown()) {
            ApplyBuildingAngle();
        }
    });
    connect(m_slider, &QSlider::sliderReleased, this, [this] { ApplyBuildingAngle(); });

    SetDirectionCount(-1);
}

void CDirectionPage::SetDirectionCount(int count) {
    m_nDirCount = count;
    const bool shown = count > 0;
    const QSignalBlocker block(m_spin);
    m_spin->SetDirectionCount(count);
    m_spin->setRange(0, shown ? count - 1 : 0);
    m_spin->setValue(0);
    m_spin->AngleEdit()->setText(m_spin->text());
    for (QWidget* control : {static_cast<QWidget*>(m_spin), static_cast<QWidget*>(m_next),
                             static_cast<QWidget*>(m_prev), static_cast<QWidget*>(m_slider),
                             static_cast<QWidget*>(m_choice)}) {
        control->setEnabled(shown);
    }
    FillChoice();
    UpdateCompass();
}

void CDirectionPage::FillChoice() {
    const QSignalBlocker block(m_choice);
    m_choice->clear();
    for (int d = 0; d < m_nDirCount; ++d) {
        m_choice->addItem(QString::fromStdString(kzv::FormatG(DirectionAngle(m_nDirCount, d))));
    }
    if (m_nDirCount > 0) {
        for (int e = ENVELOPE_MAX; e < ENVELOPE_CHOICE_COUNT; ++e) {
            m_choice->addItem(QCoreApplication::translate("Core", EnvelopeLabel(e)));
        }
    }
    m_governing->setEnabled(false);
}

void CDirectionPage::ApplyChoice(int index) {
    CPageEdit state = EditState();
    if (state == nullptr || m_nDirCount <= 0 || index < 0) {
        return;
    }
    if (index < m_nDirCount) {
        state->m_settings.m_nDirection = index;
        state->m_settings.m_nEnvelope = ENVELOPE_NONE;
    } else {
        state->m_settings.m_nEnvelope =
            std::min(ENVELOPE_MAX + index - m_nDirCount, ENVELOPE_CHOICE_COUNT - 1);
    }
    state.Touch(ASPECT_DIRECTION);
}

void CDirectionPage::RefreshFromView() {
    const CViewState* state = State();
    if (state == nullptr) {
        return;
    }
    if (!state->HasDataSet()) {
        m_count->clear();
        m_compass->SetPlan({}, {});
        SetDirectionCount(-1);
        return;
    }
    // The plans as read: the compass turns them by the slider's angle itself.
    const double scale = PlanScale(state->m_data.m_geoMainOrg);
    m_compass->SetPlan(PlanOutlines(state->m_data.m_geoMainOrg, scale),
                       PlanOutlines(state->m_data.m_geoSubOrg, scale));
    const int count = state->m_data.m_cp.m_nDirectionCount;
    m_count->setText(QString::number(count));
    {
        const QSignalBlocker block(m_slider);
        m_slider->setRange(-BuildingAngleRange(count), BuildingAngleRange(count));
        m_slider->setValue(state->m_nBuildingAngleStep);
    }
    SetDirectionCount(count);
    ShowDirection();
}

void CDirectionPage::ApplyDirectionStep(int step) {
    CPageEdit state = EditState();
    if (state == nullptr || m_nDirCount <= 0) {
        return;
    }
    state->StepDirection(step);
    state.Touch(ASPECT_DIRECTION);
}

void CDirectionPage::OnStateChanged(unsigned aspects) {
    if (aspects & ASPECT_DATASET) {
        RefreshFromView();
    } else if (aspects & ~ASPECT_CAMERA) {
        // A direction step or a turn from anywhere (the view's keys, a reset, a settings file).
        if ((aspects & ASPECT_POSITIONS) && !m_slider->isSliderDown()) {
            const QSignalBlocker block(m_slider);
            m_slider->setValue(State()->m_nBuildingAngleStep);
        }
        ShowDirection();
    }
}

void CDirectionPage::ShowDirection() {
    if (State() == nullptr || m_nDirCount <= 0) {
        return;
    }
    const QSignalBlocker block(m_spin);
    m_spin->setValue(State()->m_settings.m_nDirection);
    m_spin->AngleEdit()->setText(m_spin->text());
    const CShownValues shown = ShownValuesOf(State()->m_data, State()->m_settings);
    {
        const QSignalBlocker blockChoice(m_choice);
        m_choice->setCurrentIndex(shown.IsEnvelope() ? m_nDirCount + shown.envelope - 1
                                                     : shown.direction);
    }
    m_governing->setEnabled(shown.IsEnvelope());
    m_governing->setChecked(State()->m_settings.m_bShowGoverning != 0);
    UpdateCompass();
}

void CDirectionPage::UpdateCompass() {
    const int direction = State() != nullptr ? State()->m_settings.m_nDirection : 0;
    m_compass->SetAngles(m_nDirCount > 0 ? m_nDirCount : -1,
                         BuildingAngle(m_nDirCount, m_slider->value()), direction);
}

void CDirectionPage::ApplyBuildingAngle() {
    CPageEdit state = EditState();
    if (state == nullptr || m_nDirCount <= 0) {
        return;
    }
    // Turning the building drops the arbitrary points: not for a slider let go where it was.
    if (state->SetBuildingAngleStep(m_slider->value())) {
        state.Touch(ASPECT_POSITIONS | ASPECT_SELECTION);
    }
}
