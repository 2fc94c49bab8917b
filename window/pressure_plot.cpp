#include "pressure_plot.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "window/chart_scale.h"
#include "window/window_colours.h"

namespace {

constexpr int kTickLength = 4;
constexpr int kGap = 6;
constexpr int kRightMargin = 18;
constexpr double kStripShare = 0.22;  // most of the height the outline strip may take
constexpr int kStripPadding = 6;      // above and below the outline in its strip
constexpr double kCurveWidth = 2.0;
constexpr double kPinnedWidth = 1.4;
constexpr int kLegendSample = 22;     // length of the line sample in the legend
constexpr double kMarkRadius = 3.5;   // the points read out under the pointer

QPolygonF polyline(const std::vector<folix::ChartPoint>& points, const ChartScale& across, const ChartScale& up)
{
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(points.size()));
    for (const folix::ChartPoint& p : points) line.append({across(p.x), up(p.y)});
    return line;
}

}  // namespace

struct PressurePlot::Layout {
    QRect chart;
    QRect strip;
    int labelsTop;
    int lineHeight;
    QStringList suctionLabels;
    ChartScale across;
    ChartScale up;
    ChartScale outlineUp;
};

PressurePlot::PressurePlot(QWidget* parent) : ChartFrame("PressurePlot", parent)
{
    setMouseTracking(true);
}

void PressurePlot::showSection(folix::SectionChart section)
{
    section_ = std::move(section);
    curves_.reset();
    setMessage({});
    update();
}

void PressurePlot::showCurves(folix::PressureCurves curves)
{
    curves_ = std::move(curves);
    setMessage({});
    update();
    emit pointedChanged();
}

void PressurePlot::showPinned(std::vector<PinnedCurves> pinned)
{
    pinned_ = std::move(pinned);
    update();
}

void PressurePlot::showMessage(const QString& text)
{
    curves_.reset();
    setMessage(text);
    update();
    emit pointedChanged();
}

void PressurePlot::clear()
{
    section_.reset();
    curves_.reset();
    setMessage({});
    update();
    emit pointedChanged();
}

std::optional<folix::PointedValues> PressurePlot::pointed() const
{
    if (!pointedChord_ || !curves_) return std::nullopt;
    return folix::nearestPoints(*curves_, *pointedChord_);
}

void PressurePlot::pointAt(std::optional<double> chordX)
{
    if (chordX == pointedChord_) return;
    pointedChord_ = chordX;
    update();
    emit pointedChanged();
}

void PressurePlot::mouseMoveEvent(QMouseEvent* event)
{
    ChartFrame::mouseMoveEvent(event);
    std::optional<double> chordX;
    if (section_ && curves_) {
        const Layout at = layout(fontMetrics(), contentsRect());
        const QPoint place = event->position().toPoint();
        if (at.chart.united(at.strip).contains(place)) chordX = at.across.valueAt(place.x());
    }
    pointAt(chordX);
}

void PressurePlot::leaveEvent(QEvent* event)
{
    ChartFrame::leaveEvent(event);
    pointAt(std::nullopt);
}

void PressurePlot::paintContents(QPainter& painter, const QRectF& area, Surface surface) const
{
    // A picture has no marks of where the pointer happens to be.
    if (!message().isEmpty()) paintMessage(painter, area.toRect(), 3 * kGap);
    else if (section_ && curves_) paintChart(painter, area.toRect(), surface == Surface::Screen);
}

