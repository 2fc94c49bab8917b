#include <QDialog>
#include <QDoubleSpinBox>
#include <QImageReader>
#include <QLabel>

#include "window/analysis_window.h"
#include "window/flow_window.h"
#include "window_fixture.h"

// Faults mended: the program's end, the angle box, the polar range, picture formats and file names, what files carry.
class WindowFaultsTest : public QObject {
    Q_OBJECT

private slots:
    void angleOutOfRangeIsRefusedVisibly()
    {
        WindowFixture f;
        f.design();
        f.action("PressureDistribution")->trigger();
        AnalysisWindow* analysis = f.window.analysisWindow();
        auto* angle = f.find<QDoubleSpinBox>("AngleOfAttack", analysis);
        angle->setValue(3);
        angle->selectAll();
        QTest::keyClicks(angle, "25");
        QTest::keyClick(angle, Qt::Key_Return);
        QCOMPARE(angle->value(), 3.0);
        auto* refusal = f.find<QLabel>("AngleRefusal", analysis);
        QVERIFY(refusal->isVisibleTo(analysis) && refusal->text().startsWith("25\u00b0 is outside -20\u00b0 to 20\u00b0"));

        // A range that gives no polar is told in its dialog, which stays.
        analysis->findChild<QAction*>("ExportPolar")->trigger();
        auto* range = f.find<QDialog>("PolarRangeDialog", analysis);
        f.find<QDoubleSpinBox>("PolarTo", range)->setValue(-30);
        range->accept();
        QVERIFY(range->isVisible() && f.find<QLabel>("PolarRangeProblem", range)->text().startsWith("No polar: "));
        QVERIFY(f.suggested.isEmpty() && f.boxes.take().empty());
        range->reject();
    }

    void filesTakeTheirFormatFromTheNameAndCarryTheDesign()
    {
        WindowFixture f;
        f.design();
        const std::pair<QString, QByteArray> pictures[] = {
            {"p.pdf", "%PDF-"}, {"p.jpg", "\xff\xd8\xff"}, {"p.svg", "<?xml"}, {"p", "\x89PNG"}};
        for (const auto& [name, start] : pictures) {
            f.answer = name;
            f.action("SavePicture")->trigger();
            QVERIFY2(f.read(name.contains('.') ? name : name + ".png").startsWith(start), qPrintable(name));
        }
        QImageReader png(f.path("p.png"));
        QVERIFY(png.text("Description").startsWith("thickness 0.12, camber 0.02, trailing-edge angle 10 deg"));
        QVERIFY(png.text("Description").endsWith("; alpha 0 deg, Cl 0.2814, Cm -0.0660"));
        f.answer = "coordinates";
        f.action("ExportCoordinates")->trigger();
        QVERIFY(f.read("coordinates.dat").startsWith("KARMAN-TREFFTZ F="));
    }

    void closingTheMainWindowEndsTheProgram()
    {
        auto* f = new WindowFixture;
        f->design();
        f->action("PressureDistribution")->trigger();
        f->action("ShowFlow")->trigger();
        QTimer::singleShot(0, &f->window, [f] { f->window.close(); });
        QTimer::singleShot(10000, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!f->window.analysisWindow()->isVisible() && !f->window.flowWindow()->isVisible());
        delete f;
    }
};

QTEST_MAIN(WindowFaultsTest)
#include "window_faults_test.moc"
