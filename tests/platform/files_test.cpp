#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/text_io.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace platform;

TEST(Files, NamesMatchWithoutRegardToCase) {
    TempFolder dir;
    dir.write("lecons.tav", "abc");
    std::filesystem::create_directory(dir / "Eleves");
    dir.write("Eleves/zoe.gxo", "z");

    EXPECT_TRUE(fileExists(dir / "LECONS.tav"));
    EXPECT_EQ(readWholeFile(dir / "Lecons.TAV"), "abc");
    EXPECT_EQ(resolvePath(dir / "LECONS.tav"), dir / "lecons.tav");
    // Every level is looked up, and what cannot be found is kept as written.
    EXPECT_EQ(resolvePath(dir / "ELEVES/ZOE.GXO"), dir / "Eleves/zoe.gxo");
    EXPECT_EQ(resolvePath(dir / "ELEVES/TAVR#07/X"), dir / "Eleves/TAVR#07/X");
    EXPECT_FALSE(fileExists(dir / "absent.tav"));
}

// However a path is written, its levels are the ones between the "/", each found without case.
TEST(Files, EverySpellingOfAPathIsResolved) {
    TempFolder dir;
    dir.write("lecons.tav", "abc");
    std::filesystem::create_directory(dir / "Eleves");
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const std::pair<std::string, std::string> cases[] = {
        {dir.path() + "//LECONS.tav", dir / "lecons.tav"},
        {dir.path() + "/./LECONS.tav", dir / "./lecons.tav"},
        {dir.path() + "/ELEVES/../LECONS.TAV", dir / "Eleves/../lecons.tav"},
        {dir.path() + "/ELEVES/", dir / "Eleves"},
        {"LECONS.tav", "lecons.tav"},
        {"eleves//absent/", "Eleves/absent"},
        {"", "."},
        {"/", "/"},
    };
    for (const auto& [written, found] : cases) EXPECT_EQ(resolvePath(written), found) << written;
    EXPECT_EQ(readWholeFile("Eleves/../LECONS.TAV"), "abc");
    std::filesystem::current_path(before);
}

TEST(Files, CaseFollowsWindows1252) {
    TempFolder dir;
    std::filesystem::create_directory(dir / "élèves"); // the system spells names in UTF-8
    EXPECT_TRUE(folderExists(dir.path() + cp("/ÉLÈVES")));
    EXPECT_EQ(makeFolder(dir.path() + cp("/ÉLÈVES")), MakeFolderResult::AlreadyExists);
    ASSERT_TRUE(replaceFile(dir.path() + cp("/ÉLÈVES/NOTE"), "x"));
    EXPECT_EQ(dir.read("élèves/NOTE"), "x");
    EXPECT_EQ(listFolders(dir.path()), std::vector<std::string>{cp("élèves")});
}

TEST(Files, ExistenceTestNeverCreatesAndRefusesFolders) {
    TempFolder dir;
    std::filesystem::create_directory(dir / "sub");
    EXPECT_FALSE(fileExists(dir / "absent"));
    EXPECT_FALSE(dir.has("absent"));
    EXPECT_FALSE(fileExists(dir / "sub"));
    EXPECT_TRUE(folderExists(dir / "sub"));
    EXPECT_FALSE(readBytes(dir / "sub", 1, 4));
    // A name that stands for something that cannot be read is still taken.
    std::filesystem::create_symlink(dir / "away", dir / "LINK");
    for (const char* name : {"sub", "link", "LINK"}) EXPECT_TRUE(nameTaken(dir / name)) << name;
    EXPECT_FALSE(fileExists(dir / "LINK"));
    EXPECT_FALSE(nameTaken(dir / "absent"));
}

