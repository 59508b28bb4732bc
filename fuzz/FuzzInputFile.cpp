#include "fuzz/FuzzInputFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

namespace {
// Memory-backed when the system has such a folder: on a disk file system a
// file rewritten thousands of times a second keeps the disk busy.
std::unique_ptr<QTemporaryDir> MakeFolder() {
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    if (shm.isDir() && shm.isWritable()) {
        auto dir = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/vkxfuzz-XXXXXX"));
        if (dir->isValid()) return dir;
    }
    return std::make_unique<QTemporaryDir>();
}
}  // namespace

const QString& FuzzFolder() {
    static const std::unique_ptr<QTemporaryDir> dir = MakeFolder();
    static const QString path = dir->isValid() ? dir->path() : QString();
    if (path.isEmpty()) std::abort();
    return path;
}

QString WriteFuzzFile(const QString& name, const uint8_t* data, size_t size) {
    const QString path = FuzzFolder() + u'/' + name;
    // Overwritten and then cut to size rather than emptied first, which some
    // file systems answer by writing the file out on close.
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size) || !file.resize(qint64(size)) ||
        !file.flush())
        std::abort();
    return path;
}
