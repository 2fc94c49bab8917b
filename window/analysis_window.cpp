#include "analysis_window.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

#include "engine/number_text.h"
#include "window/pressure_chart.h"
#include "window/pressure_plot.h"

namespace {

constexpr QSize kStartSize{640, 540};
constexpr double kSteepestAngle = 20;  // degrees, either way
constexpr double kAngleStep = 0.5;
constexpr const char* kNoValue = "\u2014";

std::string separator()
{
    return QLocale().decimalPoint().toStdString();
}

QString shown(double value)
{
    return QString::fromStdString(folix::displayText(value, separator()));
}

QLabel* makeLabel(const char* name, const QString& text = {})
{
    auto* label = new QLabel(text);
    label->setObjectName(name);
    return label;
}

// A read-out: wide enough for "-0.0000" and more, so the row does not jump as values change.
QLabel* makeReadout(const char* name)
{
    QLabel* readout = makeLabel(name, kNoValue);
    readout->setTextInteractionFlags(Qt::TextSelectableByMouse);
    readout->setMinimumWidth(readout->fontMetrics().horizontalAdvance("-00.00000"));
    QFont bold = readout->font();
    bold.setBold(true);
    readout->setFont(bold);
    return readout;
}

}  // namespace

AnalysisWindow::AnalysisWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("AnalysisWindow");
    setWindowTitle(kAnalysisTitle);

    family_ = makeLabel("SectionFamily");
    QFont bold = family_->font();
    bold.setBold(true);
    family_->setFont(bold);
    parameters_ = makeLabel("SectionParameters");
    parameters_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    alpha_ = new QDoubleSpinBox;
    alpha_->setObjectName("AngleOfAttack");
    alpha_->setRange(-kSteepestAngle, kSteepestAngle);
    alpha_->setSingleStep(kAngleStep);
    alpha_->setDecimals(1);
    alpha_->setValue(0);
    alpha_->setSuffix("\u00b0");
    alpha_->setAccelerated(true);
    alpha_->setToolTip("Positive nose-up; the free stream runs from the leading edge toward the trailing edge");
    QLabel* alphaCaption = makeLabel("AngleCaption", "Angle of attack \u03b1 :");
    alphaCaption->setBuddy(alpha_);

    lift_ = makeReadout("LiftCoefficient");
    moment_ = makeReadout("MomentCoefficient");
    QLabel* liftCaption = makeLabel("LiftCaption", "Cl =");
    QLabel* momentCaption = makeLabel("MomentCaption", "Cm =");
    const QString momentTip = "Pitching moment about the quarter chord, positive nose-up";
    momentCaption->setToolTip(momentTip);
    moment_->setToolTip(momentTip);

    note_ = makeLabel("TrailingEdgeNote");
    note_->setWordWrap(true);
    note_->setVisible(false);

    plot_ = new PressurePlot;

    auto* controls = new QHBoxLayout;
    controls->addWidget(alphaCaption);
    controls->addWidget(alpha_);
    controls->addSpacing(24);
    controls->addWidget(liftCaption);
    controls->addWidget(lift_);
    controls->addSpacing(12);
    controls->addWidget(momentCaption);
    controls->addWidget(moment_);
    controls->addStretch();

    auto* column = new QVBoxLayout(this);
    column->addWidget(family_);
    column->addWidget(parameters_);
    column->addSpacing(4);
    column->addLayout(controls);
    column->addWidget(plot_, 1);
    column->addWidget(note_);

    connect(alpha_, &QDoubleSpinBox::valueChanged, this, &AnalysisWindow::showAngle);
    setFocusProxy(alpha_);
    resize(kStartSize);
}

double AnalysisWindow::angleOfAttack() const
{
    return alpha_->value();
}

void AnalysisWindow::showDesign(const folix::DrawnDesign& design)
{
    family_->setText(QString::fromStdString(design.AirfoilType));
    parameters_->setText(QString("F = %1     G = %2     m = %3").arg(shown(design.F), shown(design.G), shown(design.EM)));

    const std::vector<double> angles = folix::pressureCircleAngles(design.EM);
    const bool trailingEdgeLeftOut = angles.size() < static_cast<std::size_t>(folix::kPressurePoints);
    note_->setText(trailingEdgeLeftOut
                       ? QString("m > 2: the flow speed at the trailing edge has no finite value, "
                                 "so the curves stop just short of it.")
                       : QString());
    note_->setVisible(trailingEdgeLeftOut);

    // Whatever was shown belongs to another design: it goes first, so a failure cannot leave it standing.
    analysis_.reset();
    plot_->clear();
    try {
        analysis_.emplace(design.F, design.G, design.EM, angles);
        plot_->showSection(folix::sectionChart(analysis_->surface()));
    } catch (const folix::ArithmeticError& error) {
        analysis_.reset();
        showFailure(error.what());
        return;
    }
    showAngle(alpha_->value());
}

void AnalysisWindow::showAngle(double alpha)
{
    if (!analysis_) return;
    try {
        const folix::SectionLoads loads = analysis_->loads(alpha);
        plot_->showCurves(folix::pressureCurves(analysis_->surface(), loads.Cp));
        lift_->setText(QString::fromStdString(folix::coefficientText(loads.Cl, separator())));
        moment_->setText(QString::fromStdString(folix::coefficientText(loads.Cm, separator())));
    } catch (const folix::ArithmeticError& error) {
        showFailure(error.what());
    }
}

void AnalysisWindow::showFailure(const char* reason)
{
    plot_->showMessage(QString("The pressure distribution of this section cannot be computed: %1.").arg(reason));
    lift_->setText(kNoValue);
    moment_->setText(kNoValue);
}
