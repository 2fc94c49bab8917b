#include <QApplication>

#include "window/main_window.h"

// Opens the main window; the program ends when its last window closes.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    MainWindow window;
    window.show();
    return QApplication::exec();
}
