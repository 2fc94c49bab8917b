#include "viscous_section.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "design/design_status.h"
#include "engine/arithmetic_error.h"
#include "engine/number_text.h"
#include "engine/section_polar.h"
#include "viscous/xfoil_program.h"
#include "window/design_description.h"
#include "window/drawn_design.h"
#include "window/file_service.h"
#include "window/viscous_chart.h"
#include "window/viscous_plot.h"
#include "window/viscous_run.h"
#include "window/window_colours.h"

namespace {

constexpr double kSteepestAngle = 30;
constexpr const char* kPrompt = "Set the flow and the angles, then Compute polar: XFOIL analyses the section's "
                                "coordinate file of 161 points.";

std::string separator() { return QLocale().decimalPoint().toStdString(); }

QDoubleSpinBox* numberBox(const char* name, double low, double high, double value, int decimals, double step,
                          const char* tip)
{
    auto* box = new QDoubleSpinBox;
    box->setObjectName(name);
    box->setRange(low, high);
    box->setDecimals(decimals);
    box->setSingleStep(step);
    box->setValue(value);
    box->setToolTip(tip);
    box->setAccelerated(true);
    return box;
}

QDoubleSpinBox* angleBox(const char* name, double low, double value, const char* tip)
{
    QDoubleSpinBox* box = numberBox(name, low, kSteepestAngle, value, 2, 0.5, tip);
    box->setSuffix("\u00b0");
    return box;
}

}  // namespace

ViscousSection::ViscousSection(QWidget* parent, FileService* files) : QWidget(parent), files_(files)
{
    setObjectName("ViscousPolar");
    run_ = new ViscousRun(this);
    connect(run_, &ViscousRun::angleDone, this, &ViscousSection::takeAngle);
    connect(run_, &ViscousRun::finished, this, &ViscousSection::finish);

    reynolds_ = numberBox("ReynoldsNumber", 1e3, 1e9, 1e6, 0, 1e5, "Chord Reynolds number, 1000 to 1e9");
    mach_ = numberBox("MachNumber", 0, 0.95, 0, 3, 0.05,
                      "Free-stream Mach number (XFOIL's compressibility correction)");
    ncrit_ = numberBox("Ncrit", 0.1, 20, 9, 2, 1,
                       "e^n transition criterion: 9 for a clean wind tunnel, lower for a turbulent stream");
    from_ = angleBox("ViscousFrom", -kSteepestAngle, -4, "First angle of attack");
    to_ = angleBox("ViscousTo", -kSteepestAngle, 12, "Last angle of attack");
    step_ = angleBox("ViscousStep", 0.1, 1, "Step between the angles");

    inputs_ = new QWidget;
    auto* grid = new QGridLayout(inputs_);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto add = [grid](int row, int column, const char* caption, QWidget* box) {
        auto* label = new QLabel(caption);
        label->setBuddy(box);
        grid->addWidget(label, row, 2 * column, Qt::AlignRight);
        grid->addWidget(box, row, 2 * column + 1);
    };
    add(0, 0, "Re :", reynolds_);
    add(0, 1, "Mach :", mach_);
    add(0, 2, "Ncrit :", ncrit_);
    add(1, 0, "\u03b1 from :", from_);
    add(1, 1, "to :", to_);
    add(1, 2, "step :", step_);

    compute_ = new QPushButton("Compute polar");
    compute_->setObjectName("ComputePolar");
    connect(compute_, &QPushButton::clicked, this, &ViscousSection::computePolar);
    progress_ = new QProgressBar;
    progress_->setObjectName("PolarProgress");
    progress_->setRange(0, 1);
    progress_->setValue(0);
    progress_->setFormat("%v of %m angles");
    cancel_ = new QPushButton("Cancel");
    cancel_->setObjectName("CancelPolar");
    cancel_->setEnabled(false);
    connect(cancel_, &QPushButton::clicked, this, &ViscousSection::cancel);

    save_ = new QPushButton("Save");
    save_->setObjectName("ViscousSave");
    saveMenu_ = new QMenu(save_);
    const auto addSave = [this](const char* name, const char* text, void (ViscousSection::*command)()) {
        QAction* action = saveMenu_->addAction(QString::fromUtf8(text));
        action->setObjectName(name);
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, command);
    };
    addSave("SavePolarPicture", "Save picture\u2026", &ViscousSection::savePicture);
    addSave("SavePolarTable", "Save table\u2026", &ViscousSection::saveTable);
    save_->setMenu(saveMenu_);
    save_->setVisible(files_ != nullptr);

    unavailable_ = new QLabel;
    unavailable_->setObjectName("XfoilUnavailable");
    unavailable_->setWordWrap(true);
    unavailable_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette warning = unavailable_->palette();
    warning.setColor(QPalette::WindowText, kMessageInk);
    unavailable_->setPalette(warning);
    state_ = new QLabel(kPrompt);
    state_->setObjectName("ViscousState");
    state_->setWordWrap(true);
    state_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    plot_ = new ViscousPlot;
    plot_->showMessage("No viscous polar yet.");
    if (files_) {
        plot_->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(plot_, &QWidget::customContextMenuRequested, this,
                [this](const QPoint& at) { saveMenu_->popup(plot_->mapToGlobal(at)); });
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(compute_);
    buttons->addWidget(progress_, 1);
    buttons->addWidget(cancel_);
    buttons->addWidget(save_);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(unavailable_);
    column->addWidget(inputs_);
    column->addLayout(buttons);
    column->addWidget(state_);
    column->addWidget(plot_, 1);
    setFocusProxy(reynolds_);
    checkXfoil();
}

