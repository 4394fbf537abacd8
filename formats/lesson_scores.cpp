#include "formats/lesson_scores.h"

#include <algorithm>

namespace formats {

char LessonScores::score(int activity, int lesson) const {
    const long p = place(activity, lesson);
    if (p < 1 || p > static_cast<long>(progress_.size())) return kNeverDone;
    return progress_[static_cast<std::size_t>(p - 1)];
}

bool LessonScores::perfect(int activity, int lesson) const {
    return static_cast<unsigned char>(score(activity, lesson)) >= '8';
}

int LessonScores::lessonsDone() const {
    return static_cast<int>(
        std::count_if(progress_.begin(), progress_.end(), [](char c) { return c != kNeverDone; }));
}

void LessonScores::set(std::string& progress, int activity, int lesson, int score) {
    const long p = place(activity, lesson);
    if (p < 1 || p > kProgressLength) return;
    if (progress.size() < static_cast<std::size_t>(kProgressLength))
        progress.resize(kProgressLength, kNeverDone);
    progress[static_cast<std::size_t>(p - 1)] = static_cast<char>('0' + score);
}

} // namespace formats
