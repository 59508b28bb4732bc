#include "base/FileIo.h"

#include <QFile>
#include <QDateTime>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <atomic>
#include <string_view>
#include <system_error>

#ifdef Q_OS_WIN
#include <QSaveFile>
#else
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

std::atomic<FileWriteHook*> g_writeHook{nullptr};

bool WriteRefused() {
    FileWriteHook* hook = g_writeHook.load();
    return hook && !hook->MayWrite();
}

}  // namespace

const char* FileErrorText(FileError error) {
    switch (error) {
    case FileError::None: return "no error";
    case FileError::CannotOpen: return "cannot be opened";
    case FileError::NotRegular: return "not a regular file";
    case FileError::TooLarge: return "too large";
    case FileError::ReadFailed: return "read error";
    case FileError::WriteFailed: return "write error (disk full?)";
    case FileError::Exists: return "already exists";
    }
    return "unknown error";
}

FileWriteHook* SetFileWriteHook(FileWriteHook* hook) { return g_writeHook.exchange(hook); }

#ifdef Q_OS_WIN
QString DescribeFileError(const QString&, FileError error, FileUse) {
    return QString::fromLatin1(FileErrorText(error));
}
#else
namespace {
QString SystemReason(int error) { return QString::fromLocal8Bit(std::generic_category().message(error)); }

// The error opening path for reading gives now; 0 when it opens.
int ReadOpenError(const QByteArray& path) {
    struct stat st {};
    if (::stat(path.constData(), &st) != 0) return errno;
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno;
    ::close(fd);
    return 0;
}

// The error a new file in path's folder meets now; 0 when none is seen.
int WriteOpenError(const QString& path) {
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    struct stat st {};
    if (::stat(folder.constData(), &st) != 0) return errno;
    if (!S_ISDIR(st.st_mode)) return ENOTDIR;
    if (::access(folder.constData(), W_OK | X_OK) != 0) return errno;
    const QByteArray target = QFile::encodeName(path);
    if (::stat(target.constData(), &st) != 0 && errno != ENOENT) return errno;
    return 0;
}
}  // namespace

QString DescribeFileError(const QString& path, FileError error, FileUse use) {
    if (error == FileError::CannotOpen) {
        const int why = use == FileUse::Read ? ReadOpenError(QFile::encodeName(path)) : WriteOpenError(path);
        if (why != 0) return SystemReason(why);
    }
    return QString::fromLatin1(FileErrorText(error));
}
#endif

#ifdef Q_OS_WIN

// Windows has no FIFOs or device nodes in the file name space a user picks
// from, so Qt's files with the same size checks are enough there.
namespace {
FileBytes ReadWithQt(const QString& path, qint64 limit, bool truncate, qint64* fileSize) {
    FileBytes result;
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return {{}, FileError::NotRegular};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {{}, FileError::CannotOpen};
    if (fileSize) *fileSize = file.size();
    if (!truncate && file.size() > limit) return {{}, FileError::TooLarge};
    result.bytes = file.read(limit);
    if (file.error() != QFileDevice::NoError) return {{}, FileError::ReadFailed};
    return result;
}
}  // namespace

FileBytes ReadRegularFile(const QString& path, qint64 maxBytes) { return ReadWithQt(path, maxBytes, false, nullptr); }
FileBytes ReadRegularFileHead(const QString& path, qint64 headBytes, qint64* fileSize) {
    return ReadWithQt(path, headBytes, true, fileSize);
}

FileError CheckWritableTarget(const QString& path) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return FileError::NotRegular;
    QSaveFile probe(path);
    if (!probe.open(QIODevice::WriteOnly)) return FileError::CannotOpen;
    probe.cancelWriting();
    return FileError::None;
}

FileStamp GetFileStamp(const QString& path) {
    const QFileInfo info(path);
    FileStamp stamp;
    stamp.exists = info.exists();
    if (!stamp.exists) return stamp;
    stamp.size = info.size();
    stamp.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
    stamp.changedNs = info.metadataChangeTime().toMSecsSinceEpoch() * 1000000;
    return stamp;
}

FileError WriteFileSafely(const QString& path, QByteArrayView bytes) {
    if (const FileError e = CheckWritableTarget(path); e != FileError::None) return e;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return FileError::CannotOpen;
    if (WriteRefused() || file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush() ||
        file.size() != bytes.size()) {
        file.cancelWriting();
        return FileError::WriteFailed;
    }
    return file.commit() ? FileError::None : FileError::WriteFailed;
}

FileError WriteNewFileSafely(const QString& path, QByteArrayView bytes) {
    // Created exclusively and written in place: the name is claimed at once.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return QFileInfo::exists(path) ? FileError::Exists : FileError::CannotOpen;
    if (WriteRefused() || file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush()) {
        file.close();
        file.remove();
        return FileError::WriteFailed;
    }
    return FileError::None;
}

#else

