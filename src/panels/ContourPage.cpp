#include "panels/ContourPage.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QVBoxLayout>
#include <algorithm>
#include <type_traits>

#include "field/ShownValues.h"
#include "panels/PageControlIds.h"
#include "state/ScaleFitting.h"
#include "state/ViewState.h"
#include "text/NumberParse.h"
#include "ui/ColorPrompt.h"
#include "ui/ColorSwatch.h"
#include "ui/ControlId.h"
#include "ui/EditCommit.h"
#include "ui/MessageBox.h"
#include "ui/UpDown.h"

using namespace kzv::page;

namespace {

const char* const kFonts[] = {"ＭＳ ゴシック", "ＭＳ 明朝"};
const int kSizes[] = {14, 16, 18, 20};
constexpr int kSkipMax = 10;

QColor ToQColor(const CVector4& colour) {
    const COLORREF c = VectorToColorRef(colour);
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

// A radio button of group with the given id, added to layout.
QRadioButton* AddRadio(QButtonGroup* group, int id, QWidget* parent, QBoxLayout* layout,
                       int controlId, const char* text) {
    auto* radio = kzv::WithId(
        new QRadioButton(QCoreApplication::translate("CContourPage", text), parent), controlId);
    group->addButton(radio, id);
    layout->addWidget(radio);
    return radio;
}

// Checks the radio with id, or none for an id that has none.
void CheckRadio(QButtonGroup* group, int id) {
    group->setExclusive(false);
    for (QAbstractButton* radio : group->buttons()) {
        radio->setChecked(group->id(radio) == id);
    }
    group->setExclusive(true);
}

QGroupBox* Group(const char* text, QWidget* parent, int controlId = 0) {
    auto* group = new QGroupBox(QCoreApplication::translate("CContourPage", text), parent);
    if (controlId != 0) {
        kzv::WithId(group, controlId);
    }
    return group;
}

}  // namespace

CContourPage::CContourPage(QWidget* parent)
    : CPanelPage(IDD_CONTOUR, parent),
      m_quantity(kzv::WithId(new QComboBox(this), IDC_QUANTITY)),
      m_faces(new QButtonGroup(this)),
      m_kinds(new QButtonGroup(this)),
      m_lineModes(new QButtonGroup(this)),
      m_labelSwitch(new QButtonGroup(this)),
      m_labelModes(new QButtonGroup(this)) {
    auto* layout = new QVBoxLayout(this);

    auto* quantity = Group(QT_TRANSLATE_NOOP("CContourPage", "表示する値"), this);
    auto* quantityRow = new QHBoxLayout(quantity);
    m_quantity->setParent(quantity);
    for (int q = 0; q < kValueQuantityCount; ++q) {
        m_quantity->addItem(
            QCoreApplication::translate("Core", ValueQuantityLabel(ValueQuantityAt(q))));
    }
    m_quantity->setToolTip(QCoreApplication::translate(
        "CContourPage", "等値線、数値、データ値リストと CSV がこの値を示します"));
    quantityRow->addWidget(m_quantity);
    quantityRow->addStretch();
    layout->addWidget(quantity);
    connect(m_quantity, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        if (CPageEdit state = EditState()) {
            state->m_settings.m_nQuantity = index;
            state.Touch(ASPECT_DIRECTION);
        }
        if (index == static_cast<int>(EValueQuantity::Difference)) {
            ProposeDivergingScale();
        }
    });

    auto* faces = Group(QT_TRANSLATE_NOOP("CContourPage", "表示する面"), this);
    auto* facesColumn = new QVBoxLayout(faces);
    AddRadio(m_faces, 0, faces, facesColumn, IDC_FACES_ALL,
             QT_TRANSLATE_NOOP("CContourPage", "全面の表示"))
        ->setChecked(true);
    AddRadio(m_faces, 1, faces, facesColumn, IDC_FACES_CHOSEN,
             QT_TRANSLATE_NOOP("CContourPage", "指定面上の表示"));
    AddRadio(m_faces, 2, faces, facesColumn, IDC_FACES_NONE,
             QT_TRANSLATE_NOOP("CContourPage", "表示しない"));
    layout->addWidget(faces);

