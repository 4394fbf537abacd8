#include "formats/lesson_catalogue.h"
#include "formats/pupil_file.h"
#include "formats/sequence_catalogue.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/text_io.h"
#include "players/reward_screen.h"
#include "shell/file_routines.h"
#include "shell/main_window.h"
#include "shell/routines.h"
#include "shell_fixture.h"
#include "ui/msgbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

using namespace shell;
namespace fs = std::filesystem;

namespace {

using players::felicite;

// A data folder and a pupils' folder of their own, the current folder moved into the test's
// folder (drive-letter paths are relative there), and message boxes answered from a script.
class FileRoutines : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tavrel-shell-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        fs::create_directory(root + "/donnees");
        fs::create_directory(root + "/eleves");
        previous = fs::current_path();
        fs::current_path(root);
        resetSharedState();
        shared.DossierDonnees = root + "/donnees/";
        shared.DossierEleves = root + "/eleves/";
        shared.CheminMotsDePasse = shared.DossierDonnees + "motpasse";
        shared.CheminParametres = shared.DossierDonnees + "defaut";
        ui::setMessageService([this](const ui::MessageRequest& box) {
            boxes.push_back(box);
            if (onBox) onBox();
            if (answers.empty()) return static_cast<int>(ui::vbCancel);
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        });
    }
    void TearDown() override {
        ui::setMessageService({});
        fs::current_path(previous);
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    std::string read(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void write(const std::string& path, const std::string& content) const {
        std::ofstream out(path, std::ios::binary);
        out << content;
    }
    std::string catalogue() const { return shared.DossierDonnees + "lecons.tav"; }

    std::string root;
    fs::path previous;
    std::vector<ui::MessageRequest> boxes;
    std::deque<int> answers;
    std::function<void()> onBox;
};

// A file-size limit that makes writes fail half way, even for the superuser.
class WritesFail {
public:
    WritesFail() {
        getrlimit(RLIMIT_FSIZE, &old_);
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old_;
        small.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~WritesFail() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, handler_);
    }

private:
    rlimit old_{};
    void (*handler_)(int);
};

} // namespace

// Lesson catalogue

TEST_F(FileRoutines, TheWriteGoesWhereTheLastSingleLessonWasRead) {
    ASSERT_TRUE(formats::createBlankLessonCatalogue(shared.DossierDonnees + "LECONS.TAV"));
    shared.NumeroLecon = 5;
    EXPECT_EQ(LireLecon(2), Issue::Fait);
    EXPECT_EQ(shared.PositionEnregistrement, 39701 + 4 * 205);
    EXPECT_EQ(shared.LongueurEnregistrement, 205);
    const std::string lesson = "1" + std::string(204, 'e');

    shared.NumeroLecon = 0;
    LireLecon(7);
    EXPECT_EQ(shared.Enregistrement.size(), 120u * 259);
    EXPECT_EQ(shared.LongueurEnregistrement, 259);
    EXPECT_EQ(shared.PositionEnregistrement, 39701 + 4 * 205);

    shared.Enregistrement = lesson;
    EXPECT_EQ(EcrireLecon(), Issue::Fait);
    const std::string file = read(shared.DossierDonnees + "LECONS.TAV");
    ASSERT_EQ(file.size(), 364040u);
    EXPECT_EQ(file.substr(39700 + 4 * 205, 205), lesson);
    EXPECT_EQ(file.find_first_not_of(' '), 39700u + 4 * 205);

    shared.NumeroLecon = 5;
    LireLecon(2);
    EXPECT_EQ(shared.Enregistrement, lesson);
}

TEST_F(FileRoutines, AWholeBlockIsNeverWrittenOverSingleLessons) {
    ASSERT_TRUE(formats::createBlankLessonCatalogue(catalogue()));
    shared.NumeroLecon = 1;
    LireLecon(0);
    shared.NumeroLecon = 0;
    LireLecon(0);
    std::replace(shared.Enregistrement.begin(), shared.Enregistrement.end(), ' ', 'z');
    EXPECT_EQ(EcrireLecon(), Issue::Echec);
    EXPECT_EQ(read(catalogue()), std::string(364040, ' '));

    resetSharedState();
    shared.DossierDonnees = root + "/donnees/";
    shared.Enregistrement = std::string(205, 'z'); // nothing read yet: no position
    EXPECT_EQ(EcrireLecon(), Issue::Echec);
}

TEST_F(FileRoutines, AMissingCatalogueReadsBlankAndIsNotCreated) {
    shared.NumeroLecon = 1;
    EXPECT_EQ(LireLecon(0), Issue::Echec);
    EXPECT_EQ(shared.Enregistrement, std::string(205, ' '));
    EXPECT_EQ(EcrireLecon(), Issue::Echec);
    EXPECT_FALSE(fs::exists(catalogue()));
    // An unknown activity reads like activity 0.
    LireLecon(14);
    EXPECT_EQ(shared.LongueurEnregistrement, 205);
    EXPECT_EQ(shared.PositionEnregistrement, 1);
}

TEST_F(FileRoutines, ALessonNumberOutsideTheBlockIsRefused) {
    std::string file = formats::blankLessonCatalogue();
    file.replace(formats::recordPosition(1, 1) - 1, 125, std::string(125, 'n'));
    file.replace(formats::recordPosition(0, 120) - 1, 205, std::string(205, 'd'));
    write(catalogue(), file);
    shared.NumeroLecon = 120;
    ASSERT_EQ(LireLecon(0), Issue::Fait);
    for (const Integer lecon : {121, 200, -1, -32768}) {
        SCOPED_TRACE(lecon);
        shared.NumeroLecon = lecon;
        EXPECT_EQ(LireLecon(0), Issue::Echec);
        EXPECT_EQ(shared.Enregistrement, std::string(205, ' '));
        // Nothing may then be written over the next block.
        shared.Enregistrement = std::string(205, 'x');
        EXPECT_EQ(EcrireLecon(), Issue::Echec);
    }
    EXPECT_EQ(read(catalogue()), file);
}

