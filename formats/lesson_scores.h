// A pupil's lesson scores, as his progress string holds them: one character per lesson, at place
// 120 × activity + lesson number, "#" for a lesson never done and "0".."8" for the score out of 8
// of its last attempt. The string stays as the pupil file stores it; this type reads it and sets
// one score in it.
#pragma once

#include "formats/lesson_record.h"

#include <string>

namespace formats {

constexpr int kProgressLength = 1450;
constexpr char kNeverDone = '#';

// The progress string of a pupil who has done no lesson yet.
inline std::string noProgress() {
    return std::string(kProgressLength, kNeverDone);
}

class LessonScores {
public:
    explicit LessonScores(const std::string& progress) : progress_(progress) {}

    // 1-based place of lesson 1..120 of activity 0..11 in the string.
    static constexpr long place(int activity, int lesson) {
        return static_cast<long>(kLessonsPerActivity) * activity + lesson;
    }
    // The lowest score out of 8 that passes a lesson under the success criterion 0..3: 7, 6, 5
    // or 4.
    static constexpr int passMark(int criterion) { return 7 - criterion; }
    // A score character passes when it is at least the pass mark's digit.
    static bool passes(char score, int criterion) {
        return score >= static_cast<char>('0' + passMark(criterion));
    }
    // A character the file keeps: "#" or a score "0".."8".
    static bool storable(char score) {
        return score == kNeverDone || (score >= '0' && score <= '8');
    }

    // The lesson's character; "#" when the string has no such place.
    char score(int activity, int lesson) const;
    bool passed(int activity, int lesson, int criterion) const {
        return passes(score(activity, lesson), criterion);
    }
    // Last done with 8 out of 8 (a character after "8" counts the same).
    bool perfect(int activity, int lesson) const;
    // How many lessons the string records as done.
    int lessonsDone() const;

    // Records `score` as the lesson's last; a string cut short is first filled out with "#".
    // A place outside the 1450 of the string changes nothing.
    static void set(std::string& progress, int activity, int lesson, int score);

private:
    const std::string& progress_;
};

} // namespace formats
