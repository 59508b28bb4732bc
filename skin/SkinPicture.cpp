#include "skin/SkinPicture.h"

#include <QFile>

#include <algorithm>
#include <utility>

namespace {
// Skin pictures are small; anything beyond this is not a picture we drew.
constexpr qint64 kMaxPictureFileSize = 256 * 1024 * 1024;
}  // namespace

bool CSkinPicture::LoadFromFile(const QString& path) {
    Unload(BmpError::CannotOpen);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxPictureFileSize) return false;
    m_lastError = CheckBmpHeaders(file.read(kBmpHeaderBytes), file.size(), m_width, m_height);
    m_loaded = m_lastError == BmpError::None;
    if (m_loaded) m_path = path;
    return m_loaded;
}

bool CSkinPicture::LoadFromMemory(QByteArrayView file) {
    Unload(BmpError::None);
    m_lastError = CheckBmpHeaders(file.first(std::min(file.size(), kBmpHeaderBytes)), file.size(), m_width, m_height);
    m_loaded = m_lastError == BmpError::None;
    if (m_loaded) m_memory = file.toByteArray();
    return m_loaded;
}

void CSkinPicture::Unload(BmpError error) {
    m_loaded = m_decoded = false;
    m_image = QImage();
    m_memory.clear();
    m_path.clear();
    m_width = m_height = 0;
    m_lastError = error;
}

bool CSkinPicture::GetSize(int& width, int& height) const {
    if (!m_loaded) return false;
    width = m_width;
    height = m_height;
    return true;
}

QByteArray CSkinPicture::ReadFile() const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxPictureFileSize) return {};
    return file.readAll();
}

const QImage& CSkinPicture::image() const {
    if (m_loaded && !m_decoded) {
        m_decoded = true;
        const QByteArray file = m_path.isEmpty() ? std::exchange(m_memory, {}) : ReadFile();
        // The whole file is checked again: it may have changed since it was loaded.
        if (DecodeBmp(file, m_image) != BmpError::None || m_image.size() != QSize(m_width, m_height)) m_image = QImage();
    }
    return m_image;
}
