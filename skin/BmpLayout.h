// The layout of a BMP file as its headers announce it, shared by the check
// (core) and the decoder (Qt Gui side). Not for use outside skin/.
#pragma once

#include "skin/BmpDecoder.h"

#include <cstdint>

namespace bmp {

constexpr int64_t kFileHeaderSize = 14;
constexpr int64_t kInfoHeaderSize = 40;
static_assert(kFileHeaderSize + kInfoHeaderSize == kBmpHeaderBytes);
constexpr int64_t kMaskBytes = 12;
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionBitFields = 3;

inline uint32_t ReadU16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
inline uint32_t ReadU32(const uint8_t* p) { return ReadU16(p) | ReadU16(p + 2) << 16; }

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

// Reads and checks the headers: reads no byte beyond kBmpHeaderBytes, and
// none beyond `size`; every offset stored is checked against `size`.
BmpError ReadLayout(const uint8_t* data, int64_t size, BmpLayout& layout);

}  // namespace bmp
