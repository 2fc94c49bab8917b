#pragma once

#include <optional>

#include <QFrame>

#include "window/pressure_chart.h"

inline constexpr const char* kSuctionTitle = "\u2212Cp";
inline constexpr const char* kChordTitle = "x/c";
inline constexpr const char* kUpperSurfaceName = "Upper surface";
inline constexpr const char* kLowerSurfaceName = "Lower surface";

// The pressure distribution of the analysis window: -Cp over x/c with the
// upper and lower surfaces in their own colours, the section's outline
// underneath on the same chord axis, or a message where no curve can be given.
// Everything it draws is computed elsewhere; it only places it on the surface.
class PressurePlot : public QFrame {
    Q_OBJECT

public:
    explicit PressurePlot(QWidget* parent = nullptr);

    // A new design: its outline and chord axis. Drops the curves of the last one.
    void showSection(folix::SectionChart section);
    // The curves at the current angle of attack, over the section last shown.
    void showCurves(folix::PressureCurves curves);
    // Instead of the curves, until the next ones come.
    void showMessage(const QString& text);
    // Nothing at all.
    void clear();

    bool hasCurves() const { return curves_.has_value(); }
    const std::optional<folix::PressureCurves>& curves() const { return curves_; }
    const std::optional<folix::SectionChart>& section() const { return section_; }
    const QString& message() const { return message_; }

    QSize sizeHint() const override { return {560, 400}; }
    QSize minimumSizeHint() const override { return {360, 260}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintMessage(QPainter& painter);
    void paintChart(QPainter& painter);

    std::optional<folix::SectionChart> section_;
    std::optional<folix::PressureCurves> curves_;
    QString message_;
};
