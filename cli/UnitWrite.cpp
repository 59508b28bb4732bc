#include "cli/UnitWrite.h"

#include "base/ExitCodes.h"
#include "cli/CliDevice.h"
#include "lang/UiText.h"
#include "link/DeviceOperation.h"
#include "link/DeviceRead.h"
#include "model/ConfigBackups.h"
#include "res/resource.h"
#include "skin/Skin.h"

#include <QDir>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

// After a write the device restarts and stays silent for a while; verify
// asks it again and again until it answers, for at most this long.
constexpr auto kVerifyPatience = std::chrono::seconds(25);
constexpr auto kVerifyPause = std::chrono::milliseconds(500);

// Reads the device back once it answers again and compares it with what was
// written. EXIT_OK when it holds the same, EXIT_VERIFY_DIFFERENT after
// listing the differences, or the link code of the last read when the device
// never answered or stopped answering before all was read.
int VerifyWritten(CliLink& link, const ConfigImage& written, const CSkin& skin, UnitOutput& out) {
    const auto deadline = std::chrono::steady_clock::now() + kVerifyPatience;
    DeviceRead read;
    for (;;) {
        read = ReadDeviceImage(link, skin, true);
        const bool waiting = read.result == LINK_ERR_NO_REPLY || read.result == LINK_ERR_CRC;
        if (!waiting || std::chrono::steady_clock::now() + kVerifyPause >= deadline) break;
        std::this_thread::sleep_for(kVerifyPause);
    }
    if (const LinkResult code = read.WholeResult(); code != LINK_OK) {
        UiMessageBox(LinkErrorTextId(code), MB_OK | MB_ICONSTOP);
        if (read.result == LINK_OK)
            out.Err(QStringLiteral(
                "vkx520ctl: the device's embedded audio settings could not be read; nothing was compared"));
        return code;
    }
    const std::vector<ConfigDifference> differences = CompareConfigs({written}, {read.image}, CompareScope::Device);
    if (differences.empty()) {
        out.Note(LoadUiString(IDS_VERIFY_OK));
        return EXIT_OK;
    }
    out.Err(QStringLiteral("vkx520ctl: the device does not hold the configuration written (written -> device):"));
    for (const QString& line : DifferenceLines(differences, skin.signalNames()).split(u'\n'))
        out.Err(QStringLiteral("vkx520ctl:   ") + line);
    return EXIT_VERIFY_DIFFERENT;
}

void KeepBackup(const ConfigImage& image, const QString& port, UnitOutput& out) {
    FileError error = FileError::None;
    if (!ProgramBackups().Save(image, port, &error).isEmpty()) return;
    out.Err(QStringLiteral("vkx520ctl: no backup of the device's configuration could be kept in %1: %2")
                .arg(QDir::toNativeSeparators(ProgramBackups().folder()), QLatin1String(FileErrorText(error))));
}

}  // namespace

void TerminalOutput::Note(const QString& text) {
    std::printf("%s\n", text.toLocal8Bit().constData());
    std::fflush(stdout);
}

void TerminalOutput::Err(const QString& line) { std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData()); }

UnitOutcome WriteUnit(const ConfigImage& image, const UnitWriteMode& mode, const QString& port, CliLink& link,
                      const CSkin& skin, UnitOutput& out) {
    ConfigImage toWrite = image;
    if (mode.readFirst || mode.dryRun) {
        // Link errors are told by the read itself.
        const DeviceRead read = ReadDeviceImage(link, skin);
        if (const LinkResult code = read.WholeResult(); code != LINK_OK) {
            if (read.result == LINK_OK)
                out.Err(QStringLiteral(
                    "vkx520ctl: the device's embedded audio settings could not be read; nothing was written"));
            return {code, UnitStage::Reading};
        }
        toWrite = TakeConfigParts(image, read.image, mode.parts);
        if (mode.dryRun) {
            const std::vector<ConfigDifference> changes = WriteChanges(read.image, toWrite);
            if (!changes.empty())
                for (const QString& line : DifferenceLines(changes, skin.signalNames()).split(u'\n')) out.List(line);
            return {EXIT_OK, UnitStage::Done, int(changes.size())};
        }
        KeepBackup(read.image, port, out);
    }
    if (const int code = link.Run(OPER_WRITE_CONFIG, toWrite); code != LINK_OK) return {code, UnitStage::Writing};
    out.Note(LoadUiString(IDS_WRITE_DONE));
    if (!mode.verify) return {};
    return {VerifyWritten(link, toWrite, skin, out), UnitStage::Verifying};
}
