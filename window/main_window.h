#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QMainWindow>
#include <QMessageBox>

#include "design/design_outcome.h"
#include "engine/mapped_section.h"
#include "window/comparison_pins.h"
#include "window/design_run.h"
#include "window/file_service.h"
#include "window/typed_inputs.h"
#include "window/window_texts.h"

class AboutWindow;
class AnalysisWindow;
class CommandBar;
class FlowWindow;
class LiftDialog;
class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class SectionPlot;

// "Form1": the design inputs, the two buttons, the results, the section plot
// and the iteration history, under a toolbar of the commands on the drawn
// section. It keeps the outcome of its last design run, made by the design
// layer from the boxes' texts, shows it, and marks what it shows once the
// boxes no longer read as the run that made it.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The About window once it has been asked for, nullptr before.
    AboutWindow* aboutWindow() const { return about_.get(); }
    // The same for the analysis window and the Flow window.
    AnalysisWindow* analysisWindow() const { return analysis_; }
    FlowWindow* flowWindow() const { return flow_; }

    // Asks for the name of a file to write, an empty name for none. The file
    // dialog unless a test puts in its own.
    using SaveFileChooser = FileService::Chooser;
    void setSaveFileChooser(SaveFileChooser chooser) { files_->setChooser(std::move(chooser)); }
    // The same for the coordinate file "Add reference section…" reads.
    using OpenFileChooser = std::function<QString(QWidget* parent)>;
    void setOpenFileChooser(OpenFileChooser chooser) { chooseOpen_ = std::move(chooser); }

    const folix::ComparisonPins& pins() const { return pins_; }

    // "Design for lift…" (Ctrl+L), of the toolbar; its dialog once opened, nullptr before.
    QAction* designForLiftAction() const;
    LiftDialog* liftDialog() const { return liftDialog_; }

public slots:
    // Opens the dialog; the camber it finds is typed into the camber box and designed.
    void designForLift();

protected:
    void closeEvent(QCloseEvent* event) override;
    QMenu* createPopupMenu() override { return nullptr; }  // the toolbar stays where it is

private:
    folix::TypedInputs typedInputs() const;
    void designAirfoil();
    void saveResult();
    void showAngleBox();
    void showLocationBox();
    void showAbout();
    void tell(QMessageBox::Icon icon, const QString& text);

    // The commands on the drawn design, from the toolbar and the plot's menu.
    void buildCommands();
    void updateCommands();
    void exportCoordinates();
    void copyCoordinates();
    void exportDrawing();
    void savePicture();
    void showAnalysis();
    void showFlow();
    void showViscousPolar();
    void pinSection();
    void addReferenceSection();
    void removePin(int index);
    void showPins();
    std::optional<std::string> drawnCoordinates();
    // Whether the drawn section may go out as coordinates or a drawing: yes,
    // unless its surfaces cross and the user does not confirm.
    bool exportAllowed(const QString& what);
    QString suggestedName(const char* nameEnd) const;
    std::string drawnNote() const;
    bool viscousSectionBuiltIn();

    QWidget* buildInputs();
    QWidget* buildResults();
    void setKeyboardOrder();

    void showOutcome(const folix::DesignOutcome& outcome);
    // Marks the results and the plot when the boxes no longer read as the runs that made them.
    void markChangedInputs();

    // The outcome of the last design run; that of no run before the first.
    folix::DesignOutcome last_;
    // The boxes as that run read them.
    folix::TypedInputs ran_;
    // Those of the run whose results the panel shows; none before the first.
    std::optional<folix::TypedInputs> resultsInputs_;

    // The last completed run, the one the plot shows and its commands act on; unset before the first.
    struct Drawn {
        folix::MappedSection section;
        folix::DesignRecord record;
        folix::TypedInputs inputs;
        std::vector<folix::SectionPoint> outline;
        QString crossing;  // where its surfaces cross, in words; empty for a valid section
    };
    std::optional<Drawn> drawn_;
    folix::ComparisonPins pins_;

    std::unique_ptr<FileService> files_;
    OpenFileChooser chooseOpen_;
    std::unique_ptr<AboutWindow> about_;
    AnalysisWindow* analysis_ = nullptr;  // windows of their own, closed with this one
    FlowWindow* flow_ = nullptr;
    std::optional<bool> viscousSection_;  // found out once, when first needed

    CommandBar* commands_ = nullptr;
    QLineEdit* delta_ = nullptr;
    QLineEdit* gamma_ = nullptr;
    QLineEdit* tau_ = nullptr;
    QLineEdit* xDltc_ = nullptr;
    QRadioButton* angleMode_ = nullptr;
    QRadioButton* locationMode_ = nullptr;
    QPushButton* design_ = nullptr;
    QLineEdit* family_ = nullptr;
    QLineEdit* f_ = nullptr;
    QLineEdit* g_ = nullptr;
    QLineEdit* m_ = nullptr;
    QLabel* otherMode_ = nullptr;
    QLabel* changedNote_ = nullptr;
    QPushButton* save_ = nullptr;
    SectionPlot* plot_ = nullptr;
    QListWidget* history_ = nullptr;
    LiftDialog* liftDialog_ = nullptr;
};
