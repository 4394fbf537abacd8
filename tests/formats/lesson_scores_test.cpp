// A pupil's lesson scores read from and set in his progress string.
#include "formats/lesson_scores.h"
#include "formats/pupil_file.h"

#include <gtest/gtest.h>

using namespace formats;

namespace {

std::string fresh() {
    return std::string(kProgressLength, '#');
}

} // namespace

TEST(LessonScores, EachLessonHasItsOwnCharacterFromTheFirstToTheLast) {
    struct Case {
        int activity, lesson;
        long place;
    };
    const Case cases[] = {
        {0, 1, 1}, {0, 120, 120}, {1, 1, 121}, {4, 7, 487}, {11, 1, 1321}, {11, 120, 1440},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.activity << "/" << c.lesson);
        EXPECT_EQ(LessonScores::place(c.activity, c.lesson), c.place);
        std::string progress = fresh();
        LessonScores::set(progress, c.activity, c.lesson, 5);
        EXPECT_EQ(progress.size(), std::size_t(kProgressLength));
        EXPECT_EQ(progress.find_first_not_of('#'), std::size_t(c.place - 1));
        EXPECT_EQ(progress.find_last_not_of('#'), std::size_t(c.place - 1));
        EXPECT_EQ(LessonScores(progress).score(c.activity, c.lesson), '5');
        EXPECT_EQ(LessonScores(progress).lessonsDone(), 1);
    }
}

TEST(LessonScores, APlaceTheStringDoesNotHaveReadsAsNeverDoneAndIsNeverWritten) {
    struct Case {
        int activity, lesson;
    };
    // Lesson 0 of activity 0 and anything below it; past the 1450 characters.
    const Case outside[] = {{0, 0}, {-1, 120}, {0, -5}, {12, 11}, {12, 120}, {20, 1}};
    for (const Case& c : outside) {
        SCOPED_TRACE(testing::Message() << c.activity << "/" << c.lesson);
        std::string progress = fresh();
        LessonScores::set(progress, c.activity, c.lesson, 8);
        EXPECT_EQ(progress, fresh());
        EXPECT_EQ(LessonScores(std::string(kProgressLength, '8')).score(c.activity, c.lesson), '#');
        EXPECT_FALSE(LessonScores(std::string(kProgressLength, '8')).perfect(c.activity, c.lesson));
    }
    // Places 1441..1450 are in the string, after the twelve activities.
    std::string progress = fresh();
    LessonScores::set(progress, 12, 10, 3);
    EXPECT_EQ(progress[1449], '3');
}

TEST(LessonScores, AStringCutShortIsFilledOutBeforeAScoreGoesInAndReadsNeverDonePastItsEnd) {
    std::string progress = "12";
    EXPECT_EQ(LessonScores(progress).score(0, 2), '2');
    EXPECT_EQ(LessonScores(progress).score(0, 3), '#');
    LessonScores::set(progress, 1, 1, 0);
    EXPECT_EQ(progress.size(), std::size_t(kProgressLength));
    EXPECT_EQ(progress.substr(0, 3), "12#");
    EXPECT_EQ(progress[120], '0');
    // A longer string keeps its length.
    std::string longer(kProgressLength + 3, '#');
    LessonScores::set(longer, 11, 120, 4);
    EXPECT_EQ(longer.size(), std::size_t(kProgressLength + 3));
    EXPECT_EQ(longer[1439], '4');
}

TEST(LessonScores, ALessonPassesFromThePassMarkOfEachCriterionUp) {
    struct Case {
        int criterion;
        int mark; // out of 8, as the report writes it
        char lowestPass;
    };
    const Case cases[] = {{0, 7, '7'}, {1, 6, '6'}, {2, 5, '5'}, {3, 4, '4'}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.criterion);
        EXPECT_EQ(LessonScores::passMark(c.criterion), c.mark);
        for (char score = '0'; score <= '9'; ++score)
            EXPECT_EQ(LessonScores::passes(score, c.criterion), score >= c.lowestPass) << score;
        EXPECT_FALSE(LessonScores::passes('#', c.criterion));

        std::string progress = fresh();
        LessonScores::set(progress, 3, 5, c.mark);
        EXPECT_TRUE(LessonScores(progress).passed(3, 5, c.criterion));
        LessonScores::set(progress, 3, 5, c.mark - 1);
        EXPECT_FALSE(LessonScores(progress).passed(3, 5, c.criterion));
        EXPECT_FALSE(LessonScores(progress).passed(3, 6, c.criterion)); // never done
    }
}

TEST(LessonScores, OnlyEightOutOfEightOrACharacterAfterItIsPerfect) {
    const std::pair<char, bool> cases[] = {{'#', false}, {'0', false}, {'7', false},
                                           {'8', true},  {'9', true},  {'\xE9', true}};
    for (const auto& [score, perfect] : cases) {
        std::string progress = fresh();
        progress[LessonScores::place(2, 9) - 1] = score;
        EXPECT_EQ(LessonScores(progress).perfect(2, 9), perfect) << score;
    }
}

TEST(LessonScores, TheFileKeepsNeverDoneAndScoresUpToEightOnly) {
    for (int c = 0; c < 256; ++c) {
        const char score = static_cast<char>(c);
        const bool storable = score == '#' || (score >= '0' && score <= '8');
        EXPECT_EQ(LessonScores::storable(score), storable) << c;
        std::string progress = fresh();
        progress[700] = score;
        EXPECT_EQ(isValidProgress(progress), storable) << c;
        PupilValues values;
        values.etatLecons = progress;
        EXPECT_EQ(storablePupilValues(values).etatLecons[700], storable ? score : '#') << c;
    }
}

TEST(LessonScores, EveryCharacterButNeverDoneCountsAsALessonDone) {
    std::string progress = fresh();
    EXPECT_EQ(LessonScores(progress).lessonsDone(), 0);
    progress[0] = '0';
    progress[719] = '9';
    progress[1449] = 'x';
    EXPECT_EQ(LessonScores(progress).lessonsDone(), 3);
    EXPECT_EQ(LessonScores("").lessonsDone(), 0);
}
