// Where the program's files are found and written.
//
// The mode follows the layout, never permissions: a program run by root may
// write anywhere, and must still not put settings, logs or backups into
// /usr/bin.
//
// Installed: the shipped skin lies where an install puts it,
// "../share/vkx520setup" next to the executable's folder, whatever the prefix
// and whatever else lies beside the executable. The settings file and the log
// go to the user's own folders; the skin, its pictures, the base language file
// and the shipped translations are read from that data folder; translations
// the user writes go to a language folder of the user's own.
//
// Portable (otherwise: a build folder, an unpacked copy): everything is read
// and written beside the executable, as it always was.
//
// The folders come without a trailing separator. The user's own folders are
// made only when something is about to be written there (MakeOwnFolder), so
// that a run that only reads (a --help, a show) leaves nothing behind.
#pragma once

#include <QString>

enum class PathMode { Portable, Installed };

// The decision for an executable's folder: installed when the shipped skin
// lies in InstalledDataFolder(executableDir), portable otherwise.
PathMode DecidePathMode(const QString& executableDir);
// Where an install puts the shipped data for an executable in executableDir.
QString InstalledDataFolder(const QString& executableDir);
// The decision for the running program, made once per process.
PathMode ProgramPathMode();

// The desktop program's settings file, which vkx520ctl reads and writes too.
inline constexpr char kSettingsFileName[] = "VKX520Setup.ini";

QString SettingsFolder();      // the settings file
QString LogFolder();           // the diagnostic log
QString DataFolder();          // skin, pictures, base language file, shipped translations
QString UserLanguageFolder();  // translations written by the user
// Backups of the device's configuration: "backups" beside the executable, or
// in the user's data folder; the environment variable VKX520_BACKUP_DIR names
// another folder. Not created here (the first backup creates it).
QString BackupFolder();

// Makes folder when it is one of the user's own folders above (installed
// mode); other folders are left alone, as the executable's folder is. True
// when the folder is there afterwards or is none of those.
bool MakeOwnFolder(const QString& folder);

// The running program's own files: its file title with ".ini" and ".log".
QString ProgramSettingsPath();
QString ProgramLogPath();
// The desktop program's settings file.
QString SharedSettingsPath();

// For tests: installed mode with this data folder (the per-user folders come
// from QStandardPaths, which follows XDG_CONFIG_HOME and friends); an empty
// folder returns to the decision for the running program.
void ForceInstalledMode(const QString& dataFolder);
