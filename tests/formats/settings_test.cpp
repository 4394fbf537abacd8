#include "formats/settings.h"

#include <gtest/gtest.h>

using namespace formats;

TEST(SettingsFile, TwoLinesOfValuesEndedByCarriageReturns) {
    Settings s;
    s.dossierEleves = "C:/ELEVES/";
    s.menuLeconsAccessible = -1;
    s.sansInscriptionImmediate = 0;
    s.conserverChoix = 0;
    s.critereReussite = 2;
    s.repriseParDefaut = -1;
    EXPECT_EQ(formatSettings(s), "C:/ELEVES/\r-1 \r 0 \r 0 \r 2 \r-1 \r\n"
                                 "\r\r\r 0 \r 0 \r 0 \r\n");
}

TEST(SettingsFile, ReadsBackWhatWasWritten) {
    Settings s;
    s.dossierEleves = "/SRV/ECOLE/ELEVES/";
    s.menuLeconsAccessible = 0;
    s.sansInscriptionImmediate = -1;
    s.conserverChoix = -1;
    s.critereReussite = 3;
    s.repriseParDefaut = 0;
    Settings read;
    ASSERT_TRUE(parseSettings(formatSettings(s), read));
    EXPECT_EQ(read.dossierEleves, s.dossierEleves);
    EXPECT_EQ(read.menuLeconsAccessible, 0);
    EXPECT_EQ(read.sansInscriptionImmediate, -1);
    EXPECT_EQ(read.conserverChoix, -1);
    EXPECT_EQ(read.critereReussite, 3);
    EXPECT_EQ(read.repriseParDefaut, 0);
}

TEST(SettingsFile, AFolderWithACommaOrAQuoteReadsBackWhole) {
    for (const char* folder : {"/HOME/A,B/", "/HOME/\"X\"/", "/HOME/\",\"/"}) {
        Settings s;
        s.dossierEleves = folder;
        s.critereReussite = 1;
        Settings read;
        ASSERT_TRUE(parseSettings(formatSettings(s), read)) << folder;
        EXPECT_EQ(read.dossierEleves, folder);
        EXPECT_EQ(read.critereReussite, 1);
    }
}

TEST(SettingsFile, OutOfRangeValuesAreMended) {
    Settings read;
    ASSERT_TRUE(parseSettings("/E/\r 5 \r 1 \r-7 \r 9 \r 3 \r\n\r\r\r 0 \r 0 \r 0 \r\n", read));
    EXPECT_EQ(read.menuLeconsAccessible, -1);
    EXPECT_EQ(read.sansInscriptionImmediate, -1);
    EXPECT_EQ(read.conserverChoix, -1);
    EXPECT_EQ(read.critereReussite, 2);
    EXPECT_EQ(read.repriseParDefaut, -1);
    ASSERT_TRUE(parseSettings("/E/\r 0 \r 0 \r 0 \r-1 \r 0 \r\n\r\r\r 0 \r 0 \r 0 \r\n", read));
    EXPECT_EQ(read.critereReussite, 2);
    EXPECT_EQ(read.menuLeconsAccessible, 0);
}

TEST(SettingsFile, AFileThatEndsAfterItsFirstLineFailsButKeepsItsValues) {
    Settings read;
    EXPECT_FALSE(parseSettings("/E/\r 0 \r-1 \r-1 \r 1 \r 0 \r\n", read));
    EXPECT_EQ(read.dossierEleves, "/E/");
    EXPECT_EQ(read.critereReussite, 1);
    EXPECT_EQ(read.repriseParDefaut, 0);

    Settings partial;
    EXPECT_FALSE(parseSettings("/E/\r 0 \rabc\r", partial));
    EXPECT_EQ(partial.menuLeconsAccessible, 0);
    EXPECT_EQ(partial.sansInscriptionImmediate, 0); // untouched default
    EXPECT_FALSE(parseSettings("", partial));
    EXPECT_FALSE(parseSettings("/E/\r 0 \r 0 \r 0 \r 99999 \r", partial));
}
