#include "panels/PolarDiagram.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "dataset/CpFile.h"
#include "io/AtomicFile.h"
#include "text/NumberFormat.h"
#include "ui/FilePrompt.h"
#include "ui/MessageBox.h"

namespace {

// Colours that stay apart from each other, from the grid's greys and from the mark.
const QColor kSeriesColors[CPolarDiagram::kMaxSeries] = {
    QColor(0, 90, 200),  QColor(215, 30, 30),  QColor(0, 145, 60),
    QColor(230, 120, 0), QColor(140, 50, 170), QColor(110, 75, 30),
};
const QColor kSpokeColor(210, 210, 210);
const QColor kTickColor(185, 185, 185);
const QColor kZeroColor(40, 40, 40);
const QColor kLabelColor(90, 90, 90);
// The current direction: a broad translucent yellow stroke under the lines.
const QColor kMarkColor(255, 190, 0, 150);
constexpr double kMarkWidth = 8.0;
// Clicks and the tooltip answer from the centre out to the spoke labels.
constexpr double kInnermostHit = 0.05;
constexpr double kOutermostHit = 1.15;
// The saved picture is at least this large (logical pixels) and drawn twice as dense.
constexpr int kMinImageSide = 400;
constexpr qreal kImageScale = 2.0;

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

QString ValueText(double value) {
    return IsPolarValue(value) ? FromUtf8(kzv::FormatG(value))
                               : QCoreApplication::translate("CPolarDiagram", "値なし");
}

double ValueOf(const std::vector<double>& values, int direction) {
    return direction >= 0 && static_cast<size_t>(direction) < values.size()
               ? values[static_cast<size_t>(direction)]
               : NO_VALUE;
}

// The widest spoke label, the margin the labels need outside the circle.
double WidestLabel(const CPolarLayout& layout, const QFontMetricsF& metrics) {
    double widest = metrics.horizontalAdvance(QStringLiteral("000"));
    for (const CPolarSpoke& spoke : layout.spokes) {
        widest = std::max(widest, metrics.horizontalAdvance(FromUtf8(spoke.label)));
    }
    return widest;
}

}  // namespace

CPolarDiagram::CPolarDiagram(QWidget* parent) : QWidget(parent), m_menu(new QMenu(this)) {
    setMinimumSize(120, 120);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QAction* save =
        m_menu->addAction(QCoreApplication::translate("CPolarDiagram", "画像の保存（PNG）..."));
    QAction* copy =
        m_menu->addAction(QCoreApplication::translate("CPolarDiagram", "数値のコピー（CSV）"));
    connect(save, &QAction::triggered, this, &CPolarDiagram::OnSaveImage);
    connect(copy, &QAction::triggered, this, &CPolarDiagram::OnCopyNumbers);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_menu->popup(mapToGlobal(at)); });
    Relayout();
}

QColor CPolarDiagram::SeriesColor(int index) {
    return kSeriesColors[static_cast<size_t>(std::clamp(index, 0, kMaxSeries - 1))];
}

void CPolarDiagram::SetSeries(std::vector<CPolarSeries> series, int leftOut) {
    m_nLeftOut = std::max(0, static_cast<int>(series.size()) - kMaxSeries) + std::max(0, leftOut);
    series.resize(std::min<size_t>(series.size(), kMaxSeries));
    m_series = std::move(series);
    Relayout();
}

void CPolarDiagram::SetDirections(int count, double buildingAngle, int current) {
    m_nCount = std::max(0, count);
    m_dBuildingAngle = buildingAngle;
    m_nCurrent = current;
    Relayout();
}

void CPolarDiagram::SetTitle(const QString& title) {
    m_strTitle = title;
    update();
}

void CPolarDiagram::SetMessage(const QString& message) {
    m_strMessage = message;
    update();
}

void CPolarDiagram::Relayout() {
    std::vector<CPolarSeriesInput> inputs;
    for (const CPolarSeries& s : m_series) {
        inputs.push_back(s.input);
    }
    m_layout = MakePolarLayout(inputs, m_nCount, m_dBuildingAngle);
    for (QAction* action : m_menu->actions()) {
        action->setEnabled(m_nCount > 0 && !m_series.empty());
    }
    update();
}

std::vector<QString> CPolarDiagram::LegendTexts() const {
    std::vector<QString> texts;
    for (const CPolarSeries& s : m_series) {
        texts.push_back(s.name + QStringLiteral("  ") +
                        ValueText(ValueOf(s.input.values, m_nCurrent)));
    }
    if (m_nLeftOut > 0) {
        texts.push_back(QCoreApplication::translate("CPolarDiagram", "ほか %1 点（%2 点まで表示）")
                            .arg(m_nLeftOut)
                            .arg(kMaxSeries));
    }
    return texts;
}

