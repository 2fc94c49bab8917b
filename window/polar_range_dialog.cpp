#include "polar_range_dialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>

#include "engine/section_polar.h"
#include "window/window_colours.h"

namespace {

// Steep enough for any study; the step still gives at most 18,001 angles.
constexpr double kSteepestAngle = 90;
constexpr double kFinestStep = 0.01;
constexpr int kDecimals = 2;

QDoubleSpinBox* angleBox(const char* name, double low, double high, double value, const QString& tip)
{
    auto* box = new QDoubleSpinBox;
    box->setToolTip(tip);
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
    from_ = angleBox("PolarFrom", -kSteepestAngle, kSteepestAngle, from, "First angle of attack in degrees, -90 to 90");
    to_ = angleBox("PolarTo", -kSteepestAngle, kSteepestAngle, to,
                   "Last angle of attack in degrees, -90 to 90, not below the first");
    step_ = angleBox("PolarStep", kFinestStep, kSteepestAngle, step, "Step between angles in degrees, 0.01 to 90");
    problem_ = new QLabel;
    problem_->setObjectName("PolarRangeProblem");
    problem_->setWordWrap(true);
    QPalette ink = problem_->palette();
    ink.setColor(QPalette::WindowText, kMessageInk);
    problem_->setPalette(ink);
    problem_->setVisible(false);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow("Angle of attack &from:", from_);
    form->addRow("&to:", to_);
    form->addRow("in &steps of:", step_);
    form->addRow(problem_);
    form->addRow(buttons);
}

double PolarRangeDialog::from() const { return from_->value(); }
double PolarRangeDialog::to() const { return to_->value(); }
double PolarRangeDialog::step() const { return step_->value(); }

void PolarRangeDialog::accept()
{
    try {
        folix::polarAngles(from(), to(), step());
    } catch (const std::invalid_argument& error) {
        problem_->setText(QString("No polar: %1.").arg(error.what()));
        problem_->setVisible(true);
        return;
    }
    problem_->setVisible(false);
    QDialog::accept();
}
