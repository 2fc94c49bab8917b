#include <QAction>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include "engine/section_flow.h"
#include "message_box_catcher.h"
#include "tests/design/silent_front_end.h"
#include "window/analysis_window.h"
#include "window/main_window.h"
#include "window/pressure_plot.h"
#include "window/typed_inputs.h"
#include "window/window_colours.h"

namespace {

const folix::TypedInputs kTypical{"0.12", "0.02", "10", "0.00", false};
const folix::TypedInputs kSymmetric{"0.10", "0.00", "0", "0.00", false};
// Angle -10 gives m = 2.05556: the trailing edge turns back on itself.
const folix::TypedInputs kPastTwo{"0.10", "0.02", "-10", "0.00", false};
// m = 1 maps every circle to a section of the same thickness: the solver divides by zero.
const folix::TypedInputs kStops{"0.12", "0.02", "180", "0.00", false};

folix::MappedSection designed(const folix::TypedInputs& inputs)
{
    folix::DesignState state;
    SilentFrontEnd silent;
    folix::runDesign(state, folix::readTypedInputs(inputs), silent);
    return folix::mappedSection(state);
}

// What the window should show for a design, worked out without it.
struct Expected {
    folix::PressureCurves curves;
    QString lift;
    QString moment;
};

Expected expected(const folix::MappedSection& design, double alpha, const char* separator = ".")
{
    const folix::SectionAnalysis analysis(design.F, design.G, design.EM, folix::pressureCircleAngles(design.F, design.EM));
    const folix::SectionLoads loads = analysis.loads(alpha);
    return {folix::pressureCurves(analysis.surface(), loads.Cp),
            QString::fromStdString(folix::coefficientText(loads.Cl, separator)),
            QString::fromStdString(folix::coefficientText(loads.Cm, separator))};
}

bool same(const std::vector<folix::ChartPoint>& a, const std::vector<folix::ChartPoint>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const folix::ChartPoint& p, const folix::ChartPoint& q) { return p.x == q.x && p.y == q.y; });
}

bool same(const folix::PressureCurves& a, const folix::PressureCurves& b)
{
    return same(a.upper, b.upper) && same(a.lower, b.lower) && a.suction.low == b.suction.low &&
           a.suction.high == b.suction.high && a.suction.ticks == b.suction.ticks;
}

// Pixels within a small distance of a colour: the antialiased curves rarely hit it exactly.
int pixelsNear(const QImage& image, const QColor& ink)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - ink.red()) + std::abs(pixel.green() - ink.green()) +
                    std::abs(pixel.blue() - ink.blue()) < 40)
                ++count;
        }
    return count;
}

}  // namespace

class AnalysisWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void angleOfAttackBox();
    void readoutsOfTheTypicalDesign_data();
    void readoutsOfTheTypicalDesign();
    void changingTheAngleUpdatesAtOnce();
    void symmetricSectionAtZeroIncidence();
    void followsANewDesignAndNeverShowsAStaleOne();
    void openedAfterAStoppedRunShowsTheDrawnDesign();
    void sectionsPastTwoStopShortOfTheTrailingEdge();
    void sectionWithoutThicknessLeavesOutItsLeadingEdge();
    void analysisThatFailsShowsTheReasonInsteadOfACurve();
    void numbersFollowTheRegionalDecimalSeparator();
    void hoveringTheChartReadsOutBothSurfaces();

private:
    void design(const folix::TypedInputs& inputs);
    AnalysisWindow* openAnalysis();
    QString text(const char* label) const
    {
        return window_->analysisWindow()->findChild<QLabel*>(label)->text();
    }
    QDoubleSpinBox* angleBox() const { return window_->analysisWindow()->findChild<QDoubleSpinBox*>("AngleOfAttack"); }
    void verifyShows(const folix::MappedSection& design, const QString& family, const QString& parameters);

    MainWindow* window_ = nullptr;
    MessageBoxCatcher* boxes_ = nullptr;
};

