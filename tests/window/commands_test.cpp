#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "window/lift_dialog.h"
#include "window/section_plot.h"
#include "window_fixture.h"

// Every command in sight: the toolbar, its keys and tooltips, the inputs' tooltips and names, the plot's focus.
class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void toolbarHoldsEveryCommandGreyedWithTheReason()
    {
        WindowFixture f;
        const std::pair<const char*, const char*> keyed[] = {
            {"ExportCoordinates", "Ctrl+D"}, {"CopyCoordinates", ""}, {"ExportDrawing", ""}, {"SavePicture", "Ctrl+Shift+S"},
            {"PressureDistribution", "Ctrl+P"}, {"ShowFlow", "Ctrl+F"}, {"PinSection", "Ctrl+K"},
            {"ViscousPolarCommand", ""}};
        const QList<QAction*> onBar = f.find<QToolBar>("CommandBar")->actions();
        for (const auto& [name, key] : keyed) {
            QAction* command = f.action(name);
            QVERIFY2(onBar.contains(command) && !command->icon().isNull() && !command->iconText().isEmpty(), name);
            QCOMPARE(command->shortcut(), QKeySequence(key));
            QVERIFY2(!command->isEnabled() && command->toolTip().contains("Not available: "), name);
        }
        QCOMPARE(f.window.menuBar()->actions().size(), 1);
        f.design();
        for (const char* name : {"ExportCoordinates", "ShowFlow", "PinSection"})
            QVERIFY2(f.action(name)->isEnabled() && !f.action(name)->toolTip().contains("Not available"), name);
        QVERIFY(f.action("ViscousPolarCommand")->toolTip().contains("no viscous section"));

        // Keys reach the window from a text box too; Copy says what it did.
        f.find<QLineEdit>("Text_Gamma")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(f.window.pins().pins().size(), 1u);
        f.action("CopyCoordinates")->trigger();
        QVERIFY(f.status().startsWith("Copied the coordinates of") && QGuiApplication::clipboard()->text().startsWith("KARMAN"));

        // Design for lift needs no drawn section: it reads the boxes.
        QVERIFY(f.action("DesignForLift")->isEnabled() && onBar.contains(f.action("DesignForLift")));
        QTest::keyClick(&f.window, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(f.window.liftDialog() && f.window.liftDialog()->isVisible());
        f.window.liftDialog()->reject();
    }

    void inputsTellUnitRangeAndName()
    {
        WindowFixture f;
        for (const char* name : {"Text_Delta", "Text_Gamma", "Text_Tau", "Text_xDltc"}) {
            auto* box = f.find<QLineEdit>(name);
            QVERIFY2(box->toolTip().contains("Valid") && (box->toolTip().contains("fraction") || box->toolTip().contains("degrees")), name);
            QVERIFY2(!QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name).isEmpty(), name);
        }
        QCOMPARE(f.find<QLabel>("Label5")->buddy(), f.find<QLineEdit>("Text_Delta"));

        // The plot shows its focus, and Shift+F10 opens its menu.
        auto* plot = f.find<SectionPlot>("Picture1");
        plot->setFocus();
        const QImage focused = plot->grab().toImage();
        f.find<QLineEdit>("Text_Delta")->setFocus();
        QVERIFY(plot->grab().toImage() != focused);
        plot->setFocus();
        QTest::keyClick(plot, Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(f.find<QMenu>("PlotMenu")->isVisible());
        f.find<QMenu>("PlotMenu")->close();
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
