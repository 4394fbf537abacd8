#include "formats/sequence_catalogue.h"

#include "platform/files.h"
#include "platform/strings.h"

#include <algorithm>

namespace formats {

std::string readSequenceBytes(const std::string& path, std::int32_t position, int count) {
    std::string data(count > 0 ? count : 0, ' ');
    // The existence test first: an open for writing would create a missing catalogue.
    if (count > 0 && position >= 1 && platform::fileExists(path)) {
        if (auto bytes = platform::readBytes(path, position, data.size()))
            std::copy(bytes->begin(), bytes->end(), data.begin());
    }
    return data;
}

std::string readTitleTable(const std::string& path) {
    return readSequenceBytes(path, 1, kTitleTableLength);
}

std::string titleOf(const std::string& titleTable, int sequence) {
    const std::size_t start = sequenceTitlePosition(sequence) - 1;
    if (sequence < 1 || start >= titleTable.size()) return "";
    return platform::trimmed(titleTable.substr(start, kTitleLength));
}

std::string readSequenceList(const std::string& path, int sequence) {
    return readSequenceBytes(path, sequenceListPosition(sequence), kSequenceListLength);
}

std::string storedTitle(const std::string& text) {
    std::string title = platform::trimmed(text).substr(0, kTitleLength);
    title.resize(kTitleLength, ' ');
    return title;
}

void setTitle(std::string& titleTable, int sequence, const std::string& text) {
    if (sequence < 1 || sequence > kSequenceCount) return;
    titleTable.resize(kTitleTableLength, ' ');
    titleTable.replace(sequenceTitlePosition(sequence) - 1, kTitleLength, storedTitle(text));
}

std::string storedList(const std::string& lessonCodes) {
    std::string list = lessonCodes.substr(0, kSequenceListLength);
    list.resize(kSequenceListLength, ' ');
    return list;
}

bool writeSequence(const std::string& path, const std::string& titleTable, int sequence,
                   const std::string& lessonCodes) {
    if (sequence < 1 || sequence > kSequenceCount || !platform::fileExists(path)) return false;
    std::string table = titleTable.substr(0, kTitleTableLength);
    table.resize(kTitleTableLength, ' ');
    return platform::writeBytes(path, 1, table) &&
           platform::writeBytes(path, sequenceListPosition(sequence), storedList(lessonCodes));
}

std::string blankSequenceCatalogue() {
    return std::string(kSequenceCatalogueSize, ' ');
}

bool createBlankSequenceCatalogue(const std::string& path) {
    return platform::createFile(path, blankSequenceCatalogue());
}

} // namespace formats
