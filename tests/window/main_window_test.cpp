#include <cstring>

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "message_box_catcher.h"
#include "results/results_file.h"
#include "tests/typical_design.h"
#include "window/main_window.h"
#include "window/section_plot.h"

namespace {

const QString kStopped = "Design stopped: Division by zero";

QStringList typicalHistory()
{
    QStringList lines;
    for (const std::string& line : folix::typical::runHistory()) lines << QString::fromStdString(line);
    return lines;
}

// A design run straight through the shared code, to compare the window with.
class ReferenceFrontEnd : public folix::DesignFrontEnd {
public:
    void clearHistory() override { lines.clear(); }
    void append(const std::string& line) override { lines << QString::fromStdString(line); }
    void showResults(const folix::ResultTexts& shown) override { texts = shown; }
    void drawSection(const folix::Outline&) override {}

    QStringList lines;
    folix::ResultTexts texts;
};

QString readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromLatin1(file.readAll());
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsWithTheDefaults();
    void controlsHaveTheirTexts();
    void arrangementAndProportions();
    void modeSwitchingKeepsBothTexts();
    void tabVisitsTheControlsInOrder();
    void optionButtonsAreOneTabStopMovedByArrows();
    void designAndSaveFromTheKeyboardAlone();
    void typicalRunThroughTheWidgets();
    void angleTexts_data();
    void angleTexts();
    void locationModeRun();
    void locationModeErrorLeavesTheWindowUsable();
    void resultBoxesAreNeverRead();
    void resultsFollowTheRegionalDecimalSeparator();
    void saveThatFailsNamesFileAndReason();
    void trueProportionsAndReadableControlsAtAnySize();
    void outlineAndFamilyReadableUnderADarkPalette();
    void returnInAnInputBoxDesigns();
    void saveAfterAStoppedRunWritesNothing();
    void runThatDidNotConvergeSaysSoAndIsNotSaved();
    void crossingSurfacesAreMarkedAndExportedOnlyOnRequest();

private:
    template <class T>
    T* find(const char* name) const
    {
        T* widget = window_->findChild<T*>(name);
        if (!widget) qFatal("no %s", name);
        return widget;
    }
    QLineEdit* box(const char* name) const { return find<QLineEdit>(name); }
    QStringList history() const;
    void typeInto(const char* name, const QString& text);
    void clickRadio(const char* name);
    void design() { QTest::mouseClick(find<QPushButton>("Command1"), Qt::LeftButton); }
    void save() { QTest::mouseClick(find<QPushButton>("Command_Save"), Qt::LeftButton); }
    void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    QString focused() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "none"; }
    void workInTemporaryDirectory();

    MainWindow* window_ = nullptr;
    MessageBoxCatcher* boxes_ = nullptr;
    QTemporaryDir* workDir_ = nullptr;
    QString startDir_;
};

void MainWindowTest::init()
{
    startDir_ = QDir::currentPath();
    boxes_ = new MessageBoxCatcher;
    window_ = new MainWindow;
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
}

void MainWindowTest::cleanup()
{
    delete window_;
    const auto unexpected = boxes_->take();
    delete boxes_;
    QDir::setCurrent(startDir_);
    delete workDir_;
    workDir_ = nullptr;
    QVERIFY2(unexpected.empty(), qPrintable(unexpected.empty() ? QString() : unexpected.front().text));
}

QStringList MainWindowTest::history() const
{
    QStringList lines;
    auto* list = find<QListWidget>("List1");
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
}

void MainWindowTest::typeInto(const char* name, const QString& text)
{
    QLineEdit* target = box(name);
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_Delete);
    QTest::keyClicks(target, text);
    QCOMPARE(target->text(), text);
}

void MainWindowTest::clickRadio(const char* name)
{
    auto* radio = find<QRadioButton>(name);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));  // on the indicator
}

void MainWindowTest::workInTemporaryDirectory()
{
    workDir_ = new QTemporaryDir;
    QVERIFY(workDir_->isValid());
    QVERIFY(QDir::setCurrent(workDir_->path()));
}

