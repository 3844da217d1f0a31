#include "panels/RangeDlg.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <cstdio>

#include "field/Picking.h"
#include "state/ViewState.h"
#include "text/NumberFormat.h"
#include "text/NumberParse.h"
#include "ui/ControlId.h"
#include "ui/MessageBox.h"

using kzv::WithId;

namespace {

const char* const kMsgBadDivisions =
    QT_TRANSLATE_NOOP("CRangeDlg", "この分割数は無効です。再入力してください。");
const char* const kMsgBadCorner =
    QT_TRANSLATE_NOOP("CRangeDlg", "選択点%1は無効です。再入力してください。");
const char* const kMsgManyPoints = QT_TRANSLATE_NOOP(
    "CRangeDlg", "%1 個のデータ表示点を作成します。時間とメモリを多く使います。よろしいですか？");

QString Fixed2(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
    return QString::fromLatin1(text);
}

// Whether a grid of this many points asks first. Every point keeps a value per direction, so
// the memory and time a grid takes grow with points x directions: the question comes at
// 100 000 points of 8-direction data, at proportionally fewer points of more directions.
bool GridNeedsAsking(long long points, int directions) {
    return points > MAX_GRID_POINTS_UNASKED ||
           points * std::max(8, directions) > MAX_GRID_POINTS_UNASKED * 8;
}

// Both message kinds of this dialog: error icon, empty caption.
void ShowError(QWidget* parent, const QString& text) {
    KzMessageBox(parent, text, QStringLiteral(""), KzButtons::Ok, KzIcon::Error);
}

}  // namespace

CRangeDlg::CRangeDlg(const CViewState& state, const CRangeRequest& request, QWidget* parent)
    : QDialog(parent), m_state(state), m_request(request) {
    setProperty("resourceId", static_cast<int>(IDD));
    setWindowTitle(QCoreApplication::translate("CRangeDlg", "データ表示点の範囲指定"));

    const char* const labels[8] = {"X1",
                                   "Y1",
                                   "Z1",
                                   "X2",
                                   "Y2",
                                   "Z2",
                                   QT_TRANSLATE_NOOP("CRangeDlg", "P方向"),
                                   QT_TRANSLATE_NOOP("CRangeDlg", "Q方向")};
    for (int i = 0; i < 8; ++i) {
        m_edits[i] = WithId(new QLineEdit(this), IDC_X1 + i);
    }
    auto group = [this, &labels](const char* title, int first, int count) {
        auto* box = new QGroupBox(QCoreApplication::translate("CRangeDlg", title), this);
        auto* grid = new QGridLayout(box);
        for (int i = 0; i < count; ++i) {
            grid->addWidget(
                new QLabel(QCoreApplication::translate("CRangeDlg", labels[first + i]), box), i, 0);
            grid->addWidget(m_edits[first + i], i, 1);
        }
        return box;
    };

    // The corners as "%.2f"; the two edits of the constant axis cannot change. A rectangle
    // on a sloped face has none: all six can, and an edited corner must stay on the face.
    for (int k = 0; k < 2; ++k) {
        const CVector4& c = m_request.corner[k];
        const float xyz[3] = {c.x, c.y, c.z};
        for (int axis = 0; axis < 3; ++axis) {
            QLineEdit* edit = m_edits[3 * k + axis];
            edit->setText(Fixed2(xyz[axis]));
            edit->setEnabled(axis != m_request.orientation);
        }
    }
    m_edits[6]->setText(QStringLiteral("1"));
    m_edits[7]->setText(QStringLiteral("1"));

    auto* divide = WithId(
        new QPushButton(QCoreApplication::translate("CRangeDlg", "分割実行"), this), IDC_DIVIDE);
    auto* cancel = WithId(
        new QPushButton(QCoreApplication::translate("CRangeDlg", "キャンセル"), this), IDC_CANCEL);
    divide->setDefault(true);  // Enter anywhere in the dialog divides
    connect(divide, &QPushButton::clicked, this, &CRangeDlg::OnDivide);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* corners = new QHBoxLayout;
    corners->addWidget(group(QT_TRANSLATE_NOOP("CRangeDlg", "選択点１"), 0, 3));
    corners->addWidget(group(QT_TRANSLATE_NOOP("CRangeDlg", "選択点２"), 3, 3));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(divide);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* lower = new QHBoxLayout;
    lower->addWidget(group(QT_TRANSLATE_NOOP("CRangeDlg", "分割数"), 6, 2));
    lower->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(corners);
    layout->addLayout(lower);
}

QLineEdit* CRangeDlg::Edit(int id) const {
    return id >= IDC_X1 && id <= IDC_Q ? m_edits[id - IDC_X1] : nullptr;
}

int CRangeDlg::ReadDivisions(const QLineEdit* edit) {
    // An unsigned whole number and nothing else: "-1" or "2x" are not divisions.
    const QString text = edit->text().trimmed();
    if (text.isEmpty() || text.size() > 10) {
        return 0;
    }
    long long value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return 0;
        }
        value = value * 10 + (c.unicode() - '0');
    }
    return value <= INT_MAX ? static_cast<int>(value) : 0;
}

void CRangeDlg::OnDivide() {
    const int p = ReadDivisions(m_edits[6]);
    const int q = ReadDivisions(m_edits[7]);
    QLineEdit* failing = p < 1 ? m_edits[6] : q < 1 ? m_edits[7] : nullptr;
    // A grid too large to hold is as invalid as a zero.
    if (failing == nullptr && GridPointCount(p, q) > MAX_GRID_POINTS) {
        failing = m_edits[6];
    }
    if (failing != nullptr) {
        ShowError(this, QCoreApplication::translate("CRangeDlg", kMsgBadDivisions));
        failing->setFocus();
        return;
    }

    CVector4 corner[2];
    for (int k = 0; k < 2; ++k) {
        float xyz[3];
        for (int axis = 0; axis < 3; ++axis) {
            xyz[axis] = static_cast<float>(
                kzv::ReadDoubleOrZero(m_edits[3 * k + axis]->text().toStdString()));
        }
        corner[k] = CVector4(xyz[0], xyz[1], xyz[2]);
    }
    for (int k = 0; k < 2; ++k) {
        if (!PointOnSameSurface(m_state.m_data, m_request.panel[k], corner[k])) {
            ShowError(this, QCoreApplication::translate("CRangeDlg", kMsgBadCorner).arg(k + 1));
            return;
        }
    }
    const long long points = GridPointCount(p, q);
    if (GridNeedsAsking(points, m_state.m_data.m_cp.m_nDirectionCount) &&
        KzMessageBox(this, QCoreApplication::translate("CRangeDlg", kMsgManyPoints).arg(points),
                     QString(), KzButtons::YesNo, KzIcon::Question) != KzAnswer::Yes) {
        m_edits[6]->setFocus();
        return;
    }
    m_request.corner[0] = corner[0];
    m_request.corner[1] = corner[1];
    m_request.divisionsP = p;
    m_request.divisionsQ = q;
    accept();
}