    auto* kinds = Group(QT_TRANSLATE_NOOP("CContourPage", "表示するコンタ"), this);
    auto* kindsColumn = new QVBoxLayout(kinds);
    AddRadio(m_kinds, 0, kinds, kindsColumn, IDC_KIND_SURFACE,
             QT_TRANSLATE_NOOP("CContourPage", "面コンタ"));
    AddRadio(m_kinds, 1, kinds, kindsColumn, IDC_KIND_LINES,
             QT_TRANSLATE_NOOP("CContourPage", "線コンタ"));
    AddRadio(m_kinds, 2, kinds, kindsColumn, IDC_KIND_BOTH,
             QT_TRANSLATE_NOOP("CContourPage", "面コンタ＋線コンタ"));
    layout->addWidget(kinds);

    // "線コンタの設定": everything in it is enabled for line contours only.
    m_lineSettings =
        Group(QT_TRANSLATE_NOOP("CContourPage", "線コンタの設定"), this, IDC_LINE_SETTINGS);
    auto* settings = new QVBoxLayout(m_lineSettings);

    auto* lineColour = Group(QT_TRANSLATE_NOOP("CContourPage", "線コンタの色"), m_lineSettings,
                             IDC_LINE_COLOR_GROUP);
    auto* lineRow = new QHBoxLayout(lineColour);
    AddRadio(m_lineModes, 0, lineColour, lineRow, IDC_LINE_COLOR_LEVEL,
             QT_TRANSLATE_NOOP("CContourPage", "カラー"));
    AddRadio(m_lineModes, 1, lineColour, lineRow, IDC_LINE_COLOR_FIXED,
             QT_TRANSLATE_NOOP("CContourPage", "指定色"));
    m_lineSwatch = kzv::WithId(new CColorSwatch(lineColour), IDC_LINE_COLOR);
    lineRow->addWidget(m_lineSwatch);
    lineRow->addStretch();
    settings->addWidget(lineColour);

    auto* labels = Group(QT_TRANSLATE_NOOP("CContourPage", "線コンタの数値表示"), m_lineSettings,
                         IDC_LABELS_GROUP);
    auto* labelsRow = new QHBoxLayout(labels);
    AddRadio(m_labelSwitch, 0, labels, labelsRow, IDC_LABELS_OFF,
             QT_TRANSLATE_NOOP("CContourPage", "表示しない"));
    AddRadio(m_labelSwitch, 1, labels, labelsRow, IDC_LABELS_ON,
             QT_TRANSLATE_NOOP("CContourPage", "表示する"));
    labelsRow->addStretch();
    settings->addWidget(labels);

    auto* labelColour =
        Group(QT_TRANSLATE_NOOP("CContourPage", "数値色"), m_lineSettings, IDC_LABEL_COLOR_GROUP);
    auto* labelColourRow = new QHBoxLayout(labelColour);
    AddRadio(m_labelModes, 0, labelColour, labelColourRow, IDC_LABEL_COLOR_LINE,
             QT_TRANSLATE_NOOP("CContourPage", "線コンタと同色"));
    AddRadio(m_labelModes, 1, labelColour, labelColourRow, IDC_LABEL_COLOR_FIXED,
             QT_TRANSLATE_NOOP("CContourPage", "指定色"));
    m_labelSwatch = kzv::WithId(new CColorSwatch(labelColour), IDC_LABEL_COLOR);
    labelColourRow->addWidget(m_labelSwatch);
    labelColourRow->addStretch();
    settings->addWidget(labelColour);

    auto* fontRow = new QGridLayout;
    m_font = kzv::WithId(new QComboBox(m_lineSettings), IDC_LABEL_FONT);
    for (const char* font : kFonts) {
        m_font->addItem(QString::fromUtf8(font));
    }
    m_size = kzv::WithId(new QComboBox(m_lineSettings), IDC_LABEL_SIZE);
    for (int size : kSizes) {
        m_size->addItem(QString::number(size));
    }
    fontRow->addWidget(
        new QLabel(QCoreApplication::translate("CContourPage", "フォント"), m_lineSettings), 0, 0);
    fontRow->addWidget(m_font, 0, 1);
    fontRow->addWidget(
        new QLabel(QCoreApplication::translate("CContourPage", "サイズ"), m_lineSettings), 0, 2);
    fontRow->addWidget(m_size, 0, 3);
    fontRow->setColumnStretch(1, 1);
    settings->addLayout(fontRow);

