// vkx520ctl read: Connect on an empty document, saved to a file.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "cli/ConfigFileArg.h"
#include "base/ExitCodes.h"
#include "link/DeviceRead.h"
#include "skin/AudioKinds.h"
#include "skin/Skin.h"

#include <system_error>
#include <thread>

#include <cstdio>
#include <memory>

namespace {

constexpr VerbSyntax kReadSyntax{
    "vkx520ctl read --port PORT -o FILE.vkcfg [--skin modules.xml] [--no-backup] [--log FILE]",
    OPT_PORT | OPT_OUTPUT | OPT_SKIN | OPT_LOG | OPT_NO_BACKUP, OPT_PORT | OPT_OUTPUT, 0};

// The skin matters only once the configuration is in (for the audio kinds),
// so it is read on a thread of its own while the configuration comes over
// the line. Read without pictures it shows no message, so that thread prints
// nothing. A skin that is missing (only the default one may be) leaves the
// audio kinds 0.
class SkinReadMeanwhile {
public:
    explicit SkinReadMeanwhile(const QString& path) : m_path(path) {
        // A plain thread: it needs no event loop, and joining it orders the
        // skin's reads for every tool that checks threads (a QThread's wait
        // is ordered by a lock that such tools cannot see).
        try {
            m_thread = std::thread([this] { m_skin.LoadSkinFile(m_path, CSkin::SkinPictures::Skip); });
        } catch (const std::system_error&) {
            m_skin.LoadSkinFile(m_path, CSkin::SkinPictures::Skip);  // no thread to be had: read it now
        }
    }
    ~SkinReadMeanwhile() { Join(); }
    SkinReadMeanwhile(const SkinReadMeanwhile&) = delete;
    SkinReadMeanwhile& operator=(const SkinReadMeanwhile&) = delete;

    // The skin, once it has been read.
    const CSkin& Get() {
        Join();
        return m_skin;
    }

private:
    void Join() {
        if (m_thread.joinable()) m_thread.join();
    }

    const QString m_path;
    CSkin m_skin;
    std::thread m_thread;
};

// Connect's device part on an empty document. The port is closed on return.
// A failed embedded audio read does not stop the command (as it does not
// stop Connect); the result says so.
DeviceRead ReadIntoDocument(const QString& port, SkinReadMeanwhile& skin, CMainDoc& doc) {
    CliLink link(port);
    const DeviceReadSteps steps{[&link](DeviceCommand command, ConfigImage& image) { return link.Run(command, image); },
                                [&skin](ConfigImage& image) { return FillAudioKinds(skin.Get(), image); }};
    return ReadConfigFromDevice(doc, false, steps);
}

}  // namespace

int RunRead(const QStringList& args) {
    VerbOptions options;
    if (!ParseVerbArgsOrComplain(args, kReadSyntax, options)) return EXIT_USAGE;
    if (const int status = ApplyLogOption(options.log); status != EXIT_OK) return status;
    // A file that could not be saved, or a skin that is not there, would waste the read: find out first.
    if (const int status = CheckSkinArg(options); status != EXIT_OK) return status;
    if (const int status = CheckOutputFileArg(options.output); status != EXIT_OK) return status;
    SkinReadMeanwhile skin(SkinPathArg(options));
    CMainDoc doc;
    const DeviceRead read = ReadIntoDocument(options.port, skin, doc);
    if (read.result != LINK_OK) return read.result;
    if (!options.noBackup) KeepDeviceBackup(read.image, options.port);
    if (const int status = SaveConfigFileArg(doc, options.output); status != EXIT_OK) return status;
    if (!read.audioMissing) return EXIT_OK;
    std::fprintf(stderr, "vkx520ctl: %s is saved without the embedded audio settings, which could not be read\n",
                 options.output.toLocal8Bit().constData());
    return EXIT_AUDIO_MISSING;
}
