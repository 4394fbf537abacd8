// The pupil file: whatever the bytes, the reader never fails badly; what it reads, written again,
// reads back as the same values and the same text; and whatever the program holds, the file it
// writes reads back whole.
#include "formats/pupil_file.h"
#include "fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

void writtenReadsBack(const formats::PupilValues& values) {
    const std::string written = formats::formatPupilFile(values);
    formats::PupilValues read;
    FUZZ_CHECK(formats::parsePupilFile(written, false, read) == formats::PupilReadStatus::Read);
    FUZZ_CHECK(read == formats::storablePupilValues(values));
    FUZZ_CHECK(formats::formatPupilFile(read) == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    for (bool namesOnly : {false, true}) {
        formats::PupilValues read;
        if (formats::parsePupilFile(content, namesOnly, read) == formats::PupilReadStatus::Read &&
            !namesOnly)
            writtenReadsBack(read);
    }

    FuzzedDataProvider in(data, size);
    formats::PupilValues values;
    values.prenom = in.ConsumeRandomLengthString(64);
    values.nom = in.ConsumeRandomLengthString(64);
    values.positionListe = in.ConsumeIntegral<std::int16_t>();
    values.activite = in.ConsumeIntegral<std::int16_t>();
    values.listeLecons = in.ConsumeRandomLengthString(4096);
    values.numeroSequence = in.ConsumeIntegral<std::int16_t>();
    values.etatLecons = in.ConsumeRandomLengthString(1500);
    values.points = in.ConsumeIntegral<std::int16_t>();
    values.serieImages = in.ConsumeIntegral<std::int16_t>();
    values.itemsTermines = in.ConsumeIntegral<std::int16_t>();
    values.numeroItem = in.ConsumeIntegral<std::int16_t>();
    values.repriseAutorisee = in.ConsumeIntegral<std::int16_t>();
    writtenReadsBack(values);
    return 0;
}
