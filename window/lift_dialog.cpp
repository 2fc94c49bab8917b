#include "lift_dialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

#include "engine/number_text.h"
#include "engine/section_analysis.h"
#include "window/typed_lift.h"
#include "window/window_colours.h"

namespace {

constexpr double kMostLift = 10;
constexpr double kSteepestAngle = 20;  // degrees, as the analysis window offers

QDoubleSpinBox* numberBox(const char* name, double low, double high, int decimals, double value)
{
    auto* box = new QDoubleSpinBox;
    box->setObjectName(name);
    box->setRange(low, high);
    box->setDecimals(decimals);
    box->setValue(value);
    return box;
}

}  // namespace

LiftDialog::LiftDialog(QWidget* parent, BoxReader boxes) : QDialog(parent), boxes_(std::move(boxes))
{
    setObjectName("LiftDialog");
    setWindowTitle("Design for lift");

    lift_ = numberBox("LiftTarget", 0, kMostLift, 6, 0.5);
    lift_->setSingleStep(0.05);
    atAngle_ = new QRadioButton("At the angle of attack \u03b1 :");
    atAngle_->setObjectName("AtAngle");
    atAngle_->setChecked(true);
    atIdeal_ = new QRadioButton("At the ideal angle (stagnation point on the leading edge)");
    atIdeal_->setObjectName("AtIdealAngle");
    alpha_ = numberBox("LiftAngle", -kSteepestAngle, kSteepestAngle, 3, 2);
    alpha_->setSuffix("\u00b0");
    alpha_->setSingleStep(0.5);
    connect(atAngle_, &QRadioButton::toggled, alpha_, &QWidget::setEnabled);

    problem_ = new QLabel;
    problem_->setObjectName("LiftProblem");
    problem_->setWordWrap(true);
    problem_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette ink = problem_->palette();
    ink.setColor(QPalette::WindowText, kMessageInk);
    problem_->setPalette(ink);
    problem_->setVisible(false);

    auto* note = new QLabel("The thickness and the trailing-edge angle or maximum-thickness location are "
                            "those of the main window; the camber found goes into its camber box.");
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    QPushButton* designButton = buttons->addButton("Design", QDialogButtonBox::AcceptRole);
    designButton->setObjectName("LiftDesign");
    designButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &LiftDialog::design);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(note);
    form->addRow("Lift coefficient Cl :", lift_);
    form->addRow(atAngle_, alpha_);
    form->addRow(atIdeal_);
    form->addRow(problem_);
    form->addRow(buttons);
}

double LiftDialog::liftCoefficient() const { return lift_->value(); }
bool LiftDialog::idealAngle() const { return atIdeal_->isChecked(); }
double LiftDialog::angleOfAttack() const { return alpha_->value(); }

void LiftDialog::design()
{
    const std::optional<double> alpha = idealAngle() ? std::nullopt : std::optional(angleOfAttack());
    const folix::LiftDesign found = folix::typedLiftDesign(boxes_(), liftCoefficient(), alpha);
    if (found.failure) {
        problem_->setText(QString::fromStdString(found.failure->reason + ".\nTo reach it: " + found.failure->hint + "."));
        problem_->setVisible(true);
        return;
    }
    problem_->setVisible(false);
    const std::string separator = QLocale().decimalPoint().toStdString();
    const QString summary =
        QString("Design for lift: Cl = %1 at %2 = %3\u00b0 with camber %4 (%5 design runs)")
            .arg(QString::fromStdString(folix::coefficientText(found.Cl, separator)),
                 found.ideal ? QString("the ideal angle \u03b1") : QString("\u03b1"),
                 QString::fromStdString(folix::formatGeneral(found.alpha, separator)),
                 QString::fromStdString(folix::formatGeneral(found.camber, separator)))
            .arg(found.designRuns);
    emit solved(QString::fromStdString(folix::camberBoxText(found.camber)), summary);
    accept();
}