TEST_F(FileRoutines, ZeroBytesOfTheCatalogueReadAsBlanks) {
    write(catalogue(), std::string(300, '\0'));
    shared.NumeroLecon = 1;
    EXPECT_EQ(LireLecon(0), Issue::Fait);
    EXPECT_EQ(shared.Enregistrement, std::string(205, ' '));
}

// Settings

TEST_F(FileRoutines, SettingsWrittenAndReadBack) {
    shared.DossierEleves = "C:/ELEVES/";
    EXPECT_EQ(EcrireParametres(shared.CheminParametres), Issue::Fait);
    EXPECT_EQ(read(shared.CheminParametres),
              "C:/ELEVES/\r-1 \r 0 \r 0 \r 2 \r-1 \r\n\r\r\r 0 \r 0 \r 0 \r\n");

    shared.DossierEleves.clear();
    shared.MenuLeconsAccessible = 0;
    shared.CritereReussite = 0;
    EXPECT_EQ(LireParametres(shared.CheminParametres), Issue::Fait);
    EXPECT_EQ(shared.DossierEleves, "C:/ELEVES/");
    EXPECT_EQ(shared.MenuLeconsAccessible, -1);
    EXPECT_EQ(shared.CritereReussite, 2);
}

TEST_F(FileRoutines, SettingsOutOfRangeAreMended) {
    write(shared.CheminParametres, "/E/\r 1 \r 2 \r 0 \r 7 \r-5 \r\n\r\r\r 0 \r 0 \r 0 \r\n");
    EXPECT_EQ(LireParametres(shared.CheminParametres), Issue::Fait);
    EXPECT_EQ(shared.CritereReussite, 2);
    EXPECT_EQ(shared.MenuLeconsAccessible, -1);
    EXPECT_EQ(shared.SansInscriptionImmediate, -1);
    EXPECT_EQ(shared.RepriseParDefaut, -1);
    EcrireParametres(shared.CheminParametres);
    EXPECT_EQ(read(shared.CheminParametres).substr(0, 24), "/E/\r-1 \r-1 \r 0 \r 2 \r-1 \r");
}

TEST_F(FileRoutines, SettingsThatEndEarlyFailButKeepWhatWasRead) {
    write(shared.CheminParametres, "/E/\r 0 \r-1 \r-1 \r 1 \r 0 \r\n");
    EXPECT_EQ(LireParametres(shared.CheminParametres), Issue::Echec);
    EXPECT_EQ(shared.DossierEleves, "/E/");
    EXPECT_EQ(shared.CritereReussite, 1);
    EXPECT_EQ(LireParametres(shared.CheminParametres + "1"), Issue::Echec);
}

TEST_F(FileRoutines, AFailedSettingsWriteKeepsTheOldFile) {
    write(shared.CheminParametres, "/ANCIEN/\r-1 \r 0 \r 0 \r 2 \r-1 \r\n\r\r\r 0 \r 0 \r 0 \r\n");
    shared.DossierEleves = "/NOUVEAU/DOSSIER/TRES/LONG/";
    Issue issue;
    {
        WritesFail fail;
        issue = EcrireParametres(shared.CheminParametres);
    }
    EXPECT_EQ(issue, Issue::Echec);
    EXPECT_EQ(LireParametres(shared.CheminParametres), Issue::Fait);
    EXPECT_EQ(shared.DossierEleves, "/ANCIEN/");
    EXPECT_EQ(EcrireParametres(root + "/absent/defaut"), Issue::Echec);
}

// Passwords and rights

TEST_F(FileRoutines, NoPasswordFileMeansEveryMenuOpen) {
    EXPECT_EQ(LireMotsDePasse(), Issue::Echec);
    EXPECT_EQ(shared.DroitsMenus, "000000000000000");
    EXPECT_EQ(shared.MotDePasseEnseignant, "");
    EXPECT_EQ(shared.MotDePasseGestionnaire, "");
}

TEST_F(FileRoutines, PasswordsWrittenThenRead) {
    EXPECT_EQ(ecrireMotsDePasse("120000012345678", " PROF\\1 ", "CHEF:2"), Issue::Fait);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(shared.DroitsMenus, "120000012345678");
    EXPECT_EQ(shared.MotDePasseEnseignant, "PROF\\1");
    const std::string file = read(shared.CheminMotsDePasse);
    EXPECT_EQ(file.substr(0, 17), "120000012345678\r\n");
    EXPECT_EQ(file.find("PROF"), std::string::npos); // scrambled

    resetSharedState();
    shared.CheminMotsDePasse = root + "/donnees/MOTPASSE"; // found without regard to case
    EXPECT_EQ(LireMotsDePasse(), Issue::Fait);
    EXPECT_EQ(shared.DroitsMenus, "120000012000000"); // digits other than 0..2 become 0
    EXPECT_EQ(shared.MotDePasseEnseignant, "PROF\\1");
    EXPECT_EQ(shared.MotDePasseGestionnaire, "CHEF:2");
}

TEST_F(FileRoutines, RightsAreNormalisedToFifteenCharacters) {
    write(shared.CheminMotsDePasse, "1x2\r\n\r\n\r\n");
    EXPECT_EQ(LireMotsDePasse(), Issue::Fait);
    EXPECT_EQ(shared.DroitsMenus, "102000000000000");
    write(shared.CheminMotsDePasse, "2222222222222222222\r\n");
    EXPECT_EQ(LireMotsDePasse(), Issue::Echec); // the password lines are missing
    EXPECT_EQ(shared.DroitsMenus, "222222222222222");
}

