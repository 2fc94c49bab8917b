#pragma once

#include <QWidget>

#include "engine/mapped_section.h"

class BucketPlot;
class FileService;
class QDoubleSpinBox;
class QLabel;
class QMenu;
class QPushButton;

inline constexpr const char* kBucketTitle = "Cavitation bucket";

// The cavitation bucket of the drawn section at a cavitation number the user
// sets: -Cp_min against Cl with the sigma line and the cavitation-free range,
// the range in words, and, through the file service, the chart saved as a
// picture and its curve as a table.
class BucketWindow : public QWidget {
    Q_OBJECT

public:
    explicit BucketWindow(QWidget* parent = nullptr, FileService* files = nullptr);

    // The design that is drawn now; replaces whatever was shown.
    void showDesign(const folix::MappedSection& design);

    double sigma() const;
    BucketPlot* plot() const { return plot_; }

private:
    void showSigma();
    void savePicture();
    void saveTable();
    QString suggestedName(const char* extension) const;

    folix::MappedSection design_;
    bool haveDesign_ = false;
    FileService* files_ = nullptr;

    QLabel* parameters_ = nullptr;
    QDoubleSpinBox* sigma_ = nullptr;
    QLabel* summary_ = nullptr;
    BucketPlot* plot_ = nullptr;
    QPushButton* save_ = nullptr;
    QMenu* saveMenu_ = nullptr;
};
