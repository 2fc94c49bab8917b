// The window after runs that stop with each error kind a design run can raise,
// in both modes: the message is answered, nothing stays blocked, and the next
// design, mode switch and save behave as in a fresh window. Drives the window
// only through its controls, found by their names.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <iterator>
#include <memory>

#include "results/results_file.h"
#include "testing/watched_design_run.h"
#include "window/main_window.h"
#include "window/typed_inputs.h"

namespace {

// Closes every message box the window opens and keeps its text.
class MessageBoxAnswerer : public QObject {
public:
    MessageBoxAnswerer()
    {
        connect(&poll_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) return;
            texts << box->windowTitle() + ": " + box->text();
            box->done(QMessageBox::Ok);
        });
        poll_.start(5);
    }

    QStringList texts;

private:
    QTimer poll_;
};

struct Inputs {
    const char* delta;
    const char* gamma;
    const char* tau;
    const char* xDltc;
};

constexpr Inputs kTypical{"0.12", "0.02", "10", "0.3"};

folix::TypedInputs designInputs(const Inputs& in, bool locationMode)
{
    return {in.delta, in.gamma, in.tau, in.xDltc, locationMode};
}

QString errorText(folix::ErrorKind kind)
{
    return QString("Design stopped: %1").arg(folix::errorMessage(kind));
}

}  // namespace

class WindowSweepTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void usableAfterAStoppedRun_data();
    void usableAfterAStoppedRun();

private:
    template <class T>
    T* control(const char* name)
    {
        T* found = window_->findChild<T*>(name);
        if (found == nullptr) qFatal("no control %s", name);
        return found;
    }
    void type(const Inputs& in);
    void chooseMode(bool locationMode);
    QStringList historyLines();
    void expectShownLike(const folix::sweep::WatchedRun& reference);

    std::unique_ptr<QTemporaryDir> workDir_;
    QString previousDir_;
    std::unique_ptr<MainWindow> window_;
};

void WindowSweepTest::init()
{
    workDir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(workDir_->isValid());
    previousDir_ = QDir::currentPath();
    QDir::setCurrent(workDir_->path());  // "Save result" writes into the working folder
    window_ = std::make_unique<MainWindow>();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void WindowSweepTest::cleanup()
{
    window_.reset();
    QDir::setCurrent(previousDir_);
    workDir_.reset();
}

void WindowSweepTest::type(const Inputs& in)
{
    control<QLineEdit>("Text_Delta")->setText(in.delta);
    control<QLineEdit>("Text_Gamma")->setText(in.gamma);
    control<QLineEdit>("Text_Tau")->setText(in.tau);
    control<QLineEdit>("Text_xDltc")->setText(in.xDltc);
}

void WindowSweepTest::chooseMode(bool locationMode)
{
    control<QRadioButton>(locationMode ? "Option_xDltc" : "Option_Tau")->click();
    QVERIFY(control<QRadioButton>("Option_xDltc")->isChecked() == locationMode);
    QVERIFY(control<QLineEdit>("Text_xDltc")->isVisible() == locationMode);
    QVERIFY(control<QLineEdit>("Text_Tau")->isVisible() == !locationMode);
}

QStringList WindowSweepTest::historyLines()
{
    QStringList lines;
    auto* list = control<QListWidget>("List1");
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
}

void WindowSweepTest::expectShownLike(const folix::sweep::WatchedRun& reference)
{
    QStringList expected;
    for (const std::string& line : reference.frontEnd.history) expected << QString::fromStdString(line);
    QCOMPARE(historyLines(), expected);
    QCOMPARE(control<QLineEdit>("Text_Sonuc")->text().toStdString(), reference.frontEnd.texts.airfoilType);
    QCOMPARE(control<QLineEdit>("Text_F")->text().toStdString(), reference.frontEnd.texts.f);
    QCOMPARE(control<QLineEdit>("Text_G")->text().toStdString(), reference.frontEnd.texts.g);
    QCOMPARE(control<QLineEdit>("Text_m")->text().toStdString(), reference.frontEnd.texts.m);
}

namespace {

struct StoppingCase {
    const char* name;
    bool locationMode;
    Inputs inputs;
    folix::ErrorKind kind;
};

using K = folix::ErrorKind;
const StoppingCase kStoppingCases[] = {
    {"angle mode, empty thickness", false, {"", "0.02", "10", "0.3"}, K::DivisionByZero},
    {"angle mode, camber &HFFFF", false, {"0.12", "&HFFFF", "10", "0.3"}, K::InvalidArgument},
    {"angle mode, angle 1e308", false, {"0.12", "0.02", "1e308", "0.3"}, K::Overflow},
    {"angle mode, thickness 1e308", false, {"1e308", "0.02", "10", "0.3"}, K::Overflow},
    {"location mode, empty thickness", true, {"", "0.02", "10", "0.3"}, K::DivisionByZero},
    {"location mode, camber &HFFFF", true, {"0.12", "&HFFFF", "10", "0.3"}, K::InvalidArgument},
    {"location mode, angle 1e308", true, {"0.12", "0.02", "1e308", "0.3"}, K::Overflow},
    // The exponent search stops only after several solves have filled the history.
    {"location mode, location 0 after 6 solves", true, {"0.12", "0.02", "10", "0"}, K::DivisionByZero},
    {"location mode, location &HFFFF after 3 solves", true, {"0.12", "0.02", "10", "&HFFFF"}, K::Overflow},
};

}  // namespace

void WindowSweepTest::usableAfterAStoppedRun_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < static_cast<int>(std::size(kStoppingCases)); ++i) QTest::newRow(kStoppingCases[i].name) << i;
}

