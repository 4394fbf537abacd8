// The home screen as pupils use it: the card's keys and checks, signing in, registering oneself
// with a starting sequence, and the faults a card must not let through.
#include "signin_fixture.h"

#include "players/reward_screen.h"
#include "shell/guide_viewer.h"
#include "shell/routines.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>
#include <array>
#include <filesystem>
#include <functional>

namespace {

using players::felicite;
using players::Feuille7;
using shell::document;
using shell::fenetrePrincipale;
using shell::MDI1;
using shell::shared;
using signin::Feuille1;
using signin::Feuille3;
using signintest::SignInTest;

class HomeScreen : public SignInTest {};

std::string progressWith(int position, char score) {
    std::string p(1450, '#');
    p[static_cast<std::size_t>(position - 1)] = score;
    return p;
}

TEST_F(HomeScreen, TheCardTakesOnlyWhatANameOrAGroupMayHoldTypedOrPasted) {
    Feuille1& f = home();
    const CardEntry entries[] = {
        {0, "a7-", "7", false},
        {0, "123", "12", false},
        {0, "4a2", "42", true},
        {1, "zoé", "ZOÉ", false},
        {1, "çàûÂ", "ÇÀÛÂ", false},
        {1, "ëï?:;ÿ", "", false},
        {1, "l'é-a", "L'É-A", false},
        {1, " a b", "A B", false},
        {2, "jean2", "JEAN2", false},
        {2, "a,b\"c", "ABC", false},
        {2, " zoé, \"ann\"", "ZOÉ ANN", true},
        {2, "a\tb\r\nc", "ABC", true},
    };
    expectCardEntries(f.eleve, entries);
}

TEST_F(HomeScreen, TheNumbersExamplesStayInsideTheCellsAndFrameOfTheirIcons) {
    for (int width : {640, 1024, 1440}) {
        useScreen(width, width * 3 / 4);
        Feuille1& f = home();
        // The tree's, the table's and the grid's examples.
        for (int icone : {5, 6, 7}) {
            SCOPED_TRACE(std::to_string(width) + " icon " + std::to_string(icone));
            ui::PictureBox& p = f.Image5[icone];
            const QImage shown = grab(p);
            // The icon's own drawing without the example: its lines and its frame.
            QImage bare(shown.size(), QImage::Format_RGB32);
            bare.fill(ui::qcolour(p.backColor()));
            {
                QPainter painter(&bare);
                p.picture().draw(painter, QRectF(QPointF(0, 0), QSizeF(p.innerPixelSize())));
            }
            const auto rouge = [](QRgb c) {
                return qRed(c) > 150 && qGreen(c) < 110 && qBlue(c) < 110;
            };
            // Dark ink or the orange frame; the drawing's own red tokens are not lines.
            const auto trait = [&](QRgb c) {
                if (rouge(c)) return false;
                const bool encre = qGray(c) < 110;
                const bool cadre =
                    qRed(c) > 200 && qGreen(c) > 110 && qGreen(c) < 180 && qBlue(c) < 80;
                return encre || cadre;
            };
            int traits = 0, rouges = 0, couverts = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x) {
                    if (rouge(shown.pixel(x, y)) && !rouge(bare.pixel(x, y))) ++rouges;
                    if (!trait(bare.pixel(x, y))) continue;
                    ++traits;
                    if (rouge(shown.pixel(x, y))) ++couverts;
                }
            ASSERT_GT(traits, 100);
            ASSERT_GT(rouges, 20) << "the example is written";
            EXPECT_EQ(couverts, 0) << "red over the drawing's lines";
        }
        ui::unload<Feuille1>();
    }
}

TEST_F(HomeScreen, EnterChecksEachFieldBeforeMovingOn) {
    Feuille1& f = home();
    focus(f.eleve[0]);
    pressEnter(f.eleve[0]);
    EXPECT_TRUE(seen(f.Etiquette4));
    EXPECT_EQ(u8(f.Etiquette4.caption()), "\r\nÉcris le numéro de ton groupe.\r\n");
    EXPECT_TRUE(f.eleve[0].hasFocus());
    key(f.eleve[0], Qt::Key_Up);
    EXPECT_TRUE(f.eleve[0].hasFocus()) << "there is no field above the group";
    EXPECT_FALSE(f.Etiquette4.visible()) << "a key in a field takes the message away";

    type(f.eleve[0], "7");
    pressEnter(f.eleve[0]);
    EXPECT_TRUE(f.eleve[1].hasFocus());
    type(f.eleve[1], "a");
    pressEnter(f.eleve[1]);
    EXPECT_EQ(u8(f.Etiquette4.caption()), "\r\nÉcris ton prénom.\r\n");
    EXPECT_TRUE(f.eleve[1].hasFocus());
    type(f.eleve[1], " ");
    key(f.eleve[1], Qt::Key_Down);
    EXPECT_TRUE(f.eleve[2].hasFocus()) << "a letter and a blank make two characters";
    EXPECT_TRUE(f.Commande1.enabled());
    key(f.eleve[2], Qt::Key_Up);
    EXPECT_TRUE(f.eleve[1].hasFocus());
}

