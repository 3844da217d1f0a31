#pragma once

#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "field/PolarLayout.h"

class QMenu;

// One line of the polar diagram: its name in the legend (a tap's number or an arbitrary point)
// and its values per direction, with the band around them when both band vectors are given.
struct CPolarSeries {
    QString name;
    CPolarSeriesInput input;
};

// The polar diagram of a few points' values over every wind direction, drawn with the painter:
// the radial axis with its round ticks and the zero circle drawn stronger, a spoke per direction
// with its angle, one coloured line per point (a lighter band around it where one is given), the
// current direction marked, a legend with each point's value there, and a title line. Laid out
// by MakePolarLayout, so north is up and the diagram turns with the building as the compass does.
//
// A left click near a spoke chooses its direction (DirectionChosen); resting the mouse shows
// the direction, its angle, each line's value there and the value of the radius under the
// mouse. Its context menu saves the picture as PNG and copies the numbers as CSV text.
class CPolarDiagram : public QWidget {
    Q_OBJECT
public:
    // Lines drawn at most; the colours are SeriesColor(0 .. kMaxSeries - 1).
    static constexpr int kMaxSeries = 6;

    explicit CPolarDiagram(QWidget* parent = nullptr);

    // The lines, in legend order; those beyond kMaxSeries are left out, and the legend says how
    // many were, with leftOut more that the caller did not pass.
    void SetSeries(std::vector<CPolarSeries> series, int leftOut = 0);
    // The direction count (0: nothing to draw but the message), the building angle and the
    // direction marked.
    void SetDirections(int count, double buildingAngle, int current);
    // The line above the diagram (the data set), and the message in the middle when there is
    // no line to draw.
    void SetTitle(const QString& title);
    void SetMessage(const QString& message);
    // Where the file prompt of the PNG save starts.
    void SetPromptFolder(const QString& folder) { m_strPromptFolder = folder; }

    static QColor SeriesColor(int index);
    const CPolarLayout& Layout() const { return m_layout; }
    int SeriesCount() const { return static_cast<int>(m_layout.series.size()); }
    int CurrentDirection() const { return m_nCurrent; }
    QMenu* ContextMenu() const { return m_menu; }

    // The widget point of a value on a direction's spoke.
    QPointF PointOf(int direction, double value) const;
    // What the tooltip says at a widget point; empty away from the diagram.
    QString HoverText(QPointF at) const;
    // The picture at size (logical pixels) drawn scale times as dense.
    QImage Render(QSize size, qreal scale) const;
    // The lines' numbers as CSV text (UTF-8, CR LF).
    std::string CsvText() const;

    // The context menu's commands: the file prompt, then the picture written so that a
    // failure keeps the old file (said in a message box); the CSV text to the clipboard.
    void OnSaveImage();
    void OnCopyNumbers();
    // The saved picture's size in logical pixels: the widget's width (at least 400), and the
    // height of the title, the circle and the legend at that width.
    QSize ImageSize() const;
    // The PNG file of the picture at ImageSize drawn twice as dense; false with *error saying
    // why.
    bool SavePng(const std::string& path, std::string* error) const;

signals:
    void DirectionChosen(int direction);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Where the parts go in a picture of a size: the circle's centre and radius in pixels, the
    // legend's rows and the title's line.
    struct CPlacement {
        QPointF centre;
        double radius = 0.0;
        QRectF title;
        QRectF legend;
        int labelEvery = 1;  // a spoke label on every so many directions
    };
    CPlacement Place(QSize size) const;
    void Paint(QPainter& painter, QSize size) const;
    void Relayout();
    // The direction a click at a widget point chooses; -1 away from the spokes.
    int DirectionAt(QPointF at) const;
    // The legend's entries: the lines' names with their value at the current direction, and
    // the count of lines left out.
    std::vector<QString> LegendTexts() const;

    std::vector<CPolarSeries> m_series;  // the lines drawn
    int m_nLeftOut = 0;
    int m_nCount = 0;
    double m_dBuildingAngle = 0.0;
    int m_nCurrent = 0;
    QString m_strTitle;
    QString m_strMessage;
    QString m_strPromptFolder;
    CPolarLayout m_layout;
    QMenu* m_menu;
    bool m_bPressed = false;
};