void AnalysisWindowTest::init()
{
    boxes_ = new MessageBoxCatcher;
    window_ = new MainWindow;
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
}

void AnalysisWindowTest::cleanup()
{
    delete window_;
    const auto unexpected = boxes_->take();
    delete boxes_;
    QVERIFY2(unexpected.empty(), qPrintable(unexpected.empty() ? QString() : unexpected.front().text));
}

void AnalysisWindowTest::design(const folix::TypedInputs& inputs)
{
    window_->findChild<QLineEdit*>("Text_Delta")->setText(QString::fromStdString(inputs.delta));
    window_->findChild<QLineEdit*>("Text_Gamma")->setText(QString::fromStdString(inputs.gamma));
    window_->findChild<QLineEdit*>("Text_Tau")->setText(QString::fromStdString(inputs.tau));
    QTest::mouseClick(window_->findChild<QPushButton*>("Command1"), Qt::LeftButton);
}

AnalysisWindow* AnalysisWindowTest::openAnalysis()
{
    window_->findChild<QAction*>("PressureDistribution")->trigger();
    AnalysisWindow* analysis = window_->analysisWindow();
    if (analysis && !QTest::qWaitForWindowExposed(analysis)) return nullptr;
    return analysis;
}

void AnalysisWindowTest::verifyShows(const folix::MappedSection& design, const QString& family, const QString& parameters)
{
    AnalysisWindow* analysis = window_->analysisWindow();
    QVERIFY(analysis);
    QCOMPARE(text("SectionFamily"), family);
    QCOMPARE(text("SectionParameters"), parameters);
    const Expected wanted = expected(design, analysis->angleOfAttack());
    QCOMPARE(text("LiftCoefficient"), wanted.lift);
    QCOMPARE(text("MomentCoefficient"), wanted.moment);
    QVERIFY(analysis->plot()->hasCurves());
    QVERIFY(analysis->plot()->message().isEmpty());
    QVERIFY(same(*analysis->plot()->curves(), wanted.curves));
}

void AnalysisWindowTest::angleOfAttackBox()
{
    design(kTypical);
    QVERIFY(openAnalysis());
    QDoubleSpinBox* box = angleBox();
    QCOMPARE(box->minimum(), -20.0);
    QCOMPARE(box->maximum(), 20.0);
    QCOMPARE(box->singleStep(), 0.5);
    QCOMPARE(box->value(), 0.0);
    QCOMPARE(box->suffix(), QString::fromUtf8("\u00b0"));
    QCOMPARE(box->text(), QString::fromUtf8("0.0\u00b0"));
    QCOMPARE(QApplication::focusWidget(), box);

    box->setValue(25);
    QCOMPARE(box->value(), 20.0);
    box->setValue(-20.5);
    QCOMPARE(box->value(), -20.0);
    QCOMPARE(text("LiftCoefficient"), expected(designed(kTypical), -20).lift);
}

void AnalysisWindowTest::readoutsOfTheTypicalDesign_data()
{
    QTest::addColumn<double>("alpha");
    QTest::addColumn<QString>("lift");
    QTest::addColumn<QString>("moment");
    // Cl = 8 pi a B sin(alpha + beta) worked out by hand; Cm where it is known independently.
    QTest::newRow("0") << 0.0 << "0.2814" << "-0.0660";
    QTest::newRow("4") << 4.0 << "0.7609" << QString();
    QTest::newRow("-2.5, just past zero lift") << -2.5 << "-0.0190" << QString();
    QTest::newRow("20") << 20.0 << "2.6184" << QString();
    QTest::newRow("-20") << -20.0 << "-2.0894" << QString();
}

