#include "qt/codec.h"

#include <gtest/gtest.h>

namespace orva {
namespace {

TEST(Codec, EveryByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const QString text = fromCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(toCp1252(text), all);
    // One character per byte, all different: nothing is folded onto "?".
    for (int b = 0; b < 256; ++b)
        for (int c = b + 1; c < 256; ++c)
            ASSERT_NE(text[b], text[c]) << b << " " << c;
}

TEST(Codec, BytesMapToTheirCharacters) {
    struct Case {
        unsigned char byte;
        char16_t ch;
    };
    const Case cases[] = {
        {0x41, u'A'},
        {0x0D, 0x000D},
        {0x7F, 0x007F},
        {0x80, 0x20AC},  // euro sign
        {0x82, 0x201A},
        {0x85, 0x2026},
        {0x8A, 0x0160},
        {0x8C, 0x0152},
        {0x8E, 0x017D},
        {0x91, 0x2018},
        {0x93, 0x201C},
        {0x96, 0x2013},
        {0x97, 0x2014},
        {0x99, 0x2122},
        {0x9C, 0x0153},
        {0x9F, 0x0178},
        {0xA0, 0x00A0},
        {0xE9, 0x00E9},
        {0xFF, 0x00FF},
        // The five bytes without a character keep the control character of their number.
        {0x81, 0x0081},
        {0x8D, 0x008D},
        {0x8F, 0x008F},
        {0x90, 0x0090},
        {0x9D, 0x009D},
    };
    for (const Case& c : cases) {
        const std::string byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(fromCp1252(byte), QString(QChar(c.ch))) << int(c.byte);
        EXPECT_EQ(toCp1252(QString(QChar(c.ch))), byte) << int(c.byte);
    }
}

TEST(Codec, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    struct Case {
        QString typed;
        std::string stored;
    };
    const Case cases[] = {
        {QStringLiteral("caf\u00e9 \u20ac5"),
         "caf\xE9 \x80"
         "5"},
        {QStringLiteral("\u03a9mega"), "?mega"},           // Greek capital omega
        {QStringLiteral("\u65e5\u672c"), "??"},            // two CJK characters
        {QString::fromUtf8("a\xF0\x9F\x98\x80z"), "a?z"},  // one emoji, a surrogate pair
        {QStringLiteral("\u0100\u0178"), "?\x9F"},         // A with macron; Y with diaeresis
        {QStringLiteral("\u2028"), "?"},                   // line separator
        {QString(), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toCp1252(c.typed), c.stored) << c.typed.toStdString();
}

}  // namespace
}  // namespace orva
