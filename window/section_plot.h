#pragma once

#include <optional>
#include <vector>

#include <QColor>
#include <QFrame>
#include <QString>

#include "design/outline.h"
#include "engine/selig_export.h"

class QPainter;

// A section kept for comparison, drawn under the shown one.
struct PlotPin {
    QString label;
    std::vector<folix::SectionPoint> outline;  // chord lengths
    QColor ink;
};

// The drawing surface of the main window ("Picture1"): the last designed
// outline in fixed chord coordinates, with the pinned sections under it and
// their legend. It keeps what it shows so that it is repainted after being
// covered, minimised or resized. However the window stretches it, the
// visible window keeps its true proportion, centred, the light yellow filling
// the spare room. It takes the keyboard focus, shows it with a frame, and asks
// for its context menu on Shift+F10 or the menu key as on a right click.
class SectionPlot : public QFrame {
    Q_OBJECT

public:
    explicit SectionPlot(QWidget* parent = nullptr);

    // Replaces whatever was drawn before, with a warning written over the
    // section when it is not what was asked for (empty for none).
    void draw(std::vector<folix::SectionPoint> outline, const QString& warning = {});
    void draw(const folix::Outline& outline, const QString& warning = {});
    bool hasOutline() const { return outline_.has_value(); }
    const std::optional<std::vector<folix::SectionPoint>>& outline() const { return outline_; }
    const QString& warning() const { return warning_; }

    // Where the surfaces cross, marked with a line across the chord at fromX
    // and the note; none for a section whose surfaces do not cross.
    void setCrossing(std::optional<double> fromX, const QString& note = {});
    std::optional<double> crossing() const { return crossFrom_; }

    // The outline belongs to inputs since changed: drawn muted, with a note saying so.
    void setStale(bool stale);
    bool stale() const { return stale_; }

    // The sections drawn for comparison, and the legend's name of the shown one.
    void setPins(std::vector<PlotPin> pins, const QString& shownLabel);
    const std::vector<PlotPin>& pins() const { return pins_; }

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
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void paintLegend(QPainter& painter, const QRectF& view) const;

    std::optional<std::vector<folix::SectionPoint>> outline_;
    QString warning_;
    std::optional<double> crossFrom_;
    QString crossingNote_;
    bool stale_ = false;
    std::vector<PlotPin> pins_;
    QString shownLabel_;
};

// What the plot writes over an outline whose inputs have changed since.
inline constexpr const char* kStaleNote = "inputs changed: design again";
