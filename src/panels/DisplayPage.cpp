#include "panels/DisplayPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "panels/PageControlIds.h"
#include "state/ViewState.h"
#include "text/CodePage.h"
#include "ui/ColorPrompt.h"
#include "ui/ColorSwatch.h"
#include "ui/ControlId.h"

using namespace kzv::page;

namespace {

constexpr int kBrightnessMax = 256, kBrightnessPage = 32;
constexpr int kContrastMax = 128, kContrastPage = 16;

QScrollBar* Bar(QWidget* parent, int id, int maximum, int page) {
    auto* bar = kzv::WithId(new QScrollBar(Qt::Horizontal, parent), id);
    bar->setRange(0, maximum);
    bar->setPageStep(page);
    bar->setSingleStep(1);
    return bar;
}

}  // namespace

CDisplayPage::CDisplayPage(QWidget* parent)
    : CPanelPage(IDD_DISPLAY, parent),
      m_parts(kzv::WithId(new QListWidget(this), IDC_PART_LIST)),
      m_modes(new QButtonGroup(this)),
      m_colorGroup(
          kzv::WithId(new QGroupBox(QCoreApplication::translate("CDisplayPage", "建物色"), this),
                      IDC_PART_COLOR_GROUP)),
      m_swatch(kzv::WithId(new CColorSwatch(m_colorGroup), IDC_PART_COLOR)),
      m_brightness(Bar(this, IDC_BRIGHTNESS, kBrightnessMax, kBrightnessPage)),
      m_contrast(Bar(this, IDC_CONTRAST, kContrastMax, kContrastPage)) {
    auto* layout = new QVBoxLayout(this);

    // "幾何表示": the parts, their display mode and colour, brightness and contrast.
    auto* geometry = new QGroupBox(QCoreApplication::translate("CDisplayPage", "幾何表示"), this);
    auto* geometryGrid = new QGridLayout(geometry);
    m_parts->setParent(geometry);
    geometryGrid->addWidget(m_parts, 0, 0, 2, 1);

    auto* modeBox = new QGroupBox(QCoreApplication::translate("CDisplayPage", "表示"), geometry);
    auto* modeColumn = new QVBoxLayout(modeBox);
    const std::pair<int, const char*> modes[] = {
        {IDC_MODE_FACES, QT_TRANSLATE_NOOP("CDisplayPage", "面表示")},
        {IDC_MODE_LINES, QT_TRANSLATE_NOOP("CDisplayPage", "線表示")},
        {IDC_MODE_NONE, QT_TRANSLATE_NOOP("CDisplayPage", "表示なし")}};
    int mode = 0;
    for (const auto& [id, text] : modes) {
        auto* radio = kzv::WithId(
            new QRadioButton(QCoreApplication::translate("CDisplayPage", text), modeBox), id);
        m_modes->addButton(radio, mode++);
        modeColumn->addWidget(radio);
    }
    geometryGrid->addWidget(modeBox, 0, 1);

    m_colorGroup->setParent(geometry);
    auto* colorRow = new QVBoxLayout(m_colorGroup);
    m_swatch->setFixedSize(48, 20);
    colorRow->addWidget(m_swatch);
    m_colorGroup->installEventFilter(this);
    geometryGrid->addWidget(m_colorGroup, 1, 1);

    geometryGrid->addWidget(
        new QLabel(QCoreApplication::translate("CDisplayPage", "明るさ"), geometry), 2, 0, 1, 2);
    m_brightness->setParent(geometry);
    geometryGrid->addWidget(m_brightness, 3, 0, 1, 2);
    geometryGrid->addWidget(
        new QLabel(QCoreApplication::translate("CDisplayPage", "コントラスト"), geometry), 4, 0, 1,
        2);
    m_contrast->setParent(geometry);
    geometryGrid->addWidget(m_contrast, 5, 0, 1, 2);
    layout->addWidget(geometry);

    // "補助表示": the eight switches.
    auto* auxiliary = new QGroupBox(QCoreApplication::translate("CDisplayPage", "補助表示"), this);
    auto* auxColumn = new QVBoxLayout(auxiliary);
    auto addSwitch = [this](QWidget* group, QVBoxLayout* column, int id, const char* text,
                            uint8_t CDisplaySettings::*member) {
        auto* box = kzv::WithId(
            new QCheckBox(QCoreApplication::translate("CDisplayPage", text), group), id);
        column->addWidget(box);
        m_switches.push_back({box, member});
        connect(box, &QCheckBox::clicked, this, [this, member](bool checked) {
            if (CPageEdit state = EditState()) {
                state->m_settings.*member = checked ? 1 : 0;
                state.Touch(ASPECT_GEOMETRY);
            }
        });
    };
    auto* coordinates =
        new QGroupBox(QCoreApplication::translate("CDisplayPage", "座標"), auxiliary);
    auto* coordColumn = new QVBoxLayout(coordinates);
    addSwitch(coordinates, coordColumn, IDC_SHOW_AXES,
              QT_TRANSLATE_NOOP("CDisplayPage", "座標軸の表示"), &CDisplaySettings::m_bShowAxes);
    addSwitch(coordinates, coordColumn, IDC_SHOW_AXIS_NUMBERS,
              QT_TRANSLATE_NOOP("CDisplayPage", "座標数値の表示"),
              &CDisplaySettings::m_bShowAxisNumbers);
    auxColumn->addWidget(coordinates);
    auto* points = new QGroupBox(QCoreApplication::translate("CDisplayPage", "測定点"), auxiliary);
    auto* pointColumn = new QVBoxLayout(points);
    addSwitch(points, pointColumn, IDC_SHOW_MARKERS,
              QT_TRANSLATE_NOOP("CDisplayPage", "測定点のマーカ表示"),
              &CDisplaySettings::m_bShowMarkers);
    addSwitch(points, pointColumn, IDC_SHOW_NUMBERS,
              QT_TRANSLATE_NOOP("CDisplayPage", "測定点番号の表示"),
              &CDisplaySettings::m_bShowNumbers);
    addSwitch(points, pointColumn, IDC_THIN_TAPS,
              QT_TRANSLATE_NOOP("CDisplayPage", "重なるマーカと番号を間引く"),
              &CDisplaySettings::m_bThinTaps);
    auxColumn->addWidget(points);
    addSwitch(auxiliary, auxColumn, IDC_SHOW_MESH,
              QT_TRANSLATE_NOOP("CDisplayPage", "メッシュの表示"), &CDisplaySettings::m_bShowMesh);
    addSwitch(auxiliary, auxColumn, IDC_SHOW_GROUND,
              QT_TRANSLATE_NOOP("CDisplayPage", "地面の表示"), &CDisplaySettings::m_bShowGround);
    addSwitch(auxiliary, auxColumn, IDC_SHOW_WIND, QT_TRANSLATE_NOOP("CDisplayPage", "風向の表示"),
              &CDisplaySettings::m_bShowWind);
    layout->addWidget(auxiliary);
    layout->addStretch();

    connect(m_parts, &QListWidget::currentRowChanged, this, &CDisplayPage::ShowSelectedPart);
    connect(m_modes, &QButtonGroup::idClicked, this, &CDisplayPage::OnModeClicked);
    connect(m_swatch, &CColorSwatch::clicked, this, &CDisplayPage::OnChooseColor);
    connect(m_brightness, &QScrollBar::valueChanged, this, [this](int position) {
        if (CPageEdit state = EditState()) {
            state->m_settings.SetBrightnessPosition(position);
            state.Touch(ASPECT_GEOMETRY);
        }
    });
    connect(m_contrast, &QScrollBar::valueChanged, this, [this](int position) {
        if (CPageEdit state = EditState()) {
            state->m_settings.SetContrastPosition(position);
            state.Touch(ASPECT_GEOMETRY);
        }
    });
    ShowSelectedPart();
}