TEST_F(HomeScreen, TheMessageFitsItsTextAtEveryScreenSize) {
    for (int width : {640, 1024, 2048}) {
        SCOPED_TRACE(width);
        useScreen(width, width * 3 / 4);
        Feuille1& f = home();
        focus(f.eleve[0]);
        pressEnter(f.eleve[0]);
        const QFontMetricsF inItsFont(ui::qfont(f.Etiquette4.font()));
        const double needed =
            inItsFont.horizontalAdvance(QString::fromUtf8("Écris le numéro de ton groupe."));
        EXPECT_GE(f.Etiquette4.pixelRect().width(), needed + 2);
        EXPECT_NEAR(f.Etiquette4.left() + f.Etiquette4.width() / 2, 7700 * shared.Echelle, 1);
        ui::unload<Feuille1>();
    }
}

TEST_F(HomeScreen, AKnownPupilWhoFollowsASequenceGoesStraightToHisNextLesson) {
    writeLesson(0, 1);
    writeLesson(1, 5);
    auto v = pupil("ZOÉ", "CÔTÉ-RIVIÈRE", 3);
    v.listeLecons = code(0, 1) + code(1, 5);
    v.positionListe = 1;
    writePupil("07", v);

    typeCard("7", "zoé", "côté-rivière");

    EXPECT_EQ(ui::find<Feuille1>(), nullptr);
    EXPECT_EQ(loadedPlayer(), 1) << "lesson 5 of the tree of drawings";
    EXPECT_EQ(shared.NumeroLecon, 5);
    EXPECT_TRUE(shared.EleveActif);
    EXPECT_EQ(shared.CheminFichierEleve,
              shared.DossierEleves + "TAVR#07/" + formats::nomCourtEleve(v.prenom, v.nom));
    EXPECT_FALSE(main().gestionnaire.enabled());
    EXPECT_FALSE(main().infor[1].enabled());
    EXPECT_FALSE(main().Lecons.enabled());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(HomeScreen, APupilWhoChoosesHisOwnLessonsSeesTheIconsOrGoesOnWithHisKeptList) {
    writeLesson(0, 1);
    writeLesson(0, 2);
    writeLesson(0, 3);
    struct Case {
        bool keep;
        int taken;
        bool icons;
    };
    for (const Case c : {Case{false, 0, true}, Case{true, 3, true}, Case{true, 2, false}}) {
        SCOPED_TRACE(c.taken);
        shared.ConserverChoix = c.keep ? shell::kVrai : shell::kFaux;
        auto v = pupil("LÉO", "AUBÉ", 0);
        v.listeLecons = code(0, 1) + code(0, 2) + code(0, 3);
        v.positionListe = static_cast<std::int16_t>(c.taken);
        writePupil("12", v);

        typeCard("12", "Léo", "Aubé");

        EXPECT_TRUE(shared.EleveActif);
        if (c.icons) {
            Feuille1* f = ui::find<Feuille1>();
            ASSERT_NE(f, nullptr);
            for (int i = 0; i < 12; ++i) EXPECT_TRUE(seen(f->Image5[i]));
            EXPECT_FALSE(seen(f->eleve[0]));
            EXPECT_FALSE(seen(f->Forme1));
            EXPECT_TRUE(seen(f->etiquette2[0]));
            EXPECT_EQ(u8(f->etiquette2[0].caption()), "Choisir une des activités ci-dessus.");
            EXPECT_DOUBLE_EQ(f->etiquette2[0].fontSize(), 18);
            EXPECT_EQ(u8(main().caption()), "LÉO -- TAVREL");
            EXPECT_EQ(loadedPlayer(), -1);
        } else {
            EXPECT_EQ(loadedPlayer(), 0);
            EXPECT_EQ(shared.NumeroLecon, 3);
        }
        ui::unloadAllForms();
        shell::resetSharedState();
        ui::load<MDI1>();
        shared.DossierEleves = data("eleves").string() + "/";
    }
}

TEST_F(HomeScreen, ASequenceAlreadyUsedUpBringsTheCardBackWithNobodySignedIn) {
    writeLesson(0, 1);
    auto v = pupil("ZOÉ", "CÔTÉ", 2);
    v.listeLecons = code(0, 1);
    v.positionListe = 1;
    writePupil("07", v);

    typeCard("7", "zoé", "côté");

    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Tu as terminé les leçons choisies."});
    Feuille1* f = ui::find<Feuille1>();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(seen(f->eleve[0]));
    EXPECT_TRUE(seen(f->Commande1));
    EXPECT_EQ(text(f->eleve[1]), "") << "a fresh card";
    EXPECT_FALSE(shared.EleveActif);
    EXPECT_EQ(loadedPlayer(), -1);
}

TEST_F(HomeScreen, AKeptListOfPerfectLessonsBringsTheIconsBackWithoutAMessage) {
    writeLesson(0, 1);
    shared.ConserverChoix = shell::kVrai;
    auto v = pupil("LÉO", "AUBÉ", 0);
    v.listeLecons = code(0, 1);
    v.etatLecons = progressWith(1, '8');
    writePupil("12", v);

    typeCard("12", "léo", "aubé");

    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(loadedPlayer(), -1);
    Feuille1* f = ui::find<Feuille1>();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(seen(f->Image5[0]));
    EXPECT_FALSE(seen(f->eleve[0]));
    EXPECT_TRUE(shared.EleveActif) << "he still chooses his own lessons";
}

TEST_F(HomeScreen, ANewPupilRegistersHimselfWithASequenceAndStartsIt) {
    writeLesson(0, 1);
    writeLesson(0, 2);
    writeSequence(3, code(0, 1) + code(0, 2));
    writeSequence(4, "A"); // a list without one whole lesson code

    typeCard("7", "zoé", "côté-rivière");
    Feuille1& f = screen<Feuille1>();
    ASSERT_TRUE(seen(f.Cadre2));
    EXPECT_EQ(u8(f.Cadre2.caption()), "Nouvelle inscription ?");
    EXPECT_EQ(u8(f.Etiquette3[1].caption()),
              "Dans le groupe 7,  personne ne s'appelle ZOÉ CÔTÉ-RIVIÈRE.\r\n\r\n"
              "Est-ce une NOUVELLE inscription?");
    EXPECT_FALSE(shared.EleveActif);

    click(f.Commande5[0]);
    EXPECT_FALSE(seen(f.Cadre2));
    EXPECT_FALSE(seen(f.Cadre1)) << "the frame opens after the click is over";
    settle();
    ASSERT_TRUE(seen(f.Cadre1));
    EXPECT_TRUE(f.Texte1.hasFocus());

    type(f.Texte1, "x5");
    EXPECT_EQ(text(f.Texte1), "5") << "digits only";
    f.Texte1.setText("");
    for (const char* wrong : {"", "51"}) {
        f.Texte1.setText(wrong);
        pressEnter(f.Texte1);
        EXPECT_EQ(u8(f.Etiquette4.caption()), "\r\nÉcris un numéro entre 0 et 50.\r\n") << wrong;
        EXPECT_TRUE(f.Texte1.hasFocus());
    }
    for (const char* empty : {"9", "4"}) {
        f.Texte1.setText(empty);
        pressEnter(f.Texte1);
        EXPECT_EQ(lastBox(), "La séquence " + std::string(empty) + " n'existe pas.");
    }
    const std::string path = pupilPath("07", "ZOÉ", "CÔTÉ-RIVIÈRE");
    EXPECT_FALSE(exists(path)) << "nothing is written for a sequence without lessons";

    f.Texte1.setText("3");
    pressEnter(f.Texte1);

    EXPECT_EQ(path, "eleves/TAVR#07/ZOECECOT.GXO");
    const std::string expected = cp("ZOÉ\r\nCÔTÉ-RIVIÈRE\r\n 0 \r\n 0 \r\n") + code(0, 1) +
                                 code(0, 2) + "\r\n 3 \r\n" + std::string(1450, '#') +
                                 "\r\n 8 \r\n 0 \r\n 0 \r\n 3 \r\n-1 \r\n\r\n\r\n\r\n"
                                 " 0 \r\n 0 \r\n 0 \r\n 0 \r\n";
    EXPECT_EQ(readFile(path), expected);
    EXPECT_TRUE(shared.EleveActif);
    EXPECT_EQ(loadedPlayer(), 0);
    EXPECT_EQ(shared.NumeroLecon, 1);
}

TEST_F(HomeScreen, ANewPupilWithSequenceZeroStartsWithAnEmptyListAndChoosesAnActivity) {
    shared.ConserverChoix = shell::kVrai;
    writeSequence(4, "A"); // leaves a half code behind when it is refused

    typeCard("0", "léo", "aubé");
    Feuille1& f = screen<Feuille1>();
    click(f.Commande5[0]);
    settle();
    f.Texte1.setText("4");
    click(f.Commande4[0]);
    ASSERT_EQ(lastBox(), "La séquence 4 n'existe pas.");
    f.Texte1.setText("0");
    click(f.Commande4[0]);

    const std::string file = readFile(pupilPath("00", "LÉO", "AUBÉ"));
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(file.substr(0, cp("LÉO\r\nAUBÉ\r\n 0 \r\n 0 \r\n\r\n 0 \r\n").size()),
              cp("LÉO\r\nAUBÉ\r\n 0 \r\n 0 \r\n\r\n 0 \r\n"))
        << "no list of another attempt leaks into the new pupil's file";
    EXPECT_TRUE(shared.ListeLecons.empty());
    EXPECT_TRUE(shared.EleveActif);
    EXPECT_FALSE(seen(f.eleve[0]));
    for (int i = 0; i < 12; ++i) EXPECT_TRUE(seen(f.Image5[i]));
}

TEST_F(HomeScreen, AnUnknownPupilIsToldToCheckTheCardWhenPupilsMayNotRegister) {
    shared.SansInscriptionImmediate = shell::kVrai;
    for (int answer = 0; answer < 2; ++answer) {
        SCOPED_TRACE(answer);
        typeCard("7", "zoé", "côté");
        Feuille1& f = screen<Feuille1>();
        ASSERT_TRUE(seen(f.Cadre2));
        EXPECT_EQ(u8(f.Cadre2.caption()), "Utilisateur inconnu");
        EXPECT_FALSE(seen(f.Commande5[1]));
        EXPECT_EQ(u8(f.Commande5[0].caption()), "&Continuer");
        EXPECT_DOUBLE_EQ(f.Commande5[0].left(), 1700);
        EXPECT_EQ(u8(f.Etiquette3[1].caption()),
                  "Dans le groupe 7,  personne ne s'appelle ZOÉ CÔTÉ.\r\n\r\n"
                  "Vérifie la fiche d'identication.");
        if (answer == 0)
            click(f.Commande5[0]);
        else
            type(f.Commande5[0], "o");
        settle();
        EXPECT_FALSE(seen(f.Cadre2));
        EXPECT_FALSE(seen(f.Cadre1));
        EXPECT_EQ(u8(f.Etiquette4.caption()),
                  "\r\nCorrige le numéro du groupe\r\nou l'orthographe de ton nom.\r\n");
        EXPECT_TRUE(f.eleve[0].hasFocus());
        EXPECT_FALSE(shared.EleveActif);
        ui::unload<Feuille1>();
    }
    EXPECT_FALSE(exists(pupilPath("07", "ZOÉ", "CÔTÉ")));
}

TEST_F(HomeScreen, ADamagedPupilFileSignsNobodyInAndLeavesNothingOfIt) {
    auto good = pupil("ZOÉ", "CÔTÉ", 0);
    good.listeLecons = code(0, 1);
    good.etatLecons = progressWith(3, '6');
    const std::string whole = formats::formatPupilFile(good);
    const auto lineStart = [&](int line) {
        std::size_t p = 0;
        for (int i = 1; i < line; ++i) p = whole.find("\r\n", p) + 2;
        return p;
    };
    const auto replaceLine = [&](int line, const std::string& with) {
        std::string s = whole;
        const std::size_t a = lineStart(line);
        s.replace(a, s.find("\r\n", a) - a, with);
        return s;
    };
    const std::string damaged[] = {
        replaceLine(7, std::string(1449, '#')),       // progress too short
        replaceLine(7, "9" + std::string(1449, '#')), // a score above 8
        replaceLine(3, "-1 "),                        // negative list position
        replaceLine(4, " 12 "),                       // no such activity
        whole.substr(0, lineStart(13)),               // reserved lines missing
    };
    for (const std::string& content : damaged) {
        writeFile(pupilPath("07", "ZOÉ", "CÔTÉ"), content);
        boxes.clear();
        typeCard("7", "zoé", "côté");
        EXPECT_EQ(boxTexts(), std::vector<std::string>{"Le fichier de cet utilisateur est abîmé."});
        EXPECT_FALSE(shared.EleveActif);
        EXPECT_EQ(shared.Prenom, "");
        EXPECT_EQ(shared.CheminFichierEleve, "");
        EXPECT_EQ(shared.ListeLecons, "");
        EXPECT_EQ(shared.EtatLecons, std::string(1450, '#'));
        EXPECT_EQ(u8(main().caption()), "TAVREL");
        Feuille1& f = screen<Feuille1>();
        EXPECT_TRUE(f.eleve[0].hasFocus());
        EXPECT_FALSE(seen(f.Cadre2));
        shell::QuitterLogiciel();
        EXPECT_EQ(readFile(pupilPath("07", "ZOÉ", "CÔTÉ")), content) << "the file is left alone";
        ui::unload<Feuille1>();
    }
}

// His file is there but cannot be read just now: no new registration is offered over it, and
// whatever stands under its name is left as it was.
TEST_F(HomeScreen, APupilFileThatCannotBeReadNowIsNeverRegisteredAnew) {
    auto zoe = pupil("ZOÉ", "CÔTÉ", 0);
    zoe.etatLecons = progressWith(3, '6');
    const std::string content = formats::formatPupilFile(zoe);
    const std::filesystem::path file = data(pupilPath("07", "ZOÉ", "CÔTÉ"));
    const std::filesystem::path away = data("ailleurs/ZOE");
    struct Case {
        const char* name;
        std::function<void()> make;   // what stands in his file's place
        std::function<void()> expect; // that it is still there, whole
    };
    const Case cases[] = {
        {"a folder in its place",
         [&] {
             std::filesystem::create_directories(file);
             writeFile(pupilPath("07", "ZOÉ", "CÔTÉ") + "/dedans", content);
         },
         [&] {
             EXPECT_TRUE(std::filesystem::is_directory(file));
             EXPECT_EQ(readFile(pupilPath("07", "ZOÉ", "CÔTÉ") + "/dedans"), content);
         }},
        {"a link to a share that is away",
         [&] {
             writeFile("ailleurs/ZOE", content);
             std::filesystem::create_directories(file.parent_path());
             std::filesystem::create_symlink(away, file);
             std::filesystem::rename(away.parent_path(), data("ailleurs.absent"));
         },
         [&] {
             EXPECT_TRUE(std::filesystem::is_symlink(std::filesystem::symlink_status(file)));
             std::filesystem::rename(data("ailleurs.absent"), away.parent_path());
             EXPECT_EQ(readFile(pupilPath("07", "ZOÉ", "CÔTÉ")), content);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(file.parent_path());
        std::filesystem::remove_all(data("ailleurs"));
        c.make();
        boxes.clear();
        typeCard("7", "zoé", "côté");
        EXPECT_EQ(boxTexts(), std::vector<std::string>{"Le fichier de cet utilisateur est abîmé."});
        Feuille1& f = screen<Feuille1>();
        EXPECT_FALSE(seen(f.Cadre2)) << "no new registration";
        EXPECT_TRUE(f.eleve[0].hasFocus());
        EXPECT_FALSE(shared.EleveActif);
        EXPECT_EQ(shared.CheminFichierEleve, "");
        shell::QuitterLogiciel();
        c.expect();
        ui::unload<Feuille1>();
    }
}

// His file comes (written on another computer) while he answers the registration's frames: it is
// his, so he signs in with it and nothing is written over it.
TEST_F(HomeScreen, AFileThatComesDuringTheRegistrationIsTakenAndNotWrittenOver) {
    typeCard("7", "zoé", "côté");
    Feuille1& f = screen<Feuille1>();
    ASSERT_TRUE(seen(f.Cadre2));
    click(f.Commande5[0]);
    settle();
    f.Texte1.setText("0");
    auto zoe = pupil("ZOÉ", "CÔTÉ", 0);
    zoe.etatLecons = progressWith(3, '6');
    writePupil("07", zoe);
    const std::string before = readFile(pupilPath("07", "ZOÉ", "CÔTÉ"));
    click(f.Commande4[0]);
    EXPECT_EQ(readFile(pupilPath("07", "ZOÉ", "CÔTÉ")), before);
    EXPECT_TRUE(shared.EleveActif);
    EXPECT_EQ(shared.EtatLecons, progressWith(3, '6')) << "his own progress";
    EXPECT_FALSE(seen(f.Cadre1));
    for (int i = 0; i < 12; ++i) EXPECT_TRUE(seen(f.Image5[i]));
}

TEST_F(HomeScreen, AnotherPupilsFileUnderTheSameNameIsNotTakenOver) {
    // "MARTNI" and "MARTIN" give the same file name with other letters.
    auto other = pupil("ZOE", "MARTNI", 0);
    other.etatLecons = progressWith(1, '7');
    writePupil("07", other);
    const std::string path = pupilPath("07", "ZOE", "MARTNI");
    ASSERT_EQ(path, pupilPath("07", "ZOÉ", "MARTIN"));
    const std::string before = readFile(path);

    typeCard("7", "zoé", "martin");

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Dans ce groupe, un autre élève\na le même prénom et le même nom.\n\n"
              "Ajouter un nombre au prénom ou au nom\npour distinguer ces deux élèves.");
    EXPECT_FALSE(shared.EleveActif);
    EXPECT_EQ(shared.Prenom, "");
    EXPECT_EQ(shared.EtatLecons, std::string(1450, '#'));
    Feuille1& f = screen<Feuille1>();
    EXPECT_TRUE(seen(f.eleve[0]));
    EXPECT_FALSE(seen(f.Cadre2));
    shell::QuitterLogiciel();
    EXPECT_EQ(readFile(path), before);
}

TEST_F(HomeScreen, APupilWhoTypesHisNamesWithoutAccentsFindsHisOwnFile) {
    // "COTE RIVIERE" and "CÔTÉ-RIVIÈRE" keep the same letters: the same pupil.
    auto zoe = pupil("ZOÉ", "CÔTÉ-RIVIÈRE", 0);
    zoe.etatLecons = progressWith(1, '7');
    writePupil("07", zoe);
    ASSERT_EQ(pupilPath("07", "ZOE", "COTE RIVIERE"), pupilPath("07", "ZOÉ", "CÔTÉ-RIVIÈRE"));

    typeCard("7", "zoe", "cote riviere");

    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(shared.EleveActif);
    EXPECT_EQ(shared.Prenom, cp("ZOÉ")) << "the names of his file";
    EXPECT_EQ(shared.Nom, cp("CÔTÉ-RIVIÈRE"));
    EXPECT_EQ(shared.EtatLecons, progressWith(1, '7'));
    EXPECT_EQ(u8(main().caption()), "ZOÉ -- TAVREL");
    Feuille1& f = screen<Feuille1>();
    EXPECT_FALSE(seen(f.eleve[0]));
    EXPECT_TRUE(seen(f.Image5[0]));
}

TEST_F(HomeScreen, AFullGroupTakesNoSelfRegistration) {
    for (int count : {39, 40}) {
        SCOPED_TRACE(count);
        std::filesystem::remove_all(data("eleves/TAVR#07"));
        // Files of any name count, as the registration screen lists them.
        for (int i = 0; i < count; ++i)
            writeFile("eleves/TAVR#07/E" + std::to_string(i),
                      formats::formatPupilFile(pupil("ELEVE", "MARTIN", 3)));
        boxes.clear();
        typeCard("07", "zoé", "côté");
        Feuille1& f = screen<Feuille1>();
        click(f.Commande5[0]);
        settle();
        if (count == 40) {
            EXPECT_EQ(boxTexts(),
                      std::vector<std::string>{
                          "Le groupe 7 contient 40 utilisateurs.\nChoisir un autre groupe."});
            EXPECT_FALSE(seen(f.Cadre1));
            EXPECT_TRUE(f.eleve[0].hasFocus());
        } else {
            EXPECT_TRUE(boxes.empty());
            EXPECT_TRUE(seen(f.Cadre1));
        }
        ui::unload<Feuille1>();
    }
}

TEST_F(HomeScreen, AGroupFolderThatCannotBeMadeOffersRetryUntilCancel) {
    writeFile("fichier", "not a folder");
    shared.DossierEleves = data("fichier").string() + "/";
    answer(ui::vbRetry);
    answer(ui::vbRetry);
    answer(ui::vbCancel);
    typeCard("7", "zoé", "côté");
    EXPECT_EQ(boxTexts(), std::vector<std::string>(3, "Impossible d'écrire sur le disque."));
    EXPECT_EQ(boxes[0].style, ui::vbExclamation + ui::vbRetryCancel);
    EXPECT_EQ(boxes[0].title, "Message");
    Feuille1& f = screen<Feuille1>();
    EXPECT_TRUE(f.eleve[0].hasFocus());
    EXPECT_FALSE(seen(f.Cadre2));
    EXPECT_FALSE(shared.EleveActif);
}

TEST_F(HomeScreen, AfterTheDiskBoxIsCancelledEnterWalksTheCardAgain) {
    writeFile("fichier", "not a folder");
    shared.DossierEleves = data("fichier").string() + "/";
    main().show();
    // The real box, which takes the keyboard while it is open: the pupil answers "Annuler".
    ui::setMessageService(nullptr);
    int shown = 0;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        ++shown;
        for (QAbstractButton* b : box->buttons())
            if (b->text() == "Annuler") b->click();
    });
    watch.start();
    typeCard("7", "zoé", "côté");
    ASSERT_EQ(shown, 1);
    Feuille1& f = screen<Feuille1>();
    // The card is a fresh one at once, before the desktop has given the keyboard back.
    EXPECT_FALSE(f.Commande1.enabled());
    EXPECT_TRUE(f.Commande1.isDefault());
    // Enter in the group field moves on to the first name, as on a fresh card.
    pressEnter(f.eleve[0]);
    EXPECT_EQ(shown, 1) << "no second box";
    QWidget* window = f.eleve[0].widget()->window();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    pump();
    EXPECT_TRUE(f.eleve[1].hasFocus());
    pressEnter(f.eleve[1]);
    EXPECT_TRUE(f.eleve[2].hasFocus());
    // From the surname Enter signs in, which meets the same disk again.
    pressEnter(f.eleve[2]);
    EXPECT_EQ(shown, 2);
}

