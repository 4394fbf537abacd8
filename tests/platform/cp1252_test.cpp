#include "platform/cp1252.h"

#include <gtest/gtest.h>

TEST(Cp1252, RoundTripsFrenchText) {
    const std::string text = cp("Tu as terminé les leçons choisies. Œuvre ÷ 20 € «»");
    EXPECT_EQ(platform::cp1252ToUtf8(text), "Tu as terminé les leçons choisies. Œuvre ÷ 20 € «»");
    EXPECT_EQ(static_cast<unsigned char>(cp("÷")[0]), 0xF7);
}

TEST(Cp1252, CaseRulesOfTheCodePage) {
    struct Case {
        const char* lower;
        const char* upper;
    };
    // Pairs whose two halves are both in the code page change case both ways.
    const Case pairs[] = {{"é", "É"}, {"à", "À"}, {"ç", "Ç"}, {"œ", "Œ"}, {"š", "Š"},
                          {"ž", "Ž"}, {"ÿ", "Ÿ"}, {"ô", "Ô"}, {"z", "Z"}, {"þ", "Þ"}};
    for (const Case& c : pairs) {
        EXPECT_EQ(platform::upper1252(cp(c.lower)), cp(c.upper)) << c.lower;
        EXPECT_EQ(platform::lower1252(cp(c.upper)), cp(c.lower)) << c.upper;
    }
    // No partner in the code page, or not a letter: unchanged.
    for (const char* same : {"ß", "÷", "×", "µ", "ª", "º", "1", "#", "\\"}) {
        EXPECT_EQ(platform::upper1252(cp(same)), cp(same)) << same;
        EXPECT_EQ(platform::lower1252(cp(same)), cp(same)) << same;
    }
    EXPECT_EQ(platform::upper1252(cp("côté-rivière")), cp("CÔTÉ-RIVIÈRE"));
}

TEST(Cp1252, BytesOfTheCodePage) {
    const std::pair<const char*, unsigned char> cases[] = {
        {"€", 0x80}, {"Š", 0x8A}, {"Œ", 0x8C}, {"Ž", 0x8E}, {"œ", 0x9C}, {"Ÿ", 0x9F},
        {"«", 0xAB}, {"»", 0xBB}, {"É", 0xC9}, {"é", 0xE9}, {"÷", 0xF7}, {"ÿ", 0xFF}};
    for (auto [text, byte] : cases) {
        const auto converted = platform::utf8ToCp1252(text);
        ASSERT_TRUE(converted) << text;
        EXPECT_EQ(*converted, std::string(1, static_cast<char>(byte))) << text;
        EXPECT_EQ(platform::cp1252ToUtf8(*converted), text);
    }
}

TEST(Cp1252, RefusesWhatTheCodePageCannotHold) {
    for (const char* text : {"ł", "→", "Zoé ł", "日本", "\xC3", "\xFF"})
        EXPECT_FALSE(platform::utf8ToCp1252(text)) << text;
    // The five unassigned bytes survive a round trip.
    const std::string odd("\x81\x8D\x8F\x90\x9D", 5);
    EXPECT_EQ(platform::utf8ToCp1252(platform::cp1252ToUtf8(odd)), odd);
}
