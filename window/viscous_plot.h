#pragma once

#include <array>
#include <optional>

#include <QFrame>

#include "window/viscous_chart.h"

// The viscous section's four charts side by side in two rows: lift, drag
// polar, moment and transition, each with its curves in pieces (a gap where
// an angle has no value) and a dot at every point; or a message where there
// are none. Everything it draws is computed elsewhere.
class ViscousPlot : public QFrame {
    Q_OBJECT

public:
    explicit ViscousPlot(QWidget* parent = nullptr);

    void showCharts(std::array<folix::PolarChart, 4> charts);
    void showMessage(const QString& text);

    bool hasCharts() const { return charts_.has_value(); }
    const std::optional<std::array<folix::PolarChart, 4>>& charts() const { return charts_; }
    const QString& message() const { return message_; }

    // Paints what the plot shows, without its frame, into area: for a picture.
    void paintPicture(QPainter& painter, const QRectF& area) const;

    QSize sizeHint() const override { return {640, 440}; }
    QSize minimumSizeHint() const override { return {420, 300}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintContents(QPainter& painter, const QRect& area) const;

    std::optional<std::array<folix::PolarChart, 4>> charts_;
    QString message_;
};
