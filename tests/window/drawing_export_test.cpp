#include <QDialog>
#include <QDoubleSpinBox>

#include "engine/section_drawing.h"
#include "window/section_plot.h"
#include "window_fixture.h"

// Drawings for CAD and cutting from the window, and the smooth outline on the screen.
class DrawingExportTest : public QObject {
    Q_OBJECT

private slots:
    void exportsTheDrawnSectionAtTrueScale()
    {
        WindowFixture f;
        f.design();
        QCOMPARE(f.find<SectionPlot>("Picture1")->outline()->size(), std::size_t(folix::kDrawingPoints));
        f.action("ExportDrawing")->trigger();
        auto* dialog = f.find<QDialog>("DrawingDialog");
        QVERIFY(dialog->isVisible());
        f.find<QDoubleSpinBox>("DrawingChord", dialog)->setValue(150);
        f.find<QDoubleSpinBox>("DrawingTrailingEdgeGap", dialog)->setValue(0.002);
        f.answer = "rib.dxf";
        dialog->accept();
        const folix::MappedSection section{"KARMAN-TREFFTZ AIRFOIL", 0.070304405967124839, 0.043769303782416197,
                                           1.9444444444444444};
        const folix::SectionDrawing wanted =
            folix::sectionDrawing(folix::seligName(section), section.F, section.G, section.EM, {150, 0.002, false});
        QCOMPARE(f.read("rib.dxf").toStdString(), folix::dxfDrawingText(wanted));
        QCOMPARE(f.suggested.back(), QString("karman-trefftz_F0.0703_G0.04377_m1.94444.svg"));

        f.answer = "rib.svg";
        f.action("ExportDrawing")->trigger();
        dialog->accept();
        QVERIFY(f.read("rib.svg").contains("viewBox=") && f.read("rib.svg").contains("width=\"165.0013mm\""));
        f.answer = "rib.stl";
        f.action("ExportDrawing")->trigger();
        dialog->accept();
        const auto shown = f.boxes.take();
        QVERIFY(shown.size() == 1 && shown.front().text.contains(".svg, .dxf or .pdf rather than .stl"));
        QVERIFY(!QFile::exists(f.path("rib.stl")));
    }
};

QTEST_MAIN(DrawingExportTest)
#include "drawing_export_test.moc"
