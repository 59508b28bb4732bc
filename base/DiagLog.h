// The optional diagnostic log: one time-stamped line per event, appended to
// ProgramLogPath() (beside the executable when portable). Off unless the settings' "Debug"/
// "Log" is nonzero; the switch is read once per process. Each line is written
// with the file opened exclusively, so a line that overlaps another writer's
// is dropped rather than interleaved. Failures are never reported.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#if defined(__GNUC__)
#define VKX_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#else
#define VKX_PRINTF_FORMAT(f, a)
#endif

void LogMessage(const char* format, ...) VKX_PRINTF_FORMAT(1, 2);

// The complete line for a message at a time: "dd.mm.yyyy hh:mm:ss - text" CR LF.
QByteArray FormatLogLine(const QDateTime& when, const QByteArray& text);

// Sends the lines to this file and switches the log on, whatever the settings
// say (vkx520ctl's --log, tests). An empty path switches the log off.
void SetLogFile(const QString& path);
// Why path cannot take the log's lines (a FIFO, a device, a folder that does
// not let it be created), or nullptr when it can. A file that was missing
// is created empty.
const char* LogFileProblem(const QString& path);
// Forgets the switch and the path, so the next line reads the settings again.
void ResetLogState();
