// VKX520Setup: the desktop setup utility for the VKX520.
#include "app/SetupApp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    CSetupApp theApp;
    if (!theApp.InitInstance()) return 1;
    return theApp.ExitInstance(QApplication::exec());
}
