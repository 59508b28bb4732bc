// The baselines of bench_startup: a bare Qt main window, shown the way the
// program shows its frame by default (maximized), with the same first-paint
// hook and nothing else. With --bars it also gets what any main window with
// text has: a menu bar of four menus, a toolbar and a status bar message (the
// first text drawn starts Qt's font machinery, which a bare window never does).
#include "app/FirstPaintExit.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace {

void AddBars(QMainWindow& window) {
    for (const char* title : {"&File", "&View", "&Device", "&?"}) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(title));
        for (int i = 1; i <= 6; ++i) menu->addAction(QStringLiteral("Command %1").arg(i));
    }
    QToolBar* toolBar = window.addToolBar(QStringLiteral("Toolbar"));
    for (int i = 1; i <= 6; ++i) toolBar->addAction(QStringLiteral("T%1").arg(i));
    window.statusBar()->showMessage(QStringLiteral("Ready"));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallFirstPaintExit();
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare"));
    if (QApplication::arguments().contains(QStringLiteral("--bars"))) AddBars(window);
    window.showMaximized();
    return QApplication::exec();
}
