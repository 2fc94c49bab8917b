#pragma once

#include <optional>

#include <QFrame>

#include "window/bucket_chart.h"

// The cavitation bucket: -Cp_min against Cl, the sigma line, and the
// cavitation-free range shaded between its edges; or a message where there is
// no curve. Everything it draws is computed elsewhere.
class BucketPlot : public QFrame {
    Q_OBJECT

public:
    explicit BucketPlot(QWidget* parent = nullptr);

    void showChart(folix::BucketChart chart);
    void showMessage(const QString& text);

    bool hasCurve() const { return chart_.has_value() && !chart_->curve.empty(); }
    const std::optional<folix::BucketChart>& chart() const { return chart_; }
    const QString& message() const { return message_; }

    // Paints what the plot shows, without its frame, into area: for a picture.
    void paintPicture(QPainter& painter, const QRectF& area) const;

    QSize sizeHint() const override { return {520, 380}; }
    QSize minimumSizeHint() const override { return {320, 240}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintContents(QPainter& painter, const QRect& area) const;

    std::optional<folix::BucketChart> chart_;
    QString message_;
};
