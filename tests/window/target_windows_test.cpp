#include <QAction>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "design/lift_design.h"
#include "design/reported_design.h"
#include "message_box_catcher.h"
#include "window/analysis_window.h"
#include "window/bucket_plot.h"
#include "window/bucket_window.h"
#include "window/lift_dialog.h"
#include "window/main_window.h"
#include "window/typed_lift.h"

// "Design for lift…" and the cavitation bucket, driven as a user would.
class TargetWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void liftDialogTypesTheSolvedCamberAndDesigns();
    void liftDialogStaysOpenWithTheReasonWhenTheTargetIsOutOfReach();
    void bucketWindowFollowsSigmaAndTheDesignAndSavesItsTable();

private:
    QLineEdit* box(const char* name) { return window_->findChild<QLineEdit*>(name); }
    void typeSection()
    {
        box("Text_Delta")->setText("0.12");
        box("Text_Tau")->setText("10");
    }

    QTemporaryDir* workDir_ = nullptr;
    QString startDir_;
    MessageBoxCatcher* boxes_ = nullptr;
    MainWindow* window_ = nullptr;
    QString answer_;
};

void TargetWindowsTest::init()
{
    startDir_ = QDir::currentPath();
    workDir_ = new QTemporaryDir;
    QVERIFY(QDir::setCurrent(workDir_->path()));
    boxes_ = new MessageBoxCatcher;
    window_ = new MainWindow;
    window_->setSaveFileChooser([this](QWidget*, const QString&, const QString&, const QString&) { return answer_; });
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
}

void TargetWindowsTest::cleanup()
{
    delete window_;
    delete boxes_;
    QVERIFY(QDir::setCurrent(startDir_));
    delete workDir_;
}

void TargetWindowsTest::liftDialogTypesTheSolvedCamberAndDesigns()
{
    typeSection();
    QTest::keyClick(window_, Qt::Key_L, Qt::ControlModifier);
    LiftDialog* dialog = window_->liftDialog();
    QVERIFY(dialog && dialog->isVisible());
    dialog->findChild<QDoubleSpinBox*>("LiftTarget")->setValue(0.3);
    dialog->findChild<QRadioButton*>("AtIdealAngle")->setChecked(true);
    QVERIFY(!dialog->findChild<QDoubleSpinBox*>("LiftAngle")->isEnabled());
    QTest::mouseClick(dialog->findChild<QPushButton*>("LiftDesign"), Qt::LeftButton);
    QTRY_VERIFY(!dialog->isVisible());

    folix::DesignInputs inputs;
    inputs.thickness = 0.12;
    inputs.teAngleDegrees = 10;
    const folix::LiftDesign expected = folix::designForLift({inputs, 0.3, std::nullopt});
    QCOMPARE(box("Text_Gamma")->text().toStdString(), folix::camberBoxText(expected.camber));
    QCOMPARE(box("Text_F")->text().toStdString(), expected.outcome.texts.f);
    QCOMPARE(box("Text_G")->text().toStdString(), expected.outcome.texts.g);
    QVERIFY(window_->statusBar()->currentMessage().startsWith("Design for lift: Cl = 0.3000 at the ideal angle"));
}

void TargetWindowsTest::liftDialogStaysOpenWithTheReasonWhenTheTargetIsOutOfReach()
{
    typeSection();
    box("Text_Gamma")->setText("0.02");
    window_->designForLiftAction()->trigger();
    LiftDialog* dialog = window_->liftDialog();
    dialog->findChild<QDoubleSpinBox*>("LiftTarget")->setValue(0.1);
    dialog->findChild<QDoubleSpinBox*>("LiftAngle")->setValue(2);
    dialog->design();
    QVERIFY(dialog->isVisible());
    const QString said = dialog->findChild<QLabel*>("LiftProblem")->text();
    QVERIFY2(said.contains("below the symmetric section's Cl 0.24021") && said.contains("lower the angle of attack"),
             qPrintable(said));
    QCOMPARE(box("Text_Gamma")->text(), "0.02");  // nothing typed
    dialog->reject();
}

void TargetWindowsTest::bucketWindowFollowsSigmaAndTheDesignAndSavesItsTable()
{
    typeSection();
    box("Text_Gamma")->setText("0.02");
    QTest::mouseClick(window_->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    window_->findChild<QAction*>("PressureDistribution")->trigger();
    AnalysisWindow* analysis = window_->analysisWindow();
    QTest::mouseClick(analysis->findChild<QPushButton*>("ShowBucket"), Qt::LeftButton);
    BucketWindow* bucket = analysis->bucketWindow();
    QVERIFY(bucket && bucket->isVisible());
    bucket->findChild<QDoubleSpinBox*>("CavitationNumber")->setValue(0.8);

    folix::DesignInputs inputs;
    inputs.thickness = 0.12;
    inputs.camber = 0.02;
    inputs.teAngleDegrees = 10;
    const folix::DesignRecord r = folix::reportedDesign(inputs).record;
    const folix::BucketChart expected = folix::bucketChart(r.F, r.G, r.m, 0.8);
    QVERIFY(bucket->plot()->hasCurve());
    QCOMPARE(bucket->plot()->chart()->found.bucket->high.alpha, expected.found.bucket->high.alpha);
    QCOMPARE(bucket->findChild<QLabel*>("BucketSummary")->text().toStdString(), folix::bucketSummary(expected));

    answer_ = QDir::current().filePath("bucket.csv");
    bucket->findChild<QAction*>("SaveBucketTable")->trigger();
    QFile saved(answer_);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll().toStdString(), folix::bucketCsvText(expected.curve));

    bucket->findChild<QDoubleSpinBox*>("CavitationNumber")->setValue(0.3);
    QVERIFY(bucket->plot()->hasCurve());  // the curve and the floor, without a range
    QVERIFY(bucket->findChild<QLabel*>("BucketSummary")->text().startsWith("no cavitation-free range at sigma 0.3"));

    box("Text_Tau")->setText("-10");  // m > 2: no bucket at all
    QTest::mouseClick(window_->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QVERIFY(!bucket->plot()->hasCurve());
    QVERIFY(bucket->plot()->message().contains("m > 2"));
    QVERIFY(!bucket->findChild<QAction*>("SaveBucketTable")->isEnabled());
}

QTEST_MAIN(TargetWindowsTest)
#include "target_windows_test.moc"
