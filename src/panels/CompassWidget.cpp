#include "panels/CompassWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QRegion>

namespace {

// Room around the bitmap for "N", "S", "W" and "E".
constexpr int kMargin = 20;

const QColor kMainBrush(255, 128, 0);
const QColor kSubBrush(0, 128, 128);
const QColor kDragBrush(255, 0, 0);

QPolygon ToQPolygon(const CCompassPolygon& polygon) {
    QPolygon out;
    out.reserve(static_cast<int>(polygon.size()));
    for (const CCompassPoint& p : polygon) {
        out << QPoint(p.x, p.y);
    }
    return out;
}

// text centred on (x, y).
void TextAt(QPainter& p, int x, int y, const QString& text) {
    const QRect box(x - 40, y - 20, 80, 40);
    p.drawText(box, Qt::AlignCenter, text);
}

}  // namespace

CCompassWidget::CCompassWidget(QWidget* parent) : QWidget(parent) {
    setFixedSize(COMPASS_SIZE + 2 * kMargin, COMPASS_SIZE + 2 * kMargin);
}

QPoint CCompassWidget::BitmapOrigin() {
    return QPoint(kMargin, kMargin);
}

void CCompassWidget::SetPlan(std::vector<CCompassPolygon> main, std::vector<CCompassPolygon> sub) {
    m_plan[0] = std::move(main);
    m_plan[1] = std::move(sub);
    m_bTurnedValid = false;
    Redraw();
}

void CCompassWidget::SetAngles(int count, double buildingAngle, int direction) {
    m_nDirCount = count;
    m_dBuildingAngle = buildingAngle;
    m_nDirection = direction;
    if (count == -1) {
        m_bDragging = false;
    }
    Redraw();
}

double CCompassWidget::CurrentWindAngle() const {
    return WindAngle(m_dBuildingAngle, DirectionAngle(m_nDirCount, m_nDirection));
}

const std::vector<CCompassPolygon>& CCompassWidget::Turned(bool main) {
    if (!m_bTurnedValid || m_dTurnedAngle != m_dBuildingAngle) {
        for (int i = 0; i < 2; ++i) {
            m_turned[i].clear();
            for (const CCompassPolygon& polygon : m_plan[i]) {
                m_turned[i].push_back(TurnCompassPolygon(polygon, m_dBuildingAngle));
            }
        }
        m_dTurnedAngle = m_dBuildingAngle;
        m_bTurnedValid = true;
    }
    return m_turned[main ? 0 : 1];
}

