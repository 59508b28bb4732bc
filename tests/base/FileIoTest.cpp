#include "base/FileIo.h"
#include "support/FailingWrites.h"
#include "support/SpecialFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>

#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void Put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Only the files a test made: no temporary file may be left beside them.
QStringList Names(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace

TEST(FileIo, ReadersTakeRegularFilesUpToTheirLimitOnly) {
    SpecialFiles special;
    Put(special.Path("small"), "0123456789");
    struct Case {
        QString path;
        qint64 limit;
        FileError error;
    } const cases[] = {
        {special.Path("small"), 10, FileError::None},
        {special.Path("small"), 9, FileError::TooLarge},
        {special.Path("absent"), 10, FileError::CannotOpen},
        {special.Path(""), 10, FileError::NotRegular},  // the folder
        {special.fifo(), 10, FileError::NotRegular},    // must not wait for a writer
        {special.zeroLink(), 1 << 20, FileError::NotRegular},
        {QStringLiteral("/dev/null"), 10, FileError::NotRegular},
    };
    for (const Case& c : cases) {
        const FileBytes read = ReadRegularFile(c.path, c.limit);
        EXPECT_EQ(read.error, c.error) << qPrintable(c.path) << " limit " << c.limit;
        EXPECT_EQ(read.bytes, c.error == FileError::None ? QByteArray("0123456789") : QByteArray());
    }
    qint64 size = 0;
    const FileBytes head = ReadRegularFileHead(special.Path("small"), 4, &size);
    EXPECT_EQ(head.bytes, "0123");
    EXPECT_EQ(size, 10);
    EXPECT_EQ(ReadRegularFileHead(special.fifo(), 4).error, FileError::NotRegular);
}

TEST(FileIo, SaveRefusesSpecialFilesAndLeavesThemAsTheyWere) {
    SpecialFiles special;
    for (const QString& target : {special.fifo(), special.zeroLink(), special.device(), special.Path("")}) {
        if (target == special.device() && !special.haveDevice()) continue;
        EXPECT_EQ(CheckWritableTarget(target), FileError::NotRegular) << qPrintable(target);
        EXPECT_EQ(WriteFileSafely(target, "new"), FileError::NotRegular) << qPrintable(target);
    }
    EXPECT_TRUE(special.Intact());
    EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/zero")).isReadable());
}

TEST(FileIo, ReplacingKeepsModeLinksAndTheOldFileOnFailure) {
    QTemporaryDir dir;
    const QString file = dir.filePath("a.vkcfg");
    const QString second = dir.filePath("b.vkcfg");  // another name of the same file
    const QString link = dir.filePath("link.vkcfg");
    Put(file, "old contents");
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
    const auto before = QFile::permissions(file);

    FailNthFileWrite fullDisk(1);
    EXPECT_EQ(WriteFileSafely(file, "new contents, longer than before"), FileError::WriteFailed);
    EXPECT_EQ(Contents(file), "old contents");
    EXPECT_EQ(Names(dir.path()), QStringList{"a.vkcfg"}) << "the unfinished file must go";

    EXPECT_EQ(WriteFileSafely(file, "new"), FileError::None);
    EXPECT_EQ(Contents(file), "new");
    EXPECT_EQ(QFile::permissions(file), before);

    ASSERT_EQ(::link(QFile::encodeName(file).constData(), QFile::encodeName(second).constData()), 0);
    ASSERT_TRUE(QFile::link(file, link));
    EXPECT_EQ(WriteFileSafely(second, "through the second name"), FileError::None);
    EXPECT_EQ(Contents(file), "through the second name");
    EXPECT_EQ(WriteFileSafely(link, "through the link"), FileError::None);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(Contents(second), "through the link");
    EXPECT_EQ(Names(dir.path()), (QStringList{"a.vkcfg", "b.vkcfg", "link.vkcfg"}));
}

TEST(FileIo, NewFilesNeverReplaceOne) {
    QTemporaryDir dir;
    const QString file = dir.filePath("backup.vkcfg");
    EXPECT_EQ(WriteNewFileSafely(file, "first"), FileError::None);
    EXPECT_EQ(WriteNewFileSafely(file, "second"), FileError::Exists);
    EXPECT_EQ(Contents(file), "first");
    EXPECT_EQ(Names(dir.path()), QStringList{"backup.vkcfg"});
}

// A save that was killed leaves its temporary file; the next save into that
// folder removes it once it has not changed for a minute, and only files of
// the saves' own naming.
TEST(FileIo, SavesClearWhatKilledSavesLeft) {
    const struct {
        const char* name;
        int ageSecs;
        bool stays;
    } files[] = {
        {".rack.vkcfg.1x9qk3.tmp", 120, false},
        {".VKX520Setup.ini.0.tmp", 3600, false},
        {".rack.vkcfg.abc.tmp", 10, true},        // a save in progress
        {".rack.vkcfg.1X9QK3.tmp", 120, true},    // not our naming: capitals,
        {".rack.vkcfg.1x9qk3zz.tmp", 120, true},  // more than 32 bits,
        {".1x9qk3.tmp", 120, true},               // no name before it
        {"rack.vkcfg.1x9qk3.tmp", 120, true},     // not hidden
    };
    using Writer = FileError (*)(const QString&, QByteArrayView);
    for (const Writer write : {Writer(&WriteFileSafely), Writer(&WriteNewFileSafely)}) {
        QTemporaryDir dir;
        for (const auto& file : files) {
            const QString path = dir.filePath(QLatin1String(file.name));
            Put(path, "left");
            const timespec when{std::time(nullptr) - file.ageSecs, 0};
            const timespec times[2] = {when, when};
            ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
        }
        ASSERT_EQ(write(dir.filePath("rack.vkcfg"), "new"), FileError::None);
        for (const auto& file : files)
            EXPECT_EQ(QFileInfo::exists(dir.filePath(QLatin1String(file.name))), file.stays) << file.name;
    }
}

// A real full disk: a small tmpfs (needs root, as CI has).
TEST(FileIo, FullDiskKeepsTheOldFile) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
    QTemporaryDir dir;
    if (QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=64k", "tmpfs", dir.path()}) != 0)
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    const QString file = dir.filePath("rack.vkcfg");
    const QByteArray old(2806, 'o');
    Put(file, old);
    {
        QFile filler(dir.filePath("filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size() && filler.flush()) {}
    }
    EXPECT_EQ(WriteFileSafely(file, QByteArray(2806, 'n')), FileError::WriteFailed);
    EXPECT_EQ(Contents(file), old);
    EXPECT_EQ(Names(dir.path()), (QStringList{"filler", "rack.vkcfg"}));
    QProcess::execute(QStringLiteral("umount"), {dir.path()});
}