PressurePlot::Layout PressurePlot::layout(const QFontMetrics& metrics, const QRect& area) const
{
    const folix::SectionChart& shownSection = *section_;
    const folix::ChartAxis& chord = shownSection.chord;
    const folix::ChartAxis& suction = curves_->suction;
    const int lineHeight = metrics.height();

    // Room for the tick labels on the left, the axis title on top, and below
    // the chart the outline strip, the chord ticks' labels and their title.
    QStringList suctionLabels;
    int labelWidth = 0;
    for (const double tick : suction.ticks) {
        suctionLabels << tickText(tick);
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(suctionLabels.back()));
    }
    const int left = area.left() + kGap + std::max(labelWidth, metrics.horizontalAdvance(kSuctionTitle)) + kTickLength + 2;
    const int right = area.right() - kRightMargin;
    const int top = area.top() + lineHeight + kGap + kGap / 2;
    const double pixelsPerChord = (right - left) / (chord.high - chord.low);
    const double outlineHeight = (shownSection.highest - shownSection.lowest) * pixelsPerChord;
    const int stripHeight = std::clamp(static_cast<int>(outlineHeight) + 2 * kStripPadding, 2 * kStripPadding,
                                       static_cast<int>(area.height() * kStripShare));
    const int labelsTop = area.bottom() - kGap - 2 * lineHeight;
    const int stripBottom = labelsTop - kTickLength - 1;
    const int bottom = stripBottom - stripHeight;
    const QRect chart(QPoint(left, top), QPoint(right, bottom));
    const QRect strip(QPoint(left, bottom), QPoint(right, stripBottom));

    const ChartScale across(chord.low, chord.high, left, right);
    const ChartScale up(suction.low, suction.high, bottom, top);
    // The outline on the chord's own scale across; upright too unless the strip is too shallow.
    const double outlineChartScale = shownSection.highest > shownSection.lowest
        ? std::min(pixelsPerChord, (stripHeight - 2 * kStripPadding) / (shownSection.highest - shownSection.lowest))
        : pixelsPerChord;
    const double middle = strip.top() + stripHeight / 2.0;
    const ChartScale outlineUp(shownSection.lowest, shownSection.highest, middle + (shownSection.highest - shownSection.lowest) * outlineChartScale / 2,
                          middle - (shownSection.highest - shownSection.lowest) * outlineChartScale / 2);
    return {chart, strip, labelsTop, lineHeight, suctionLabels, across, up, outlineUp};
}

