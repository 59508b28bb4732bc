#include "model/ConfigBackups.h"

#include "base/ProgramPaths.h"
#include "model/ConfigFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <optional>

namespace {
// yyyyMMdd-HHmmss-zzz_PORT[-n].vkcfg: the time it was taken, then the port.
const QString kTimeFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");
constexpr qsizetype kTimeChars = 19;
const QString kExtension = QStringLiteral(".vkcfg");

// Longer ports are cut and end in a hash of the whole, so that two adapters
// whose names differ only at the end (the serial number of a by-id path) stay
// apart while every name fits a file system's limit.
constexpr qsizetype kMaxPortChars = 100;
constexpr qsizetype kPortHashChars = 8;

// Names later than this after the clock come from a clock that was set ahead:
// their dates say nothing about their age. (A day covers any change of time
// zone, which moves the local times in the names.)
constexpr qint64 kBelievableAheadSecs = 24 * 60 * 60;

// The moment a backup's name tells, for names this program gives.
std::optional<QDateTime> BackupTime(const QString& name) {
    if (name.size() <= kTimeChars + 1 + kExtension.size() || name[kTimeChars] != u'_' || !name.endsWith(kExtension))
        return std::nullopt;
    const QDateTime time = QDateTime::fromString(name.left(kTimeChars), kTimeFormat);
    if (!time.isValid()) return std::nullopt;
    return time;
}

struct Backup {
    QString name;
    QDateTime time;
    bool ahead = false;  // dated after the clock: of unknown age
};
}  // namespace

ConfigBackups::ConfigBackups(QString folder, Clock clock, int keep)
    : m_folder(std::move(folder)), m_clock(std::move(clock)), m_keep(std::max(keep, 1)) {}

QString ConfigBackups::PortForFileName(const QString& port) {
    QString name;
    for (const QChar c : port) {
        if (c.isLetterOrNumber() && c.unicode() < 0x80)
            name += c;
        else if (!name.isEmpty() && !name.endsWith(u'_'))
            name += u'_';
    }
    while (name.endsWith(u'_')) name.chop(1);
    if (name.isEmpty()) return QStringLiteral("port");
    if (name.size() <= kMaxPortChars) return name;
    const QByteArray hash = QCryptographicHash::hash(port.toUtf8(), QCryptographicHash::Sha1).toHex();
    return name.left(kMaxPortChars - kPortHashChars - 1) + u'_' + QString::fromLatin1(hash.left(kPortHashChars));
}

QString ConfigBackups::Save(const ConfigImage& image, const QString& port, FileError* error) {
    FileError failure = FileError::None;
    QString path;
    if (!QDir().mkpath(m_folder)) {
        failure = FileError::CannotOpen;
    } else {
        const QString stem = m_folder + u'/' + m_clock().toString(kTimeFormat) + u'_' + PortForFileName(port);
        const char noLabels[kInputLabelBytes] = {};
        const QByteArray bytes = SerializeConfigFile(image, noLabels, noLabels);
        // Another reader of the same moment and port (a second program, a
        // second adapter) may take a name at any time: a name is ours only
        // once the file is created under it.
        failure = FileError::Exists;
        for (int n = 1; failure == FileError::Exists && n <= kKeepNewest * 10; ++n) {
            path = n == 1 ? stem + kExtension : stem + QStringLiteral("-%1").arg(n) + kExtension;
            if (!QFile::exists(path)) failure = WriteNewFileSafely(path, bytes);
        }
    }
    if (error) *error = failure;
    if (failure != FileError::None) return {};
    QStringList all = List();
    all.removeAll(path);  // the backup just kept is never the one to go
    for (qsizetype i = 0; i + m_keep <= all.size(); ++i) QFile::remove(all[i]);
    return path;
}

QStringList ConfigBackups::List() const {
    const QDateTime now = m_clock();
    std::vector<Backup> backups;
    for (const QString& name : QDir(m_folder).entryList({u'*' + kExtension}, QDir::Files)) {
        if (const std::optional<QDateTime> time = BackupTime(name))
            backups.push_back({name, *time, now.secsTo(*time) > kBelievableAheadSecs});
    }
    // By the name without its extension on equal times, so that a second
    // backup of the same moment ("..._COM1-2") comes after the first.
    std::sort(backups.begin(), backups.end(), [](const Backup& a, const Backup& b) {
        if (a.ahead != b.ahead) return a.ahead;
        if (a.time != b.time) return a.time < b.time;
        return a.name.chopped(kExtension.size()) < b.name.chopped(kExtension.size());
    });
    QStringList paths;
    for (const Backup& backup : backups) paths << m_folder + u'/' + backup.name;
    return paths;
}

ConfigBackups& ProgramBackups() {
    static ConfigBackups backups(BackupFolder());
    return backups;
}