TEST(Files, BinaryReadAndWriteAtBytePositions) {
    TempFolder dir;
    dir.write("cat", "0123456789");
    EXPECT_EQ(fileLength(dir / "cat"), 10);
    EXPECT_EQ(readBytes(dir / "cat", 1, 3), "012");
    EXPECT_EQ(readBytes(dir / "cat", 9, 5), "89"); // the file ends first
    EXPECT_EQ(readBytes(dir / "cat", 20, 5), "");
    EXPECT_FALSE(readBytes(dir / "cat", 0, 5));

    ASSERT_TRUE(writeBytes(dir / "cat", 4, "abc"));
    EXPECT_EQ(dir.read("cat"), "012abc6789");
    ASSERT_TRUE(writeBytes(dir / "cat", 13, "Z")); // beyond the end: the gap reads as zero bytes
    EXPECT_EQ(dir.read("cat"), std::string("012abc6789\0\0Z", 13));
}

TEST(Files, WriteInPlaceNeverCreatesAMissingFile) {
    TempFolder dir;
    EXPECT_FALSE(writeBytes(dir / "lecons.tav", 1, "x"));
    EXPECT_FALSE(dir.has("lecons.tav"));
}

TEST(Files, ReplaceWritesAndLeavesNoTemporaryFile) {
    TempFolder dir;
    dir.write("defaut", "old");
    ASSERT_TRUE(replaceFile(dir / "DEFAUT", "new"));
    EXPECT_EQ(dir.read("defaut"), "new"); // replaced under its own spelling, no second file
    EXPECT_FALSE(dir.has("DEFAUT"));
    size_t entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 1u);
    EXPECT_TRUE(replaceFile(dir / "nouveau", ""));
    EXPECT_TRUE(dir.has("nouveau"));
}

TEST(Files, FailedReplaceKeepsTheOldFileWhole) {
    TempFolder dir;
    dir.write("motpasse", "ancien contenu");
    // A file-size limit makes the write fail half way, even for the superuser.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 8;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = replaceFile(dir / "motpasse", std::string(100, 'n'));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(dir.read("motpasse"), "ancien contenu");
    size_t entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 1u) << "the temporary file was left behind";
}

