#pragma once

#include <vector>

#include <QFrame>
#include <QString>

class ChartScale;
class QPainter;

// The sunken light-yellow surface the window's charts are drawn on: inside
// its frame on screen, and without it into a picture. A chart paints what it
// shows through paintContents, or a message in its place.
class ChartFrame : public QFrame {
    Q_OBJECT

public:
    const QString& message() const { return message_; }

    // Paints what the chart shows, without its frame, into area: for a picture.
    void paintPicture(QPainter& painter, const QRectF& area) const;

protected:
    // What the contents are painted for: a picture leaves out what only matters on screen.
    enum class Surface { Screen, Picture };

    ChartFrame(const char* name, QWidget* parent);

    void paintEvent(QPaintEvent* event) override;
    virtual void paintContents(QPainter& painter, const QRectF& area, Surface surface) const = 0;

    void setMessage(const QString& text) { message_ = text; }
    // The message centred in area, margin in from its edges, wrapped at words.
    void paintMessage(QPainter& painter, const QRectF& area, double margin) const;

private:
    QString message_;
};

// A chart's grid over frame, and its ticks with their labels on the left and
// bottom edges, the labels in lines of lineHeight within area.
void paintGridAndTicks(QPainter& painter, const QRect& area, const QRect& frame, const ChartScale& across,
                       const ChartScale& up, const std::vector<double>& acrossTicks,
                       const std::vector<double>& upTicks, int lineHeight, int tickLength);
