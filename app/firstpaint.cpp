#include "app/firstpaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace zeitrad {

namespace {

// Milliseconds since this process started. The kernel keeps the start in clock ticks since boot
// (field 22 of /proc/self/stat), so this is exact to one tick (10 ms on most systems); callers
// that need more compare the wall-clock stamp with their own.
double msSinceProcessStart() {
    QFile stat("/proc/self/stat");
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // The command name in parentheses may hold blanks; the fields after it are plain.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    constexpr int startTimeField = 22 - 3; // fields 1 and 2 precede the cut
    if (fields.size() <= startTimeField)
        return -1;
    const double startSeconds =
        fields[startTimeField].toDouble() / static_cast<double>(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return (static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9 - startSeconds) * 1000.0;
}

class FirstPaintWatcher : public QObject {
public:
    explicit FirstPaintWatcher(QWidget* window) : QObject(window) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // The window and its children paint and reach the screen in one pass; the report
            // waits until that pass has returned to the event loop.
            QTimer::singleShot(0, this, [] {
                const auto wall = std::chrono::system_clock::now().time_since_epoch();
                const double epoch = std::chrono::duration<double>(wall).count();
                std::printf("first paint: %.1f ms after process start, at %.6f s\n",
                            msSinceProcessStart(), epoch);
                std::fflush(stdout);
                // Quit only after what the window queued behind its first paint (the screens
                // hidden at start) has run, so that the peak memory counts all of it.
                QTimer::singleShot(0, [] { QCoreApplication::quit(); });
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

} // namespace

void exitAfterFirstPaintIfAsked(QWidget* window) {
    if (qEnvironmentVariableIsSet(exitAfterFirstPaintVariable))
        new FirstPaintWatcher(window);
}

} // namespace zeitrad
