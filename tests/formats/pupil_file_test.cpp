#include "formats/pupil_file.h"
#include "platform/cp1252.h"
#include "platform/text_io.h"

#include <functional>
#include <gtest/gtest.h>

using namespace formats;

TEST(PupilFileName, WorkedExamples) {
    struct Case {
        const char* prenom;
        const char* nom;
        const char* fileName;
    };
    const Case cases[] = {
        {"ZOÉ", "CÔTÉ-RIVIÈRE", "ZOECECOT.GXO"},
        {"LÉO", "AUBÉ", "LEOB0AUB.B7H"},
        // Lower case is upper-cased first; the accented capitals that are not in the list are
        // dropped (Ë, Ï, Ü, Ÿ), and so are blanks, apostrophes and hyphens.
        {"zoé", "côté-rivière", "ZOECECOT.GXO"},
        {"NOËL", "D'ARC", "NOLB9DAR.B4H"},
        // Fewer than 3 kept characters: shorter parts.
        {"AL", "Ô", "ALA7O.AZD"},
        {"", "", "AA.AAA"},
        // Digits count their value + 1.
        {"JEAN2", "B", "JEACBB.AMG"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nomCourtEleve(cp(c.prenom), cp(c.nom)), c.fileName) << c.prenom << " " << c.nom;
}

TEST(PupilFileName, OnlyTheFirst24CharactersOfANameCount) {
    const std::string nom24 = "ABCDEFGHIJKLMNOPQRSTUVWX";
    EXPECT_EQ(nomCourtEleve("ZOE", nom24 + "YZZZZ"), nomCourtEleve("ZOE", nom24));
    // 24 letters Z: the sum 24 x 36 = 864 gives the check 24 / 0, the first still a letter.
    EXPECT_EQ(nomCourtEleve("A", std::string(30, 'Z')), "AALZZZ.YAZ");
}

TEST(PupilFileName, TheCharactersKeptFromAName) {
    EXPECT_EQ(caracteresRetenus(cp("côté-rivière")), "COTERIVIERE");
    EXPECT_EQ(caracteresRetenus(cp("COTE RIVIERE")), "COTERIVIERE");
    EXPECT_EQ(caracteresRetenus(cp("NOËL D'ARC 2")), "NOLDARC2");
    EXPECT_EQ(caracteresRetenus(std::string(30, 'Z')), std::string(24, 'Z'));
    EXPECT_NE(caracteresRetenus("MARTIN"), caracteresRetenus("MARTNI"));
}

TEST(GroupFolder, TwoDigits) {
    EXPECT_EQ(codeGroupe("7"), "07");
    EXPECT_EQ(codeGroupe("07"), "07");
    EXPECT_EQ(codeGroupe(" 7 "), "07");
    EXPECT_EQ(codeGroupe("0"), "00");
    EXPECT_EQ(codeGroupe("99"), "99");
    EXPECT_EQ(codeGroupe(""), "00");
    EXPECT_EQ(dossierGroupe("/ECOLE/ELEVES/", "07"), "/ECOLE/ELEVES/TAVR#07");
}

namespace {

PupilValues sample() {
    PupilValues v;
    v.prenom = cp("ZOÉ");
    v.nom = cp("CÔTÉ-RIVIÈRE");
    v.positionListe = 3;
    v.activite = 11;
    v.listeLecons = "AgBhCdDe";
    v.numeroSequence = 12;
    v.etatLecons[5] = '8';
    v.etatLecons[1449] = '0';
    v.points = 6;
    v.serieImages = 5;
    v.itemsTermines = 1;
    v.numeroItem = 2;
    v.repriseAutorisee = 0;
    return v;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        out.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "the last line is not ended";
    return out;
}

} // namespace

TEST(PupilFile, NineteenLines) {
    const auto l = lines(formatPupilFile(sample()));
    ASSERT_EQ(l.size(), 19u);
    EXPECT_EQ(l[0], cp("ZOÉ"));
    EXPECT_EQ(l[2], " 3 ");
    EXPECT_EQ(l[3], " 11 ");
    EXPECT_EQ(l[4], "AgBhCdDe");
    EXPECT_EQ(l[5], " 12 ");
    EXPECT_EQ(l[6].size(), 1450u);
    EXPECT_EQ(l[7], " 6 ");
    EXPECT_EQ(l[11], " 0 ");
    EXPECT_EQ(l[12], "");
    EXPECT_EQ(l[14], "");
    EXPECT_EQ(l[15], " 0 ");
    EXPECT_EQ(l[18], " 0 ");
    PupilValues fresh;
    fresh.repriseAutorisee = -1;
    EXPECT_EQ(lines(formatPupilFile(fresh))[11], "-1 ");
}

TEST(PupilFile, ReadsBackWhatWasWritten) {
    PupilValues read;
    EXPECT_EQ(parsePupilFile(formatPupilFile(sample()), false, read), PupilReadStatus::Read);
    EXPECT_EQ(read, sample());
    PupilValues empty = sample();
    empty.listeLecons = "";
    EXPECT_EQ(parsePupilFile(formatPupilFile(empty), false, read), PupilReadStatus::Read);
    EXPECT_EQ(read.listeLecons, "");
}

TEST(PupilFile, NamesOnly) {
    PupilValues read;
    EXPECT_EQ(parsePupilFile("ZOE\r\nCOTE\r\n", true, read), PupilReadStatus::Read);
    EXPECT_EQ(read.nom, "COTE");
    EXPECT_EQ(read.positionListe, 0);
    EXPECT_EQ(parsePupilFile("ZOE\r\n", true, read), PupilReadStatus::Damaged);
}

TEST(PupilFile, DamagedFiles) {
    const std::string good = formatPupilFile(sample());
    const auto l = lines(good);
    auto with = [&](std::size_t line, const std::string& text) {
        auto copy = l;
        copy[line] = text;
        std::string out;
        for (auto& s : copy) out += s + "\r\n";
        return out;
    };
    auto upTo = [&](std::size_t count) {
        std::string out;
        for (std::size_t i = 0; i < count; ++i) out += l[i] + "\r\n";
        return out;
    };
    struct Case {
        const char* what;
        std::string content;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"ends after line 12", upTo(12)},
        {"ends after line 18", upTo(18)},
        {"position not a number", with(2, "trois")},
        {"negative position", with(2, "-1 ")},
        {"activity 12", with(3, " 12 ")},
        {"activity -1", with(3, "-1 ")},
        {"sequence too large for 16 bits", with(5, " 40000 ")},
        {"progress one short", with(6, std::string(1449, '#'))},
        {"progress one long", with(6, std::string(1451, '#'))},
        {"progress with a 9", with(6, std::string(1449, '#') + "9")},
        {"progress with a blank", with(6, " " + std::string(1449, '#'))},
        {"points empty", with(7, "")},
        {"reserved number not a number", with(18, "x")},
        {"past the small-file limit", good + std::string(platform::kSmallFileLimit, ' ')},
    };
    for (const Case& c : cases) {
        PupilValues read;
        EXPECT_EQ(parsePupilFile(c.content, false, read), PupilReadStatus::Damaged) << c.what;
    }
}