void PressurePlot::paintChart(QPainter& painter, const QRect& area, bool markPointed) const
{
    const folix::SectionChart& shownSection = *section_;
    const folix::PressureCurves& shownCurves = *curves_;
    const folix::ChartAxis& chord = shownSection.chord;
    const folix::ChartAxis& suction = shownCurves.suction;
    const QFontMetrics metrics = painter.fontMetrics();
    const Layout at = layout(metrics, area);
    const int lineHeight = at.lineHeight;
    const QRect& chart = at.chart;
    const QRect& strip = at.strip;
    const ChartScale& across = at.across;
    const ChartScale& up = at.up;
    const int left = chart.left();
    const int right = chart.right();
    const int top = chart.top();
    const int stripBottom = strip.bottom();
    const int labelsTop = at.labelsTop;
    const QStringList& suctionLabels = at.suctionLabels;

    painter.fillRect(chart.united(strip), kChartPaper);

    // Grid, ticks and labels.
    painter.setPen(QPen(kGridInk, 0));
    for (const double tick : suction.ticks) {
        const double y = up(tick);
        painter.drawLine(QPointF(left, y), QPointF(right, y));
    }
    for (const double tick : chord.ticks) {
        const double x = across(tick);
        painter.drawLine(QPointF(x, top), QPointF(x, stripBottom));
    }
    painter.setPen(QPen(kAxisInk, 0));
    for (std::size_t i = 0; i < suction.ticks.size(); ++i) {
        const double y = up(suction.ticks[i]);
        painter.drawLine(QPointF(left - kTickLength, y), QPointF(left, y));
        const QRectF label(area.left(), y - lineHeight / 2.0, left - kTickLength - 2 - area.left(), lineHeight);
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, suctionLabels[static_cast<qsizetype>(i)]);
    }
    for (const double tick : chord.ticks) {
        const double x = across(tick);
        painter.drawLine(QPointF(x, stripBottom), QPointF(x, stripBottom + kTickLength));
        const QRectF label(x - 40, labelsTop, 80, lineHeight);
        painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop, tickText(tick));
    }
    painter.drawText(QRect(left, labelsTop + lineHeight, right - left, lineHeight), Qt::AlignHCenter | Qt::AlignTop,
                     kChordTitle);
    painter.drawText(QRect(area.left() + kGap, area.top() + kGap / 2, left - area.left(), lineHeight),
                     Qt::AlignLeft | Qt::AlignTop, kSuctionTitle);

    // The zero line, then the frame over the grid's ends.
    painter.setPen(QPen(kZeroInk, 0, Qt::DashLine));
    painter.drawLine(QPointF(left, up(0)), QPointF(right, up(0)));
    painter.setPen(QPen(kAxisInk, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(chart);
    painter.drawRect(strip);

    painter.setRenderHint(QPainter::Antialiasing);

    // The section outline under the chart.
    painter.save();
    painter.setClipRect(strip.adjusted(1, 1, 0, 0));
    painter.setPen(QPen(kOutlineInk, 1.2));
    painter.setBrush(kOutlineFill);
    painter.drawPolygon(polyline(shownSection.outline, across, at.outlineUp));
    painter.restore();

    // The pinned sections' curves under the shown ones: upper surface solid, lower dashed.
    painter.save();
    painter.setClipRect(chart.adjusted(1, 1, 0, 0));
    for (const PinnedCurves& pin : pinned_) {
        painter.setPen(QPen(pin.ink, kPinnedWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(polyline(pin.curves.upper, across, up));
        painter.setPen(QPen(pin.ink, kPinnedWidth, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(polyline(pin.curves.lower, across, up));
    }
    painter.setPen(QPen(kLowerSurfaceInk, kCurveWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(polyline(shownCurves.lower, across, up));
    painter.setPen(QPen(kUpperSurfaceInk, kCurveWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(polyline(shownCurves.upper, across, up));
    painter.restore();

    paintLegend(painter, at);
    if (markPointed) paintPointed(painter, at);
}

void PressurePlot::paintLegend(QPainter& painter, const Layout& layout) const
{
    // Top right inside the chart: the two surfaces, then each pinned section.
    const QFontMetrics metrics = painter.fontMetrics();
    std::vector<std::pair<QPen, QString>> entries{
        {QPen(kUpperSurfaceInk, kCurveWidth, Qt::SolidLine, Qt::RoundCap), kUpperSurfaceName},
        {QPen(kLowerSurfaceInk, kCurveWidth, Qt::SolidLine, Qt::RoundCap), kLowerSurfaceName}};
    for (const PinnedCurves& pin : pinned_) entries.emplace_back(QPen(pin.ink, kCurveWidth, Qt::SolidLine, Qt::RoundCap), pin.label);
    int textWidth = 0;
    for (const auto& entry : entries) textWidth = std::max(textWidth, metrics.horizontalAdvance(entry.second));
    const int lineHeight = layout.lineHeight;
    const int legendWidth = kLegendSample + kGap + textWidth;
    const int right = layout.chart.right();
    const QRect legend(right - legendWidth - 3 * kGap, layout.chart.top() + kGap, legendWidth + 2 * kGap,
                       static_cast<int>(entries.size()) * lineHeight + kGap);
    painter.setPen(QPen(kGridInk, 0));
    painter.setBrush(kChartPaper);
    painter.drawRect(legend);
    int row = legend.top() + kGap / 2;
    for (const auto& [pen, name] : entries) {
        const double y = row + lineHeight / 2.0;
        painter.setPen(pen);
        painter.drawLine(QPointF(legend.left() + kGap, y), QPointF(legend.left() + kGap + kLegendSample, y));
        painter.setPen(kAxisInk);
        painter.drawText(QRect(legend.left() + 2 * kGap + kLegendSample, row, textWidth, lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, name);
        row += lineHeight;
    }
}

void PressurePlot::paintPointed(QPainter& painter, const Layout& layout) const
{
    const std::optional<folix::PointedValues> values = pointed();
    if (!values) return;
    painter.save();
    painter.setClipRect(layout.chart.adjusted(1, 1, 0, 0));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(kChartPaper);
    const std::pair<const QColor&, folix::ChartPoint> marks[] = {{kUpperSurfaceInk, values->upper},
                                                                 {kLowerSurfaceInk, values->lower}};
    for (const auto& [ink, point] : marks) {
        painter.setPen(QPen(ink, kCurveWidth));
        painter.drawEllipse(QPointF(layout.across(point.x), layout.up(point.y)), kMarkRadius, kMarkRadius);
    }
    painter.restore();
}