TEST_F(FileRoutines, AFailedPasswordWriteNamesTheFileAndChangesNothing) {
    ecrireMotsDePasse("000000000000000", "", "");
    shared.CheminMotsDePasse = root + "/absent/motpasse";
    EXPECT_EQ(ecrireMotsDePasse("111111100000000", "PROF", ""), Issue::Echec);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, cp("Impossible d'enregistrer") + "\r\n" + root + "/absent/motpasse");
    EXPECT_EQ(boxes[0].style, ui::vbExclamation);
    EXPECT_EQ(boxes[0].title, "Message");
    EXPECT_EQ(shared.DroitsMenus, "000000000000000");
    EXPECT_EQ(shared.MotDePasseEnseignant, "");
}

// Pupil file

namespace {

void pupilZoe() {
    shared.Prenom = cp("ZOÉ");
    shared.Nom = cp("CÔTÉ-RIVIÈRE");
}

// Zoé in group 1, her file's path made.
void zoeInGroupOne() {
    creerDossierGroupe("1");
    pupilZoe();
    NomFichierEleve();
}

// Zoé's file written in group 1 with her sequence and its list of lessons.
void zoeSaved(int sequence, const std::string& lessons) {
    zoeInGroupOne();
    shared.NumeroSequence = shell::Integer(sequence);
    shared.ListeLecons = lessons;
    EcrireFichierEleve(shared.CheminFichierEleve);
}

} // namespace

TEST_F(FileRoutines, PupilFileNameInItsGroupFolder) {
    ASSERT_EQ(creerDossierGroupe("7"), platform::MakeFolderResult::Created);
    EXPECT_EQ(shared.DossierGroupe, root + "/eleves/TAVR#07/");
    EXPECT_TRUE(fs::is_directory(root + "/eleves/TAVR#07"));
    EXPECT_EQ(creerDossierGroupe("07"), platform::MakeFolderResult::AlreadyExists);
    pupilZoe();
    NomFichierEleve();
    EXPECT_EQ(shared.CheminFichierEleve, root + "/eleves/TAVR#07/ZOECECOT.GXO");
    shared.DossierEleves = root + "/absent/";
    EXPECT_EQ(creerDossierGroupe("3"), platform::MakeFolderResult::Failed);
}

TEST_F(FileRoutines, PupilWrittenAndReadBack) {
    creerDossierGroupe("7");
    pupilZoe();
    NomFichierEleve();
    SharedState& s = shared;
    s.PositionListe = 2;
    s.Activite = 5;
    s.ListeLecons = "AgBh";
    s.NumeroSequence = 3;
    s.EtatLecons[121] = '6';
    s.Points = 5;
    s.SerieImages = 2;
    s.ItemsTermines = 1;
    s.NumeroItem = 1;
    s.RepriseAutorisee = 0;
    EXPECT_EQ(EcrireFichierEleve(s.CheminFichierEleve), Issue::Fait);
    EXPECT_TRUE(boxes.empty());
    const std::string file = read(s.CheminFichierEleve);
    EXPECT_EQ(file.substr(0, 4), cp("ZOÉ\r"));
    EXPECT_NE(file.find("\r\n 2 \r\n 5 \r\nAgBh\r\n 3 \r\n"), std::string::npos);

    const std::string path = s.CheminFichierEleve;
    const std::string progress = s.EtatLecons;
    resetSharedState();
    EXPECT_EQ(LireFichierEleve(path, false), Issue::Fait);
    EXPECT_EQ(shared.Nom, cp("CÔTÉ-RIVIÈRE"));
    EXPECT_EQ(shared.PositionListe, 2);
    EXPECT_EQ(shared.Activite, 5);
    EXPECT_EQ(shared.ListeLecons, "AgBh");
    EXPECT_EQ(shared.NumeroSequence, 3);
    EXPECT_EQ(shared.EtatLecons, progress);
    EXPECT_EQ(shared.Points, 5);
    EXPECT_EQ(shared.SerieImages, 2);
    EXPECT_EQ(shared.ItemsTermines, 1);
    EXPECT_EQ(shared.NumeroItem, 1);
    EXPECT_EQ(shared.RepriseAutorisee, 0);
}

TEST_F(FileRoutines, OwnLessonsAreNotKeptWithoutTheSetting) {
    zoeInGroupOne();
    shared.NumeroSequence = 0;
    shared.ListeLecons = "AeAf";
    shared.ConserverChoix = kFaux;
    EcrireFichierEleve(shared.CheminFichierEleve);
    EXPECT_EQ(shared.ListeLecons, "");
    EXPECT_NE(read(shared.CheminFichierEleve).find("\r\n\r\n 0 \r\n"), std::string::npos);

    shared.ListeLecons = "AeAf";
    shared.ConserverChoix = kVrai;
    EcrireFichierEleve(shared.CheminFichierEleve);
    EXPECT_EQ(shared.ListeLecons, "AeAf");
    EXPECT_NE(read(shared.CheminFichierEleve).find("\r\nAeAf\r\n"), std::string::npos);
}

TEST_F(FileRoutines, AWriteDuringARetakeMovesTheListOn) {
    zoeInGroupOne();
    shared.ListeReprise = "Ce";
    shared.ListeLecons = "AeAfAgAhAiAjAk";
    shared.NumeroLecon = 2;
    shared.PositionListe = 4;
    shared.Points = 3;
    shared.NumeroItem = 1;
    shared.ItemsTermines = 1;
    EcrireFichierEleve(shared.CheminFichierEleve);
    EXPECT_EQ(shared.PositionListe, 5);
    EXPECT_EQ(shared.Points, 8);
    EXPECT_EQ(shared.NumeroItem, 3);
    EXPECT_EQ(shared.ItemsTermines, 0) << "the next lesson starts with no item finished";
    LireFichierEleve(shared.CheminFichierEleve, false);
    EXPECT_EQ(shared.PositionListe, 5);
}

