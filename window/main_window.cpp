#include "main_window.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStatusBar>
#include <QStyleOptionButton>
#include <QVBoxLayout>

#include "design/design_save.h"
#include "design/design_status.h"
#include "engine/reference_section.h"
#include "engine/section_drawing.h"
#include "viscous/xfoil_program.h"
#include "window/about_window.h"
#include "window/analysis_window.h"
#include "window/command_bar.h"
#include "window/design_description.h"
#include "window/drawing_dialog.h"
#include "window/drawing_files.h"
#include "window/drawn_design.h"
#include "window/flow_window.h"
#include "window/lift_dialog.h"
#include "window/other_mode_value.h"
#include "window/reading_hint.h"
#include "window/section_outline.h"
#include "window/section_plot.h"
#include "window/window_colours.h"

namespace {

// Wide enough for the toolbar's commands and for a reading hint beside each box.
constexpr QSize kStartSize{860, 860};
constexpr int kHintWidth = 170;
constexpr const char* kViscousSectionName = "ViscousPolar";

// What each input box takes: its unit, and the values that give a section.
constexpr const char* kThicknessTip =
    "Thickness ratio \u03b4: the maximum thickness over the chord, a fraction (0.12 for 12 %).\n"
    "Valid: above 0 and up to about 0.6, and above the circular-arc lens of the trailing-edge\n"
    "angle, tan(\u03c4/4): 0.044 at 10\u00b0, 0.088 at 20\u00b0.";
constexpr const char* kCamberTip =
    "Camber ratio \u03b3: the maximum camber over the chord, a fraction (0.02 for 2 %).\n"
    "Valid: 0 up to about 0.3; a negative camber stops the run.";
constexpr const char* kAngleTip =
    "Trailing-edge angle \u03c4 in degrees; the exponent is m = 2 \u2212 \u03c4/180\u00b0, and 0 gives a cusped\n"
    "Joukowsky section. Valid: below 4\u00b7atan(\u03b4), where the lens of the angle reaches the\n"
    "thickness (22.8\u00b0 at \u03b4 = 0.1); below 0 the surfaces cross near the trailing edge.\n"
    "In location mode it sets the first exponent tried.";
constexpr const char* kLocationTip =
    "Location of maximum thickness x/c, a fraction of the chord from the leading edge.\n"
    "Valid: from the location the same ratios give at a trailing-edge angle of 0\u00b0 (0.253 for\n"
    "\u03b4 = 0.12, \u03b3 = 0.02) to below 0.5; the exponent m is searched to meet it.";

QLineEdit* makeBox(const char* name, const char* text)
{
    auto* box = new QLineEdit(text);
    box->setObjectName(name);
    QSizePolicy policy = box->sizePolicy();
    policy.setRetainSizeWhenHidden(true);  // the mode boxes hide without moving their neighbours
    box->setSizePolicy(policy);
    return box;
}

// Room for a text such as 0.12345 and a little more: the least width at which it stays readable.
void fitText(QLineEdit* box, const char* sample = "0.0000000")
{
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(sample) + 12);
}

// The separator the user's region writes between integer and decimals.
std::string decimalSeparator()
{
    return QLocale().decimalPoint().toStdString();
}

QLabel* makeLabel(const char* name, const QString& text)
{
    auto* label = new QLabel(text);
    label->setObjectName(name);
    return label;
}

void setInk(QWidget* widget, QPalette::ColorRole role, const QColor& ink)
{
    QPalette palette = widget->palette();
    palette.setColor(role, ink);
    widget->setPalette(palette);
}

// Beside an input box: what its text reads as, when not as a whole number.
QLabel* makeHint(const char* name)
{
    QLabel* hint = makeLabel(name, {});
    hint->setWordWrap(true);
    hint->setFixedWidth(kHintWidth);
    setInk(hint, QPalette::WindowText, kMessageInk);
    return hint;
}

