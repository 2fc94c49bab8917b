// Renders the Flow window headless to a PNG: the typical design's section
// (12 %, 2 %, 10 degrees), for docs/ and for looking at the window.
//   flow_window_screenshot FILE.png [ALPHA] [circle] [cp|none] [WIDTHxHEIGHT]

#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>

#include "window/file_service.h"
#include "window/flow_window.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: flow_window_screenshot FILE.png [ALPHA] [circle] [cp|none] [WIDTHxHEIGHT]\n");
        return 2;
    }
    FileService files;  // shows the Save button as the program does; nothing is saved here
    FlowWindow window(nullptr, &files);
    window.showDesign({"KARMAN-TREFFTZ AIRFOIL", 0.070304405967124839, 0.043769303782416197, 1.9444444444444444});
    QSize size(900, 600);
    for (int i = 3; i < argc; ++i) {
        const QString option = argv[i];
        if (option == "circle") window.findChild<QCheckBox*>("FlowCirclePlane")->setChecked(true);
        if (option == "cp") window.findChild<QComboBox*>("FlowColouring")->setCurrentIndex(1);
        if (option == "none") window.findChild<QComboBox*>("FlowColouring")->setCurrentIndex(2);
        if (option.contains('x')) size = QSize(option.section('x', 0, 0).toInt(), option.section('x', 1, 1).toInt());
    }
    if (argc > 2) window.setAngleOfAttack(std::atof(argv[2]));
    window.resize(size);
    window.show();
    QApplication::processEvents();
    return window.grab().save(argv[1]) ? 0 : 1;
}