TEST_F(HomeScreen, GroupsAreFoldersOfTwoDigits) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "00"}, {"00", "00"}, {"7", "07"}, {"07", "07"}, {"42", "42"}};
    for (const auto& [group, digits] : cases) {
        SCOPED_TRACE(group);
        typeCard(group, "zoé", "côté");
        EXPECT_EQ(shared.DossierGroupe, shared.DossierEleves + "TAVR#" + digits + "/");
        EXPECT_TRUE(std::filesystem::is_directory(data(std::string("eleves/TAVR#") + digits)));
        ui::unload<Feuille1>();
    }
}

TEST_F(HomeScreen, LessonsOpenToPupilsPutTheIconsAboveTheCard) {
    for (bool open : {true, false}) {
        SCOPED_TRACE(open);
        shared.MenuLeconsAccessible = open ? shell::kVrai : shell::kFaux;
        Feuille1& f = home();
        for (int i = 0; i < 12; ++i) EXPECT_EQ(seen(f.Image5[i]), open);
        EXPECT_TRUE(seen(f.Image5[12])) << "the quit icon is always there";
        EXPECT_TRUE(seen(f.eleve[0]));
        EXPECT_TRUE(seen(f.Forme1));
        EXPECT_EQ(main().Lecons.enabled(), open);
        EXPECT_TRUE(main().gestionnaire.enabled());
        EXPECT_EQ(u8(main().caption()), "TAVREL");
        ui::unload<Feuille1>();
    }
}

