#include "ui/CoordEditDlg.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "field/Picking.h"
#include "field/SurfaceValues.h"
#include "state/ViewState.h"
#include "text/NumberFormat.h"
#include "ui/AutoCorrectDlg.h"
#include "ui/ControlId.h"
#include "ui/MessageBox.h"

using kzv::WithId;

namespace {
const char* const kMsgCorrectionFailed =
    QT_TRANSLATE_NOOP("CCoordEditDlg", "自動補正に失敗しました。手動で設定し直してください。");
}  // namespace

CCoordEditDlg::CCoordEditDlg(const CViewState& state, const CArbitraryPoint& record,
                             const std::array<double, 3>& origin, QWidget* parent)
    : QDialog(parent),
      m_state(state),
      m_record(record),
      m_origin(origin),
      m_nRefPanel(record.panel >= 0 ? record.panel : state.m_data.FindPanelContaining(record.pos)) {
    setProperty("resourceId", static_cast<int>(IDD));
    setWindowTitle(QCoreApplication::translate("CCoordEditDlg", "座標値の編集"));

    // The numbers the list shows: "%g" of the position minus the origin.
    const double xyz[3] = {record.pos.x, record.pos.y, record.pos.z};
    auto* form = new QFormLayout;
    const char* const labels[3] = {"X", "Y", "Z"};
    for (int i = 0; i < 3; ++i) {
        m_edits[i] = WithId(new QLineEdit(this), IDC_X + i);
        m_edits[i]->setText(QString::fromStdString(kzv::FormatG(xyz[i] - m_origin[i])));
        form->addRow(QString::fromLatin1(labels[i]), m_edits[i]);
    }
    auto* ok = WithId(new QPushButton(QStringLiteral("OK"), this), IDC_OK);
    auto* cancel = WithId(
        new QPushButton(QCoreApplication::translate("CCoordEditDlg", "ｷｬﾝｾﾙ"), this), IDC_CANCEL);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CCoordEditDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

QLineEdit* CCoordEditDlg::Edit(int id) const {
    return id >= IDC_X && id <= IDC_Z ? m_edits[id - IDC_X] : nullptr;
}

bool CCoordEditDlg::Accepted(int found) const {
    const int panels[2] = {m_nRefPanel, found};
    return SameSurface(m_state.m_data, panels);
}

void CCoordEditDlg::OnOK() {
    float xyz[3];
    for (int i = 0; i < 3; ++i) {
        xyz[i] = static_cast<float>(kzv::ReadDoubleOrZero(m_edits[i]->text().toStdString()) +
                                    m_origin[i]);
    }
    CVector4 p(xyz[0], xyz[1], xyz[2]);
    m_nFoundPanel = PanelHolding(m_state.m_data, m_nRefPanel, p);
    if (!Accepted(m_nFoundPanel)) {
        CAutoCorrectDlg offer(this);
        if (offer.exec() == CAutoCorrectDlg::IDC_BY_HAND) {
            return;  // the typed numbers stay for the user to change
        }
        p = CorrectOntoPanel(m_state.m_data, m_nRefPanel, p);
        m_nFoundPanel = PanelHolding(m_state.m_data, m_nRefPanel, p);
        if (!Accepted(m_nFoundPanel)) {
            KzMessageBox(this, QCoreApplication::translate("CCoordEditDlg", kMsgCorrectionFailed));
            return;
        }
    }
    m_record.pos = p;
    m_record.panel = m_nFoundPanel;
    ComputeAllDirections(m_state.m_data, m_state.m_settings.m_nValueMethod, m_nFoundPanel, p,
                         m_record.values);
    accept();
}