void MainWindowTest::startsWithTheDefaults()
{
    QCOMPARE(box("Text_Delta")->text(), "0.10");
    QCOMPARE(box("Text_Gamma")->text(), "0.00");
    QCOMPARE(box("Text_Tau")->text(), "0");
    QCOMPARE(box("Text_xDltc")->text(), "0.00");
    QVERIFY(box("Text_Tau")->isVisible());
    QVERIFY(!box("Text_xDltc")->isVisible());
    QVERIFY(find<QRadioButton>("Option_Tau")->isChecked());
    QVERIFY(!find<QRadioButton>("Option_xDltc")->isChecked());
    QCOMPARE(box("Text_Sonuc")->text(), "");
    for (const char* name : {"Text_F", "Text_G", "Text_m"}) QCOMPARE(box(name)->text(), "0");
    QCOMPARE(find<QListWidget>("List1")->count(), 0);
    QVERIFY(!find<SectionPlot>("Picture1")->hasOutline());
}

void MainWindowTest::controlsHaveTheirTexts()
{
    QCOMPARE(window_->objectName(), "Form1");
    QCOMPARE(window_->windowTitle(), "Design of Joukowsky and Karman-Trefftz airfoils");
    QCOMPARE(find<QGroupBox>("Frame1")->title(), "Airfoil Characteristics");
    QCOMPARE(find<QGroupBox>("Frame2")->title(), "Resulting parameters");

    const std::pair<const char*, QString> labels[] = {
        {"Label5", "Thickness ratio                      :"},
        {"Label6", "Camber Ratio                         :"},
        {"Label1", QString::fromUtf8("\u03b4")},
        {"Label2", QString::fromUtf8("\u03b3")},
        {"Label3", QString::fromUtf8("\u03c4")},
        {"Label7", "x    / c"},
        {"Label8", QString::fromUtf8("\u03b4")},
        {"Label10", "F ="},
        {"Label11", "G ="},
        {"Label12", "m ="},
    };
    for (const auto& [name, text] : labels) QCOMPARE(find<QLabel>(name)->text(), text);
    QCOMPARE(find<QRadioButton>("Option_Tau")->text(), "Trailing edge Angle (deg)      :");
    QCOMPARE(find<QRadioButton>("Option_xDltc")->text(), "Maximum thickness location :");
    QCOMPARE(find<QPushButton>("Command1")->text(), "Design airfoil");
    QCOMPARE(find<QPushButton>("Command_Save")->text(), "Save result");

    const QList<QAction*> menu = window_->menuBar()->actions();
    // The menu bar keeps its one item; design for lift is on the toolbar.
    QCOMPARE(menu.size(), 1);
    QCOMPARE(menu.front()->objectName(), "Mn_About");
    QCOMPARE(menu.front()->text(), "About");
    QVERIFY(!menu.front()->menu());
    QCOMPARE(window_->designForLiftAction()->objectName(), "DesignForLift");
    QCOMPARE(window_->designForLiftAction()->shortcut(), QKeySequence("Ctrl+L"));

    const QColor lightYellow(255, 255, 192);
    QCOMPARE(box("Text_Sonuc")->palette().color(QPalette::Base), lightYellow);
    auto* plot = find<SectionPlot>("Picture1");
    QCOMPARE(plot->palette().color(QPalette::Window), lightYellow);
    QVERIFY(plot->autoFillBackground());

    // The delta sits in the gap after the x.
    auto* fraction = find<QLabel>("Label7");
    auto* delta = find<QLabel>("Label8");
    QCOMPARE(delta->parentWidget(), fraction);
    QVERIFY(delta->x() >= fraction->fontMetrics().horizontalAdvance("x"));
    QVERIFY(delta->geometry().right() < fraction->fontMetrics().horizontalAdvance("x    /"));

    // Nothing is cut short at the starting size.
    for (auto* label : window_->findChildren<QLabel*>())
        if (label->isVisible() && label != delta)
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
    for (auto* button : window_->findChildren<QAbstractButton*>())
        QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->objectName()));
}

