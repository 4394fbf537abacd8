#include "formats/sequence_catalogue.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

using namespace formats;

TEST(SequenceCatalogue, Positions) {
    EXPECT_EQ(kSequenceCatalogueSize, 41400);
    EXPECT_EQ(sequenceTitlePosition(1), 1);
    EXPECT_EQ(sequenceTitlePosition(50) + kTitleLength - 1, 1250);
    EXPECT_EQ(sequenceListPosition(1), 1401);
    EXPECT_EQ(sequenceListPosition(50) + kSequenceListLength - 1, kSequenceCatalogueSize);
}

TEST(SequenceCatalogue, StoredTitlesAndLists) {
    EXPECT_EQ(storedTitle("  Les ensembles  "), "Les ensembles            ");
    EXPECT_EQ(storedTitle(std::string(30, 'x')), std::string(25, 'x'));
    EXPECT_EQ(storedList("AeAf"), "AeAf" + std::string(796, ' '));
    std::string table;
    setTitle(table, 2, "Deux");
    ASSERT_EQ(table.size(), 1250u);
    EXPECT_EQ(titleOf(table, 2), "Deux");
    EXPECT_EQ(titleOf(table, 1), "");
    EXPECT_EQ(titleOf(table, 51), "");
}

class SequenceFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(createBlankSequenceCatalogue(path)); }
    TempFolder dir;
    std::string path = dir / "SEQUENCE.TAV";
};

TEST_F(SequenceFile, WriteThenReadASequence) {
    std::string table = readTitleTable(path);
    setTitle(table, 50, "Fin");
    std::string codes;
    for (int i = 0; i < 400; ++i) codes += {static_cast<char>('A' + i % 12), 'e'};
    ASSERT_TRUE(writeSequence(path, table, 50, codes));
    const std::string file = dir.read("SEQUENCE.TAV");
    ASSERT_EQ(file.size(), 41400u);
    EXPECT_EQ(file.substr(41400 - 800), codes); // sequence 50 ends the file
    EXPECT_EQ(titleOf(readTitleTable(path), 50), "Fin");
    EXPECT_EQ(readSequenceList(path, 50), codes);
    EXPECT_EQ(readSequenceList(path, 49), std::string(800, ' '));
}

TEST_F(SequenceFile, ZeroBytesAreReturnedAsTheyAre) {
    dir.write("SEQUENCE.TAV", std::string(1400, ' ')); // lists never written
    ASSERT_TRUE(writeSequence(path, std::string(1250, ' '), 3, "Ae"));
    EXPECT_EQ(readSequenceList(path, 1), std::string(800, '\0'));
    EXPECT_EQ(readSequenceList(path, 3).substr(0, 3), "Ae ");
    EXPECT_EQ(readSequenceList(path, 4), std::string(800, ' ')); // beyond the end: blanks
}

TEST(SequenceCatalogueMissing, ReadsBlanksAndIsNeverCreated) {
    TempFolder dir;
    EXPECT_EQ(readSequenceBytes(dir / "SEQUENCE.TAV", 1401, 800), std::string(800, ' '));
    EXPECT_FALSE(writeSequence(dir / "SEQUENCE.TAV", std::string(1250, ' '), 1, "Ae"));
    EXPECT_FALSE(dir.has("SEQUENCE.TAV"));
    EXPECT_EQ(readSequenceBytes(dir / "x", 1, 0), "");
}

TEST(SequenceCatalogueMissing, FoundWithoutRegardToCase) {
    TempFolder dir;
    ASSERT_TRUE(createBlankSequenceCatalogue(dir / "sequence.tav"));
    EXPECT_TRUE(writeSequence(dir / "SEQUENCE.TAV", std::string(1250, ' '), 1, "Ae"));
    EXPECT_EQ(readSequenceList(dir / "SEQUENCE.TAV", 1).substr(0, 2), "Ae");
    EXPECT_FALSE(dir.has("SEQUENCE.TAV"));
}
