// Feeds arbitrary bytes to the skin picture reader: it must refuse or decode
// without reading outside the buffer, and a decoded picture must have the
// announced size.
#include "skin/SkinPicture.h"

#include <QImage>

#include <cstdint>
#include <cstdlib>

namespace {
volatile uint32_t g_sink;  // keeps the pixel reads from being optimised away
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CSkinPicture picture;
    const QByteArrayView file(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!picture.LoadFromMemory(file)) return 0;
    int width = 0, height = 0;
    if (!picture.GetSize(width, height) || width <= 0 || height <= 0) std::abort();
    // Only a picture too large to allocate may come out empty.
    const QImage& image = picture.image();
    if (image.isNull()) return 0;
    if (image.width() != width || image.height() != height) std::abort();
    // Touch every pixel so that a short image would show up under the sanitizers.
    uint32_t sum = 0;
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) sum += line[x];
    }
    g_sink = sum;
    return 0;
}
