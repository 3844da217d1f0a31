#include "panels/OperationPage.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "panels/ButtonIcons.h"
#include "panels/PageControlIds.h"
#include "state/ViewState.h"
#include "text/NumberFormat.h"
#include "ui/ControlId.h"
#include "ui/MessageBox.h"

using namespace kzv::page;

namespace {

constexpr float kRotationStep = 10.0f;  // degrees
constexpr float kPanStep = 50.0f;       // pixels
constexpr double kZoomFactor = 1.1;

QPushButton* IconButton(QWidget* parent, int id, ButtonGlyph glyph,
                        const QString& toolTip = QString()) {
    auto* button = kzv::WithId(new QPushButton(parent), id);
    button->setIcon(ButtonIcon(glyph));
    button->setIconSize(QSize(24, 24));
    button->setToolTip(toolTip);
    return button;
}

QString IntText(double value) {
    return QString::number(kzv::TruncToInt(value));
}

}  // namespace

COperationPage::COperationPage(QWidget* parent)
    : CPanelPage(IDD_OPERATION, parent),
      m_horizontal(kzv::WithId(new QLineEdit(this), IDC_SET_HORIZONTAL)),
      m_vertical(kzv::WithId(new QLineEdit(this), IDC_SET_VERTICAL)),
      m_z(kzv::WithId(new QLineEdit(this), IDC_SET_Z)),
      m_scale(kzv::WithId(new QLineEdit(this), IDC_SET_SCALE)),
      m_shiftX(kzv::WithId(new QLineEdit(this), IDC_SET_SHIFT_X)),
      m_shiftY(kzv::WithId(new QLineEdit(this), IDC_SET_SHIFT_Y)) {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QGridLayout;
    layout->addLayout(top);

    // "拡大縮小"
    auto* zoom = new QGroupBox(QCoreApplication::translate("COperationPage", "拡大縮小"), this);
    auto* zoomRow = new QHBoxLayout(zoom);
    QPushButton* zoomIn = IconButton(zoom, IDC_ZOOM_IN, ButtonGlyph::ZoomIn,
                                     QCoreApplication::translate("COperationPage", "拡大"));
    QPushButton* zoomOut = IconButton(zoom, IDC_ZOOM_OUT, ButtonGlyph::ZoomOut,
                                      QCoreApplication::translate("COperationPage", "縮小"));
    QPushButton* zoomNormal =
        IconButton(zoom, IDC_ZOOM_NORMAL, ButtonGlyph::ZoomNormal,
                   QCoreApplication::translate("COperationPage", "ノーマライズ"));
    for (QPushButton* b : {zoomIn, zoomOut, zoomNormal}) {
        zoomRow->addWidget(b);
    }
    connect(zoomIn, &QPushButton::clicked, this, [this] {
        Move([](CViewState& s) {
            s.m_camera.m_fZoom = static_cast<float>(s.m_camera.m_fZoom * kZoomFactor);
        });
    });
    connect(zoomOut, &QPushButton::clicked, this, [this] {
        Move([](CViewState& s) {
            s.m_camera.m_fZoom = static_cast<float>(s.m_camera.m_fZoom / kZoomFactor);
        });
    });
    connect(zoomNormal, &QPushButton::clicked, this,
            [this] { Move([](CViewState& s) { s.NormaliseZoom(); }); });
    top->addWidget(zoom, 0, 0);

    // "視点方向": the six axis views, in two rows of +/- pairs.
    auto* views = new QGroupBox(QCoreApplication::translate("COperationPage", "視点方向"), this);
    auto* viewGrid = new QGridLayout(views);
    const struct {
        int id;
        ButtonGlyph glyph;
        const char* tip;
        int preset;
    } presets[] = {
        {IDC_VIEW_X_PLUS, ButtonGlyph::ViewXPlus, QT_TRANSLATE_NOOP("COperationPage", "X軸正方向"),
         VIEW_X_PLUS},
        {IDC_VIEW_X_MINUS, ButtonGlyph::ViewXMinus,
         QT_TRANSLATE_NOOP("COperationPage", "X軸負方向"), VIEW_X_MINUS},
        {IDC_VIEW_Y_PLUS, ButtonGlyph::ViewYPlus, QT_TRANSLATE_NOOP("COperationPage", "Y軸正方向"),
         VIEW_Y_PLUS},
        {IDC_VIEW_Y_MINUS, ButtonGlyph::ViewYMinus,
         QT_TRANSLATE_NOOP("COperationPage", "Y軸負方向"), VIEW_Y_MINUS},
        {IDC_VIEW_Z_PLUS, ButtonGlyph::ViewZPlus, QT_TRANSLATE_NOOP("COperationPage", "Z軸正方向"),
         VIEW_Z_PLUS},
        {IDC_VIEW_Z_MINUS, ButtonGlyph::ViewZMinus,
         QT_TRANSLATE_NOOP("COperationPage", "Z軸負方向"), VIEW_Z_MINUS},
    };
    int i = 0;
    for (const auto& p : presets) {
        QPushButton* b =
            IconButton(views, p.id, p.glyph, QCoreApplication::translate("COperationPage", p.tip));
        viewGrid->addWidget(b, i % 2, i / 2);
        const int preset = p.preset;
        connect(b, &QPushButton::clicked, this,
                [this, preset] { Move([preset](CViewState& s) { s.SetViewPreset(preset); }); });
        ++i;
    }
    top->addWidget(views, 0, 1);

    // "視点回転" and "移動": arrows in a cross.
    const struct {
        int id;
        ButtonGlyph glyph;
        int row, column;
        CVector4 step;
    } rotations[] = {
        {IDC_ROTATE_UP, ButtonGlyph::RotateUp, 0, 1, CVector4(kRotationStep, 0, 0)},
        {IDC_ROTATE_DOWN, ButtonGlyph::RotateDown, 2, 1, CVector4(-kRotationStep, 0, 0)},
        {IDC_ROTATE_LEFT, ButtonGlyph::RotateLeft, 1, 0, CVector4(0, kRotationStep, 0)},
        {IDC_ROTATE_RIGHT, ButtonGlyph::RotateRight, 1, 2, CVector4(0, -kRotationStep, 0)},
    };
    auto* rotate = new QGroupBox(QCoreApplication::translate("COperationPage", "視点回転"), this);
    auto* rotateGrid = new QGridLayout(rotate);
    for (const auto& r : rotations) {
        QPushButton* b = IconButton(rotate, r.id, r.glyph);
        rotateGrid->addWidget(b, r.row, r.column);
        const CVector4 step = r.step;
        connect(b, &QPushButton::clicked, this,
                [this, step] { Move([step](CViewState& s) { s.m_camera.Turn(step); }); });
    }
    top->addWidget(rotate, 1, 0);

    const struct {
        int id;
        ButtonGlyph glyph;
        int row, column;
        float dx, dy;
    } moves[] = {
        {IDC_MOVE_LEFT, ButtonGlyph::MoveLeft, 1, 0, -kPanStep, 0},
        {IDC_MOVE_RIGHT, ButtonGlyph::MoveRight, 1, 2, kPanStep, 0},
        {IDC_MOVE_UP, ButtonGlyph::MoveUp, 0, 1, 0, kPanStep},
        {IDC_MOVE_DOWN, ButtonGlyph::MoveDown, 2, 1, 0, -kPanStep},
    };
    auto* move = new QGroupBox(QCoreApplication::translate("COperationPage", "移動"), this);
    auto* moveGrid = new QGridLayout(move);
    for (const auto& m : moves) {
        QPushButton* b = IconButton(move, m.id, m.glyph);
        moveGrid->addWidget(b, m.row, m.column);
        const float dx = m.dx, dy = m.dy;
        connect(b, &QPushButton::clicked, this, [this, dx, dy] {
            Move([dx, dy](CViewState& s) {
                s.m_camera.m_vPan.x += dx;
                s.m_camera.m_vPan.y += dy;
            });
        });
    }
    top->addWidget(move, 1, 1);

    // "Ｚ軸回転": "正" turns by -10, "負" by +10.
    auto* zRotate = new QGroupBox(QCoreApplication::translate("COperationPage", "Ｚ軸回転"), this);
    auto* zRow = new QHBoxLayout(zRotate);
    QPushButton* positive = IconButton(zRotate, IDC_ZROT_POSITIVE, ButtonGlyph::TurnLeft,
                                       QCoreApplication::translate("COperationPage", "正"));
    QPushButton* negative = IconButton(zRotate, IDC_ZROT_NEGATIVE, ButtonGlyph::TurnRight,
                                       QCoreApplication::translate("COperationPage", "負"));
    zRow->addWidget(positive);
    zRow->addWidget(negative);
    zRow->addStretch();
    connect(positive, &QPushButton::clicked, this, [this] {
        Move([](CViewState& s) { s.m_camera.Turn(CVector4(0, 0, -kRotationStep)); });
    });
    connect(negative, &QPushButton::clicked, this, [this] {
        Move([](CViewState& s) { s.m_camera.Turn(CVector4(0, 0, kRotationStep)); });
    });
    top->addWidget(zRotate, 2, 0, 1, 2);

    // "視点の設定"
    auto* typed = new QGroupBox(QCoreApplication::translate("COperationPage", "視点の設定"), this);
    auto* form = new QGridLayout(typed);
    const std::pair<const char*, QLineEdit*> fields[] = {
        {QT_TRANSLATE_NOOP("COperationPage", "水平面回転角度"), m_horizontal},
        {QT_TRANSLATE_NOOP("COperationPage", "垂直面回転角度"), m_vertical},
        {QT_TRANSLATE_NOOP("COperationPage", "Z軸回転角度"), m_z},
        {QT_TRANSLATE_NOOP("COperationPage", "スケール値"), m_scale},
        {QT_TRANSLATE_NOOP("COperationPage", "水平方向移動量"), m_shiftX},
        {QT_TRANSLATE_NOOP("COperationPage", "垂直方向移動量"), m_shiftY},
    };
    int row = 0;
    for (const auto& [label, edit] : fields) {
        form->addWidget(new QLabel(QCoreApplication::translate("COperationPage", label), typed),
                        row, 0);
        form->addWidget(edit, row, 1);
        ++row;
    }
    auto* apply =
        kzv::WithId(new QPushButton(QCoreApplication::translate("COperationPage", "実行"), typed),
                    IDC_SET_APPLY);
    form->addWidget(apply, row, 1, Qt::AlignRight);
    connect(apply, &QPushButton::clicked, this, &COperationPage::OnApply);
    layout->addWidget(typed);
    layout->addStretch();
}

