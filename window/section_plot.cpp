#include "section_plot.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPolygonF>
#include <QResizeEvent>

#include "window/section_outline.h"
#include "window/section_view.h"
#include "window/window_colours.h"

namespace {

// A little over a pixel, so that antialiasing leaves every stretch of the line solid.
constexpr double kPenWidth = 1.4;
constexpr double kPinPenWidth = 1.2;
constexpr double kFocusFrameWidth = 2;
constexpr double kLegendSample = 18;
constexpr double kLegendFontShare = 0.9;

folix::ViewBox boxOf(const QRectF& area)
{
    return {area.left(), area.top(), area.width(), area.height()};
}

QPolygonF lineIn(const folix::ViewBox& view, const std::vector<folix::SectionPoint>& outline)
{
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(outline.size()));
    for (const folix::SectionPoint& point : outline) {
        const folix::ViewPoint at = folix::placeInView(view, point.x, point.y);
        line.append({at.x, at.y});
    }
    return line;
}

}  // namespace

SectionPlot::SectionPlot(QWidget* parent) : QFrame(parent)
{
    setObjectName("Picture1");
    setAccessibleName("Section plot");
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    QPalette surface = palette();
    surface.setColor(QPalette::Window, kLightYellow);
    setPalette(surface);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void SectionPlot::draw(std::vector<folix::SectionPoint> outline, const QString& warning)
{
    outline_ = std::move(outline);
    warning_ = warning;
    stale_ = false;
    update();
}

void SectionPlot::draw(const folix::Outline& outline, const QString& warning)
{
    draw(folix::outlineSamples(outline), warning);
}

void SectionPlot::setCrossing(std::optional<double> fromX, const QString& note)
{
    crossFrom_ = fromX;
    crossingNote_ = note;
    update();
}

void SectionPlot::setStale(bool stale)
{
    if (stale == stale_) return;
    stale_ = stale;
    update();
}

void SectionPlot::setPins(std::vector<PlotPin> pins, const QString& shownLabel)
{
    pins_ = std::move(pins);
    shownLabel_ = shownLabel;
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
    const folix::ViewBox view = folix::fittedView(boxOf(area));
    const QRectF viewRect(view.left, view.top, view.width, view.height);

    painter.save();
    // Whatever lies outside the visible window is not seen.
    painter.setClipRect(viewRect);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const PlotPin& pin : pins_) {
        painter.setPen(QPen(pin.ink, kPinPenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolygon(lineIn(view, pin.outline));
    }
    if (outline_) {
        // Its own ink, not the palette's: a dark desktop palette must not turn it light on the light yellow.
        const QColor ink = stale_ ? kStaleInk : kSectionInk;
        painter.setPen(QPen(ink, kPenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(lineIn(view, *outline_));
    }
    if (!warning_.isEmpty()) {
        // In the corner above the section, where no outline of ordinary proportions reaches.
        painter.setPen(kMessageInk);
        const QRectF corner(view.left + 6, view.top + 4, view.width - 12, view.height / 3);
        painter.drawText(corner, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, "\u26a0 " + warning_);
    }
    if (crossFrom_ && outline_) {
        // A dashed line across the chord where the crossing begins, the note beside its foot.
        const folix::ViewPoint top = folix::placeInView(view, *crossFrom_, folix::kViewTop);
        const folix::ViewPoint bottom = folix::placeInView(view, *crossFrom_, folix::kViewBottom);
        painter.setPen(QPen(kMessageInk, 1, Qt::DashLine));
        painter.drawLine(QPointF(top.x, top.y), QPointF(bottom.x, bottom.y));
        // On the side of the line with more room, so that the two never meet.
        const bool left = top.x - view.left > view.width / 2;
        const QRectF room = left ? QRectF(view.left + 6, view.top, top.x - view.left - 12, view.height - 4)
                                 : QRectF(top.x + 6, view.top, view.left + view.width - top.x - 12, view.height - 4);
        painter.drawText(room, (left ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignBottom | Qt::TextWordWrap,
                         "\u26a0 " + crossingNote_);
    }
    if (stale_ && outline_) {
        painter.setPen(kMessageInk);
        const QRectF corner(view.left + 6, view.top + 4, view.width - 12, view.height / 3);
        painter.drawText(corner, Qt::AlignRight | Qt::AlignTop | Qt::TextWordWrap, kStaleNote);
    }
    if (!pins_.empty()) paintLegend(painter, viewRect);
    painter.restore();
}

void SectionPlot::paintLegend(QPainter& painter, const QRectF& view) const
{
    QFont font = painter.font();
    if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * kLegendFontShare);  // else sized in pixels: kept
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const double line = metrics.height();
    std::vector<std::pair<QString, QColor>> entries{{shownLabel_, stale_ ? kStaleInk : kSectionInk}};
    for (const PlotPin& pin : pins_) entries.emplace_back(pin.label, pin.ink);
    double top = view.bottom() - 6 - line * static_cast<double>(entries.size());
    for (const auto& [label, ink] : entries) {
        const double middle = top + line / 2;
        painter.setPen(QPen(ink, 2 * kPinPenWidth, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(view.left() + 8, middle), QPointF(view.left() + 8 + kLegendSample, middle));
        painter.setPen(kAxisInk);
        painter.drawText(QRectF(view.left() + 14 + kLegendSample, top, view.width() / 2, line),
                         Qt::AlignLeft | Qt::AlignVCenter, label);
        top += line;
    }
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
    if (hasFocus()) {
        // On the screen only: never part of a picture.
        const double inset = kFocusFrameWidth / 2;
        painter.setPen(QPen(palette().color(QPalette::Highlight), kFocusFrameWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(contentsRect()).adjusted(inset, inset, -inset, -inset));
    }
}

void SectionPlot::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (event->size().width() != event->oldSize().width()) updateGeometry();
}

void SectionPlot::keyPressEvent(QKeyEvent* event)
{
    const bool menuKey = event->key() == Qt::Key_Menu ||
                         (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (menuKey && contextMenuPolicy() == Qt::CustomContextMenu) {
        emit customContextMenuRequested(contentsRect().center());
        return;
    }
    QFrame::keyPressEvent(event);
}

void SectionPlot::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    update();
}

void SectionPlot::focusOutEvent(QFocusEvent* event)
{
    QFrame::focusOutEvent(event);
    update();
}
