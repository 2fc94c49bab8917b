#pragma once

#include <functional>
#include <optional>

#include <QByteArray>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;
class QWidget;

// What "Save picture…" offers: a PNG for documents, an SVG of vector lines for
// drawings that scale.
inline constexpr const char* kPictureFilter = "PNG images (*.png);;SVG drawings (*.svg)";

// Paints the picture into area, in the widget's logical pixels.
using PicturePainter = std::function<void(QPainter& painter, const QRectF& area)>;

// The picture of size logical pixels that paint draws, encoded by the ending
// of path: an SVG for ".svg", otherwise a PNG at twice the resolution of the
// screen that shownOn is on. Painted in shownOn's font and dots per inch, so
// text keeps its size on the screen. None when it cannot be encoded.
std::optional<QByteArray> encodePicture(const QString& path, QSize size, const QWidget& shownOn,
                                        const PicturePainter& paint);
