// vkx520ctl read: Connect on an empty document, saved to a file.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "cmdline/ConfigFileArg.h"
#include "base/ExitCodes.h"
#include "link/DeviceRead.h"
#include "skin/AudioKinds.h"
#include "skin/Skin.h"
#include "skin/SkinReadAhead.h"

#include <cstdio>
#include <future>
#include <memory>

namespace {

constexpr VerbSyntax kReadSyntax{
    "vkx520ctl read --port PORT -o FILE.vkcfg [--skin modules.xml] [--no-backup] [--log FILE]",
    OPT_PORT | OPT_OUTPUT | OPT_SKIN | OPT_LOG | OPT_NO_BACKUP, OPT_PORT | OPT_OUTPUT, 0};

// Connect's device part on an empty document. The port is closed on return.
// A failed embedded audio read does not stop the command (as it does not
// stop Connect); the result says so. The skin matters only once the
// configuration is in (for the audio kinds), so it is read meanwhile; a skin
// that is missing (only the default one may be) leaves the audio kinds 0.
DeviceRead ReadIntoDocument(const QString& port, SkinReadAhead& skin, CMainDoc& doc) {
    CliLink link(port);
    // The table is made from the skin when the read asks for it, after the configuration.
    auto audioKinds = std::async(std::launch::deferred, [&skin] { return AudioKindTableOf(skin.Get()); });
    return ReadConfigFromDevice(doc, false, link, audioKinds.share());
}

}  // namespace

int RunRead(const QStringList& args) {
    VerbOptions options;
    if (!ParseVerbArgsOrComplain(args, kReadSyntax, options)) return EXIT_USAGE;
    if (const int status = ApplyLogOption(options.log); status != EXIT_OK) return status;
    // A file that could not be saved, or a skin that is not there, would waste the read: find out first.
    if (const int status = CheckSkinArg(options); status != EXIT_OK) return status;
    if (const int status = CheckOutputFileArg(options.output); status != EXIT_OK) return status;
    SkinReadAhead skin(SkinPathArg(options), CSkin::SkinPictures::Skip);
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
