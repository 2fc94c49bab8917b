#include <QFontDatabase>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include "window/about_window.h"
#include "window/main_window.h"

namespace {

QList<QWidget*> aboutWindows()
{
    QList<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "Form_About") found << w;
    return found;
}

QAction* aboutItem(MainWindow& window)
{
    return window.menuBar()->findChild<QAction*>("Mn_About");
}

}  // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT

private slots:
    void oneWindowAfterTwoClicks();
    void labelsTextsAndLooks();
    void arrangement();
    void programEndsWithTheMainWindow();
};

void AboutWindowTest::oneWindowAfterTwoClicks()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(!window.aboutWindow());
    QVERIFY(aboutWindows().isEmpty());  // created on first use

    aboutItem(window)->trigger();
    AboutWindow* about = window.aboutWindow();
    QVERIFY(about);
    QVERIFY(QTest::qWaitForWindowActive(about));
    QCOMPARE(about->windowModality(), Qt::NonModal);
    QVERIFY(window.isEnabled());

    // Back to the main window, then About again: the same window comes to the front.
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    aboutItem(window)->trigger();
    QCOMPARE(window.aboutWindow(), about);
    QVERIFY(QTest::qWaitForWindowActive(about));
    QCOMPARE(aboutWindows().size(), 1);

    // Closed through its frame and asked for again: still the one window.
    about->close();
    QVERIFY(!about->isVisible());
    aboutItem(window)->trigger();
    QCOMPARE(window.aboutWindow(), about);
    QVERIFY(about->isVisible());
    QCOMPARE(aboutWindows().size(), 1);
}

void AboutWindowTest::labelsTextsAndLooks()
{
    AboutWindow about;
    QCOMPARE(about.objectName(), "Form_About");
    QCOMPARE(about.windowTitle(), "About");
    const QColor lightYellow(255, 255, 192);
    QCOMPARE(about.palette().color(QPalette::Window), lightYellow);
    QVERIFY(about.autoFillBackground());

    const QString family =
        QFontDatabase::families().contains("Verdana") ? QString("Verdana") : [] {
            QFont sans;
            sans.setStyleHint(QFont::SansSerif);
            return sans.defaultFamily();
        }();

    struct Expected {
        const char* name;
        QString text;
        double points;
        QColor colour;
    };
    const QColor green(0, 128, 0);
    const QColor black(0, 0, 0);
    const Expected labels[] = {
        {"Label1", "FolixDesign", 12, green},
        {"Label2", "Design of Karman-Trefftz and Joukowsky Airfoils", 9.75, green},
        {"Label7", kAboutCredit, 8.25, black},
        {"Label8", "last update : Februaray 2007", 8.25, black},
        {"Label4", kAboutPrompt, 8.25, black},
        {"Label5", kAboutAddress, 8.25, QColor(0, 0, 255)},
    };
    QCOMPARE(about.findChildren<QLabel*>().size(), std::size(labels));
    for (const Expected& e : labels) {
        auto* label = about.findChild<QLabel*>(e.name);
        QVERIFY2(label, e.name);
        QCOMPARE(label->text(), e.text);
        QCOMPARE(label->font().family(), family);
        QCOMPARE(label->font().pointSizeF(), e.points);
        QCOMPARE(label->palette().color(QPalette::WindowText), e.colour);
        QVERIFY(!label->autoFillBackground());  // on the window's light yellow
        QCOMPARE(label->font().bold(), e.name == QString("Label1"));
        QCOMPARE(label->font().underline(), e.name == QString("Label1"));
    }
    QVERIFY(!QString(kAboutCredit).isEmpty());
    QVERIFY(QString(kAboutAddress).contains('@'));
}

void AboutWindowTest::arrangement()
{
    AboutWindow about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    auto rect = [&](const char* name) { return about.findChild<QLabel*>(name)->geometry(); };

    const double aspect = double(about.width()) / about.height();
    QVERIFY2(aspect > 1.2 && aspect < 1.45, qPrintable(QString::number(aspect)));

    const char* order[] = {"Label1", "Label2", "Label7", "Label8", "Label4", "Label5"};
    for (std::size_t i = 1; i < std::size(order); ++i) QVERIFY(rect(order[i]).top() > rect(order[i - 1]).bottom());

    QCOMPARE(rect("Label7").left(), rect("Label2").left());
    QCOMPARE(rect("Label8").left(), rect("Label2").left());
    QVERIFY(std::abs(rect("Label1").center().x() - rect("Label2").center().x()) <= 1);
    QVERIFY(rect("Label4").left() < rect("Label2").left());
    QVERIFY(std::abs(rect("Label5").left() - rect("Label4").center().x()) <= 1);

    // The title wraps onto exactly two lines of its box; nothing is cut off.
    auto* title = about.findChild<QLabel*>("Label2");
    QVERIFY(title->wordWrap());
    QVERIFY(title->alignment() & Qt::AlignHCenter);
    const QFontMetrics metrics(title->font());
    const QRect wrapped = metrics.boundingRect(QRect(0, 0, title->width(), 1000), Qt::TextWordWrap, title->text());
    QVERIFY(wrapped.height() > 1.5 * metrics.height() && wrapped.height() < 2.5 * metrics.height());
    QVERIFY(title->height() >= wrapped.height());
    for (auto* label : about.findChildren<QLabel*>()) {
        QVERIFY2(label->width() >= label->sizeHint().width(), label->objectName().toLatin1());
        QVERIFY(about.rect().contains(label->geometry()));
    }
}

void AboutWindowTest::programEndsWithTheMainWindow()
{
    MainWindow window;
    window.show();
    aboutItem(window)->trigger();
    AboutWindow* about = window.aboutWindow();
    QVERIFY(QTest::qWaitForWindowActive(about));
    QTest::keyClick(about, Qt::Key_Escape);
    QVERIFY(!about->isVisible());
    aboutItem(window)->trigger();

    bool aboutOpenAfterMainClosed = true;
    QTimer::singleShot(0, &window, [&] {
        window.close();
        aboutOpenAfterMainClosed = about->isVisible();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(10000);
    QCOMPARE(QApplication::exec(), 0);  // ended by closing the main window alone
    QVERIFY(!aboutOpenAfterMainClosed);
}

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
