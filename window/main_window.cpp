#include "main_window.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
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
#include "window/about_window.h"
#include "window/analysis_window.h"
#include "window/drawn_design.h"
#include "window/lift_dialog.h"
#include "window/section_plot.h"
#include "window/typed_inputs.h"
#include "window/window_colours.h"

namespace {

// About 4 : 5, wide enough for the longest caption beside its box.
constexpr QSize kStartSize{640, 800};

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
    liftAction_ = new QAction("Design for lift\u2026", this);
    liftAction_->setObjectName("DesignForLift");
    liftAction_->setShortcut(QKeySequence("Ctrl+L"));
    connect(liftAction_, &QAction::triggered, this, &MainWindow::designForLift);
    QMenu* designMenu = new QMenu("Design", this);
    designMenu->setObjectName("Mn_Design");
    designMenu->addAction(liftAction_);
    menuBar()->insertMenu(about, designMenu);

    auto* top = new QHBoxLayout;
    top->addWidget(buildInputs(), 11);
    top->addWidget(buildResults(), 9);

    plot_ = new SectionPlot;
    buildPlotMenu();

    history_ = new QListWidget;
    history_->setObjectName("List1");
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

    setKeyboardOrder();
    plot_->setFocus();
    resize(kStartSize);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildPlotMenu()
{
    plotMenu_ = new QMenu(this);
    plotMenu_->setObjectName("PlotMenu");
    const auto add = [this](const char* name, const char* text, void (MainWindow::*command)()) {
        QAction* action = plotMenu_->addAction(QString::fromUtf8(text));
        action->setObjectName(name);
        action->setEnabled(false);  // nothing to act on before the first design
        connect(action, &QAction::triggered, this, command);
    };
    add("ExportCoordinates", "Export coordinates\u2026", &MainWindow::exportCoordinates);
    add("CopyCoordinates", "Copy coordinates", &MainWindow::copyCoordinates);
    add("SavePicture", "Save picture\u2026", &MainWindow::savePicture);
    plotMenu_->addSeparator();
    add("PressureDistribution", "Pressure distribution\u2026", &MainWindow::showAnalysis);

    plot_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(plot_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { plotMenu_->popup(plot_->mapToGlobal(at)); });
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
    for (QLineEdit* box : {delta_, gamma_, tau_, xDltc_}) {
        fitText(box);
        connect(box, &QLineEdit::returnPressed, this, &MainWindow::designAirfoil);
    }

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

    design_ = new QPushButton("Design airfoil");
    design_->setObjectName("Command1");
    design_->setAutoDefault(true);  // Enter on the focused button designs, as Space does
    connect(design_, &QPushButton::clicked, this, &MainWindow::designAirfoil);

    auto* grid = new QGridLayout(frame);
    grid->addWidget(thickness, 0, 0);
    grid->addWidget(makeSymbol("Label1", QString::fromUtf8("\u03b4")), 0, 1);
    grid->addWidget(delta_, 0, 2);
    grid->addWidget(camber, 1, 0);
    grid->addWidget(makeSymbol("Label2", QString::fromUtf8("\u03b3")), 1, 1);
    grid->addWidget(gamma_, 1, 2);
    grid->addWidget(angleMode_, 2, 0);
    grid->addWidget(makeSymbol("Label3", QString::fromUtf8("\u03c4")), 2, 1);
    grid->addWidget(tau_, 2, 2);
    grid->addWidget(locationMode_, 3, 0);
    grid->addWidget(makeLocationSymbol(), 3, 1);
    grid->addWidget(xDltc_, 3, 2);
    grid->addWidget(design_, 4, 0, 1, 3);
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
    f_ = makeBox("Text_F", "0");
    g_ = makeBox("Text_G", "0");
    m_ = makeBox("Text_m", "0");
    fitText(family_, "KARMAN-TREFFTZ AIRFOIL");
    for (QLineEdit* box : {f_, g_, m_}) fitText(box);

    save_ = new QPushButton("Save result");
    save_->setObjectName("Command_Save");
    save_->setAutoDefault(true);
    save_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    connect(save_, &QPushButton::clicked, this, &MainWindow::saveResult);

    auto* grid = new QGridLayout(frame);
    grid->addWidget(family_, 0, 0, 1, 3);
    grid->addWidget(makeLabel("Label10", "F ="), 1, 0);
    grid->addWidget(f_, 1, 1);
    grid->addWidget(makeLabel("Label11", "G ="), 2, 0);
    grid->addWidget(g_, 2, 1);
    grid->addWidget(makeLabel("Label12", "m ="), 3, 0);
    grid->addWidget(m_, 3, 1);
    grid->addWidget(save_, 1, 2, 3, 1);
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
    last_ = folix::typedDesignOutcome(typedInputs(), decimalSeparator());
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
    }
    const QString hint = outcome.hint ? QString::fromStdString(*outcome.hint) : QString();
    if (outcome.error) {
        const QString stopped = QString("Design stopped: %1").arg(QString::fromStdString(outcome.error->reason));
        history_->addItem(stopped);
        history_->scrollToBottom();
        statusBar()->showMessage(hint.isEmpty() ? stopped : stopped + ". " + hint);
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
        plot_->draw(*outcome.outline, "Not converged");
        history_->scrollToBottom();
    } else if (!crossing.isEmpty()) {
        statusBar()->showMessage("Not a valid section: " + crossing + " (m > 2).");
        plot_->draw(*outcome.outline, "Surfaces cross");
    } else {
        statusBar()->clearMessage();
        plot_->draw(*outcome.outline);
    }
    // Only a completed run changes what is drawn, and so what the plot's menu acts on.
    drawn_ = outcome.record.section();
    drawnCrossing_ = crossing;
    for (QAction* action : plotMenu_->actions()) action->setEnabled(true);
    if (analysis_) analysis_->showDesign(*drawn_);
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
    switch (result.outcome) {
    case folix::SaveOutcome::Duplicate:
        statusBar()->clearMessage();
        tell(QMessageBox::NoIcon, QString::fromUtf8(folix::kDuplicateMessage));
        break;
    case folix::SaveOutcome::Failed:
        statusBar()->clearMessage();
        tell(QMessageBox::Warning, QString("The result could not be saved to %1: %2")
                                       .arg(shownFileName(QString::fromStdString(result.file.string())),
                                            QString::fromStdString(result.reason)));
        break;
    case folix::SaveOutcome::Created:
    case folix::SaveOutcome::Appended:
        statusBar()->showMessage(QString("Saved to %1").arg(shownFileName(QString::fromStdString(result.file.string()))));
        break;
    }
}

