#pragma once

#include <optional>
#include <string>

#include <QWidget>

#include "engine/mapped_section.h"

class AngleBox;
class FileService;
class FlowCanvas;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

inline constexpr const char* kFlowTitle = "Flow";

// The exact inviscid flow past the shown section: streamlines, stagnation
// points and the speed or pressure as colour, at an angle of attack the user
// sets or another window passes on, with the circle plane beside it if asked.
// Every change draws the flow again. With the file service it saves the
// picture as PNG, JPEG, SVG or PDF, chosen by the file name's ending.
class FlowWindow : public QWidget {
    Q_OBJECT

public:
    explicit FlowWindow(QWidget* parent = nullptr, FileService* files = nullptr);

    // The section to show, replacing whatever was shown. The note (what the
    // run read, designNote) goes into the metadata of its pictures.
    void showDesign(const folix::MappedSection& design, const std::string& note = {});

    // Degrees, positive nose-up; held within the angle box's range (-20 to 20).
    void setAngleOfAttack(double degrees);
    double angleOfAttack() const;

    FlowCanvas* canvas() const { return canvas_; }

signals:
    void angleOfAttackChanged(double degrees);

private:
    void redraw();
    void savePicture();
    QString caption() const;

    std::optional<folix::MappedSection> design_;
    std::string designNote_;
    FileService* files_ = nullptr;

    QLabel* family_ = nullptr;
    QLabel* parameters_ = nullptr;
    AngleBox* alpha_ = nullptr;
    QLabel* lift_ = nullptr;
    QComboBox* colouring_ = nullptr;
    QCheckBox* circlePlane_ = nullptr;
    QSpinBox* streamlines_ = nullptr;
    QPushButton* save_ = nullptr;
    QLabel* note_ = nullptr;
    FlowCanvas* canvas_ = nullptr;
};
