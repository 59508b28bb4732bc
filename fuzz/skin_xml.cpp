// Feeds arbitrary bytes to the skin loader as modules.xml, then runs the
// checker and lays out a fixed configuration with whatever skin came out,
// asking for every item and sub-item rectangle.
#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "skin/Layout.h"
#include "skin/SkinCheck.h"

#include <cstdint>

namespace {

class SilentPresenter : public MessagePresenter {
public:
    int Present(unsigned, const QString&, const QString&, unsigned style) override { return DefaultAnswer(style); }
};

// Input slots with small codes (the fuzzer finds IDs 1..8 easily), some
// unknown codes, outputs, and embedded audio on two slots.
CMainDoc& FixedDocument() {
    static CMainDoc doc;
    static bool ready = false;
    if (!ready) {
        ConfigImage image;
        image.Clear();
        for (int s = 0; s < kSlotCount; ++s) {
            image.inputModules[s] = {uint8_t(s + 1), uint8_t(s % 5)};
            image.outputModules[s].code = uint8_t(s % 2 ? 0 : 200 + s);
        }
        image.audioKinds[1] = image.audioKinds[2] = kAudioKindEmbedded;
        doc.ReadCfg(image, true);
        ready = true;
    }
    return doc;
}

void ExerciseLayout(const CSkin& skin) {
    CSkinLayout layout;
    CMainDoc& doc = FixedDocument();
    layout.BuildLayout(skin, doc);
    for (int item = 0; item < int(layout.items().size()); ++item) {
        for (int sub = SUBITEM_AREA; sub < SUBITEM_AUDIO + kMaxSkinSubItems + 1; ++sub) {
            QRect rect;
            layout.GetItemRect(item, rect, sub, QSize(2000, 1000));
            layout.IsSubItemEnabled(item, sub, doc);
        }
    }
    for (int n = 0; n < kUsableInputs; ++n) layout.EmbeddedAudioCount(n, doc);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SilentPresenter silent;
    SetMessagePresenter(&silent);
    const QByteArrayView xml(reinterpret_cast<const char*>(data), qsizetype(size));
    CSkin skin;
    skin.LoadSkinData(xml, QStringLiteral("/nonexistent-skin-folder"));
    CheckSkinMarkup(xml);
    CheckSkinTree(skin);
    ExerciseLayout(skin);
    return 0;
}