void CDisplayPage::ClearPartNames() {
    m_parts->clear();
}

void CDisplayPage::AddPartName(const std::string& name) {
    m_parts->addItem(QString::fromStdString(kzv::FileTextToUtf8(name)));
}

void CDisplayPage::OnStateChanged(unsigned aspects) {
    if ((aspects & ASPECT_DATASET) && State() != nullptr) {
        // Main parts, then sub parts: the display-part index.
        const QSignalBlocker block(m_parts);
        ClearPartNames();
        for (const CGeometry* geo : {&State()->m_data.m_geoMain, &State()->m_data.m_geoSub}) {
            for (const CGeometryObject& part : geo->m_objects) {
                AddPartName(part.m_strName);
            }
        }
    }
    if (aspects & (ASPECT_DATASET | ASPECT_POSITIONS | ASPECT_GEOMETRY)) {
        RefreshFromView();
    }
}

void CDisplayPage::RefreshFromView() {
    const CViewState* state = State();
    if (state == nullptr) {
        return;
    }
    for (const Switch& s : m_switches) {
        const QSignalBlocker block(s.box);
        s.box->setChecked(state->m_settings.*s.member != 0);
    }
    {
        const QSignalBlocker block(m_brightness);
        m_brightness->setValue(state->m_settings.BrightnessPosition());
    }
    {
        const QSignalBlocker block(m_contrast);
        m_contrast->setValue(state->m_settings.ContrastPosition());
    }
    ShowSelectedPart();
}

