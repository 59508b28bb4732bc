// The decoding half of CSkinPicture, in vkxpictures with the decoder.
#include "skin/SkinPicture.h"

#include <QImage>

const QImage& CSkinPicture::image() const {
    if (m_loaded && !m_decoded) {
        m_decoded = true;
        QImage decoded;
        // The whole file is checked again: it may have changed since it was loaded.
        if (DecodeBmp(TakeFile(), decoded) == BmpError::None && decoded.size() == QSize(m_width, m_height))
            m_image = std::make_shared<const QImage>(std::move(decoded));
    }
    static const QImage kNone;
    return m_image ? *m_image : kNone;
}
