#include "skin/SkinPicture.h"

#include "base/FileIo.h"
#include "skin/BmpLayout.h"

#include <algorithm>
#include <utility>

namespace {
// Skin pictures are small; anything beyond this is not a picture we drew.
constexpr qint64 kMaxPictureFileSize = 256 * 1024 * 1024;

// The bit-depth field of headers that CheckBmpHeaders accepted (so at least kBmpHeaderBytes long).
int BitsPerPixelOf(QByteArrayView head) {
    return int(bmp::ReadU16(reinterpret_cast<const uint8_t*>(head.data()) + bmp::kFileHeaderSize + 14));
}
}  // namespace

bool CSkinPicture::LoadFromFile(const QString& path) {
    Unload(BmpError::CannotOpen);
    qint64 size = 0;
    const FileBytes head = ReadRegularFileHead(path, kBmpHeaderBytes, &size);
    if (!head.ok() || size > kMaxPictureFileSize) return false;
    m_lastError = CheckBmpHeaders(head.bytes, size, m_width, m_height);
    m_loaded = m_lastError == BmpError::None;
    if (!m_loaded) return false;
    m_path = path;
    m_bitsPerPixel = BitsPerPixelOf(head.bytes);
    return m_loaded;
}

bool CSkinPicture::LoadFromMemory(QByteArrayView file) {
    Unload(BmpError::None);
    m_lastError = CheckBmpHeaders(file.first(std::min(file.size(), kBmpHeaderBytes)), file.size(), m_width, m_height);
    m_loaded = m_lastError == BmpError::None;
    if (!m_loaded) return false;
    m_memory = file.toByteArray();
    m_bitsPerPixel = BitsPerPixelOf(file);
    return m_loaded;
}

void CSkinPicture::Unload(BmpError error) {
    m_loaded = m_decoded = false;
    m_image.reset();
    m_memory.clear();
    m_path.clear();
    m_width = m_height = m_bitsPerPixel = 0;
    m_lastError = error;
}

bool CSkinPicture::GetSize(int& width, int& height) const {
    if (!m_loaded) return false;
    width = m_width;
    height = m_height;
    return true;
}

QByteArray CSkinPicture::TakeFile() const {
    if (m_path.isEmpty()) return std::exchange(m_memory, {});
    // The file was checked at load; it is read again only if it is still a
    // regular file of a plausible size.
    return ReadRegularFile(m_path, kMaxPictureFileSize).bytes;
}
