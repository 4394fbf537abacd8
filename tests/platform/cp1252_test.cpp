#include "platform/cp1252.h"

#include <gtest/gtest.h>

TEST(Cp1252, RoundTripsFrenchText) {
    const std::string text = cp("Tu as terminé les leçons choisies. Œuvre ÷ 20 € «»");
    EXPECT_EQ(platform::cp1252ToUtf8(text), "Tu as terminé les leçons choisies. Œuvre ÷ 20 € «»");
    EXPECT_EQ(static_cast<unsigned char>(cp("÷")[0]), 0xF7);
}
