// Backups of the device's configuration: every successful read from the
// device (Connect, Load configuration, vkx520ctl read) keeps the image exactly
// as read as a configuration file in one folder, named by date, time and
// port, so that a write that went wrong can be undone. The newest files are
// kept, older ones deleted; only files named as this program names them are
// counted or deleted.
#pragma once

#include "base/FileIo.h"
#include "model/ConfigImage.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

class ConfigBackups {
public:
    static constexpr int kKeepNewest = 200;
    using Clock = std::function<QDateTime()>;

    explicit ConfigBackups(QString folder, Clock clock = &QDateTime::currentDateTime, int keep = kKeepNewest);

    const QString& folder() const { return m_folder; }

    // Saves image (without labels) as a new backup for the port named port
    // and deletes the oldest backups beyond the number kept, never the one
    // just saved. A backup never replaces a file: of two saves at the same
    // moment for the same port, the second takes the next free name. The path
    // saved, or empty with error set.
    QString Save(const ConfigImage& image, const QString& port, FileError* error = nullptr);

    // The backups in the folder, oldest first. Backups dated more than a day
    // after the clock (written while it was set ahead) count as the oldest:
    // their dates say nothing of their age.
    QStringList List() const;

    // A port as it may stand in a file name: "COM3", "dev_ttyUSB0"; a long
    // one cut, ending in a short hash of the whole port.
    static QString PortForFileName(const QString& port);

private:
    QString m_folder;
    Clock m_clock;
    int m_keep;
};

// The backups of the running program: in BackupFolder().
ConfigBackups& ProgramBackups();
