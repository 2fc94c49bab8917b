#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QMainWindow>
#include <QMessageBox>

#include "design/design_outcome.h"
#include "engine/mapped_section.h"
#include "window/design_run.h"
#include "window/file_service.h"
#include "window/typed_inputs.h"
#include "window/window_texts.h"

class AboutWindow;
class AnalysisWindow;
class LiftDialog;
class QAction;
class QMenu;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class SectionPlot;

// "Form1": the design inputs, the two buttons, the results, the section plot
// and the iteration history. It keeps the outcome of its last design run, made
// by the design layer from the boxes' texts, and shows it.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The About window once it has been asked for, nullptr before.
    AboutWindow* aboutWindow() const { return about_.get(); }
    // The same for the analysis window of the section plot's menu.
    AnalysisWindow* analysisWindow() const { return analysis_; }

    // Asks for the name of a file to write, an empty name for none. The file
    // dialog unless a test puts in its own.
    using SaveFileChooser = FileService::Chooser;
    void setSaveFileChooser(SaveFileChooser chooser) { files_->setChooser(std::move(chooser)); }

    // "Design for lift…" (Ctrl+L), for menus and toolbars to offer.
    QAction* designForLiftAction() const { return liftAction_; }
    LiftDialog* liftDialog() const { return liftDialog_; }

public slots:
    // Opens the dialog; the camber it finds is typed into the camber box and designed.
    void designForLift();

private:
    folix::TypedInputs typedInputs() const;
    void designAirfoil();
    void saveResult();
    void showAngleBox();
    void showLocationBox();
    void showAbout();
    void tell(QMessageBox::Icon icon, const QString& text);

    // The section plot's context menu, acting on the drawn design.
    void buildPlotMenu();
    void exportCoordinates();
    void copyCoordinates();
    void savePicture();
    void showAnalysis();
    std::optional<std::string> drawnCoordinates();
    QString suggestedName(const char* nameEnd) const;

    QWidget* buildInputs();
    QWidget* buildResults();
    void setKeyboardOrder();

    void showOutcome(const folix::DesignOutcome& outcome);

    // The outcome of the last design run; that of no run before the first.
    folix::DesignOutcome last_;
    // The section of the last completed run, the one the plot shows; unset before the first.
    std::optional<folix::MappedSection> drawn_;
    QString drawnCrossing_;  // where its surfaces cross, in words; empty for a valid section
    std::unique_ptr<FileService> files_;
    std::unique_ptr<AboutWindow> about_;
    AnalysisWindow* analysis_ = nullptr;  // a window of its own, closed with this one

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
    QPushButton* save_ = nullptr;
    SectionPlot* plot_ = nullptr;
    QListWidget* history_ = nullptr;
    QMenu* plotMenu_ = nullptr;
    QAction* liftAction_ = nullptr;
    LiftDialog* liftDialog_ = nullptr;
};
