// The lesson catalogue and its records: a catalogue of any bytes and length reads lessons and
// blocks of the size asked, every field of every record cuts safely, and a record written in
// place reads back as written without touching its neighbours.
#include "formats/lesson_catalogue.h"
#include "formats/lesson_record.h"
#include "fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int activity = in.ConsumeIntegralInRange(-2, 13);
    const int lesson = in.ConsumeIntegralInRange(-2, 122);
    const std::string written = in.ConsumeRandomLengthString(2000);
    const std::string catalogue = in.ConsumeRemainingBytesAsString();
    const std::string path = fuzz::writeFile("lecons.tav", catalogue);

    const formats::LessonRead read = formats::readLessons(path, activity, lesson);
    const std::size_t length = std::size_t(formats::recordLength(activity));
    FUZZ_CHECK(read.data.size() == (lesson == 0 ? length * formats::kLessonsPerActivity : length));
    FUZZ_CHECK(read.data.find('\0') == std::string::npos);
    if (lesson < 0 || lesson > formats::kLessonsPerActivity) FUZZ_CHECK(!read.ok);

    const int a = activity >= 0 && activity < formats::kActivityCount ? activity : 0;
    const formats::RecordLayout& layout = formats::recordLayout(a);
    for (int item = 0; item < layout.itemCount; ++item) {
        FUZZ_CHECK(formats::itemText(read.data, a, item).size() == std::size_t(layout.itemLength));
        for (std::size_t f = 0; f < layout.fields.size(); ++f) {
            const std::string raw = formats::rawField(read.data, a, item, int(f));
            FUZZ_CHECK(raw.size() == std::size_t(layout.fields[f].width));
            std::string record = read.data;
            formats::setField(record, a, item, int(f), written);
            FUZZ_CHECK(record.size() >= std::size_t(layout.recordLength));
            std::string expected = written.substr(0, layout.fields[f].width);
            expected.resize(layout.fields[f].width, ' ');
            FUZZ_CHECK(formats::rawField(record, a, item, int(f)) == expected);
        }
    }

    if (lesson >= 1 && lesson <= formats::kLessonsPerActivity && read.ok) {
        auto neighbour = [&](int n) {
            return n >= 1 && n <= formats::kLessonsPerActivity
                       ? formats::readLessons(path, a, n).data
                       : std::string();
        };
        const std::string before = neighbour(lesson - 1), after = neighbour(lesson + 1);
        std::string record = written.substr(0, length);
        record.resize(length, 'x');
        FUZZ_CHECK(formats::activityOfRecordAt(read.position, record.size()) == a);
        FUZZ_CHECK(formats::writeLessonAt(path, read.position, record));
        std::string expected = record;
        for (char& c : expected)
            if (c == '\0') c = ' ';
        FUZZ_CHECK(formats::readLessons(path, a, lesson).data == expected);
        FUZZ_CHECK(neighbour(lesson - 1) == before);
        FUZZ_CHECK(neighbour(lesson + 1) == after);
    }
    return 0;
}
