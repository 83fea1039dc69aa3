#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/mdiform1.h"
#include "forms/style.h"

namespace {

// Without a display Qt would abort with a page of plugin diagnostics; say it in one line.
bool displayMissing() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return !set("DISPLAY") && !set("WAYLAND_DISPLAY") && !set("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char* argv[]) {
    if (displayMissing()) {
        std::fprintf(stderr,
                     "motoreckon: no display found; run it on a desktop, or headless with "
                     "`xvfb-run -a %s`\n",
                     argv[0]);
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Motoreckon"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    motoreckon::installStyle();
    motoreckon::installWindowIcon();
    // Lets the desktop match the running program to its installed launcher entry and icon.
    QApplication::setDesktopFileName(QStringLiteral(MOTORECKON_APP_ID));

    motoreckon::MDIForm1 frame;
    frame.show();
    return QApplication::exec();
}