TEST_F(FileRoutines, NothingToWrite) {
    EXPECT_EQ(EcrireFichierEleve(""), Issue::Fait);
    creerDossierGroupe("1");
    shared.Prenom = "ZOE"; // no surname
    EXPECT_EQ(EcrireFichierEleve(shared.DossierGroupe + "X"), Issue::Fait);
    EXPECT_FALSE(fs::exists(shared.DossierGroupe + "X"));
    EXPECT_TRUE(boxes.empty());
}

// Another program, signed in to the same pupil on another computer, saves the file as it has it.
void otherProgramSaves(const std::string& path,
                       const std::function<void(formats::PupilValues&)>& change) {
    formats::PupilValues other;
    const auto text = platform::readWholeFile(path);
    ASSERT_TRUE(text);
    ASSERT_EQ(formats::parsePupilFile(*text, false, other), formats::PupilReadStatus::Read);
    change(other);
    ASSERT_TRUE(platform::replaceFile(path, formats::formatPupilFile(other)));
}

TEST_F(FileRoutines, APupilFileReadsWholeWithEveryValueInItsPlaceAndWithinTheSmallFileLimit) {
    zoeSaved(2, "AeAf");
    const std::string path = shared.CheminFichierEleve;
    const std::string good = read(path);
    shared.Prenom = "LEO";
    EXPECT_TRUE(fichierEleveEntier(path));
    EXPECT_EQ(shared.Prenom, "LEO") << "the shared state is left alone";

    const std::string past = good + std::string(platform::kSmallFileLimit + 1 - good.size(), ' ');
    const std::pair<const char*, std::string> refused[] = {
        {"cut after the names", good.substr(0, good.find("\r\n", good.find("\r\n") + 2) + 2)},
        {"a letter in the progress",
         good.substr(0, good.find('#')) + "A" + good.substr(good.find('#') + 1)},
        {"one byte past the small-file limit", past},
    };
    for (const auto& [what, content] : refused) {
        write(path, content);
        EXPECT_FALSE(fichierEleveEntier(path)) << what;
    }
    write(path, past.substr(0, platform::kSmallFileLimit));
    EXPECT_TRUE(fichierEleveEntier(path)) << "at the limit";
    EXPECT_FALSE(fichierEleveEntier(root + "/eleves/absent"));
    EXPECT_FALSE(fichierEleveEntier(root + "/eleves"));
}

TEST_F(FileRoutines, ASaveKeepsWhatAnotherProgramSavedSinceTheRead) {
    zoeSaved(2, "AeAfAg");
    const std::string path = shared.CheminFichierEleve;
    resetSharedState();
    ASSERT_EQ(LireFichierEleve(path, false), Issue::Fait);
    shared.CheminFichierEleve = path;

    // The other program finishes lesson A1 with 8 out of 8 and quits.
    otherProgramSaves(path, [](formats::PupilValues& v) {
        v.etatLecons[0] = '8';
        v.positionListe = 1;
        v.serieImages = 1;
    });
    // Here, the teacher took the retake right away; nothing else was done.
    shared.RepriseAutorisee = kFaux;
    EXPECT_EQ(EcrireFichierEleve(path), Issue::Fait);
    formats::PupilValues file;
    ASSERT_EQ(formats::parsePupilFile(read(path), false, file), formats::PupilReadStatus::Read);
    EXPECT_EQ(file.etatLecons[0], '8');
    EXPECT_EQ(file.positionListe, 1);
    EXPECT_EQ(file.serieImages, 1);
    EXPECT_EQ(file.repriseAutorisee, 0);
    // The program goes on from what it wrote: a second save does not undo the other's work.
    EXPECT_EQ(shared.EtatLecons[0], '8');
    EXPECT_EQ(shared.PositionListe, 1);
    shared.EtatLecons[2] = '4';
    EcrireFichierEleve(path);
    ASSERT_EQ(formats::parsePupilFile(read(path), false, file), formats::PupilReadStatus::Read);
    EXPECT_EQ(file.etatLecons.substr(0, 3), "8#4");
    EXPECT_EQ(file.positionListe, 1);
}

TEST_F(FileRoutines, ARetryAfterAFailedSaveTakesInWhatWasSavedDuringTheBox) {
    zoeSaved(2, "AeAf");
    const std::string path = shared.CheminFichierEleve;
    shared.EtatLecons[1] = '5';
    std::optional<WritesFail> fail(std::in_place);
    answers = {ui::vbRetry};
    onBox = [&] {
        fail.reset();
        otherProgramSaves(path, [](formats::PupilValues& v) { v.etatLecons[0] = '7'; });
    };
    EXPECT_EQ(EcrireFichierEleve(path), Issue::Fait);
    EXPECT_EQ(boxes.size(), 1u);
    formats::PupilValues file;
    ASSERT_EQ(formats::parsePupilFile(read(path), false, file), formats::PupilReadStatus::Read);
    EXPECT_EQ(file.etatLecons.substr(0, 3), "75#");
}

TEST_F(FileRoutines, AFileNeverReadOrDamagedOnDiskIsWrittenAsThisProgramHasIt) {
    zoeInGroupOne();
    const std::string path = shared.CheminFichierEleve;
    // Another program's file that this one never read: a new registration writes its own.
    formats::PupilValues other;
    other.prenom = shared.Prenom;
    other.nom = shared.Nom;
    other.etatLecons[0] = '8';
    write(path, formats::formatPupilFile(other));
    shared.EtatLecons[1] = '3';
    EcrireFichierEleve(path);
    EXPECT_EQ(read(path), formats::formatPupilFile(valeursEleve()));
    EXPECT_EQ(shared.EtatLecons.substr(0, 2), "#3");
    // Read, then damaged on disk: nothing there to keep.
    LireFichierEleve(path, false);
    write(path, "ZOE\r\n");
    shared.Points = 4;
    EcrireFichierEleve(path);
    EXPECT_EQ(read(path), formats::formatPupilFile(valeursEleve()));
    EXPECT_EQ(shared.Points, 4);
}

