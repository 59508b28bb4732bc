// The baseline of bench_startup: a bare Qt main window, shown the way the
// program shows its frame by default (maximized), with the same first-paint
// hook and nothing else.
#include "app/FirstPaintExit.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallFirstPaintExit();
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.showMaximized();
    return QApplication::exec();
}
