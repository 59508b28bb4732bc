// vkx520ctl's argument handling: options in any order, both spellings of a
// value, and every kind of usage error; port names; answers to a question.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "cli/TerminalPresenter.h"
#include "link/SerialPorts.h"
#include "model/ConfigFile.h"
#include "support/TempProfile.h"

#include <gtest/gtest.h>

namespace {

constexpr VerbSyntax kRead{"read", OPT_PORT | OPT_OUTPUT | OPT_SKIN | OPT_LOG, OPT_PORT | OPT_OUTPUT, 0};
constexpr VerbSyntax kWrite{"write", OPT_PORT | OPT_YES | OPT_LOG, OPT_PORT, 1};
constexpr VerbSyntax kShow{"show", OPT_JSON | OPT_SKIN, 0, 1};

QStringList Split(const char* text) { return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts); }

struct AcceptedCase {
    const char* name;
    const VerbSyntax* syntax;
    const char* args;
    const char* port;
    const char* output;
    const char* file;
    bool yes;
    bool json;
};

class AcceptedArgs : public testing::TestWithParam<AcceptedCase> {};

TEST_P(AcceptedArgs, FillTheOptions) {
    const AcceptedCase& c = GetParam();
    VerbOptions options;
    QString error;
    ASSERT_TRUE(ParseVerbArgs(Split(c.args), *c.syntax, options, error)) << qPrintable(error);
    EXPECT_EQ(options.port, QLatin1String(c.port));
    EXPECT_EQ(options.output, QLatin1String(c.output));
    EXPECT_EQ(options.files.value(0), QLatin1String(c.file));
    EXPECT_EQ(options.yes, c.yes);
    EXPECT_EQ(options.json, c.json);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, AcceptedArgs,
    testing::Values(
        AcceptedCase{"ReadInOrder", &kRead, "--port COM2 -o a.vkcfg", "COM2", "a.vkcfg", "", false, false},
        AcceptedCase{"OptionsInAnyOrder", &kRead, "-o a.vkcfg --port /dev/pts/4", "/dev/pts/4", "a.vkcfg", "", false,
                     false},
        AcceptedCase{"ValuesAfterEquals", &kRead, "--port=COM1 --output=b.vkcfg", "COM1", "b.vkcfg", "", false, false},
        AcceptedCase{"WriteWithFileFirst", &kWrite, "x.vkcfg --yes --port COM3", "COM3", "", "x.vkcfg", true, false},
        AcceptedCase{"DashDashEndsOptions", &kWrite, "--port COM3 -- --odd.vkcfg", "COM3", "", "--odd.vkcfg", false,
                     false},
        AcceptedCase{"ShowJson", &kShow, "--json c.vkcfg", "", "", "c.vkcfg", false, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct RejectedCase {
    const char* name;
    const VerbSyntax* syntax;
    const char* args;
    const char* error;  // a part of the message
};

class RejectedArgs : public testing::TestWithParam<RejectedCase> {};

TEST_P(RejectedArgs, AreUsageErrors) {
    const RejectedCase& c = GetParam();
    VerbOptions options;
    QString error;
    EXPECT_FALSE(ParseVerbArgs(Split(c.args), *c.syntax, options, error));
    EXPECT_TRUE(error.contains(QLatin1String(c.error))) << qPrintable(error);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, RejectedArgs,
    testing::Values(RejectedCase{"PortMissing", &kRead, "-o a.vkcfg", "--port is required"},
                    RejectedCase{"OutputMissing", &kRead, "--port COM1", "-o is required"},
                    RejectedCase{"ValueMissing", &kRead, "-o a.vkcfg --port", "--port needs a value"},
                    RejectedCase{"EmptyValue", &kRead, "-o a.vkcfg --port=", "--port needs a value"},
                    RejectedCase{"UnknownOption", &kRead, "--port COM1 -o a --fast", "unknown option --fast"},
                    RejectedCase{"OptionOfAnotherVerb", &kRead, "--port COM1 -o a --yes", "--yes does not apply"},
                    RejectedCase{"GivenTwice", &kRead, "--port COM1 --port COM2 -o a", "--port is given twice"},
                    RejectedCase{"FlagWithValue", &kWrite, "--port COM1 --yes=no f", "unknown option --yes"},
                    RejectedCase{"FileMissing", &kWrite, "--port COM1", "a file name is missing"},
                    RejectedCase{"ExtraFile", &kShow, "a.vkcfg b.vkcfg", "unexpected argument b.vkcfg"},
                    RejectedCase{"FileWhereNoneIsTaken", &kRead, "--port COM1 -o a stray",
                                 "unexpected argument stray"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PortArgument, ComNamesAreIndexesAndEverythingElseAPath) {
    const struct {
        const char* arg;
        int index;
        const char* path;
    } cases[] = {{"COM1", 0, ""},
                 {"com8", 7, ""},
                 {"Com3", 2, ""},
                 {"COM9", 0, "COM9"},
                 {"COM0", 0, "COM0"},
                 {"COM10", 0, "COM10"},
                 {"/dev/pts/7", 0, "/dev/pts/7"}};
    for (const auto& c : cases) {
        const PortChoice choice = ResolvePortArg(QLatin1String(c.arg));
        EXPECT_EQ(choice.index, c.index) << c.arg;
        EXPECT_EQ(choice.devicePath, QLatin1String(c.path)) << c.arg;
    }
}

// A COM name means what a first start makes it mean; a command that only
// looks at the device (write --dry-run, as diff) does not store that mapping.
TEST(PortArgument, ADryRunLeavesAFirstStartsMappingUnstored) {
    TempProfile profile;
    struct UsbAdapter : PortDiscovery {
        QList<SerialPortRecord> AvailablePorts() override {
            SerialPortRecord port;
            port.device = QStringLiteral("/nonexistent/ttyUSB0");
            port.hasUsbIds = true;
            return {port};
        }
    } found;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("template.vkcfg"));
    ConfigImage image;
    image.Clear();
    const char noLabels[kInputLabelBytes] = {};
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(SerializeConfigFile(image, noLabels, noLabels));
    file.close();
    SetDefaultPortDiscovery(&found);
    const int status = RunWrite({path, QStringLiteral("--port"), QStringLiteral("COM1"), QStringLiteral("--dry-run")});
    SetDefaultPortDiscovery(nullptr);
    EXPECT_EQ(status, LINK_ERR_PORT) << "COM1 is the adapter, which is not there";
    ForgetProfileCache();
    EXPECT_EQ(
        AppProfile().GetString(QStringLiteral("Ports"), QStringLiteral("COM1"), QStringLiteral("-")).toStdString(),
        "-");
}

TEST(TerminalQuestion, OnlyYesMeansYes) {
    const struct {
        const char* line;
        int answer;
    } cases[] = {{"y\n", IDYES},  {"Yes\n", IDYES}, {"  YES  \n", IDYES}, {"n\n", IDNO}, {"\n", IDNO},
                 {"yep\n", IDNO}, {"", IDNO}};
    for (const auto& c : cases) EXPECT_EQ(AnswerOfLine(QLatin1String(c.line)), c.answer) << c.line;
}

}  // namespace