void MainWindowTest::arrangementAndProportions()
{
    const QRect frame1 = find<QGroupBox>("Frame1")->geometry();
    const QRect frame2 = find<QGroupBox>("Frame2")->geometry();
    auto* plot = find<SectionPlot>("Picture1");
    auto* list = find<QListWidget>("List1");
    const double width = window_->width();
    const double height = window_->height();

    QVERIFY(width / height > 0.95 && width / height < 1.05);  // about square: room for the toolbar
    // Top band: the two frames side by side, Frame1 a little over half the width.
    QCOMPARE(frame1.top(), frame2.top());
    QVERIFY(frame1.right() < frame2.left());
    QVERIFY(frame1.width() / width > 0.5 && frame1.width() / width < 0.65);
    QVERIFY(frame1.height() / height > 0.2 && frame1.height() / height < 0.3);
    // The surface spans the width, about two fifths of the height, 2.5 : 1.
    QVERIFY(plot->y() > frame1.bottom());
    QVERIFY(plot->width() / width > 0.95);
    QVERIFY(plot->height() / height > 0.35 && plot->height() / height < 0.42);
    QVERIFY(std::abs(double(plot->width()) / plot->height() - 2.5) < 0.03);
    // The list fills the rest.
    QVERIFY(list->y() > plot->geometry().bottom());
    QCOMPARE(list->width(), plot->width());
    QVERIFY(list->height() / height > 0.2);

    // The four input boxes stand in one column with one size.
    const QRect delta = box("Text_Delta")->geometry();
    for (const char* name : {"Text_Gamma", "Text_Tau", "Text_xDltc"}) {
        QCOMPARE(box(name)->x(), delta.x());
        QCOMPARE(box(name)->size(), delta.size());
    }
    // The save button stands right of the three result rows, narrower than their boxes.
    auto* saveButton = find<QPushButton>("Command_Save");
    QVERIFY(saveButton->x() > box("Text_F")->geometry().right());
    QVERIFY2(saveButton->width() < box("Text_F")->width(), qPrintable(QString("%1 %2").arg(saveButton->width()).arg(box("Text_F")->width())));
    QVERIFY(saveButton->y() <= box("Text_F")->y() && saveButton->geometry().bottom() >= box("Text_m")->geometry().bottom());

    // Resizing keeps the surface at 2.5 : 1 and its outline on it.
    window_->resize(800, 1000);
    QTRY_VERIFY(std::abs(double(plot->width()) / plot->height() - 2.5) < 0.03);
    QVERIFY(plot->width() / 800.0 > 0.95);
}

void MainWindowTest::modeSwitchingKeepsBothTexts()
{
    typeInto("Text_Tau", "12");
    clickRadio("Option_xDltc");
    QVERIFY(find<QRadioButton>("Option_xDltc")->isChecked());
    QVERIFY(!box("Text_Tau")->isVisible());
    QVERIFY(box("Text_xDltc")->isVisible());
    QCOMPARE(box("Text_xDltc")->text(), "0.00");
    typeInto("Text_xDltc", "0.3");

    clickRadio("Option_xDltc");  // already selected: nothing changes
    QVERIFY(!box("Text_Tau")->isVisible());
    QVERIFY(box("Text_xDltc")->isVisible());

    clickRadio("Option_Tau");
    QVERIFY(find<QRadioButton>("Option_Tau")->isChecked());
    QVERIFY(box("Text_Tau")->isVisible());
    QVERIFY(!box("Text_xDltc")->isVisible());
    QCOMPARE(box("Text_Tau")->text(), "12");
    QCOMPARE(box("Text_xDltc")->text(), "0.3");

    clickRadio("Option_Tau");
    QVERIFY(box("Text_Tau")->isVisible());
    QVERIFY(!box("Text_xDltc")->isVisible());
    QCOMPARE(find<QListWidget>("List1")->count(), 0);  // a switch runs nothing
    QVERIFY(!find<SectionPlot>("Picture1")->hasOutline());
}