TEST_F(FileRoutines, AFailedPupilWriteOffersRetryAndKeepsTheOldFile) {
    zoeInGroupOne();
    EcrireFichierEleve(shared.CheminFichierEleve);
    const std::string before = read(shared.CheminFichierEleve);
    shared.Points = 1;
    Issue issue;
    {
        WritesFail fail;
        answers = {ui::vbRetry, ui::vbCancel};
        issue = EcrireFichierEleve(shared.CheminFichierEleve);
    }
    EXPECT_EQ(issue, Issue::Echec);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, cp("Impossible d'écrire sur le disque."));
    EXPECT_EQ(boxes[0].style, ui::vbRetryCancel + ui::vbExclamation);
    EXPECT_EQ(boxes[0].title, "Message");
    EXPECT_EQ(read(shared.CheminFichierEleve), before);
    EXPECT_EQ(shared.Points, 1); // the shared state keeps its values
}

TEST_F(FileRoutines, RetryWritesOnceTheFolderIsThere) {
    shared.DossierGroupe = root + "/eleves/TAVR#05/";
    pupilZoe();
    NomFichierEleve();
    answers = {ui::vbRetry};
    onBox = [&] { fs::create_directory(root + "/eleves/TAVR#05"); };
    EXPECT_EQ(EcrireFichierEleve(shared.CheminFichierEleve), Issue::Fait);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(fs::exists(shared.CheminFichierEleve));
}

TEST_F(FileRoutines, ADisketteFolderIsCreatedBeforeEachWriteAndNamedInTheMessage) {
    // Drive letters mean nothing here: "A:" is an ordinary folder name, missing at first.
    shared.DossierGroupe = "A:/TAVR#07/";
    pupilZoe();
    NomFichierEleve();
    answers = {ui::vbRetry};
    onBox = [&] { fs::create_directory(root + "/A:"); };
    EXPECT_EQ(EcrireFichierEleve(shared.CheminFichierEleve), Issue::Fait);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, cp("Impossible d'écrire sur la disquette."));
    EXPECT_TRUE(fs::exists(root + "/A:/TAVR#07/ZOECECOT.GXO"));
    boxes.clear();
    EcrireFichierEleve(shared.CheminFichierEleve); // the existing folder is no failure
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FileRoutines, APupilsFolderBelowTheDisketteRootIsMadeLevelByLevel) {
    shared.DossierGroupe = "B:/ELEVES/TAVR#03/";
    pupilZoe();
    NomFichierEleve();
    fs::create_directory(root + "/B:");
    EXPECT_EQ(EcrireFichierEleve(shared.CheminFichierEleve), Issue::Fait);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(fs::exists(root + "/B:/ELEVES/TAVR#03/ZOECECOT.GXO"));
}

TEST_F(FileRoutines, UnknownPupil) {
    EXPECT_EQ(LireFichierEleve(root + "/eleves/TAVR#01/ZOECECOT.GXO", false), Issue::Echec);
    EXPECT_EQ(LireFichierEleve(root + "/eleves", false), Issue::Echec); // a folder is no pupil file
}

TEST_F(FileRoutines, NamesOnly) {
    write(root + "/eleves/P", "ZOE\r\nCOTE\r\n");
    EXPECT_EQ(LireFichierEleve(root + "/eleves/P", true), Issue::Fait);
    EXPECT_EQ(shared.Prenom, "ZOE");
    EXPECT_EQ(shared.Nom, "COTE");
    EXPECT_EQ(LireFichierEleve(root + "/eleves/P", false), Issue::Abime);
}

TEST_F(FileRoutines, DamagedPupilFilesAndTheReset) {
    zoeSaved(4, "AeAf");
    std::string good = read(shared.CheminFichierEleve);
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = good.find("\r\n", start)) != std::string::npos;
         start = end + 2)
        lines.push_back(good.substr(start, end - start));
    ASSERT_EQ(lines.size(), 19u);
    auto with = [&](std::size_t line, const std::string& text, std::size_t count = 19) {
        std::string out;
        for (std::size_t i = 0; i < count; ++i) out += (i == line ? text : lines[i]) + "\r\n";
        return out;
    };
    const std::pair<const char*, std::string> cases[] = {
        {"ends after line 12", with(99, "", 12)},
        {"negative list position", with(2, "-3 ")},
        {"activity 12", with(3, " 12 ")},
        {"progress too short", with(6, std::string(1440, '#'))},
        {"progress with a letter", with(6, std::string(1449, '#') + "A")},
        {"points beyond 16 bits", with(7, " 70000 ")},
    };
    for (const auto& [what, content] : cases) {
        write(root + "/eleves/damaged", content);
        resetSharedState();
        shared.EtatLecons[0] = '3';
        EXPECT_EQ(LireFichierEleve(root + "/eleves/damaged", false), Issue::Abime) << what;
        EXPECT_EQ(shared.Prenom, cp("ZOÉ")) << what; // read before the damage: stays
        EXPECT_EQ(shared.EtatLecons.size(), 1450u) << what;
        EXPECT_GE(shared.PositionListe, 0) << what;
        EXPECT_TRUE(shared.Activite >= 0 && shared.Activite <= 11) << what;
    }

    write(root + "/eleves/damaged", with(7, "x"));
    EXPECT_EQ(LireFichierEleve(root + "/eleves/damaged", false), Issue::Abime);
    EXPECT_EQ(shared.ListeLecons, "AeAf");
    EXPECT_EQ(shared.NumeroSequence, 4);
    shared.EleveActif = 1;
    reinitialiserEleve();
    EXPECT_EQ(shared.Prenom, cp("ZOÉ"));
    EXPECT_EQ(shared.ListeLecons, "");
    EXPECT_EQ(shared.NumeroSequence, -1);
    EXPECT_EQ(shared.EtatLecons, std::string(1450, '#'));
    EXPECT_EQ(shared.PositionListe, 0);
    EXPECT_EQ(shared.Points, 8);
    EXPECT_EQ(shared.NumeroItem, 3);
    EXPECT_EQ(shared.RepriseAutorisee, shared.RepriseParDefaut);
    EXPECT_FALSE(shared.EleveActif);
}

