#include "analysis_window.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "engine/number_text.h"
#include "window/bucket_window.h"
#include "engine/section_polar.h"
#include "window/angle_box.h"
#include "window/design_description.h"
#include "window/file_service.h"
#include "window/polar_range_dialog.h"
#include "window/pressure_chart.h"
#include "window/pressure_plot.h"
#include "window/window_colours.h"

namespace {

constexpr QSize kStartSize{640, 540};
constexpr double kSteepestAngle = 20;  // degrees, either way
constexpr double kAngleStep = 0.5;
constexpr const char* kNoValue = "\u2014";
constexpr const char* kPointingHint = "Point at the chart to read x/c and Cp on either surface.";

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

AnalysisWindow::AnalysisWindow(QWidget* parent, FileService* files) : QWidget(parent, Qt::Window), files_(files)
{
    setObjectName("AnalysisWindow");
    setWindowTitle(kAnalysisTitle);

    family_ = makeLabel("SectionFamily");
    QFont bold = family_->font();
    bold.setBold(true);
    family_->setFont(bold);
    parameters_ = makeLabel("SectionParameters");
    parameters_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    alpha_ = new AngleBox(kSteepestAngle, kAngleStep);
    alpha_->setObjectName("AngleOfAttack");
    alpha_->setValue(0);
    alpha_->setToolTip("Angle of attack in degrees, -20 to 20 in steps of 0.5, positive nose-up; the free stream "
                       "runs from the leading edge toward the trailing edge");
    QLabel* alphaCaption = makeLabel("AngleCaption", "Angle of attack \u03b1 :");
    alphaCaption->setBuddy(alpha_);

    lift_ = makeReadout("LiftCoefficient");
    moment_ = makeReadout("MomentCoefficient");
    QLabel* liftCaption = makeLabel("LiftCaption", "Cl =");
    QLabel* momentCaption = makeLabel("MomentCaption", "Cm =");
    const QString momentTip = "Pitching moment about the quarter chord, positive nose-up";
    momentCaption->setToolTip(momentTip);
    moment_->setToolTip(momentTip);

    trailingEdgeNote_ = makeLabel("TrailingEdgeNote");
    trailingEdgeNote_->setWordWrap(true);
    trailingEdgeNote_->setVisible(false);

    plot_ = new PressurePlot;
    pointed_ = makeLabel("PointedValues", kPointingHint);
    pointed_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(plot_, &PressurePlot::pointedChanged, this, &AnalysisWindow::showPointed);
    buildSaveMenu();

    auto* controls = new QHBoxLayout;
    controls->addWidget(alphaCaption);
    controls->addWidget(alpha_);
    controls->addWidget(alpha_->refusalLabel());
    controls->addSpacing(24);
    controls->addWidget(liftCaption);
    controls->addWidget(lift_);
    controls->addSpacing(12);
    controls->addWidget(momentCaption);
    controls->addWidget(moment_);
    controls->addStretch();
    auto* bucket = new QPushButton("Cavitation bucket\u2026");
    bucket->setObjectName("ShowBucket");
    connect(bucket, &QPushButton::clicked, this, &AnalysisWindow::showBucket);
    controls->addWidget(bucket);
    controls->addWidget(save_);

    auto* column = new QVBoxLayout(this);
    column->addWidget(family_);
    column->addWidget(parameters_);
    column->addSpacing(4);
    column->addLayout(controls);
    column->addWidget(plot_, 1);
    column->addWidget(pointed_);
    column->addWidget(trailingEdgeNote_);

    connect(alpha_, &QDoubleSpinBox::valueChanged, this, [this](double degrees) {
        showAngle(degrees);
        emit angleOfAttackChanged(degrees);
    });
    setFocusProxy(alpha_);
    resize(kStartSize);
}

void AnalysisWindow::buildSaveMenu()
{
    save_ = new QPushButton("Save");
    save_->setObjectName("AnalysisSave");
    saveMenu_ = new QMenu(save_);
    saveMenu_->setObjectName("AnalysisSaveMenu");
    const auto add = [this](const char* name, const char* text, void (AnalysisWindow::*command)()) {
        QAction* action = saveMenu_->addAction(QString::fromUtf8(text));
        action->setObjectName(name);
        action->setEnabled(false);  // nothing to save until curves are shown
        connect(action, &QAction::triggered, this, command);
    };
    add("SaveChartPicture", "Save picture\u2026", &AnalysisWindow::savePicture);
    add("SaveCpTable", "Save Cp table\u2026", &AnalysisWindow::saveTable);
    add("ExportPolar", "Export polar\u2026", &AnalysisWindow::askPolarRange);

    save_->setMenu(saveMenu_);
    save_->setVisible(files_ != nullptr);
    if (!files_) return;
    plot_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(plot_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { saveMenu_->popup(plot_->mapToGlobal(at)); });
}

void AnalysisWindow::setAngleOfAttack(double degrees)
{
    alpha_->setValue(degrees);
}

double AnalysisWindow::angleOfAttack() const
{
    return alpha_->value();
}

void AnalysisWindow::showDesign(const folix::MappedSection& design, const std::string& note)
{
    design_ = design;
    note_ = note;
    if (bucket_) bucket_->showDesign(design);
    family_->setText(QString::fromStdString(design.family));
    parameters_->setText(QString("F = %1     G = %2     m = %3").arg(shown(design.F), shown(design.G), shown(design.EM)));

    const std::vector<double> angles = folix::pressureCircleAngles(design.F, design.EM);
    QStringList leftOut;
    if (design.EM > 2)
        leftOut << "m > 2: the flow speed at the trailing edge has no finite value, so the curves stop just short of it.";
    if (!(design.F > 0))
        leftOut << "F = 0: the section has no thickness, and the flow speed at its sharp leading edge has no finite "
                   "value, so the curves leave that point out; Cl and Cm do not depend on it.";
    trailingEdgeNote_->setText(leftOut.join(' '));
    trailingEdgeNote_->setVisible(!leftOut.isEmpty());

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

void AnalysisWindow::showPins(const std::vector<folix::Pin>& pins)
{
    pinned_.clear();
    for (const folix::Pin& pin : pins) {
        if (!pin.section) continue;  // a reference section has no mapping, so no exact flow
        try {
            const folix::MappedSection& section = *pin.section;
            pinned_.push_back({QString::fromStdString(pin.label), pin.slot,
                               folix::SectionAnalysis(section.F, section.G, section.EM,
                                                      folix::pressureCircleAngles(section.F, section.EM))});
        } catch (const folix::ArithmeticError&) {
            // A pin whose flow cannot be computed is left off the chart; the others stay.
        }
    }
    showAngle(alpha_->value());
}

void AnalysisWindow::showAngle(double alpha)
{
    if (!analysis_) return;
    try {
        const folix::SectionLoads loads = analysis_->loads(alpha);
        folix::PressureCurves curves = folix::pressureCurves(analysis_->surface(), loads.Cp);
        std::vector<PinnedCurves> pinned;
        std::vector<folix::PressureCurves> pinnedCurves;
        for (const PinnedAnalysis& pin : pinned_) {
            try {
                pinnedCurves.push_back(folix::pressureCurves(pin.analysis.surface(), pin.analysis.pressureCoefficients(alpha)));
                pinned.push_back({pin.label, kPinInks[pin.slot], pinnedCurves.back()});
            } catch (const folix::ArithmeticError&) {
                // Left off at this angle, as above.
            }
        }
        curves.suction = folix::sharedSuctionAxis(curves, pinnedCurves);
        plot_->showPinned(std::move(pinned));
        plot_->showCurves(std::move(curves));
        lift_->setText(QString::fromStdString(folix::coefficientText(loads.Cl, separator())));
        moment_->setText(QString::fromStdString(folix::coefficientText(loads.Cm, separator())));
        for (QAction* action : saveMenu_->actions()) action->setEnabled(true);
    } catch (const folix::ArithmeticError& error) {
        showFailure(error.what());
    }
}

void AnalysisWindow::showFailure(const char* reason)
{
    plot_->showPinned({});
    plot_->showMessage(QString("The pressure distribution of this section cannot be computed: %1.").arg(reason));
    lift_->setText(kNoValue);
    moment_->setText(kNoValue);
    for (QAction* action : saveMenu_->actions()) action->setEnabled(false);
}

void AnalysisWindow::showPointed()
{
    const std::optional<folix::PointedValues> values = plot_->pointed();
    pointed_->setText(values ? QString::fromStdString(folix::pointedText(*values, separator())) : kPointingHint);
}

std::vector<std::string> AnalysisWindow::fileNotes() const
{
    std::vector<std::string> notes{note_.empty() ? folix::seligName(design_) : note_};
    if (const std::string loads = folix::loadsNoteOf(design_, alpha_->value()); analysis_ && !loads.empty())
        notes.push_back(loads);
    return notes;
}

QString AnalysisWindow::suggestedName(const char* extension) const
{
    // The angle tells apart the files of one section.
    return QString::fromStdString(folix::suggestedFileStem(design_)) +
           QString("_alpha%1_cp%2").arg(QString::fromStdString(folix::displayText(alpha_->value())), extension);
}

void AnalysisWindow::savePicture()
{
    if (!files_ || !plot_->hasCurves()) return;
    QStringList notes;
    for (const std::string& note : fileNotes()) notes << QString::fromStdString(note);
    files_->savePicture(this, suggestedName(".png"), plot_->contentsRect().size(), *plot_, notes.join("; "),
                        [this](QPainter& painter, const QRectF& area) { plot_->paintPicture(painter, area); });
}

void AnalysisWindow::saveTable()
{
    if (!files_ || !analysis_ || !plot_->hasCurves()) return;
    std::string table;
    try {
        table = folix::commentLines(fileNotes()) +
                folix::pressureTableText(analysis_->surface(), analysis_->loads(alpha_->value()).Cp);
    } catch (const folix::ArithmeticError& error) {
        files_->warn(this, QString("The Cp table could not be computed: %1").arg(error.what()));
        return;
    }
    const QString path = files_->askForFile(this, "Save Cp table", suggestedName(".csv"), "CSV tables (*.csv)");
    if (!path.isEmpty()) files_->writeFile(this, path, table, "Cp table");
}

void AnalysisWindow::askPolarRange()
{
    if (!files_ || !analysis_) return;
    if (!polarRange_) {
        polarRange_ = new PolarRangeDialog(this, -kSteepestAngle, kSteepestAngle, kAngleStep);
        connect(polarRange_, &QDialog::accepted, this, &AnalysisWindow::exportPolar);
    }
    polarRange_->open();
}

void AnalysisWindow::exportPolar()
{
    if (!files_ || !analysis_) return;
    std::string table;
    try {
        const std::vector<double> angles = folix::polarAngles(polarRange_->from(), polarRange_->to(), polarRange_->step());
        table = folix::commentLines({fileNotes().front()}) +
                folix::polarCsvText(folix::sectionPolar(design_.F, design_.G, design_.EM, angles));
    } catch (const std::invalid_argument& error) {
        files_->warn(this, QString("No polar: %1.").arg(error.what()));
        return;
    } catch (const folix::ArithmeticError& error) {
        files_->warn(this, QString("The polar could not be computed: %1").arg(error.what()));
        return;
    }
    const QString path = files_->askForFile(
        this, "Export polar", QString::fromStdString(folix::suggestedFileStem(design_)) + "_polar.csv",
        "CSV tables (*.csv)");
    if (!path.isEmpty()) files_->writeFile(this, path, table, "polar");
}

void AnalysisWindow::showBucket()
{
    if (!bucket_) {
        bucket_ = new BucketWindow(this, files_);
        bucket_->showDesign(design_);
    }
    bucket_->setWindowState(bucket_->windowState() & ~Qt::WindowMinimized);
    bucket_->show();
    bucket_->raise();
    bucket_->activateWindow();
}