// Unicode Greek letters in the window's own font.
QLabel* makeSymbol(const char* name, const QString& letter)
{
    QLabel* symbol = makeLabel(name, letter);
    symbol->setAlignment(Qt::AlignCenter);
    return symbol;
}

// "x    / c" with a delta set into the gap after the x, reading x-delta over c.
QLabel* makeLocationSymbol()
{
    QLabel* fraction = makeLabel("Label7", "x    / c");
    const QFontMetrics metrics(fraction->font());
    QLabel* delta = makeLabel("Label8", QString::fromUtf8("\u03b4"));
    delta->setFixedWidth(metrics.horizontalAdvance("    "));
    auto* overlay = new QHBoxLayout(fraction);
    overlay->setContentsMargins(0, 0, 0, 0);
    overlay->setSpacing(0);
    overlay->addSpacing(metrics.horizontalAdvance("x"));
    overlay->addWidget(delta);
    overlay->addStretch();
    return fraction;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("Form1");
    setWindowTitle("Design of Joukowsky and Karman-Trefftz airfoils");

    QAction* about = menuBar()->addAction("About");
    about->setObjectName("Mn_About");
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);

    auto* top = new QHBoxLayout;
    top->addWidget(buildInputs(), 11);
    top->addWidget(buildResults(), 9);

    plot_ = new SectionPlot;

    history_ = new QListWidget;
    history_->setObjectName("List1");
    history_->setAccessibleName("Iteration history");
    history_->setUniformItemSizes(true);

    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->addLayout(top);
    column->addWidget(plot_);
    column->addWidget(history_, 1);
    setCentralWidget(central);

    auto* saveKey = new QShortcut(QKeySequence::Save, this);
    connect(saveKey, &QShortcut::activated, this, &MainWindow::saveResult);
    statusBar()->setObjectName("StatusBar");
    files_ = std::make_unique<FileService>(statusBar());
    chooseOpen_ = [](QWidget* over) {
        return QFileDialog::getOpenFileName(over, "Add reference section", QDir::currentPath(),
                                            "Coordinate files (*.dat *.txt);;All files (*)");
    };
    buildCommands();

    setKeyboardOrder();
    plot_->setFocus();
    resize(kStartSize);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildCommands()
{
    using folix::Command;
    commands_ = new CommandBar(this);
    const auto on = [this](Command command, void (MainWindow::*run)()) {
        connect(commands_->action(command), &QAction::triggered, this, run);
    };
    on(Command::ExportCoordinates, &MainWindow::exportCoordinates);
    on(Command::CopyCoordinates, &MainWindow::copyCoordinates);
    on(Command::ExportDrawing, &MainWindow::exportDrawing);
    on(Command::SavePicture, &MainWindow::savePicture);
    on(Command::PressureDistribution, &MainWindow::showAnalysis);
    on(Command::Flow, &MainWindow::showFlow);
    on(Command::Pin, &MainWindow::pinSection);
    on(Command::AddReference, &MainWindow::addReferenceSection);
    on(Command::DesignForLift, &MainWindow::designForLift);
    on(Command::ViscousPolar, &MainWindow::showViscousPolar);
    connect(commands_, &CommandBar::pinRemovalAsked, this, &MainWindow::removePin);
    connect(commands_, &CommandBar::allPinsRemovalAsked, this, [this] {
        pins_.clear();
        showPins();
    });
    for (QLineEdit* box : {delta_, gamma_, tau_, xDltc_}) commands_->keepShortcutsIn(box);

    plot_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(plot_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { commands_->plotMenu()->popup(plot_->mapToGlobal(at)); });
    updateCommands();
}

void MainWindow::updateCommands()
{
    folix::CommandFacts facts;
    facts.drawn = drawn_.has_value();
    facts.pinsFull = pins_.full();
    // Found out only once there is a section to analyse: it takes building an analysis window.
    facts.viscousSection = facts.drawn && viscousSectionBuiltIn();
    facts.xfoil = folix::xfoilUnavailableReason("").empty();
    commands_->apply(facts);
}

