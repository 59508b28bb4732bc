// Writes BMP files byte by byte for the reader's tests: every header field is
// given by the test, rows are given in file order with their padding.
#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

struct BmpFields {
    char magic[2] = {'B', 'M'};
    uint32_t offsetField = 0;  // 0: the honest offset of the pixel data
    uint32_t headerSize = 40;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    // 32-bit entries written right after the information header: colour
    // table entries 0x00RRGGBB, or the three masks followed by the table.
    std::vector<uint32_t> table;
    std::vector<std::vector<uint8_t>> rows;
};

inline void PutU16(QByteArray& out, uint32_t v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}
inline void PutU32(QByteArray& out, uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

inline QByteArray BuildBmp(const BmpFields& f) {
    QByteArray pixels;
    for (const auto& row : f.rows) pixels.append(reinterpret_cast<const char*>(row.data()), qsizetype(row.size()));
    const uint32_t pixelOffset = 14 + 40 + uint32_t(4 * f.table.size());
    QByteArray out;
    out.append(f.magic[0]);
    out.append(f.magic[1]);
    PutU32(out, pixelOffset + uint32_t(pixels.size()));  // file size
    PutU32(out, 0);                                      // reserved
    PutU32(out, f.offsetField ? f.offsetField : pixelOffset);
    PutU32(out, f.headerSize);
    PutU32(out, uint32_t(f.width));
    PutU32(out, uint32_t(f.height));
    PutU16(out, 1);  // planes
    PutU16(out, f.bitsPerPixel);
    PutU32(out, f.compression);
    PutU32(out, uint32_t(pixels.size()));
    PutU32(out, 2835);  // 72 dpi
    PutU32(out, 2835);
    PutU32(out, f.coloursUsed);
    PutU32(out, 0);  // colours important
    for (uint32_t entry : f.table) PutU32(out, entry);
    out.append(pixels);
    return out;
}