void MainWindowTest::tabVisitsTheControlsInOrder()
{
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    QCOMPARE(focused(), "Picture1");

    const QStringList order = {"Text_Tau", "Text_Gamma", "Text_Delta", "Text_F",     "Text_G",
                               "Text_m",   "List1",      "Text_Sonuc", "Option_Tau", "Command1",
                               "Command_Save", "Picture1"};
    QStringList visited;
    for (qsizetype i = 0; i < order.size(); ++i) {
        pressKey(Qt::Key_Tab);
        visited << focused();
    }
    QCOMPARE(visited, order);

    QStringList backwards;
    for (qsizetype i = 0; i < order.size(); ++i) {
        pressKey(Qt::Key_Backtab, Qt::ShiftModifier);
        backwards << focused();
    }
    QStringList reversed(order.rbegin() + 1, order.rend());
    reversed << "Picture1";
    QCOMPARE(backwards, reversed);
}

void MainWindowTest::optionButtonsAreOneTabStopMovedByArrows()
{
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    for (int i = 0; i < 9; ++i) pressKey(Qt::Key_Tab);
    QCOMPARE(focused(), "Option_Tau");

    pressKey(Qt::Key_Down);
    QCOMPARE(focused(), "Option_xDltc");
    QVERIFY(find<QRadioButton>("Option_xDltc")->isChecked());
    QVERIFY(box("Text_xDltc")->isVisible());
    QVERIFY(!box("Text_Tau")->isVisible());

    // In location mode the hidden angle box drops out and the location box comes in.
    QStringList visited;
    for (int i = 0; i < 12; ++i) {
        pressKey(Qt::Key_Tab);
        visited << focused();
    }
    QCOMPARE(visited, (QStringList{"Command1", "Command_Save", "Picture1", "Text_xDltc", "Text_Gamma", "Text_Delta",
                                   "Text_F", "Text_G", "Text_m", "List1", "Text_Sonuc", "Option_xDltc"}));

    pressKey(Qt::Key_Up);
    QCOMPARE(focused(), "Option_Tau");
    QVERIFY(find<QRadioButton>("Option_Tau")->isChecked());
    QVERIFY(box("Text_Tau")->isVisible());
    QVERIFY(!box("Text_xDltc")->isVisible());
}

void MainWindowTest::designAndSaveFromTheKeyboardAlone()
{
    workInTemporaryDirectory();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));

    // Tab selects a box's text, so typing replaces it.
    pressKey(Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "10");
    pressKey(Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "0.02");
    pressKey(Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "0.12");
    for (int i = 0; i < 7; ++i) pressKey(Qt::Key_Tab);
    QCOMPARE(focused(), "Command1");
    pressKey(Qt::Key_Space);
    QCOMPARE(history(), typicalHistory());
    QCOMPARE(box("Text_m")->text(), "1.94444");

    pressKey(Qt::Key_Tab);
    QCOMPARE(focused(), "Command_Save");
    pressKey(Qt::Key_Space);
    const QString expected = "Delta Gamma  xDltC   Tau     F          G        m\r\n"
                             "\r\n"
                             " 0.12   0.02   0.32657   10.00   0.07030   0.04377   1.94444\r\n";
    QCOMPARE(readAll(folix::kResultsFileName), expected);
    QVERIFY(boxes_->take().empty());

    // The same design again, Enter this time: the one message, answered with Enter.
    pressKey(Qt::Key_Return);
    QCOMPARE(readAll(folix::kResultsFileName), expected);
    const auto shown = boxes_->take();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].caption, "FolixDesign");
    QCOMPARE(shown[0].text, QString::fromUtf8("Bu parametreler halihaz\u0131rda dosyada kay\u0131tl\u0131d\u0131r!"));
    QVERIFY(shown[0].okOnly);
    QVERIFY(shown[0].modal);
    window_->activateWindow();  // a desktop hands activation back by itself; offscreen waits to be asked
    QTRY_COMPARE(focused(), "Command_Save");
}