CPolarDiagram::CPlacement CPolarDiagram::Place(QSize size) const {
    const QFontMetricsF metrics(font());
    const double line = metrics.height();
    const double w = size.width(), h = size.height();
    CPlacement place;
    place.title = QRectF(6, 4, std::max(0.0, w - 12), m_strTitle.isEmpty() ? 0.0 : line);

    // The legend: entries side by side, wrapping to as many rows as they need.
    const std::vector<QString> texts = LegendTexts();
    int rows = 0;
    double x = w;
    for (size_t k = 0; k < texts.size(); ++k) {
        const double entry =
            (k < m_series.size() ? 26.0 : 0.0) + metrics.horizontalAdvance(texts[k]) + 16.0;
        if (x + entry > w - 6 && x > 6) {
            ++rows;
            x = 6;
        }
        x += entry;
    }
    const double legendHeight = rows > 0 ? rows * (line + 4) + 8 : 0.0;

    // The circle in a square below the title, with room for the spoke labels around it, and
    // the legend right below the square.
    const double top = place.title.bottom() + 2;
    const double side = std::max(0.0, std::min(w, h - top - legendHeight));
    const double widest = WidestLabel(m_layout, metrics);
    const double margin = std::max(widest, line) + 8;
    place.radius = std::max(10.0, side / 2 - margin);
    place.centre = QPointF(w / 2, top + side / 2);
    place.legend = QRectF(6, top + side, std::max(0.0, w - 12), legendHeight);

    // Labels on every spoke while they fit side by side round the circle, else on every
    // second, fourth, ... (the current direction's always).
    const int n = std::max(1, m_layout.directionCount);
    const double room = 2 * M_PI * place.radius / n;
    while (place.labelEvery < n && room * place.labelEvery < widest + 8) {
        place.labelEvery *= 2;
    }
    return place;
}

QPointF CPolarDiagram::PointOf(int direction, double value) const {
    const CPlacement place = Place(size());
    const CPolarXY p = m_layout.PointOf(direction, value);
    return place.centre + QPointF(p.x, p.y) * place.radius;
}

int CPolarDiagram::DirectionAt(QPointF at) const {
    if (m_layout.directionCount <= 0) {
        return -1;
    }
    const CPlacement place = Place(size());
    const QPointF unit = (at - place.centre) / place.radius;
    const double r = std::hypot(unit.x(), unit.y());
    if (r < kInnermostHit || r > kOutermostHit) {
        return -1;
    }
    return PolarDirectionAt(m_layout, unit.x(), unit.y());
}

QString CPolarDiagram::HoverText(QPointF at) const {
    const int d = DirectionAt(at);
    if (d < 0) {
        return QString();
    }
    const CPlacement place = Place(size());
    const QPointF unit = (at - place.centre) / place.radius;
    QString text = QCoreApplication::translate("CPolarDiagram", "風向 %1 / %2（%3°）")
                       .arg(d + 1)
                       .arg(m_layout.directionCount)
                       .arg(FromUtf8(m_layout.spokes[static_cast<size_t>(d)].label));
    for (const CPolarSeries& s : m_series) {
        text += QStringLiteral("\n%1: %2").arg(s.name, ValueText(ValueOf(s.input.values, d)));
    }
    // The radius's value to a tenth of the tick step.
    const double value = m_layout.ValueAt(std::hypot(unit.x(), unit.y()));
    const int decimals =
        std::max(0, 1 - static_cast<int>(std::floor(std::log10(m_layout.tickStep))));
    text += QCoreApplication::translate("CPolarDiagram", "\nカーソル位置の値: %1")
                .arg(value + 0.0, 0, 'f', decimals);
    return text;
}

