#include <cstring>

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "engine/section_polar.h"
#include "engine/selig_export.h"
#include "message_box_catcher.h"
#include "tests/design/silent_front_end.h"
#include "window/analysis_window.h"
#include "window/design_description.h"
#include "window/picture_formats.h"
#include "window/main_window.h"
#include "window/pressure_chart.h"
#include "window/section_plot.h"
#include "window/typed_inputs.h"

namespace {

const QStringList kActionTexts = {QString::fromUtf8("Export coordinates\u2026"), "Copy coordinates",
                                  QString::fromUtf8("Export drawing\u2026"),      QString::fromUtf8("Save picture\u2026"),
                                  QString::fromUtf8("Pressure distribution\u2026"), QString::fromUtf8("Flow\u2026"),
                                  "Pin for comparison",   QString::fromUtf8("Add reference section\u2026"),
                                  "Remove pin"};
const char* const kActionNames[] = {"ExportCoordinates", "CopyCoordinates",  "ExportDrawing", "SavePicture",
                                    "PressureDistribution", "ShowFlow", "PinSection"};

const folix::TypedInputs kTypical{"0.12", "0.02", "10", "0.00", false};
// Angle 9 gives m = 1.95 exactly: both starting solves of the location search
// measure alike and the first secant step divides by zero, after the solves
// have rewritten F and G.
const folix::TypedInputs kStopsAfterSolving{"0.12", "0.02", "9", "0.30", true};

// Answers the file dialog as a user would, and remembers the questions.
struct FileChooser {
    struct Question {
        QString caption;
        QString suggested;
        QString filter;
    };
    QString answer;
    std::vector<Question> asked;
};

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

}  // namespace

class PlotMenuTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rightClickOnThePlotOpensTheMenu();
    void greyedOutUntilADesignIsDrawn();
    void exportWritesTheDrawnSection();
    void exportThatFailsNamesFileAndReason();
    void cancelledDialogWritesNothing();
    void copyPutsTheSameTextOnTheClipboard();
    void savePictureWritesPngOrSvg();
    void savePictureThatFailsNamesFileAndReason();
    void afterAStoppedRunTheCommandsActOnTheDrawnDesign();
    void pressureDistributionOpensOneModelessWindow();
    void analysisWindowSavesItsCpTable();
    void analysisWindowExportsThePolarOfFolixPolar();

private:
    QAction* action(const char* name) const;
    void typeInto(const char* name, const QString& text);
    void design(const folix::TypedInputs& inputs);
    SectionPlot* plot() const { return window_->findChild<SectionPlot*>("Picture1"); }
    QString inWorkDir(const QString& name) const { return QDir(workDir_->path()).filePath(name); }

    MainWindow* window_ = nullptr;
    MessageBoxCatcher* boxes_ = nullptr;
    QTemporaryDir* workDir_ = nullptr;
    FileChooser chooser_;
    QString startDir_;
};

void PlotMenuTest::init()
{
    startDir_ = QDir::currentPath();
    workDir_ = new QTemporaryDir;
    QVERIFY(workDir_->isValid());
    QVERIFY(QDir::setCurrent(workDir_->path()));
    boxes_ = new MessageBoxCatcher;
    window_ = new MainWindow;
    chooser_ = {};
    window_->setSaveFileChooser([this](QWidget* parent, const QString& caption, const QString& suggested,
                                       const QString& filter) {
        if (parent != window_ && parent != window_->analysisWindow()) qFatal("file dialog not over the asking window");
        chooser_.asked.push_back({caption, suggested, filter});
        return chooser_.answer;
    });
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
}

void PlotMenuTest::cleanup()
{
    delete window_;
    const auto unexpected = boxes_->take();
    delete boxes_;
    QDir::setCurrent(startDir_);
    delete workDir_;
    QVERIFY2(unexpected.empty(), qPrintable(unexpected.empty() ? QString() : unexpected.front().text));
}

QAction* PlotMenuTest::action(const char* name) const
{
    auto* found = window_->findChild<QAction*>(name);
    if (!found) qFatal("no action %s", name);
    return found;
}

void PlotMenuTest::typeInto(const char* name, const QString& text)
{
    auto* box = window_->findChild<QLineEdit*>(name);
    box->selectAll();
    QTest::keyClicks(box, text);
    QCOMPARE(box->text(), text);
}