void AnalysisWindowTest::readoutsOfTheTypicalDesign()
{
    QFETCH(double, alpha);
    QFETCH(QString, lift);
    QFETCH(QString, moment);
    design(kTypical);
    QVERIFY(openAnalysis());
    angleBox()->setValue(alpha);
    QCOMPARE(text("LiftCoefficient"), lift);
    if (!moment.isNull()) QCOMPARE(text("MomentCoefficient"), moment);
    const Expected wanted = expected(designed(kTypical), alpha);
    QCOMPARE(text("LiftCoefficient"), wanted.lift);
    QCOMPARE(text("MomentCoefficient"), wanted.moment);
    QVERIFY(same(*window_->analysisWindow()->plot()->curves(), wanted.curves));
}

void AnalysisWindowTest::changingTheAngleUpdatesAtOnce()
{
    design(kTypical);
    QVERIFY(openAnalysis());
    QDoubleSpinBox* box = angleBox();
    const folix::MappedSection typical = designed(kTypical);
    PressurePlot* plot = window_->analysisWindow()->plot();

    const QImage before = plot->grab().toImage();
    QTest::keyClick(box, Qt::Key_Up);
    QCOMPARE(box->value(), 0.5);
    QCOMPARE(text("LiftCoefficient"), expected(typical, 0.5).lift);
    QVERIFY(same(*plot->curves(), expected(typical, 0.5).curves));
    QVERIFY(plot->grab().toImage() != before);

    QTest::keyClick(box, Qt::Key_PageUp);  // ten steps
    QCOMPARE(box->value(), 5.5);
    QCOMPARE(text("LiftCoefficient"), expected(typical, 5.5).lift);

    // Typing counts with every key, not only on Enter.
    box->selectAll();
    QTest::keyClicks(box, "-1");
    QCOMPARE(box->value(), -1.0);
    QCOMPARE(text("LiftCoefficient"), expected(typical, -1).lift);
    QCOMPARE(text("MomentCoefficient"), expected(typical, -1).moment);
    QVERIFY(same(*plot->curves(), expected(typical, -1).curves));
}

void AnalysisWindowTest::symmetricSectionAtZeroIncidence()
{
    design(kSymmetric);
    QVERIFY(openAnalysis());
    QCOMPARE(text("LiftCoefficient"), "0.0000");
    QCOMPARE(text("MomentCoefficient"), "0.0000");

    const folix::PressureCurves& curves = *window_->analysisWindow()->plot()->curves();
    QCOMPARE(curves.upper.size(), curves.lower.size());
    const std::size_t last = curves.upper.size() - 1;
    for (std::size_t i = 0; i <= last; ++i) {
        QCOMPARE(curves.upper[i].x, curves.lower[last - i].x);
        QCOMPARE(curves.upper[i].y, curves.lower[last - i].y);
    }
    // Stagnation at the nose: Cp = 1.
    QVERIFY(std::abs(curves.upper.back().y + 1) < 1e-12);
    QCOMPARE(curves.upper.back().x, 0.0);

    // Incidence either way lifts either way by the same amount.
    angleBox()->setValue(3);
    const QString up = text("LiftCoefficient");
    angleBox()->setValue(-3);
    QCOMPARE(text("LiftCoefficient"), "-" + up);
}

void AnalysisWindowTest::followsANewDesignAndNeverShowsAStaleOne()
{
    design(kTypical);
    QVERIFY(openAnalysis());
    verifyShows(designed(kTypical), "KARMAN-TREFFTZ AIRFOIL", "F = 0.0703     G = 0.04377     m = 1.94444");
    QCOMPARE(text("LiftCoefficient"), "0.2814");
    angleBox()->setValue(4);

    // A new design replaces everything; the angle stays.
    design(kSymmetric);
    QCOMPARE(angleBox()->value(), 4.0);
    verifyShows(designed(kSymmetric), "JOUKOWSKY AIRFOIL", "F = 0.08354     G = 0     m = 2");
    QVERIFY(text("LiftCoefficient") != "0.7609");

    // A run that stops draws nothing new, so the window keeps the drawn design.
    const QImage drawn = window_->analysisWindow()->plot()->grab().toImage();
    design(kStops);
    QCOMPARE(boxes_->take().size(), std::size_t{1});
    verifyShows(designed(kSymmetric), "JOUKOWSKY AIRFOIL", "F = 0.08354     G = 0     m = 2");
    QCOMPARE(window_->analysisWindow()->plot()->grab().toImage(), drawn);

    // Closed, it still follows, so it opens on the drawn design.
    window_->analysisWindow()->close();
    design(kTypical);
    QVERIFY(openAnalysis());
    verifyShows(designed(kTypical), "KARMAN-TREFFTZ AIRFOIL", "F = 0.0703     G = 0.04377     m = 1.94444");
    QCOMPARE(text("LiftCoefficient"), "0.7609");
}

