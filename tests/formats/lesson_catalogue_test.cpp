#include "formats/lesson_catalogue.h"
#include "formats/lesson_record.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

using namespace formats;

TEST(LessonCatalogue, BlocksFollowOneAnotherWithTheirUnusedBytes) {
    // Activities whose block is followed by 100 unused bytes.
    const bool gap[12] = {true, false, false, true, false, true,
                          true, true,  true,  true, true,  false};
    EXPECT_EQ(blockStart(0), 1);
    for (int a = 1; a < 12; ++a)
        EXPECT_EQ(blockStart(a),
                  blockStart(a - 1) + 120 * recordLength(a - 1) + (gap[a - 1] ? 100 : 0))
            << a;
    EXPECT_EQ(blockStart(11), 325761);
    EXPECT_EQ(recordPosition(11, 120) + recordLength(11) - 1, kLessonCatalogueSize);
    EXPECT_EQ(recordPosition(2, 5), 39701 + 4 * 205);
    // An unknown activity takes the values of activity 0.
    EXPECT_EQ(blockStart(12), 1);
    EXPECT_EQ(recordLength(-1), 205);
    for (int a = 0; a < 12; ++a) EXPECT_EQ(recordLength(a), recordLayout(a).recordLength);
}

class CatalogueFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(createBlankLessonCatalogue(path)); }
    TempFolder dir;
    std::string path = dir / "lecons.tav";
};

TEST_F(CatalogueFile, BlankCatalogueHasTheExactSize) {
    EXPECT_EQ(dir.read("lecons.tav"), std::string(364040, ' '));
    const LessonRead r = readLessons(path, 5, 17);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(isBlankRecord(r.data));
}

TEST_F(CatalogueFile, LastLessonEndsOnTheLastByte) {
    std::string record(319, 'k');
    ASSERT_TRUE(writeLessonAt(path, recordPosition(11, 120), record));
    const std::string file = dir.read("lecons.tav");
    ASSERT_EQ(file.size(), 364040u);
    EXPECT_EQ(file.substr(364040 - 319), record);
    EXPECT_EQ(file[364040 - 320], ' ');
    const LessonRead r = readLessons(path, 11, 120);
    EXPECT_EQ(r.data, record);
    EXPECT_EQ(r.length, 319);
    EXPECT_EQ(r.position, 364040 - 318);
}

TEST_F(CatalogueFile, WholeBlockOfAnActivity) {
    ASSERT_TRUE(writeLessonAt(path, recordPosition(4, 2), std::string(405, 'b')));
    const LessonRead r = readLessons(path, 4, 0);
    EXPECT_TRUE(r.ok);
    ASSERT_EQ(r.data.size(), 120u * 405);
    EXPECT_EQ(r.data.substr(405, 405), std::string(405, 'b'));
    EXPECT_TRUE(isBlankRecord(r.data.substr(0, 405)));
    EXPECT_EQ(r.position, 0); // a block read records no position
}

TEST_F(CatalogueFile, ZeroBytesAndAShortFileReadAsBlanks) {
    std::string record(205, 'a');
    record[3] = '\0';
    ASSERT_TRUE(writeLessonAt(path, recordPosition(0, 1), record));
    EXPECT_EQ(readLessons(path, 0, 1).data.substr(0, 5), "aaa a");

    dir.write("short.tav", std::string(100, 'x'));
    const LessonRead r = readLessons(dir / "short.tav", 0, 1);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.data, std::string(100, 'x') + std::string(105, ' '));
    EXPECT_TRUE(isBlankRecord(readLessons(dir / "short.tav", 3, 7).data));
}

TEST(LessonCatalogueMissing, ReadGivesBlanksAndNothingIsCreated) {
    TempFolder dir;
    const LessonRead r = readLessons(dir / "lecons.tav", 0, 1);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.data, std::string(205, ' '));
    EXPECT_EQ(r.position, 1);
    EXPECT_FALSE(writeLessonAt(dir / "lecons.tav", 1, "x"));
    EXPECT_FALSE(dir.has("lecons.tav"));
    EXPECT_EQ(readLessons(dir / "lecons.tav", 7, 0).data.size(), 120u * 259);
}

TEST(LessonCatalogueMissing, FoundWithoutRegardToCase) {
    TempFolder dir;
    ASSERT_TRUE(createBlankLessonCatalogue(dir / "lecons.tav"));
    EXPECT_TRUE(readLessons(dir / "LECONS.tav", 0, 1).ok);
}

TEST(LessonCatalogue, OnlyWholeRecordsHaveAPlace) {
    EXPECT_EQ(activityOfRecordAt(recordPosition(2, 5), 205), 2);
    EXPECT_EQ(activityOfRecordAt(recordPosition(11, 120), 319), 11);
    EXPECT_EQ(activityOfRecordAt(1, 205), 0);
    EXPECT_EQ(activityOfRecordAt(recordPosition(2, 5), 120 * 205), -1); // a whole block
    EXPECT_EQ(activityOfRecordAt(recordPosition(2, 5) + 1, 205), -1);
    EXPECT_EQ(activityOfRecordAt(24601, 205), -1); // the unused bytes after block 0
    EXPECT_EQ(activityOfRecordAt(0, 205), -1);
    EXPECT_EQ(activityOfRecordAt(kLessonCatalogueSize + 1, 319), -1);
}
