#include "skin/BmpDecoder.h"
#include "skin/SkinPicture.h"
#include "skin/BmpBuilder.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using Row = std::vector<uint8_t>;
using Pixels = std::vector<std::vector<QRgb>>;  // top row first

constexpr QRgb kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu, kBlack = 0xFF000000u;
QRgb Grey(int level) { return qRgb(level, level, level); }

// Colour table entries are written 0x00RRGGBB, i.e. blue, green, red, 0 in the file.
std::vector<uint32_t> TwoColoursThenGreen(int entries) {
    std::vector<uint32_t> table(std::size_t(entries), 0x0000FF00u);
    table[0] = 0x00FF0000u;  // red
    table[1] = 0x000000FFu;  // blue
    return table;
}

std::vector<uint32_t> GreyRamp(int entries, int step) {
    std::vector<uint32_t> table;
    for (int i = 0; i < entries; ++i) table.push_back(uint32_t(i * step) * 0x010101u);
    return table;
}

BmpFields Fields(int32_t width, int32_t height, uint16_t bits, std::vector<uint32_t> table, std::vector<Row> rows) {
    BmpFields f;
    f.width = width;
    f.height = height;
    f.bitsPerPixel = bits;
    f.table = std::move(table);
    f.rows = std::move(rows);
    return f;
}

BmpFields With(BmpFields f, uint32_t coloursUsed, uint32_t compression = 0) {
    f.coloursUsed = coloursUsed;
    f.compression = compression;
    return f;
}

