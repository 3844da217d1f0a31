#include "panels/AgreementDlg.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "dataset/DataSetLoad.h"
#include "field/ShownValues.h"
#include "state/Comparing.h"
#include "state/StateOwner.h"
#include "text/NumberFormat.h"
#include "ui/ControlId.h"

namespace {

const char* const kColumns[] = {QT_TRANSLATE_NOOP("CAgreementDlg", "風向"),
                                QT_TRANSLATE_NOOP("CAgreementDlg", "範囲"),
                                QT_TRANSLATE_NOOP("CAgreementDlg", "測定点数"),
                                QT_TRANSLATE_NOOP("CAgreementDlg", "平均差"),
                                QT_TRANSLATE_NOOP("CAgreementDlg", "RMS差"),
                                QT_TRANSLATE_NOOP("CAgreementDlg", "最大の差"),
                                QT_TRANSLATE_NOOP("CAgreementDlg", "その測定点"),
                                QT_TRANSLATE_NOOP("CAgreementDlg", "その風向"),
                                QT_TRANSLATE_NOOP("CAgreementDlg", "相関係数")};

QString Number(double v) {
    return QString::fromStdString(kzv::FormatG(v));
}

}  // namespace

CAgreementDlg::CAgreementDlg(CStateOwner& owner, QWidget* parent)
    : QDialog(parent),
      m_owner(owner),
      m_matching(kzv::WithId(new QLabel(this), IDC_MATCHING)),
      m_tolerance(kzv::WithId(new QDoubleSpinBox(this), IDC_TOLERANCE)),
      m_table(kzv::WithId(new QTableWidget(this), IDC_AGREEMENT_TABLE)) {
    setProperty("resourceId", 170);
    setWindowTitle(QCoreApplication::translate("CAgreementDlg", "一致度"));
    m_matching->setWordWrap(true);
    m_matching->setTextFormat(Qt::PlainText);
    m_tolerance->setRange(0.1, 1.0e6);
    m_tolerance->setDecimals(1);
    m_tolerance->setValue(DEFAULT_MATCH_TOLERANCE_MM);
    m_tolerance->setSuffix(QStringLiteral(" mm"));
    auto* rematch = kzv::WithId(
        new QPushButton(QCoreApplication::translate("CAgreementDlg", "照合し直す"), this),
        IDC_REMATCH);
    auto* copy = kzv::WithId(
        new QPushButton(QCoreApplication::translate("CAgreementDlg", "CSVでコピー"), this),
        IDC_COPY);
    auto* close = new QPushButton(QCoreApplication::translate("CAgreementDlg", "閉じる"), this);

    m_table->setColumnCount(static_cast<int>(std::size(kColumns)));
    QStringList headings;
    for (const char* heading : kColumns) {
        headings << QCoreApplication::translate("CAgreementDlg", heading);
    }
    m_table->setHorizontalHeaderLabels(headings);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* tolerance = new QHBoxLayout;
    tolerance->addWidget(new QLabel(
        QCoreApplication::translate("CAgreementDlg", "位置で照合するときの許容差"), this));
    tolerance->addWidget(m_tolerance);
    tolerance->addWidget(rematch);
    tolerance->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_matching);
    layout->addLayout(tolerance);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    resize(760, 320);

    connect(rematch, &QPushButton::clicked, this, &CAgreementDlg::Rematch);
    connect(copy, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(CsvText()); });
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    m_nListener = m_owner.AddListener([this](unsigned aspects) {
        if (aspects & (ASPECT_REFERENCE | ASPECT_DIRECTION | ASPECT_DATASET)) {
            Refresh();
        }
    });
    Refresh();
}

CAgreementDlg::~CAgreementDlg() {
    m_owner.RemoveListener(m_nListener);
}

QString CAgreementDlg::CsvText() const {
    const CViewState& state = m_owner.State();
    if (!IsComparing(state)) {
        return QString();
    }
    return QString::fromStdString(MakeAgreementCsv(
        AgreementTables(state), state.m_comparison, DataSetName(state.m_data.m_strDataFolder),
        DataSetName(state.m_reference.m_strDataFolder), FaceName));
}

void CAgreementDlg::Rematch() {
    if (IsComparing(m_owner.State())) {
        RematchComparison(*m_owner.Edit(ASPECT_COMPARISON), m_tolerance->value());
    }
}

void CAgreementDlg::Refresh() {
    const CViewState& state = m_owner.State();
    m_table->setRowCount(0);
    if (!IsComparing(state)) {
        m_matching->setText(
            QCoreApplication::translate("CAgreementDlg", "比較データはありません。"));
        return;
    }
    const CTapMatching& matching = state.m_comparison.matching;
    m_matching->setText(
        QCoreApplication::translate(
            "CAgreementDlg",
            "表示データ %1 − 比較データ %2: %3で照合、%4 点が対応 (対応しない測定点 %5 点)")
            .arg(QString::fromStdString(DataSetName(state.m_data.m_strDataFolder)),
                 QString::fromStdString(DataSetName(state.m_reference.m_strDataFolder)),
                 matching.mode == CTapMatchMode::ByPosition
                     ? QCoreApplication::translate("CAgreementDlg", "位置 (許容差 %1 mm)")
                           .arg(Number(matching.tolerance))
                     : QCoreApplication::translate("CAgreementDlg", "測定点番号"))
            .arg(matching.MatchedCount())
            .arg(static_cast<int>(matching.unmatched.size())));
    const int count = state.m_data.m_cp.m_nDirectionCount;
    for (const CAgreementTable& table : AgreementTables(state)) {
        const QString direction =
            table.direction < 0 ? QCoreApplication::translate("CAgreementDlg", "全風向")
                                : QString::fromStdString(DirectionText(count, table.direction));
        auto addRow = [&](const QString& range, const CAgreement& a) {
            const int row = m_table->rowCount();
            m_table->insertRow(row);
            const QString cells[] = {
                direction,
                range,
                QString::number(a.taps),
                a.values > 0 ? Number(a.meanDifference) : QString(),
                a.values > 0 ? Number(a.rmsDifference) : QString(),
                a.values > 0 ? Number(a.largestDifference) : QString(),
                a.values > 0 ? QString::number(a.largestTapNo) : QString(),
                QString::fromStdString(DirectionText(count, a.largestDirection)),
                a.hasCorrelation ? Number(a.correlation) : QString()};
            for (int c = 0; c < static_cast<int>(std::size(cells)); ++c) {
                m_table->setItem(row, c, new QTableWidgetItem(cells[c]));
            }
        };
        for (const CFaceAgreement& face : table.faces) {
            addRow(QCoreApplication::translate("CAgreementDlg", "面 %1").arg(face.face + 1),
                   face.figures);
        }
        addRow(QCoreApplication::translate("CAgreementDlg", "建物全体"), table.building);
    }
}