void PlotMenuTest::design(const folix::TypedInputs& inputs)
{
    typeInto("Text_Delta", QString::fromStdString(inputs.delta));
    typeInto("Text_Gamma", QString::fromStdString(inputs.gamma));
    typeInto("Text_Tau", QString::fromStdString(inputs.tau));
    auto* location = window_->findChild<QRadioButton*>(inputs.locationMode ? "Option_xDltc" : "Option_Tau");
    location->click();
    if (inputs.locationMode) typeInto("Text_xDltc", QString::fromStdString(inputs.xDltc));
    QTest::mouseClick(window_->findChild<QPushButton*>("Command1"), Qt::LeftButton);
}

void PlotMenuTest::rightClickOnThePlotOpensTheMenu()
{
    auto* menu = window_->findChild<QMenu*>("PlotMenu");
    QVERIFY(menu);
    QVERIFY(!menu->isVisible());
    const QPoint at(120, 60);
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, plot()->mapToGlobal(at));
    QApplication::sendEvent(plot(), &click);
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->pos(), plot()->mapToGlobal(at));

    QStringList texts;
    for (QAction* entry : menu->actions())
        if (!entry->isSeparator()) texts << entry->text();
    QCOMPARE(texts, kActionTexts);
    menu->close();
    QTRY_VERIFY(!menu->isVisible());

    // The menu bar and the plot's place are untouched.
    QStringList menuBarTexts;
    for (QAction* entry : window_->menuBar()->actions()) menuBarTexts << entry->text();
    QCOMPARE(menuBarTexts, QStringList({"About"}));
    QCOMPARE(plot()->parentWidget(), window_->centralWidget());
}

void PlotMenuTest::greyedOutUntilADesignIsDrawn()
{
    for (const char* name : kActionNames) QVERIFY2(!action(name)->isEnabled(), name);
    for (const char* name : kActionNames) action(name)->trigger();  // does nothing
    QVERIFY(chooser_.asked.empty());
    QVERIFY(!window_->analysisWindow());

    // A first run that stops draws nothing, so there is still nothing to act on.
    design(kStopsAfterSolving);
    QCOMPARE(boxes_->take().size(), std::size_t{1});
    QVERIFY(!plot()->hasOutline());
    for (const char* name : kActionNames) QVERIFY2(!action(name)->isEnabled(), name);

    design(kTypical);
    for (const char* name : kActionNames) QVERIFY2(action(name)->isEnabled(), name);

    // A later run that stops leaves the drawn design and the commands on it.
    design(kStopsAfterSolving);
    QCOMPARE(boxes_->take().size(), std::size_t{1});
    for (const char* name : kActionNames) QVERIFY2(action(name)->isEnabled(), name);
}

void PlotMenuTest::exportWritesTheDrawnSection()
{
    design(kTypical);
    chooser_.answer = inWorkDir("typical.dat");
    action("ExportCoordinates")->trigger();

    QCOMPARE(chooser_.asked.size(), std::size_t{1});
    QCOMPARE(chooser_.asked[0].caption, "Export coordinates");
    QCOMPARE(chooser_.asked[0].filter, "Selig coordinates (*.dat)");
    QCOMPARE(chooser_.asked[0].suggested, inWorkDir("karman-trefftz_F0.0703_G0.04377_m1.94444.dat"));

    folix::DesignState reference;
    SilentFrontEnd silent;
    folix::runDesign(reference, folix::readTypedInputs(kTypical), silent);
    const std::string expected = folix::seligText(reference);
    QCOMPARE(readAll(chooser_.answer).toStdString(), expected);
    QVERIFY(expected.starts_with("KARMAN-TREFFTZ F=0.0703 G=0.04377 m=1.94444\n"));

    // The next suggestion is in the folder the user chose last.
    QVERIFY(QDir(workDir_->path()).mkdir("sections"));
    chooser_.answer = inWorkDir("sections/again.dat");
    action("ExportCoordinates")->trigger();
    QCOMPARE(readAll(chooser_.answer).toStdString(), expected);
    design({"0.10", "0.00", "0", "0.00", false});
    action("ExportCoordinates")->trigger();
    QCOMPARE(chooser_.asked.back().suggested, inWorkDir("sections/joukowsky_F0.08354_G0_m2.dat"));
}

