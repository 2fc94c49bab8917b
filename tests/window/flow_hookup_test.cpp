#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenu>

#include "window/analysis_window.h"
#include "window/flow_canvas.h"
#include "window/flow_window.h"
#include "window_fixture.h"

// The Flow window from the toolbar and the plot's menu, following the design and the pressure window's angle.
class FlowHookupTest : public QObject {
    Q_OBJECT

private slots:
    void flowFollowsTheDesignAndTheAngle()
    {
        WindowFixture f;
        f.design();
        QTest::keyClick(&f.window, Qt::Key_F, Qt::ControlModifier);
        FlowWindow* flow = f.window.flowWindow();
        QVERIFY(flow && flow->isVisible() && flow->canvas()->scene());
        QCOMPARE(f.find<QLabel>("FlowSectionParameters", flow)->text(), QString("F = 0.0703     G = 0.04377     m = 1.94444"));
        QVERIFY(f.find<QMenu>("PlotMenu")->actions().contains(f.action("ShowFlow")));

        f.design("0.1", "0", "0");
        QCOMPARE(f.find<QLabel>("FlowSectionFamily", flow)->text(), QString("JOUKOWSKY AIRFOIL"));

        f.action("PressureDistribution")->trigger();
        f.window.analysisWindow()->setAngleOfAttack(4);
        QCOMPARE(flow->angleOfAttack(), 4.0);
        flow->setAngleOfAttack(-2.5);
        QCOMPARE(f.window.analysisWindow()->angleOfAttack(), -2.5);
    }
};

QTEST_MAIN(FlowHookupTest)
#include "flow_hookup_test.moc"
