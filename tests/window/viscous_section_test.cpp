#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "testing/fake_xfoil.h"
#include "window/analysis_window.h"
#include "window/file_service.h"
#include "window/viscous_plot.h"
#include "window/viscous_section.h"

// The analysis window's viscous section on stand-ins for XFOIL.
class ViscousSectionTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void polarFillsTheChartsWithGapsAndSavesItsTable();
    void cancelClosingAndANewDesignKillXfoil();
    void greyedWithTheReasonWhenXfoilCannotBeRun();

private:
    // The stand-in, named by FOLIX_XFOIL; `alfa` runs at every angle.
    void useXfoil(const std::string& alfa)
    {
        const std::string save = R"(head -n 161 "$contour" > "$2")";  // the 160 nodes XFOIL keeps
        const auto path = folix::writeFakeXfoil(folder() / "xfoil", folix::kImitationXfoil, log(), save, alfa);
        qputenv("FOLIX_XFOIL", QByteArray::fromStdString(path.string()));
    }
    std::filesystem::path folder() const { return dir_->path().toStdString(); }
    std::string log() const { return (folder() / "log").string(); }
    // Whether every stand-in started is gone, and its temporary folder with it.
    bool nothingLeft() const
    {
        std::ifstream pids(log() + ".pids");
        for (pid_t pid; pids >> pid;)
            if (::kill(pid, 0) == 0) return false;
        return std::filesystem::is_empty(folder() / "tmp");
    }
    ViscousSection* section() const { return window_->viscousSection(); }
    QPushButton* button(const char* name) const { return section()->findChild<QPushButton*>(name); }

    QTemporaryDir* dir_ = nullptr;
    FileService* files_ = nullptr;
    AnalysisWindow* window_ = nullptr;
    QString answer_;
};

void ViscousSectionTest::init()
{
    dir_ = new QTemporaryDir;
    std::filesystem::create_directory(folder() / "tmp");
    qputenv("TMPDIR", QByteArray::fromStdString((folder() / "tmp").string()));
    useXfoil(":");
    files_ = new FileService;
    files_->setChooser([this](QWidget*, const QString&, const QString&, const QString&) { return answer_; });
    window_ = new AnalysisWindow(nullptr, files_);
    window_->showDesign({"KARMAN-TREFFTZ AIRFOIL", 0.0703, 0.04377, 1.94444});
    window_->showViscousSection();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    QVERIFY(section()->isVisible());
    section()->findChild<QDoubleSpinBox*>("ViscousFrom")->setValue(-1);
    section()->findChild<QDoubleSpinBox*>("ViscousTo")->setValue(3);
}

void ViscousSectionTest::cleanup()
{
    delete window_;
    delete files_;
    QVERIFY(nothingLeft());
    qunsetenv("FOLIX_XFOIL");
    qunsetenv("TMPDIR");
    delete dir_;
}

void ViscousSectionTest::polarFillsTheChartsWithGapsAndSavesItsTable()
{
    useXfoil("[ $2 = 1 ] && continue");  // 1 degree does not converge
    QTest::mouseClick(button("ComputePolar"), Qt::LeftButton);
    QTRY_VERIFY(!section()->running());
    QCOMPARE(section()->findChild<QLabel*>("ViscousState")->text(),
             "4 of 5 angles converged; Cl max 0.3 at 3\u00b0, Cd min 0.01, Cl/Cd max 30.0 at 3\u00b0.");
    QCOMPARE(section()->findChild<QProgressBar*>("PolarProgress")->value(), 5);
    const auto& lift = section()->plot()->charts()->at(0);
    QCOMPARE(lift.curves.at(0).pieces.size(), 1u);  // the exact polar, whole
    QCOMPARE(lift.curves.at(1).pieces.size(), 2u);  // XFOIL's, broken at 1 degree
    QCOMPARE(lift.curves.at(1).pieces.at(1).front().x, 2.0);

    answer_ = dir_->filePath("polar.csv");
    section()->findChild<QAction*>("SavePolarTable")->trigger();
    QFile saved(answer_);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll().toStdString(), "# KARMAN-TREFFTZ F=0.0703 G=0.04377 m=1.94444\n"
                                            "# viscous polar from XFOIL at Re 1000000, Mach 0, Ncrit 9\n" +
                                                folix::polarTableText(*section()->polars()));
    QVERIFY(folix::polarTableText(*section()->polars()).find("\n1,0.4") != std::string::npos);
}

void ViscousSectionTest::cancelClosingAndANewDesignKillXfoil()
{
    useXfoil("sleep 100");
    const auto started = [this] { return std::filesystem::exists(log() + ".pids"); };
    for (int way = 0; way < 3; ++way) {
        QTest::mouseClick(button("ComputePolar"), Qt::LeftButton);
        QVERIFY(section()->running());
        QTRY_VERIFY(started());
        QVERIFY(button("CancelPolar")->isEnabled());
        if (way == 0) QTest::mouseClick(button("CancelPolar"), Qt::LeftButton);
        if (way == 1) window_->close();
        if (way == 2) window_->showDesign({"KARMAN-TREFFTZ AIRFOIL", 0.07, 0.04, 1.95});
        QTRY_VERIFY_WITH_TIMEOUT(!section()->running(), 2000);
        QTRY_VERIFY(nothingLeft());
        if (way < 2) QCOMPARE(folix::statusText(section()->polars()->viscous.angles.at(0)), "failed: cancelled");
        else QVERIFY(!section()->polars());  // the polar of another design is gone
        std::filesystem::remove(log() + ".pids");
        window_->showViscousSection();
    }
}

void ViscousSectionTest::greyedWithTheReasonWhenXfoilCannotBeRun()
{
    qputenv("FOLIX_XFOIL", "/nonexistent/xfoil");
    AnalysisWindow window(nullptr, files_);
    window.showDesign({"KARMAN-TREFFTZ AIRFOIL", 0.0703, 0.04377, 1.94444});
    window.showViscousSection();
    ViscousSection* viscous = window.viscousSection();
    QVERIFY(!viscous->findChild<QPushButton*>("ComputePolar")->isEnabled());
    QVERIFY(!viscous->findChild<QDoubleSpinBox*>("ReynoldsNumber")->isEnabled());
    QLabel* reason = viscous->findChild<QLabel*>("XfoilUnavailable");
    QVERIFY(reason->isVisible());
    QVERIFY(reason->text().contains("Debian's package xfoil"));
}

QTEST_MAIN(ViscousSectionTest)
#include "viscous_section_test.moc"