bool ViscousSection::running() const
{
    return run_->running();
}

bool ViscousSection::checkXfoil()
{
    const std::string reason = folix::xfoilUnavailableReason("");
    usable_ = reason.empty();
    unavailable_->setText(QString::fromStdString("No viscous polar: " + reason + "."));
    unavailable_->setVisible(!usable_);
    showRunning(run_->running());
    return usable_;
}

void ViscousSection::showDesign(const folix::MappedSection& design, const std::string& note)
{
    run_->stop();
    design_ = design;
    note_ = note;
    haveDesign_ = true;
    polars_.reset();
    finished_ = false;
    plot_->showMessage("No viscous polar yet.");
    state_->setText(kPrompt);
    checkXfoil();
}

void ViscousSection::computePolar()
{
    if (!haveDesign_ || run_->running() || !checkXfoil()) return;
    const auto refuse = [this](const QString& why) {
        state_->setText("No viscous polar: " + why);
        plot_->showMessage(state_->text());
    };
    if (design_.EM > 2) return refuse(QString(folix::kCrossingPolarRefusal) + ".");
    folix::ViscousOptions options;
    options.reynolds = reynolds_->value();
    options.mach = mach_->value();
    options.ncrit = ncrit_->value();
    folix::SectionPolars polars;
    std::vector<double> alphas;
    std::vector<folix::SectionPoint> contour;
    try {
        alphas = folix::polarAngles(from_->value(), to_->value(), step_->value());
        folix::checkPolarAngles(alphas);
        polars.exact = folix::sectionPolar(design_.F, design_.G, design_.EM, alphas);
        contour = folix::polarContour(design_);
    } catch (const std::invalid_argument& problem) {
        return refuse(QString::fromStdString(problem.what()) + ".");
    } catch (const folix::ArithmeticError& problem) {
        return refuse(QString("the section cannot be analysed: %1.").arg(problem.what()));
    }
    // Until XFOIL tells, no angle has a value.
    for (const double alpha : alphas) {
        folix::ViscousAngle angle;
        angle.alpha = alpha;
        angle.failure = "not done";
        polars.viscous.angles.push_back(angle);
    }
    const auto count = static_cast<int>(alphas.size());
    polars_ = std::move(polars);
    options_ = options;
    finished_ = false;
    anglesDone_ = 0;
    progress_->setRange(0, count);
    progress_->setValue(0);
    run_->start(std::move(contour), folix::seligName(design_), std::move(alphas), options);
    showRunning(true);
    state_->setText(QString("XFOIL is computing %1 angles at Re %2\u2026")
                        .arg(count)
                        .arg(QString::fromStdString(folix::formatGeneral(options.reynolds, separator()))));
    showCharts();
}

