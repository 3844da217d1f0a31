#include "panels/CommentDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>

#include "geometry/Color.h"
#include "state/StateOwner.h"
#include "ui/ColorPrompt.h"
#include "ui/ColorSwatch.h"
#include "ui/ControlId.h"

namespace {

const char* const kItemTexts[COMMENT_ITEM_COUNT] = {
    QT_TRANSLATE_NOOP("CCommentDlg", "データ名"),
    QT_TRANSLATE_NOOP("CCommentDlg", "データタイトル"),
    QT_TRANSLATE_NOOP("CCommentDlg", "所属"),
    QT_TRANSLATE_NOOP("CCommentDlg", "計測者"),
    QT_TRANSLATE_NOOP("CCommentDlg", "管理者"),
    QT_TRANSLATE_NOOP("CCommentDlg", "実験概要"),
    QT_TRANSLATE_NOOP("CCommentDlg", "建物形状"),
    QT_TRANSLATE_NOOP("CCommentDlg", "屋根形状"),
    QT_TRANSLATE_NOOP("CCommentDlg", "建物規模"),
    QT_TRANSLATE_NOOP("CCommentDlg", "隣接建物条件")};
const int kSizes[] = {14, 16, 18, 20};

}  // namespace

using kzv::WithId;

CCommentDlg::CCommentDlg(CStateOwner& owner, int clientW, int clientH, QWidget* parent)
    : QDialog(parent), m_owner(owner) {
    setProperty("resourceId", 162);
    setWindowTitle(QCoreApplication::translate("CCommentDlg", "コメント表示"));
    m_copy = owner->m_settings.m_comment;
    const CCommentRecord& record = owner->m_settings.m_comment;

    auto* items = new QGroupBox(QCoreApplication::translate("CCommentDlg", "表示する文字列"), this);
    auto* grid = new QGridLayout(items);
    for (int i = 0; i < COMMENT_ITEM_COUNT; ++i) {
        m_items[i] =
            WithId(new QCheckBox(QCoreApplication::translate("CCommentDlg", kItemTexts[i]), items),
                   IDC_ITEM_FIRST + i);
        m_items[i]->setChecked(record.flags[i] != 0);
        grid->addWidget(m_items[i], i % 5, i / 5);
        connect(m_items[i], &QCheckBox::toggled, this, [this] { Apply(); });
    }

    const int w = clientW;
    const int h = clientH;
    m_position = WithId(new QLineEdit(this), IDC_POSITION);
    m_position->setReadOnly(true);
    auto* corner = WithId(new QLineEdit(QStringLiteral("%1,%2").arg(w).arg(h), this), IDC_CORNER);
    corner->setReadOnly(true);
    m_x = WithId(new QScrollBar(Qt::Horizontal, this), IDC_X);
    m_y = WithId(new QScrollBar(Qt::Vertical, this), IDC_Y);
    m_x->setRange(0, w);
    m_y->setRange(0, h);
    m_x->setValue(static_cast<int>(record.position.x));
    m_y->setValue(static_cast<int>(record.position.y));
    m_x->setPageStep(std::max(1, w / 10));
    m_y->setPageStep(std::max(1, h / 10));
    connect(m_x, &QScrollBar::valueChanged, this, [this] { Apply(); });
    connect(m_y, &QScrollBar::valueChanged, this, [this] { Apply(); });

    m_font = WithId(new QComboBox(this), IDC_FONT);
    m_font->addItems({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ 明朝")});
    m_font->setCurrentIndex(m_font->findText(QString::fromStdString(record.font)));
    m_size = WithId(new QComboBox(this), IDC_SIZE);
    for (int s : kSizes) {
        m_size->addItem(QString::number(s));
    }
    m_size->setCurrentIndex(m_size->findText(QString::number(record.size)));
    connect(m_font, &QComboBox::currentIndexChanged, this, [this] { Apply(); });
    connect(m_size, &QComboBox::currentIndexChanged, this, [this] { Apply(); });

    m_swatch = WithId(new CColorSwatch(this), IDC_COLOUR);
    connect(m_swatch, &CColorSwatch::clicked, this, &CCommentDlg::ChooseColour);

    auto* ok = WithId(new QPushButton(QStringLiteral("OK"), this), IDC_OK);
    auto* cancel = WithId(
        new QPushButton(QCoreApplication::translate("CCommentDlg", "ｷｬﾝｾﾙ"), this), IDC_CANCEL);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* place = new QFormLayout;
    place->addRow(QCoreApplication::translate("CCommentDlg", "現在位置(x,y)"), m_position);
    place->addRow(QCoreApplication::translate("CCommentDlg", "右下座標(x,y)"), corner);
    place->addRow(m_x);
    auto* placeRow = new QHBoxLayout;
    placeRow->addLayout(place, 1);
    placeRow->addWidget(m_y);
    auto* fonts = new QFormLayout;
    fonts->addRow(QCoreApplication::translate("CCommentDlg", "フォント名"), m_font);
    fonts->addRow(QCoreApplication::translate("CCommentDlg", "フォントサイズ"), m_size);
    fonts->addRow(QCoreApplication::translate("CCommentDlg", "文字の色"), m_swatch);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(items);
    layout->addLayout(placeRow);
    layout->addLayout(fonts);
    layout->addLayout(buttons);

    ShowPosition();
    ShowSwatch();
}

void CCommentDlg::ShowPosition() {
    const CVector4& p = m_owner->m_settings.m_comment.position;
    m_position->setText(
        QStringLiteral("(%1,%2)").arg(static_cast<int>(p.x)).arg(static_cast<int>(p.y)));
}

// The record's comment colour in 8-bit channels, as the swatch and the colour dialog show it.
QColor CCommentDlg::CommentColour() const {
    const COLORREF c = VectorToColorRef(m_owner->m_settings.m_comment.colour);
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

void CCommentDlg::ShowSwatch() {
    m_swatch->SetColor(CommentColour());
}

// The controls into the view's record; the text lists are remade when the font changed.
void CCommentDlg::Apply() {
    auto edit = m_owner.Edit(ASPECT_COMMENT);
    CCommentRecord& record = edit->m_settings.m_comment;
    for (int i = 0; i < COMMENT_ITEM_COUNT; ++i) {
        record.flags[i] = m_items[i]->isChecked() ? 1 : 0;
    }
    record.position.x = static_cast<float>(m_x->value());
    record.position.y = static_cast<float>(m_y->value());
    if (m_font->currentIndex() >= 0) {
        record.font = m_font->currentText().toStdString();
    }
    if (m_size->currentIndex() >= 0) {
        record.size = kSizes[m_size->currentIndex()];
    }
    ShowPosition();
}

void CCommentDlg::ChooseColour() {
    const std::optional<QColor> chosen = KzChooseColor(this, CommentColour());
    if (!chosen) {
        return;
    }
    m_owner.Edit(ASPECT_COMMENT)->m_settings.m_comment.colour =
        ColorRefToVector(MakeColorRef(chosen->red(), chosen->green(), chosen->blue()));
    ShowSwatch();
}

void CCommentDlg::accept() {
    // The record already follows the controls; the colour follows the swatch.
    Apply();
    QDialog::accept();
}

void CCommentDlg::reject() {
    m_owner.Edit(ASPECT_COMMENT)->m_settings.m_comment = m_copy;
    QDialog::reject();
}
