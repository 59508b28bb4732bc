// The configuration-file format as bytes, and CMainDoc's file operations on it.
#include "model/ConfigFile.h"

#include "base/FileIo.h"
#include "lang/UiText.h"
#include "model/CMainDoc.h"
#include "res/resource.h"

#include <cstring>

std::size_t ConfigFileSizeFor(uint32_t version) {
    const std::size_t labels = kInputLabelBytes + kPanelLabelBytes;
    if (version == kConfigFileVersion1) return kConfigFileHeaderSize + kVersion1ImageBytes + labels;
    if (version == kConfigFileVersion2) return kConfigFileHeaderSize + kConfigImageSize + labels;
    return 0;
}

namespace {

uint32_t ReadU32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

// The link tables and embedded audio that a file may bring to a device-bound
// configuration: image bytes 76..173.
constexpr std::size_t kLinkPartBegin = 76;
constexpr std::size_t kLinkPartEnd = 174;

}  // namespace

FileBytes ReadConfigFile(const QString& path) {
    // Bytes after the newest format's size are ignored, so a larger regular
    // file is read only as far as that.
    return ReadRegularFileHead(path, qint64(kConfigFileSize));
}

QByteArray SerializeConfigFile(const ConfigImage& image, const char* inputLabels, const char* panelLabels) {
    QByteArray bytes;
    bytes.reserve(qsizetype(kConfigFileSize));
    bytes.append(kConfigFileMagic, 4);
    for (int shift = 0; shift < 32; shift += 8) bytes.append(char((kConfigFileVersion2 >> shift) & 0xFF));
    bytes.append(reinterpret_cast<const char*>(image.bytes()), qsizetype(kConfigImageSize));
    bytes.append(inputLabels, qsizetype(kInputLabelBytes));
    bytes.append(panelLabels, qsizetype(kPanelLabelBytes));
    return bytes;
}

std::optional<ConfigFileContents> ParseConfigFile(QByteArrayView bytes) {
    const uint32_t version = bytes.size() >= 8 ? ReadU32(bytes.data() + 4) : 0;
    const std::size_t needed = ConfigFileSizeFor(version);
    if (bytes.size() < 8 || std::memcmp(bytes.data(), kConfigFileMagic, 4) != 0 || needed == 0 ||
        std::size_t(bytes.size()) < needed)
        return std::nullopt;
    ConfigFileContents contents;
    contents.version = version;
    contents.image.Clear();
    const char* p = bytes.data() + kConfigFileHeaderSize;
    const std::size_t imageBytes = version == kConfigFileVersion1 ? kVersion1ImageBytes : kConfigImageSize;
    std::memcpy(contents.image.bytes(), p, imageBytes);
    p += imageBytes;
    std::memcpy(contents.inputLabels.data(), p, kInputLabelBytes);
    std::memcpy(contents.panelLabels.data(), p + kInputLabelBytes, kPanelLabelBytes);
    return contents;
}

bool CMainDoc::LoadFile(const QString& path) {
    const FileBytes file = ReadConfigFile(path);
    if (!file.ok()) {
        m_lastNotice = UiNotice{kFileOpenError, path};
        return false;
    }
    return LoadFileBytes(file.bytes, path);
}

bool CMainDoc::LoadFileBytes(const QByteArray& bytes, const QString& path) {
    // Everything is checked before the document changes, so a short or
    // damaged file leaves the configuration as it was.
    m_lastNotice = {};
    const std::optional<ConfigFileContents> file = ParseConfigFile(bytes);
    if (!file) {
        m_lastNotice = UiNotice{kFileCorruptError, path};
        return false;
    }
    if (m_deviceBound) {
        if (!MatchesDevice(file->image)) {
            m_lastNotice = UiNotice{0, path, IDS_CONFIG_MISMATCH, MB_OK | MB_ICONSTOP};
            return false;
        }
        std::memcpy(m_image.bytes() + kLinkPartBegin, file->image.bytes() + kLinkPartBegin,
                    kLinkPartEnd - kLinkPartBegin);
    } else {
        m_image = file->image;
    }

    std::memcpy(m_inputLabels, file->inputLabels.data(), kInputLabelBytes);
    std::memcpy(m_panelLabels, file->panelLabels.data(), kPanelLabelBytes);
    // A label always ends within its field, whatever the file holds.
    for (auto& slot : m_inputLabels)
        for (auto& label : slot) label[kLabelSize - 1] = 0;
    for (auto& label : m_panelLabels) label[kLabelSize - 1] = 0;

    m_filePath = path;
    m_hasConfig = true;
    m_configModified = m_labelsModified = false;
    NotifyStateChanged();
    return true;
}

bool CMainDoc::SaveFile(const QString& path) {
    // The new file replaces the old one only once it is complete on disk; a
    // failure leaves the previous file, the flags and the file path untouched.
    m_lastFileError =
        WriteFileSafely(path, SerializeConfigFile(m_image, &m_inputLabels[0][0][0], &m_panelLabels[0][0]));
    if (m_lastFileError != FileError::None) {
        m_lastNotice = UiNotice{kFileSaveError, path};
        return false;
    }
    m_lastNotice = {};
    m_filePath = path;
    m_configModified = m_labelsModified = false;
    NotifyStateChanged();
    return true;
}
