// vkx520ctl labels export and import, the real program on the simulator's
// demonstration file: the same file back, a changed label taken, a refused
// row named and nothing written.
#include "CliProcesses.h"

#include "base/ExitCodes.h"
#include "model/CMainDoc.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

TEST(LabelsCsv, ExportImportKeepTheFileTakeAnEditAndRefuseABadRow) {
    QTemporaryDir dir;
    const QString rack = dir.filePath(QStringLiteral("rack.vkcfg")), sheet = dir.filePath(QStringLiteral("l.csv")),
                  out = dir.filePath(QStringLiteral("out.vkcfg"));
    ASSERT_EQ(RunProgram(BinaryPath("vkx520sim"), {QStringLiteral("--write-demo"), rack}).exitCode, 0);
    const QByteArray original = ReadTestFile(rack);
    const QString labels = QStringLiteral("labels");

    ASSERT_EQ(RunCtl({labels, QStringLiteral("export"), rack, QStringLiteral("-o"), sheet}).exitCode, 0);
    // Standard output is the same, less the byte order mark that reading it as text drops.
    EXPECT_EQ("\xEF\xBB\xBF" + RunCtl({labels, QStringLiteral("export"), rack}).out.toUtf8(), ReadTestFile(sheet));
    ASSERT_EQ(RunCtl({labels, QStringLiteral("import"), sheet, rack}).exitCode, 0);
    EXPECT_EQ(ReadTestFile(rack), original);

    QByteArray edited = ReadTestFile(sheet);
    const qsizetype row = edited.indexOf("\r\npanel,2,");
    ASSERT_GT(row, 0);
    edited.insert(edited.indexOf("\r\n", row + 2), "\"\"");  // an unquoted field with a quote
    ASSERT_TRUE(WriteTestFile(sheet, edited));
    CtlResult result = RunCtl({labels, QStringLiteral("import"), sheet, rack, QStringLiteral("-o"), out});
    EXPECT_EQ(result.exitCode, EXIT_DATA_ERROR);
    EXPECT_TRUE(result.err.contains(QStringLiteral("l.csv: Row 19, column 5: a quote inside a field")))
        << qPrintable(result.err);
    EXPECT_FALSE(QFile::exists(out));

    edited = ReadTestFile(sheet).replace("Guest Mic 1\"\"", "\"G\xC3\xA4st, \"\"1\"\"\"");
    ASSERT_TRUE(WriteTestFile(sheet, edited));
    ASSERT_EQ(RunCtl({labels, QStringLiteral("import"), sheet, rack, QStringLiteral("-o"), out}).exitCode, 0);
    EXPECT_EQ(ReadTestFile(rack), original);
    CMainDoc doc;
    ASSERT_TRUE(doc.LoadFile(out));
    EXPECT_EQ(doc.GetPanelLabel(1, true), "G\xE4st, \"1\"");
    EXPECT_EQ(RunCtl({labels, QStringLiteral("import"), dir.filePath(QStringLiteral("none.csv")), rack}).exitCode,
              EXIT_NO_INPUT);
}

}  // namespace
