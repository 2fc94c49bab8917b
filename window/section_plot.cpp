#include "section_plot.h"

#include <QPainter>
#include <QVarLengthArray>

#include "window/window_colours.h"

SectionPlot::SectionPlot(QWidget* parent) : QFrame(parent)
{
    setObjectName("Picture1");
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    QPalette surface = palette();
    surface.setColor(QPalette::Window, kLightYellow);
    setPalette(surface);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void SectionPlot::draw(const folix::Outline& outline)
{
    outline_ = outline;
    update();
}

QPointF SectionPlot::toSurface(QPointF chordPoint) const
{
    // The border takes its few pixels from the drawing area, as on any framed surface.
    const QRectF area = contentsRect();
    const double across = (chordPoint.x() - kUpperLeft.x()) / (kLowerRight.x() - kUpperLeft.x());
    const double down = (chordPoint.y() - kUpperLeft.y()) / (kLowerRight.y() - kUpperLeft.y());
    return {area.left() + across * area.width(), area.top() + down * area.height()};
}

QSize SectionPlot::sizeHint() const
{
    // 7000 by 2800 twips at 96 dots per inch.
    return {467, 187};
}

int SectionPlot::heightForWidth(int width) const
{
    return qRound(width / kAspect);
}

void SectionPlot::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (!outline_) return;

    QVarLengthArray<QPointF, folix::kOutlineSamples> points;
    for (const folix::OutlinePoint& sample : *outline_) points.append(toSurface({sample.x, sample.y}));

    // The painter's own pen: the surface's foreground colour and width.
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    for (qsizetype i = 1; i < points.size(); ++i) painter.drawLine(points[i - 1], points[i]);
}
