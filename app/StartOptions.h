// What VKX520Setup makes of its command line. The program starts with an
// empty document whatever it is given; a configuration file is opened only
// when asked for with --open (what the desktop entry passes), and anything
// else is named on standard error as ignored instead of stopping the start.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

struct StartOptions {
    bool help = false;
    bool version = false;
    QString openPath;     // --open FILE: opened as File > Open opens a chosen file; empty: none
    QStringList ignored;  // one line each for standard error
};

// args as QCoreApplication::arguments() gives them, the program first. Qt's
// own options (-platform, -style) are taken out by QApplication; before it
// exists they show up in ignored.
StartOptions ParseStartOptions(const QStringList& args);

// The text --help prints.
QString StartHelpText();

// Whether Qt can show a window: the platform it would use (-platform NAME,
// else QT_QPA_PLATFORM, else the desktop session's) has what it needs.
// environment returns a variable's value, empty when unset.
bool DisplayAvailable(const QStringList& args, const std::function<QString(const char* name)>& environment);

// The one line said instead of starting when there is no display.
QString NoDisplayText();