void CCompassWidget::Redraw() {
    if (m_nDirCount == -1) {
        m_image = QImage();
        update();
        return;
    }
    // 150 x 150 in the page's units, at the screen's pixel density so it stays sharp there.
    const qreal ratio = devicePixelRatioF();
    m_image = QImage(QSize(COMPASS_SIZE, COMPASS_SIZE) * ratio, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(ratio);
    m_image.fill(palette().color(QPalette::Button));
    QPainter p(&m_image);
    const QPen thin(Qt::black, 1);
    const QPen thick(Qt::black, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);

    // Circle and cross.
    p.setPen(thin);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(0, 0, COMPASS_SIZE - 1, COMPASS_SIZE - 1);
    p.drawLine(0, COMPASS_CENTRE, COMPASS_SIZE - 1, COMPASS_CENTRE);
    p.drawLine(COMPASS_CENTRE, 0, COMPASS_CENTRE, COMPASS_SIZE - 1);

    // The plans, turned with the building; the neighbours, at the main building's scale, may
    // reach farther than the circle and are cut at it.
    p.setClipRegion(QRegion(0, 0, COMPASS_SIZE, COMPASS_SIZE, QRegion::Ellipse));
    for (bool main : {true, false}) {
        p.setBrush(main ? kMainBrush : kSubBrush);
        for (const CCompassPolygon& polygon : Turned(main)) {
            p.drawPolygon(ToQPolygon(polygon));
        }
    }

    p.setClipping(false);

    // Ticks, and on the axes the bearings they stand for when the building is square to them.
    for (const CCompassTick& tick : CompassTicks(m_nDirCount)) {
        p.drawLine(tick.outer.x, tick.outer.y, tick.inner.x, tick.inner.y);
    }
    p.setFont(font());
    p.setBackgroundMode(Qt::TransparentMode);
    const std::vector<std::string> labels = AxisTickLabels(m_dBuildingAngle);
    if (labels.size() == 4) {
        const int in = 24;  // label centres inside the axis ticks
        TextAt(p, COMPASS_CENTRE, in, QString::fromStdString(labels[0]));
        TextAt(p, COMPASS_CENTRE, COMPASS_SIZE - in, QString::fromStdString(labels[1]));
        TextAt(p, in, COMPASS_CENTRE, QString::fromStdString(labels[2]));
        TextAt(p, COMPASS_SIZE - in, COMPASS_CENTRE, QString::fromStdString(labels[3]));
    }

    // The wind arrow in the page's default white, and the arrow being dragged in red.
    p.setPen(thick);
    p.setBrush(Qt::white);
    p.drawPolygon(ToQPolygon(TurnCompassPolygon(WindArrowPolygon(), CurrentWindAngle())));
    if (m_bDragging) {
        p.setBrush(kDragBrush);
        p.drawPolygon(ToQPolygon(TurnCompassPolygon(WindArrowPolygon(), m_dDragAngle)));
    }

    // The four diagonal bearings on the circle.
    p.setPen(Qt::black);
    const int d = static_cast<int>(0.70710678 * COMPASS_RADIUS);
    TextAt(p, COMPASS_CENTRE + d, COMPASS_CENTRE - d, QStringLiteral("NE"));
    TextAt(p, COMPASS_CENTRE - d, COMPASS_CENTRE - d, QStringLiteral("NW"));
    TextAt(p, COMPASS_CENTRE + d, COMPASS_CENTRE + d, QStringLiteral("SE"));
    TextAt(p, COMPASS_CENTRE - d, COMPASS_CENTRE + d, QStringLiteral("SW"));
    p.end();
    update();
}

void CCompassWidget::paintEvent(QPaintEvent*) {
    if (m_image.isNull()) {
        return;  // no data set: the compass area stays empty
    }
    QPainter p(this);
    p.drawImage(BitmapOrigin(), m_image);
    p.setPen(palette().color(QPalette::WindowText));
    const int c = kMargin + COMPASS_CENTRE;
    const int outside = kMargin / 2;
    TextAt(p, c, outside, QStringLiteral("N"));
    TextAt(p, c, height() - outside, QStringLiteral("S"));
    TextAt(p, outside, c, QStringLiteral("W"));
    TextAt(p, width() - outside, c, QStringLiteral("E"));
}

void CCompassWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint() - BitmapOrigin();
    if (m_nDirCount == -1 || event->button() != Qt::LeftButton ||
        !ArrowHit(CurrentWindAngle(), at.x(), at.y())) {
        return;
    }
    // The drag starts at the arrow's own angle, so a click without a move keeps the direction.
    m_bDragging = true;
    m_dDragAngle = CurrentWindAngle();
    Redraw();
}

void CCompassWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!m_bDragging) {
        return;
    }
    const QPointF at = event->position() - QPointF(BitmapOrigin());
    if (DragAngle(at.x(), at.y(), m_dDragAngle)) {
        Redraw();
    }
}

void CCompassWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_bDragging || event->button() != Qt::LeftButton) {
        return;
    }
    const int index = ReleaseDirection(m_nDirCount, m_dDragAngle, m_dBuildingAngle);
    m_bDragging = false;
    m_dDragAngle = 0.0;
    Redraw();
    emit DirectionChosen(index);
}
