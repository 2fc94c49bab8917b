// Renders the main window after a design into the PNG file named on the
// command line: the typical one (thickness 0.12, camber 0.02, trailing-edge
// angle 10 degrees) unless the texts to type follow (thickness, camber, angle
// and, for location mode, the location). With --comparison first, three more
// designs are pinned beside the typical one, and a second file named after
// the first (…_cp.png) shows their pressure distributions at 4 degrees. With
// --changed first, "0,03" is typed into the camber box after the design.
// Meant for the offscreen platform: scripts/screenshot runs it.

#include <cstdio>
#include <cstring>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QAction>

#include "window/analysis_window.h"
#include "window/main_window.h"

namespace {

void design(MainWindow& window, const char* delta, const char* gamma, const char* tau, const char* location = nullptr)
{
    window.findChild<QLineEdit*>("Text_Delta")->setText(delta);
    window.findChild<QLineEdit*>("Text_Gamma")->setText(gamma);
    window.findChild<QLineEdit*>("Text_Tau")->setText(tau);
    window.findChild<QRadioButton*>(location ? "Option_xDltc" : "Option_Tau")->click();
    if (location) window.findChild<QLineEdit*>("Text_xDltc")->setText(location);
    window.findChild<QPushButton*>("Command1")->click();
}

bool save(QWidget& window, const QString& file)
{
    QApplication::processEvents();
    if (window.grab().save(file, "PNG")) return true;
    std::fprintf(stderr, "window_screenshot: cannot write %s\n", qPrintable(file));
    return false;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const bool comparison = argc == 3 && std::strcmp(argv[1], "--comparison") == 0;
    const bool changed = argc == 3 && std::strcmp(argv[1], "--changed") == 0;
    if (!comparison && !changed && argc != 2 && argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: window_screenshot [--comparison | --changed] OUTPUT.png "
                             "[THICKNESS CAMBER ANGLE [LOCATION]]\n");
        return 2;
    }
    MainWindow window;
    window.show();
    if (changed) {
        design(window, "0.12", "0.02", "10");
        window.findChild<QLineEdit*>("Text_Gamma")->setText("0,03");
        return save(window, argv[2]) ? 0 : 1;
    }
    if (!comparison) {
        design(window, argc > 2 ? argv[2] : "0.12", argc > 2 ? argv[3] : "0.02", argc > 2 ? argv[4] : "10",
               argc == 6 ? argv[5] : nullptr);
        return save(window, argv[1]) ? 0 : 1;
    }
    QAction* pin = window.findChild<QAction*>("PinSection");
    design(window, "0.10", "0", "0");
    pin->trigger();
    design(window, "0.15", "0.04", "5");
    pin->trigger();
    design(window, "0.12", "0.02", "10", "0.4");
    pin->trigger();
    design(window, "0.12", "0.02", "10");
    const QString file = argv[2];
    if (!save(window, file)) return 1;
    window.findChild<QAction*>("PressureDistribution")->trigger();
    AnalysisWindow* analysis = window.analysisWindow();
    analysis->setAngleOfAttack(4);
    analysis->resize(760, 560);
    return save(*analysis, QString(file).replace(".png", "_cp.png")) ? 0 : 1;
}
