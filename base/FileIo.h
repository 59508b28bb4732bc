// Reading and writing the files users hand us. Every reader of outside input
// goes through ReadRegularFile so that a device node, a FIFO without a writer
// or an endless file can neither hang the program nor exhaust its memory, and
// every file we write goes through WriteFileSafely so that a full disk or a
// failing write never leaves less than the previous file behind.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

enum class FileError {
    None,
    CannotOpen,  // missing, unreadable, or its folder cannot take a new file
    NotRegular,  // a folder, device node, FIFO or socket
    TooLarge,    // larger than the reader's stated limit
    ReadFailed,
    WriteFailed,  // short write, flush or close failure (a full disk)
    Exists,       // a new file was to be created and that name is taken
};

// Why a file could not be used, in a few words for logs and the command line.
const char* FileErrorText(FileError error);

// The same for one file, in the system's words where the system can say more
// than "cannot be opened" (no such file or folder, permission denied, a
// read-only file system): asked again, right after the failure, of the file
// when it was to be read, of its folder when it was to be written.
enum class FileUse { Read, Write };
QString DescribeFileError(const QString& path, FileError error, FileUse use);

struct FileBytes {
    QByteArray bytes;
    FileError error = FileError::None;
    bool ok() const { return error == FileError::None; }
};

// Reads the whole file if it is a regular file (symbolic links followed) of at
// most maxBytes bytes. With truncateAt set, a larger file is not an error:
// only its first truncateAt bytes are returned (for formats whose tail is
// ignored). The file is opened without blocking and checked before any read.
FileBytes ReadRegularFile(const QString& path, qint64 maxBytes);
FileBytes ReadRegularFileHead(const QString& path, qint64 headBytes, qint64* fileSize = nullptr);

// Replaces path with bytes. The new contents are written beside the target,
// flushed and checked for size before they take its place, so any failure
// leaves the old file as it was. Only regular files are replaced (a symbolic
// link is followed to its target); an existing file keeps its owner and
// permissions, and a file with several hard links is rewritten in place
// (after the new contents proved they fit) so that every link sees them.
FileError WriteFileSafely(const QString& path, QByteArrayView bytes);

// Creates path with bytes only when no file of that name exists (Exists
// otherwise): nothing is ever replaced, so writers racing for one name each
// learn whether they got it. The contents are complete before the name
// appears.
FileError WriteNewFileSafely(const QString& path, QByteArrayView bytes);

// Both writers leave their new contents in ".NAME.<random>.tmp" beside the
// target until they take its place; a save that was killed leaves that file
// behind. After each successful save, such files of this user in the same
// folder that have not changed for this long are removed.
inline constexpr int kStaleTemporarySeconds = 60;

// Whether WriteFileSafely could replace or create path: the target is a
// regular file or absent, and its folder takes a new file. Writes nothing
// that stays.
FileError CheckWritableTarget(const QString& path);

// What tells two versions of a file apart without reading it: identity,
// size and the times of the last change to contents and status.
struct FileStamp {
    bool exists = false;
    qint64 device = 0, inode = 0, size = 0, modifiedNs = 0, changedNs = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp GetFileStamp(const QString& path);

// Asked before each write() of WriteFileSafely and WriteNewFileSafely; a
// write it refuses fails as on a full disk. None is installed unless someone
// (a test of what a full disk does) installs one.
class FileWriteHook {
public:
    virtual ~FileWriteHook() = default;
    virtual bool MayWrite() = 0;
};
// Installs hook (nullptr removes it) and returns the one it replaces.
FileWriteHook* SetFileWriteHook(FileWriteHook* hook);
