#pragma once

#include <functional>
#include <optional>

#include <QByteArray>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;
class QWidget;

// Paints the picture into area, in the widget's logical pixels.
using PicturePainter = std::function<void(QPainter& painter, const QRectF& area)>;

// The kinds of picture a window saves, told by the file name's ending.
enum class PictureFormat { Png, Jpg, Svg, Pdf };

inline constexpr const char* kPictureFormatsFilter =
    "PNG images (*.png);;JPEG images (*.jpg *.jpeg);;SVG drawings (*.svg);;PDF documents (*.pdf)";

// ".png", ".jpg" or ".jpeg", ".svg" or ".pdf" in any case; none for any other ending.
std::optional<PictureFormat> pictureFormatOf(const QString& path);

// The picture of size logical pixels that paint draws, in shownOn's font and
// dots per inch so that text keeps its size: a PNG or a JPEG at twice the
// resolution of shownOn's screen, an SVG, or a one-page PDF of the picture's size with
// vector lines. The description goes into the file's metadata. None when it
// cannot be encoded.
std::optional<QByteArray> pictureBytes(PictureFormat format, QSize size, const QWidget& shownOn,
                                       const QString& description, const PicturePainter& paint);
