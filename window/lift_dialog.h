#pragma once

#include <functional>

#include <QDialog>

#include "window/typed_inputs.h"

class QDoubleSpinBox;
class QLabel;
class QRadioButton;

// "Design for lift…": a lift coefficient at an angle of attack or at the
// ideal angle. The thickness and trailing-edge angle or location are those of
// the main window's boxes, read when Design is pressed; the camber that meets
// the target is handed back, for the main window to type into its camber box
// and design as usual. A target that cannot be met keeps the dialog open with
// the reason and what to change.
class LiftDialog : public QDialog {
    Q_OBJECT

public:
    using BoxReader = std::function<folix::TypedInputs()>;
    LiftDialog(QWidget* parent, BoxReader boxes);

    double liftCoefficient() const;
    bool idealAngle() const;
    double angleOfAttack() const;

public slots:
    // Solves the camber; on success emits solved() and closes.
    void design();

signals:
    // The camber ratio found, as the camber box should show it.
    void solved(const QString& camberText, const QString& summary);

private:
    BoxReader boxes_;
    QDoubleSpinBox* lift_ = nullptr;
    QRadioButton* atAngle_ = nullptr;
    QRadioButton* atIdeal_ = nullptr;
    QDoubleSpinBox* alpha_ = nullptr;
    QLabel* problem_ = nullptr;
};
