// The skin: every module picture the view can show, where its inputs and
// embedded audio channels sit, the text boxes written over it, its outline
// colours, and the output signal names. Read once from modules.xml beside the
// executable and never changed afterwards; consumers get const access only.
//
// Every rectangle is relative to the top-left corner of the item that shows
// the configuration, and is stored as a QRect built from the skin's
// left/top (inclusive) and right/bottom (exclusive) values, so QRect::width()
// is right - left. Test points with SkinRectContains: QRect::contains() would
// turn an inverted rectangle (right before left) round and find points in it.
#pragma once

#include "base/FileIo.h"
#include "skin/SkinPicture.h"

#include <QByteArrayView>
#include <QRect>
#include <QStringList>

#include <cstdint>
#include <vector>

// Colours are 32-bit values with red in the low byte, then green, then blue.
using SkinColor = uint32_t;
// The same colour as an opaque QRgb (0xAARRGGBB), written out so that the
// core needs no Qt Gui header.
constexpr uint32_t SkinColorToRgb(SkinColor c) {
    return 0xFF000000u | (c & 0xFFu) << 16 | (c & 0xFF00u) | (c >> 16 & 0xFFu);
}

// Whether a skin rectangle holds the point: left and top inside, right and
// bottom outside. A rectangle whose right or bottom lies before its left or
// top holds no point at all.
inline bool SkinRectContains(const QRect& rect, QPoint point) { return !rect.isEmpty() && rect.contains(point); }

// Configuration IDs with a fixed role; module codes are single bytes, so
// they never collide with these.
enum : int {
    SKIN_ID_CARD = 995,            // fixed card between the input and output modules
    SKIN_ID_UNKNOWN_OUTPUT = 996,  // picture for an output module code the skin lacks
    SKIN_ID_UNKNOWN_INPUT = 997,   // picture for an input module code the skin lacks
    SKIN_ID_INPUT_PANEL = 998,
    SKIN_ID_KEY_PANEL = 999,
};

constexpr int kMaxFontFaceLength = 31;  // longer face names are cut
constexpr int kMaxSkinSubItems = 16;    // usable inputs, and audio channels, per configuration

struct SkinLabel {
    QRect box;
    QString fontFace;  // at most kMaxFontFaceLength characters
    int fontSize = 0;  // font cell height in pixels
    SkinColor color = 0;
    SkinColor back = 0;
    SkinColor disabled = 0;  // box colour when the label's input is unusable
};

// An input connector, an output, or an embedded audio channel.
struct CSkinInput {
    QString m_type;
    QRect m_area;
    std::vector<SkinLabel> m_labels;  // always empty for audio channels
};

struct CSkinConfig {
    QString m_name;
    int m_id = 0;
    std::vector<CSkinInput> m_inputs;  // index = connector number
    std::vector<CSkinInput> m_audio;   // index = embedded audio channel
    int m_minInputs = 0;
    int m_maxInputs = 0;
    QString m_pictureName;  // as written in the skin; empty = no picture
    CSkinPicture m_picture;
    int m_pictureWidth = 0;  // 0 unless the picture loaded
    int m_pictureHeight = 0;
    std::vector<SkinLabel> m_labels;
    SkinColor m_selectedColor = 0;
    SkinColor m_focusedColor = 0;
    SkinColor m_dropTargetColor = 0;
    QRect m_area;  // the part of the picture standing for the module as a whole
};

struct CSkinModule {
    QString m_type;
    int m_maxWidth = 0;  // largest loaded picture of its configurations; 0 if none
    int m_maxHeight = 0;
    std::vector<CSkinConfig> m_configs;
    int m_audioKind = 0;  // kAudioKindEmbedded = the module carries embedded audio

    // Index of the first configuration with that ID, or -1.
    int FindConfigIndex(int id) const;
    // nullptr when the index is out of range.
    const CSkinConfig* GetConfig(int index) const;
};

class CSkin {
public:
    CSkin() = default;
    // Items of the layout point into the tree: it is neither copied nor moved.
    CSkin(const CSkin&) = delete;
    CSkin& operator=(const CSkin&) = delete;

    // Reads modules.xml beside the executable and its pictures. A missing or
    // malformed file leaves the skin empty; each picture that cannot be
    // loaded is listed in missingPictures, which the view reports with the
    // file error message.
    // Reloading invalidates every pointer into the previous tree.
    void LoadSkin();
    // The same for another skin file; pictures are looked up beside it.
    // SkinPictures::Skip reads the description alone (names, audio kinds,
    // areas) for tools that draw nothing; picture sizes then stay 0.
    enum class SkinPictures { Load, Skip };
    void LoadSkinFile(const QString& xmlPath, SkinPictures pictures = SkinPictures::Load);
    // Why the last LoadSkin/LoadSkinFile could not read its file at all
    // (FileError::None when it was read, whatever it held).
    FileError fileError() const { return m_fileError; }
    // The pictures the last load could not read, in file order.
    const QStringList& missingPictures() const { return m_missingPictures; }
    // The same for a skin already in memory; pictures are looked up in pictureDir.
    void LoadSkinData(QByteArrayView xml, const QString& pictureDir);
    void Clear();

    // The first module, in file order, with a configuration of that ID; nullptr if none.
    const CSkinModule* FindModuleByConfigID(int id) const;
    // That module's first configuration with the ID; nullptr if none.
    const CSkinConfig* FindConfig(int id) const;
    // Its name; empty when the skin has no configuration of that ID.
    QString ConfigName(int id) const;

    const std::vector<CSkinModule>& modules() const { return m_modules; }
    // Index = output signal code.
    const QStringList& signalNames() const { return m_signalNames; }
    bool IsEmpty() const { return m_modules.empty() && m_signalNames.isEmpty(); }

private:
    // pictureDir nullptr: no pictures are loaded.
    void LoadSkinXml(QByteArrayView xml, const QString* pictureDir);

    std::vector<CSkinModule> m_modules;
    QStringList m_signalNames;
    FileError m_fileError = FileError::None;
    QStringList m_missingPictures;
};

// modules.xml's bytes, refused when it is no regular file or implausibly large.
FileBytes ReadSkinFile(const QString& xmlPath);

// The two number readings of the skin file (nullptr = attribute absent = 0).
// Decimal: leading blanks and one sign skipped, digits up to the first
// non-digit; saturates at the 32-bit limits.
int ReadSkinDecimal(const char* text);
// Number: "0x"/"0X" followed by at least one more character is hexadecimal up
// to the first non-hex character (saturating at 0xFFFFFFFF); anything else decimal.
uint32_t ReadSkinNumber(const char* text);

// The path the program loads its skin from: modules.xml beside the executable.
QString DefaultSkinPath();
// A picture named in the skin, relative to the skin's directory. Backslashes
// written by skin authors on Windows are taken as folder separators.
QString SkinPicturePath(const QString& skinDir, const QString& pictureName);
