#include "platform/strings.h"

#include <gtest/gtest.h>

TEST(Strings, TrimmedDropsTheBlanksAtBothEndsOnly) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},           {"   ", ""},          {"ZOE", "ZOE"},
        {"  ZOE", "ZOE"},   {"ZOE   ", "ZOE"},    {" L'A B ", "L'A B"},
        {"\tA\t", "\tA\t"}, {" \r\nA ", "\r\nA"}, {"\xC9T\xC9 ", "\xC9T\xC9"},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(platform::trimmed(text), expected) << text;
}
