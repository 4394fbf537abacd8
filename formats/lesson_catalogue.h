// The lesson catalogue "lecons.tav": twelve blocks of 120 fixed-length records, one block per
// activity, at fixed byte positions, without a header. Records are read and written in place;
// the catalogue is never created by a read or a write.
#pragma once

#include <cstdint>
#include <string>

namespace formats {

constexpr const char* kLessonCatalogueName = "lecons.tav";
// The last byte of the last record of activity 11.
constexpr std::int32_t kLessonCatalogueSize = 364040;

// First byte (1-based) of an activity's block and its record length; an activity outside 0..11
// takes the values of activity 0.
std::int32_t blockStart(int activity);
std::int32_t recordLength(int activity);
// Byte position of lesson 1..120 of an activity.
std::int32_t recordPosition(int activity, int lesson);

struct LessonRead {
    bool ok = false;
    std::string data;          // one record, or the 120 records of the block
    std::int32_t length = 0;   // record length of the activity
    std::int32_t position = 0; // position of the single record read (0 for a block)
};

// The activity whose record `size` bytes long starts exactly at `position`, or -1: a write
// anywhere else would spill over the neighbouring records.
int activityOfRecordAt(std::int32_t position, std::size_t size);

// Reads lesson 1..120 of an activity, or with lesson 0 the whole block. The data always has the
// size asked for: bytes the file does not hold, and zero bytes, read as blanks, and a failed read
// gives blanks. Any other lesson number fails with one blank record and no position.
LessonRead readLessons(const std::string& path, int activity, int lesson);

// Writes a record (or any text) at a byte position of an existing catalogue; false when the file
// is missing or the write fails.
bool writeLessonAt(const std::string& path, std::int32_t position, const std::string& record);

// A catalogue of blank records, kLessonCatalogueSize bytes long (build tools).
std::string blankLessonCatalogue();
bool createBlankLessonCatalogue(const std::string& path);

} // namespace formats
