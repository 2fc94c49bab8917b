// Renders the main window after the typical design (thickness 0.12, camber
// 0.02, trailing-edge angle 10 degrees) into the PNG file named on the command
// line. Meant for the offscreen platform: scripts/screenshot runs it.

#include <cstdio>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "window/main_window.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_screenshot OUTPUT.png\n");
        return 2;
    }
    MainWindow window;
    window.show();
    window.findChild<QLineEdit*>("Text_Delta")->setText("0.12");
    window.findChild<QLineEdit*>("Text_Gamma")->setText("0.02");
    window.findChild<QLineEdit*>("Text_Tau")->setText("10");
    window.findChild<QPushButton*>("Command1")->click();
    QApplication::processEvents();
    if (!window.grab().save(argv[1], "PNG")) {
        std::fprintf(stderr, "window_screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
