#include <QLabel>

#include "results/results_file.h"
#include "window/section_plot.h"
#include "window_fixture.h"

// What the numbers shown are: how a box's text reads, whether the results still answer the boxes, the other mode's value.
class ChangedInputsTest : public QObject {
    Q_OBJECT

private slots:
    void hintBesideABoxAsItIsTyped()
    {
        WindowFixture f;
        auto* gamma = f.find<QLineEdit>("Text_Gamma");
        gamma->clear();
        QTest::keyClicks(gamma, "0,02");
        QCOMPARE(f.find<QLabel>("Hint_Gamma")->text(), QString("reads as 0: use '.' for the decimal point"));
        QVERIFY(f.find<QLabel>("Hint_Gamma")->isVisible());
        f.find<QPushButton>("Command1")->click();
        QCOMPARE(f.find<QLineEdit>("Text_G")->text(), QString("0"));  // read as it always was
        QTest::keyClick(gamma, Qt::Key_End);
        for (int i = 0; i < 3; ++i) QTest::keyClick(gamma, Qt::Key_Backspace);
        QTest::keyClicks(gamma, ".02");
        QCOMPARE(f.find<QLabel>("Hint_Gamma")->text(), QString());
    }

    void resultsOfChangedInputsAreMarkedAndSavedAsShown()
    {
        WindowFixture f;
        f.design();
        auto* plot = f.find<SectionPlot>("Picture1");
        auto* note = f.find<QLabel>("InputsChangedNote");
        QCOMPARE(f.find<QLabel>("OtherModeValue")->text(), QString("max thickness at x/c = 0.32657"));
        QVERIFY(!plot->stale() && !note->isVisible());

        f.type("Text_Delta", "0.15");
        QVERIFY(plot->stale() && note->isVisible());
        QVERIFY(f.find<QLineEdit>("Text_F")->palette().color(QPalette::Text) != f.window.palette().color(QPalette::Text));
        f.find<QPushButton>("Command_Save")->click();
        QCOMPARE(f.status(), "Saved the design shown (\u03b4 0.12  \u03b3 0.02  \u03c4 10\u00b0), not the changed inputs, to " +
                                 f.path(folix::kResultsFileName));
        QVERIFY(f.read(folix::kResultsFileName).contains(" 0.12   0.02 "));

        f.type("Text_Delta", "0.120");  // reads as before
        QVERIFY(!plot->stale() && !note->isVisible());
        f.find<QRadioButton>("Option_xDltc")->click();
        QVERIFY(plot->stale());
        f.type("Text_xDltc", "0.3");
        f.find<QPushButton>("Command1")->click();
        QVERIFY(!plot->stale() && f.find<QLabel>("OtherModeValue")->text().startsWith("\u03c4 = (2 \u2212 m)\u00b7180\u00b0 = "));
    }

    void crossingSurfacesAreMarkedAndTheirExportAsked()
    {
        WindowFixture f;
        f.design("0.12", "0.02", "-10");
        auto* plot = f.find<SectionPlot>("Picture1");
        QVERIFY(plot->crossing().has_value());
        QVERIFY(f.status().startsWith("Not a valid section: the upper and lower surfaces cross from x/c "));
        f.answer = "crossed.dat";
        f.action("ExportCoordinates")->trigger();  // Enter declines
        const auto asked = f.boxes.take();
        QVERIFY(asked.size() == 1 && asked.front().icon == QMessageBox::Question && asked.front().text.contains("overlaps"));
        QVERIFY(!QFile::exists(f.path("crossed.dat")));
        f.design();
        QVERIFY(!plot->crossing() && f.status().isEmpty());
    }
};

QTEST_MAIN(ChangedInputsTest)
#include "changed_inputs_test.moc"
