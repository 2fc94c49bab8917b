#pragma once

#include <optional>

#include <QFrame>

#include "window/design_run.h"

// The drawing surface of the main window ("Picture1"): the last designed
// outline in fixed chord coordinates, nothing else. It keeps the outline so
// that it is repainted after being covered, minimised or resized.
class SectionPlot : public QFrame {
    Q_OBJECT

public:
    // Chord coordinates at the upper-left and lower-right corners of the surface.
    static constexpr QPointF kUpperLeft{-0.1, 0.24};
    static constexpr QPointF kLowerRight{1.1, -0.24};
    // Width over height of the surface, the same as that of the visible window.
    static constexpr double kAspect = 2.5;

    explicit SectionPlot(QWidget* parent = nullptr);

    // Replaces whatever was drawn before.
    void draw(const folix::Outline& outline);
    bool hasOutline() const { return outline_.has_value(); }

    // Where a point in chord coordinates lands on the surface.
    QPointF toSurface(QPointF chordPoint) const;

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<folix::Outline> outline_;
};
