#pragma once

#include <optional>

#include <QFrame>
#include <QString>

#include "design/outline.h"

class QPainter;

// The drawing surface of the main window ("Picture1"): the last designed
// outline in fixed chord coordinates, nothing else. It keeps the outline so
// that it is repainted after being covered, minimised or resized. However the
// window stretches it, the visible window keeps its true proportion, centred,
// the light yellow filling the spare room.
class SectionPlot : public QFrame {
    Q_OBJECT

public:
    explicit SectionPlot(QWidget* parent = nullptr);

    // Replaces whatever was drawn before, with a warning written over the
    // section when it is not what was asked for (empty for none).
    void draw(const folix::Outline& outline, const QString& warning = {});
    bool hasOutline() const { return outline_.has_value(); }
    const QString& warning() const { return warning_; }

    // The visible window as it is drawn now, in pixels: the size of its picture.
    QSize viewSize() const;
    // Paints what the surface shows into area: the light yellow, and the
    // outline in the largest centred visible window that area holds.
    void paintView(QPainter& painter, const QRectF& area) const;

    // As tall as the visible window's proportion asks at the present width;
    // a short window may squeeze it down to the minimum.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::optional<folix::Outline> outline_;
    QString warning_;
};