bool MainWindow::viscousSectionBuiltIn()
{
    if (!viscousSection_) {
        if (analysis_) {
            viscousSection_ = analysis_->findChild<QWidget*>(kViscousSectionName) != nullptr;
        } else {
            const AnalysisWindow probe;
            viscousSection_ = probe.findChild<QWidget*>(kViscousSectionName) != nullptr;
        }
    }
    return *viscousSection_;
}

QWidget* MainWindow::buildInputs()
{
    auto* frame = new QGroupBox("Airfoil Characteristics");
    frame->setObjectName("Frame1");

    delta_ = makeBox("Text_Delta", "0.10");
    gamma_ = makeBox("Text_Gamma", "0.00");
    tau_ = makeBox("Text_Tau", "0");
    xDltc_ = makeBox("Text_xDltc", "0.00");
    xDltc_->setVisible(false);
    const std::pair<QLineEdit*, const char*> tips[] = {
        {delta_, kThicknessTip}, {gamma_, kCamberTip}, {tau_, kAngleTip}, {xDltc_, kLocationTip}};
    for (const auto& [box, tip] : tips) {
        fitText(box);
        box->setToolTip(QString::fromUtf8(tip));
        connect(box, &QLineEdit::returnPressed, this, &MainWindow::designAirfoil);
    }
    delta_->setAccessibleName(QString::fromUtf8("Thickness ratio \u03b4"));
    gamma_->setAccessibleName(QString::fromUtf8("Camber ratio \u03b3"));
    tau_->setAccessibleName(QString::fromUtf8("Trailing-edge angle \u03c4 in degrees"));
    xDltc_->setAccessibleName("Maximum thickness location x/c");

    angleMode_ = new QRadioButton("Trailing edge Angle (deg)      :");
    angleMode_->setObjectName("Option_Tau");
    angleMode_->setChecked(true);
    locationMode_ = new QRadioButton("Maximum thickness location :");
    locationMode_->setObjectName("Option_xDltc");
    // One tab stop for the pair, on the selected one; arrow keys move between them.
    locationMode_->setFocusPolicy(Qt::ClickFocus);
    connect(angleMode_, &QRadioButton::clicked, this, &MainWindow::showAngleBox);
    connect(locationMode_, &QRadioButton::clicked, this, &MainWindow::showLocationBox);

    // The plain captions start where the option buttons' captions start.
    QStyleOptionButton option;
    option.initFrom(angleMode_);
    const int captionIndent = angleMode_->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, angleMode_).left();
    QLabel* thickness = makeLabel("Label5", "Thickness ratio                      :");
    QLabel* camber = makeLabel("Label6", "Camber Ratio                         :");
    thickness->setIndent(captionIndent);
    camber->setIndent(captionIndent);
    QLabel* deltaSymbol = makeSymbol("Label1", QString::fromUtf8("\u03b4"));
    QLabel* gammaSymbol = makeSymbol("Label2", QString::fromUtf8("\u03b3"));
    QLabel* tauSymbol = makeSymbol("Label3", QString::fromUtf8("\u03c4"));
    QLabel* locationSymbol = makeLocationSymbol();
    for (const auto& [label, box] : {std::pair{thickness, delta_}, {camber, gamma_}, {deltaSymbol, delta_},
                                     {gammaSymbol, gamma_}, {tauSymbol, tau_}, {locationSymbol, xDltc_}})
        label->setBuddy(box);

    QLabel* hints[] = {makeHint("Hint_Delta"), makeHint("Hint_Gamma"), makeHint("Hint_Tau"), makeHint("Hint_xDltc")};
    const QLineEdit* boxes[] = {delta_, gamma_, tau_, xDltc_};
    for (std::size_t i = 0; i < std::size(hints); ++i) {
        QLabel* hint = hints[i];
        connect(boxes[i], &QLineEdit::textChanged, this, [this, hint](const QString& text) {
            hint->setText(QString::fromStdString(folix::readingHint(text.toStdString())));
            markChangedInputs();
        });
    }
    // A hint is of the box shown: the two mode boxes share their place.
    hints[3]->setVisible(false);
    connect(angleMode_, &QRadioButton::toggled, hints[2], &QWidget::setVisible);
    connect(locationMode_, &QRadioButton::toggled, hints[3], &QWidget::setVisible);

    design_ = new QPushButton("Design airfoil");
    design_->setObjectName("Command1");
    design_->setAutoDefault(true);  // Enter on the focused button designs, as Space does
    connect(design_, &QPushButton::clicked, this, &MainWindow::designAirfoil);

    auto* grid = new QGridLayout(frame);
    grid->addWidget(thickness, 0, 0);
    grid->addWidget(deltaSymbol, 0, 1);
    grid->addWidget(delta_, 0, 2);
    grid->addWidget(camber, 1, 0);
    grid->addWidget(gammaSymbol, 1, 1);
    grid->addWidget(gamma_, 1, 2);
    grid->addWidget(angleMode_, 2, 0);
    grid->addWidget(tauSymbol, 2, 1);
    grid->addWidget(tau_, 2, 2);
    grid->addWidget(locationMode_, 3, 0);
    grid->addWidget(locationSymbol, 3, 1);
    grid->addWidget(xDltc_, 3, 2);
    for (int row = 0; row < 4; ++row) grid->addWidget(hints[row], row, 3);
    grid->addWidget(design_, 4, 0, 1, 4);
    grid->setColumnStretch(2, 1);
    return frame;
}

