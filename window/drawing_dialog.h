#pragma once

#include <QDialog>

#include "engine/section_drawing.h"

class QCheckBox;
class QDoubleSpinBox;

// Asks how to draw the section for a CAD program or a cutter: the chord in
// millimetres, the trailing-edge gap as a fraction of the chord, and whether
// the chord line and the maximum thickness go on a layer of their own.
class DrawingDialog : public QDialog {
    Q_OBJECT

public:
    explicit DrawingDialog(QWidget* parent);

    folix::DrawingOptions options() const;

private:
    QDoubleSpinBox* chord_ = nullptr;
    QDoubleSpinBox* gap_ = nullptr;
    QCheckBox* construction_ = nullptr;
};
