// One picture of the skin, loaded once while the skin is read and kept for
// the life of the view. The image is opaque RGB32: it paints 1:1 on screen
// and scales onto a printer page.
#pragma once

#include "skin/BmpDecoder.h"

#include <QImage>
#include <QString>

class CSkinPicture {
public:
    // True on success. On failure the picture is empty and not loaded; the
    // caller shows the file error message.
    bool LoadFromFile(const QString& path);
    bool LoadFromMemory(QByteArrayView file);

    // When loaded: stores the size and returns true; otherwise leaves the
    // outputs untouched and returns false.
    bool GetSize(int& width, int& height) const;

    bool loaded() const { return m_loaded; }
    const QImage& image() const { return m_image; }
    // Why the last load failed (BmpError::None after a success).
    BmpError lastError() const { return m_lastError; }

private:
    QImage m_image;
    bool m_loaded = false;
    BmpError m_lastError = BmpError::None;
};
