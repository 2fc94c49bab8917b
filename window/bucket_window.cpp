#include "bucket_window.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/number_text.h"
#include "window/bucket_chart.h"
#include "window/bucket_plot.h"
#include "window/drawn_design.h"
#include "window/file_service.h"

namespace {

constexpr QSize kStartSize{600, 500};
constexpr double kLeastSigma = 0.01;
constexpr double kMostSigma = 100;
constexpr double kFirstSigma = 1;

std::string separator() { return QLocale().decimalPoint().toStdString(); }

}  // namespace

BucketWindow::BucketWindow(QWidget* parent, FileService* files) : QWidget(parent, Qt::Window), files_(files)
{
    setObjectName("BucketWindow");
    setWindowTitle(kBucketTitle);

    parameters_ = new QLabel;
    parameters_->setObjectName("BucketSection");
    sigma_ = new QDoubleSpinBox;
    sigma_->setObjectName("CavitationNumber");
    sigma_->setRange(kLeastSigma, kMostSigma);
    sigma_->setDecimals(3);
    sigma_->setSingleStep(0.05);
    sigma_->setValue(kFirstSigma);
    sigma_->setToolTip("Cavitation number (p - p_vapour) / (rho V^2 / 2): free of cavitation where -Cp_min <= sigma");
    auto* sigmaCaption = new QLabel("Cavitation number \u03c3 :");
    sigmaCaption->setBuddy(sigma_);

    summary_ = new QLabel;
    summary_->setObjectName("BucketSummary");
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    plot_ = new BucketPlot;

    save_ = new QPushButton("Save");
    save_->setObjectName("BucketSave");
    saveMenu_ = new QMenu(save_);
    const auto add = [this](const char* name, const char* text, void (BucketWindow::*command)()) {
        QAction* action = saveMenu_->addAction(QString::fromUtf8(text));
        action->setObjectName(name);
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, command);
    };
    add("SaveBucketPicture", "Save picture\u2026", &BucketWindow::savePicture);
    add("SaveBucketTable", "Save bucket table\u2026", &BucketWindow::saveTable);
    save_->setMenu(saveMenu_);
    save_->setVisible(files_ != nullptr);
    if (files_) {
        plot_->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(plot_, &QWidget::customContextMenuRequested, this,
                [this](const QPoint& at) { saveMenu_->popup(plot_->mapToGlobal(at)); });
    }

    auto* controls = new QHBoxLayout;
    controls->addWidget(sigmaCaption);
    controls->addWidget(sigma_);
    controls->addStretch();
    controls->addWidget(save_);
    auto* column = new QVBoxLayout(this);
    column->addWidget(parameters_);
    column->addLayout(controls);
    column->addWidget(plot_, 1);
    column->addWidget(summary_);

    connect(sigma_, &QDoubleSpinBox::valueChanged, this, &BucketWindow::showSigma);
    setFocusProxy(sigma_);
    resize(kStartSize);
}

double BucketWindow::sigma() const { return sigma_->value(); }

void BucketWindow::showDesign(const folix::MappedSection& design)
{
    design_ = design;
    haveDesign_ = true;
    parameters_->setText(QString("%1     F = %2     G = %3     m = %4")
                             .arg(QString::fromStdString(design.family),
                                  QString::fromStdString(folix::displayText(design.F, separator())),
                                  QString::fromStdString(folix::displayText(design.G, separator())),
                                  QString::fromStdString(folix::displayText(design.EM, separator()))));
    showSigma();
}

void BucketWindow::showSigma()
{
    if (!haveDesign_) return;
    try {
        folix::BucketChart chart = folix::bucketChart(design_.F, design_.G, design_.EM, sigma_->value());
        const QString summary = QString::fromStdString(folix::bucketSummary(chart, separator()));
        summary_->setText(summary);
        if (chart.curve.empty()) plot_->showMessage(summary);
        else plot_->showChart(std::move(chart));
    } catch (const folix::ArithmeticError& error) {
        summary_->clear();
        plot_->showMessage(QString("The bucket of this section cannot be computed: %1.").arg(error.what()));
    }
    for (QAction* action : saveMenu_->actions()) action->setEnabled(plot_->hasCurve());
}

QString BucketWindow::suggestedName(const char* extension) const
{
    return QString::fromStdString(folix::suggestedFileStem(design_)) +
           QString("_sigma%1_bucket%2").arg(QString::fromStdString(folix::displayText(sigma_->value())), extension);
}

void BucketWindow::savePicture()
{
    if (!files_ || !plot_->hasCurve()) return;
    const QString description = QString::fromStdString(folix::seligName(design_) + "; sigma " +
                                                       folix::displayText(sigma_->value()));
    files_->savePicture(this, suggestedName(".png"), plot_->contentsRect().size(), *plot_, description,
                        [this](QPainter& painter, const QRectF& area) { plot_->paintPicture(painter, area); });
}

void BucketWindow::saveTable()
{
    if (!files_ || !plot_->hasCurve()) return;
    const std::string table = folix::bucketCsvText(plot_->chart()->curve);
    const QString path = files_->askForFile(this, "Save bucket table", suggestedName(".csv"), "CSV tables (*.csv)");
    if (!path.isEmpty()) files_->writeFile(this, path, table, "bucket table");
}
