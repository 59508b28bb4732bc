#include "skin/BmpDecoder.h"

#include "skin/BmpLayout.h"

#include <algorithm>

namespace bmp {
namespace {

int32_t ReadS32(const uint8_t* p) { return int32_t(ReadU32(p)); }

bool IsSupportedDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

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
    if (layout.compression != kCompressionNone &&
        !(bitFields && (layout.bitsPerPixel == 16 || layout.bitsPerPixel == 32)))
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

}  // namespace bmp

BmpError CheckBmpHeaders(QByteArrayView head, qint64 fileSize, int& width, int& height) {
    // ReadLayout reads no further than the headers, and only when the file is that long.
    if (head.size() < std::min<qint64>(fileSize, kBmpHeaderBytes)) return BmpError::CannotOpen;
    bmp::BmpLayout layout;
    const BmpError error = bmp::ReadLayout(reinterpret_cast<const uint8_t*>(head.data()), int64_t(fileSize), layout);
    if (error != BmpError::None) return error;
    width = int(layout.width);
    height = int(layout.height);
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
