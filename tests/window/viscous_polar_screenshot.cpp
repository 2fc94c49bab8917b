// Renders the analysis window's viscous section headless after a polar of the
// typical design (12 %, 2 %, 10 degrees) at Re 1e6 from -4 to 16 degrees: the
// window to one PNG and, as its "Save picture" paints it, the charts to
// another, for docs/. Needs XFOIL.
//   viscous_polar_screenshot WINDOW.png CHARTS.png

#include <QApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPixmap>
#include <QTest>

#include <cstdio>

#include "window/analysis_window.h"
#include "window/file_service.h"
#include "window/picture_formats.h"
#include "window/viscous_plot.h"
#include "window/viscous_section.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: viscous_polar_screenshot WINDOW.png CHARTS.png\n");
        return 2;
    }
    FileService files;
    AnalysisWindow window(nullptr, &files);
    window.showDesign({"KARMAN-TREFFTZ AIRFOIL", 0.070304405967124839, 0.043769303782416197, 1.9444444444444444});
    window.showViscousSection();
    window.resize(820, 1000);
    ViscousSection* section = window.viscousSection();
    section->findChild<QDoubleSpinBox*>("ViscousTo")->setValue(16);
    section->computePolar();
    if (!QTest::qWaitFor([&] { return !section->running(); }, 120000)) return 1;
    QApplication::processEvents();
    if (!window.grab().save(argv[1])) return 1;
    ViscousPlot* plot = section->plot();
    const auto paint = [plot](QPainter& painter, const QRectF& area) { plot->paintPicture(painter, area); };
    const auto picture = pictureBytes(PictureFormat::Png, QSize(900, 640), *plot, "viscous polar", paint);
    QFile out(argv[2]);
    return picture && out.open(QIODevice::WriteOnly) && out.write(*picture) == picture->size() ? 0 : 1;
}
