#include <QDoubleSpinBox>
#include <QMenu>
#include <QProcess>

#include "window/about_window.h"
#include "window/analysis_window.h"
#include "window/flow_window.h"
#include "window/lift_dialog.h"
#include "window_fixture.h"

// The keys of the main window's commands as a user presses them: real key
// events from xdotool on an X server of its own (under_xvfb.sh).
class ShortcutsX11Test : public QObject {
    Q_OBJECT

    static void press(QWidget& window, const char* keys)
    {
        const QString id = QString::number(window.winId());
        // No window manager: the focus is given directly, then the keys go through the X server's input.
        QCOMPARE(QProcess::execute("xdotool", {"windowfocus", "--sync", id}), 0);
        QTRY_COMPARE(QApplication::activeWindow(), &window);
        QCOMPARE(QProcess::execute("xdotool", {"key", "--clearmodifiers", keys}), 0);
    }

private slots:
    void shortcutsRunTheirCommands()
    {
        WindowFixture f;
        f.design();

        f.answer = "keys.dat";
        press(f.window, "ctrl+d");
        QTRY_VERIFY(f.read("keys.dat").startsWith("KARMAN-TREFFTZ F="));
        f.answer = "keys.png";
        press(f.window, "ctrl+shift+s");
        QTRY_VERIFY(f.read("keys.png").startsWith("\x89PNG"));
        press(f.window, "ctrl+k");
        QTRY_COMPARE(f.window.pins().pins().size(), 1u);
        press(f.window, "ctrl+p");
        QTRY_VERIFY(f.window.analysisWindow() && f.window.analysisWindow()->isVisible());
        press(f.window, "ctrl+f");
        QTRY_VERIFY(f.window.flowWindow() && f.window.flowWindow()->isVisible());
        press(f.window, "ctrl+l");
        QTRY_VERIFY(f.window.liftDialog() && f.window.liftDialog()->isVisible());
        f.window.liftDialog()->reject();

        // The plot's menu from the keyboard, and Escape on the About window.
        f.find<QWidget>("Picture1")->setFocus();
        press(f.window, "shift+F10");
        QTRY_VERIFY(f.find<QMenu>("PlotMenu")->isVisible());
        f.find<QMenu>("PlotMenu")->close();
        f.find<QAction>("Mn_About")->trigger();
        AboutWindow* about = f.window.aboutWindow();
        press(*about, "Escape");
        QTRY_VERIFY(!about->isVisible());
    }
};

QTEST_MAIN(ShortcutsX11Test)
#include "shortcuts_x11_test.moc"
