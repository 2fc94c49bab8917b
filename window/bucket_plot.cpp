#include "bucket_plot.h"

#include <QPainter>
#include <QPolygonF>

#include "window/chart_scale.h"
#include "window/window_colours.h"

namespace {

constexpr int kTickLength = 4;
constexpr int kGap = 6;
constexpr int kRightMargin = 18;
constexpr double kCurveWidth = 2.0;
const QColor kRangeFill{200, 235, 200};
const QColor kSigmaInk{190, 40, 40};

}  // namespace

BucketPlot::BucketPlot(QWidget* parent) : ChartFrame("BucketPlot", parent) {}

void BucketPlot::showChart(folix::BucketChart chart)
{
    chart_ = std::move(chart);
    setMessage({});
    update();
}

void BucketPlot::showMessage(const QString& text)
{
    chart_.reset();
    setMessage(text);
    update();
}

void BucketPlot::paintContents(QPainter& painter, const QRectF& paintArea, Surface) const
{
    const QRect area = paintArea.toRect();  // laid out on whole pixels
    if (!hasCurve()) {
        paintMessage(painter, area, 3 * kGap);
        return;
    }
    const folix::BucketChart& chart = *chart_;
    const QFontMetrics metrics = painter.fontMetrics();
    const int lineHeight = metrics.height();
    int labelWidth = metrics.horizontalAdvance("\u2212Cp_min");
    for (const double tick : chart.suction.ticks) labelWidth = std::max(labelWidth, metrics.horizontalAdvance(tickText(tick)));
    const int left = area.left() + kGap + labelWidth + kTickLength + 2;
    const int right = area.right() - kRightMargin;
    const int top = area.top() + lineHeight + kGap + kGap / 2;
    const int bottom = area.bottom() - kGap - 2 * lineHeight - kTickLength;
    const QRect frame(QPoint(left, top), QPoint(right, bottom));
    const ChartScale across(chart.lift.low, chart.lift.high, left, right);
    const ChartScale up(chart.suction.low, chart.suction.high, bottom, top);

    painter.fillRect(frame, kChartPaper);
    if (const auto& bucket = chart.found.bucket) {
        // The cavitation-free range: every Cl between the edges, below sigma.
        const QRectF range(QPointF(across(bucket->low.Cl), up(chart.sigma)), QPointF(across(bucket->high.Cl), bottom));
        painter.fillRect(range.intersected(QRectF(frame)), kRangeFill);
    }
    paintGridAndTicks(painter, area, frame, across, up, chart.lift.ticks, chart.suction.ticks, lineHeight, kTickLength);
    painter.drawText(QRect(left, bottom + kTickLength + lineHeight, right - left, lineHeight),
                     Qt::AlignHCenter | Qt::AlignTop, "Cl");
    painter.drawText(QRect(area.left() + kGap, area.top() + kGap / 2, right - area.left(), lineHeight),
                     Qt::AlignLeft | Qt::AlignTop, "\u2212Cp_min");
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.save();
    painter.setClipRect(frame.adjusted(1, 1, 0, 0));
    painter.setPen(QPen(kSigmaInk, 1.5, Qt::DashLine));
    painter.drawLine(QPointF(left, up(chart.sigma)), QPointF(right, up(chart.sigma)));
    QPolygonF curve;
    for (const folix::BucketPoint& p : chart.curve) curve.append({across(p.Cl), up(p.suction)});
    painter.setPen(QPen(kUpperSurfaceInk, kCurveWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(curve);
    painter.restore();

    const QString sigmaText = QString("\u03c3 = %1").arg(tickText(chart.sigma));
    painter.setPen(kSigmaInk);
    painter.drawText(QRectF(left + kGap, up(chart.sigma) - lineHeight - 2, right - left - 2 * kGap, lineHeight),
                     Qt::AlignRight | Qt::AlignBottom, sigmaText);
}
