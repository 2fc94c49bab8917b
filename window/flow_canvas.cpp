#include "flow_canvas.h"

#include <algorithm>
#include <vector>

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "window/window_colours.h"

namespace {

constexpr double kGap = 8;
constexpr double kBarWidth = 14;
constexpr double kTickLength = 4;
constexpr double kMarkRadius = 4.5;
constexpr double kStreamlineWidth = 1.0;
constexpr double kDividingWidth = 1.8;
constexpr double kLegendSample = 24;
constexpr double kLargestFieldPixels = 2400;  // across, when the colour field is scaled for painting

const QColor kStreamlineInk{25, 30, 45};
const QColor kBodyFill{88, 90, 96};
const QColor kBodyInk{0, 0, 0};
const QColor kPanelPaper{255, 255, 255};
const QColor kPanelFrame{120, 120, 120};
const QColor kTitleBackground{255, 255, 255, 210};
const QColor kMarkFill{255, 255, 255};

constexpr const char* kStagnationName = "Stagnation point";
constexpr const char* kDividingName = "Dividing streamline";
constexpr const char* kStreamlineName = "Streamlines: equal flow between neighbours";

struct PlacedPanel {
    const folix::FlowPanel* panel;
    QRectF rect;
};

// Where a point of a panel's plane lands in its rectangle.
class PanelMap {
public:
    PanelMap(const folix::PlaneBox& box, const QRectF& rect) : box_(box), rect_(rect) {}
    QPointF operator()(folix::PlanePoint p) const
    {
        return {rect_.left() + (p.x - box_.left) / box_.width() * rect_.width(),
                rect_.top() + (box_.top - p.y) / box_.height() * rect_.height()};
    }

private:
    folix::PlaneBox box_;
    QRectF rect_;
};

QPolygonF polygonOf(const std::vector<folix::PlanePoint>& points, const PanelMap& map)
{
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const folix::PlanePoint& p : points) polygon.append(map(p));
    return polygon;
}

// The largest rectangle of the proportion in room, at its top, centred across.
QRectF fitted(const QRectF& room, double aspect)
{
    const double width = std::min(room.width(), room.height() * aspect);
    return QRectF(room.center().x() - width / 2, room.top(), width, width / aspect);
}

// One panel, or two side by side or one above the other, whichever shows them larger.
std::vector<PlacedPanel> placePanels(const folix::FlowScene& scene, const QRectF& room)
{
    const double aspect = scene.section.box.width() / scene.section.box.height();
    if (!scene.circle) return {{&scene.section, fitted(room, aspect)}};
    const double besideWidth = std::min((room.width() - kGap) / 2, room.height() * aspect);
    const double stackedWidth = std::min(room.width(), (room.height() - kGap) / 2 * aspect);
    const double width = std::max(besideWidth, stackedWidth);
    const QSizeF size(width, width / aspect);
    if (besideWidth >= stackedWidth) {
        const QRectF both = fitted(room, (2 * width + kGap) / size.height());
        return {{&scene.section, QRectF(both.topLeft(), size)},
                {&*scene.circle, QRectF(both.topLeft() + QPointF(width + kGap, 0), size)}};
    }
    const QRectF both = fitted(room, width / (2 * size.height() + kGap));
    return {{&scene.section, QRectF(both.topLeft(), size)},
            {&*scene.circle, QRectF(both.topLeft() + QPointF(0, size.height() + kGap), size)}};
}

void paintField(QPainter& painter, const folix::FieldImage& field, const QRectF& rect)
{
    if (field.pixels.empty()) {
        painter.fillRect(rect, kPanelPaper);
        return;
    }
    const QImage cells(reinterpret_cast<const uchar*>(field.pixels.data()), field.columns, field.rows,
                       field.columns * 4, QImage::Format_ARGB32);
    // Smoothed here rather than by the paint device, so that vector pictures get it too.
    const double ratio = std::min(painter.device()->devicePixelRatioF() * rect.width(), kLargestFieldPixels) / rect.width();
    const QSize pixels = (rect.size() * ratio).toSize().expandedTo(QSize(1, 1));
    const QImage smooth = cells.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                              .scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.fillRect(rect, kPanelPaper);
    painter.drawImage(rect, smooth);
}

void paintMark(QPainter& painter, const QPointF& at)
{
    painter.setPen(QPen(kBodyInk, 1.5));
    painter.setBrush(kMarkFill);
    painter.drawEllipse(at, kMarkRadius, kMarkRadius);
}

