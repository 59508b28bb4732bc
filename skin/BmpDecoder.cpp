#include "skin/BmpDecoder.h"

#include <QVector>

#include <algorithm>
#include <bit>
#include <cstdint>

namespace {

constexpr int64_t kFileHeaderSize = 14;
constexpr int64_t kInfoHeaderSize = 40;
static_assert(kFileHeaderSize + kInfoHeaderSize == kBmpHeaderBytes);
constexpr int64_t kMaskBytes = 12;
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionBitFields = 3;
constexpr QRgb kBlack = 0xFF000000u;

uint32_t ReadU16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t ReadU32(const uint8_t* p) { return ReadU16(p) | ReadU16(p + 2) << 16; }
int32_t ReadS32(const uint8_t* p) { return int32_t(ReadU32(p)); }

// What the information header announces, with every offset counted from the
// start of the file and every size in 64 bits.
struct BmpLayout {
    int64_t width = 0;
    int64_t height = 0;  // always positive
    bool topDown = false;
    int bitsPerPixel = 0;
    uint32_t compression = 0;
    int64_t colourCount = 0;
    int64_t tableOffset = 0;
    int64_t pixelOffset = 0;
    int64_t rowStride = 0;
};

bool IsSupportedDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

BmpError ReadLayout(const uint8_t* data, int64_t size, BmpLayout& layout) {
    if (size < 2) return BmpError::TooShort;
    if (data[0] != 'B' || data[1] != 'M') return BmpError::NotBitmap;
    if (size < kFileHeaderSize + kInfoHeaderSize) return BmpError::TooShort;
    const uint8_t* info = data + kFileHeaderSize;
    if (ReadU32(info) != kInfoHeaderSize) return BmpError::HeaderSize;
    const int64_t width = ReadS32(info + 4);
    const int64_t height = ReadS32(info + 8);
    if (width <= 0 || height == 0) return BmpError::BadDimensions;
    layout.width = width;
    layout.height = height < 0 ? -height : height;
    if (layout.width > kMaxBmpSide || layout.height > kMaxBmpSide) return BmpError::BadDimensions;
    layout.topDown = height < 0;
    layout.bitsPerPixel = int(ReadU16(info + 14));
    if (!IsSupportedDepth(layout.bitsPerPixel)) return BmpError::BitDepth;
    layout.compression = ReadU32(info + 16);
    const bool bitFields = layout.compression == kCompressionBitFields;
    if (layout.compression != kCompressionNone && !(bitFields && (layout.bitsPerPixel == 16 || layout.bitsPerPixel == 32)))
        return BmpError::Compression;
    const int64_t coloursUsed = ReadU32(info + 32);
    layout.colourCount = coloursUsed != 0 ? coloursUsed : int64_t(1) << layout.bitsPerPixel;
    if (layout.bitsPerPixel <= 8) {
        layout.tableOffset = kFileHeaderSize + kInfoHeaderSize;
        layout.pixelOffset = layout.tableOffset + 4 * layout.colourCount;
    } else {
        layout.tableOffset = kFileHeaderSize + kInfoHeaderSize + (bitFields ? kMaskBytes : 0);
        layout.pixelOffset = layout.tableOffset + 4 * coloursUsed;
    }
    layout.rowStride = (layout.width * layout.bitsPerPixel + 31) / 32 * 4;
    if (layout.pixelOffset > size) return BmpError::Truncated;
    if (layout.height > (size - layout.pixelOffset) / layout.rowStride) return BmpError::Truncated;
    return BmpError::None;
}

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

BmpError CheckBmpHeaders(QByteArrayView head, qint64 fileSize, int& width, int& height) {
    // ReadLayout reads no further than the headers, and only when the file is that long.
    if (head.size() < std::min<qint64>(fileSize, kBmpHeaderBytes)) return BmpError::CannotOpen;
    BmpLayout layout;
    const BmpError error = ReadLayout(reinterpret_cast<const uint8_t*>(head.data()), int64_t(fileSize), layout);
    if (error != BmpError::None) return error;
    width = int(layout.width);
    height = int(layout.height);
    return BmpError::None;
}

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

const char* BmpErrorText(BmpError error) {
    switch (error) {
    case BmpError::None: return "no error";
    case BmpError::CannotOpen: return "file cannot be opened or read";
    case BmpError::TooShort: return "file too short for the BMP headers";
    case BmpError::NotBitmap: return "not a BMP file (no \"BM\" signature)";
    case BmpError::HeaderSize: return "information header is not the 40-byte form";
    case BmpError::BadDimensions: return "width or height is invalid";
    case BmpError::BitDepth: return "unsupported bits per pixel";
    case BmpError::Compression: return "compressed BMP files are not supported";
    case BmpError::Truncated: return "colour table or pixel data runs past the end of the file";
    case BmpError::OutOfMemory: return "picture too large";
    }
    return "unknown error";
}