void MainWindowTest::typicalRunThroughTheWidgets()
{
    typeInto("Text_Delta", "0.12");
    typeInto("Text_Gamma", "0.02");
    typeInto("Text_Tau", "10");
    design();
    QCOMPARE(box("Text_Sonuc")->text(), "KARMAN-TREFFTZ AIRFOIL");
    QCOMPARE(box("Text_F")->text(), "0.0703");
    QCOMPARE(box("Text_G")->text(), "0.04377");
    QCOMPARE(box("Text_m")->text(), "1.94444");
    QCOMPARE(history(), typicalHistory());
    QVERIFY(find<SectionPlot>("Picture1")->hasOutline());

    design();  // a second click starts the list afresh
    QCOMPARE(history(), typicalHistory());
}

void MainWindowTest::angleTexts_data()
{
    QTest::addColumn<QString>("angle");
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("m");
    QTest::addColumn<bool>("stops");

    QTest::newRow("0") << "0" << "JOUKOWSKY AIRFOIL" << "2" << false;
    QTest::newRow("empty") << "" << "JOUKOWSKY AIRFOIL" << "2" << false;
    QTest::newRow("no number") << "abc" << "JOUKOWSKY AIRFOIL" << "2" << false;
    QTest::newRow("1") << "1" << "KARMAN-TREFFTZ AIRFOIL" << "1.99444" << false;
    QTest::newRow("1E-14 rounds to m = 2") << "1E-14" << "JOUKOWSKY AIRFOIL" << "2" << false;
    // m = 1 maps every circle to a section of the same thickness: the secant divides by zero.
    QTest::newRow("180") << "180" << "" << "0" << true;
}

void MainWindowTest::angleTexts()
{
    QFETCH(QString, angle);
    QFETCH(QString, family);
    QFETCH(QString, m);
    QFETCH(bool, stops);

    typeInto("Text_Tau", angle);
    design();
    QCOMPARE(box("Text_Sonuc")->text(), family);
    QCOMPARE(box("Text_m")->text(), m);
    QCOMPARE(history().front(), " Iteration history");
    const auto shown = boxes_->take();
    if (stops) {
        QCOMPARE(history().mid(1, 3), (QStringList{"", " M=1", ""}));
        QCOMPARE(history().back(), kStopped);
        QCOMPARE(shown.size(), std::size_t{1});
        QCOMPARE(shown[0].caption, "FolixDesign");
        QCOMPARE(shown[0].text, kStopped + "\n\nthickness ratio must be more than 1 at a trailing-edge angle of 180 degrees");
        QCOMPARE(shown[0].icon, QMessageBox::Warning);
        QVERIFY(shown[0].okOnly);
        QVERIFY(shown[0].modal);
        QVERIFY(!find<SectionPlot>("Picture1")->hasOutline());
    } else {
        QVERIFY(shown.empty());
        QCOMPARE(history().at(2), " M=" + m);
        QVERIFY(find<SectionPlot>("Picture1")->hasOutline());
    }
}

void MainWindowTest::locationModeRun()
{
    typeInto("Text_Delta", "0.12");
    typeInto("Text_Gamma", "0.02");
    clickRadio("Option_xDltc");
    typeInto("Text_xDltc", "0.30");
    design();

    QStringList headings;
    for (const QString& line : history())
        if (line.startsWith(" M=")) headings << line;
    QVERIFY(headings.size() >= 3);
    QCOMPARE(headings[0], " M=2");  // the hidden angle box's 0
    QCOMPARE(headings[1], " M=1.95");
    QCOMPARE(headings.back(), " M=" + box("Text_m")->text());  // met on the last step
    QVERIFY(history().back() != folix::kLocationNotConverged);
    QCOMPARE(box("Text_Sonuc")->text(), "KARMAN-TREFFTZ AIRFOIL");

    folix::DesignState state;
    ReferenceFrontEnd reference;
    folix::runDesign(state, {0.12, 0.02, 0, 0.30}, reference);
    QCOMPARE(history(), reference.lines);
    QCOMPARE(box("Text_F")->text().toStdString(), reference.texts.f);
    QCOMPARE(box("Text_G")->text().toStdString(), reference.texts.g);
    QCOMPARE(box("Text_m")->text().toStdString(), reference.texts.m);
}