void paintPanel(QPainter& painter, const PlacedPanel& placed)
{
    const folix::FlowPanel& panel = *placed.panel;
    const PanelMap map(panel.box, placed.rect);
    painter.save();
    painter.setClipRect(placed.rect);
    paintField(painter, panel.field, placed.rect);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    for (const folix::Streamline& line : panel.streamlines) {
        const double width = line.dividing ? kDividingWidth : kStreamlineWidth;
        painter.setPen(QPen(kStreamlineInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(polygonOf(line.points, map));
    }
    painter.setPen(QPen(kBodyInk, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(kBodyFill);
    painter.drawPolygon(polygonOf(panel.outline, map));
    for (const folix::PlanePoint& p : panel.stagnationPoints) paintMark(painter, map(p));

    const QFontMetricsF metrics(painter.font());
    const QString title = QString::fromStdString(panel.title);
    const QRectF titleBox(placed.rect.topLeft() + QPointF(kGap / 2, kGap / 2),
                          QSizeF(metrics.horizontalAdvance(title) + kGap, metrics.height() + 2));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kTitleBackground);
    painter.drawRect(titleBox);
    painter.setPen(kAxisInk);
    painter.drawText(titleBox, Qt::AlignCenter, title);
    painter.restore();

    painter.setPen(QPen(kPanelFrame, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(placed.rect);
}

double scaleWidth(const folix::ColourScale& scale, const QFontMetricsF& metrics)
{
    double labels = 0;
    for (const folix::ColourTick& tick : scale.ticks)
        labels = std::max(labels, metrics.horizontalAdvance(QString::fromStdString(tick.label)));
    const double title = metrics.horizontalAdvance(QString::fromStdString(scale.title));
    return 2 * kGap + std::max(kBarWidth + kTickLength + 3 + labels, title);
}

void paintScale(QPainter& painter, const folix::ColourScale& scale, const QRectF& column)
{
    const QFontMetricsF metrics(painter.font());
    const QRectF bar(column.left() + kGap, column.top() + metrics.height() + kGap / 2, kBarWidth,
                     column.height() - metrics.height() - kGap / 2);
    QLinearGradient gradient(bar.bottomLeft(), bar.topLeft());
    const auto count = static_cast<double>(scale.colours.size());
    for (std::size_t k = 0; k < scale.colours.size(); ++k)
        gradient.setColorAt(static_cast<double>(k) / std::max(count - 1, 1.0), QColor::fromRgba(scale.colours[k]));
    painter.fillRect(bar, gradient);
    painter.setPen(QPen(kAxisInk, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(bar);
    for (const folix::ColourTick& tick : scale.ticks) {
        const double y = bar.bottom() - tick.position * bar.height();
        painter.drawLine(QPointF(bar.right(), y), QPointF(bar.right() + kTickLength, y));
        painter.drawText(QRectF(bar.right() + kTickLength + 3, y - metrics.height() / 2, column.width(), metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(tick.label));
    }
    painter.drawText(QRectF(bar.left(), column.top(), column.width(), metrics.height()), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromStdString(scale.title));
}

void paintLegend(QPainter& painter, const QRectF& row)
{
    const QFontMetricsF metrics(painter.font());
    const double y = row.center().y();
    double x = row.left();
    painter.setRenderHint(QPainter::Antialiasing);
    const auto label = [&](const char* text) {
        const QString name = QString::fromUtf8(text);
        painter.setPen(kAxisInk);
        painter.drawText(QRectF(x, row.top(), metrics.horizontalAdvance(name) + 1, row.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, name);
        x += metrics.horizontalAdvance(name) + 3 * kGap;
    };
    paintMark(painter, QPointF(x + kMarkRadius, y));
    x += 2 * kMarkRadius + kGap / 2;
    label(kStagnationName);
    for (const auto& [width, name] : {std::pair{kDividingWidth, kDividingName}, std::pair{kStreamlineWidth, kStreamlineName}}) {
        painter.setPen(QPen(kStreamlineInk, width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(x, y), QPointF(x + kLegendSample, y));
        x += kLegendSample + kGap / 2;
        label(name);
    }
}

}  // namespace

FlowCanvas::FlowCanvas(QWidget* parent) : ChartFrame("FlowCanvas", parent) {}

void FlowCanvas::showScene(folix::FlowScene scene, const QString& caption)
{
    scene_ = std::move(scene);
    caption_ = caption;
    setMessage({});
    update();
}

void FlowCanvas::showMessage(const QString& text)
{
    scene_.reset();
    caption_.clear();
    setMessage(text);
    update();
}

struct FlowCanvas::Layout {
    std::optional<QRectF> caption;
    std::vector<PlacedPanel> panels;
    std::optional<QRectF> scaleColumn;
    QRectF legend;
};

FlowCanvas::Layout FlowCanvas::layout(const QFontMetricsF& metrics, const QRectF& area, bool withCaption) const
{
    Layout at;
    const double line = metrics.height();
    const QRectF inner = area.adjusted(kGap, kGap, -kGap, -kGap);
    QRectF room = inner;
    if (withCaption && !caption_.isEmpty()) {
        at.caption = QRectF(room.left(), room.top(), room.width(), line);
        room.setTop(room.top() + line + kGap);
    }
    room.setBottom(room.bottom() - line - kGap);  // the legend's row
    const double columnWidth = scene_->scale ? scaleWidth(*scene_->scale, metrics) : 0;
    room.setRight(room.right() - columnWidth);

    at.panels = placePanels(*scene_, room);
    const double top = at.panels.front().rect.top();
    const double bottom = at.panels.back().rect.bottom();
    if (scene_->scale) {
        const double right = std::max(at.panels.front().rect.right(), at.panels.back().rect.right());
        at.scaleColumn = QRectF(right, top, columnWidth, bottom - top);
    }
    at.legend = QRectF(at.panels.front().rect.left(), bottom + kGap, inner.width(), line);
    return at;
}

QSize FlowCanvas::pictureSize() const
{
    const QRectF area(contentsRect());
    if (!scene_) return area.size().toSize();
    // Down to the legend: the room the window leaves below it is not part of the picture.
    const Layout at = layout(QFontMetricsF(font()), area, true);
    return QSize(qRound(area.width()), qRound(std::min(at.legend.bottom() + kGap, area.bottom()) - area.top()));
}

void FlowCanvas::paintContents(QPainter& painter, const QRectF& area, Surface surface) const
{
    if (!scene_) {
        paintMessage(painter, area, 3 * kGap);
        return;
    }
    // A picture tells what it shows; the window has it above.
    const Layout at = layout(QFontMetricsF(painter.font()), area, surface == Surface::Picture);
    if (at.caption) {
        painter.setPen(kAxisInk);
        painter.drawText(*at.caption, Qt::AlignLeft | Qt::AlignVCenter, caption_);
    }
    for (const PlacedPanel& placed : at.panels) paintPanel(painter, placed);
    if (at.scaleColumn) paintScale(painter, *scene_->scale, *at.scaleColumn);
    paintLegend(painter, at.legend);
}
