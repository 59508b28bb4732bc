// Backups of the device's configuration: every successful read from the
// device (Connect, Load configuration, vkx520ctl read) keeps the image exactly
// as read as a configuration file in one folder, named by date, time and
// port, so that a write that went wrong can be undone. The newest files are
// kept, older ones deleted.
#pragma once

#include "base/FileIo.h"
#include "model/ConfigImage.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

class CConfigBackups {
public:
    static constexpr int kKeepNewest = 200;
    using Clock = std::function<QDateTime()>;

    explicit CConfigBackups(QString folder, Clock clock = &QDateTime::currentDateTime, int keep = kKeepNewest);

    const QString& folder() const { return m_folder; }

    // Saves image (without labels) as a new backup for the port named port
    // and deletes the oldest backups beyond the number kept. The path saved,
    // or empty with error set.
    QString Save(const ConfigImage& image, const QString& port, FileError* error = nullptr);

    // The backups in the folder, oldest first.
    QStringList List() const;

    // A port as it may stand in a file name: "COM3", "dev_ttyUSB0".
    static QString PortForFileName(const QString& port);

private:
    QString m_folder;
    Clock m_clock;
    int m_keep;
};

// The backups of the running program: in BackupFolder().
CConfigBackups& ProgramBackups();
