#include "tools/skingen/BmpFile.h"

#include <QFile>
#include <QSaveFile>
#include <cstdint>

namespace skingen {
namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

void PutU16(QByteArray& out, uint32_t v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void PutU32(QByteArray& out, uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

uint32_t GetU16(const QByteArray& in, qsizetype at) { return uint8_t(in[at]) | (uint32_t(uint8_t(in[at + 1])) << 8); }

uint32_t GetU32(const QByteArray& in, qsizetype at) { return GetU16(in, at) | (GetU16(in, at + 2) << 16); }

int RowStride(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

QByteArray Headers(int width, int height, int bitsPerPixel, int colours) {
    const uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + 4 * colours;
    const uint32_t imageSize = uint32_t(RowStride(width, bitsPerPixel)) * uint32_t(height);
    QByteArray out;
    out.append("BM");
    PutU32(out, pixelOffset + imageSize);
    PutU32(out, 0);  // two reserved 16-bit fields
    PutU32(out, pixelOffset);
    PutU32(out, kInfoHeaderSize);
    PutU32(out, uint32_t(width));
    PutU32(out, uint32_t(height));  // positive: rows stored bottom-up
    PutU16(out, 1);                 // planes
    PutU16(out, uint32_t(bitsPerPixel));
    PutU32(out, 0);  // uncompressed
    PutU32(out, imageSize);
    PutU32(out, 2835);  // 72 dpi
    PutU32(out, 2835);
    PutU32(out, uint32_t(colours));
    PutU32(out, uint32_t(colours));
    return out;
}

}  // namespace

QByteArray EncodeBmp24(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    QByteArray out = Headers(image.width(), image.height(), 24, 0);
    const int padding = RowStride(image.width(), 24) - image.width() * 3;
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            out.append(char(qBlue(row[x])));
            out.append(char(qGreen(row[x])));
            out.append(char(qRed(row[x])));
        }
        out.append(padding, '\0');
    }
    return out;
}

QByteArray EncodeBmp8(const QImage& indexed) {
    Q_ASSERT(indexed.format() == QImage::Format_Indexed8);
    const QList<QRgb> table = indexed.colorTable();
    Q_ASSERT(!table.isEmpty() && table.size() <= 256);
    QByteArray out = Headers(indexed.width(), indexed.height(), 8, int(table.size()));
    for (QRgb c : table) {
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append('\0');
    }
    const int padding = RowStride(indexed.width(), 8) - indexed.width();
    for (int y = indexed.height() - 1; y >= 0; --y) {
        out.append(reinterpret_cast<const char*>(indexed.constScanLine(y)), indexed.width());
        out.append(padding, '\0');
    }
    return out;
}

QImage DecodeBmp(const QByteArray& bytes, QString* error) {
    auto fail = [error](const QString& why) {
        *error = why;
        return QImage();
    };
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize) return fail("file shorter than its headers");
    if (!bytes.startsWith("BM")) return fail("does not start with \"BM\"");
    if (GetU32(bytes, 14) != kInfoHeaderSize) return fail("information header is not 40 bytes");
    const int64_t width = int32_t(GetU32(bytes, 18));
    const int64_t height = int32_t(GetU32(bytes, 22));
    const uint32_t bits = GetU16(bytes, 28);
    const uint32_t compression = GetU32(bytes, 30);
    const uint32_t coloursUsed = GetU32(bytes, 46);
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return fail("unreasonable picture size");
    if ((bits != 8 && bits != 24) || compression != 0) return fail("not an uncompressed 8- or 24-bit picture");
    const int64_t colours = bits == 8 ? (coloursUsed ? coloursUsed : 256) : coloursUsed;
    if (bits == 8 && colours > 256) return fail("colour table larger than 256 entries");
    const int64_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + 4 * colours;
    if (GetU32(bytes, 10) != pixelOffset) return fail("pixel data offset does not follow the colour table");
    const int64_t stride = RowStride(int(width), int(bits));
    if (bytes.size() < pixelOffset + stride * height) return fail("pixel data shorter than announced");

    QImage image(int(width), int(height), QImage::Format_RGB32);
    for (int64_t y = 0; y < height; ++y) {
        const qsizetype row = qsizetype(pixelOffset + stride * (height - 1 - y));
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
        for (int64_t x = 0; x < width; ++x) {
            if (bits == 24) {
                const qsizetype p = row + qsizetype(3 * x);
                out[x] = qRgb(uint8_t(bytes[p + 2]), uint8_t(bytes[p + 1]), uint8_t(bytes[p]));
                continue;
            }
            const uint32_t index = uint8_t(bytes[row + qsizetype(x)]);
            if (index >= colours) return fail("pixel refers past the colour table");
            const qsizetype c = kFileHeaderSize + kInfoHeaderSize + 4 * qsizetype(index);
            out[x] = qRgb(uint8_t(bytes[c + 2]), uint8_t(bytes[c + 1]), uint8_t(bytes[c]));
        }
    }
    return image;
}

bool WriteFileBytes(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QString("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

}  // namespace skingen
