#include "drawing_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>

namespace {

constexpr int kChordDecimals = 1;
constexpr int kGapDecimals = 4;
constexpr double kGapStep = 0.001;

}  // namespace

DrawingDialog::DrawingDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName("DrawingDialog");
    setWindowTitle("Export drawing");

    chord_ = new QDoubleSpinBox;
    chord_->setObjectName("DrawingChord");
    chord_->setRange(folix::kSmallestChordMillimetres, folix::kLargestChordMillimetres);
    chord_->setDecimals(kChordDecimals);
    chord_->setValue(folix::kDefaultChordMillimetres);
    chord_->setSuffix(" mm");
    chord_->setToolTip(QString("Chord length in millimetres, %1 to %2")
                           .arg(locale().toString(folix::kSmallestChordMillimetres),
                                locale().toString(folix::kLargestChordMillimetres)));

    gap_ = new QDoubleSpinBox;
    gap_->setObjectName("DrawingTrailingEdgeGap");
    gap_->setRange(0, folix::kLargestTrailingEdgeGap);
    gap_->setDecimals(kGapDecimals);
    gap_->setSingleStep(kGapStep);
    gap_->setToolTip(QString("Trailing-edge gap as a fraction of the chord, 0 to %1 (0.002 is 0.2 mm on a "
                             "100 mm chord), opened linearly along the chord; 0 leaves the edge closed")
                         .arg(locale().toString(folix::kLargestTrailingEdgeGap)));

    construction_ = new QCheckBox("Chord line and maximum thickness on a layer of their own");
    construction_->setObjectName("DrawingConstructionLayer");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow("&Chord:", chord_);
    form->addRow("Trailing-edge &gap (of chord):", gap_);
    form->addRow(construction_);
    form->addRow(new QLabel("SVG, DXF or PDF: the file name's ending chooses."));
    form->addRow(buttons);
}

folix::DrawingOptions DrawingDialog::options() const
{
    return {chord_->value(), gap_->value(), construction_->isChecked()};
}
