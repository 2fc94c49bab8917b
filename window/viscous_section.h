#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QWidget>

#include "engine/mapped_section.h"
#include "viscous/polar_table.h"

class FileService;
class QDoubleSpinBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class ViscousPlot;
class ViscousRun;

// The analysis window's viscous polar of the drawn section from XFOIL:
// Reynolds number, Mach number, Ncrit and the angles; "Compute polar" runs
// XFOIL off the window's thread with a progress bar and Cancel, and the
// charts fill in angle by angle. A new design, Cancel, or the window closing
// kills XFOIL. Greyed out, saying why, when XFOIL cannot be run. With the
// file service it saves the charts as a picture and the polar as the table
// of `folix polar --re`.
class ViscousSection : public QWidget {
    Q_OBJECT

public:
    explicit ViscousSection(QWidget* parent = nullptr, FileService* files = nullptr);

    // The design that is drawn now: a polar of another one is stopped and
    // cleared. `note` heads the saved files (designNote), the name line when empty.
    void showDesign(const folix::MappedSection& design, const std::string& note = {});

    bool running() const;
    // The polars of the last run started, every angle not yet done failed; none before.
    const std::optional<folix::SectionPolars>& polars() const { return polars_; }
    ViscousPlot* plot() const { return plot_; }

public slots:
    void computePolar();
    void cancel();

protected:
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Whether XFOIL can be run; greys the inputs and says why when it cannot.
    bool checkXfoil();
    void takeAngle(int index, const folix::ViscousAngle& angle);
    void finish(const folix::ViscousPolar& polar, const QString& failure);
    void showRunning(bool running);
    void showCharts();
    void savePicture();
    void saveTable();
    QString suggestedName(const char* extension) const;
    // The design and the polar's settings, for a file's metadata or heading.
    std::vector<std::string> fileNotes() const;

    folix::MappedSection design_;
    std::string note_;
    bool haveDesign_ = false;
    std::optional<folix::SectionPolars> polars_;
    folix::ViscousOptions options_;  // of the polar shown
    bool finished_ = false;
    bool usable_ = false;  // XFOIL can be run
    int anglesDone_ = 0;
    FileService* files_ = nullptr;
    ViscousRun* run_ = nullptr;

    QLabel* unavailable_ = nullptr;
    QWidget* inputs_ = nullptr;
    QDoubleSpinBox* reynolds_ = nullptr;
    QDoubleSpinBox* mach_ = nullptr;
    QDoubleSpinBox* ncrit_ = nullptr;
    QDoubleSpinBox* from_ = nullptr;
    QDoubleSpinBox* to_ = nullptr;
    QDoubleSpinBox* step_ = nullptr;
    QPushButton* compute_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* save_ = nullptr;
    QMenu* saveMenu_ = nullptr;
    QLabel* state_ = nullptr;
    ViscousPlot* plot_ = nullptr;
};
