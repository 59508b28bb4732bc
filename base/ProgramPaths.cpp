#include "base/ProgramPaths.h"

#include "base/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <mutex>
#include <optional>

namespace {

// Per-user folders are shared by every program of the suite, so that
// vkx520ctl finds the desktop program's settings and languages.
const QString kFolderName = QStringLiteral("vkx520setup");

std::optional<QString> g_forcedDataFolder;

QString UserFolder(QStandardPaths::StandardLocation location, const QString& below = {}) {
    QString folder = QStandardPaths::writableLocation(location) + u'/' + kFolderName;
    if (!below.isEmpty()) folder += u'/' + below;
    return folder;
}

QString ProgramFile(const QString& folder, const QString& extension) {
    return folder + u'/' + QFileInfo(ExecutablePath()).completeBaseName() + extension;
}

bool Installed() { return ProgramPathMode() == PathMode::Installed; }

}  // namespace

QString InstalledDataFolder(const QString& executableDir) {
    return QDir::cleanPath(executableDir + QStringLiteral("/../share/") + kFolderName);
}

PathMode DecidePathMode(const QString& executableDir) {
    // The skin is what every program of the suite needs from the data folder,
    // and what an install always ships; a folder without it is not an install.
    const QFileInfo skin(InstalledDataFolder(executableDir) + QStringLiteral("/modules.xml"));
    return skin.isFile() ? PathMode::Installed : PathMode::Portable;
}

PathMode ProgramPathMode() {
    if (g_forcedDataFolder) return PathMode::Installed;
    static std::once_flag once;
    static PathMode mode = PathMode::Portable;
    std::call_once(once, [] { mode = DecidePathMode(ExecutableDir()); });
    return mode;
}

QString SettingsFolder() { return Installed() ? UserFolder(QStandardPaths::GenericConfigLocation) : ExecutableDir(); }

QString LogFolder() {
    if (!Installed()) return ExecutableDir();
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
    return UserFolder(QStandardPaths::GenericStateLocation);
#else
    return UserFolder(QStandardPaths::GenericDataLocation);
#endif
}

QString DataFolder() {
    if (g_forcedDataFolder) return *g_forcedDataFolder;
    if (!Installed()) return ExecutableDir();
    return InstalledDataFolder(ExecutableDir());
}

QString UserLanguageFolder() {
    return Installed() ? UserFolder(QStandardPaths::GenericDataLocation, QStringLiteral("languages")) : ExecutableDir();
}

QString BackupFolder() {
    if (const QString chosen = qEnvironmentVariable("VKX520_BACKUP_DIR"); !chosen.isEmpty())
        return QDir::cleanPath(chosen);
    const QString below = QStringLiteral("backups");
    if (!Installed()) return ExecutableDir() + u'/' + below;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/' + kFolderName + u'/' + below;
}

bool MakeOwnFolder(const QString& folder) {
    if (!Installed()) return true;
    const QString wanted = QDir::cleanPath(folder);
    for (const QString& own : {SettingsFolder(), LogFolder(), UserLanguageFolder()})
        if (wanted == own) return QDir().mkpath(own);
    return true;
}

QString ProgramSettingsPath() { return ProgramFile(SettingsFolder(), QStringLiteral(".ini")); }
QString ProgramLogPath() { return ProgramFile(LogFolder(), QStringLiteral(".log")); }
QString SharedSettingsPath() { return SettingsFolder() + u'/' + QString::fromLatin1(kSettingsFileName); }

void ForceInstalledMode(const QString& dataFolder) {
    g_forcedDataFolder = dataFolder.isEmpty() ? std::nullopt : std::optional<QString>(QDir::cleanPath(dataFolder));
}
