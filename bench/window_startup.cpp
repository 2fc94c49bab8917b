// Opens the main window as the program does and reports, once its first paint
// is done, the time since the process started and the peak memory so far.
// The process start is taken from FOLIX_LAUNCH_NS (wall clock in nanoseconds,
// set by bench/window_startup.sh just before it starts this program), or else
// from the kernel's record of the start, which counts in 10 ms ticks.

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>

#include "window/main_window.h"

namespace {

double wallClockMs()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Milliseconds since this process was started.
double sinceStartMs()
{
    if (const char* launched = std::getenv("FOLIX_LAUNCH_NS")) return wallClockMs() - std::strtod(launched, nullptr) / 1e6;
    std::ifstream statFile("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(statFile)), {});
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22; ++i) fields >> field;  // field 22: start time in ticks after boot
    timespec boot{};
    clock_gettime(CLOCK_BOOTTIME, &boot);
    const double startMs = std::stod(field) * 1e3 / sysconf(_SC_CLK_TCK);
    return boot.tv_sec * 1e3 + boot.tv_nsec / 1e6 - startMs;
}

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Report once this paint has finished and reached the screen.
            QTimer::singleShot(0, [] {
                rusage usage{};
                getrusage(RUSAGE_SELF, &usage);
                std::printf("first paint %.1f ms after start, peak memory %.1f MiB\n", sinceStartMs(),
                            usage.ru_maxrss / 1024.0);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    MainWindow window;
    FirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    window.show();
    return QApplication::exec();
}
