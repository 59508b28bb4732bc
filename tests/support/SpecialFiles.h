// Files that are not what a user meant to hand over: a FIFO nobody writes, a
// device node, a link to an endless device, a file with two names.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

class SpecialFiles {
public:
    SpecialFiles() {
        ::mkfifo(QFile::encodeName(fifo()).constData(), 0644);
        QFile::link(QStringLiteral("/dev/zero"), zeroLink());
        // A device node of our own, so that a fault cannot replace the real one.
        if (::geteuid() == 0) ::mknod(QFile::encodeName(device()).constData(), S_IFCHR | 0644, makedev(1, 3));
    }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString fifo() const { return Path(QStringLiteral("fifo")); }
    QString zeroLink() const { return Path(QStringLiteral("zero")); }
    QString device() const { return Path(QStringLiteral("null")); }
    bool haveDevice() const { return QFileInfo::exists(device()); }
    // Still the kind of file it was made as.
    bool Intact() const {
        struct stat f {
        }, d{};
        return ::lstat(QFile::encodeName(fifo()).constData(), &f) == 0 && S_ISFIFO(f.st_mode) &&
               (!haveDevice() || (::lstat(QFile::encodeName(device()).constData(), &d) == 0 && S_ISCHR(d.st_mode))) &&
               QFileInfo(zeroLink()).isSymLink();
    }

private:
    QTemporaryDir m_dir;
};
