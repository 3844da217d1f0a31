#include "panels/ColorBarPage.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "field/ColorBar.h"
#include "field/ColorScale.h"
#include "field/ScaleFit.h"
#include "field/ShownValues.h"
#include "panels/PageControlIds.h"
#include "state/ScaleFitting.h"
#include "state/ViewState.h"
#include "text/NumberFormat.h"
#include "text/NumberParse.h"
#include "ui/ColorPrompt.h"
#include "ui/ColorSwatch.h"
#include "ui/ControlId.h"
#include "ui/EditCommit.h"
#include "ui/MessageBox.h"
#include "ui/UpDown.h"

using namespace kzv::page;

namespace {

constexpr int kMinDivisions = 2;
constexpr int kMaxDivisions = MAX_DIVISIONS;
constexpr int kMaxInterval = 5;

QColor ToQColor(COLORREF c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

COLORREF ToColorRef(const QColor& c) {
    return MakeColorRef(c.red(), c.green(), c.blue());
}

}  // namespace

// ---- the preview ----

CColorBarPreview::CColorBarPreview(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    setMinimumHeight(64);
}

void CColorBarPreview::SetBands(int n, COLORREF bottom, COLORREF top) {
    m_nBands = n;
    m_clrBottom = bottom;
    m_clrTop = top;
    update();
}

QSize CColorBarPreview::sizeHint() const {
    return QSize(32, 160);
}

void CColorBarPreview::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    const QRect inside = contentsRect();
    QPainter painter(this);
    int bottom = inside.bottom() + 1;  // one past the lowest row not yet filled
    int band = 1;
    for (int height : PreviewBandHeights(inside.height(), m_nBands)) {
        const COLORREF c = InterpolateColorHsv(m_nBands, band++, m_clrBottom, m_clrTop);
        painter.fillRect(QRect(inside.left(), bottom - height, inside.width(), height),
                         ToQColor(c));
        bottom -= height;
    }
}

// ---- the page ----