void MainWindow::showAngleBox()
{
    tau_->setVisible(true);
    xDltc_->setVisible(false);
}

void MainWindow::showLocationBox()
{
    tau_->setVisible(false);
    xDltc_->setVisible(true);
}

void MainWindow::showAbout()
{
    if (!about_) about_ = std::make_unique<AboutWindow>();
    about_->setWindowState(about_->windowState() & ~Qt::WindowMinimized);
    about_->show();
    about_->raise();
    about_->activateWindow();
}

std::optional<std::string> MainWindow::drawnCoordinates()
{
    if (!drawn_) return std::nullopt;
    if (!drawnCrossing_.isEmpty()) {
        // No valid outline: its coordinates go out only when the user insists.
        QMessageBox box(QMessageBox::Warning, kProgramTitle,
                        "This is no valid section: " + drawnCrossing_ +
                            " (m > 2).\n\nUse its coordinates all the same?",
                        QMessageBox::Yes | QMessageBox::No, this);
        box.setDefaultButton(QMessageBox::No);
        if (box.exec() != QMessageBox::Yes) return std::nullopt;
    }
    try {
        return folix::coordinateText(*drawn_);
    } catch (const folix::ArithmeticError& error) {
        tell(QMessageBox::Warning, QString("The coordinates could not be computed: %1").arg(error.what()));
        return std::nullopt;
    }
}

QString MainWindow::suggestedName(const char* nameEnd) const
{
    return QString::fromStdString(folix::suggestedFileStem(*drawn_)) + nameEnd;
}

void MainWindow::exportCoordinates()
{
    const std::optional<std::string> text = drawnCoordinates();
    if (!text) return;
    const QString path = files_->askForFile(this, "Export coordinates", suggestedName(".dat"), "Selig coordinates (*.dat)");
    if (!path.isEmpty()) files_->writeFile(this, path, *text, "coordinates");
}

void MainWindow::copyCoordinates()
{
    if (const std::optional<std::string> text = drawnCoordinates())
        QGuiApplication::clipboard()->setText(QString::fromStdString(*text));
}

void MainWindow::savePicture()
{
    if (!drawn_) return;
    files_->savePicture(this, suggestedName(".png"), plot_->viewSize(), *plot_,
                        [this](QPainter& painter, const QRectF& area) { plot_->paintView(painter, area); });
}

void MainWindow::showAnalysis()
{
    if (!drawn_) return;
    if (!analysis_) {
        analysis_ = new AnalysisWindow(this, files_.get());
        analysis_->showDesign(*drawn_);
    }
    analysis_->setWindowState(analysis_->windowState() & ~Qt::WindowMinimized);
    analysis_->show();
    analysis_->raise();
    analysis_->activateWindow();
}

void MainWindow::tell(QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, kProgramTitle, text, QMessageBox::Ok, this);
    box.exec();
}
