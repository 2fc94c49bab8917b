// Renders the main window after a design into the PNG file named on the
// command line: the typical one (thickness 0.12, camber 0.02, trailing-edge
// angle 10 degrees) unless the texts to type follow (thickness, camber, angle
// and, for location mode, the location). Meant for the offscreen platform:
// scripts/screenshot runs it.

#include <cstdio>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "window/main_window.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2 && argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: window_screenshot OUTPUT.png [THICKNESS CAMBER ANGLE [LOCATION]]\n");
        return 2;
    }
    MainWindow window;
    window.show();
    window.findChild<QLineEdit*>("Text_Delta")->setText(argc > 2 ? argv[2] : "0.12");
    window.findChild<QLineEdit*>("Text_Gamma")->setText(argc > 2 ? argv[3] : "0.02");
    window.findChild<QLineEdit*>("Text_Tau")->setText(argc > 2 ? argv[4] : "10");
    if (argc == 6) {
        window.findChild<QRadioButton*>("Option_xDltc")->click();
        window.findChild<QLineEdit*>("Text_xDltc")->setText(argv[5]);
    }
    window.findChild<QPushButton*>("Command1")->click();
    QApplication::processEvents();
    if (!window.grab().save(argv[1], "PNG")) {
        std::fprintf(stderr, "window_screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