TEST_F(HomeScreen, AnIconChosenWithoutSigningInOpensItsLessonsForNobody) {
    writeLesson(5, 1);
    Feuille1& f = home();
    const QImage before = f.Image5[5].surface().copy();
    press(f.Image5[5]);
    EXPECT_NE(f.Image5[5].surface(), before) << "pressed look";
    release(f.Image5[5]);
    pump();
    EXPECT_EQ(ui::find<Feuille1>(), nullptr);
    Feuille3* choice = ui::find<Feuille3>();
    ASSERT_NE(choice, nullptr);
    EXPECT_EQ(shared.Activite, 5);
    EXPECT_EQ(shared.EcranCourant, shell::Ecran::ChoixLecons);
    EXPECT_FALSE(shared.EleveActif);
    EXPECT_EQ(u8(main().caption()), "TAVREL -- L'arbre des nombres");

    // The lessons played then belong to nobody: no file is written, not even at the end.
    const QRect cell = choice->Etiquette3[0].pixelRect();
    clickAt(*choice, QPoint(cell.center().x(), cell.bottom() - 4));
    click(choice->Image5[0]);
    EXPECT_EQ(loadedPlayer(), 1);
    shell::QuitterLogiciel();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(std::filesystem::is_empty(data("eleves")));
}

