#include "base/CodePage.h"

#include <gtest/gtest.h>

TEST(CodePage, RoundTripsEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += char(b);
    bool lossless = false;
    EXPECT_EQ(ToCodePage(FromCodePage(all), &lossless), all);
    EXPECT_TRUE(lossless);
}

TEST(CodePage, MapsWindowsSpecificCharacters) {
    EXPECT_EQ(FromCodePage("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(FromCodePage("\xE4"), QString(QChar(0xE4)));
    bool lossless = true;
    EXPECT_EQ(ToCodePage(QString::fromUtf8("Stra\xC3\x9F"
                                           "e \xE2\x82\xAC \xE6\x97\xA5"),
                         &lossless),
              "Stra\xDF"
              "e \x80 ?");
    EXPECT_FALSE(lossless);
}
