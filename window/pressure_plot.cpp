#include "pressure_plot.h"

#include <algorithm>

#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "engine/number_text.h"
#include "window/window_colours.h"

namespace {

constexpr int kTickLength = 4;
constexpr int kGap = 6;
constexpr int kRightMargin = 18;
constexpr double kStripShare = 0.22;  // most of the height the outline strip may take
constexpr int kStripPadding = 6;      // above and below the outline in its strip
constexpr double kCurveWidth = 2.0;
constexpr int kLegendSample = 22;     // length of the line sample in the legend

QString tickText(double value)
{
    return QString::fromStdString(folix::formatGeneral(value, QLocale().decimalPoint().toStdString()));
}

// Linear placement of a value range onto a pixel range.
class Scale {
public:
    Scale(double low, double high, double from, double to) : low_(low), high_(high), from_(from), to_(to) {}
    double operator()(double value) const { return from_ + (value - low_) / (high_ - low_) * (to_ - from_); }

private:
    double low_, high_, from_, to_;
};

QPolygonF polyline(const std::vector<folix::ChartPoint>& points, const Scale& across, const Scale& up)
{
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(points.size()));
    for (const folix::ChartPoint& p : points) line.append({across(p.x), up(p.y)});
    return line;
}

}  // namespace

PressurePlot::PressurePlot(QWidget* parent) : QFrame(parent)
{
    setObjectName("PressurePlot");
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    QPalette surface = palette();
    surface.setColor(QPalette::Window, kLightYellow);
    setPalette(surface);
    setAutoFillBackground(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PressurePlot::showSection(folix::SectionChart section)
{
    section_ = std::move(section);
    curves_.reset();
    message_.clear();
    update();
}

void PressurePlot::showCurves(folix::PressureCurves curves)
{
    curves_ = std::move(curves);
    message_.clear();
    update();
}

void PressurePlot::showMessage(const QString& text)
{
    curves_.reset();
    message_ = text;
    update();
}

void PressurePlot::clear()
{
    section_.reset();
    curves_.reset();
    message_.clear();
    update();
}

void PressurePlot::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    if (!message_.isEmpty()) paintMessage(painter);
    else if (section_ && curves_) paintChart(painter);
}

void PressurePlot::paintMessage(QPainter& painter)
{
    const QRect area = contentsRect().adjusted(3 * kGap, 3 * kGap, -3 * kGap, -3 * kGap);
    painter.setPen(kMessageInk);
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, message_);
}

void PressurePlot::paintChart(QPainter& painter)
{
    const folix::SectionChart& shownSection = *section_;
    const folix::PressureCurves& shownCurves = *curves_;
    const folix::ChartAxis& chord = shownSection.chord;
    const folix::ChartAxis& suction = shownCurves.suction;
    const QFontMetrics metrics = fontMetrics();
    const int lineHeight = metrics.height();

    // Room for the tick labels on the left, the axis title on top, and below
    // the chart the outline strip, the chord ticks' labels and their title.
    QStringList suctionLabels;
    int labelWidth = 0;
    for (const double tick : suction.ticks) {
        suctionLabels << tickText(tick);
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(suctionLabels.back()));
    }
    const QRect area = contentsRect();
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

    const Scale across(chord.low, chord.high, left, right);
    const Scale up(suction.low, suction.high, bottom, top);
    // The outline on the chord's own scale across; upright too unless the strip is too shallow.
    const double outlineScale = shownSection.highest > shownSection.lowest
        ? std::min(pixelsPerChord, (stripHeight - 2 * kStripPadding) / (shownSection.highest - shownSection.lowest))
        : pixelsPerChord;
    const double middle = strip.top() + stripHeight / 2.0;
    const Scale outlineUp(shownSection.lowest, shownSection.highest, middle + (shownSection.highest - shownSection.lowest) * outlineScale / 2,
                          middle - (shownSection.highest - shownSection.lowest) * outlineScale / 2);

    painter.fillRect(chart.united(strip), kChartPaper);

    // Grid, ticks and labels.
    painter.setPen(QPen(kGridInk, 0));
    for (std::size_t i = 0; i < suction.ticks.size(); ++i) {
        const double y = up(suction.ticks[i]);
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
    painter.drawPolygon(polyline(shownSection.outline, across, outlineUp));
    painter.restore();

    // The shownCurves.
    painter.save();
    painter.setClipRect(chart.adjusted(1, 1, 0, 0));
    painter.setPen(QPen(kLowerSurfaceInk, kCurveWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(polyline(shownCurves.lower, across, up));
    painter.setPen(QPen(kUpperSurfaceInk, kCurveWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(polyline(shownCurves.upper, across, up));
    painter.restore();

    // The legend, top right inside the chart.
    const int legendWidth = kLegendSample + kGap + std::max(metrics.horizontalAdvance(kUpperSurfaceName),
                                                           metrics.horizontalAdvance(kLowerSurfaceName));
    const QRect legend(right - legendWidth - 3 * kGap, top + kGap, legendWidth + 2 * kGap, 2 * lineHeight + kGap);
    painter.setPen(QPen(kGridInk, 0));
    painter.setBrush(kChartPaper);
    painter.drawRect(legend);
    const std::pair<const QColor&, const char*> entries[] = {{kUpperSurfaceInk, kUpperSurfaceName},
                                                             {kLowerSurfaceInk, kLowerSurfaceName}};
    int row = legend.top() + kGap / 2;
    for (const auto& [ink, name] : entries) {
        const double y = row + lineHeight / 2.0;
        painter.setPen(QPen(ink, kCurveWidth, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(legend.left() + kGap, y), QPointF(legend.left() + kGap + kLegendSample, y));
        painter.setPen(kAxisInk);
        painter.drawText(QRect(legend.left() + 2 * kGap + kLegendSample, row, legendWidth, lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, name);
        row += lineHeight;
    }
}
