#include "picture_file.h"

#include <optional>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QWidget>

namespace {

constexpr double kPngEnlargement = 2;
constexpr double kMetresPerInch = 0.0254;

bool isSvg(const QString& path)
{
    return path.endsWith(".svg", Qt::CaseInsensitive);
}

void paintOn(QPaintDevice& device, QSize size, const QWidget& shownOn, const PicturePainter& paint)
{
    QPainter painter(&device);
    painter.setFont(shownOn.font());
    paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
}

std::optional<QByteArray> svgOf(QSize size, const QWidget& shownOn, const PicturePainter& paint)
{
    QByteArray svg;
    QBuffer buffer(&svg);
    if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(shownOn.logicalDpiY());
    paintOn(generator, size, shownOn, paint);
    return svg;
}

std::optional<QByteArray> pngOf(QSize size, const QWidget& shownOn, const PicturePainter& paint)
{
    const double scale = kPngEnlargement * shownOn.devicePixelRatioF();
    QImage image((QSizeF(size) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return std::nullopt;
    image.setDevicePixelRatio(scale);
    // Fonts sized in points come out as large as on the screen, whatever the image's own resolution.
    image.setDotsPerMeterX(qRound(shownOn.logicalDpiX() / kMetresPerInch));
    image.setDotsPerMeterY(qRound(shownOn.logicalDpiY() / kMetresPerInch));
    image.fill(Qt::white);
    paintOn(image, size, shownOn, paint);

    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return std::nullopt;
    return png;
}

}  // namespace

std::optional<QByteArray> encodePicture(const QString& path, QSize size, const QWidget& shownOn,
                                        const PicturePainter& paint)
{
    if (size.isEmpty()) return std::nullopt;
    return isSvg(path) ? svgOf(size, shownOn, paint) : pngOf(size, shownOn, paint);
}
