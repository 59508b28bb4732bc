// Configuration files named on a command line, with the exit status each
// failure stands for. Failures are reported with the program's file-error
// messages before the status is returned.
#pragma once

#include "model/CMainDoc.h"
#include "model/ConfigFile.h"

#include <cstdint>

// Loads the file into doc. EXIT_OK, EXIT_NO_INPUT when it cannot be opened,
// EXIT_DATA_ERROR when it is corrupt or of another format. version (optional)
// gets the file's format version.
int LoadConfigFileArg(CMainDoc& doc, const QString& path, uint32_t* version = nullptr);

// The same for a file's contents as stored, without a document (vkx520sim
// keeps its state in one); a file of an older version is read as such and
// saved in the newest.
int LoadConfigFileArg(ConfigFileContents& contents, const QString& path);
int SaveConfigFileArg(const ConfigFileContents& contents, const QString& path);

// Checks, before any work is done, that a file can be created at path without
// touching anything already there. EXIT_OK or EXIT_CANNOT_CREATE.
int CheckOutputFileArg(const QString& path);

// Reads a file named on the command line, of at most limit bytes. EXIT_OK;
// after the open error, EXIT_DATA_ERROR when it is larger, EXIT_NO_INPUT
// otherwise.
int ReadInputArg(const QString& path, qint64 limit, QByteArray& bytes);

// Writes bytes to path, or to standard output when path is empty or "-".
// EXIT_OK or EXIT_CANNOT_CREATE.
int WriteOutputArg(const QString& path, const QByteArray& bytes);

// Replaces path with bytes. EXIT_OK or EXIT_CANNOT_CREATE after the save error.
int SaveFileArg(const QString& path, const QByteArray& bytes);

// Saves doc to path. EXIT_OK or EXIT_CANNOT_CREATE.
int SaveConfigFileArg(CMainDoc& doc, const QString& path);

// The file-error message of code (kFileOpenError, kFileSaveError) for path,
// then why, once, on a line of its own: "vkx520ctl: PATH: REASON" (no such
// file, permission denied, a FIFO, a full disk ...).
void ReportFileArgError(int code, const QString& path, FileError error);
