// Lays out the data folder the program ships with: the lesson catalogue "lecons.tav", the
// sequence catalogue "SEQUENCE.TAV" and the title picture "titre.wmf". A catalogue given on the
// command line is checked for its exact size and copied; without one, the catalogue is written
// with blank records (no lesson, no sequence). No settings file is written, so the program's
// first start takes its first-use path.
//
//   tavrel_donnees <folder> [--lecons <file>] [--sequences <file>] [--titre <file>]
#include "formats/lesson_catalogue.h"
#include "formats/sequence_catalogue.h"
#include "platform/files.h"

#include <cstdio>
#include <map>
#include <optional>
#include <string>

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "tavrel_donnees: %s\n", message.c_str());
    return 1;
}

// The catalogue's bytes: the given file, whole and of the right size, or the blank catalogue.
std::optional<std::string> catalogue(const std::string& source, std::size_t size,
                                     const std::string& blank, std::string& error) {
    if (source.empty()) return blank;
    const auto bytes = platform::readWholeFile(source);
    if (!bytes) {
        error = "cannot read " + source;
        return std::nullopt;
    }
    if (bytes->size() != size) {
        error = source + " holds " + std::to_string(bytes->size()) + " bytes instead of " +
                std::to_string(size);
        return std::nullopt;
    }
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return fail("usage: tavrel_donnees <folder> [--lecons f] [--sequences f] [--titre f]");
    std::string folder = argv[1];
    std::map<std::string, std::string> inputs;
    for (int i = 2; i < argc; i += 2) {
        const std::string option = argv[i];
        if ((option != "--lecons" && option != "--sequences" && option != "--titre") ||
            i + 1 >= argc)
            return fail("unknown or incomplete option " + option);
        inputs[option] = argv[i + 1];
    }
    if (!platform::makeFolders(folder)) return fail("cannot make the folder " + folder);
    if (folder.back() != '/') folder += '/';

    std::string error;
    const auto lessons = catalogue(inputs["--lecons"], formats::kLessonCatalogueSize,
                                   formats::blankLessonCatalogue(), error);
    if (!lessons) return fail(error);
    const auto sequences = catalogue(inputs["--sequences"], formats::kSequenceCatalogueSize,
                                     formats::blankSequenceCatalogue(), error);
    if (!sequences) return fail(error);

    if (!platform::createFile(folder + formats::kLessonCatalogueName, *lessons))
        return fail("cannot write " + folder + formats::kLessonCatalogueName);
    if (!platform::createFile(folder + formats::kSequenceCatalogueName, *sequences))
        return fail("cannot write " + folder + formats::kSequenceCatalogueName);
    if (const std::string& title = inputs["--titre"]; !title.empty()) {
        const auto picture = platform::readWholeFile(title);
        if (!picture || picture->empty()) return fail("cannot read " + title);
        if (!platform::createFile(folder + "titre.wmf", *picture))
            return fail("cannot write " + folder + "titre.wmf");
    }
    return 0;
}
