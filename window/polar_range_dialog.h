#pragma once

#include <QDialog>

class QDoubleSpinBox;
class QLabel;

// Asks for the angles of attack of a polar: from, to and step, in degrees.
// A range that gives no polar is refused in the dialog itself, which stays
// open and says why.
class PolarRangeDialog : public QDialog {
    Q_OBJECT

public:
    explicit PolarRangeDialog(QWidget* parent, double from, double to, double step);

    double from() const;
    double to() const;
    double step() const;

    void accept() override;

private:
    QDoubleSpinBox* from_ = nullptr;
    QDoubleSpinBox* to_ = nullptr;
    QDoubleSpinBox* step_ = nullptr;
    QLabel* problem_ = nullptr;
};