QWidget* MainWindow::buildResults()
{
    auto* frame = new QGroupBox("Resulting parameters");
    frame->setObjectName("Frame2");

    family_ = makeBox("Text_Sonuc", "");
    QPalette lightYellow = family_->palette();
    lightYellow.setColor(QPalette::Base, kLightYellow);
    lightYellow.setColor(QPalette::Text, kSectionInk);  // readable under a dark desktop palette too
    family_->setPalette(lightYellow);
    family_->setAccessibleName("Section family");
    f_ = makeBox("Text_F", "0");
    g_ = makeBox("Text_G", "0");
    m_ = makeBox("Text_m", "0");
    fitText(family_, "KARMAN-TREFFTZ AIRFOIL");
    for (QLineEdit* box : {f_, g_, m_}) fitText(box);
    f_->setToolTip("Circle parameter F: the generating circle's centre along the real axis, over its scale");
    g_->setToolTip("Circle parameter G: the generating circle's centre along the imaginary axis, which cambers the section");
    m_->setToolTip(QString::fromUtf8("Mapping exponent m = 2 \u2212 \u03c4/180\u00b0: 2 for a Joukowsky section"));

    otherMode_ = makeLabel("OtherModeValue", {});
    otherMode_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    changedNote_ = makeLabel("InputsChangedNote", "Inputs changed: design again");
    setInk(changedNote_, QPalette::WindowText, kMessageInk);
    QSizePolicy keepRoom = changedNote_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);  // the panel does not jump as it comes and goes
    changedNote_->setSizePolicy(keepRoom);
    changedNote_->setVisible(false);

    save_ = new QPushButton("Save result");
    save_->setObjectName("Command_Save");
    save_->setAutoDefault(true);
    save_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    save_->setToolTip("Append the shown design to Folix_Input.txt in the working folder (Ctrl+S)");
    connect(save_, &QPushButton::clicked, this, &MainWindow::saveResult);

    auto* grid = new QGridLayout(frame);
    grid->addWidget(family_, 0, 0, 1, 3);
    const std::pair<const char*, const char*> captions[] = {{"Label10", "F ="}, {"Label11", "G ="}, {"Label12", "m ="}};
    QLineEdit* const values[] = {f_, g_, m_};
    for (int row = 0; row < 3; ++row) {
        QLabel* caption = makeLabel(captions[row].first, captions[row].second);
        caption->setBuddy(values[row]);
        values[row]->setAccessibleName(QString(captions[row].second).remove(" ="));
        grid->addWidget(caption, row + 1, 0);
        grid->addWidget(values[row], row + 1, 1);
    }
    grid->addWidget(save_, 1, 2, 3, 1);
    grid->addWidget(otherMode_, 4, 0, 1, 3);
    grid->addWidget(changedNote_, 5, 0, 1, 3);
    grid->setColumnStretch(1, 1);  // the boxes take the room, the button keeps its own width
    return frame;
}

