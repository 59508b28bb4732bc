#include "skin/SkinPicture.h"

#include <QFile>

namespace {
// Skin pictures are small; anything beyond this is not a picture we drew.
constexpr qint64 kMaxPictureFileSize = 256 * 1024 * 1024;
}  // namespace

bool CSkinPicture::LoadFromFile(const QString& path) {
    m_loaded = false;
    m_image = QImage();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxPictureFileSize) {
        m_lastError = BmpError::CannotOpen;
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size()) {
        m_lastError = BmpError::CannotOpen;
        return false;
    }
    return LoadFromMemory(bytes);
}

bool CSkinPicture::LoadFromMemory(QByteArrayView file) {
    m_loaded = false;
    m_image = QImage();
    m_lastError = DecodeBmp(file, m_image);
    m_loaded = m_lastError == BmpError::None;
    return m_loaded;
}

bool CSkinPicture::GetSize(int& width, int& height) const {
    if (!m_loaded) return false;
    width = m_image.width();
    height = m_image.height();
    return true;
}
