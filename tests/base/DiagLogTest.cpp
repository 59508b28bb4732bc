// The diagnostic log: line format, the switch read once, exclusive writing.
#include "base/Settings.h"
#include "base/DiagLog.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QRegularExpression kLine(QStringLiteral(R"(^\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d - (.*)$)"));

class DiagLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ResetLogState();
    }
    void TearDown() override {
        SetAppProfilePath({});
        ResetLogState();
    }
    void UseSettings(const QByteArray& text) {
        const QString ini = dir.filePath(QStringLiteral("test.ini"));
        QFile file(ini);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();
        SetAppProfilePath(ini);
    }
    // The texts of the lines, each checked for its time stamp and CR LF.
    QStringList Texts(const QString& path) {
        QStringList texts;
        const QByteArray all = ReadAll(path);
        for (const QByteArray& line : all.split('\n')) {
            if (line.isEmpty()) continue;
            EXPECT_TRUE(line.endsWith('\r')) << line.constData();
            const auto match = kLine.match(QString::fromLatin1(line.chopped(1)));
            EXPECT_TRUE(match.hasMatch()) << line.constData();
            texts << match.captured(1);
        }
        return texts;
    }
    QTemporaryDir dir;
};

TEST_F(DiagLogTest, LineFormat) {
    const QDateTime when(QDate(2026, 12, 7), QTime(20, 31, 23));
    EXPECT_EQ(FormatLogLine(when, "CDlgOper::OnAbort()"), QByteArray("07.12.2026 20:31:23 - CDlgOper::OnAbort()\r\n"));
    EXPECT_EQ(FormatLogLine(QDateTime(QDate(987, 1, 2), QTime(3, 4, 5)), ""), QByteArray("02.01.0987 03:04:05 - \r\n"));
}

// One test, because the file beside the executable is shared by every
// process of this test program that ctest may run at the same time.
TEST_F(DiagLogTest, SwitchFromTheSettingsReadOnce) {
    const QString besideExe = ExecutableSibling(QStringLiteral(".log"));
    QFile::remove(besideExe);
    for (const QByteArray& settings : {QByteArray("[Debug]\r\nLog=0\r\n"), QByteArray("[Other]\r\nLog=1\r\n")}) {
        ResetLogState();
        UseSettings(settings);
        LogMessage("CDlgOper::OnAbort()");
        EXPECT_FALSE(QFile::exists(besideExe)) << settings.constData();
    }
    UseSettings("[Debug]\r\nLog=1\r\n");
    LogMessage("still off: the switch was read at the first line");
    EXPECT_FALSE(QFile::exists(besideExe));

    ResetLogState();
    LogMessage("CDlgOper::StartCommand(%d, %d)", 1, 2);
    LogMessage("read from %08X, %d bytes", 0xFF0000u, 18);
    EXPECT_EQ(Texts(besideExe), (QStringList{"CDlgOper::StartCommand(1, 2)", "read from 00FF0000, 18 bytes"}));
    QFile::remove(besideExe);
}

TEST_F(DiagLogTest, RedirectedFileAndLongMessages) {
    const QString path = dir.filePath(QStringLiteral("link.log"));
    SetLogFile(path);
    const std::string longText(2000, 'x');
    LogMessage("%s", longText.c_str());
    const QStringList texts = Texts(path);
    ASSERT_EQ(texts.size(), 1);
    EXPECT_EQ(texts[0].size(), 767);
    SetLogFile({});
    LogMessage("dropped");
    EXPECT_EQ(Texts(path).size(), 1);
}

#ifndef _WIN32
TEST_F(DiagLogTest, LineIsDroppedWhileAnotherWriterHoldsTheFile) {
    const QString path = dir.filePath(QStringLiteral("busy.log"));
    SetLogFile(path);
    LogMessage("before");
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    LogMessage("while busy");
    ::close(fd);
    LogMessage("after");
    EXPECT_EQ(Texts(path), (QStringList{"before", "after"}));
}
#endif

TEST_F(DiagLogTest, ConcurrentWritersNeitherInterleaveNorDrop) {
    const QString path = dir.filePath(QStringLiteral("threads.log"));
    SetLogFile(path);
    const auto writer = [](char tag) {
        const std::string text(200, tag);
        for (int i = 0; i < 300; ++i) LogMessage("%s", text.c_str());
    };
    std::thread a(writer, 'a'), b(writer, 'b');
    a.join();
    b.join();
    const QStringList texts = Texts(path);
    EXPECT_EQ(texts.size(), 600) << "the program's own writers wait for each other";
    for (const QString& text : texts)
        EXPECT_TRUE(text == QString(200, u'a') || text == QString(200, u'b')) << qPrintable(text.left(40));
}

}  // namespace
