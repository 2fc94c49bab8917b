#include "flow_window.h"

#include <stdexcept>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "engine/arithmetic_error.h"
#include "engine/number_text.h"
#include "engine/section_analysis.h"
#include "window/angle_box.h"
#include "window/design_description.h"
#include "window/drawn_design.h"
#include "window/file_service.h"
#include "window/flow_canvas.h"

namespace {

constexpr QSize kStartSize{900, 600};
constexpr double kSteepestAngle = 20;  // degrees, either way, as in the pressure distribution
constexpr double kAngleStep = 0.5;
constexpr int kFewestStreamlines = 10;
constexpr int kMostStreamlines = 100;
constexpr const char* kNoValue = "\u2014";

std::string separator()
{
    return QLocale().decimalPoint().toStdString();
}

QString shown(double value)
{
    return QString::fromStdString(folix::displayText(value, separator()));
}

template <typename Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(name);
    return widget;
}

QLabel* captionFor(QWidget* box, const char* name, const char* text)
{
    auto* caption = named(new QLabel(QString::fromUtf8(text)), name);
    caption->setBuddy(box);
    return caption;
}

}  // namespace

FlowWindow::FlowWindow(QWidget* parent, FileService* files) : QWidget(parent, Qt::Window), files_(files)
{
    setObjectName("FlowWindow");
    setWindowTitle(kFlowTitle);

    family_ = named(new QLabel, "FlowSectionFamily");
    QFont bold = family_->font();
    bold.setBold(true);
    family_->setFont(bold);
    parameters_ = named(new QLabel, "FlowSectionParameters");
    parameters_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    alpha_ = named(new AngleBox(kSteepestAngle, kAngleStep), "FlowAngleOfAttack");
    alpha_->setToolTip("Angle of attack in degrees, -20 to 20, positive nose-up");

    lift_ = named(new QLabel(kNoValue), "FlowLiftCoefficient");
    lift_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lift_->setMinimumWidth(lift_->fontMetrics().horizontalAdvance("-00.00000"));
    lift_->setFont(bold);

    colouring_ = named(new QComboBox, "FlowColouring");
    colouring_->addItem("Speed V/V\u221e", static_cast<int>(folix::FlowColouring::Speed));
    colouring_->addItem("Pressure Cp", static_cast<int>(folix::FlowColouring::PressureCoefficient));
    colouring_->addItem("None", static_cast<int>(folix::FlowColouring::None));
    colouring_->setToolTip("What the colours behind the streamlines show");

    circlePlane_ = named(new QCheckBox("Circle plane"), "FlowCirclePlane");
    circlePlane_->setToolTip("Also show the flow past the generating circle, with the same streamlines");

    streamlines_ = named(new QSpinBox, "FlowStreamlineCount");
    streamlines_->setRange(kFewestStreamlines, kMostStreamlines);
    streamlines_->setSingleStep(5);
    streamlines_->setValue(folix::kFlowStreamlines);
    streamlines_->setToolTip("Streamlines across the section plane, 10 to 100; the same flow passes between neighbours");

    save_ = named(new QPushButton("Save picture\u2026"), "FlowSavePicture");
    save_->setToolTip("PNG, JPEG, SVG or PDF, chosen by the file name's ending");
    save_->setEnabled(false);
    save_->setVisible(files_ != nullptr);

    note_ = named(new QLabel, "FlowNote");
    note_->setWordWrap(true);
    note_->setVisible(false);
    canvas_ = new FlowCanvas;

    auto* controls = new QHBoxLayout;
    controls->addWidget(captionFor(alpha_, "FlowAngleCaption", "Angle of attack \u03b1:"));
    controls->addWidget(alpha_);
    controls->addWidget(alpha_->refusalLabel());
    controls->addSpacing(12);
    controls->addWidget(named(new QLabel("Cl ="), "FlowLiftCaption"));
    controls->addWidget(lift_);
    controls->addSpacing(12);
    controls->addWidget(captionFor(colouring_, "FlowColouringCaption", "Colour:"));
    controls->addWidget(colouring_);
    controls->addWidget(captionFor(streamlines_, "FlowStreamlineCaption", "Streamlines:"));
    controls->addWidget(streamlines_);
    controls->addWidget(circlePlane_);
    controls->addStretch();
    controls->addWidget(save_);

    auto* column = new QVBoxLayout(this);
    column->addWidget(family_);
    column->addWidget(parameters_);
    column->addLayout(controls);
    column->addWidget(canvas_, 1);
    column->addWidget(note_);

    connect(alpha_, &QDoubleSpinBox::valueChanged, this, [this](double degrees) {
        redraw();
        emit angleOfAttackChanged(degrees);
    });
    connect(colouring_, &QComboBox::currentIndexChanged, this, &FlowWindow::redraw);
    connect(streamlines_, &QSpinBox::valueChanged, this, &FlowWindow::redraw);
    connect(circlePlane_, &QCheckBox::toggled, this, &FlowWindow::redraw);
    connect(save_, &QPushButton::clicked, this, &FlowWindow::savePicture);
    setFocusProxy(alpha_);
    resize(kStartSize);
    canvas_->showMessage("No section designed yet.");
}

