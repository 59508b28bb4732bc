#include "skin/BmpDecoder.h"

#include "skin/BmpLayout.h"

#include <QImage>
#include <QVector>

#include <algorithm>
#include <bit>
#include <cstdint>

namespace {

using namespace bmp;

constexpr QRgb kBlack = 0xFF000000u;

// Every index the pixel depth can hold has an entry: indexes beyond the
// file's colour table are black, so rows are decoded without a check per pixel.
QVector<QRgb> ReadPalette(const uint8_t* data, const BmpLayout& layout) {
    const int64_t indexes = int64_t(1) << layout.bitsPerPixel;
    const int64_t entries = std::min(layout.colourCount, indexes);
    QVector<QRgb> palette(indexes, kBlack);
    const uint8_t* p = data + layout.tableOffset;
    for (int64_t i = 0; i < entries; ++i, p += 4) palette[i] = qRgb(p[2], p[1], p[0]);
    return palette;
}

void DecodeIndexedRow(const uint8_t* row, const BmpLayout& layout, const QRgb* palette, QRgb* out) {
    if (layout.bitsPerPixel == 8) {  // what skin pictures mostly are
        for (int64_t x = 0; x < layout.width; ++x) out[x] = palette[row[x]];
        return;
    }
    const int bits = layout.bitsPerPixel;
    const int perByte = 8 / bits;
    const uint32_t valueMask = (1u << bits) - 1;
    for (int64_t x = 0; x < layout.width; ++x) {
        const int shift = 8 - bits * (int(x % perByte) + 1);
        out[x] = palette[(row[x / perByte] >> shift) & valueMask];
    }
}

// One colour channel of a 16- or 32-bit pixel, scaled to 8 bits.
class Channel {
public:
    explicit Channel(uint32_t mask) : m_mask(mask) {
        if (mask == 0) return;
        m_shift = std::countr_zero(mask);
        m_bits = 32 - std::countl_zero(mask) - m_shift;
    }
    int Value(uint32_t pixel) const {
        if (m_bits == 0) return 0;
        const uint32_t raw = (pixel & m_mask) >> m_shift;
        if (m_bits >= 8) return int(raw >> (m_bits - 8));
        return int(raw * 255u / ((1u << m_bits) - 1));
    }

private:
    uint32_t m_mask;
    int m_shift = 0;
    int m_bits = 0;
};

struct ChannelMasks {
    Channel red, green, blue;
};

ChannelMasks ReadMasks(const uint8_t* data, const BmpLayout& layout) {
    if (layout.compression == kCompressionBitFields) {
        const uint8_t* masks = data + kFileHeaderSize + kInfoHeaderSize;
        return {Channel(ReadU32(masks)), Channel(ReadU32(masks + 4)), Channel(ReadU32(masks + 8))};
    }
    if (layout.bitsPerPixel == 16) return {Channel(0x7C00), Channel(0x03E0), Channel(0x001F)};
    return {Channel(0xFF0000), Channel(0x00FF00), Channel(0x0000FF)};
}

void DecodeMaskedRow(const uint8_t* row, const BmpLayout& layout, const ChannelMasks& masks, QRgb* out) {
    const bool wide = layout.bitsPerPixel == 32;
    for (int64_t x = 0; x < layout.width; ++x) {
        const uint32_t pixel = wide ? ReadU32(row + 4 * x) : ReadU16(row + 2 * x);
        out[x] = qRgb(masks.red.Value(pixel), masks.green.Value(pixel), masks.blue.Value(pixel));
    }
}

void DecodeRgbRow(const uint8_t* row, const BmpLayout& layout, QRgb* out) {
    for (int64_t x = 0; x < layout.width; ++x, row += 3) out[x] = qRgb(row[2], row[1], row[0]);
}

void DecodePixels(const uint8_t* data, const BmpLayout& layout, QImage& image) {
    const QVector<QRgb> palette = layout.bitsPerPixel <= 8 ? ReadPalette(data, layout) : QVector<QRgb>();
    const ChannelMasks masks = ReadMasks(data, layout);
    for (int64_t y = 0; y < layout.height; ++y) {
        const uint8_t* row = data + layout.pixelOffset + y * layout.rowStride;
        const int64_t line = layout.topDown ? y : layout.height - 1 - y;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(int(line)));
        if (layout.bitsPerPixel <= 8) {
            DecodeIndexedRow(row, layout, palette.constData(), out);
        } else if (layout.bitsPerPixel == 24) {
            DecodeRgbRow(row, layout, out);
        } else {
            DecodeMaskedRow(row, layout, masks, out);
        }
    }
}

}  // namespace

BmpError DecodeBmp(QByteArrayView file, QImage& image) {
    const auto* data = reinterpret_cast<const uint8_t*>(file.data());
    BmpLayout layout;
    const BmpError error = ReadLayout(data, int64_t(file.size()), layout);
    if (error != BmpError::None) return error;
    QImage decoded(int(layout.width), int(layout.height), QImage::Format_RGB32);
    if (decoded.isNull()) return BmpError::OutOfMemory;
    DecodePixels(data, layout, decoded);
    image = std::move(decoded);
    return BmpError::None;
}