void AnalysisWindowTest::openedAfterAStoppedRunShowsTheDrawnDesign()
{
    design(kTypical);
    design(kStops);
    QCOMPARE(boxes_->take().size(), std::size_t{1});
    QVERIFY(openAnalysis());
    verifyShows(designed(kTypical), "KARMAN-TREFFTZ AIRFOIL", "F = 0.0703     G = 0.04377     m = 1.94444");
}

void AnalysisWindowTest::sectionsPastTwoStopShortOfTheTrailingEdge()
{
    design(kPastTwo);
    QCOMPARE(window_->findChild<QLineEdit*>("Text_m")->text(), "2.05556");
    QVERIFY(openAnalysis());
    const folix::MappedSection pastTwo = designed(kPastTwo);
    verifyShows(pastTwo, "KARMAN-TREFFTZ AIRFOIL", "F = " + window_->findChild<QLineEdit*>("Text_F")->text() +
                                                       "     G = " + window_->findChild<QLineEdit*>("Text_G")->text() +
                                                       "     m = 2.05556");
    auto* note = window_->analysisWindow()->findChild<QLabel*>("TrailingEdgeNote");
    QVERIFY(note->isVisible());
    QVERIFY(note->text().contains("trailing edge"));
    const folix::PressureCurves& curves = *window_->analysisWindow()->plot()->curves();
    QCOMPARE(curves.upper.size(), std::size_t{(folix::kPressurePoints - 1) / 2});
    QCOMPARE(curves.lower.size(), std::size_t{(folix::kPressurePoints - 1) / 2});
    QVERIFY(curves.upper.front().x < 1 && curves.lower.back().x < 1);

    design(kTypical);
    QVERIFY(!note->isVisible());
    QCOMPARE(window_->analysisWindow()->plot()->curves()->upper.front().x, 1.0);
}

// One analysis gives Cl and Cm as `folix design --alpha` does; only the point
// where the speed has no finite value is left out of the curves.
void AnalysisWindowTest::sectionWithoutThicknessLeavesOutItsLeadingEdge()
{
    design({"0", "0.02", "0", "0.00", false});
    QVERIFY(openAnalysis());
    angleBox()->setValue(4);
    const folix::FlowOutcome flow = folix::analyseFlow(designed({"0", "0.02", "0", "0.00", false}), 4, std::nullopt);
    QCOMPARE(text("LiftCoefficient"), QString::fromStdString(folix::coefficientText(flow.flow->Cl)));
    QCOMPARE(text("LiftCoefficient"), "0.6890");
    QCOMPARE(text("MomentCoefficient"), "-0.0630");
    QVERIFY(text("TrailingEdgeNote").contains("leading edge"));
    const folix::PressureCurves& curves = *window_->analysisWindow()->plot()->curves();
    QCOMPARE(curves.upper.size() + curves.lower.size(), std::size_t{folix::kPressurePoints - 1});
    QVERIFY(curves.upper.back().x > 0 && curves.lower.front().x > 0);
}

