// The sequence catalogue: a catalogue of any bytes and length gives titles and lists of their
// sizes, and a sequence written reads back as stored without touching the other sequences.
#include "formats/sequence_catalogue.h"
#include "fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int sequence = in.ConsumeIntegralInRange(-1, formats::kSequenceCount + 1);
    const std::string title = in.ConsumeRandomLengthString(40);
    const std::string list = in.ConsumeRandomLengthString(1000);
    const std::int32_t position = in.ConsumeIntegral<std::int32_t>();
    const int count = in.ConsumeIntegralInRange(-10, 3000);
    const std::string catalogue = in.ConsumeRemainingBytesAsString();
    const std::string path = fuzz::writeFile("SEQUENCE.TAV", catalogue);

    FUZZ_CHECK(formats::readSequenceBytes(path, position, count).size() ==
               std::size_t(count > 0 ? count : 0));
    std::string table = formats::readTitleTable(path);
    FUZZ_CHECK(table.size() == std::size_t(formats::kTitleTableLength));
    for (int s = 0; s <= formats::kSequenceCount + 1; ++s)
        FUZZ_CHECK(formats::titleOf(table, s).size() <= std::size_t(formats::kTitleLength));
    if (sequence < 1 || sequence > formats::kSequenceCount) {
        FUZZ_CHECK(!formats::writeSequence(path, table, sequence, list));
        return 0;
    }
    FUZZ_CHECK(formats::readSequenceList(path, sequence).size() ==
               std::size_t(formats::kSequenceListLength));

    const int other = sequence == 1 ? 2 : sequence - 1;
    const std::string otherList = formats::readSequenceList(path, other);
    formats::setTitle(table, sequence, title);
    FUZZ_CHECK(formats::writeSequence(path, table, sequence, list));
    const std::string tableRead = formats::readTitleTable(path);
    FUZZ_CHECK(tableRead == table);
    FUZZ_CHECK(formats::titleOf(tableRead, sequence) ==
               formats::titleOf(std::string(formats::kTitleTableLength, ' ')
                                    .replace(formats::sequenceTitlePosition(sequence) - 1,
                                             formats::kTitleLength, formats::storedTitle(title)),
                                sequence));
    FUZZ_CHECK(formats::readSequenceList(path, sequence) == formats::storedList(list));
    // A write past the end of a short catalogue fills the gap with zero bytes, which read as
    // they are where blanks were read before: the same empty entries.
    auto blanked = [](std::string list) {
        for (char& c : list)
            if (c == '\0') c = ' ';
        return list;
    };
    FUZZ_CHECK(blanked(formats::readSequenceList(path, other)) == blanked(otherList));
    return 0;
}