void FlowWindow::showDesign(const folix::MappedSection& design, const std::string& note)
{
    design_ = design;
    designNote_ = note;
    family_->setText(QString::fromStdString(design.family));
    parameters_->setText(QString("F = %1     G = %2     m = %3").arg(shown(design.F), shown(design.G), shown(design.EM)));
    note_->setText(design.EM > 2 ? QString("m > 2: the trailing edge turns back on itself and the flow speed there has "
                                           "no finite value, so no stagnation point is marked on it.")
                                 : QString());
    note_->setVisible(design.EM > 2);
    redraw();
}

void FlowWindow::setAngleOfAttack(double degrees)
{
    alpha_->setValue(degrees);
}

double FlowWindow::angleOfAttack() const
{
    return alpha_->value();
}

void FlowWindow::redraw()
{
    if (!design_) return;
    folix::FlowSceneOptions options;
    options.alpha = alpha_->value();
    options.streamlines = streamlines_->value();
    options.colouring = static_cast<folix::FlowColouring>(colouring_->currentData().toInt());
    options.circlePlane = circlePlane_->isChecked();
    try {
        folix::FlowScene scene = folix::flowScene(design_->F, design_->G, design_->EM, options, separator());
        lift_->setText(QString::fromStdString(folix::coefficientText(scene.Cl, separator())));
        canvas_->showScene(std::move(scene), caption());
        save_->setEnabled(true);
    } catch (const std::invalid_argument& error) {
        canvas_->showMessage(QString("The flow past this section cannot be drawn: %1.").arg(error.what()));
        lift_->setText(kNoValue);
        save_->setEnabled(false);
    } catch (const folix::ArithmeticError& error) {
        canvas_->showMessage(QString("The flow past this section cannot be drawn: %1.").arg(error.what()));
        lift_->setText(kNoValue);
        save_->setEnabled(false);
    }
}

QString FlowWindow::caption() const
{
    return QString("%1     \u03b1 = %2\u00b0     Cl = %3     F = %4   G = %5   m = %6")
        .arg(QString::fromStdString(design_->family), shown(alpha_->value()), lift_->text(), shown(design_->F),
             shown(design_->G), shown(design_->EM));
}

void FlowWindow::savePicture()
{
    if (!files_ || !design_ || !canvas_->scene()) return;
    // The angle tells apart the pictures of one section.
    const QString suggested = QString::fromStdString(folix::suggestedFileStem(*design_)) +
                              QString("_alpha%1_flow.png").arg(QString::fromStdString(folix::displayText(alpha_->value())));
    std::string description = designNote_.empty() ? folix::seligName(*design_) : designNote_;
    if (const std::string loads = folix::loadsNoteOf(*design_, alpha_->value()); !loads.empty()) description += "; " + loads;
    files_->savePicture(this, suggested, canvas_->pictureSize(), *canvas_, QString::fromStdString(description),
                        [this](QPainter& painter, const QRectF& area) { canvas_->paintPicture(painter, area); });
}