CColorBarPage::CColorBarPage(QWidget* parent)
    : CPanelPage(IDD_COLOR_BAR, parent),
      m_preview(kzv::WithId(new CColorBarPreview(this), IDC_BAR_PREVIEW)),
      m_topSwatch(kzv::WithId(new CColorSwatch(this), IDC_BAR_MAX_COLOR)),
      m_max(kzv::WithId(new QLineEdit(this), IDC_BAR_MAX)),
      m_divisions(kzv::WithId(new QLineEdit(this), IDC_BAR_DIVISIONS)),
      m_divisionsSpin(kzv::WithId(new CUpDown(this), IDC_BAR_DIVISIONS_SPIN)),
      m_interval(kzv::WithId(new QLineEdit(this), IDC_BAR_INTERVAL)),
      m_intervalSpin(kzv::WithId(new CUpDown(this), IDC_BAR_INTERVAL_SPIN)),
      m_bottomSwatch(kzv::WithId(new CColorSwatch(this), IDC_BAR_MIN_COLOR)),
      m_min(kzv::WithId(new QLineEdit(this), IDC_BAR_MIN)),
      m_defaults(kzv::WithId(
          new QPushButton(QCoreApplication::translate("CColorBarPage", "既定色に戻す"), this),
          IDC_BAR_DEFAULTS)),
      m_showBar(kzv::WithId(
          new QCheckBox(QCoreApplication::translate("CColorBarPage", "カラーバーの表示"), this),
          IDC_SHOW_COLOR_BAR)),
      m_fit(kzv::WithId(
          new QPushButton(QCoreApplication::translate("CColorBarPage", "範囲をデータに合わせる"),
                          this),
          IDC_BAR_FIT)),
      m_fitAll(kzv::WithId(
          new QCheckBox(QCoreApplication::translate("CColorBarPage", "全風向の値に合わせる"), this),
          IDC_BAR_FIT_ALL)),
      m_fitSymmetric(kzv::WithId(
          new QCheckBox(QCoreApplication::translate("CColorBarPage", "0 について対称"), this),
          IDC_BAR_FIT_SYMMETRIC)) {
    m_divisionsSpin->SetRange(kMinDivisions, kMaxDivisions);
    m_intervalSpin->SetRange(0, kMaxInterval);
    const int numberWidth = m_divisions->fontMetrics().horizontalAdvance(QStringLiteral("0000"));
    for (QLineEdit* edit : {m_divisions, m_interval}) {
        edit->setMaximumWidth(numberWidth + 16);
    }

    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QCoreApplication::translate("CColorBarPage", "カラーバー"), this);
    auto* grid = new QGridLayout(group);
    for (QWidget* w : std::initializer_list<QWidget*>{m_preview, m_topSwatch, m_max, m_divisions,
                                                      m_divisionsSpin, m_interval, m_intervalSpin,
                                                      m_bottomSwatch, m_min}) {
        w->setParent(group);
    }
    // The preview on the left, from MAX at its top to MIN at its bottom.
    grid->addWidget(m_preview, 0, 0, 4, 1);
    auto numberRow = [group](QLineEdit* edit, CUpDown* spin) {
        auto* row = new QHBoxLayout;
        row->setSpacing(0);
        row->addWidget(edit);
        row->addWidget(spin);
        row->addStretch();
        return row;
    };
    grid->addWidget(m_topSwatch, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("MAX"), group), 0, 2);
    grid->addWidget(m_max, 0, 3);
    grid->addWidget(new QLabel(QCoreApplication::translate("CColorBarPage", "分割数"), group), 1, 1,
                    1, 2);
    grid->addLayout(numberRow(m_divisions, m_divisionsSpin), 1, 3);
    grid->addWidget(new QLabel(QCoreApplication::translate("CColorBarPage", "目盛間隔"), group), 2,
                    1, 1, 2);
    grid->addLayout(numberRow(m_interval, m_intervalSpin), 2, 3);
    grid->addWidget(m_bottomSwatch, 3, 1, Qt::AlignBottom);
    grid->addWidget(new QLabel(QStringLiteral("MIN"), group), 3, 2, Qt::AlignBottom);
    grid->addWidget(m_min, 3, 3, Qt::AlignBottom);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(3, 1);
    layout->addWidget(group);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_defaults);
    buttons->addWidget(m_showBar);
    buttons->addStretch();
    layout->addLayout(buttons);
    auto* fit =
        new QGroupBox(QCoreApplication::translate("CColorBarPage", "データに合わせる"), this);
    auto* fitColumn = new QVBoxLayout(fit);
    for (QWidget* w : std::initializer_list<QWidget*>{m_fit, m_fitAll, m_fitSymmetric}) {
        w->setParent(fit);
        fitColumn->addWidget(w);
    }
    m_fit->setToolTip(QCoreApplication::translate(
        "CColorBarPage", "MIN と MAX を、表示中の値を囲む切りのよい値にします"));
    m_fitAll->setToolTip(QCoreApplication::translate(
        "CColorBarPage", "表示中の風向だけでなく、全風向の値を囲みます"));
    layout->addWidget(fit);
    layout->addStretch();
    connect(m_fit, &QPushButton::clicked, this, &CColorBarPage::OnFit);

    connect(m_divisionsSpin, &CUpDown::StepRequested, this,
            [this](int step) { ApplyDivisions(m_divisionsSpin->Position() + step); });
    connect(m_intervalSpin, &CUpDown::StepRequested, this,
            [this](int step) { ApplyInterval(m_intervalSpin->Position() + step); });
    connect(m_divisions, &QLineEdit::textEdited, this, &CColorBarPage::UpdatePreview);
    OnEditCommitted(m_divisions, [this] { OnDivisionsCommitted(); });
    OnEditCommitted(m_interval, [this] { OnIntervalCommitted(); });
    OnEditCommitted(m_max, [this] { OnValueCommitted(true); });
    OnEditCommitted(m_min, [this] { OnValueCommitted(false); });
    connect(m_topSwatch, &CColorSwatch::clicked, this, [this] { OnChooseColour(true); });
    connect(m_bottomSwatch, &CColorSwatch::clicked, this, [this] { OnChooseColour(false); });
    connect(m_defaults, &QPushButton::clicked, this, &CColorBarPage::OnDefaults);
    connect(m_showBar, &QCheckBox::clicked, this, [this](bool checked) {
        if (CPageEdit state = EditState()) {
            state->m_settings.m_bShowColorBar = checked ? 1 : 0;
            Rebuild();
        }
    });
    ShowScale();
}

void CColorBarPage::OnStateChanged(unsigned aspects) {
    if (ReplacesDisplay(aspects)) {
        RefreshFromView();
    }
}

void CColorBarPage::RefreshFromView() {
    const CViewState* state = State();
    if (state == nullptr) {
        return;
    }
    const int n = std::clamp(state->m_settings.m_nDivisions, 1, MAX_DIVISIONS);
    m_clrTop = VectorToColorRef(state->m_settings.m_aColorTable[n - 1]);
    m_clrBottom = VectorToColorRef(state->m_settings.m_aColorTable[0]);
    ShowScale();
}

void CColorBarPage::ShowScale() {
    if (const CViewState* state = State()) {
        m_divisionsSpin->SetPosition(state->m_settings.m_nDivisions);
        m_intervalSpin->SetPosition(state->m_settings.m_nTickInterval);
        m_divisions->setText(QString::number(state->m_settings.m_nDivisions));
        m_interval->setText(QString::number(state->m_settings.m_nTickInterval));
        m_max->setText(QString::fromStdString(kzv::FormatG(state->m_settings.m_dColorMax)));
        m_min->setText(QString::fromStdString(kzv::FormatG(state->m_settings.m_dColorMin)));
        m_showBar->setChecked(state->m_settings.m_bShowColorBar != 0);
    }
    m_topSwatch->SetColor(ToQColor(m_clrTop));
    m_bottomSwatch->SetColor(ToQColor(m_clrBottom));
    UpdatePreview();
}