void MainWindowTest::locationModeErrorLeavesTheWindowUsable()
{
    typeInto("Text_Delta", "0.12");
    typeInto("Text_Gamma", "0.02");
    typeInto("Text_Tau", "10");
    design();
    auto* plot = find<SectionPlot>("Picture1");
    const QImage before = plot->grab().toImage();

    // Angle 9 gives exactly 1.95: both starting solves measure alike.
    typeInto("Text_Tau", "9");
    clickRadio("Option_xDltc");
    typeInto("Text_xDltc", "0.30");
    design();

    const QStringList lines = history();
    QCOMPARE(lines.back(), kStopped);
    QCOMPARE(lines.count(" M=1.95"), 2);
    QCOMPARE(lines.count(kStopped), 1);
    const auto shown = boxes_->take();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].caption, "FolixDesign");
    QVERIFY(shown[0].text.startsWith(kStopped + "\n\nmax-thickness location 0.3 is in reach"));
    QCOMPARE(shown[0].icon, QMessageBox::Warning);
    // Results and outline of the previous design stay.
    QCOMPARE(box("Text_F")->text(), "0.0703");
    QCOMPARE(box("Text_m")->text(), "1.94444");
    QVERIFY(plot->stale());
    // Marked as the previous inputs' until the boxes read as those again.
    clickRadio("Option_Tau");
    typeInto("Text_Tau", "10");
    QCOMPARE(plot->grab().toImage(), before);

    // The window goes on working.
    QVERIFY(window_->isEnabled() && window_->isVisible());
    clickRadio("Option_Tau");
    typeInto("Text_Tau", "0");
    clickRadio("Option_xDltc");
    design();
    QVERIFY(boxes_->take().empty());
    QCOMPARE(history().count(kStopped), 0);
    QCOMPARE(history().mid(1, 2), (QStringList{"", " M=2"}));
    QVERIFY(box("Text_m")->text() != "1.94444");
    QVERIFY(plot->grab().toImage() != before);
}

void MainWindowTest::resultBoxesAreNeverRead()
{
    workInTemporaryDirectory();
    typeInto("Text_Delta", "0.12");
    typeInto("Text_Gamma", "0.02");
    typeInto("Text_Tau", "10");
    design();
    for (const char* name : {"Text_Sonuc", "Text_F", "Text_G", "Text_m"}) typeInto(name, "9.5");
    save();
    design();
    for (const char* name : {"Text_Sonuc", "Text_F", "Text_G", "Text_m"}) typeInto(name, "-3");
    QTest::mouseClick(find<QPushButton>("Command_Save"), Qt::LeftButton);  // a duplicate, whatever the boxes say
    QCOMPARE(boxes_->take().size(), std::size_t{1});

    // The same two saves of a design made without the window.
    QTemporaryDir referenceDir;
    const std::filesystem::path referenceFile = (referenceDir.path() + "/Folix_Input.txt").toStdString();
    folix::DesignState state;
    ReferenceFrontEnd reference;
    folix::runDesign(state, {0.12, 0.02, 10, std::nullopt}, reference);
    QCOMPARE(folix::saveResult(state, referenceFile).outcome, folix::SaveOutcome::Created);
    QCOMPARE(folix::saveResult(state, referenceFile).outcome, folix::SaveOutcome::Duplicate);
    const QString expected = readAll(QString::fromStdString(referenceFile.string()));
    QVERIFY(!expected.isEmpty());
    QCOMPARE(readAll(folix::kResultsFileName), expected);

    design();
    QCOMPARE(history(), typicalHistory());
    QCOMPARE(box("Text_F")->text(), "0.0703");
}