void AnalysisWindowTest::analysisThatFailsShowsTheReasonInsteadOfACurve()
{
    AnalysisWindow analysis;
    analysis.show();
    QVERIFY(QTest::qWaitForWindowExposed(&analysis));
    const folix::MappedSection typical = designed(kTypical);
    analysis.showDesign(typical);
    const QImage curves = analysis.plot()->grab().toImage();
    QVERIFY(pixelsNear(curves, kUpperSurfaceInk) > 300);
    QVERIFY(pixelsNear(curves, kLowerSurfaceInk) > 300);

    // F = -1 puts the generating circle's centre where the chord scale divides by zero.
    analysis.showDesign({"KARMAN-TREFFTZ AIRFOIL", -1, 0, 2});
    PressurePlot* plot = analysis.plot();
    QVERIFY(!plot->hasCurves());
    QVERIFY(!plot->section());
    QVERIFY2(plot->message().contains("Division by zero"), qPrintable(plot->message()));
    QCOMPARE(analysis.findChild<QLabel*>("SectionParameters")->text(), "F = -1     G = 0     m = 2");
    QCOMPARE(analysis.findChild<QLabel*>("LiftCoefficient")->text(), QString::fromUtf8("\u2014"));
    QCOMPARE(analysis.findChild<QLabel*>("MomentCoefficient")->text(), QString::fromUtf8("\u2014"));
    const QImage message = plot->grab().toImage();
    QCOMPARE(pixelsNear(message, kUpperSurfaceInk), 0);
    QCOMPARE(pixelsNear(message, kLowerSurfaceInk), 0);
    QVERIFY(pixelsNear(message, kMessageInk) > 0);

    // Other angles change nothing; the next good design brings the curves back.
    analysis.findChild<QDoubleSpinBox*>("AngleOfAttack")->setValue(2);
    QVERIFY(!plot->hasCurves());
    QCOMPARE(analysis.findChild<QLabel*>("LiftCoefficient")->text(), QString::fromUtf8("\u2014"));
    analysis.showDesign(typical);
    QVERIFY(plot->message().isEmpty());
    QVERIFY(same(*plot->curves(), expected(typical, 2).curves));
    QCOMPARE(analysis.findChild<QLabel*>("LiftCoefficient")->text(), expected(typical, 2).lift);
}

void AnalysisWindowTest::numbersFollowTheRegionalDecimalSeparator()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    design(kTypical);
    AnalysisWindow* analysis = openAnalysis();
    QLocale::setDefault(previous);
    QVERIFY(analysis);
    QCOMPARE(text("SectionParameters"), "F = 0,0703     G = 0,04377     m = 1,94444");
    QCOMPARE(text("LiftCoefficient"), "0,2814");
    QCOMPARE(text("MomentCoefficient"), "-0,0660");
    QCOMPARE(angleBox()->text(), QString::fromUtf8("0,0\u00b0"));
}

void AnalysisWindowTest::hoveringTheChartReadsOutBothSurfaces()
{
    design(kTypical);
    AnalysisWindow* analysis = openAnalysis();
    QVERIFY(analysis);
    PressurePlot* plot = analysis->plot();
    auto* readout = analysis->findChild<QLabel*>("PointedValues");

    const QPointF middle(plot->width() / 2.0, plot->height() / 3.0);
    QMouseEvent move(QEvent::MouseMove, middle, plot->mapToGlobal(middle), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(plot, &move);
    const folix::PointedValues pointed = plot->pointed().value();
    QVERIFY(pointed.upper.x > 0.3 && pointed.upper.x < 0.7 && std::abs(pointed.upper.x - pointed.lower.x) < 0.02);
    QCOMPARE(readout->text().toStdString(), folix::pointedText(pointed));

    // A new angle reads out the new curves at the same place.
    angleBox()->setValue(6);
    QVERIFY(plot->pointed()->upper.x == pointed.upper.x && plot->pointed()->upper.y > pointed.upper.y);
    QCOMPARE(readout->text().toStdString(), folix::pointedText(*plot->pointed()));
}

QTEST_MAIN(AnalysisWindowTest)
#include "analysis_window_test.moc"
