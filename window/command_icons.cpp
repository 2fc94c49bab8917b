#include "command_icons.h"

#include <cmath>

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Drawn on a 24 by 24 grid.
constexpr double kGrid = 24;
constexpr double kStroke = 1.6;

struct Inks {
    QColor line;
    QColor accent;
    QColor second;  // a second accent where two things are told apart
    QColor paper;
};

Inks inksFor(QIcon::Mode mode)
{
    if (mode == QIcon::Disabled) return {{150, 150, 150}, {170, 170, 170}, {185, 185, 185}, {240, 240, 240}};
    return {{40, 48, 64}, {0, 90, 200}, {215, 95, 0}, {255, 255, 255}};
}

// A small cambered section from its nose at (x, y) along `chord`.
QPainterPath sectionPath(double x, double y, double chord)
{
    const double t = chord * 0.16;
    QPainterPath path(QPointF(x, y));
    path.cubicTo(x, y - t, x + chord * 0.3, y - t * 1.2, x + chord, y + t * 0.1);
    path.cubicTo(x + chord * 0.3, y + t * 0.35, x, y + t * 0.8, x, y);
    return path;
}

QPainterPath pagePath(double left, double top, double width, double height)
{
    const double fold = width * 0.35;
    QPainterPath page(QPointF(left, top));
    page.lineTo(left + width - fold, top);
    page.lineTo(left + width, top + fold);
    page.lineTo(left + width, top + height);
    page.lineTo(left, top + height);
    page.closeSubpath();
    return page;
}

void arrow(QPainter& p, QPointF from, QPointF to, double head)
{
    p.drawLine(from, to);
    const QPointF along = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF across(-along.y(), along.x());
    p.drawPolyline(QPolygonF{to - head * along + head * across, to, to - head * along - head * across});
}

void rows(QPainter& p, double left, double top, int count, double width)
{
    for (int i = 0; i < count; ++i) p.drawLine(QPointF(left, top + 3 * i), QPointF(left + width, top + 3 * i));
}

void paintCommand(QPainter& p, folix::Command command, const Inks& ink)
{
    const QPen line(ink.line, kStroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const QPen accent(ink.accent, kStroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const QPen second(ink.second, kStroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(line);
    p.setBrush(Qt::NoBrush);
    switch (command) {
    case folix::Command::ExportCoordinates:
        p.setBrush(ink.paper);
        p.drawPath(pagePath(3, 2.5, 13, 18));
        rows(p, 6, 9, 4, 6);
        p.setPen(accent);
        arrow(p, {13, 15}, {21.5, 15}, 3);
        break;
    case folix::Command::CopyCoordinates:
        p.setBrush(ink.paper);
        p.drawPath(pagePath(3, 2.5, 12, 15));
        p.drawPath(pagePath(9, 6.5, 12, 15));
        p.setPen(accent);
        rows(p, 12, 13, 3, 6);
        break;
    case folix::Command::ExportDrawing:
        p.setBrush(ink.paper);
        p.drawPath(sectionPath(2.5, 9, 19));
        p.setPen(accent);
        p.drawLine(QPointF(2.5, 15), QPointF(2.5, 21));
        p.drawLine(QPointF(21.5, 15), QPointF(21.5, 21));
        arrow(p, {12, 18}, {3.5, 18}, 2.2);
        arrow(p, {12, 18}, {20.5, 18}, 2.2);
        break;
    case folix::Command::SavePicture:
        p.setBrush(ink.paper);
        p.drawRoundedRect(QRectF(2.5, 4, 19, 16), 1.5, 1.5);
        p.setPen(accent);
        p.drawPolyline(QPolygonF{{4.5, 17.5}, {10, 11}, {13.5, 14.5}, {16, 12}, {19.5, 17.5}});
        p.setPen(second);
        p.drawEllipse(QPointF(16.5, 8), 1.6, 1.6);
        break;
    case folix::Command::PressureDistribution:
        p.drawPolyline(QPolygonF{{3, 2.5}, {3, 21}, {21.5, 21}});
        p.setPen(accent);
        p.drawPath([] {
            QPainterPath upper(QPointF(4, 14));
            upper.cubicTo(5, 3, 6.5, 5, 9, 8);
            upper.cubicTo(13, 12, 17, 14, 21, 16.5);
            return upper;
        }());
        p.setPen(second);
        p.drawPath([] {
            QPainterPath lower(QPointF(4, 14));
            lower.cubicTo(7, 17.5, 12, 17, 21, 16.5);
            return lower;
        }());
        break;
    case folix::Command::Flow:
        p.setBrush(ink.line);
        p.drawPath(sectionPath(6, 12.5, 12));
        p.setBrush(Qt::NoBrush);
        p.setPen(accent);
        for (const double y : {4.5, 20.5}) {
            QPainterPath stream(QPointF(1.5, y));
            const double bulge = y < 12 ? -2.5 : 1.5;
            stream.cubicTo(8, y, 9, y + bulge, 14, y + bulge);
            stream.cubicTo(18, y + bulge, 19, y, 22.5, y);
            p.drawPath(stream);
        }
        p.drawLine(QPointF(1.5, 12.5), QPointF(5, 12.5));
        p.drawLine(QPointF(19, 13), QPointF(22.5, 14));
        break;
    case folix::Command::Pin:
        p.setPen(line);
        p.drawLine(QPointF(4, 20), QPointF(10, 14));
        p.setPen(accent);
        p.setBrush(ink.accent);
        p.drawPolygon(QPolygonF{{9, 10}, {14, 15}, {17, 11}, {13, 7}});
        p.drawEllipse(QPointF(16.5, 7.5), 3.5, 3.5);
        break;
    case folix::Command::AddReference:
        p.setBrush(ink.paper);
        p.drawPath(pagePath(3, 2.5, 13, 18));
        p.drawPath(sectionPath(5, 10, 8.5));
        p.setPen(accent);
        p.drawLine(QPointF(18, 13), QPointF(18, 21));
        p.drawLine(QPointF(14, 17), QPointF(22, 17));
        break;
    case folix::Command::DesignForLift:
        p.setBrush(ink.paper);
        p.drawPath(sectionPath(2.5, 16, 19));
        p.setPen(accent);
        arrow(p, {10, 14}, {10, 2.5}, 3);
        break;
    case folix::Command::ViscousPolar:
        p.drawPolyline(QPolygonF{{3, 2.5}, {3, 21}, {21.5, 21}});
        p.setPen(accent);
        p.drawPath([] {
            QPainterPath polar(QPointF(16, 19));
            polar.cubicTo(7, 17, 7, 7, 18, 4);
            return polar;
        }());
        break;
    }
}

class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(folix::Command command) : command_(command) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / kGrid, rect.height() / kGrid);
        paintCommand(*painter, command_, inksFor(mode));
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        QPixmap pixmap(size * scale);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            paint(&painter, QRect(QPoint(0, 0), size * scale), mode, state);
        }
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }

    QIconEngine* clone() const override { return new DrawnIconEngine(command_); }

private:
    folix::Command command_;
};

}  // namespace

QIcon commandIcon(folix::Command command)
{
    return QIcon(new DrawnIconEngine(command));
}