void PlotMenuTest::exportThatFailsNamesFileAndReason()
{
    design(kTypical);
    chooser_.answer = inWorkDir("missing/typical.dat");
    action("ExportCoordinates")->trigger();
    const auto shown = boxes_->take();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].caption, "FolixDesign");
    QCOMPARE(shown[0].icon, QMessageBox::Warning);
    QVERIFY(shown[0].okOnly);
    QVERIFY(shown[0].modal);
    QVERIFY2(shown[0].text.contains(chooser_.answer), qPrintable(shown[0].text));
    QVERIFY2(shown[0].text.contains(std::strerror(ENOENT)), qPrintable(shown[0].text));
    QVERIFY(!QFile::exists(chooser_.answer));
}

void PlotMenuTest::cancelledDialogWritesNothing()
{
    design(kTypical);
    chooser_.answer.clear();
    action("ExportCoordinates")->trigger();
    action("SavePicture")->trigger();
    QCOMPARE(chooser_.asked.size(), std::size_t{2});
    QCOMPARE(QDir(workDir_->path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList{});
}

void PlotMenuTest::copyPutsTheSameTextOnTheClipboard()
{
    design(kTypical);
    QGuiApplication::clipboard()->setText("before");
    action("CopyCoordinates")->trigger();
    QVERIFY(chooser_.asked.empty());
    chooser_.answer = inWorkDir("typical.dat");
    action("ExportCoordinates")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromLatin1(readAll(chooser_.answer)));
    QVERIFY(QGuiApplication::clipboard()->text().startsWith("KARMAN-TREFFTZ F="));
}

void PlotMenuTest::savePictureWritesPngOrSvg()
{
    design(kTypical);
    chooser_.answer = inWorkDir("typical.png");
    action("SavePicture")->trigger();
    QCOMPARE(chooser_.asked.size(), std::size_t{1});
    QCOMPARE(chooser_.asked[0].caption, "Save picture");
    QCOMPARE(chooser_.asked[0].filter, kPictureFormatsFilter);
    QCOMPARE(chooser_.asked[0].suggested, inWorkDir("karman-trefftz_F0.0703_G0.04377_m1.94444.png"));

    // The visible window at twice the resolution of the screen, the leading edge a twelfth of the way across.
    QImage saved;
    QVERIFY(saved.load(chooser_.answer, "PNG"));
    QCOMPARE(saved.size(), plot()->viewSize() * 2);
    int leadingEdge = saved.width();
    for (int y = 0; y < saved.height(); ++y)
        for (int x = 0; x < leadingEdge; ++x)
            if (qGray(saved.pixel(x, y)) < 100) leadingEdge = x;
    QVERIFY2(std::abs(leadingEdge - saved.width() / 12.0) <= 2, qPrintable(QString::number(leadingEdge)));
    QVERIFY(readAll(chooser_.answer).startsWith("\x89PNG\r\n"));

    // Vector lines, not a bitmap wrapped in SVG.
    chooser_.answer = inWorkDir("typical.svg");
    action("SavePicture")->trigger();
    const QByteArray svg = readAll(chooser_.answer);
    QVERIFY(svg.contains("<svg") && (svg.contains("<polyline") || svg.contains("<path") || svg.contains("<line")));
    QVERIFY(!svg.contains("<image"));
}

void PlotMenuTest::savePictureThatFailsNamesFileAndReason()
{
    design(kTypical);
    QVERIFY(QDir(workDir_->path()).mkdir("taken.png"));  // a folder where the file should go
    chooser_.answer = inWorkDir("taken.png");
    action("SavePicture")->trigger();
    const auto shown = boxes_->take();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].caption, "FolixDesign");
    QCOMPARE(shown[0].icon, QMessageBox::Warning);
    QVERIFY2(shown[0].text.startsWith("The picture could not be written to " + chooser_.answer + ": "),
             qPrintable(shown[0].text));
    QVERIFY(QFileInfo(chooser_.answer).isDir());
}

void PlotMenuTest::afterAStoppedRunTheCommandsActOnTheDrawnDesign()
{
    design(kTypical);
    const QImage drawn = plot()->grab().toImage();
    design(kStopsAfterSolving);
    QCOMPARE(boxes_->take().size(), std::size_t{1});
    QVERIFY(plot()->stale());

    chooser_.answer = inWorkDir("after.dat");
    action("ExportCoordinates")->trigger();
    action("CopyCoordinates")->trigger();

    folix::DesignState reference;
    SilentFrontEnd silent;
    folix::runDesign(reference, folix::readTypedInputs(kTypical), silent);
    const std::string typical = folix::seligText(reference);
    QCOMPARE(readAll(chooser_.answer).toStdString(), typical);
    QCOMPARE(QGuiApplication::clipboard()->text().toStdString(), typical);

    // What the design record holds after the stopped run is another section.
    QVERIFY_THROWS_EXCEPTION(folix::ArithmeticError, folix::runDesign(reference, folix::readTypedInputs(kStopsAfterSolving), silent));
    QVERIFY(folix::seligText(reference) != typical);

    // So is the analysis: it shows the drawn section.
    action("PressureDistribution")->trigger();
    QVERIFY(window_->analysisWindow());
    QCOMPARE(window_->analysisWindow()->findChild<QLabel*>("SectionParameters")->text(),
             "F = 0.0703     G = 0.04377     m = 1.94444");
}