Pixels ImagePixels(const QImage& image) {
    Pixels pixels(std::size_t(image.height()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) pixels[std::size_t(y)].push_back(image.pixel(x, y));
    return pixels;
}

// 1-bit, 3 x 2, bottom row first: bottom 1 0 1, top 0 1 1.
const std::vector<Row> kOneBitRows = {{0xA0, 0, 0, 0}, {0x60, 0, 0, 0}};
const Pixels kOneBitPixels = {{kRed, kBlue, kBlue}, {kBlue, kRed, kBlue}};
// 24-bit, 2 x 2, each row padded from 6 to 8 bytes.
const std::vector<Row> kRgbRows = {{0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0},
                                   {0xFF, 0x00, 0x00, 0x10, 0x20, 0x30, 0, 0}};

struct DecodeCase {
    std::string name;
    BmpFields fields;
    Pixels expected;
};

std::vector<DecodeCase> DecodeCases() {
    const std::vector<Row> fourBitRow = {{0x1F, 0x20, 0, 0}};
    const Pixels fourBitPixels = {{Grey(16), Grey(240), Grey(32)}};
    const std::vector<Row> eightBitRow = {{0, 1, 128, 255, 7, 0, 0, 0}};
    BmpFields lyingOffset = With(Fields(3, 1, 8, GreyRamp(16, 16), {{0, 15, 3, 0}}), 16);
    lyingOffset.offsetField = 14 + 40 + 1024;
    return {
        {"one bit, colours used 0", Fields(3, 2, 1, TwoColoursThenGreen(2), kOneBitRows), kOneBitPixels},
        {"one bit, colours used 16: pixels after 16 entries",
         With(Fields(3, 2, 1, TwoColoursThenGreen(16), kOneBitRows), 16), kOneBitPixels},
        {"four bit, colours used 0", Fields(3, 1, 4, GreyRamp(16, 16), fourBitRow), fourBitPixels},
        {"four bit, colours used 16", With(Fields(3, 1, 4, GreyRamp(16, 16), fourBitRow), 16), fourBitPixels},
        {"four bit index beyond a 2-entry table is black",
         With(Fields(3, 1, 4, GreyRamp(2, 16), fourBitRow), 2),
         {{Grey(16), kBlack, kBlack}}},
        {"eight bit, colours used 0",
         Fields(5, 1, 8, GreyRamp(256, 1), eightBitRow),
         {{Grey(0), Grey(1), Grey(128), Grey(255), Grey(7)}}},
        {"eight bit, colours used 16: pixels 64 bytes after the header",
         With(Fields(3, 1, 8, GreyRamp(16, 16), {{0, 15, 3, 0}}), 16),
         {{Grey(0), Grey(240), Grey(48)}}},
        {"file header offset is ignored", lyingOffset, {{Grey(0), Grey(240), Grey(48)}}},
        {"24 bit bottom-up", Fields(2, 2, 24, {}, kRgbRows), {{kBlue, qRgb(0x30, 0x20, 0x10)}, {kRed, kGreen}}},
        {"24 bit top-down", Fields(2, -2, 24, {}, kRgbRows), {{kRed, kGreen}, {kBlue, qRgb(0x30, 0x20, 0x10)}}},
        {"24 bit with colours used 3: pixels after the 3 entries",
         With(Fields(2, 2, 24, {1, 2, 3}, kRgbRows), 3),
         {{kBlue, qRgb(0x30, 0x20, 0x10)}, {kRed, kGreen}}},
        {"16 bit uncompressed is 5-5-5",
         Fields(3, 1, 16, {}, {{0x00, 0x7C, 0xE0, 0x03, 0x21, 0x04, 0, 0}}),
         {{kRed, kGreen, Grey(8)}}},
        {"16 bit bit fields 5-6-5",
         With(Fields(3, 1, 16, {0xF800, 0x07E0, 0x001F}, {{0x00, 0xF8, 0xE0, 0x07, 0x82, 0x10, 0, 0}}), 0, 3),
         {{kRed, kGreen, Grey(16)}}},
        {"32 bit uncompressed is blue, green, red, unused",
         Fields(1, 1, 32, {}, {{0x11, 0x22, 0x33, 0x44}}),
         {{qRgb(0x33, 0x22, 0x11)}}},
        {"32 bit bit fields in red, green, blue byte order",
         With(Fields(1, 1, 32, {0xFF, 0xFF00, 0xFF0000}, {{0x11, 0x22, 0x33, 0x44}}), 0, 3),
         {{qRgb(0x11, 0x22, 0x33)}}},
        {"32 bit bit fields with 10-bit channels",
         With(Fields(1, 1, 32, {0x3FF00000, 0x000FFC00, 0x000003FF}, {{0xFF, 0x03, 0xF0, 0x3F}}), 0, 3),
         {{qRgb(255, 0, 255)}}},
        {"32 bit bit fields with a colour table after the masks",
         With(Fields(1, 1, 32, {0xFF, 0xFF00, 0xFF0000, 0x123456}, {{0x11, 0x22, 0x33, 0x44}}), 1, 3),
         {{qRgb(0x11, 0x22, 0x33)}}},
    };
}

TEST(BmpDecoder, DecodesEachSupportedVariantToTheExpectedPixels) {
    for (const DecodeCase& c : DecodeCases()) {
        SCOPED_TRACE(c.name);
        QImage image;
        ASSERT_EQ(DecodeBmp(BuildBmp(c.fields), image), BmpError::None);
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        EXPECT_EQ(ImagePixels(image), c.expected);
        CSkinPicture picture;
        ASSERT_TRUE(picture.LoadFromMemory(BuildBmp(c.fields)));
        EXPECT_EQ(picture.bitsPerPixel(), int(c.fields.bitsPerPixel));
    }
}

struct FailCase {
    std::string name;
    QByteArray file;
    BmpError expected;
};

QByteArray Chopped(const BmpFields& f, int bytes) { return BuildBmp(f).chopped(bytes); }

std::vector<FailCase> FailCases() {
    const BmpFields rgb = Fields(2, 2, 24, {}, kRgbRows);
    BmpFields wrongMagic = rgb;
    wrongMagic.magic[1] = 'A';
    auto withHeaderSize = [&](uint32_t size) {
        BmpFields f = rgb;
        f.headerSize = size;
        return BuildBmp(f);
    };
    return {
        {"empty file", QByteArray(), BmpError::TooShort},
        {"one byte", QByteArray("B"), BmpError::TooShort},
        {"wrong magic", BuildBmp(wrongMagic), BmpError::NotBitmap},
        {"headers cut short", BuildBmp(rgb).left(30), BmpError::TooShort},
        {"last pixel byte missing", Chopped(rgb, 1), BmpError::Truncated},
        {"colour table cut short", Chopped(Fields(1, 1, 8, GreyRamp(256, 1), {}), 512), BmpError::Truncated},
        {"core header (12 bytes)", withHeaderSize(12), BmpError::HeaderSize},
        {"version 5 header (124 bytes)", withHeaderSize(124), BmpError::HeaderSize},
        {"run-length 8", BuildBmp(With(Fields(1, 1, 8, GreyRamp(256, 1), {{0, 0, 0, 0}}), 0, 1)),
         BmpError::Compression},
        {"run-length 4", BuildBmp(With(Fields(1, 1, 4, GreyRamp(16, 1), {{0, 0, 0, 0}}), 0, 2)), BmpError::Compression},
        {"bit fields at 24 bits", BuildBmp(With(rgb, 0, 3)), BmpError::Compression},
        {"JPEG inside", BuildBmp(With(rgb, 0, 4)), BmpError::Compression},
        {"2 bits per pixel", BuildBmp(Fields(1, 1, 2, GreyRamp(4, 1), {{0, 0, 0, 0}})), BmpError::BitDepth},
        {"0 bits per pixel", BuildBmp(Fields(1, 1, 0, {}, {{0, 0, 0, 0}})), BmpError::BitDepth},
        {"width 0", BuildBmp(Fields(0, 1, 24, {}, {{0, 0, 0, 0}})), BmpError::BadDimensions},
        {"negative width", BuildBmp(Fields(-1, 1, 24, {}, {{0, 0, 0, 0}})), BmpError::BadDimensions},
        {"height 0", BuildBmp(Fields(1, 0, 24, {}, {{0, 0, 0, 0}})), BmpError::BadDimensions},
        {"side above the limit", BuildBmp(Fields(kMaxBmpSide + 1, 1, 1, GreyRamp(2, 1), {})), BmpError::BadDimensions},
        {"lowest possible height", BuildBmp(Fields(1, INT32_MIN, 24, {}, {{0, 0, 0, 0}})), BmpError::BadDimensions},
        {"large picture announced, one row present",
         BuildBmp(Fields(kMaxBmpSide, kMaxBmpSide, 1, GreyRamp(2, 1), {Row(4096)})), BmpError::Truncated},
        {"colours used far beyond the file",
         BuildBmp(With(Fields(1, 1, 8, GreyRamp(2, 1), {{0, 0, 0, 0}}), 0xFFFFFFFFu)), BmpError::Truncated},
        {"colours used far beyond the file at 32 bits",
         BuildBmp(With(Fields(1, 1, 32, {}, {{0, 0, 0, 0}}), 0xFFFFFFFFu)), BmpError::Truncated},
    };
}

TEST(BmpDecoder, RefusesUnsupportedAndDamagedFilesWithoutTouchingTheImage) {
    for (const FailCase& c : FailCases()) {
        SCOPED_TRACE(c.name);
        QImage image(1, 1, QImage::Format_RGB32);
        image.fill(kGreen);
        EXPECT_EQ(DecodeBmp(c.file, image), c.expected);
        EXPECT_EQ(image.size(), QSize(1, 1));
        EXPECT_EQ(image.pixel(0, 0), kGreen);

        CSkinPicture picture;
        EXPECT_FALSE(picture.LoadFromMemory(c.file));
        EXPECT_FALSE(picture.loaded());
        EXPECT_EQ(picture.lastError(), c.expected);
        EXPECT_EQ(picture.bitsPerPixel(), 0);
        int width = -7, height = -7;
        EXPECT_FALSE(picture.GetSize(width, height));
        EXPECT_EQ(width, -7);
        EXPECT_EQ(height, -7);
    }
}

// A file is checked from its headers and its size alone; that must refuse
// exactly what decoding the whole file refuses.
TEST(SkinPicture, FileCheckRefusesWhatDecodingRefuses) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.bmp"));
    for (const FailCase& c : FailCases()) {
        SCOPED_TRACE(c.name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.file);
        file.close();
        CSkinPicture picture;
        EXPECT_FALSE(picture.LoadFromFile(path));
        EXPECT_EQ(picture.lastError(), c.expected);
        EXPECT_TRUE(picture.image().isNull());
    }
}

