#pragma once

#include <functional>

#include <QRectF>
#include <QSize>
#include <QString>

class FileSaver;
class QPainter;
class QWidget;

// What "Save picture…" offers: a PNG for documents, an SVG of vector lines for
// drawings that scale.
inline constexpr const char* kPictureFilter = "PNG images (*.png);;SVG drawings (*.svg)";

// Paints the picture into area, in the widget's logical pixels.
using PicturePainter = std::function<void(QPainter& painter, const QRectF& area)>;

// "Save picture…" over the window `over`: asks for the file, the suggested
// name ending in nameEnd, then writes the picture of size logical pixels that
// paint draws, by the file's ending: an SVG for ".svg", otherwise a PNG at
// twice the resolution of the screen that shownOn is on. Painted in shownOn's
// font and dots per inch, so text keeps its size on the screen.
void savePictureFile(FileSaver& saver, QWidget* over, const QString& nameEnd, QSize size, const QWidget& shownOn,
                     const PicturePainter& paint);
