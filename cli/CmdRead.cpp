// vkx520ctl read: Connect on an empty document, saved to a file.
#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDevice.h"
#include "cli/ConfigFileArg.h"
#include "cli/ExitCodes.h"
#include "link/DeviceOperation.h"
#include "skin/AudioKinds.h"
#include "skin/Skin.h"

namespace {

constexpr VerbSyntax kReadSyntax{"vkx520ctl read --port PORT -o FILE.vkcfg [--skin modules.xml] [--log FILE]",
                                 OPT_PORT | OPT_OUTPUT | OPT_SKIN | OPT_LOG, OPT_PORT | OPT_OUTPUT, 0};

// Connect's device part on an empty document. The port is closed on return.
int ReadFromDevice(const QString& port, const CSkin& skin, ConfigImage& image) {
    image.Clear();
    CliLink link(port);
    if (const int code = link.Run(OPER_READ_CONFIG, image); code != LINK_OK) return code;
    if (FillAudioKinds(skin, image)) {
        // Its failure is reported but does not stop the command: the slots not
        // read keep their audio bytes 0.
        link.Run(OPER_READ_MODULE_DATA, image);
    }
    return LINK_OK;
}

}  // namespace

int RunRead(const QStringList& args) {
    VerbOptions options;
    if (!ParseVerbArgsOrComplain(args, kReadSyntax, options)) return EXIT_USAGE;
    ApplyLogOption(options.log);
    // A file that could not be saved would waste the read: find out first.
    if (const int status = CheckOutputFileArg(options.output); status != EXIT_OK) return status;
    CSkin skin;  // a missing skin leaves the audio kinds 0
    skin.LoadSkinFile(SkinPathArg(options), CSkin::SkinPictures::Skip);

    ConfigImage image;
    if (const int code = ReadFromDevice(options.port, skin, image); code != LINK_OK) return code;
    CMainDoc doc;
    doc.ReadCfg(image, false);
    return SaveConfigFileArg(doc, options.output);
}