void CColorBarPage::UpdatePreview() {
    // The preview shows the count in the box, also while it is typed.
    int n = 0;
    kzv::ReadWholeInt(m_divisions->text().toStdString(), false, n);
    m_preview->SetBands(n, m_clrBottom, m_clrTop);
}

void CColorBarPage::Rebuild() {
    CPageEdit state = EditState();
    if (state == nullptr) {
        return;
    }
    FillColorRamp(state->m_settings, m_clrBottom, m_clrTop);
    ShowScale();
    state.Touch(ASPECT_COLOURS);
}

void CColorBarPage::ApplyDivisions(int b) {
    CPageEdit state = EditState();
    if (state == nullptr) {
        return;
    }
    if (b >= kMinDivisions && b <= kMaxDivisions) {
        state->m_settings.m_nDivisions = b;
        state->m_settings.m_nTickInterval = DefaultTickInterval(b);
    }
    Rebuild();
}

void CColorBarPage::ApplyInterval(int b) {
    CPageEdit state = EditState();
    if (state == nullptr) {
        return;
    }
    if (b >= 0 && b <= kMaxInterval) {
        state->m_settings.m_nTickInterval = b;
    }
    Rebuild();
}

void CColorBarPage::ShowInvalidCount(QLineEdit* edit) {
    KzMessageBox(
        this,
        QCoreApplication::translate("CColorBarPage", "この分割数は無効です。再入力してください。"),
        QCoreApplication::translate("CColorBarPage", "カラーバー分割数エラー"), KzButtons::Ok,
        KzIcon::Error);
    edit->clear();
    UpdatePreview();
    edit->setFocus(Qt::OtherFocusReason);
}

void CColorBarPage::OnDivisionsCommitted() {
    int b = 0;
    if (!kzv::ReadWholeInt(m_divisions->text().toStdString(), false, b) || b < kMinDivisions ||
        b > kMaxDivisions) {
        ShowInvalidCount(m_divisions);
        return;
    }
    // Leaving the box as it was keeps a label interval the user chose since.
    if (State() != nullptr && b != State()->m_settings.m_nDivisions) {
        ApplyDivisions(b);
    }
}

void CColorBarPage::OnIntervalCommitted() {
    int b = 0;
    if (!kzv::ReadWholeInt(m_interval->text().toStdString(), false, b) || b > kMaxInterval) {
        ShowInvalidCount(m_interval);
        return;
    }
    if (State() != nullptr && b != State()->m_settings.m_nTickInterval) {
        ApplyInterval(b);
    }
}

void CColorBarPage::OnValueCommitted(bool top) {
    CPageEdit state = EditState();
    if (state == nullptr) {
        return;
    }
    // As atof reads it, in the "C" locale; a text without a number (or an infinite one) is 0.
    // The top may lie below the bottom: the scale is then drawn as it stands.
    const double value = kzv::ReadDoubleOrZero((top ? m_max : m_min)->text().toStdString());
    (top ? state->m_settings.m_dColorMax : state->m_settings.m_dColorMin) = value;
    Rebuild();
}

void CColorBarPage::OnChooseColour(bool top) {
    if (State() == nullptr) {
        return;
    }
    COLORREF& colour = top ? m_clrTop : m_clrBottom;
    const std::optional<QColor> chosen = KzChooseColor(this, ToQColor(colour));
    if (!chosen) {
        return;
    }
    colour = ToColorRef(*chosen);
    Rebuild();
}

void CColorBarPage::OnFit() {
    if (State() == nullptr || !State()->HasDataSet()) {
        return;
    }
    bool fitted = false;
    {
        CPageEdit state = EditState();
        fitted = FitColourScale(*state, m_fitAll->isChecked(), m_fitSymmetric->isChecked());
        if (fitted) {
            Rebuild();
        }
    }
    if (!fitted) {
        KzMessageBox(this,
                     QCoreApplication::translate("CColorBarPage",
                                                 "表示中の値がないため、範囲を合わせられません。"),
                     QCoreApplication::translate("CColorBarPage", "範囲をデータに合わせる"),
                     KzButtons::Ok, KzIcon::Warning);
    }
}

void CColorBarPage::OnDefaults() {
    CPageEdit state = EditState();
    if (state == nullptr) {
        return;
    }
    state->m_settings.m_nDivisions = MAX_DIVISIONS;
    state->m_settings.m_dColorMax = 1.0;
    state->m_settings.m_dColorMin = -1.0;
    state->m_settings.m_nTickInterval = 3;
    state->m_settings.m_bShowColorBar = 1;
    m_clrBottom = VectorToColorRef(COLOR_BLUE);
    m_clrTop = VectorToColorRef(COLOR_RED);
    Rebuild();
}