void ViscousSection::cancel()
{
    if (run_->running()) state_->setText("Cancelling\u2026");
    run_->cancel();
}

void ViscousSection::takeAngle(int index, const folix::ViscousAngle& angle)
{
    if (!polars_ || index < 0 || static_cast<std::size_t>(index) >= polars_->viscous.angles.size()) return;
    polars_->viscous.angles[static_cast<std::size_t>(index)] = angle;
    progress_->setValue(++anglesDone_);
    showCharts();
}

void ViscousSection::finish(const folix::ViscousPolar& polar, const QString& failure)
{
    showRunning(false);
    if (!polars_) return;
    if (!failure.isEmpty()) {
        polars_.reset();
        state_->setText("No viscous polar: " + failure + ".");
        plot_->showMessage(state_->text());
        return;
    }
    polars_->viscous = polar;
    finished_ = true;
    progress_->setValue(progress_->maximum());
    state_->setText(QString::fromStdString(folix::polarSummaryText(polar, separator())));
    showCharts();
    for (QAction* action : saveMenu_->actions()) action->setEnabled(true);
}

void ViscousSection::showRunning(bool running)
{
    inputs_->setEnabled(!running && usable_);
    compute_->setEnabled(!running && usable_ && haveDesign_);
    cancel_->setEnabled(running);
    if (!running && !finished_) progress_->setValue(0);
    for (QAction* action : saveMenu_->actions()) action->setEnabled(!running && finished_);
}

void ViscousSection::showCharts()
{
    if (polars_) plot_->showCharts(folix::polarCharts(polars_->exact, polars_->viscous));
}

void ViscousSection::hideEvent(QHideEvent* event)
{
    // Closing the window ends the polar; minimising it does not.
    if (!event->spontaneous()) cancel();
    QWidget::hideEvent(event);
}

void ViscousSection::showEvent(QShowEvent* event)
{
    checkXfoil();
    QWidget::showEvent(event);
}

std::vector<std::string> ViscousSection::fileNotes() const
{
    const folix::ViscousOptions& o = options_;
    return {note_.empty() ? folix::seligName(design_) : note_,
            "viscous polar from XFOIL at Re " + folix::formatGeneral(o.reynolds) + ", Mach " +
                folix::formatGeneral(o.mach) + ", Ncrit " + folix::formatGeneral(o.ncrit)};
}

QString ViscousSection::suggestedName(const char* extension) const
{
    return QString::fromStdString(folix::suggestedFileStem(design_)) +
           QString("_Re%1_polar%2").arg(QString::fromStdString(folix::formatGeneral(options_.reynolds)), extension);
}

void ViscousSection::savePicture()
{
    if (!files_ || !finished_ || !plot_->hasCharts()) return;
    const std::vector<std::string> notes = fileNotes();
    files_->savePicture(this, suggestedName(".png"), plot_->contentsRect().size(), *plot_,
                        QString::fromStdString(notes[0] + "; " + notes[1]),
                        [this](QPainter& painter, const QRectF& area) { plot_->paintPicture(painter, area); });
}

void ViscousSection::saveTable()
{
    if (!files_ || !finished_ || !polars_) return;
    const std::string table = folix::commentLines(fileNotes()) + folix::polarTableText(*polars_);
    const QString path = files_->askForFile(this, "Save polar table", suggestedName(".csv"), "CSV tables (*.csv)");
    if (!path.isEmpty()) files_->writeFile(this, path, table, "polar table");
}
