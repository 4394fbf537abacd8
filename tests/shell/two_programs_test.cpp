// Two programs on two computers sharing one pupils' folder, signed in to the same pupil: each is a
// real process of its own, running the program's own routines on the one file. This test
// program starts copies of itself as those programs and tells them, line by line, what their
// pupil does.
#include "formats/pupil_file.h"
#include "platform/files.h"
#include "shell/file_routines.h"
#include "shell/routines.h"
#include "shell/shared_state.h"
#include "ui/msgbox.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr const char* kSessionVariable = "TAVREL_PROGRAMME_ELEVE";

// --- the program's side: a pupil signed in to the file the variable names ---

// The answers go to this descriptor: the test program's own output stays on its standard output.
constexpr int kAnswers = 3;

void answer(const std::string& line) {
    const std::string text = line + "\n";
    [[maybe_unused]] const auto written = ::write(kAnswers, text.data(), text.size());
}

// Commands: "lire" signs the pupil in (reads his file), "note A L D" records D out of 8 for
// lesson L of activity A, "position N" moves his list to N, "quitter" quits the program as its
// menu does (the file is saved and the process ends). Each command but the last answers a line.
void runProgram(const std::string& path) {
    shell::resetSharedState();
    shell::SharedState& s = shell::shared;
    ui::setMessageService([](const ui::MessageRequest& box) {
        answer("boite " + box.text);
        return static_cast<int>(ui::vbCancel);
    });
    for (std::string line; std::getline(std::cin, line);) {
        std::istringstream command(line);
        std::string verb;
        command >> verb;
        if (verb == "lire") {
            const shell::Issue issue = shell::LireFichierEleve(path, false);
            s.CheminFichierEleve = path;
            s.EleveActif = shell::kVrai;
            answer(issue == shell::Issue::Fait ? "lu" : "pas lu");
        } else if (verb == "note") {
            int activity = 0, lesson = 0, points = 0;
            command >> activity >> lesson >> points;
            s.EtatLecons[static_cast<std::size_t>(120 * activity + lesson - 1)] =
                static_cast<char>('0' + points);
            answer("ok");
        } else if (verb == "position") {
            int position = 0;
            command >> position;
            s.PositionListe = static_cast<shell::Integer>(position);
            answer("ok");
        } else if (verb == "quitter") {
            shell::QuitterLogiciel();
        }
    }
    std::_Exit(1);
}

// A copy of this test program started with the variable set becomes the pupil's program before
// any test runs.
class ProgramEnvironment : public testing::Environment {
public:
    void SetUp() override {
        if (const char* path = std::getenv(kSessionVariable)) runProgram(path);
    }
};
[[maybe_unused]] testing::Environment* const programEnvironment =
    testing::AddGlobalTestEnvironment(new ProgramEnvironment);

// --- the test's side ---

