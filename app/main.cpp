#include <QApplication>
#include <QIcon>

#include "results/file_output.h"
#include "window/main_window.h"

// Opens the main window; the program ends when its last window closes.
int main(int argc, char* argv[])
{
    folix::ignoreFileSizeSignal();
    QApplication app(argc, argv);
    // Desktops match the windows to the installed menu entry by this name.
    QGuiApplication::setDesktopFileName(FOLIX_APP_ID);
    QIcon icon;
    icon.addFile(":/icons/folixdesign-48.png");
    icon.addFile(":/icons/folixdesign-256.png");
    QApplication::setWindowIcon(icon);

    MainWindow window;
    window.show();
    return QApplication::exec();
}
