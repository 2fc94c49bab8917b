#include "window/analysis_window.h"
#include "window/pressure_plot.h"
#include "window/section_plot.h"
#include "window_fixture.h"

// Sections kept for comparison: pinned designs and reference sections, in the plot and the Cp chart.
class ComparisonTest : public QObject {
    Q_OBJECT

private slots:
    void pinUpToSixRemoveOneOrAll()
    {
        WindowFixture f;
        f.action("PressureDistribution")->trigger();  // greyed: nothing yet
        auto* plot = f.find<SectionPlot>("Picture1");
        for (int i = 0; i < 7; ++i) {
            f.design("0.12", QString::number(0.01 * i), "10");
            f.action("PinSection")->trigger();
        }
        QCOMPARE(plot->pins().size(), 6u);
        QVERIFY(!f.action("PinSection")->isEnabled() && f.action("PinSection")->toolTip().contains("all pins are taken"));
        f.action("PressureDistribution")->trigger();
        PressurePlot* chart = f.window.analysisWindow()->plot();
        QCOMPARE(chart->pinned().size(), 6u);
        QCOMPARE(chart->pinned()[1].label, QString::fromUtf8("\u03b4 0.12  \u03b3 0.01  \u03c4 10\u00b0"));
        QVERIFY(chart->pinned()[0].ink != chart->pinned()[1].ink);

        f.action("RemovePin2")->trigger();
        QCOMPARE(plot->pins().size(), 5u);
        QCOMPARE(chart->pinned()[1].label, QString::fromUtf8("\u03b4 0.12  \u03b3 0.02  \u03c4 10\u00b0"));
        QVERIFY(f.action("PinSection")->isEnabled());
        f.action("RemoveAllPins")->trigger();
        QVERIFY(plot->pins().empty() && chart->pinned().empty());
    }

    void referenceSectionFromACoordinateFile()
    {
        WindowFixture f;
        QString chosen;
        f.window.setOpenFileChooser([&](QWidget*) { return f.path(chosen); });
        QFile file(f.path("flat.dat"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Flat plate\n1 0\n0.5 0.01\n0 0\n0.5 -0.01\n1 0\n");
        file.close();
        chosen = "flat.dat";
        f.action("AddReferenceSection")->trigger();
        QCOMPARE(f.window.pins().pins().size(), 1u);
        QCOMPARE(f.find<SectionPlot>("Picture1")->pins().front().label, QString("Flat plate"));

        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Broken\n1 0\n0.5 x\n0 0\n0.5 -0.01\n1 0\n");
        file.close();
        f.action("AddReferenceSection")->trigger();
        const auto shown = f.boxes.take();
        QCOMPARE(shown.size(), 1u);
        QVERIFY2(shown.front().text.contains("line 3: ") && shown.front().text.contains("Nothing was added"),
                 qPrintable(shown.front().text));
        QCOMPARE(f.window.pins().pins().size(), 1u);
    }
};

QTEST_MAIN(ComparisonTest)
#include "comparison_test.moc"