void CPolarDiagram::Paint(QPainter& p, QSize size) const {
    p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(font());
    const QFontMetricsF metrics(font());
    const CPlacement place = Place(size);
    const QPointF c = place.centre;
    const double R = place.radius;
    const auto at = [&](double x, double y) { return c + QPointF(x, y) * R; };

    if (!m_strTitle.isEmpty()) {
        p.setPen(Qt::black);
        p.drawText(place.title, Qt::AlignLeft | Qt::AlignVCenter, m_strTitle);
    }
    if (m_layout.directionCount <= 0) {
        p.setPen(kLabelColor);
        p.drawText(QRectF(QPointF(0, 0), QSizeF(size)), Qt::AlignCenter | Qt::TextWordWrap,
                   m_strMessage);
        return;
    }

    // Spokes from the innermost circle out, then the tick circles, zero the strongest.
    p.setPen(QPen(kSpokeColor, 1));
    for (const CPolarSpoke& spoke : m_layout.spokes) {
        p.drawLine(at(spoke.x * POLAR_INNER_RADIUS, spoke.y * POLAR_INNER_RADIUS),
                   at(spoke.x, spoke.y));
    }
    p.setBrush(Qt::NoBrush);
    for (const CPolarTick& tick : m_layout.ticks) {
        p.setPen(tick.zero ? QPen(kZeroColor, 1.8) : QPen(kTickColor, 1));
        p.drawEllipse(c, tick.radius * R, tick.radius * R);
    }

    // The tick values along a ray half-way between two spokes near the top, so that they
    // stand clear of the spokes; under the lines, which matter more.
    const double step = 360.0 / m_layout.directionCount;
    const double nearTop = std::round((180.0 - m_layout.buildingAngle) / step) * step;
    const CPolarXY ray = PolarUnitVector(m_layout.buildingAngle + nearTop + step / 2);
    for (const CPolarTick& tick : m_layout.ticks) {
        const QString label = FromUtf8(tick.label);
        const QPointF anchor = at(ray.x * tick.radius, ray.y * tick.radius);
        QRectF box(anchor.x() + 2, anchor.y() - metrics.height() - 1,
                   metrics.horizontalAdvance(label) + 2, metrics.height());
        p.fillRect(box, QColor(255, 255, 255, 190));
        QFont font = p.font();
        font.setBold(tick.zero);
        p.setFont(font);
        p.setPen(tick.zero ? kZeroColor : kLabelColor);
        p.drawText(box, Qt::AlignCenter, label);
    }

    // The current direction under everything that follows.
    const bool hasCurrent = m_nCurrent >= 0 && m_nCurrent < m_layout.directionCount;
    if (hasCurrent) {
        const CPolarSpoke& spoke = m_layout.spokes[static_cast<size_t>(m_nCurrent)];
        p.setPen(QPen(kMarkColor, kMarkWidth, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c, at(spoke.x, spoke.y));
    }

    // Bands, lighter, then the lines with a dot on every value.
    for (size_t k = 0; k < m_layout.series.size(); ++k) {
        const CPolarSeriesLayout& s = m_layout.series[k];
        if (s.band.empty()) {
            continue;
        }
        QColor fill = SeriesColor(static_cast<int>(k));
        fill.setAlpha(55);
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        for (const std::vector<CPolarXY>& polygon : s.band) {
            QPolygonF shape;
            for (const CPolarXY& q : polygon) {
                shape << at(q.x, q.y);
            }
            path.addPolygon(shape);
            path.closeSubpath();
        }
        p.fillPath(path, fill);
    }
    for (size_t k = 0; k < m_layout.series.size(); ++k) {
        const QColor colour = SeriesColor(static_cast<int>(k));
        p.setPen(QPen(colour, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        for (const CPolarSegment& segment : m_layout.series[k].segments) {
            QPolygonF line;
            for (const CPolarPoint& q : segment.points) {
                line << at(q.x, q.y);
            }
            if (line.size() > 1) {
                p.drawPolyline(line);
            }
        }
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        for (const CPolarPoint& q : m_layout.series[k].points) {
            p.drawEllipse(at(q.x, q.y), 2.5, 2.5);
        }
        // The value at the current direction, ringed.
        for (const CPolarPoint& q : m_layout.series[k].points) {
            if (q.direction == m_nCurrent) {
                p.setPen(QPen(Qt::black, 1.2));
                p.drawEllipse(at(q.x, q.y), 4.5, 4.5);
            }
        }
    }

    // The spoke labels outside the circle, the current one bold.
    for (const CPolarSpoke& spoke : m_layout.spokes) {
        const bool current = hasCurrent && spoke.direction == m_nCurrent;
        if (!current && spoke.direction % place.labelEvery != 0) {
            continue;
        }
        QFont font = this->font();
        font.setBold(current);
        p.setFont(font);
        const QFontMetricsF fm(font);
        const QString label = FromUtf8(spoke.label);
        const double w = fm.horizontalAdvance(label), h = fm.height();
        const double out = 5 + std::abs(spoke.x) * w / 2 + std::abs(spoke.y) * h / 2;
        const QPointF centre = at(spoke.x, spoke.y) + QPointF(spoke.x, spoke.y) * out;
        p.setPen(current ? Qt::black : kLabelColor);
        p.drawText(QRectF(centre.x() - w / 2 - 1, centre.y() - h / 2, w + 2, h), Qt::AlignCenter,
                   label);
    }
    p.setFont(font());

    if (m_series.empty() && !m_strMessage.isEmpty()) {
        const QRectF box(c.x() - R, c.y() - metrics.height() * 1.5, 2 * R, metrics.height() * 3);
        p.fillRect(box.adjusted(R * 0.2, 0, -R * 0.2, 0), QColor(255, 255, 255, 210));
        p.setPen(Qt::black);
        p.drawText(box.adjusted(R * 0.2, 0, -R * 0.2, 0), Qt::AlignCenter | Qt::TextWordWrap,
                   m_strMessage);
    }

    // The legend: a piece of each line and its name with its value at the current direction.
    const std::vector<QString> texts = LegendTexts();
    double x = place.legend.right(), y = place.legend.top() + 4 - (metrics.height() + 4);
    for (size_t k = 0; k < texts.size(); ++k) {
        const bool line = k < m_series.size();
        const double entry = (line ? 26.0 : 0.0) + metrics.horizontalAdvance(texts[k]) + 16.0;
        if (x + entry > place.legend.right() && x > place.legend.left()) {
            x = place.legend.left();
            y += metrics.height() + 4;
        }
        const double mid = y + metrics.height() / 2;
        if (line) {
            const QColor colour = SeriesColor(static_cast<int>(k));
            p.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(x, mid), QPointF(x + 20, mid));
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawEllipse(QPointF(x + 10, mid), 2.5, 2.5);
            x += 26;
        }
        p.setPen(Qt::black);
        p.drawText(QPointF(x, y + metrics.ascent()), texts[k]);
        x += metrics.horizontalAdvance(texts[k]) + 16;
    }
}

void CPolarDiagram::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Paint(p, size());
}

QImage CPolarDiagram::Render(QSize size, qreal scale) const {
    QImage image(size * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    QPainter p(&image);
    Paint(p, size);
    p.end();
    return image;
}

std::string CPolarDiagram::CsvText() const {
    std::vector<std::string> names;
    std::vector<CPolarSeriesInput> inputs;
    for (const CPolarSeries& s : m_series) {
        names.push_back(s.name.toStdString());
        inputs.push_back(s.input);
    }
    return MakePolarCsv(names, inputs, m_layout.directionCount);
}

QSize CPolarDiagram::ImageSize() const {
    // As wide as the widget, the circle as wide as that, and no empty space below the legend
    // (a docked bar is usually much taller than wide).
    const int width = std::max(this->width(), kMinImageSide);
    const CPlacement place = Place(QSize(width, 1 << 20));
    return QSize(width, static_cast<int>(std::ceil(place.legend.bottom())) + 6);
}

bool CPolarDiagram::SavePng(const std::string& path, std::string* error) const {
    const QImage image = Render(ImageSize(), kImageScale);
    QByteArray png;
    QBuffer buffer(&png);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        if (error != nullptr) {
            *error = QCoreApplication::translate("CPolarDiagram",
                                                 "画像を作れませんでした（メモリ不足です）。")
                         .toStdString();
        }
        return false;
    }
    return kzv::WriteFileAtomically(path, std::string_view(png.constData(), png.size()), error);
}

void CPolarDiagram::OnSaveImage() {
    if (m_layout.directionCount <= 0 || m_series.empty()) {
        return;
    }
    const std::string path =
        KzPromptFile(this, false, KzFileFilter(QStringLiteral("PNG Files"), QStringLiteral("png")),
                     QStringLiteral("png"),
                     QCoreApplication::translate("CPolarDiagram", "風向特性"), m_strPromptFolder);
    if (path.empty()) {
        return;
    }
    std::string error;
    if (!SavePng(path, &error)) {
        KzMessageBox(
            this,
            QCoreApplication::translate("CPolarDiagram", "ファイル %1 に書き込めませんでした。\n%2")
                .arg(QString::fromStdString(path), KzCoreText(error)),
            QString(), KzButtons::Ok, KzIcon::Error);
    }
}

void CPolarDiagram::OnCopyNumbers() {
    if (m_layout.directionCount <= 0 || m_series.empty()) {
        return;
    }
    QGuiApplication::clipboard()->setText(FromUtf8(CsvText()));
}

void CPolarDiagram::mousePressEvent(QMouseEvent* event) {
    m_bPressed = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void CPolarDiagram::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_bPressed && event->button() == Qt::LeftButton;
    m_bPressed = false;
    if (click) {
        const int d = DirectionAt(event->position());
        if (d >= 0) {
            emit DirectionChosen(d);
        }
    }
    QWidget::mouseReleaseEvent(event);
}

bool CPolarDiagram::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = HoverText(help->pos());
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            // The tip goes with the next move, so that the next rest shows that place's values.
            QToolTip::showText(help->globalPos(), text, this,
                               QRect(help->pos() - QPoint(3, 3), QSize(7, 7)));
        }
        return true;
    }
    return QWidget::event(event);
}
