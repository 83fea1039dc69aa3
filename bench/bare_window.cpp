// The yardstick for the start-up measurement: the least a Qt Widgets program with a main window
// does. One empty QMainWindow with a one-menu bar, of the size of Motoreckon's frame, shown.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    // The frame's client area, 9285 x 5715 twips, below the menu bar.
    window.resize(619, 381 + window.menuBar()->sizeHint().height());
    window.show();
    return QApplication::exec();
}
