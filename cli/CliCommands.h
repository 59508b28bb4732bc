// The verbs of vkx520ctl. Each takes the arguments after the verb and
// returns the program's exit status (cli/ExitCodes.h; 1..6 are link codes).
#pragma once

#include <QStringList>

int RunRead(const QStringList& args);     // read --port PORT -o FILE [--skin XML] [--log FILE]
int RunWrite(const QStringList& args);    // write --port PORT FILE [--yes] [--log FILE]
int RunSetTime(const QStringList& args);  // set-time --port PORT [--log FILE]
int RunReset(const QStringList& args);    // reset --port PORT [--log FILE]
int RunShow(const QStringList& args);     // show FILE [--json] [--skin XML]
int RunPorts(const QStringList& args);    // ports [--probe]
int RunDiff(const QStringList& args);     // diff A B (each a file or --port PORT) [--json]
int RunExport(const QStringList& args);   // export FILE [-o OUT.json]
int RunImport(const QStringList& args);   // import IN.json -o FILE [--force]
// labels export FILE [-o OUT.csv] [--skin XML] | labels import IN.csv FILE [-o OUT]
int RunLabels(const QStringList& args);

// The whole command line: dispatches to a verb, or --help / --version.
int RunVkx520Ctl(const QStringList& args);