// A file made huge without a byte on disk is read as the damaged file it is, with no attempt to
// hold it in memory.
TEST_F(FileRoutines, HugeSmallFilesReadAsDamaged) {
    const auto huge = [this](const std::string& path, const std::string& start) {
        write(path, start);
        fs::resize_file(path, std::uintmax_t{200} << 30);
    };
    zoeInGroupOne();
    EcrireFichierEleve(shared.CheminFichierEleve);
    huge(shared.CheminFichierEleve, read(shared.CheminFichierEleve));
    EXPECT_EQ(LireFichierEleve(shared.CheminFichierEleve, false), Issue::Abime);
    EXPECT_EQ(LireFichierEleve(shared.CheminFichierEleve, true), Issue::Abime);

    huge(shared.CheminParametres, "/E/\r 0 \r-1 \r-1 \r 1 \r 0 \r\n\r\r\r 0 \r 0 \r 0 \r\n");
    EXPECT_EQ(LireParametres(shared.CheminParametres), Issue::Echec);

    huge(shared.CheminMotsDePasse, "111111100000000\r\n\r\n\r\n");
    EXPECT_EQ(LireMotsDePasse(), Issue::Echec);
}

// The save reads the file again before it writes: a pupil file made huge on disk is as damaged
// there as at sign-in, and is replaced without being held in memory on the way.
TEST_F(FileRoutines, ASaveOverAHugePupilFileNeverHoldsItInMemory) {
    zoeInGroupOne();
    EcrireFichierEleve(shared.CheminFichierEleve);
    ASSERT_EQ(LireFichierEleve(shared.CheminFichierEleve, false), Issue::Fait);
    fs::resize_file(shared.CheminFichierEleve, std::uintmax_t{200} << 20);
    const auto peakKb = [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return usage.ru_maxrss;
    };
    const long before = peakKb();
    shared.Points = 5;
    EXPECT_EQ(EcrireFichierEleve(shared.CheminFichierEleve), Issue::Fait);
    EXPECT_LT(peakKb() - before, 100 * 1024) << "kilobytes taken at the peak of the save";
    EXPECT_EQ(read(shared.CheminFichierEleve), formats::formatPupilFile(valeursEleve()));
}

// A sequence list holding a comma, and a pupils' folder made of blanks, come back as they went.
TEST_F(FileRoutines, ValuesTheFileMustQuoteReadBackWhole) {
    zoeInGroupOne();
    shared.NumeroSequence = 3;
    shared.ListeLecons = "Ae,AfAg";
    EcrireFichierEleve(shared.CheminFichierEleve);
    shared.ListeLecons.clear();
    EXPECT_EQ(LireFichierEleve(shared.CheminFichierEleve, false), Issue::Fait);
    EXPECT_EQ(shared.ListeLecons, "Ae,AfAg");

    for (const std::string folder : {"  ", " /E/ ", "/A,B/", "/\"Q\"/"}) {
        shared.DossierEleves = folder;
        EcrireParametres(shared.CheminParametres);
        shared.DossierEleves = "autre";
        EXPECT_EQ(LireParametres(shared.CheminParametres), Issue::Fait) << folder;
        EXPECT_EQ(shared.DossierEleves, folder);
    }
}

// A retake write at the end of the longest list the file keeps leaves the position there instead
// of wrapping it to a negative one that the next sign-in would refuse.
TEST_F(FileRoutines, ARetakeWriteNeverWrapsThePosition) {
    zoeInGroupOne();
    shared.NumeroSequence = 3;
    shared.ListeLecons = std::string(formats::kListLengthMax, 'A');
    shared.PositionListe = formats::kListEntriesMax;
    shared.ListeReprise = "AeAf";
    shared.NumeroLecon = 5;
    EcrireFichierEleve(shared.CheminFichierEleve);
    EXPECT_EQ(shared.PositionListe, formats::kListEntriesMax);
    EXPECT_EQ(LireFichierEleve(shared.CheminFichierEleve, false), Issue::Fait);
    EXPECT_EQ(shared.PositionListe, formats::kListEntriesMax);
}

// The file holds the values as a file can keep them (here a position past the end of the list,
// which a damaged catalogue once left, brought back to it). The next save must tell what this
// program changed from what the file holds: the lesson it goes on with keeps its counters.
TEST_F(FileRoutines, ASaveAfterTheFileTidiedAValueKeepsThisProgramsChanges) {
    zoeInGroupOne();
    shared.NumeroSequence = 3;
    shared.ListeLecons = "AeAf";
    shared.PositionListe = 5;
    ASSERT_EQ(EcrireFichierEleve(shared.CheminFichierEleve), Issue::Fait);
    formats::PupilValues file;
    ASSERT_EQ(formats::parsePupilFile(read(shared.CheminFichierEleve), false, file),
              formats::PupilReadStatus::Read);
    EXPECT_EQ(file.positionListe, 2);
    EXPECT_EQ(shared.PositionListe, 2) << "the program goes on from what it wrote";

    shared.Points = 4;
    shared.NumeroItem = 2;
    EcrireFichierEleve(shared.CheminFichierEleve);
    ASSERT_EQ(formats::parsePupilFile(read(shared.CheminFichierEleve), false, file),
              formats::PupilReadStatus::Read);
    EXPECT_EQ(file.points, 4);
    EXPECT_EQ(file.numeroItem, 2);
    EXPECT_EQ(file.positionListe, 2);
}

