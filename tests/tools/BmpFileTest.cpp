#include <QImage>
#include <gtest/gtest.h>

#include "tools/skingen/BmpFile.h"
#include "tools/skingen/Quantize.h"

using namespace skingen;

namespace {

uint32_t U32(const QByteArray& b, int at) {
    return uint8_t(b[at]) | uint8_t(b[at + 1]) << 8 | uint8_t(b[at + 2]) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}

// Picture with a distinct colour per pixel (as far as colours allows), odd
// widths so rows need padding.
QImage Pattern(int width, int height, int colours) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int i = (y * width + x) % colours;
            image.setPixel(x, y, qRgb(i * 37 % 256, i * 11 % 256, 255 - i % 256));
        }
    return image;
}

struct EncodeCase {
    const char* name;
    int width, height, colours;  // colours 0: 24-bit
};

class BmpEncode : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(BmpEncode, PixelDataFollowsColourTableAndDecodesToSource) {
    const EncodeCase c = GetParam();
    const QImage source = Pattern(c.width, c.height, c.colours ? c.colours : 100000);
    const QByteArray bytes = c.colours ? EncodeBmp8(QuantizeToIndexed8(source)) : EncodeBmp24(source);
    const int bits = c.colours ? 8 : 24;
    const uint32_t tableEntries = c.colours ? uint32_t(c.colours) : 0;
    const uint32_t pixelOffset = 14 + 40 + 4 * tableEntries;
    const uint32_t stride = (uint32_t(c.width) * bits + 31) / 32 * 4;
    EXPECT_TRUE(bytes.startsWith("BM"));
    EXPECT_EQ(U32(bytes, 2), uint32_t(bytes.size()));
    EXPECT_EQ(U32(bytes, 10), pixelOffset);
    EXPECT_EQ(U32(bytes, 14), 40u);
    EXPECT_EQ(U32(bytes, 46), tableEntries) << "colours used";
    EXPECT_EQ(uint32_t(bytes.size()), pixelOffset + stride * uint32_t(c.height));
    QString error;
    const QImage decoded = DecodeBmp(bytes, &error);
    ASSERT_FALSE(decoded.isNull()) << error.toStdString();
    EXPECT_EQ(decoded, source.convertToFormat(QImage::Format_RGB32));
}

INSTANTIATE_TEST_SUITE_P(Variants, BmpEncode,
                         ::testing::Values(EncodeCase{"TwoColours", 5, 3, 2}, EncodeCase{"SixteenColours", 7, 4, 16},
                                           EncodeCase{"FullPalette", 31, 9, 256}, EncodeCase{"TrueColour", 13, 5, 0},
                                           EncodeCase{"TrueColourAligned", 8, 2, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct CorruptCase {
    const char* name;
    void (*damage)(QByteArray&);
};

class BmpDecodeRefuses : public ::testing::TestWithParam<CorruptCase> {};

TEST_P(BmpDecodeRefuses, DamagedFile) {
    QByteArray bytes = EncodeBmp8(QuantizeToIndexed8(Pattern(9, 6, 16)));
    GetParam().damage(bytes);
    QString error;
    EXPECT_TRUE(DecodeBmp(bytes, &error).isNull());
    EXPECT_FALSE(error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Damage, BmpDecodeRefuses,
    ::testing::Values(CorruptCase{"WrongMagic", [](QByteArray& b) { b[1] = 'X'; }},
                      CorruptCase{"OffsetFieldLies", [](QByteArray& b) { b[10] = char(b[10] + 4); }},
                      CorruptCase{"TruncatedPixels", [](QByteArray& b) { b.chop(3); }},
                      CorruptCase{"ShortHeader", [](QByteArray& b) { b.truncate(30); }},
                      CorruptCase{"OtherHeaderSize", [](QByteArray& b) { b[14] = 108; }},
                      CorruptCase{"IndexPastTable", [](QByteArray& b) { b[b.size() - 4] = char(200); }},
                      CorruptCase{"Compressed", [](QByteArray& b) { b[30] = 1; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Quantize, RichPictureGetsAtMost256CloseColours) {
    QImage gradient(256, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x) gradient.setPixel(x, y, qRgb(x, (x + 3 * y) % 256, 128 + y));
    const QImage indexed = QuantizeToIndexed8(gradient);
    ASSERT_EQ(indexed.format(), QImage::Format_Indexed8);
    EXPECT_LE(indexed.colorCount(), 256);
    int worst = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x) {
            const QRgb a = gradient.pixel(x, y), b = indexed.pixel(x, y);
            worst = std::max(
                {worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
        }
    EXPECT_LE(worst, 48) << "a median-cut palette keeps every pixel near its colour";
}

TEST(Quantize, FewColoursAreKeptExactly) {
    const QImage source = Pattern(17, 5, 40);
    const QImage indexed = QuantizeToIndexed8(source);
    EXPECT_EQ(indexed.colorCount(), 40);
    EXPECT_EQ(indexed.convertToFormat(QImage::Format_RGB32), source);
}

}  // namespace