// Pixels are read when first asked for: a file that is gone or no longer the
// picture checked at load by then gives no image (a blank area), never
// another size than the layout was built with.
TEST(SkinPicture, FileChangedAfterLoadingGivesNoImage) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("panel.bmp"));
    const auto writeFile = [&](const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    };
    const QByteArray threeByTwo = BuildBmp(Fields(3, 2, 1, TwoColoursThenGreen(2), kOneBitRows));
    const QByteArray twoByTwo = BuildBmp(Fields(2, 2, 24, {}, kRgbRows));
    const struct {
        const char* name;
        std::function<void()> change;
    } cases[] = {
        {"removed", [&] { QFile::remove(path); }},
        {"other size", [&] { writeFile(twoByTwo); }},
        {"cut short", [&] { writeFile(threeByTwo.left(threeByTwo.size() - 1)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(threeByTwo);
        CSkinPicture picture;
        ASSERT_TRUE(picture.LoadFromFile(path));
        c.change();
        EXPECT_TRUE(picture.loaded());
        EXPECT_TRUE(picture.image().isNull());
    }
}

TEST(SkinPicture, LoadsFromFileAndReportsItsSize) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("panel.bmp"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(BuildBmp(Fields(3, 2, 1, TwoColoursThenGreen(2), kOneBitRows)));
    file.close();

    CSkinPicture picture;
    ASSERT_TRUE(picture.LoadFromFile(path));
    EXPECT_TRUE(picture.loaded());
    int width = 0, height = 0;
    EXPECT_TRUE(picture.GetSize(width, height));
    EXPECT_EQ(QSize(width, height), QSize(3, 2));
    EXPECT_EQ(picture.bitsPerPixel(), 1);
    EXPECT_EQ(ImagePixels(picture.image()), kOneBitPixels);

    EXPECT_FALSE(picture.LoadFromFile(dir.filePath(QStringLiteral("missing.bmp"))));
    EXPECT_FALSE(picture.loaded());
    EXPECT_EQ(picture.lastError(), BmpError::CannotOpen);
    EXPECT_EQ(picture.bitsPerPixel(), 0);
    EXPECT_TRUE(picture.image().isNull());
}

}  // namespace
