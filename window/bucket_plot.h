#pragma once

#include <optional>

#include "window/bucket_chart.h"
#include "window/chart_frame.h"

// The cavitation bucket: -Cp_min against Cl, the sigma line, and the
// cavitation-free range shaded between its edges; or a message where there is
// no curve. Everything it draws is computed elsewhere.
class BucketPlot : public ChartFrame {
    Q_OBJECT

public:
    explicit BucketPlot(QWidget* parent = nullptr);

    void showChart(folix::BucketChart chart);
    void showMessage(const QString& text);

    bool hasCurve() const { return chart_.has_value() && !chart_->curve.empty(); }
    const std::optional<folix::BucketChart>& chart() const { return chart_; }

    QSize sizeHint() const override { return {520, 380}; }
    QSize minimumSizeHint() const override { return {320, 240}; }

protected:
    void paintContents(QPainter& painter, const QRectF& area, Surface surface) const override;

private:
    std::optional<folix::BucketChart> chart_;
};