    m_editPositions = kzv::WithId(
        new QPushButton(QCoreApplication::translate("CContourPage", "数値表示位置の編集"),
                        m_lineSettings),
        IDC_EDIT_LABEL_POS);
    settings->addWidget(m_editPositions);
    layout->addWidget(m_lineSettings);

    // The level skip and the clearing of the labels stay usable with surface contours alone.
    auto* skipRow = new QHBoxLayout;
    m_skip = kzv::WithId(new QLineEdit(this), IDC_LABEL_SKIP);
    m_skip->setMaximumWidth(m_skip->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    m_skipSpin = kzv::WithId(new CUpDown(this), IDC_LABEL_SKIP_SPIN);
    m_skipSpin->SetRange(0, kSkipMax);
    skipRow->addWidget(new QLabel(QCoreApplication::translate("CContourPage", "表示レベル"), this));
    skipRow->addWidget(m_skip);
    skipRow->addWidget(m_skipSpin);
    skipRow->addStretch();
    m_clear = kzv::WithId(
        new QPushButton(QCoreApplication::translate("CContourPage", "数値表示の消去"), this),
        IDC_CLEAR_LABELS);
    skipRow->addWidget(m_clear);
    layout->addLayout(skipRow);
    layout->addStretch();

    connect(m_faces, &QButtonGroup::idClicked, this, &CContourPage::OnFacesClicked);
    connect(m_kinds, &QButtonGroup::idClicked, this, &CContourPage::OnKindClicked);
    auto write = [this](QButtonGroup* group, auto member) {
        connect(group, &QButtonGroup::idClicked, this, [this, member](int id) {
            if (CPageEdit state = EditState()) {
                state->m_settings.*member =
                    static_cast<std::remove_reference_t<decltype(state->m_settings.*member)>>(id);
                state.Touch(ASPECT_CONTOURS);
            }
        });
    };
    write(m_lineModes, &CDisplaySettings::m_nLineColorMode);
    write(m_labelSwitch, &CDisplaySettings::m_bShowLabels);
    write(m_labelModes, &CDisplaySettings::m_nLabelColorMode);
    connect(m_lineSwatch, &CColorSwatch::clicked, this, [this] { OnChooseColour(false); });
    connect(m_labelSwatch, &CColorSwatch::clicked, this, [this] { OnChooseColour(true); });
    connect(m_font, &QComboBox::activated, this, &CContourPage::ApplyFont);
    connect(m_size, &QComboBox::activated, this, &CContourPage::ApplyFont);
    connect(m_editPositions, &QPushButton::clicked, this, &CContourPage::EditLabelPositions);
    connect(m_skip, &QLineEdit::textEdited, this, &CContourPage::OnSkipEdited);
    OnEditCommitted(m_skip, [this] { OnSkipCommitted(); });
    connect(m_skipSpin, &CUpDown::StepRequested, this, &CContourPage::OnSkipStep);
    connect(m_clear, &QPushButton::clicked, this, &CContourPage::OnClearLabels);

    CheckRadio(m_kinds, 0);
    ShowSkip(0);
    EnableLineSettings();
}

void CContourPage::OnStateChanged(unsigned aspects) {
    if (ReplacesDisplay(aspects)) {
        RefreshFromView();
    } else if (aspects & (ASPECT_DIRECTION | ASPECT_REFERENCE)) {
        ShowQuantity();
    }
}

void CContourPage::ProposeDivergingScale() {
    // A difference reads best on a scale centred on 0; the user may keep theirs.
    if (KzMessageBox(
            this,
            QCoreApplication::translate("CContourPage",
                                        "差を表示します。カラーバーの範囲を 0 を中心とする範囲に"
                                        "合わせますか？"),
            QCoreApplication::translate("CContourPage", "差の表示"), KzButtons::YesNo,
            KzIcon::Question) != KzAnswer::Yes) {
        return;
    }
    if (CPageEdit state = EditState()) {
        if (FitColourScale(*state, true, true)) {
            state.Touch(ASPECT_COLOURS);
        }
    }
}

void CContourPage::ShowQuantity() {
    const CViewState* state = State();
    auto* model = qobject_cast<QStandardItemModel*>(m_quantity->model());
    for (int q = 0; q < kValueQuantityCount; ++q) {
        const bool held = state != nullptr && state->HasDataSet() &&
                          state->m_data.m_tables.Has(ValueQuantityAt(q));
        if (QStandardItem* item = model != nullptr ? model->item(q) : nullptr) {
            item->setEnabled(held);
        }
    }
    m_quantity->setEnabled(state != nullptr && state->HasDataSet());
    const QSignalBlocker block(m_quantity);
    m_quantity->setCurrentIndex(
        state != nullptr
            ? static_cast<int>(ShownValuesOf(state->m_data, state->m_settings).quantity)
            : 0);
}

void CContourPage::RefreshFromView() {
    ShowQuantity();
    CPageEdit state = EditState();
    if (state == nullptr) {
        return;
    }
    switch (state->PanelContourChoice()) {
        case FacesShown::All:
            CheckRadio(m_faces, 0);
            break;
        case FacesShown::Chosen:
            CheckRadio(m_faces, 1);
            break;
        case FacesShown::None:
            CheckRadio(m_faces, 2);
            break;
        case FacesShown::Unknown:
            break;
    }
    CheckRadio(m_kinds, state->m_settings.m_nContourKind);
    CheckRadio(m_lineModes, state->m_settings.m_nLineColorMode);
    m_lineSwatch->SetColor(ToQColor(state->m_settings.m_clrLine));
    CheckRadio(m_labelSwitch, state->m_settings.m_bShowLabels);
    CheckRadio(m_labelModes, state->m_settings.m_nLabelColorMode);
    m_labelSwatch->SetColor(ToQColor(state->m_settings.m_clrLabel));
    ShowSkip(std::clamp(state->m_settings.m_nLabelSkip, 0, kSkipMax));

    m_font->setCurrentIndex(
        std::max(0, m_font->findText(QString::fromStdString(state->m_settings.m_strLabelFont))));
    m_size->setCurrentIndex(
        std::max(0, m_size->findText(QString::number(state->m_settings.m_nLabelFontSize))));
    EnableLineSettings();
    ApplyFont();
}

void CContourPage::OnFacesClicked(int choice) {
    CPageEdit state = EditState();
    if (state == nullptr) {
        return;
    }
    unsigned aspects = ASPECT_SELECTION;
    if (choice != 1) {
        state->SetAllPanelContours(choice == 0 ? 1 : 0);
        aspects |= ASPECT_CONTOURS;
    }
    const int before = state->m_selection.m_nPickMode;
    UpdateFacePicking(isVisible());
    if (state->m_selection.m_nPickMode == before) {
        state.Touch(aspects);
    }
}

void CContourPage::UpdateFacePicking(bool shown) {
    CPageEdit state = EditState();
    if (state == nullptr) {
        return;
    }
    const bool picking = shown && m_faces->checkedId() == 1;
    // Another control's pick mode (a slot being picked, a selection method) is left alone.
    const int mode = picking                               ? 1
                     : state->m_selection.m_nPickMode == 1 ? 0
                                                           : state->m_selection.m_nPickMode;
    if (mode != state->m_selection.m_nPickMode) {
        state->m_selection.m_nPickMode = mode;
        state.Touch(ASPECT_SELECTION | ASPECT_CONTOURS);
    }
}

void CContourPage::showEvent(QShowEvent* event) {
    CPanelPage::showEvent(event);
    if (!event->spontaneous()) {  // not a window coming back from the task bar
        UpdateFacePicking(true);
    }
}

void CContourPage::hideEvent(QHideEvent* event) {
    CPanelPage::hideEvent(event);
    if (!event->spontaneous()) {
        UpdateFacePicking(false);
    }
}

void CContourPage::OnKindClicked() {
    CPageEdit state = EditState();
    EnableLineSettings();
    if (state == nullptr) {
        return;
    }
    state->m_settings.m_nContourKind = m_kinds->checkedId();
    state.Touch(ASPECT_CONTOURS);
}

void CContourPage::EnableLineSettings() {
    const int kind = m_kinds->checkedId();
    m_lineSettings->setEnabled(kind == 1 || kind == 2);
}

void CContourPage::ApplyFont() {
    CPageEdit state = EditState();
    if (state == nullptr) {
        return;
    }
    const std::string font = kFonts[std::max(0, m_font->currentIndex())];
    const int size = kSizes[std::max(0, m_size->currentIndex())];
    if (font == state->m_settings.m_strLabelFont && size == state->m_settings.m_nLabelFontSize) {
        return;
    }
    state->m_settings.m_strLabelFont = font;
    state->m_settings.m_nLabelFontSize = size;
    state.Touch(ASPECT_CONTOURS);
}

void CContourPage::OnChooseColour(bool label) {
    if (State() == nullptr) {
        return;
    }
    CColorSwatch* swatch = label ? m_labelSwatch : m_lineSwatch;
    const std::optional<QColor> chosen = KzChooseColor(this, swatch->Color());
    if (!chosen) {
        return;
    }
    swatch->SetColor(*chosen);
    const CVector4 colour =
        ColorRefToVector(MakeColorRef(chosen->red(), chosen->green(), chosen->blue()));
    auto edit = Owner()->Edit(ASPECT_CONTOURS);
    (label ? edit->m_settings.m_clrLabel : edit->m_settings.m_clrLine) = colour;
}

void CContourPage::ShowSkip(int value) {
    m_skipSpin->SetPosition(value);
    m_skip->setText(QString::number(value));
}

void CContourPage::OnSkipEdited() {
    // While the box is typed in, the labels follow its number (0 while it is none).
    int value = 0;
    kzv::ReadWholeInt(m_skip->text().toStdString(), true, value);
    if (value >= 0 && value <= kSkipMax) {
        m_skipSpin->SetPosition(value);
    }
    if (CPageEdit state = EditState()) {
        state->m_settings.m_nLabelSkip = value;
        state.Touch(ASPECT_CONTOURS);
    }
}

void CContourPage::OnSkipCommitted() {
    int value = 0;
    if (kzv::ReadWholeInt(m_skip->text().toStdString(), false, value) && value <= kSkipMax) {
        return;
    }
    KzMessageBox(this,
                 QCoreApplication::translate("CContourPage",
                                             "このスキップ数は無効です。再入力してください。"),
                 QCoreApplication::translate("CContourPage", "コンタレベルの表示スキップ数エラー"),
                 KzButtons::Ok, KzIcon::Error);
    m_skip->clear();
    // The empty box reads as 0, so the labels do not keep the refused number.
    if (CPageEdit state = EditState()) {
        state->m_settings.m_nLabelSkip = 0;
        state.Touch(ASPECT_CONTOURS);
    }
    m_skip->setFocus(Qt::OtherFocusReason);
}

void CContourPage::OnSkipStep(int step) {
    int base = m_skipSpin->Position();
    kzv::ReadWholeInt(m_skip->text().toStdString(), true, base);
    const int value = std::clamp(base + step, 0, kSkipMax);
    ShowSkip(value);
    if (CPageEdit state = EditState()) {
        state->m_settings.m_nLabelSkip = value;
        state.Touch(ASPECT_CONTOURS);
    }
}

void CContourPage::OnClearLabels() {
    const KzAnswer answer =
        KzMessageBox(this,
                     QCoreApplication::translate("CContourPage",
                                                 "コンタの数値表示を消去します。よろしいですか？"),
                     QCoreApplication::translate("CContourPage", "数値表示の消去"),
                     KzButtons::YesNo, KzIcon::Question);
    CPageEdit state = EditState();
    if (answer != KzAnswer::Yes || state == nullptr) {
        return;
    }
    state->ClearSlots();
    state.Touch(ASPECT_CONTOURS | ASPECT_SELECTION);
}