TEST_F(HomeScreen, ANewPupilWhoseSequenceHoldsNoPlayableLessonIsBackAtTheCard) {
    writeSequence(6, code(2, 7) + code(2, 8)); // lessons the catalogue does not hold
    typeCard("3", "léo", "aubé");
    Feuille1* f = &screen<Feuille1>();
    click(f->Commande5[0]);
    settle();
    f->Texte1.setText("6");
    click(f->Commande4[0]);
    pump();

    EXPECT_EQ(boxTexts(), std::vector<std::string>{"Tu as terminé les leçons choisies."});
    EXPECT_TRUE(exists(pupilPath("03", "LÉO", "AUBÉ"))) << "he is registered";
    f = ui::find<Feuille1>();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(seen(f->eleve[0]));
    EXPECT_FALSE(shared.EleveActif) << "a pupil whose sequence ended is signed out";
    EXPECT_EQ(loadedPlayer(), -1);
}

// A relation-grid lesson of activity 3 with a single answer cell, 5: one token there and a check
// end it.
std::string oneTokenGrid() {
    std::string r = formats::blankRecord(3);
    formats::setField(r, 3, 0, formats::gridCell(0), "a");
    const char* titles[] = {"rouge", "vert", "bleu"};
    for (int c = 0; c < 3; ++c) formats::setField(r, 3, 0, formats::gridCell(c + 1), titles[c]);
    const char* rows[] = {"1", "29", "150"};
    for (int l = 0; l < 3; ++l) formats::setField(r, 3, 0, formats::gridCell(4 * (l + 1)), rows[l]);
    formats::setField(r, 3, 0, formats::gridCell(5), "X");
    return r;
}

