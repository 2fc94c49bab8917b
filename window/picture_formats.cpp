#include "picture_formats.h"

#include <string_view>

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QWidget>

namespace {

constexpr double kPngEnlargement = 2;
constexpr double kMetresPerInch = 0.0254;
constexpr double kPointsPerInch = 72;
constexpr const char* kCreator = "FolixDesign";
constexpr int kJpegQuality = 95;  // thin lines stay clean

void paintOn(QPaintDevice& device, QSize size, const QWidget& shownOn, const PicturePainter& paint)
{
    QPainter painter(&device);
    painter.setFont(shownOn.font());
    paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
}

std::optional<QByteArray> imageOf(const char* format, QSize size, const QWidget& shownOn, const QString& description,
                                  const PicturePainter& paint)
{
    const double scale = kPngEnlargement * shownOn.devicePixelRatioF();
    QImage image((QSizeF(size) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return std::nullopt;
    image.setDevicePixelRatio(scale);
    image.setDotsPerMeterX(qRound(shownOn.logicalDpiX() / kMetresPerInch));
    image.setDotsPerMeterY(qRound(shownOn.logicalDpiY() / kMetresPerInch));
    image.setText("Description", description);
    image.setText("Software", kCreator);
    image.fill(Qt::white);
    paintOn(image, size, shownOn, paint);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, format, std::string_view(format) == "JPG" ? kJpegQuality : -1)) return std::nullopt;
    return bytes;
}

std::optional<QByteArray> svgOf(QSize size, const QWidget& shownOn, const QString& description,
                                const PicturePainter& paint)
{
    QByteArray svg;
    QBuffer buffer(&svg);
    if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(shownOn.logicalDpiY());
    generator.setDescription(description);
    paintOn(generator, size, shownOn, paint);
    return svg;
}

std::optional<QByteArray> pdfOf(QSize size, const QWidget& shownOn, const QString& description,
                                const PicturePainter& paint)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
    {
        // At the screen's dots per inch a logical pixel is a device pixel: the page is the picture's size.
        const int dpi = shownOn.logicalDpiY();
        QPdfWriter writer(&buffer);
        writer.setResolution(dpi);
        writer.setPageSize(QPageSize(QSizeF(size) * (kPointsPerInch / dpi), QPageSize::Point, QString(),
                                     QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setCreator(kCreator);
        writer.setTitle(description);
        paintOn(writer, size, shownOn, paint);
    }
    if (pdf.isEmpty()) return std::nullopt;
    return pdf;
}

}  // namespace

std::optional<PictureFormat> pictureFormatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "png") return PictureFormat::Png;
    if (suffix == "jpg" || suffix == "jpeg") return PictureFormat::Jpg;
    if (suffix == "svg") return PictureFormat::Svg;
    if (suffix == "pdf") return PictureFormat::Pdf;
    return std::nullopt;
}

std::optional<QByteArray> pictureBytes(PictureFormat format, QSize size, const QWidget& shownOn,
                                        const QString& description, const PicturePainter& paint)
{
    if (size.isEmpty()) return std::nullopt;
    switch (format) {
    case PictureFormat::Png: return imageOf("PNG", size, shownOn, description, paint);
    case PictureFormat::Jpg: return imageOf("JPG", size, shownOn, description, paint);
    case PictureFormat::Svg: return svgOf(size, shownOn, description, paint);
    case PictureFormat::Pdf: return pdfOf(size, shownOn, description, paint);
    }
    return std::nullopt;
}