void MainWindow::setKeyboardOrder()
{
    QWidget* const order[] = {plot_, xDltc_,   tau_,    gamma_,        delta_,     f_,      g_,
                              m_,    history_, family_, locationMode_, angleMode_, design_, save_};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

folix::TypedInputs MainWindow::typedInputs() const
{
    return {delta_->text().toStdString(), gamma_->text().toStdString(), tau_->text().toStdString(),
            xDltc_->text().toStdString(), locationMode_->isChecked()};
}

void MainWindow::designAirfoil()
{
    ran_ = typedInputs();
    last_ = folix::typedDesignOutcome(ran_, decimalSeparator());
    showOutcome(last_);
}

void MainWindow::designForLift()
{
    if (!liftDialog_) {
        liftDialog_ = new LiftDialog(this, [this] { return typedInputs(); });
        connect(liftDialog_, &LiftDialog::solved, this, [this](const QString& camber, const QString& summary) {
            gamma_->setText(camber);
            designAirfoil();
            if (!last_.error) statusBar()->showMessage(summary);
        });
    }
    liftDialog_->open();
}

void MainWindow::showOutcome(const folix::DesignOutcome& outcome)
{
    history_->clear();
    for (const std::string& line : outcome.history) history_->addItem(QString::fromStdString(line));
    const folix::ResultTexts& texts = outcome.texts;
    if (!texts.airfoilType.empty()) {
        family_->setText(QString::fromStdString(texts.airfoilType));
        f_->setText(QString::fromStdString(texts.f));
        g_->setText(QString::fromStdString(texts.g));
        m_->setText(QString::fromStdString(texts.m));
        otherMode_->setText(QString::fromStdString(folix::otherModeText(outcome, ran_.locationMode, decimalSeparator())));
        resultsInputs_ = ran_;
    }
    // What to change, when the design layer knows: "thickness ratio must be more than 0.04366 …".
    const QString hint = outcome.hint ? QString::fromStdString(*outcome.hint) : QString();
    if (outcome.error) {
        const QString stopped = QString("Design stopped: %1").arg(QString::fromStdString(outcome.error->reason));
        history_->addItem(stopped);
        history_->scrollToBottom();
        statusBar()->showMessage(hint.isEmpty() ? stopped : stopped + ". " + hint);
        markChangedInputs();
        tell(QMessageBox::Warning, hint.isEmpty() ? stopped : stopped + "\n\n" + hint);
        return;
    }
    // A run that did not converge shows the last values it tried: say so wherever they are seen.
    const std::string notConverged = folix::notConvergedReason(outcome);
    const QString crossing = QString::fromStdString(folix::crossingText(outcome));
    if (!notConverged.empty()) {
        const QString said = QString("Not converged: %1; the values shown are the last ones tried.")
                                 .arg(QString::fromStdString(notConverged));
        statusBar()->showMessage(hint.isEmpty() ? said : said + " " + hint);
        history_->scrollToBottom();
    } else if (!crossing.isEmpty()) {
        statusBar()->showMessage("Not a valid section: " + crossing + " (m > 2).");
    } else {
        statusBar()->clearMessage();
    }
    // Only a completed run changes what is drawn, and so what the commands act on.
    const folix::MappedSection section = outcome.record.section();
    std::vector<folix::SectionPoint> outline;
    try {
        outline = folix::smoothOutline(section);
    } catch (const folix::ArithmeticError&) {
        outline = folix::outlineSamples(*outcome.outline);  // the run's own samples, which it could compute
    }
    drawn_ = Drawn{section, outcome.record, ran_, outline, crossing};
    const QString warning = !notConverged.empty() ? "Not converged" : !crossing.isEmpty() ? "Surfaces cross" : QString();
    plot_->draw(std::move(outline), warning);
    plot_->setCrossing(outcome.surfacesCrossFrom, crossing);
    showPins();
    if (analysis_) analysis_->showDesign(section, drawnNote());
    if (flow_) flow_->showDesign(section, drawnNote());
    markChangedInputs();
}

void MainWindow::markChangedInputs()
{
    const folix::TypedInputs now = typedInputs();
    const bool resultsChanged = resultsInputs_ && !folix::sameReading(*resultsInputs_, now);
    plot_->setStale(drawn_ && !folix::sameReading(drawn_->inputs, now));
    changedNote_->setVisible(resultsChanged);
    setInk(family_, QPalette::Text, resultsChanged ? kStaleInk : kSectionInk);
    const QColor ink = resultsChanged ? kStaleInk : palette().color(QPalette::Text);
    for (QLineEdit* box : {f_, g_, m_}) setInk(box, QPalette::Text, ink);
    setInk(otherMode_, QPalette::WindowText, resultsChanged ? kStaleInk : palette().color(QPalette::WindowText));
}

void MainWindow::saveResult()
{
    folix::DesignSave save;
    try {
        save = folix::saveDesign(last_);
    } catch (const folix::ArithmeticError& error) {
        tell(QMessageBox::Warning, QString("The result could not be saved: %1").arg(error.what()));
        return;
    }
    if (save.refused) {
        tell(QMessageBox::Warning, QString::fromStdString(folix::saveRefusalMessage(*save.refused)));
        return;
    }
    const folix::SaveResult& result = save.result;
    const QString file = QString::fromStdString(result.file.string());
    switch (result.outcome) {
    case folix::SaveOutcome::Duplicate:
        statusBar()->clearMessage();
        tell(QMessageBox::NoIcon, QString::fromUtf8(folix::kDuplicateMessage));
        break;
    case folix::SaveOutcome::Failed:
        statusBar()->clearMessage();
        tell(QMessageBox::Warning, QString("The result could not be saved to %1: %2")
                                       .arg(shownFileName(file), QString::fromStdString(result.reason)));
        break;
    case folix::SaveOutcome::Created:
    case folix::SaveOutcome::Appended:
        // The boxes may read otherwise by now: say that what was saved is what is shown.
        if (folix::sameReading(ran_, typedInputs()))
            statusBar()->showMessage(QString("Saved to %1").arg(shownFileName(file)));
        else
            statusBar()->showMessage(QString("Saved the design shown (%1), not the changed inputs, to %2")
                                         .arg(QString::fromStdString(folix::designLabel(last_.record, ran_.locationMode)),
                                              shownFileName(file)));
        break;
    }
}

void MainWindow::showAngleBox()
{
    tau_->setVisible(true);
    xDltc_->setVisible(false);
    markChangedInputs();
}

void MainWindow::showLocationBox()
{
    tau_->setVisible(false);
    xDltc_->setVisible(true);
    markChangedInputs();
}

void MainWindow::showAbout()
{
    if (!about_) about_ = std::make_unique<AboutWindow>();
    about_->setWindowState(about_->windowState() & ~Qt::WindowMinimized);
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The program ends with its main window: the windows it opened go with it.
    const QList<QWidget*> companions{about_.get(), analysis_, flow_, liftDialog_};
    for (QWidget* companion : companions)
        if (companion) companion->close();
    QMainWindow::closeEvent(event);
}

std::optional<std::string> MainWindow::drawnCoordinates()
{
    if (!drawn_) return std::nullopt;
    try {
        return folix::coordinateText(drawn_->section);
    } catch (const folix::ArithmeticError& error) {
        tell(QMessageBox::Warning, QString("The coordinates could not be computed: %1").arg(error.what()));
        return std::nullopt;
    }
}

QString MainWindow::suggestedName(const char* nameEnd) const
{
    return QString::fromStdString(folix::suggestedFileStem(drawn_->section)) + nameEnd;
}

std::string MainWindow::drawnNote() const
{
    return drawn_ ? folix::designNote(drawn_->record, drawn_->inputs.locationMode) : std::string();
}

bool MainWindow::exportAllowed(const QString& what)
{
    if (!drawn_ || drawn_->crossing.isEmpty()) return drawn_.has_value();
    // No valid outline: it goes out only when the user insists.
    return files_->confirm(this,
                           "This is no valid section: " + drawn_->crossing +
                               " (m > 2); a CAD program, a cutter or XFOIL takes it as a shape that overlaps "
                               "itself.\n\nUse its " + what + " all the same?",
                           "Use it all the same");
}

void MainWindow::exportCoordinates()
{
    if (!exportAllowed("coordinates")) return;
    const std::optional<std::string> text = drawnCoordinates();
    if (!text) return;
    const QString path = files_->askForFile(this, "Export coordinates", suggestedName(".dat"), "Selig coordinates (*.dat)");
    if (!path.isEmpty()) files_->writeFile(this, path, *text, "coordinates");
}

void MainWindow::copyCoordinates()
{
    if (!exportAllowed("coordinates")) return;
    const std::optional<std::string> text = drawnCoordinates();
    if (!text) return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(*text));
    statusBar()->showMessage(QString("Copied the coordinates of %1 (%2 points) to the clipboard")
                                 .arg(QString::fromStdString(folix::designLabel(drawn_->record, drawn_->inputs.locationMode)))
                                 .arg(folix::kDefaultSeligPoints));
}

