// Configuration files from anywhere must never crash the loader or leave a
// label without its terminating NUL, and a file must load exactly as its
// bytes do.
#include "fuzz/FuzzInputFile.h"
#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "model/ConfigFile.h"

#include <cstdlib>
#include <cstring>

namespace {
class SilentPresenter : public MessagePresenter {
public:
    int Present(unsigned, const QString&, const QString&, unsigned style) override { return DefaultAnswer(style); }
};

void CheckLabelsTerminated(const CMainDoc& doc) {
    for (int s = 0; s < kSlotCount; ++s)
        for (int i = 0; i < kInputsPerSlot; ++i)
            if (doc.InputLabelField(s, i)[kLabelSize - 1] != 0) std::abort();
    for (int p = 0; p < kPanelInputCount; ++p)
        if (doc.PanelLabelField(p)[kLabelSize - 1] != 0) std::abort();
}

bool SameDocument(const CMainDoc& a, const CMainDoc& b) {
    if (std::memcmp(a.image().bytes(), b.image().bytes(), kConfigImageSize) != 0) return false;
    for (int s = 0; s < kSlotCount; ++s)
        for (int i = 0; i < kInputsPerSlot; ++i)
            if (std::memcmp(a.InputLabelField(s, i), b.InputLabelField(s, i), kLabelSize) != 0) return false;
    for (int p = 0; p < kPanelInputCount; ++p)
        if (std::memcmp(a.PanelLabelField(p), b.PanelLabelField(p), kLabelSize) != 0) return false;
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SilentPresenter presenter;
    SetMessagePresenter(&presenter);
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    CMainDoc fresh;
    const bool loaded = fresh.LoadFileBytes(bytes, QStringLiteral("fuzz.vkcfg"));
    // The codec and the document agree on what a file is, and a parsed file
    // written again gives its bytes back up to the version's size.
    const std::optional<ConfigFileContents> parsed = ParseConfigFile(bytes);
    if (parsed.has_value() != loaded) std::abort();
    if (parsed && parsed->version == kConfigFileVersion2 &&
        SerializeConfigFile(parsed->image, parsed->inputLabels.data(), parsed->panelLabels.data()) !=
            bytes.left(qsizetype(kConfigFileSize)))
        std::abort();
    if (loaded) {
        CheckLabelsTerminated(fresh);
        // Exercise the record with whatever the file held.
        for (int n = 0; n < 20; ++n) (void)fresh.GetInputLabel(n, false);
        (void)fresh.TakeInputLimitWarning();
    }

    // The tail the file reader leaves unread is the tail the loader ignores.
    CMainDoc fromFile;
    if (fromFile.LoadFile(WriteFuzzFile(QStringLiteral("fuzz.vkcfg"), data, size)) != loaded) std::abort();
    if (!SameDocument(fromFile, fresh)) std::abort();

    // The same bytes over a device-bound configuration.
    CMainDoc bound;
    ConfigImage device;
    device.Clear();
    if (size > 0) device.inputModules[0] = {data[0], uint8_t(size % 11)};
    bound.ReadCfg(device, true);
    bound.LoadFileBytes(bytes, QStringLiteral("fuzz.vkcfg"));
    CheckLabelsTerminated(bound);
    if (bound.GetTotalInputs(true) > 64) std::abort();
    return 0;
}
