#include "platform/Cp1250.h"
#include "platform/Cp852.h"

#include <gtest/gtest.h>

using platform::cp1250ToUtf8;
using platform::utf8ToCp1250;

TEST(Cp1250, EveryByteRoundTrips)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = cp1250ToUtf8(all);
    EXPECT_EQ(utf8ToCp1250(utf8), all);
}

TEST(Cp1250, PolishLettersMapToTheirBytes)
{
    // "Zażółć gęślą jaźń" with the Windows-1250 bytes of each letter.
    const std::string text = "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 g\xC4\x99\xC5\x9Bl\xC4\x85 ja\xC5\xBA\xC5\x84";
    const std::string bytes = "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1";
    EXPECT_EQ(utf8ToCp1250(text), bytes);
    EXPECT_EQ(cp1250ToUtf8(bytes), text);
    // Capitals: Ś (8Ch), Ź (8Fh), Ż (AFh), Ł (A3h), Ą (A5h)
    EXPECT_EQ(utf8ToCp1250("\xC5\x9A\xC5\xB9\xC5\xBB\xC5\x81\xC4\x84"), "\x8C\x8F\xAF\xA3\xA5");
}

TEST(Cp1250, UndefinedBytesBecomeC1Controls)
{
    EXPECT_EQ(cp1250ToUtf8("\x81"), "\xC2\x81");
    EXPECT_EQ(cp1250ToUtf8("\x98"), "\xC2\x98");
    EXPECT_EQ(platform::cp1250ToCodePoint(0x80), U'\u20AC');
}

TEST(Cp1250, UnmappableAndMalformedTextBecomesQuestionMarks)
{
    EXPECT_EQ(utf8ToCp1250("\xE2\x82\xAC"), "\x80");         // euro sign has a byte
    EXPECT_EQ(utf8ToCp1250("a\xE6\x97\xA5z"), "a?z");       // CJK character has none
    EXPECT_EQ(utf8ToCp1250("\xF0\x9F\x98\x80"), "?");       // outside the BMP
    EXPECT_EQ(utf8ToCp1250("a\xC5"), "a?");                 // truncated sequence
    EXPECT_EQ(utf8ToCp1250("\xFF" "b"), "?b");              // invalid lead byte
    EXPECT_EQ(utf8ToCp1250("\xC5" "b"), "?b");              // lead byte without continuation
}

TEST(Cp852, PolishLettersOfTheOemPageBecomeUtf8)
{
    // "Łódź" and "ąęśćżźńó" as code page 852 writes them; ASCII stays as it is.
    EXPECT_EQ(platform::cp852ToUtf8("\x9D\xA2\x64\xAB"), "Łódź");
    EXPECT_EQ(platform::cp852ToUtf8("\xA5\xA9\x98\x86\xBE\xAB\xE4\xA2"), "ąęśćżźńó");
    EXPECT_EQ(platform::cp852ToUtf8("Lotto/a.txt"), "Lotto/a.txt");
    EXPECT_EQ(platform::cp852ToUtf8("\xFF\xB0"), "\u00A0\u2591");
}