void MainWindow::exportDrawing()
{
    if (!exportAllowed("drawing")) return;
    DrawingDialog* dialog = findChild<DrawingDialog*>("DrawingDialog");
    if (!dialog) {
        dialog = new DrawingDialog(this);
        connect(dialog, &QDialog::accepted, this, [this, dialog] {
            if (!drawn_) return;
            const folix::MappedSection& section = drawn_->section;
            folix::SectionDrawing drawing;
            try {
                drawing = folix::sectionDrawing(folix::seligName(section), section.F, section.G, section.EM,
                                                dialog->options());
            } catch (const std::invalid_argument& error) {
                files_->warn(this, QString("No drawing: %1.").arg(error.what()));
                return;
            } catch (const folix::ArithmeticError& error) {
                files_->warn(this, QString("The drawing could not be computed: %1").arg(error.what()));
                return;
            }
            const QString path = files_->askForFile(this, "Export drawing", suggestedName(".svg"), folix::kDrawingFormatsFilter);
            if (path.isEmpty()) return;
            const QString extension = QFileInfo(path).suffix();
            const std::optional<folix::DrawingFormat> format = folix::drawingFormatOf(extension.toStdString());
            if (!format) {
                files_->warn(this, QString("A drawing is saved as SVG, DXF or PDF: end the file name in .svg, .dxf or "
                                           ".pdf rather than .%1.").arg(extension));
                return;
            }
            files_->writeFile(this, path, folix::drawingText(*format, drawing), "drawing");
        });
    }
    dialog->open();
}

