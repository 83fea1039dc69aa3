// Linked into the start-up measurement programs only. Once a window is shown on the screen and
// the event loop runs out of work for the first time, it writes "R" to standard output and leaves
// the event loop, so that the program ends as it would when its last window closes.

#include <unistd.h>
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>

namespace {

bool aWindowIsExposed() {
    const auto windows = QGuiApplication::topLevelWindows();
    for (const QWindow* window : windows) {
        if (window->isVisible() && window->isExposed()) return true;
    }
    return false;
}

void leaveWhenIdle() {
    static bool done = false;
    if (done || !aWindowIsExposed()) return;
    done = true;
    const char ready = 'R';
    [[maybe_unused]] const ssize_t written = write(STDOUT_FILENO, &ready, 1);
    QCoreApplication::exit(0);
}

// Runs in the application's constructor. The zero timer fires only once the event loop runs,
// that is after main() has shown its window; from then on every moment the loop is about to
// wait for new events is a candidate.
void watchTheEventLoop() {
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        QObject::connect(QAbstractEventDispatcher::instance(),
                         &QAbstractEventDispatcher::aboutToBlock, QCoreApplication::instance(),
                         &leaveWhenIdle);
    });
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(watchTheEventLoop)