namespace {

class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    void Reset(int fd) {
        Close();
        m_fd = fd;
    }
    bool Close() {
        if (m_fd < 0) return true;
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

FileBytes ReadPosix(const QString& path, qint64 limit, bool truncate, qint64* fileSize) {
    const QByteArray native = Native(path);
    struct stat before {};
    // Look before opening: opening a device node may already act on it.
    if (::stat(native.constData(), &before) != 0) return {{}, FileError::CannotOpen};
    if (!S_ISREG(before.st_mode)) return {{}, FileError::NotRegular};
    Fd fd(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) return {{}, FileError::CannotOpen};
    struct stat st {};
    // The name may have been pointed elsewhere between the look and the open.
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return {{}, FileError::NotRegular};
    if (fileSize) *fileSize = qint64(st.st_size);
    if (!truncate && qint64(st.st_size) > limit) return {{}, FileError::TooLarge};

    // Read to one byte past the limit: a file that grows while we read is
    // caught as too large instead of being cut silently.
    const qint64 want = truncate ? limit : limit + 1;
    QByteArray bytes(qsizetype(std::min<qint64>(want, std::max<qint64>(qint64(st.st_size), 0) + 1)), Qt::Uninitialized);
    qint64 got = 0;
    while (got < want) {
        if (got == bytes.size()) bytes.resize(qsizetype(std::min<qint64>(want, qint64(bytes.size()) * 2 + 4096)));
        const ssize_t n = ::read(fd.get(), bytes.data() + got, std::size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return {{}, FileError::ReadFailed};
        if (n == 0) break;
        got += n;
    }
    if (!truncate && got > limit) return {{}, FileError::TooLarge};
    bytes.resize(qsizetype(got));
    return {bytes, FileError::None};
}

bool WriteAll(int fd, QByteArrayView bytes, off_t offset) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        if (WriteRefused()) {
            errno = ENOSPC;
            return false;
        }
        const ssize_t n = ::pwrite(fd, bytes.data() + done, std::size_t(bytes.size() - done), offset + off_t(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

// Writes, flushes and checks a file descriptor's whole contents.
bool WriteChecked(int fd, QByteArrayView bytes) {
    struct stat st {};
    return WriteAll(fd, bytes, 0) && ::ftruncate(fd, off_t(bytes.size())) == 0 && ::fsync(fd) == 0 &&
           ::fstat(fd, &st) == 0 && qint64(st.st_size) == bytes.size();
}

// The file a save replaces: a symbolic link is followed so the link survives.
QString ResolveTarget(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink()) return path;
    const QString target = info.canonicalFilePath();
    return target.isEmpty() ? info.symLinkTarget() : target;
}

// The name of the file a save writes before it takes the target's place:
// ".NAME.<random>.tmp", the random part a 32-bit number in base 36.
constexpr char kTemporarySuffix[] = ".tmp";
constexpr std::size_t kMaxRandomChars = 7;

bool IsTemporaryName(std::string_view name) {
    const std::size_t suffix = sizeof kTemporarySuffix - 1;
    if (name.size() < 4 + suffix || name.front() != '.' || !name.ends_with(kTemporarySuffix)) return false;
    name.remove_suffix(suffix);
    const std::size_t dot = name.rfind('.');
    const std::size_t random = name.size() - dot - 1;
    if (dot == std::string_view::npos || dot < 2 || random == 0 || random > kMaxRandomChars) return false;
    return std::all_of(name.begin() + std::ptrdiff_t(dot) + 1, name.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); });
}

// What a killed save left in folder: temporaries of our naming, our own,
// untouched for a while (a save in progress writes its file within moments).
void RemoveStaleTemporaries(const QString& folder) {
    const QByteArray nativeFolder = QFile::encodeName(folder);
    DIR* dir = ::opendir(nativeFolder.constData());
    if (!dir) return;
    const std::time_t before = std::time(nullptr) - kStaleTemporarySeconds;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTemporaryName(entry->d_name)) continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && st.st_mtime < before)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// Makes a new name in target's folder durable, as the contents already are,
// and clears what earlier saves into that folder left behind.
void FinishSave(const QString& target) {
    const QString folder = QFileInfo(target).absolutePath();
    Fd dir(::open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
    RemoveStaleTemporaries(folder);
}

// Creates a new, empty file beside target; empty name when the folder refuses.
QString CreateSibling(const QString& target, Fd& fd) {
    const QFileInfo info(target);
    const QString stem = info.absolutePath() + QStringLiteral("/.") + info.fileName() + u'.';
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name =
            stem + QString::number(QRandomGenerator::global()->generate(), 36) + QLatin1String(kTemporarySuffix);
        const int raw = ::open(Native(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (raw >= 0) {
            fd.Reset(raw);
            return name;
        }
        if (errno != EEXIST) break;
    }
    return {};
}

// The target's state before a save: whether it exists and what it is.
FileError LookAtTarget(const QString& target, struct stat& st, bool& exists) {
    exists = ::stat(Native(target).constData(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) return FileError::NotRegular;
    if (!exists && errno != ENOENT) return FileError::CannotOpen;
    return FileError::None;
}

// The file a save replaces and the new file beside it that takes its place.
struct SaveTarget {
    QString target;
    struct stat st {};
    bool exists = false;
    Fd fd;
    QString sibling;

    FileError Prepare(const QString& path) {
        target = ResolveTarget(path);
        if (const FileError e = LookAtTarget(target, st, exists); e != FileError::None) return e;
        sibling = CreateSibling(target, fd);
        return sibling.isEmpty() ? FileError::CannotOpen : FileError::None;
    }
};

// Overwrites a hard-linked file where it is, so that all its names see the
// new contents; the previous contents are put back if that fails.
FileError RewriteInPlace(const QString& target, QByteArrayView bytes) {
    Fd fd(::open(Native(target).constData(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) return FileError::CannotOpen;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return FileError::NotRegular;
    QByteArray old(qsizetype(st.st_size), Qt::Uninitialized);
    if (::pread(fd.get(), old.data(), std::size_t(old.size()), 0) != ssize_t(old.size())) return FileError::ReadFailed;
    if (WriteChecked(fd.get(), bytes)) return fd.Close() ? FileError::None : FileError::WriteFailed;
    WriteChecked(fd.get(), old);
    return FileError::WriteFailed;
}

}  // namespace

FileBytes ReadRegularFile(const QString& path, qint64 maxBytes) { return ReadPosix(path, maxBytes, false, nullptr); }

FileBytes ReadRegularFileHead(const QString& path, qint64 headBytes, qint64* fileSize) {
    return ReadPosix(path, headBytes, true, fileSize);
}

FileStamp GetFileStamp(const QString& path) {
    struct stat st {};
    FileStamp stamp;
    if (::stat(Native(path).constData(), &st) != 0) return stamp;
    stamp.exists = true;
    stamp.device = qint64(st.st_dev);
    stamp.inode = qint64(st.st_ino);
    stamp.size = qint64(st.st_size);
#ifdef Q_OS_DARWIN
    stamp.modifiedNs = qint64(st.st_mtimespec.tv_sec) * 1000000000 + st.st_mtimespec.tv_nsec;
    stamp.changedNs = qint64(st.st_ctimespec.tv_sec) * 1000000000 + st.st_ctimespec.tv_nsec;
#else
    stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.changedNs = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
#endif
    return stamp;
}

FileError CheckWritableTarget(const QString& path) {
    SaveTarget save;
    if (const FileError e = save.Prepare(path); e != FileError::None) return e;
    ::unlink(Native(save.sibling).constData());
    return FileError::None;
}

FileError WriteFileSafely(const QString& path, QByteArrayView bytes) {
    SaveTarget save;
    if (const FileError e = save.Prepare(path); e != FileError::None) return e;
    const QString& target = save.target;
    const struct stat& st = save.st;
    const bool exists = save.exists;
    Fd& fd = save.fd;
    const QByteArray nativeSibling = Native(save.sibling);
    const auto fail = [&](FileError error) {
        fd.Close();
        ::unlink(nativeSibling.constData());
        return error;
    };
    if (exists) {
        // Keep who owns the file and who may read it; a user who may not give
        // the file away (not its owner, not root) keeps at least the mode.
        if (::fchown(fd.get(), st.st_uid, st.st_gid) != 0 && errno != EPERM) return fail(FileError::WriteFailed);
        if (::fchmod(fd.get(), st.st_mode & 07777) != 0) return fail(FileError::WriteFailed);
    }
    if (!WriteChecked(fd.get(), bytes) || !fd.Close()) return fail(FileError::WriteFailed);

    if (exists && st.st_nlink > 1) {
        // The full new contents are on disk beside it, so the space is there.
        const FileError e = RewriteInPlace(target, bytes);
        ::unlink(nativeSibling.constData());
        if (e == FileError::None) RemoveStaleTemporaries(QFileInfo(target).absolutePath());
        return e;
    }
    if (::rename(nativeSibling.constData(), Native(target).constData()) != 0) return fail(FileError::WriteFailed);
    FinishSave(target);
    return FileError::None;
}

FileError WriteNewFileSafely(const QString& path, QByteArrayView bytes) {
    Fd fd;
    const QString sibling = CreateSibling(path, fd);
    if (sibling.isEmpty()) return FileError::CannotOpen;
    const QByteArray from = Native(sibling), to = Native(path);
    FileError result = FileError::None;
    if (!WriteChecked(fd.get(), bytes) || !fd.Close()) {
        result = FileError::WriteFailed;
    } else if (::link(from.constData(), to.constData()) == 0) {
        // The complete file got the name; the temporary name goes below.
    } else if (errno == EEXIST) {
        result = FileError::Exists;
    } else {
#ifdef RENAME_NOREPLACE
        // A file system without hard links (FAT) may still rename without replacing.
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0) {
            FinishSave(path);
            return FileError::None;
        }
        result = errno == EEXIST ? FileError::Exists : FileError::WriteFailed;
#else
        result = FileError::WriteFailed;
#endif
    }
    ::unlink(from.constData());
    if (result == FileError::None) FinishSave(path);
    return result;
}

#endif