// The real boxes, which take the keyboard while they are open, answered with their first button
// as the pupil would.
class RealBoxes {
public:
    RealBoxes() {
        fenetrePrincipale().show();
        ui::setMessageService(nullptr);
        watch_.setInterval(5);
        QObject::connect(&watch_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || box->buttons().empty()) return;
            ++shown_;
            box->buttons().front()->click();
        });
        watch_.start();
    }
    int shown() const { return shown_; }

private:
    QTimer watch_;
    int shown_ = 0;
};

TEST_F(HomeScreen, EveryWayBackToTheCardLeavesItsOkButtonFollowingItsFields) {
    struct Way {
        const char* what;
        std::function<void()> backHome;
        // The fields the card shows once back (group, first name, surname).
        std::array<const char*, 3> fields;
    };
    const std::string record = oneTokenGrid();
    // Zoé follows a sequence of one lesson, of which she has taken `taken`, and signs in.
    const auto zoeSignsIn = [&](int taken) {
        writeLesson(0, 1);
        auto v = pupil("ZOÉ", "CÔTÉ", 2);
        v.listeLecons = code(0, 1);
        v.positionListe = static_cast<std::int16_t>(taken);
        writePupil("07", v);
        typeCard("7", "zoé", "côté");
    };
    const Way ways[] = {
        {"an anonymous pupil's lesson ends through the reward screen",
         [&] {
             shared.MenuLeconsAccessible = shell::kVrai;
             ASSERT_TRUE(formats::writeLessonAt(data("lecons.tav").string(),
                                                formats::recordPosition(3, 1), record));
             click(home().Image5[3]);
             pump();
             Feuille3* choice = ui::find<Feuille3>();
             ASSERT_NE(choice, nullptr);
             const QRect cell = choice->Etiquette3[0].pixelRect();
             clickAt(*choice, QPoint(cell.center().x(), cell.bottom() - 4));
             click(choice->Image5[0]);
             settle();
             Feuille7* grid = ui::find<Feuille7>();
             ASSERT_NE(grid, nullptr);
             advance(2100);
             click(grid->Picture1[5]);
             click(grid->Image5[1]);
             felicite* reward = ui::find<felicite>();
             ASSERT_NE(reward, nullptr);
             click(reward->Commande1);
             pump();
         },
         {"", "", ""}},
        {"a signed-in pupil is signed out by a restart",
         [&] {
             zoeSignsIn(0);
             ASSERT_EQ(loadedPlayer(), 0);
             choose(main().quitter[0]);
             pump();
         },
         {"", "", ""}},
        {"a sequence has no lesson left", [&] { zoeSignsIn(1); }, {"", "", ""}},
        {"a management screen is left",
         [&] {
             home();
             choose(main().infor[1]);
             document* guide = ui::find<document>();
             ASSERT_NE(guide, nullptr);
             click(guide->Commande1[1]);
             pump();
         },
         {"", "", ""}},
        {"the lesson choice is cancelled",
         [&] {
             shared.MenuLeconsAccessible = shell::kVrai;
             writeLesson(0, 1);
             click(home().Image5[0]);
             pump();
             Feuille3* choice = ui::find<Feuille3>();
             ASSERT_NE(choice, nullptr);
             click(choice->Image5[1]);
             pump();
         },
         {"", "", ""}},
        {"the starting sequence is cancelled",
         [&] {
             typeCard("3", "léo", "aubé");
             Feuille1& f = screen<Feuille1>();
             click(f.Commande5[0]);
             settle();
             click(f.Commande4[1]);
         },
         {"3", "LÉO", "AUBÉ"}},
        {"the card is corrected",
         [&] {
             typeCard("3", "léo", "aubé");
             Feuille1& f = screen<Feuille1>();
             click(f.Commande5[1]);
             click(f.Commande2);
         },
         {"3", "LÉO", "AUBÉ"}},
    };
    for (const Way& w : ways) {
        SCOPED_TRACE(w.what);
        const RealBoxes boxesOnScreen;
        w.backHome();
        Feuille1* f = ui::find<Feuille1>();
        ASSERT_NE(f, nullptr);
        ASSERT_TRUE(seen(f->Commande1));
        for (int i = 0; i < 3; ++i) EXPECT_EQ(text(f->eleve[i]), w.fields[i]) << i;
        EXPECT_FALSE(f->Commande1.enabled()) << "the pupil starts again from the group";

        // The card then follows its fields as they fill and empty again.
        focus(f->eleve[2]);
        const bool filled = w.fields[0][0] != 0;
        EXPECT_EQ(f->Commande1.enabled(), filled) << "at the surname of this card";
        f->eleve[2].setText("");
        if (!filled) {
            type(f->eleve[2], "a");
            EXPECT_TRUE(f->Commande1.enabled()) << "something to sign in with";
            key(f->eleve[2], Qt::Key_Backspace);
            EXPECT_FALSE(f->Commande1.enabled()) << "emptied again";
        }

        ui::unloadAllForms();
        shell::resetSharedState();
        boxes.clear();
        ended = false;
        ui::load<MDI1>();
        shared.DossierEleves = data("eleves").string() + "/";
    }
}

