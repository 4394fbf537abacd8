#include "formats/passwords.h"

#include <gtest/gtest.h>

using namespace formats;

TEST(Passwords, ScramblingAddsThreeTimesThePositionAndFifty) {
    const auto stored = scramblePassword("AB");
    ASSERT_TRUE(stored);
    EXPECT_EQ(static_cast<unsigned char>((*stored)[0]), 'A' + 3 + 50);
    EXPECT_EQ(static_cast<unsigned char>((*stored)[1]), 'B' + 6 + 50);
    EXPECT_EQ(unscramblePassword(*stored), "AB");
    // The extremes of what the key filters let through stay in 101..178.
    EXPECT_EQ(static_cast<unsigned char>(scramblePassword("0")->at(0)), 101);
    EXPECT_EQ(static_cast<unsigned char>(scramblePassword(std::string(12, '\\'))->at(11)), 178);
    EXPECT_FALSE(scramblePassword(std::string(12, '\xFF')));
}

TEST(Passwords, EveryLengthReadsBack) {
    const std::string all = "0123456789:ABCDEFGHIJKLMNOPQRSTUVWXYZ\\";
    for (std::size_t length = 0; length <= 12; ++length) {
        const std::string teacher = all.substr(length, length);
        const std::string manager = all.substr(all.size() - length);
        const std::string rights = "012012000001122";
        const auto text = formatPasswordFile(rights, teacher, manager);
        ASSERT_TRUE(text);
        Passwords read;
        ASSERT_TRUE(parsePasswordFile(*text, read)) << length;
        EXPECT_EQ(read.droits, rights);
        EXPECT_EQ(read.enseignant, teacher) << length;
        EXPECT_EQ(read.gestionnaire, manager) << length;
    }
}

TEST(Passwords, FileLayout) {
    EXPECT_EQ(formatPasswordFile("000000000000000", "  ", ""),
              "000000000000000\r\n\r\n\r\n"); // passwords are taken without outer blanks
    const auto text = formatPasswordFile("100000000000000", " A ", "");
    EXPECT_EQ(*text, "100000000000000\r\n" + std::string(1, 'A' + 53) + "\r\n\r\n");
}

TEST(Passwords, EmptyLineMeansNoPassword) {
    Passwords read;
    ASSERT_TRUE(parsePasswordFile("110000000000000\r\n\r\nxy\r\n", read));
    EXPECT_EQ(read.enseignant, "");
    EXPECT_EQ(read.gestionnaire.size(), 2u);
}

TEST(Passwords, RightsAreAlwaysFifteenDigitsOfZeroOneTwo) {
    const std::pair<const char*, const char*> cases[] = {
        {"012", "012000000000000"},
        {"", "000000000000000"},
        {"9A2-1 1x", "002010100000000"},
        {"012012012012012999", "012012012012012"},
        {"000000022221111", "000000022221111"}, // 8 to 15 kept as read
    };
    for (auto [in, out] : cases) EXPECT_EQ(normaliseRights(in), out) << in;
    Passwords read;
    EXPECT_TRUE(parsePasswordFile("21\r\n\r\n\r\n", read));
    EXPECT_EQ(read.droits, "210000000000000");
}

TEST(Passwords, AShortFileKeepsWhatWasRead) {
    Passwords read;
    EXPECT_FALSE(parsePasswordFile("120000000000000\r\n", read));
    EXPECT_EQ(read.droits, "120000000000000");
    EXPECT_EQ(read.enseignant, "");
    Passwords none;
    EXPECT_FALSE(parsePasswordFile("", none));
    EXPECT_EQ(none.droits, "000000000000000");
}