// Folders and deleting

TEST_F(FileRoutines, EveryLevelOfThePupilsFolder) {
    shared.DossierEleves = root + "/ECOLE/CLASSE1/";
    CreerDossierEleves();
    EXPECT_TRUE(fs::is_directory(root + "/ECOLE/CLASSE1"));
    CreerDossierEleves(); // existing levels are passed over
    EXPECT_TRUE(fs::is_directory(root + "/ECOLE/CLASSE1"));
    shared.DossierEleves = "A:/";
    CreerDossierEleves(); // a drive's root creates nothing
    EXPECT_FALSE(fs::exists(root + "/A:"));
}

TEST_F(FileRoutines, DeletingFilesOfAGroup) {
    const std::string group = root + "/eleves/TAVR#02";
    fs::create_directory(group);
    write(group + "/A", "");
    write(group + "/B", "");
    EXPECT_EQ(DetruireFichier(group + "/A"), Issue::Fait);
    EXPECT_FALSE(fs::exists(group + "/A"));
    EXPECT_EQ(DetruireFichier(group + "/A"), Issue::Echec);
    EXPECT_EQ(DetruireFichier(group + "/*.*"), Issue::Fait);
    EXPECT_TRUE(fs::is_empty(group));
    EXPECT_EQ(DetruireFichier(root + "/eleves/TAVR#03/*.*"), Issue::Echec);
}

TEST_F(FileRoutines, NamesSortedByCharacterCodesWithTheirPaths) {
    const std::string names[] = {"MARTIN LEA", cp("ÉTIENNE MAX"), "DUPONT JEAN", "ZOLA ZOE",
                                 "DUPONT ANNE"};
    for (int i = 0; i < 5; ++i) {
        shared.Noms[i] = names[i];
        shared.CheminsEleves[i] = "path" + std::to_string(i);
    }
    shared.Noms[5] = "AAA"; // beyond n: untouched
    TrierNoms(5);
    EXPECT_EQ(shared.Noms[0], "DUPONT ANNE");
    EXPECT_EQ(shared.CheminsEleves[0], "path4");
    EXPECT_EQ(shared.Noms[1], "DUPONT JEAN");
    EXPECT_EQ(shared.Noms[2], "MARTIN LEA");
    EXPECT_EQ(shared.Noms[3], "ZOLA ZOE");
    EXPECT_EQ(shared.Noms[4], cp("ÉTIENNE MAX")); // accented capitals after "Z"
    EXPECT_EQ(shared.CheminsEleves[4], "path1");
    EXPECT_EQ(shared.Noms[5], "AAA");
    TrierNoms(200); // more than the table holds: the whole table, empty slots first
    EXPECT_EQ(shared.Noms[45], "AAA");
    EXPECT_EQ(shared.Noms[50], cp("ÉTIENNE MAX"));
}

// Sequence catalogue

TEST_F(FileRoutines, ThePupilStartsHisSequence) {
    const std::string path = shared.DossierDonnees + "SEQUENCE.TAV";
    ASSERT_TRUE(formats::createBlankSequenceCatalogue(path));
    std::string full;
    for (int i = 0; i < 400; ++i)
        full += {static_cast<char>('A' + i % 12), static_cast<char>(101 + i % 120)};
    ASSERT_TRUE(formats::writeSequence(path, std::string(1250, ' '), 50, full));
    ASSERT_TRUE(formats::writeSequence(path, std::string(1250, ' '), 2, "  AeBf  "));

    shared.NumeroSequence = 50;
    shared.PositionListe = 6;
    shared.Activite = 4;
    shared.Points = 2;
    shared.NumeroItem = 1;
    shared.SerieImages = 3;
    shared.ItemsTermines = 1;
    ChargerSequenceEleve();
    EXPECT_EQ(shared.ListeLecons, full); // 400 codes fill the 800 characters
    EXPECT_EQ(shared.PositionListe, 0);
    EXPECT_EQ(shared.Activite, 0);
    EXPECT_EQ(shared.Points, 8);
    EXPECT_EQ(shared.NumeroItem, 3);
    EXPECT_EQ(shared.SerieImages, 0);
    EXPECT_EQ(shared.ItemsTermines, 0);

    shared.NumeroSequence = 2;
    ChargerSequenceEleve();
    EXPECT_EQ(shared.ListeLecons, "AeBf");

    shared.NumeroSequence = 0;
    shared.ListeLecons = "Cg";
    shared.PositionListe = 1;
    ChargerSequenceEleve();
    EXPECT_EQ(shared.ListeLecons, "Cg");
    EXPECT_EQ(shared.PositionListe, 0);

    LireSequence(1, 1250);
    EXPECT_EQ(shared.TamponSequence, std::string(1250, ' '));
}

TEST_F(FileRoutines, SequenceBytesNeverWrittenAreKept) {
    write(shared.DossierDonnees + "sequence.tav", std::string(1400, ' '));
    ASSERT_TRUE(formats::writeSequence(shared.DossierDonnees + "SEQUENCE.TAV",
                                       std::string(1250, ' '), 2, "Ae"));
    shared.NumeroSequence = 1;
    ChargerSequenceEleve();
    EXPECT_EQ(shared.ListeLecons, std::string(800, '\0'));
}