TEST(PupilFile, ValuesBeforeTheFaultStayAndTheWrongOneIsNotStored) {
    const auto l = lines(formatPupilFile(sample()));
    std::string text;
    for (std::size_t i = 0; i < 19; ++i) text += (i == 6 ? std::string(10, '#') : l[i]) + "\r\n";
    PupilValues read;
    read.etatLecons = std::string(1450, '#');
    EXPECT_EQ(parsePupilFile(text, false, read), PupilReadStatus::Damaged);
    EXPECT_EQ(read.numeroSequence, 12);
    EXPECT_EQ(read.etatLecons, std::string(1450, '#')); // never a progress string of 10
    EXPECT_EQ(read.points, 8);
}

TEST(PupilFile, ProgressRule) {
    EXPECT_TRUE(isValidProgress(std::string(1450, '#')));
    EXPECT_TRUE(isValidProgress(std::string(1449, '#') + "8"));
    EXPECT_FALSE(isValidProgress(std::string(1450, '9')));
    EXPECT_FALSE(isValidProgress(""));
}

// Whatever the program holds in memory, the file it writes reads back whole and as written, and
// writing what was read gives the same text again.
TEST(PupilFile, ExtremeValuesReadBackAsWritten) {
    const std::string longList = std::string(2 * 40000, 'A');
    struct Case {
        const char* what;
        std::function<void(PupilValues&)> set;
        std::function<void(const PupilValues&)> check;
    };
    const Case cases[] = {
        {"a list holding a comma", [](PupilValues& v) { v.listeLecons = "Ae,AfAg"; },
         [](const PupilValues& v) { EXPECT_EQ(v.listeLecons, "Ae,AfAg"); }},
        {"names with commas, quotes and outer blanks",
         [](PupilValues& v) {
             v.prenom = " \"Zo,e\" ";
             v.nom = "\"";
         },
         [](const PupilValues& v) {
             EXPECT_EQ(v.prenom, " \"Zo,e\" ");
             EXPECT_EQ(v.nom, "\"");
         }},
        {"line ends inside a text become blanks",
         [](PupilValues& v) { v.listeLecons = "Ae\r\nAf"; },
         [](const PupilValues& v) { EXPECT_EQ(v.listeLecons, "Ae  Af"); }},
        {"a position at the end of the longest list kept",
         [&](PupilValues& v) {
             v.listeLecons = longList;
             v.positionListe = 32767;
         },
         [](const PupilValues& v) {
             EXPECT_EQ(v.listeLecons.size(), kListLengthMax);
             EXPECT_EQ(v.positionListe, 32767);
         }},
        {"a position past the list's end",
         [](PupilValues& v) {
             v.listeLecons = "AeAfA";
             v.positionListe = 9;
         },
         [](const PupilValues& v) { EXPECT_EQ(v.positionListe, 2); }},
        {"an activity of an invalid entry", [](PupilValues& v) { v.activite = -33; },
         [](const PupilValues& v) { EXPECT_EQ(v.activite, 0); }},
        {"a short progress string with a stray character",
         [](PupilValues& v) { v.etatLecons = "8x"; },
         [](const PupilValues& v) { EXPECT_EQ(v.etatLecons, "8#" + std::string(1448, '#')); }},
        {"the 16-bit limits",
         [](PupilValues& v) {
             v.numeroSequence = -32768;
             v.points = 32767;
             v.repriseAutorisee = -32768;
         },
         [](const PupilValues& v) {
             EXPECT_EQ(v.numeroSequence, -32768);
             EXPECT_EQ(v.points, 32767);
             EXPECT_EQ(v.repriseAutorisee, -32768);
         }},
        {"names too long for any typed one",
         [](PupilValues& v) { v.nom = std::string(platform::kSmallFileLimit, 'N'); },
         [](const PupilValues& v) { EXPECT_EQ(v.nom, std::string(kNameLengthMax, 'N')); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PupilValues v = sample();
        c.set(v);
        const std::string written = formatPupilFile(v);
        PupilValues read;
        ASSERT_EQ(parsePupilFile(written, false, read), PupilReadStatus::Read);
        c.check(read);
        EXPECT_EQ(read, storablePupilValues(v));
        EXPECT_EQ(formatPupilFile(read), written);
    }
}

TEST(PupilFile, ListsAndNamesPastTheirBoundsAreCutAsTheyAreRead) {
    PupilValues v = sample();
    v.listeLecons = std::string(2 * 40000, 'A');
    v.prenom = std::string(5000, 'P');
    // Written by hand: the program itself never writes these lengths.
    const std::string text = formatPupilFile(sample());
    const auto l = lines(text);
    std::string crafted = v.prenom + "\r\n";
    for (std::size_t i = 1; i < l.size(); ++i) crafted += (i == 4 ? v.listeLecons : l[i]) + "\r\n";
    PupilValues read;
    ASSERT_EQ(parsePupilFile(crafted, false, read), PupilReadStatus::Read);
    EXPECT_EQ(read.listeLecons.size(), kListLengthMax);
    EXPECT_EQ(read.prenom.size(), kNameLengthMax);
}
