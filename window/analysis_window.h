#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QWidget>

#include "engine/section_analysis.h"
#include "window/comparison_pins.h"
#include "window/drawn_design.h"

class BucketWindow;
class FileService;
class AngleBox;
class PolarRangeDialog;
class PressurePlot;
class QLabel;
class QMenu;
class QPushButton;

inline constexpr const char* kAnalysisTitle = "Pressure distribution";

// The exact inviscid flow past the drawn section: its name, the angle of
// attack, the lift and moment coefficients and the pressure distribution.
// The surface is mapped once per design; a new angle of attack only asks the
// analysis for its loads, so the spin box can be dragged smoothly.
// With the file service it also saves what it shows, from its "Save" button or
// the chart's context menu, and the section's polar over a range of angles.
class AnalysisWindow : public QWidget {
    Q_OBJECT

public:
    explicit AnalysisWindow(QWidget* parent = nullptr, FileService* files = nullptr);

    // The design that is drawn now; replaces whatever was shown. The note
    // (what the run read, designNote) heads the files saved from it.
    void showDesign(const folix::MappedSection& design, const std::string& note = {});
    // The pinned sections: the Cp of each pinned design is drawn with the shown one.
    void showPins(const std::vector<folix::Pin>& pins);

    // Degrees, held within the angle box's range (-20 to 20).
    void setAngleOfAttack(double degrees);
    double angleOfAttack() const;
    PressurePlot* plot() const { return plot_; }
    // The bucket window once it has been asked for, nullptr before.
    BucketWindow* bucketWindow() const { return bucket_; }

public slots:
    // The cavitation bucket of the section shown, in a window of its own that follows the design.
    void showBucket();

signals:
    void angleOfAttackChanged(double degrees);

private:
    void showAngle(double alpha);
    std::vector<std::string> fileNotes() const;
    void showFailure(const char* reason);
    void showPointed();
    void buildSaveMenu();
    void savePicture();
    void saveTable();
    void askPolarRange();
    void exportPolar();
    QString suggestedName(const char* extension) const;

    std::optional<folix::SectionAnalysis> analysis_;
    folix::MappedSection design_;
    std::string note_;
    struct PinnedAnalysis {
        QString label;
        std::size_t slot;
        folix::SectionAnalysis analysis;
    };
    std::vector<PinnedAnalysis> pinned_;
    FileService* files_ = nullptr;

    QLabel* family_ = nullptr;
    QLabel* parameters_ = nullptr;
    AngleBox* alpha_ = nullptr;
    QLabel* lift_ = nullptr;
    QLabel* moment_ = nullptr;
    QLabel* trailingEdgeNote_ = nullptr;
    QLabel* pointed_ = nullptr;
    PressurePlot* plot_ = nullptr;
    QPushButton* save_ = nullptr;
    QMenu* saveMenu_ = nullptr;
    PolarRangeDialog* polarRange_ = nullptr;
    BucketWindow* bucket_ = nullptr;
};
