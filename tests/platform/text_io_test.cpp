#include "platform/text_io.h"

#include <gtest/gtest.h>

using platform::TextReader;
using platform::TextWriter;

TEST(TextWriter, IntegersCarryTheirSignPlaceAndATrailingBlank) {
    EXPECT_EQ(platform::formatInteger(8), " 8 ");
    EXPECT_EQ(platform::formatInteger(0), " 0 ");
    EXPECT_EQ(platform::formatInteger(-1), "-1 ");
    EXPECT_EQ(platform::formatInteger(1450), " 1450 ");
    EXPECT_EQ(TextWriter().text("ZOE").endLine().integer(-1).carriageReturn().lineFeed().str(),
              "ZOE\r\n-1 \r\n");
}

TEST(TextReader, TextsEndAtCarriageReturnLineEndOrComma) {
    TextReader r("  ZOE  \r\nCOTE\rA,B\n\r\nlast");
    EXPECT_EQ(r.text(), "ZOE"); // blanks around the value dropped, CR LF taken as one end
    EXPECT_EQ(r.text(), "COTE");
    EXPECT_EQ(r.text(), "A");
    EXPECT_EQ(r.text(), "B");
    EXPECT_EQ(r.text(), ""); // an empty line is an empty text
    EXPECT_EQ(r.text(), "last");
    EXPECT_EQ(r.text(), std::nullopt); // nothing left: failure, not an empty text
}

TEST(TextReader, EmptyValuesBetweenCarriageReturns) {
    TextReader r("\r\r\r 0 \r\n");
    EXPECT_EQ(r.text(), "");
    EXPECT_EQ(r.text(), "");
    EXPECT_EQ(r.text(), "");
    EXPECT_EQ(r.integer(), 0);
    EXPECT_TRUE(r.atEnd());
}

TEST(TextReader, QuotedTextKeepsItsComma) {
    TextReader r("\"/HOME/A,B/\"\r -1 \r\"open\r");
    EXPECT_EQ(r.text(), "/HOME/A,B/");
    EXPECT_EQ(r.integer(), -1);
    EXPECT_EQ(r.text(), "\"open"); // no closing quote: read as it stands
}

TEST(TextReader, Integers) {
    struct Case {
        const char* text;
        std::optional<std::int16_t> value;
    };
    const Case cases[] = {
        {" 8 \r\n", 8},
        {"-1 \r\n", -1},
        {"  32767  ", 32767},
        {"-32768", -32768},
        {"32768", std::nullopt},
        {"-32769", std::nullopt},
        {"99999999999", std::nullopt},
        {"2.5", 2},
        {"3.5", 4},
        {"1e2", 100},
        {"+7", 7},
        {"", std::nullopt},
        {"   \r\n", std::nullopt},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {"-", std::nullopt},
        {"1e", std::nullopt},
    };
    for (const Case& c : cases) {
        TextReader r(c.text);
        EXPECT_EQ(r.integer(), c.value) << '"' << c.text << '"';
    }
}

TEST(TextReader, ValuesFollowOneAnother) {
    TextReader r(" 0 \r\n 11 \r\nAgBh\r\n");
    EXPECT_EQ(r.integer(), 0);
    EXPECT_EQ(r.integer(), 11);
    EXPECT_EQ(r.text(), "AgBh");
    EXPECT_EQ(r.integer(), std::nullopt);
}

TEST(TextReader, QuotedTextRunsToTheLastQuoteOfItsLine) {
    TextReader r("\"/A\",\"/\"  \r\n\"x\" , y\r\n");
    EXPECT_EQ(r.text(), "/A\",\"/");
    EXPECT_EQ(r.text(), "x");
    EXPECT_EQ(r.text(), "y");
}

// Every text the writer puts down reads back as the reader gives it, the line ends that no
// value can hold turned into blanks.
TEST(TextWriter, TextsReadBackAsWritten) {
    const char* const texts[] = {"",     "ZOE", "  ",      " /E/ ",  "A,B",    "\"", "\"\"", "a\"b",
                                 "\"x,", "\t",  "Ae,AfAg", "x\" ,y", "\"open", ",",  " , "};
    for (const std::string text : texts) {
        const std::string written = TextWriter().text(text).endLine().text("next").endLine().str();
        TextReader r(written);
        EXPECT_EQ(r.text(), text) << written;
        EXPECT_EQ(r.text(), "next") << written;
    }
    EXPECT_EQ(TextWriter().text("ZOE").str(), "ZOE"); // a plain text is written as it stands
    TextReader r(TextWriter().text("a\rb\nc").endLine().str());
    EXPECT_EQ(r.text(), platform::textAsStored("a\rb\nc"));
    EXPECT_EQ(platform::textAsStored("a\rb\nc"), "a b c");
}
