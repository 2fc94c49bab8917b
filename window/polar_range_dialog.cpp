#include "polar_range_dialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>

namespace {

// Steep enough for any study; the step still gives at most 18,001 angles.
constexpr double kSteepestAngle = 90;
constexpr double kFinestStep = 0.01;
constexpr int kDecimals = 2;

QDoubleSpinBox* angleBox(const char* name, double low, double high, double value)
{
    auto* box = new QDoubleSpinBox;
    box->setObjectName(name);
    box->setRange(low, high);
    box->setDecimals(kDecimals);
    box->setValue(value);
    box->setSuffix("\u00b0");
    return box;
}

}  // namespace

PolarRangeDialog::PolarRangeDialog(QWidget* parent, double from, double to, double step) : QDialog(parent)
{
    setObjectName("PolarRangeDialog");
    setWindowTitle("Export polar");
    from_ = angleBox("PolarFrom", -kSteepestAngle, kSteepestAngle, from);
    to_ = angleBox("PolarTo", -kSteepestAngle, kSteepestAngle, to);
    step_ = angleBox("PolarStep", kFinestStep, kSteepestAngle, step);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow("Angle of attack from:", from_);
    form->addRow("to:", to_);
    form->addRow("in steps of:", step_);
    form->addRow(buttons);
}

double PolarRangeDialog::from() const { return from_->value(); }
double PolarRangeDialog::to() const { return to_->value(); }
double PolarRangeDialog::step() const { return step_->value(); }