TEST_F(FileRoutines, AMissingSequenceCatalogueGivesAnEmptyList) {
    shared.NumeroSequence = 3;
    shared.ListeLecons = "Ae";
    ChargerSequenceEleve();
    EXPECT_EQ(shared.ListeLecons, "");
    EXPECT_FALSE(fs::exists(shared.DossierDonnees + "SEQUENCE.TAV"));
}

// What the main window shows of the pupil follows a save that took in another program's work: two
// programs have Zoé signed in, and this one quits, from a lesson or from its reward screen.
class MergedSaveOnScreen : public shelltest::ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        ui::load<MDI1>();
        shared.DossierEleves = data("eleves").string() + "/";
        fs::create_directories(data("eleves"));
    }
};

TEST_F(MergedSaveOnScreen, TheTotalTheReportMenuAndTheCaptionFollowWhatTheSaveTookIn) {
    struct Case {
        const char* what;
        int doneHere;        // lessons done when this program read the file
        bool finishedHere;   // this program finished one more lesson since
        bool finishedThere;  // the other program finished another one and saved
        const char* renamed; // the first name the other program saved, or null
        bool fromReward;     // this program quits from its reward screen
        const char* total;   // the total line after the save, "" when hidden
        bool menu;           // the "Bilan" menu after the save
        const char* caption;
    };
    const Case cases[] = {
        {"another program added a lesson", 3, false, true, nullptr, false, "Total : 4 leçons", true,
         "ZOE -- Les ensembles de dessins -- Leçon 9"},
        {"nothing changed elsewhere", 3, false, false, nullptr, false, "Total : 3 leçons", true,
         "ZOE -- Les ensembles de dessins -- Leçon 9"},
        {"both finished a lesson", 3, true, true, nullptr, false, "Total : 5 leçons", true,
         "ZOE -- Les ensembles de dessins -- Leçon 9"},
        {"signed in with no lesson, the other's lesson comes in", 0, false, true, nullptr, false,
         "Total : 1 leçon", true, "ZOE -- Les ensembles de dessins -- Leçon 9"},
        {"a teacher corrected the first name elsewhere", 3, false, false, "ZOÉ", false,
         "Total : 3 leçons", true, "ZOÉ -- Les ensembles de dessins -- Leçon 9"},
        {"the reward screen holds the menu shut", 0, false, true, nullptr, true, "Total : 2 leçons",
         false, "ZOE -- Les ensembles de dessins -- Leçon 9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui::unloadAllForms();
        shell::resetSharedState();
        ui::load<MDI1>();
        shared.DossierEleves = data("eleves").string() + "/";
        fs::remove_all(data("eleves/TAVR#01"));

        shared.Prenom = "ZOE";
        shared.Nom = cp("CÔTÉ-RIVIÈRE");
        shared.NumeroSequence = 2;
        shared.ListeLecons = "AmAn";
        for (int i = 0; i < c.doneHere; ++i) shared.EtatLecons[static_cast<std::size_t>(i)] = '7';
        creerDossierGroupe("1");
        NomFichierEleve();
        const std::string path = shared.CheminFichierEleve;
        EcrireFichierEleve(path);
        shell::resetSharedState();
        ui::load<MDI1>();
        ASSERT_EQ(LireFichierEleve(path, false), Issue::Fait);
        shared.CheminFichierEleve = path;
        shared.EleveActif = kVrai;

        // This program is playing lesson 9 of the first activity.
        shared.Activite = 0;
        shared.NumeroLecon = 9;
        AfficherTitreLecon(shared.TitresActivites[0]);
        AfficherTotalLecons();
        ActiverMenuBilan();
        if (c.finishedHere) shared.EtatLecons[100] = '8';

        otherProgramSaves(path, [&](formats::PupilValues& v) {
            if (c.finishedThere) v.etatLecons[50] = '6';
            if (c.renamed) v.prenom = cp(c.renamed);
        });

        MDI1& m = fenetrePrincipale();
        if (c.fromReward) {
            shared.Points = 5;
            felicite& reward = ui::load<felicite>();
            ASSERT_FALSE(m.bilan.enabled()) << "the reward screen shuts the menu";
            click(reward.Image5);
        } else {
            choose(m.quitter[1]);
        }
        EXPECT_TRUE(ended);

        const std::string total = c.total[0] ? std::string(75, ' ') + c.total : "";
        EXPECT_EQ(m.total.visible() ? u8(m.total.caption()) : "", total);
        EXPECT_EQ(m.bilan.enabled(), c.menu);
        EXPECT_EQ(u8(m.caption()), c.caption);
        formats::PupilValues file;
        ASSERT_EQ(formats::parsePupilFile(*platform::readWholeFile(path), false, file),
                  formats::PupilReadStatus::Read);
        EXPECT_EQ(file.etatLecons, shared.EtatLecons) << "the screen shows what the file holds";
        ended = false;
    }
}

// The registration screen saves the pupil it changes while nobody is signed in: the main window
// shows nothing of him.
TEST_F(MergedSaveOnScreen, ASaveWithNobodySignedInShowsNothingOfThePupil) {
    shared.Prenom = "ZOE";
    shared.Nom = cp("CÔTÉ-RIVIÈRE");
    shared.EtatLecons[3] = '8';
    creerDossierGroupe("1");
    NomFichierEleve();
    MDI1& m = fenetrePrincipale();
    m.setCaption(cp("TAVREL   Modifier des inscriptions"));
    m.bilan.setEnabled(false);
    ASSERT_EQ(EcrireFichierEleve(shared.CheminFichierEleve), Issue::Fait);
    EXPECT_FALSE(m.total.visible());
    EXPECT_FALSE(m.bilan.enabled());
    EXPECT_EQ(u8(m.caption()), "TAVREL   Modifier des inscriptions");
}
