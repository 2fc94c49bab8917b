#include "viscous_plot.h"

#include <algorithm>

#include <QPainter>
#include <QPolygonF>

#include "window/chart_scale.h"
#include "window/window_colours.h"

namespace {

constexpr int kTickLength = 4;
constexpr int kGap = 6;
constexpr double kCurveWidth = 1.8;
constexpr double kDotRadius = 2.4;
constexpr int kLegendSample = 18;
const QColor kInviscidInk{120, 120, 120};

// XFOIL's first curve in blue, its second (the lower surface) in orange, the
// exact inviscid one in grey and dashed.
QPen curvePen(const folix::PolarCurve& curve, int viscousIndex)
{
    if (!curve.viscous) return QPen(kInviscidInk, kCurveWidth, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin);
    return QPen(viscousIndex == 0 ? kUpperSurfaceInk : kLowerSurfaceInk, kCurveWidth, Qt::SolidLine, Qt::RoundCap,
                Qt::RoundJoin);
}

void paintChart(QPainter& painter, const QRect& area, const folix::PolarChart& chart)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int lineHeight = metrics.height();
    int labelWidth = metrics.horizontalAdvance(QString::fromStdString(chart.up));
    for (const double tick : chart.y.ticks)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(tickText(tick)));
    const int left = area.left() + kGap + labelWidth + kTickLength + 2;
    const int right = area.right() - 2 * kGap;
    const int top = area.top() + lineHeight + kGap;
    const int bottom = area.bottom() - kGap - 2 * lineHeight - kTickLength;
    if (right - left < 40 || bottom - top < 40) return;
    const QRect frame(QPoint(left, top), QPoint(right, bottom));
    const ChartScale across(chart.x.low, chart.x.high, left, right);
    const ChartScale up(chart.y.low, chart.y.high, bottom, top);

    painter.fillRect(frame, kChartPaper);
    paintGridAndTicks(painter, area, frame, across, up, chart.x.ticks, chart.y.ticks, lineHeight, kTickLength);
    painter.drawText(QRect(left, bottom + kTickLength + lineHeight, right - left, lineHeight),
                     Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(chart.across));
    QFont bold = painter.font();
    bold.setBold(true);
    painter.save();
    painter.setFont(bold);
    painter.drawText(QRect(left, area.top() + kGap / 2, right - left, lineHeight), Qt::AlignHCenter | Qt::AlignTop,
                     QString::fromStdString(chart.title));
    painter.restore();
    painter.drawText(QRect(area.left() + kGap, area.top() + kGap / 2, left - area.left(), lineHeight),
                     Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(chart.up));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(frame.adjusted(1, 1, 0, 0));
    int viscousIndex = 0;
    for (const folix::PolarCurve& curve : chart.curves) {
        const QPen pen = curvePen(curve, viscousIndex);
        for (const auto& piece : curve.pieces) {
            QPolygonF line;
            for (const folix::ChartPoint& p : piece) line.append({across(p.x), up(p.y)});
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawPolyline(line);
            if (!curve.viscous) continue;
            painter.setPen(Qt::NoPen);
            painter.setBrush(pen.color());
            for (const QPointF& at : line) painter.drawEllipse(at, kDotRadius, kDotRadius);
        }
        if (curve.viscous) ++viscousIndex;
    }
    painter.restore();

    if (chart.curves.size() < 2) return;
    // The legend, in the corner or at the side of the chart that hides the fewest points.
    int legendWidth = 0;
    for (const folix::PolarCurve& curve : chart.curves)
        legendWidth = std::max(legendWidth, metrics.horizontalAdvance(QString::fromStdString(curve.label)));
    legendWidth += kLegendSample + 3 * kGap;
    const auto rows = static_cast<int>(chart.curves.size());
    const QSize legendSize(legendWidth, rows * lineHeight + kGap);
    const int lowest = bottom - kGap - legendSize.height();
    const int rightmost = right - kGap - legendSize.width();
    const QPoint places[] = {{left + kGap, top + kGap}, {rightmost, top + kGap}, {rightmost, (top + lowest) / 2},
                             {rightmost, lowest},       {left + kGap, lowest}};
    QRect legend;
    int hidden = -1;
    for (const QPoint& place : places) {
        const QRect candidate(place, legendSize);
        const QRect covered = candidate.adjusted(-kGap, -kGap, kGap, kGap);  // a dot just outside still touches it
        int count = 0;
        for (const folix::PolarCurve& curve : chart.curves)
            for (const auto& piece : curve.pieces)
                for (const folix::ChartPoint& p : piece)
                    count += covered.contains(QPointF(across(p.x), up(p.y)).toPoint()) ? 1 : 0;
        if (hidden < 0 || count < hidden) {
            legend = candidate;
            hidden = count;
        }
    }
    painter.setPen(QPen(kGridInk, 0));
    painter.setBrush(kChartPaper);
    painter.drawRect(legend);
    int row = legend.top() + kGap / 2;
    viscousIndex = 0;
    for (const folix::PolarCurve& curve : chart.curves) {
        const double y = row + lineHeight / 2.0;
        painter.setPen(curvePen(curve, viscousIndex));
        painter.drawLine(QPointF(legend.left() + kGap, y), QPointF(legend.left() + kGap + kLegendSample, y));
        painter.setPen(kAxisInk);
        painter.drawText(QRect(legend.left() + 2 * kGap + kLegendSample, row, legendWidth, lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(curve.label));
        if (curve.viscous) ++viscousIndex;
        row += lineHeight;
    }
}

}  // namespace

ViscousPlot::ViscousPlot(QWidget* parent) : ChartFrame("ViscousPlot", parent) {}

void ViscousPlot::showCharts(std::array<folix::PolarChart, 4> charts)
{
    charts_ = std::move(charts);
    setMessage({});
    update();
}

void ViscousPlot::showMessage(const QString& text)
{
    charts_.reset();
    setMessage(text);
    update();
}

void ViscousPlot::paintContents(QPainter& painter, const QRectF& paintArea, Surface) const
{
    const QRect area = paintArea.toRect();  // laid out on whole pixels
    if (!charts_) {
        paintMessage(painter, area, 3 * kGap);
        return;
    }
    const int halfWidth = area.width() / 2;
    const int halfHeight = area.height() / 2;
    for (int i = 0; i < 4; ++i) {
        const QRect cell(area.left() + (i % 2) * halfWidth, area.top() + (i / 2) * halfHeight, halfWidth, halfHeight);
        paintChart(painter, cell, (*charts_)[static_cast<std::size_t>(i)]);
    }
}