void MainWindowTest::resultsFollowTheRegionalDecimalSeparator()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    typeInto("Text_Delta", "0.12");  // typed numbers always take "."
    typeInto("Text_Gamma", "0.02");
    typeInto("Text_Tau", "10");
    design();
    QLocale::setDefault(previous);
    QCOMPARE(box("Text_F")->text(), "0,0703");
    QCOMPARE(box("Text_G")->text(), "0,04377");
    QCOMPARE(box("Text_m")->text(), "1,94444");
    QCOMPARE(history().at(2), " M=1,94444");
    QCOMPARE(history().back(), "F=0,0703  G=0,04377  Delta=0,12  Gamma=0,02001  XDltC=0,32657");
}

void MainWindowTest::saveThatFailsNamesFileAndReason()
{
    workInTemporaryDirectory();
    QVERIFY(QDir().mkdir(folix::kResultsFileName));  // a folder where the file should be
    design();
    save();
    const auto shown = boxes_->take();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].caption, "FolixDesign");
    QCOMPARE(shown[0].icon, QMessageBox::Warning);
    QVERIFY(shown[0].okOnly);
    QVERIFY2(shown[0].text.contains(QDir(workDir_->path()).filePath(folix::kResultsFileName)), qPrintable(shown[0].text));
    QVERIFY2(shown[0].text.contains(std::strerror(EISDIR)), qPrintable(shown[0].text));
}

// Height over chord of the drawn outline against that of its 52 samples (0.12156),
// at window sizes that once squashed it; every control keeps its natural height.
void MainWindowTest::trueProportionsAndReadableControlsAtAnySize()
{
    const double trueRatio = 0.12156;
    for (const auto& [name, text] : {std::pair{"Text_Delta", "0.12"}, {"Text_Gamma", "0.02"}, {"Text_Tau", "10"}})
        typeInto(name, text);
    design();
    auto* plot = find<SectionPlot>("Picture1");
    for (const QSize size : {QSize(640, 420), QSize(1500, 800), window_->minimumSizeHint()}) {
        window_->resize(size);
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();  // the plot's height follows its width
        const QImage image = plot->grab().toImage();
        QRect ink;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (plot->contentsRect().contains(x, y) && qGray(image.pixel(x, y)) < 100) ink |= QRect(x, y, 1, 1);
        const double drawnRatio = double(ink.bottom() - ink.top()) / (ink.right() - ink.left());
        const QString at = QString("%1x%2: %3").arg(window_->width()).arg(window_->height()).arg(drawnRatio);
        QVERIFY2(std::abs(drawnRatio / trueRatio - 1) < 0.02, qPrintable(at));

        for (auto* control : window_->findChildren<QWidget*>())
            if (control->isVisible() && control->objectName() != "Label8" &&
                (qobject_cast<QLabel*>(control) || qobject_cast<QLineEdit*>(control) || qobject_cast<QAbstractButton*>(control)))
                QVERIFY2(control->height() >= control->sizeHint().height() &&
                             (!qobject_cast<QLabel*>(control) || control->width() >= control->sizeHint().width()),
                         qPrintable(at + " " + control->objectName()));
    }
}

void MainWindowTest::outlineAndFamilyReadableUnderADarkPalette()
{
    const QPalette previous = QApplication::palette();
    QApplication::setPalette(QPalette(QColor(45, 45, 45)));  // light text on dark backgrounds
    MainWindow window;
    window.findChild<QPushButton*>("Command1")->click();
    const QImage image = window.findChild<SectionPlot*>("Picture1")->grab().toImage();
    const QPalette family = window.findChild<QLineEdit*>("Text_Sonuc")->palette();
    QApplication::setPalette(previous);
    int inkPixels = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) inkPixels += qGray(image.pixel(x, y)) < 100;
    QVERIFY2(inkPixels > 200, qPrintable(QString::number(inkPixels)));
    QVERIFY(qGray(family.color(QPalette::Base).rgb()) - qGray(family.color(QPalette::Text).rgb()) > 150);
}

