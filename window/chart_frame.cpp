#include "chart_frame.h"

#include <QPainter>

#include "window/chart_scale.h"
#include "window/window_colours.h"

ChartFrame::ChartFrame(const char* name, QWidget* parent) : QFrame(parent)
{
    setObjectName(name);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    QPalette surface = palette();
    surface.setColor(QPalette::Window, kLightYellow);
    setPalette(surface);
    setAutoFillBackground(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ChartFrame::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    paintContents(painter, QRectF(contentsRect()), Surface::Screen);
}

void ChartFrame::paintPicture(QPainter& painter, const QRectF& area) const
{
    painter.fillRect(area, kLightYellow);
    paintContents(painter, area, Surface::Picture);
}

void ChartFrame::paintMessage(QPainter& painter, const QRectF& area, double margin) const
{
    painter.setPen(kMessageInk);
    painter.drawText(area.adjusted(margin, margin, -margin, -margin), Qt::AlignCenter | Qt::TextWordWrap, message_);
}

void paintGridAndTicks(QPainter& painter, const QRect& area, const QRect& frame, const ChartScale& across,
                       const ChartScale& up, const std::vector<double>& acrossTicks,
                       const std::vector<double>& upTicks, int lineHeight, int tickLength)
{
    const int left = frame.left();
    const int right = frame.right();
    const int top = frame.top();
    const int bottom = frame.bottom();
    painter.setPen(QPen(kGridInk, 0));
    for (const double tick : upTicks) painter.drawLine(QPointF(left, up(tick)), QPointF(right, up(tick)));
    for (const double tick : acrossTicks) painter.drawLine(QPointF(across(tick), top), QPointF(across(tick), bottom));
    painter.setPen(QPen(kAxisInk, 0));
    for (const double tick : upTicks) {
        const double y = up(tick);
        painter.drawLine(QPointF(left - tickLength, y), QPointF(left, y));
        painter.drawText(QRectF(area.left(), y - lineHeight / 2.0, left - tickLength - 2 - area.left(), lineHeight),
                         Qt::AlignRight | Qt::AlignVCenter, tickText(tick));
    }
    for (const double tick : acrossTicks) {
        const double x = across(tick);
        painter.drawLine(QPointF(x, bottom), QPointF(x, bottom + tickLength));
        painter.drawText(QRectF(x - 40, bottom + tickLength, 80, lineHeight), Qt::AlignHCenter | Qt::AlignTop,
                         tickText(tick));
    }
}
