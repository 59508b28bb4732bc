// Feeds arbitrary bytes to the skin loader as modules.xml, from memory and
// from a file, then runs the checker on both (they must agree) and lays out a
// fixed configuration with whatever skin came out, asking for every item and
// sub-item rectangle. One picture lies beside the file, so that a skin naming
// it reaches the picture checks too.
#include "fuzz/FuzzInputFile.h"
#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "skin/SkinLayout.h"
#include "skin/SkinCheck.h"
#include "tests/skin/BmpBuilder.h"

#include <QDir>

#include <cstdint>
#include <cstdlib>

namespace {

class SilentPresenter : public MessagePresenter {
public:
    int Present(unsigned, const QString&, const QString&, unsigned style) override { return DefaultAnswer(style); }
};

// The folder of the skin file, with pictures/in_sdi_hd8.bmp (8 x 4, 24 bits) in it.
const QString& SkinFolder() {
    static const QString folder = [] {
        BmpFields fields;
        fields.width = 8;
        fields.height = 4;
        fields.rows.assign(4, std::vector<uint8_t>(24, 0x80));
        const QByteArray bmp = BuildBmp(fields);
        if (!QDir(FuzzFolder()).mkpath(QStringLiteral("pictures"))) std::abort();
        WriteFuzzFile(QStringLiteral("pictures/in_sdi_hd8.bmp"), reinterpret_cast<const uint8_t*>(bmp.constData()),
                      size_t(bmp.size()));
        return FuzzFolder();
    }();
    return folder;
}

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
    SkinLayout layout;
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
    skin.LoadSkinData(xml, SkinFolder());
    QStringList problems = CheckSkinMarkup(xml);
    const QStringList treeProblems = CheckSkinTree(skin);
    // The file checker reads the file and loads it through LoadSkinFile; it
    // leaves out the tree checks when the markup has problems and no skin came out.
    if (!skin.IsEmpty() || problems.isEmpty()) problems << treeProblems;
    if (CheckSkinFile(WriteFuzzFile(QStringLiteral("modules.xml"), data, size)) != problems) std::abort();
    ExerciseLayout(skin);
    return 0;
}
