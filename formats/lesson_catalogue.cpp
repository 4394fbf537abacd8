#include "formats/lesson_catalogue.h"

#include "formats/lesson_record.h"
#include "platform/files.h"

#include <algorithm>

namespace formats {
namespace {

constexpr std::int32_t kBlockStart[kActivityCount] = {
    1, 24701, 39701, 64301, 90201, 138801, 165901, 207401, 238581, 268681, 289541, 325761};

int knownActivity(int activity) {
    return activity >= 0 && activity < kActivityCount ? activity : 0;
}

} // namespace

std::int32_t blockStart(int activity) {
    return kBlockStart[knownActivity(activity)];
}

std::int32_t recordLength(int activity) {
    return recordLayout(knownActivity(activity)).recordLength;
}

std::int32_t recordPosition(int activity, int lesson) {
    return blockStart(activity) + (lesson - 1) * recordLength(activity);
}

int activityOfRecordAt(std::int32_t position, std::size_t size) {
    for (int a = 0; a < kActivityCount; ++a) {
        const std::int32_t offset = position - blockStart(a);
        const std::int32_t length = recordLength(a);
        if (offset >= 0 && offset < kLessonsPerActivity * length && offset % length == 0 &&
            size == static_cast<std::size_t>(length))
            return a;
    }
    return -1;
}

LessonRead readLessons(const std::string& path, int activity, int lesson) {
    LessonRead result;
    result.length = recordLength(activity);
    std::int32_t position = blockStart(activity);
    std::size_t size = static_cast<std::size_t>(kLessonsPerActivity) * result.length;
    if (lesson != 0) {
        position = recordPosition(activity, lesson);
        result.position = position;
        size = result.length;
    }
    result.data.assign(size, ' ');
    // A lesson number outside 0..120 would read the neighbouring block or the unused bytes.
    if (lesson < 0 || lesson > kLessonsPerActivity) {
        result.position = 0;
        return result;
    }
    // The existence test comes first: an open for writing would create a missing catalogue.
    if (position >= 1 && platform::fileExists(path)) {
        if (auto bytes = platform::readBytes(path, position, size)) {
            std::copy(bytes->begin(), bytes->end(), result.data.begin());
            result.ok = true;
        }
    }
    std::replace(result.data.begin(), result.data.end(), '\0', ' ');
    return result;
}

bool writeLessonAt(const std::string& path, std::int32_t position, const std::string& record) {
    return position >= 1 && platform::fileExists(path) &&
           platform::writeBytes(path, position, record);
}

std::string blankLessonCatalogue() {
    return std::string(kLessonCatalogueSize, ' ');
}

bool createBlankLessonCatalogue(const std::string& path) {
    return platform::createFile(path, blankLessonCatalogue());
}

} // namespace formats
