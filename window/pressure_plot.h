#pragma once

#include <optional>
#include <vector>

#include <QColor>

#include "window/chart_frame.h"
#include "window/pressure_chart.h"

inline constexpr const char* kSuctionTitle = "\u2212Cp";
inline constexpr const char* kChordTitle = "x/c";
inline constexpr const char* kUpperSurfaceName = "Upper surface";
inline constexpr const char* kLowerSurfaceName = "Lower surface";

// The curves of a pinned section, drawn muted under the shown ones.
struct PinnedCurves {
    QString label;
    QColor ink;
    folix::PressureCurves curves;
};

// The pressure distribution of the analysis window: -Cp over x/c with the
// upper and lower surfaces in their own colours, the section's outline
// underneath on the same chord axis, or a message where no curve can be given.
// Everything it draws is computed elsewhere; it only places it on the surface.
class PressurePlot : public ChartFrame {
    Q_OBJECT

    struct Layout;  // where the parts of the chart go on a given area

public:
    explicit PressurePlot(QWidget* parent = nullptr);

    // A new design: its outline and chord axis. Drops the curves of the last one.
    void showSection(folix::SectionChart section);
    // The curves at the current angle of attack, over the section last shown.
    void showCurves(folix::PressureCurves curves);
    // The pinned sections' curves at the same angle of attack; none for none.
    void showPinned(std::vector<PinnedCurves> pinned);
    const std::vector<PinnedCurves>& pinned() const { return pinned_; }
    // Instead of the curves, until the next ones come.
    void showMessage(const QString& text);
    // Nothing at all.
    void clear();

    bool hasCurves() const { return curves_.has_value(); }
    const std::optional<folix::PressureCurves>& curves() const { return curves_; }
    const std::optional<folix::SectionChart>& section() const { return section_; }

    // The points of either curve nearest to the pointer, while it is over the chart.
    std::optional<folix::PointedValues> pointed() const;

    QSize sizeHint() const override { return {560, 400}; }
    QSize minimumSizeHint() const override { return {360, 260}; }

signals:
    // The pointer moved over the chart, or the curves under it changed.
    void pointedChanged();

protected:
    void paintContents(QPainter& painter, const QRectF& area, Surface surface) const override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void paintChart(QPainter& painter, const QRect& area, bool markPointed) const;
    void paintPointed(QPainter& painter, const Layout& layout) const;
    void paintLegend(QPainter& painter, const Layout& layout) const;
    Layout layout(const QFontMetrics& metrics, const QRect& area) const;
    void pointAt(std::optional<double> chordX);

    std::optional<folix::SectionChart> section_;
    std::optional<folix::PressureCurves> curves_;
    std::vector<PinnedCurves> pinned_;
    std::optional<double> pointedChord_;  // x/c under the pointer
};
