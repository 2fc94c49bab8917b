#pragma once

#include <array>
#include <optional>

#include "window/chart_frame.h"
#include "window/viscous_chart.h"

// The viscous section's four charts side by side in two rows: lift, drag
// polar, moment and transition, each with its curves in pieces (a gap where
// an angle has no value) and a dot at every point; or a message where there
// are none. Everything it draws is computed elsewhere.
class ViscousPlot : public ChartFrame {
    Q_OBJECT

public:
    explicit ViscousPlot(QWidget* parent = nullptr);

    void showCharts(std::array<folix::PolarChart, 4> charts);
    void showMessage(const QString& text);

    bool hasCharts() const { return charts_.has_value(); }
    const std::optional<std::array<folix::PolarChart, 4>>& charts() const { return charts_; }

    QSize sizeHint() const override { return {640, 440}; }
    QSize minimumSizeHint() const override { return {420, 300}; }

protected:
    void paintContents(QPainter& painter, const QRectF& area, Surface surface) const override;

private:
    std::optional<std::array<folix::PolarChart, 4>> charts_;
};
