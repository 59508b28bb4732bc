// Feeds arbitrary bytes to the skin picture reader, from memory and from a
// file: it must refuse or decode without reading outside the buffer, both
// ways must agree, and a decoded picture must have the announced size.
#include "fuzz/FuzzInputFile.h"
#include "skin/SkinPicture.h"

#include <QImage>

#include <cstdint>
#include <cstdlib>

namespace {
volatile uint32_t g_sink;  // keeps the pixel reads from being optimised away

void Check(bool condition) {
    if (!condition) std::abort();
}

// The size the picture announced, or an empty size when it was refused.
QSize LoadedSize(const CSkinPicture& picture) {
    int width = 0, height = 0;
    if (!picture.GetSize(width, height)) return {};
    Check(width > 0 && height > 0);
    return {width, height};
}

// Only a picture too large to allocate may come out empty.
void CheckDecoded(const QImage& image, QSize size) {
    if (image.isNull()) return;
    Check(image.size() == size);
    // Touch every pixel so that a short image would show up under the sanitizers.
    uint32_t sum = 0;
    for (int y = 0; y < size.height(); ++y) {
        const auto* line = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < size.width(); ++x) sum += line[x];
    }
    g_sink = sum;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CSkinPicture inMemory;
    const bool loaded = inMemory.LoadFromMemory(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    CSkinPicture fromFile;
    Check(fromFile.LoadFromFile(WriteFuzzFile(QStringLiteral("fuzz.bmp"), data, size)) == loaded);
    Check(fromFile.lastError() == inMemory.lastError());
    const QSize announced = LoadedSize(inMemory);
    Check(LoadedSize(fromFile) == announced);
    if (!loaded) return 0;

    // The file is decoded from disk on first use, after the check at load.
    const QImage& decoded = inMemory.image();
    CheckDecoded(decoded, announced);
    Check(fromFile.image() == decoded);
    return 0;
}
