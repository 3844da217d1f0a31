#pragma once

#include <QImage>
#include <QWidget>
#include <vector>

#include "field/Compass.h"

// The direction page's compass: the building's plan (main building orange, neighbours teal)
// turned by the building angle, ticks for the directions and the wind arrow, drawn into a
// 150 x 150 bitmap, with "N", "S", "W" and "E" around it. The user drags the wind arrow by its
// shaft to another direction; the arrow being dragged is red. Shows nothing until it has a
// direction count.
class CCompassWidget : public QWidget {
    Q_OBJECT
public:
    explicit CCompassWidget(QWidget* parent = nullptr);

    // The plan outlines in bitmap pixels, not turned.
    void SetPlan(std::vector<CCompassPolygon> main, std::vector<CCompassPolygon> sub);
    // The direction count (-1: nothing to show), the building angle and the shown direction.
    void SetAngles(int count, double buildingAngle, int direction);

    // The bitmap as last drawn (150 x 150 units at the screen's pixel ratio), and where the
    // widget shows its top-left corner.
    const QImage& Bitmap() const { return m_image; }
    static QPoint BitmapOrigin();
    bool IsDragging() const { return m_bDragging; }

signals:
    // A drag of the arrow ended on the direction index.
    void DirectionChosen(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Draws the bitmap again and repaints.
    void Redraw();
    double CurrentWindAngle() const;
    const std::vector<CCompassPolygon>& Turned(bool main);

    int m_nDirCount = -1;
    double m_dBuildingAngle = 0.0;
    int m_nDirection = 0;
    std::vector<CCompassPolygon> m_plan[2];  // main, sub
    // The plans turned by m_dTurnedAngle, kept while the building angle stays.
    std::vector<CCompassPolygon> m_turned[2];
    double m_dTurnedAngle = 0.0;
    bool m_bTurnedValid = false;

    bool m_bDragging = false;
    double m_dDragAngle = 0.0;
    QImage m_image;
};
