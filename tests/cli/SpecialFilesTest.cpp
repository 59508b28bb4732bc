// Special files handed to the real programs as inputs and outputs: each run
// must end promptly with a clear message and its status, and leave the file
// what it was.
#include "CliProcesses.h"
#include "support/SpecialFiles.h"

#include "model/ConfigFile.h"

#include <gtest/gtest.h>

#include <QFileInfo>

namespace {

QStringList Args(std::initializer_list<QString> args) { return args; }

}  // namespace

TEST(SpecialFiles, AsConfigurationFilesLogsAndSkins) {
    SpecialFiles special;
    SimProcess sim({QStringLiteral("--stats")});
    const QString port = sim.port();
    struct Case {
        QStringList args;
        int status;
        const char* message;
    };
    std::vector<Case> cases = {
        {Args({"show", special.fifo()}), 66, "not a regular file"},
        {Args({"show", special.zeroLink()}), 66, "not a regular file"},
        {Args({"show", "/dev/null"}), 66, "not a regular file"},
        {Args({"write", "--port", port, special.fifo(), "--yes"}), 66, "Error opening file!"},
        {Args({"skin-check", special.fifo()}), 66, "fifo: not a regular file"},
        {Args({"skin-check", special.zeroLink()}), 66, "zero: not a regular file"},
        {Args({"skin-check", special.Path("absent.xml")}), 66, "Error opening file!"},
        {Args({"read", "--port", port, "-o", special.fifo()}), 73, "Error saving file!"},
        {Args({"read", "--port", port, "-o", special.zeroLink()}), 73, "not a regular file"},
        {Args({"read", "--port", port, "-o", special.Path("ok.vkcfg"), "--log", special.fifo()}), 73,
         "cannot be written: not a regular file"},
        {Args({"set-time", "--port", port, "--log", special.Path("none/x.log")}), 73,
         "cannot be written: No such file or directory"},
    };
    if (special.haveDevice())
        cases.push_back({Args({"read", "--port", port, "-o", special.device()}), 73, "not a regular file"});
    for (const Case& c : cases) {
        const CtlResult result = RunCtl(c.args);
        EXPECT_EQ(result.exitCode, c.status) << qPrintable(c.args.join(u' ')) << "\n" << qPrintable(result.err);
        EXPECT_TRUE(result.err.contains(QLatin1String(c.message))) << qPrintable(c.args.join(u' ')) << "\n"
                                                                   << qPrintable(result.err);
    }
    EXPECT_TRUE(special.Intact());
    // The refused outputs were refused before the device was asked anything.
    EXPECT_TRUE(sim.Stop().startsWith(QStringLiteral("requests=0 ")));
}

TEST(SpecialFiles, SavingKeepsHardLinksOwnerAndMode) {
    SpecialFiles special;
    SimProcess sim;
    const QString file = special.Path("rack.vkcfg");
    const QString other = special.Path("same.vkcfg");
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    ASSERT_EQ(::link(QFile::encodeName(file).constData(), QFile::encodeName(other).constData()), 0);
    ASSERT_EQ(RunCtl(Args({"read", "--port", sim.port(), "-o", other})).exitCode, 0);
    EXPECT_EQ(QFileInfo(file).size(), qint64(kConfigFileSize)) << "both names see the new file";
    EXPECT_EQ(QFileInfo(file).permissions(),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);
}

// A full disk behind standard output: what was printed did not arrive, so
// the command fails, whether it printed a little or a lot.
TEST(SpecialFiles, AFullStandardOutputFailsTheCommand) {
    if (!QFileInfo::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "no /dev/full here";
    SpecialFiles special;
    const QString rack = special.Path("rack.vkcfg");
    ASSERT_EQ(RunProgram(BinaryPath("vkx520sim"), {QStringLiteral("--write-demo"), rack}).exitCode, 0);
    for (const QStringList& args : {Args({"export", rack}), Args({"show", rack}), Args({"--version"})}) {
        const CtlResult result = RunCtl(args, QStringLiteral("/dev/full"));
        EXPECT_EQ(result.exitCode, 73) << qPrintable(args.join(u' '));
        EXPECT_EQ(result.err.count(QLatin1String("vkx520ctl: standard output: No space left on device")), 1)
            << qPrintable(result.err);
    }
}

// The settings and language files the command-line tool reads beside itself.
TEST(SpecialFiles, AsSettingsAndLanguageFilesBesideTheProgram) {
    SpecialFiles special;
    const QString program = special.Path("vkx520ctl");
    ASSERT_TRUE(QFile::copy(BinaryPath("vkx520ctl"), program));
    ASSERT_TRUE(QFile::copy(BinaryPath("VKX520Setup.lna"), special.Path("VKX520Setup.lna")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), special.Path("Deutsch.lng")));
    SimProcess sim;
    const QString saved = special.Path("rack.vkcfg");
    ASSERT_EQ(RunCtl(Args({"read", "--port", sim.port(), "-o", saved})).exitCode, 0);
    for (const QString& settings : {special.fifo(), special.zeroLink()}) {
        QFile::remove(special.Path("VKX520Setup.ini"));
        ASSERT_TRUE(QFile::link(settings, special.Path("VKX520Setup.ini")));
        const CtlResult result = RunProgram(program, Args({"show", saved}));
        EXPECT_EQ(result.exitCode, 0) << qPrintable(settings) << qPrintable(result.err);
        EXPECT_TRUE(result.out.contains(QLatin1String("Input modules"))) << qPrintable(result.out);
    }
    {
        QFile::remove(special.Path("VKX520Setup.ini"));
        QFile ini(special.Path("VKX520Setup.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Language]\r\nLangID=Deutsch\r\n");
    }
    const CtlResult result = RunProgram(program, Args({"show", special.Path("absent.vkcfg")}));
    EXPECT_EQ(result.exitCode, 66);
    EXPECT_TRUE(result.err.contains(QLatin1String("Error opening file!")))
        << "English when the translation is unusable";
    EXPECT_TRUE(special.Intact());
}
