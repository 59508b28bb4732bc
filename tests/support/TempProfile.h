// Points the application's settings at a fresh file in a temporary folder for
// the lifetime of a test, and restores the default afterwards.
#pragma once

#include "base/Settings.h"

#include <QFile>
#include <QTemporaryDir>

class TempProfile {
public:
    TempProfile() : m_path(m_dir.filePath(QStringLiteral("VKX520Setup.ini"))) { SetAppProfilePath(m_path); }
    ~TempProfile() { SetAppProfilePath({}); }
    TempProfile(const TempProfile&) = delete;
    TempProfile& operator=(const TempProfile&) = delete;

    // Replaces the file's contents with the given lines.
    void Write(const QByteArray& text) const {
        QFile file(m_path);
        if (file.open(QIODevice::WriteOnly)) file.write(text);
        file.close();
        ForgetProfileCache();  // rewritten within one tick of the file clock
    }
    bool Exists() const { return QFile::exists(m_path); }
    const QString& Path() const { return m_path; }
    int Int(const char* section, const char* key) const {
        return AppProfile().GetInt(QString::fromLatin1(section), QString::fromLatin1(key), -12345);
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};
