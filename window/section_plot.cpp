#include "section_plot.h"

#include <QPainter>
#include <QResizeEvent>
#include <QPolygonF>

#include "window/section_view.h"
#include "window/window_colours.h"

namespace {

// A little over a pixel, so that antialiasing leaves every stretch of the line solid.
constexpr double kPenWidth = 1.4;

folix::ViewBox boxOf(const QRectF& area)
{
    return {area.left(), area.top(), area.width(), area.height()};
}

}  // namespace

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

void SectionPlot::draw(const folix::Outline& outline, const QString& warning)
{
    outline_ = outline;
    warning_ = warning;
    update();
}

QSize SectionPlot::viewSize() const
{
    const folix::ViewBox view = folix::fittedView(boxOf(contentsRect()));
    return QSizeF(view.width, view.height).toSize();
}

void SectionPlot::paintView(QPainter& painter, const QRectF& area) const
{
    painter.fillRect(area, kLightYellow);
    if (!outline_) return;

    const folix::ViewBox view = folix::fittedView(boxOf(area));
    QPolygonF line;
    for (const folix::OutlinePoint& sample : *outline_) {
        const folix::ViewPoint at = folix::placeInView(view, sample.x, sample.y);
        line.append({at.x, at.y});
    }

    painter.save();
    // Whatever lies outside the visible window is not seen.
    painter.setClipRect(QRectF(view.left, view.top, view.width, view.height));
    painter.setRenderHint(QPainter::Antialiasing);
    // Its own ink, not the palette's: a dark desktop palette must not turn it light on the light yellow.
    painter.setPen(QPen(kSectionInk, kPenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(line);
    if (!warning_.isEmpty()) {
        // In the corner above the section, where no outline of ordinary proportions reaches.
        painter.setPen(kMessageInk);
        const QRectF corner(view.left + 6, view.top + 4, view.width - 12, view.height / 3);
        painter.drawText(corner, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, "\u26a0 " + warning_);
    }
    painter.restore();
}

QSize SectionPlot::sizeHint() const
{
    // 7000 by 2800 twips at 96 dots per inch across; up, what the width it has been given asks for.
    return {467, qRound(width() / folix::kViewAspect)};
}

QSize SectionPlot::minimumSizeHint() const
{
    // Below this the section gets too small to judge by eye.
    return {300, 120};
}

void SectionPlot::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    paintView(painter, contentsRect());
}

void SectionPlot::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (event->size().width() != event->oldSize().width()) updateGeometry();
}