template <typename F>
void COperationPage::Move(F&& change) {
    if (CPageEdit state = EditState()) {
        change(*state);
        state.Touch(ASPECT_CAMERA);
    }
}

void COperationPage::OnApply() {
    if (State() == nullptr) {
        return;
    }
    auto value = [](const QLineEdit* edit) {
        return kzv::ReadDoubleOrZero(edit->text().toStdString());
    };
    bool typed = false;
    {
        auto edit = Owner()->Edit();
        typed = edit->m_camera.SetTypedView(value(m_scale), value(m_horizontal), value(m_vertical),
                                            value(m_z), value(m_shiftX), value(m_shiftY));
        if (typed) {
            edit.Touch(ASPECT_CAMERA);
        }
    }
    if (!typed) {
        KzMessageBox(this,
                     QCoreApplication::translate("COperationPage",
                                                 "0以下のスケールは無効です。再入力してください。"),
                     QString(), KzButtons::Ok, KzIcon::Error);
    }
}

void COperationPage::UpdateFromView() {
    const CViewState* state = State();
    if (state == nullptr) {
        return;
    }
    m_scale->setText(QString::fromStdString(kzv::FormatG(state->m_camera.m_fZoom)));
    m_horizontal->setText(IntText(state->m_camera.m_vAngles.y));
    m_vertical->setText(IntText(state->m_camera.m_vAngles.x));
    m_z->setText(IntText(state->m_camera.m_vAngles.z));
    m_shiftX->setText(IntText(state->m_camera.m_vPan.x));
    m_shiftY->setText(IntText(state->m_camera.m_vPan.y));
}

void COperationPage::OnStateChanged(unsigned aspects) {
    if (aspects & ASPECT_CAMERA) {
        UpdateFromView();
    }
}