class Program {
public:
    explicit Program(const std::string& pupilFile) {
        int toChild[2], fromChild[2];
        if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
        posix_spawn_file_actions_adddup2(&actions, fromChild[1], kAnswers);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addclose(&actions, toChild[1]);
        posix_spawn_file_actions_addclose(&actions, fromChild[0]);
        std::vector<std::string> env{std::string(kSessionVariable) + "=" + pupilFile};
        // The copy runs the whole filter itself: a shard of ctest's would leave it no test to run,
        // and then gtest never starts the environment that makes it the pupil's program.
        for (char** e = environ; *e; ++e)
            if (std::string_view(*e).rfind("GTEST_SHARD", 0) != 0 &&
                std::string_view(*e).rfind("GTEST_TOTAL_SHARDS", 0) != 0)
                env.emplace_back(*e);
        std::vector<char*> envp;
        for (auto& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);
        std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
        std::string filter = "--gtest_filter=TwoPrograms.*";
        char* argv[] = {self.data(), filter.data(), nullptr};
        started_ = posix_spawn(&pid_, self.c_str(), &actions, nullptr, argv, envp.data()) == 0;
        posix_spawn_file_actions_destroy(&actions);
        ::close(toChild[0]);
        ::close(fromChild[1]);
        in_ = toChild[1];
        out_ = fromChild[0];
    }
    ~Program() {
        if (in_ >= 0) ::close(in_);
        if (out_ >= 0) ::close(out_);
        if (started_ && !waited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    // Sends a command and gives the program's answer ("" when it gave none in time).
    std::string ask(const std::string& command) {
        send(command);
        std::string line;
        for (char c; readChar(c) && c != '\n';) line += c;
        return line;
    }
    // Sends the quit and gives the program's exit status, -1 when it did not end in time.
    int quit() {
        send("quitter");
        for (int waitedMs = 0; waitedMs < 20000; waitedMs += 10) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                waited_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            ::usleep(10000);
        }
        return -1;
    }
    bool started() const { return started_; }

private:
    void send(const std::string& command) {
        const std::string line = command + "\n";
        ASSERT_EQ(::write(in_, line.data(), line.size()), static_cast<ssize_t>(line.size()));
    }
    bool readChar(char& c) {
        pollfd p{out_, POLLIN, 0};
        return ::poll(&p, 1, 20000) == 1 && ::read(out_, &c, 1) == 1;
    }

    pid_t pid_ = -1;
    int in_ = -1, out_ = -1;
    bool started_ = false, waited_ = false;
};

class TwoPrograms : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tavrel-two-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        std::filesystem::create_directory(root + "/TAVR#01");
        path = root + "/TAVR#01/ZOEMARTI.TXT";
        // Zoé follows sequence 1 (lessons A1, A2, A3) and has done A5 with 6 out of 8.
        formats::PupilValues zoe;
        zoe.prenom = "ZOE";
        zoe.nom = "MARTIN";
        zoe.numeroSequence = 1;
        zoe.listeLecons = "AeAfAg";
        zoe.etatLecons[4] = '6';
        ASSERT_TRUE(platform::replaceFile(path, formats::formatPupilFile(zoe)));
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    formats::PupilValues onDisk() const {
        formats::PupilValues v;
        const std::string text = platform::readWholeFile(path).value_or("");
        EXPECT_EQ(formats::parsePupilFile(text, false, v), formats::PupilReadStatus::Read);
        return v;
    }

    std::string root, path;
};

TEST_F(TwoPrograms, TheLastToQuitKeepsWhatTheOtherSaved) {
    // B and C are signed in first and stay idle; then A does lesson A1 with 8 out of 8 and quits.
    Program a(path), b(path), c(path);
    ASSERT_TRUE(a.started() && b.started() && c.started());
    ASSERT_EQ(b.ask("lire"), "lu");
    ASSERT_EQ(c.ask("lire"), "lu");
    ASSERT_EQ(a.ask("lire"), "lu");
    ASSERT_EQ(a.ask("note 0 1 8"), "ok");
    ASSERT_EQ(a.ask("position 1"), "ok");
    ASSERT_EQ(a.quit(), 0);
    const std::string savedByA = platform::readWholeFile(path).value_or("");
    EXPECT_EQ(onDisk().etatLecons.substr(0, 5), "8###6");

    // B did nothing: his quit leaves A's file as A wrote it.
    ASSERT_EQ(b.quit(), 0);
    EXPECT_EQ(platform::readWholeFile(path).value_or(""), savedByA);

    // C did lesson A3 meanwhile: his score joins A's, and A's place in the list stays.
    ASSERT_EQ(c.ask("note 0 3 5"), "ok");
    ASSERT_EQ(c.quit(), 0);
    const formats::PupilValues file = onDisk();
    EXPECT_EQ(file.etatLecons.substr(0, 5), "8#5#6");
    EXPECT_EQ(file.positionListe, 1);
    EXPECT_EQ(file.listeLecons, "AeAfAg");
}

} // namespace