void CDisplayPage::ShowSelectedPart() {
    const int part = m_parts->currentRow();
    const CViewState* state = State();
    const bool selected = state != nullptr && part >= 0 && part < state->m_data.GetPartCount();
    // Cleared first: a group that allows no empty choice would keep the old radio.
    m_modes->setExclusive(false);
    for (QAbstractButton* radio : m_modes->buttons()) {
        radio->setEnabled(selected);
        radio->setChecked(false);
    }
    m_modes->setExclusive(true);
    if (selected) {
        if (QAbstractButton* radio = m_modes->button(state->m_data.GetPartMode(part))) {
            radio->setChecked(true);
        }
        m_clrSwatch = state->m_data.GetPartColor(part);
    } else {
        const QColor face = palette().color(QPalette::Button);
        m_clrSwatch = MakeColorRef(face.red(), face.green(), face.blue());
    }
    m_swatch->SetColor(QColor(RedOf(m_clrSwatch), GreenOf(m_clrSwatch), BlueOf(m_clrSwatch)));
}

void CDisplayPage::OnModeClicked(int mode) {
    const int part = m_parts->currentRow();
    if (State() == nullptr || part < 0 || part >= State()->m_data.GetPartCount()) {
        return;
    }
    Owner()->Edit(ASPECT_GEOMETRY)->m_data.SetPartMode(part, mode);
}

void CDisplayPage::OnChooseColor() {
    const int part = m_parts->currentRow();
    if (State() == nullptr || part < 0 || part >= State()->m_data.GetPartCount()) {
        return;  // no part: the swatch does nothing
    }
    const QColor initial(RedOf(m_clrSwatch), GreenOf(m_clrSwatch), BlueOf(m_clrSwatch));
    const std::optional<QColor> chosen = KzChooseColor(this, initial);
    if (!chosen) {
        return;
    }
    m_clrSwatch = MakeColorRef(chosen->red(), chosen->green(), chosen->blue());
    Owner()->Edit(ASPECT_GEOMETRY)->m_data.SetPartColor(part, m_clrSwatch);
}

bool CDisplayPage::eventFilter(QObject* watched, QEvent* event) {
    // A click anywhere in "建物色" chooses the colour, as a click on the swatch does.
    if (watched == m_colorGroup && event->type() == QEvent::MouseButtonPress) {
        OnChooseColor();
        return true;
    }
    return CPanelPage::eventFilter(watched, event);
}