// A replaced file keeps its permissions, even where the umask would give others; a new one
// gets what the umask leaves, as any file the user makes does.
TEST(Files, ReplaceKeepsOrMakesTheFileMode) {
    struct Case {
        mode_t umask;
        std::optional<mode_t> before; // nothing: a new file
        mode_t after;
    };
    const Case cases[] = {
        {022, std::nullopt, 0644}, {027, std::nullopt, 0640}, {077, std::nullopt, 0600},
        {002, std::nullopt, 0664}, {022, 0600, 0600},         {077, 0664, 0664},
        {022, 0444, 0444},         {000, 0640, 0640},
    };
    for (const Case& c : cases) {
        TempFolder dir;
        if (c.before) {
            dir.write("defaut", "old");
            ASSERT_EQ(::chmod((dir / "defaut").c_str(), *c.before), 0);
        }
        const mode_t outer = ::umask(c.umask);
        const bool written = replaceFile(dir / "defaut", "new");
        const mode_t during = ::umask(outer);
        SCOPED_TRACE(testing::Message() << "umask " << std::oct << c.umask << ", before "
                                        << (c.before ? *c.before : 0));
        ASSERT_TRUE(written);
        EXPECT_EQ(during, c.umask) << "the save left the umask changed";
        struct stat st;
        ASSERT_EQ(::stat((dir / "defaut").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.after) << std::oct << (st.st_mode & 07777);
        EXPECT_EQ(dir.read("defaut"), "new");
    }
}

TEST(Files, ReplaceInAMissingFolderFails) {
    TempFolder dir;
    EXPECT_FALSE(replaceFile(dir / "TAVR#07/ZOECECOT.GXO", "x"));
    EXPECT_FALSE(replaceFile(dir.path() + "/", "x"));
}

TEST(Files, TextLines) {
    TempFolder dir;
    ASSERT_TRUE(writeLines(dir / "t", {"un", "", "trois"}));
    EXPECT_EQ(dir.read("t"), "un\r\n\r\ntrois\r\n");
    EXPECT_EQ(readLines(dir / "t"), (std::vector<std::string>{"un", "", "trois"}));
    dir.write("u", "a\nb\r\nc");
    EXPECT_EQ(readLines(dir / "u"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_FALSE(readLines(dir / "absent"));
}

TEST(Files, MakeFolderReportsAlreadyExistsApart) {
    TempFolder dir;
    EXPECT_EQ(makeFolder(dir / "TAVR#07"), MakeFolderResult::Created);
    EXPECT_EQ(makeFolder(dir / "TAVR#07"), MakeFolderResult::AlreadyExists);
    EXPECT_EQ(makeFolder(dir / "tavr#07"), MakeFolderResult::AlreadyExists);
    dir.write("fichier", "");
    EXPECT_EQ(makeFolder(dir / "fichier"), MakeFolderResult::Failed);
    EXPECT_EQ(makeFolder(dir / "absent/TAVR#07"), MakeFolderResult::Failed);
}

TEST(Files, MakeEveryLevel) {
    TempFolder dir;
    EXPECT_TRUE(makeFolders(dir / "ELEVES/CLASSE1/"));
    EXPECT_TRUE(folderExists(dir / "ELEVES/CLASSE1"));
    EXPECT_TRUE(makeFolders(dir / "eleves/classe1/b")); // existing levels found without case
    EXPECT_TRUE(std::filesystem::is_directory(dir / "ELEVES/CLASSE1/b"));
    dir.write("f", "");
    EXPECT_FALSE(makeFolders(dir / "f/g"));
}

TEST(Files, ListsInByteOrderWithoutHiddenNames) {
    TempFolder dir;
    for (auto name : {"b", "A", "a", ".cache", "Z"}) dir.write(name, "");
    std::filesystem::create_directory(dir / "TAVR#01");
    std::filesystem::create_directory(dir / "TAVR#00");
    std::filesystem::create_directory(dir / ".hidden");
    EXPECT_EQ(listFiles(dir.path()), (std::vector<std::string>{"A", "Z", "a", "b"}));
    EXPECT_EQ(listFolders(dir.path()), (std::vector<std::string>{"TAVR#00", "TAVR#01"}));
    EXPECT_FALSE(listFiles(dir / "absent"));
}

TEST(Files, DeleteFilesAndFolders) {
    TempFolder dir;
    std::filesystem::create_directory(dir / "g");
    dir.write("g/ZOECECOT.GXO", "");
    dir.write("g/.defaut.tmp", "");
    std::filesystem::create_directory(dir / "g/sub");

    EXPECT_TRUE(deleteFile(dir / "G/zoececot.gxo"));
    EXPECT_FALSE(deleteFile(dir / "g/ZOECECOT.GXO"));
    EXPECT_FALSE(deleteFile(dir / "g/sub"));
    EXPECT_FALSE(removeFolder(dir / "g")); // not empty
    EXPECT_TRUE(deleteAllFiles(dir / "g"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "g/sub")); // sub-folders stay
    EXPECT_TRUE(removeFolder(dir / "g/sub"));
    EXPECT_TRUE(removeFolder(dir / "g"));
    EXPECT_FALSE(removeFolder(dir / "g"));
    EXPECT_FALSE(deleteAllFiles(dir / "g"));
}

TEST(Files, CurrentFolder) {
    TempFolder dir;
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const std::string here = currentFolder();
    std::filesystem::current_path(before);
    EXPECT_EQ(std::filesystem::canonical(here), std::filesystem::canonical(dir.path()));
    EXPECT_NE(here.back(), '/');
}

// A file made huge without a byte on disk (a damaged disk, `truncate -s`) must not decide how
// much memory a read takes.
TEST(Files, AHugeSparseFileIsNeverReadWhole) {
    TempFolder dir;
    dir.write("motpasse", "120\r\n");
    std::filesystem::resize_file(dir / "motpasse", std::uintmax_t{200} << 30);
    const auto head = readSmallFile(dir / "motpasse");
    ASSERT_TRUE(head);
    EXPECT_EQ(head->size(), kSmallFileLimit + 1);
    EXPECT_EQ(head->substr(0, 5), "120\r\n");
    EXPECT_TRUE(pastSmallFileLimit(*head));
    EXPECT_EQ(readWholeFile(dir / "motpasse"), std::nullopt);
    // A count beyond the file's end takes no more room than the bytes that are there.
    dir.write("court", "abc");
    EXPECT_EQ(readBytes(dir / "court", 2, std::size_t{1} << 40), "bc");
    EXPECT_EQ(readBytes(dir / "court", 9, std::size_t{1} << 40), "");
    EXPECT_EQ(readSmallFile(dir / "court"), "abc");
    EXPECT_EQ(readSmallFile(dir / "absent"), std::nullopt);
}

namespace {
void makeOld(const std::string& path) {
    const timespec old[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), old, 0), 0);
}
} // namespace

// A save killed half way leaves its temporary file; the next save of the same file removes it,
// but never the file of a save still at work, nor those of other files.
TEST(Files, ASaveRemovesTheStaleTemporaryFilesOfItsFile) {
    TempFolder dir;
    dir.write("ZOECECOT.GXO", "old");
    dir.write(".ZOECECOT.GXO.a1B2c3", "killed an hour ago");
    makeOld(dir / ".ZOECECOT.GXO.a1B2c3");
    dir.write(".ZOECECOT.GXO.d4E5f6", "being written now");
    dir.write(".ZOECECOT.GXO.g7H8i9", "written for an hour by a save that still holds it");
    makeOld(dir / ".ZOECECOT.GXO.g7H8i9");
    const int held = ::open((dir / ".ZOECECOT.GXO.g7H8i9").c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    dir.write(".LEOB0AUB.B7H.a1B2c3", "another pupil's");
    makeOld(dir / ".LEOB0AUB.B7H.a1B2c3");
    dir.write(".ZOECECOT.GXO.old", "not a temporary file of a save");
    makeOld(dir / ".ZOECECOT.GXO.old");

    ASSERT_TRUE(replaceFile(dir / "ZOECECOT.GXO", "new"));
    ::close(held);
    EXPECT_EQ(dir.read("ZOECECOT.GXO"), "new");
    EXPECT_FALSE(dir.has(".ZOECECOT.GXO.a1B2c3"));
    for (const char* kept : {".ZOECECOT.GXO.d4E5f6", ".ZOECECOT.GXO.g7H8i9", ".LEOB0AUB.B7H.a1B2c3",
                             ".ZOECECOT.GXO.old"})
        EXPECT_TRUE(dir.has(kept)) << kept;
}

// Over a share, this computer's clock may be set an hour apart from the one of the computer that
// is saving: its temporary file, written since the file's last save, must stay however old this
// clock makes it look. A file never saved yet has no leftover that can be told from a live one.
TEST(Files, ASaveStillAtWorkElsewhereKeepsItsTemporaryFile) {
    const auto stamp = [](const std::string& path, time_t ago) {
        const timespec at[2] = {{::time(nullptr) - ago, 0}, {::time(nullptr) - ago, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), at, 0), 0);
    };
    TempFolder dir;
    dir.write("ZOECECOT.GXO", "saved two hours ago");
    stamp(dir / "ZOECECOT.GXO", 7200);
    dir.write(".ZOECECOT.GXO.a1B2c3", "being written on another computer");
    stamp(dir / ".ZOECECOT.GXO.a1B2c3", 3600);
    dir.write(".ZOECECOT.GXO.z9Y8x7", "killed before the last save");
    stamp(dir / ".ZOECECOT.GXO.z9Y8x7", 9000);
    dir.write(".LEOB0AUB.B7H.a1B2c3", "killed during the first save");
    stamp(dir / ".LEOB0AUB.B7H.a1B2c3", 3600);

    ASSERT_TRUE(replaceFile(dir / "ZOECECOT.GXO", "new"));
    ASSERT_TRUE(replaceFile(dir / "LEOB0AUB.B7H", "new"));
    EXPECT_TRUE(dir.has(".ZOECECOT.GXO.a1B2c3"));
    EXPECT_FALSE(dir.has(".ZOECECOT.GXO.z9Y8x7"));
    EXPECT_TRUE(dir.has(".LEOB0AUB.B7H.a1B2c3"));
    // Once the file has been saved since, the leftover goes.
    ASSERT_TRUE(replaceFile(dir / "LEOB0AUB.B7H", "newer"));
    EXPECT_FALSE(dir.has(".LEOB0AUB.B7H.a1B2c3"));
}
