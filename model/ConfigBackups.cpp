#include "model/ConfigBackups.h"

#include "base/ProgramPaths.h"
#include "model/ConfigFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {
// yyyyMMdd-HHmmss-zzz_PORT[-n].vkcfg: the name sorts as the time it was taken.
const QString kTimeFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

const QRegularExpression& BackupName() {
    static const QRegularExpression name(QStringLiteral("^\\d{8}-\\d{6}-\\d{3}_.*\\.vkcfg$"));
    return name;
}
}  // namespace

CConfigBackups::CConfigBackups(QString folder, Clock clock, int keep)
    : m_folder(std::move(folder)), m_clock(std::move(clock)), m_keep(std::max(keep, 1)) {}

QString CConfigBackups::PortForFileName(const QString& port) {
    QString name;
    for (const QChar c : port) {
        if (c.isLetterOrNumber() && c.unicode() < 0x80)
            name += c;
        else if (!name.isEmpty() && !name.endsWith(u'_'))
            name += u'_';
    }
    while (name.endsWith(u'_')) name.chop(1);
    return name.isEmpty() ? QStringLiteral("port") : name.left(40);
}

QString CConfigBackups::Save(const ConfigImage& image, const QString& port, FileError* error) {
    FileError failure = FileError::None;
    QString path;
    if (!QDir().mkpath(m_folder)) {
        failure = FileError::CannotOpen;
    } else {
        const QString stem = m_folder + u'/' + m_clock().toString(kTimeFormat) + u'_' + PortForFileName(port);
        path = stem + QStringLiteral(".vkcfg");
        for (int n = 2; QFileInfo::exists(path); ++n) path = stem + QStringLiteral("-%1.vkcfg").arg(n);
        const char noLabels[kInputLabelBytes] = {};
        failure = WriteFileSafely(path, SerializeConfigFile(image, noLabels, noLabels));
    }
    if (error) *error = failure;
    if (failure != FileError::None) return {};
    QStringList all = List();
    for (qsizetype i = 0; i + m_keep < all.size(); ++i) QFile::remove(all[i]);
    return path;
}

QStringList CConfigBackups::List() const {
    QStringList names = QDir(m_folder).entryList({QStringLiteral("*.vkcfg")}, QDir::Files);
    names.removeIf([](const QString& name) { return !BackupName().match(name).hasMatch(); });
    // By the name without its extension, so that a second backup of the same
    // moment ("..._COM1-2") comes after the first.
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return a.chopped(6) < b.chopped(6); });
    QStringList paths;
    for (const QString& name : names) paths << m_folder + u'/' + name;
    return paths;
}

CConfigBackups& ProgramBackups() {
    static CConfigBackups backups(BackupFolder());
    return backups;
}