TEST_F(HomeScreen, PressingAndReleasingAnIconRestoresItsPicture) {
    Feuille1& f = home();
    const QImage before = f.Image5[12].surface().copy();
    press(f.Image5[12]);
    EXPECT_NE(f.Image5[12].surface(), before);
    release(f.Image5[12]);
    EXPECT_EQ(f.Image5[12].surface(), before);
    EXPECT_TRUE(ended) << "the quit icon ends the program";
}

TEST_F(HomeScreen, TheQuitIconWritesTheFileOfTheSignedInPupil) {
    auto v = pupil("LÉO", "AUBÉ", 0);
    writePupil("12", v);
    typeCard("12", "léo", "aubé");
    ASSERT_TRUE(shared.EleveActif);
    shared.EtatLecons[4] = '6'; // a lesson played since
    Feuille1& f = screen<Feuille1>();
    click(f.Image5[12]);
    EXPECT_TRUE(ended);
    v.etatLecons = progressWith(5, '6');
    EXPECT_EQ(readFile(pupilPath("12", "LÉO", "AUBÉ")), formats::formatPupilFile(v));
}

TEST_F(HomeScreen, TheNumbersActivitiesShowTheirExampleInRed) {
    Feuille1& f = home();
    const auto redPixels = [&](int icon) {
        const QImage& s = f.Image5[icon].surface();
        int n = 0;
        for (int y = 0; y < s.height(); ++y)
            for (int x = 0; x < s.width(); ++x) {
                const QColor c = s.pixelColor(x, y);
                if (c.red() > 200 && c.green() < 60 && c.blue() < 60) ++n;
            }
        return n;
    };
    for (int icon : {4, 5, 6, 7}) EXPECT_GT(redPixels(icon), 10) << icon;
    // The activity number under each picture, in black.
    const QImage& first = f.Image5[0].surface();
    int dark = 0;
    for (int y = 58; y < 74; ++y)
        for (int x = 29; x < 50; ++x)
            if (first.pixelColor(x, y).lightness() < 60) ++dark;
    EXPECT_GT(dark, 5);
}

} // namespace
