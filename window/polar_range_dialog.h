#pragma once

#include <QDialog>

class QDoubleSpinBox;

// Asks for the angles of attack of a polar: from, to and step, in degrees.
class PolarRangeDialog : public QDialog {
    Q_OBJECT

public:
    explicit PolarRangeDialog(QWidget* parent, double from, double to, double step);

    double from() const;
    double to() const;
    double step() const;

private:
    QDoubleSpinBox* from_ = nullptr;
    QDoubleSpinBox* to_ = nullptr;
    QDoubleSpinBox* step_ = nullptr;
};
