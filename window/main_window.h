#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include <QMainWindow>
#include <QMessageBox>

#include "engine/design_state.h"
#include "window/design_run.h"
#include "window/drawn_design.h"
#include "window/file_saver.h"

class AboutWindow;
class AnalysisWindow;
class QAction;
class QMenu;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class SectionPlot;

inline constexpr const char* kProgramTitle = "FolixDesign";
inline constexpr const char* kSaveAfterStopMessage =
    "The last design run stopped on an error; design again before saving.";

// "Form1": the design inputs, the two buttons, the results, the section plot
// and the iteration history. It owns the one design record; the design run
// itself lives in runDesign, for which this window is the front end.
class MainWindow : public QMainWindow, private folix::DesignFrontEnd, private FileSaver {
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
    using SaveFileChooser =
        std::function<QString(QWidget* parent, const QString& caption, const QString& suggested, const QString& filter)>;
    void setSaveFileChooser(SaveFileChooser chooser) { chooseSaveFile_ = std::move(chooser); }

private:
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

    // Saving files, for this window and the analysis window.
    QString askForFile(QWidget* over, const QString& caption, const QString& nameEnd, const QString& filter) override;
    void writeFile(const QString& path, std::string_view contents, const QString& what) override;
    void warn(const QString& text) override;

    QWidget* buildInputs();
    QWidget* buildResults();
    void setKeyboardOrder();

    // The run's view of the window.
    void clearHistory() override;
    void append(const std::string& line) override;
    void showResults(const folix::ResultTexts& texts) override;
    void drawSection(const folix::Outline& outline) override;
    std::string decimalSeparator() const override;

    folix::DesignState state_;
    // The design of the last completed run, the one the plot shows; unset before the first.
    std::optional<folix::DrawnDesign> drawn_;
    // Set while the record holds the partial values of a run that stopped on
    // an error: a mixture of two runs that no design ever had.
    bool lastRunStopped_ = false;
    std::unique_ptr<AboutWindow> about_;
    AnalysisWindow* analysis_ = nullptr;  // a window of its own, closed with this one
    SaveFileChooser chooseSaveFile_;
    QString saveFolder_;  // where the last file went

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
};
