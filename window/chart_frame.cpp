#include "chart_frame.h"

#include <QPainter>

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
