// The data folder the build lays out, and the tool that lays it out.
#include "formats/lesson_catalogue.h"
#include "formats/sequence_catalogue.h"
#include "ui/picture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

const std::string kTool = std::string(TAVREL_BINARY_DIR) + "/tools/tavrel_donnees";

std::string read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void write(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class DataFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tavrel-donnees-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    int layOut(const std::string& arguments) {
        return std::system((kTool + " " + arguments + " 2>/dev/null").c_str());
    }
    fs::path root;
};

TEST_F(DataFolder, TheBuildsFolderHoldsTheShippedFiles) {
    const fs::path built = fs::path(TAVREL_BINARY_DIR) / "donnees";
    EXPECT_EQ(fs::file_size(built / "lecons.tav"), 364040u);
    EXPECT_EQ(fs::file_size(built / "SEQUENCE.TAV"), 41400u);
    std::string error;
    EXPECT_FALSE(ui::Picture::fromFile((built / "titre.wmf").string(), &error).isNull()) << error;
}

TEST_F(DataFolder, BlankCataloguesAndNoSettings) {
    const fs::path out = root / "donnees";
    ASSERT_EQ(layOut(out.string()), 0);
    EXPECT_EQ(read(out / "lecons.tav"), formats::blankLessonCatalogue());
    EXPECT_EQ(read(out / "SEQUENCE.TAV"), formats::blankSequenceCatalogue());
    EXPECT_FALSE(fs::exists(out / "titre.wmf"));
    for (const char* name : {"defaut", "defaut1", "motpasse", "Tail640.oui"})
        EXPECT_FALSE(fs::exists(out / name)) << name;
}

TEST_F(DataFolder, GivenCataloguesAndTitleAreCopiedWhenWhole) {
    std::string lessons = formats::blankLessonCatalogue();
    lessons.replace(0, 5, "1abcd");
    std::string sequences = formats::blankSequenceCatalogue();
    sequences.replace(0, 6, "Debut ");
    write(root / "l.tav", lessons);
    write(root / "s.tav", sequences);
    write(root / "t.wmf", "picture");
    const fs::path out = root / "donnees";
    ASSERT_EQ(layOut(out.string() + " --lecons " + (root / "l.tav").string() + " --sequences " +
                     (root / "s.tav").string() + " --titre " + (root / "t.wmf").string()),
              0);
    EXPECT_EQ(read(out / "lecons.tav"), lessons);
    EXPECT_EQ(read(out / "SEQUENCE.TAV"), sequences);
    EXPECT_EQ(read(out / "titre.wmf"), "picture");

    // A catalogue of the wrong size is refused and nothing is laid out.
    write(root / "court.tav", lessons.substr(0, 1000));
    const fs::path other = root / "autre";
    EXPECT_NE(layOut(other.string() + " --lecons " + (root / "court.tav").string()), 0);
    EXPECT_FALSE(fs::exists(other / "lecons.tav"));
    EXPECT_NE(layOut(other.string() + " --sequences " + (root / "absent").string()), 0);
}

} // namespace
