// VKX520Setup: the desktop setup utility for the VKX520.
#include "app/FirstPaintExit.h"
#include "app/SetupApp.h"
#include "view/MainView.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    InstallFirstPaintExit();
    CSetupApp theApp;
    theApp.SetViewFactory(CMainView::Factory());
    if (!theApp.InitInstance()) return 1;
    return theApp.ExitInstance(QApplication::exec());
}
