// One picture of the skin, checked once while the skin is read and kept for
// the life of the view. Loading reads the file's headers only; the pixels are
// read and decoded the first time they are asked for, so that starting the
// program does not decode pictures no configuration shows. The image is
// opaque RGB32: it paints 1:1 on screen and scales onto a printer page.
//
// Loading is part of the core library; image() is in vkxpictures (Qt Gui).
#pragma once

#include "skin/BmpDecoder.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QImage;

class CSkinPicture {
public:
    // True when the file is a picture this reader can decode (every check but
    // the allocation is made here). On failure the picture is empty and not
    // loaded; the caller shows the file error message.
    bool LoadFromFile(const QString& path);
    bool LoadFromMemory(QByteArrayView file);

    // When loaded: stores the size and returns true; otherwise leaves the
    // outputs untouched and returns false.
    bool GetSize(int& width, int& height) const;

    bool loaded() const { return m_loaded; }
    // Bits per pixel the file's header announces; 0 when not loaded.
    int bitsPerPixel() const { return m_bitsPerPixel; }
    // The pixels, decoded on the first call (by the thread that paints; a
    // picture is not shared between threads). Null when not loaded, and when
    // the picture cannot be allocated or its file no longer holds the picture
    // checked at load (the painter then leaves the area blank).
    const QImage& image() const;
    // Why the last load failed (BmpError::None after a success).
    BmpError lastError() const { return m_lastError; }

private:
    void Unload(BmpError error);
    QByteArray TakeFile() const;  // the whole file to decode, or empty

    mutable std::shared_ptr<const QImage> m_image;  // once decoded
    mutable QByteArray m_memory;                    // a picture loaded from memory, until decoded
    QString m_path;                                 // a picture loaded from a file
    mutable bool m_decoded = false;
    int m_width = 0;
    int m_height = 0;
    int m_bitsPerPixel = 0;
    bool m_loaded = false;
    BmpError m_lastError = BmpError::None;
};
