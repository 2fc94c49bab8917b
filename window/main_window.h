#pragma once

#include <memory>

#include <QMainWindow>
#include <QMessageBox>

#include "engine/design_state.h"
#include "window/design_run.h"

class AboutWindow;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class SectionPlot;

inline constexpr const char* kProgramTitle = "FolixDesign";

// "Form1": the design inputs, the two buttons, the results, the section plot
// and the iteration history. It owns the one design record; the design run
// itself lives in runDesign, for which this window is the front end.
class MainWindow : public QMainWindow, private folix::DesignFrontEnd {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The About window once it has been asked for, nullptr before.
    AboutWindow* aboutWindow() const { return about_.get(); }

private:
    void designAirfoil();
    void saveResult();
    void showAngleBox();
    void showLocationBox();
    void showAbout();
    void tell(QMessageBox::Icon icon, const QString& text);

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
    std::unique_ptr<AboutWindow> about_;

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
};