// A run that stops shows one message and adds one line; the window then
// designs, switches modes and saves as if nothing had happened.
void WindowSweepTest::usableAfterAStoppedRun()
{
    QFETCH(int, index);
    const StoppingCase& stopping = kStoppingCases[index];

    folix::DesignState referenceState;
    const folix::sweep::WatchedRun stopped =
        folix::sweep::watchDesignRun(referenceState, designInputs(stopping.inputs, stopping.locationMode));
    QVERIFY(stopped.error.has_value());
    QCOMPARE(*stopped.error, stopping.kind);

    MessageBoxAnswerer answerer;
    chooseMode(stopping.locationMode);
    type(stopping.inputs);
    control<QPushButton>("Command1")->click();

    // The stop, then what to change when the design layer knows it.
    const std::optional<std::string> hint =
        folix::typedDesignOutcome(designInputs(stopping.inputs, stopping.locationMode)).hint;
    const QString message = errorText(*stopped.error);
    const QString told = hint ? message + "\n\n" + QString::fromStdString(*hint) : message;
    QCOMPARE(answerer.texts, QStringList{QString(kProgramTitle) + ": " + told});
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QStringList expected;
    for (const std::string& line : stopped.frontEnd.history) expected << QString::fromStdString(line);
    expected << message;
    QCOMPARE(historyLines(), expected);

    // Saving what the stopped run left either writes a record of numbers or
    // says in one message why it could not.
    answerer.texts.clear();
    control<QPushButton>("Command_Save")->click();
    QVERIFY(answerer.texts.size() <= 1);
    QCOMPARE(QFile::exists(folix::kResultsFileName), answerer.texts.isEmpty());
    QFile saved(folix::kResultsFileName);
    if (saved.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = saved.readAll().toLower();
        QVERIFY2(!bytes.contains("nan") && !bytes.contains("inf"), bytes.constData());
    }
    answerer.texts.clear();

    for (const bool nextMode : {stopping.locationMode, !stopping.locationMode}) {
        folix::DesignState freshState;
        const folix::sweep::WatchedRun next =
            folix::sweep::watchDesignRun(freshState, designInputs(kTypical, nextMode));
        QVERIFY(!next.error);
        chooseMode(nextMode);
        type(kTypical);
        control<QPushButton>("Command1")->click();
        QCOMPARE(answerer.texts, QStringList{});
        expectShownLike(next);
    }
    QVERIFY(control<QPushButton>("Command1")->isEnabled());
    QVERIFY(control<QPushButton>("Command_Save")->isEnabled());
    QVERIFY(window_->isVisible());
}

QTEST_MAIN(WindowSweepTest)
#include "window_sweep_test.moc"