void MainWindowTest::returnInAnInputBoxDesigns()
{
    for (const char* name : {"Text_Delta", "Text_Gamma", "Text_Tau", "Text_xDltc"}) {
        if (name == std::string_view("Text_xDltc")) clickRadio("Option_xDltc");
        find<QListWidget>("List1")->clear();
        QTest::keyClick(box(name), Qt::Key_Return);
        QCOMPARE(history().mid(0, 3), (QStringList{" Iteration history", "", " M=2"}));
    }
    boxes_->take();  // the location 0.00 stops the exponent search
}

void MainWindowTest::saveAfterAStoppedRunWritesNothing()
{
    workInTemporaryDirectory();
    typeInto("Text_Delta", "0.12");
    typeInto("Text_Gamma", "0.02");
    typeInto("Text_Tau", "10");
    design();
    typeInto("Text_Delta", "abc");
    design();
    QCOMPARE(boxes_->take().size(), std::size_t{1});
    QVERIFY(window_->statusBar()->currentMessage().startsWith(kStopped + ". thickness ratio must be more than"));

    // The record now mixes the stopped run with the last one: nothing of it is written.
    save();
    QVERIFY(!QFile::exists(folix::kResultsFileName));
    const auto shown = boxes_->take();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].caption + ": " + shown[0].text,
             "FolixDesign: The last design run stopped on an error; design again before saving.");

    // A completed run makes it savable again, from the keyboard too.
    typeInto("Text_Delta", "0.12");
    design();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    QTest::keyClick(window_, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(readAll(folix::kResultsFileName).endsWith(" 0.12   0.02   0.32657   10.00   0.07030   0.04377   1.94444\r\n"));
    QCOMPARE(window_->statusBar()->currentMessage(), "Saved to " + QDir(workDir_->path()).filePath(folix::kResultsFileName));
}

void MainWindowTest::runThatDidNotConvergeSaysSoAndIsNotSaved()
{
    workInTemporaryDirectory();
    typeInto("Text_Delta", "0.12");
    typeInto("Text_Gamma", "0.02");
    clickRadio("Option_xDltc");
    typeInto("Text_xDltc", "0.20");
    design();
    QCOMPARE(history().back(), "Iteration is not converged for M after 20 step!");
    auto* list = find<QListWidget>("List1");
    QVERIFY(list->viewport()->rect().contains(list->visualItemRect(list->item(list->count() - 1))));
    QVERIFY(window_->statusBar()->currentMessage().startsWith("Not converged: the search for m gave up after 20 steps"));
    QCOMPARE(find<SectionPlot>("Picture1")->warning(), "Not converged");

    save();
    QVERIFY(!QFile::exists(folix::kResultsFileName));
    const auto shown = boxes_->take();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(shown[0].text, "The last design run did not converge (the search for m gave up after 20 steps); "
                            "design again before saving.");
}

void MainWindowTest::crossingSurfacesAreMarkedAndExportedOnlyOnRequest()
{
    typeInto("Text_Delta", "0.12");
    typeInto("Text_Gamma", "0");
    typeInto("Text_Tau", "-10");
    design();
    QCOMPARE(find<SectionPlot>("Picture1")->warning(), "Surfaces cross");
    QCOMPARE(window_->statusBar()->currentMessage(),
             "Not a valid section: the upper and lower surfaces cross from x/c 0.88678 (m > 2).");
    QGuiApplication::clipboard()->setText("before");
    window_->findChild<QAction*>("CopyCoordinates")->trigger();
    const auto asked = boxes_->take();
    QCOMPARE(asked.size(), std::size_t{1});
    QVERIFY(asked[0].text.endsWith("Use its coordinates all the same?"));
    QCOMPARE(QGuiApplication::clipboard()->text(), "before");  // the default answer is no
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