void MainWindow::savePicture()
{
    if (!drawn_) return;
    // The loads at the pressure window's angle when it is open, else at zero incidence.
    std::string description = drawnNote();
    const std::string loads = folix::loadsNoteOf(drawn_->section, analysis_ ? analysis_->angleOfAttack() : 0.0);
    if (!loads.empty()) description += "; " + loads;
    files_->savePicture(this, suggestedName(".png"), plot_->viewSize(), *plot_, QString::fromStdString(description),
                        [this](QPainter& painter, const QRectF& area) { plot_->paintView(painter, area); });
}

namespace {

void bringUp(QWidget* window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

void MainWindow::showAnalysis()
{
    if (!drawn_) return;
    if (!analysis_) {
        analysis_ = new AnalysisWindow(this, files_.get());
        if (flow_) analysis_->setAngleOfAttack(flow_->angleOfAttack());
        analysis_->showDesign(drawn_->section, drawnNote());
        analysis_->showPins(pins_.pins());
        if (flow_) {
            connect(analysis_, &AnalysisWindow::angleOfAttackChanged, flow_, &FlowWindow::setAngleOfAttack);
            connect(flow_, &FlowWindow::angleOfAttackChanged, analysis_, &AnalysisWindow::setAngleOfAttack);
        }
    }
    bringUp(analysis_);
}

void MainWindow::showFlow()
{
    if (!drawn_) return;
    if (!flow_) {
        flow_ = new FlowWindow(this, files_.get());
        if (analysis_) flow_->setAngleOfAttack(analysis_->angleOfAttack());
        flow_->showDesign(drawn_->section, drawnNote());
        if (analysis_) {
            connect(analysis_, &AnalysisWindow::angleOfAttackChanged, flow_, &FlowWindow::setAngleOfAttack);
            connect(flow_, &FlowWindow::angleOfAttackChanged, analysis_, &AnalysisWindow::setAngleOfAttack);
        }
    }
    bringUp(flow_);
}

void MainWindow::showViscousPolar()
{
    showAnalysis();
    if (analysis_) analysis_->showViscousSection();
}

QAction* MainWindow::designForLiftAction() const
{
    return commands_->action(folix::Command::DesignForLift);
}

void MainWindow::pinSection()
{
    if (!drawn_) return;
    const std::string label = folix::designLabel(drawn_->record, drawn_->inputs.locationMode);
    if (const auto refused = pins_.add({label, drawn_->outline, drawn_->section})) {
        statusBar()->showMessage(QString("Not pinned: %1.").arg(QString::fromStdString(*refused)));
        return;
    }
    showPins();
    statusBar()->showMessage(QString("Pinned %1 for comparison (%2 of %3)")
                                 .arg(QString::fromStdString(label))
                                 .arg(pins_.pins().size())
                                 .arg(folix::kMostPins));
}

void MainWindow::addReferenceSection()
{
    const QString path = chooseOpen_(this);
    if (path.isEmpty()) return;
    folix::ReferenceSection reference;
    try {
        reference = folix::readReferenceSection(std::filesystem::path(path.toStdU16String()));
    } catch (const folix::ReferenceFileError& error) {
        files_->warn(this, QString("%1 cannot be read as a coordinate file: %2. Nothing was added.")
                               .arg(QDir::toNativeSeparators(path), QString::fromStdString(error.what())));
        return;
    }
    if (const auto refused = pins_.add({reference.name, std::move(reference.points), std::nullopt})) {
        statusBar()->showMessage(QString("Not added: %1.").arg(QString::fromStdString(*refused)));
        return;
    }
    showPins();
    statusBar()->showMessage(QString("Added the reference section %1 from %2")
                                 .arg(QString::fromStdString(pins_.pins().back().label), QDir::toNativeSeparators(path)));
}

void MainWindow::removePin(int index)
{
    pins_.remove(static_cast<std::size_t>(index));
    showPins();
}

void MainWindow::showPins()
{
    std::vector<PlotPin> shown;
    QStringList labels;
    for (const folix::Pin& pin : pins_.pins()) {
        labels << QString::fromStdString(pin.label);
        shown.push_back({labels.back(), pin.outline, kPinInks[pin.slot]});
    }
    plot_->setPins(std::move(shown), drawn_ ? QString::fromStdString(folix::designLabel(drawn_->record, drawn_->inputs.locationMode))
                                            : QString());
    commands_->setPins(labels);
    if (analysis_) analysis_->showPins(pins_.pins());
    updateCommands();
}

void MainWindow::tell(QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, kProgramTitle, text, QMessageBox::Ok, this);
    box.exec();
}