void PlotMenuTest::pressureDistributionOpensOneModelessWindow()
{
    design(kTypical);
    action("PressureDistribution")->trigger();
    AnalysisWindow* analysis = window_->analysisWindow();
    QVERIFY(analysis);
    QVERIFY(QTest::qWaitForWindowExposed(analysis));
    QCOMPARE(analysis->windowTitle(), "Pressure distribution");
    QVERIFY(analysis->isWindow());
    QCOMPARE(analysis->windowModality(), Qt::NonModal);
    QVERIFY(window_->isEnabled());

    analysis->close();
    QVERIFY(!analysis->isVisible());
    action("PressureDistribution")->trigger();
    action("PressureDistribution")->trigger();
    QCOMPARE(window_->analysisWindow(), analysis);
    QCOMPARE(window_->findChildren<AnalysisWindow*>().size(), 1);
    QVERIFY(analysis->isVisible());

    // Minimised, it comes back.
    analysis->showMinimized();
    action("PressureDistribution")->trigger();
    QVERIFY(!(analysis->windowState() & Qt::WindowMinimized));
}

void PlotMenuTest::analysisWindowSavesItsCpTable()
{
    design(kTypical);
    action("PressureDistribution")->trigger();
    window_->analysisWindow()->findChild<QDoubleSpinBox*>("AngleOfAttack")->setValue(4);
    chooser_.answer = inWorkDir("typical.csv");
    window_->analysisWindow()->findChild<QAction*>("SaveCpTable")->trigger();
    QCOMPARE(chooser_.asked.back().suggested, inWorkDir("karman-trefftz_F0.0703_G0.04377_m1.94444_alpha4_cp.csv"));

    folix::DesignState state;
    SilentFrontEnd silent;
    folix::runDesign(state, folix::readTypedInputs(kTypical), silent);
    const folix::SectionAnalysis reference(state.F, state.G, state.EM, folix::pressureCircleAngles(state.F, state.EM));
    const folix::SectionLoads loads = reference.loads(4);
    // Headed by what was designed and at which angle.
    const std::string notes = folix::commentLines(
        {folix::designNote(folix::designRecord(state), false), folix::loadsNote(4, loads.Cl, loads.Cm)});
    QCOMPARE(readAll(chooser_.answer).toStdString(), notes + folix::pressureTableText(reference.surface(), loads.Cp));
}

void PlotMenuTest::analysisWindowExportsThePolarOfFolixPolar()
{
    design(kTypical);
    action("PressureDistribution")->trigger();
    AnalysisWindow* analysis = window_->analysisWindow();
    analysis->findChild<QAction*>("ExportPolar")->trigger();
    auto* range = analysis->findChild<QDialog*>("PolarRangeDialog");
    QVERIFY(range && range->isVisible());
    QCOMPARE(range->findChild<QDoubleSpinBox*>("PolarFrom")->value(), -20.0);  // the window's own range
    range->findChild<QDoubleSpinBox*>("PolarTo")->setValue(12);
    chooser_.answer = inWorkDir("typical_polar.csv");
    range->accept();
    QCOMPARE(chooser_.asked.back().suggested, inWorkDir("karman-trefftz_F0.0703_G0.04377_m1.94444_polar.csv"));

    folix::DesignState state;
    SilentFrontEnd silent;
    folix::runDesign(state, folix::readTypedInputs(kTypical), silent);
    const auto polar = folix::sectionPolar(state.F, state.G, state.EM, folix::polarAngles(-20, 12, 0.5));
    QCOMPARE(readAll(chooser_.answer).toStdString(),
             folix::commentLines({folix::designNote(folix::designRecord(state), false)}) + folix::polarCsvText(polar));
}

QTEST_MAIN(PlotMenuTest)
#include "plot_menu_test.moc"
