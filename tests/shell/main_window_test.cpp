// The main window: its menu table, its hidden pictures, the activity and report menus, the help,
// the restart and the quit.
#include "shell_fixture.h"

#include "busy_screen.h"

#include "platform/files.h"
#include "records/learning_report.h"
#include "shell/main_window.h"
#include "shell/routines.h"
#include "signin/home_screen.h"
#include "signin/lesson_choice.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <filesystem>

namespace {

using harness::BusyScreen;
using records::resultat;
using shell::MDI1;
using shell::shared;
using shelltest::ShellTest;
using signin::Feuille1;
using signin::Feuille3;

// The captions of a menu as the user sees them, separators as "-", hidden items left out.
std::vector<std::string> captions(const QList<QAction*>& actions) {
    std::vector<std::string> out;
    for (QAction* a : actions) {
        if (!a->isVisible()) continue;
        out.push_back(a->isSeparator() ? "-" : a->text().toStdString());
    }
    return out;
}

class MainWindow : public ShellTest {
protected:
    MDI1& open() {
        MDI1& m = ui::load<MDI1>();
        m.show();
        return m;
    }
    void signIn(int sequence) {
        shared.Prenom = "ZOE";
        shared.Nom = "MARTIN";
        shared.NumeroSequence = static_cast<shell::Integer>(sequence);
        shared.EleveActif = shell::kVrai;
        shared.CheminFichierEleve = folder() + "ZOEMARTI.TXT";
        shared.EtatLecons[0] = '6';
        shared.LeconsDuJour = 1;
        shared.PointsDuJour = 6;
    }
};

TEST_F(MainWindow, TheMenuTableAsDesigned) {
    MDI1& m = open();
    EXPECT_EQ(m.caption(), "TAVREL");
    EXPECT_TRUE(m.mainWindow()->isVisible());
    EXPECT_EQ(m.mainWindow()->windowTitle().toStdString(), "TAVREL");
    EXPECT_EQ(captions(m.menuBar()->actions()),
              (std::vector<std::string>{"&Quitter", "&Leçons", "&Bilan", "&Gestionnaire",
                                        "&Informations", "&Aide"}));
    EXPECT_FALSE(m.total.visible()) << "no lesson done";
    EXPECT_EQ(captions(m.quitte.submenu()->actions()),
              (std::vector<std::string>{"&Redémarrer le logiciel", "&Quitter le logiciel"}));
    std::vector<std::string> titles;
    for (const std::string& t : shared.TitresActivites) titles.push_back(u8(t));
    EXPECT_EQ(captions(m.Lecons.submenu()->actions()), titles);
    EXPECT_EQ(
        captions(m.gestionnaire.submenu()->actions()),
        (std::vector<std::string>{"&Inscrire des utilisateurs", "&Supprimer des inscriptions",
                                  "&Modifier des inscriptions", "&Afficher les résultats ", "-",
                                  "Modifier les &paramètres", "Modifier des &leçons",
                                  "Créer une sé&quence de leçons", "Modifier le m&ot de passe"}));
    std::vector<std::string> editors;
    for (const std::string& t : titles) editors.push_back("de l'activité «" + t + "»");
    EXPECT_EQ(captions(m.gestion[6].submenu()->actions()), editors);
    EXPECT_EQ(captions(m.info.submenu()->actions()),
              (std::vector<std::string>{"&Guide et annexes"}));
    EXPECT_FALSE(m.bilan.hasSubmenu());
    EXPECT_FALSE(m.aide.hasSubmenu());
    for (ui::MenuItem* item : {&m.quitte, &m.Lecons, &m.bilan, &m.gestionnaire, &m.info, &m.aide,
                               &m.quitter[0], &m.infor[1]})
        EXPECT_TRUE(item->enabled());
    EXPECT_EQ(shared.EcranCourant, shell::Ecran::Aucun);
}

TEST_F(MainWindow, HiddenPicturesForTheOtherScreens) {
    MDI1& m = open();
    for (ui::Control* c :
         {static_cast<ui::Control*>(&m.Image5), static_cast<ui::Control*>(&m.image2[0]),
          static_cast<ui::Control*>(&m.image2[1])})
        EXPECT_FALSE(seen(*c));
    EXPECT_FALSE(m.Image5.picture().isNull());
    EXPECT_EQ(m.Image5.backColor(), 0xC0C000u);
    EXPECT_EQ(m.Image5.scaleMode(), ui::vbPixels);
    EXPECT_FALSE(m.image2[0].picture().isNull());
    EXPECT_FALSE(m.image2[1].picture().isNull());
    EXPECT_NE(m.image2[0].picture(), m.image2[1].picture()) << "a happy face and a sad one";
    EXPECT_FALSE(m.icon().isNull());
}

TEST_F(MainWindow, HelpOfEachWorkingScreen) {
    MDI1& m = open();
    const std::string end = "\n\nQuand l'exercice est terminé, cliquer sur le bouton CONTINUE "
                            "avec la souris.";
    using shell::Ecran;
    const std::pair<Ecran, std::string> cases[] = {
        {Ecran::Accueil,
         "Remplir la fiche en indiquant d'abord\nnuméro d'un groupe entre 0 et 99.\n\nÉcrire "
         "ensuite ton prénom et ton nom.\n\nAprès chaque information, appuyer sur\nla touche "
         "TAB ou ENTER.\n"},
        {Ecran::Ensembles,
         "Cette activité présente des ensembles vides.\nUne étiquette indique la caractérisque "
         "des éléments que chacun peut contenir.\n\nL'élève doit cliquer sur chaque dessin et "
         "le placer à l'endroit qui convient." +
             end},
        {Ecran::Arbre,
         "Cette activité présente un arbre dont la caractéristique de chaque branche est "
         "illustrée ou écrite.\n\nL'élève doit cliquer sur chaque dessin placé au bas de "
         "l'écran et le placer à l'endroit qui convient." +
             end},
        {Ecran::Tableau,
         "Cette activité présente un tableau.  La caractéristique de chaque colonne et rangée "
         "est illustrée ou écrite.\n\nL'élève doit cliquer sur chaque dessin présenté à gauche "
         "et le placer dans la case qui convient." +
             end},
        {Ecran::Amis,
         "Cette activité présente un graphique.  La relation entre les informations de colonne "
         "de gauche et de la rangée du haut est décrite dans le coin gauche supérieur.\n\n"
         "L'élève doit placer un jeton sur toutes les cases où la relation décrite est vraie.  " +
             end},
    };
    for (const auto& [screen, text] : cases) {
        SCOPED_TRACE(static_cast<int>(screen));
        boxes.clear();
        shared.EcranCourant = screen;
        choose(m.aide);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, text);
        EXPECT_EQ(boxes[0].style, ui::vbExclamation);
        EXPECT_EQ(boxes[0].title, "Message");
    }
    boxes.clear();
    shared.EcranCourant = shell::Ecran::ChoixLecons;
    choose(m.aide);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Pour choisir une leçon, il faut pointer avec la souris.\n\nPour annuler une leçon "
              "déjà choisie, il suffit de la sélectionner une seconde fois.\n\nOn peut effectuer "
              "plusieurs choix.\n\nPour faire les exercices choisis, cliquer sur le bouton "
              "CONTINUE avec la souris.");
    EXPECT_EQ(boxes[0].style, ui::vbInformation);
    EXPECT_EQ(boxes[0].title, "Message");
    boxes.clear();
    for (Ecran screen :
         {Ecran::Aucun, Ecran::EditeurLecons, Ecran::Sequences, Ecran::Inscriptions}) {
        shared.EcranCourant = screen;
        choose(m.aide);
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindow, AnActivityOfTheLessonsMenuOpensItsLessonChoice) {
    MDI1& m = open();
    ui::load<Feuille1>();
    signIn(3);
    shared.ListeLecons = "Ae";
    choose(m.activite[5]);
    EXPECT_EQ(shared.Activite, 5);
    EXPECT_NE(ui::find<Feuille3>(), nullptr);
    EXPECT_EQ(ui::find<Feuille1>(), nullptr);
    EXPECT_FALSE(m.Lecons.enabled());
    EXPECT_FALSE(m.gestionnaire.enabled());
    EXPECT_FALSE(m.infor[1].enabled());
    EXPECT_TRUE(m.quitte.enabled());
    EXPECT_EQ(shared.ListeLecons, "") << "the pupil's lesson work is closed";
    EXPECT_FALSE(shared.EleveActif) << "a pupil who follows a sequence is signed out";
}

TEST_F(MainWindow, TheReportMenuOpensAFreshReport) {
    MDI1& m = open();
    choose(m.bilan);
    resultat* first = ui::find<resultat>();
    ASSERT_NE(first, nullptr);
    choose(m.bilan);
    resultat* second = ui::find<resultat>();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first) << "the report is closed, then opened again";
}

TEST_F(MainWindow, QuitWritesThePupilsFileAndShowsTheSummaryOnce) {
    MDI1& m = open();
    signIn(0);
    choose(m.quitter[1]);
    EXPECT_TRUE(ended);
    EXPECT_TRUE(exists("ZOEMARTI.TXT"));
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{
                              "Aujourd'hui, tu as terminé 1 leçon.\n\nTu as obtenu 75 sur 100."}));
    EXPECT_FALSE(shared.EleveActif);
}

TEST_F(MainWindow, QuitWithNothingDoneSaysNothing) {
    MDI1& m = open();
    choose(m.quitter[1]);
    EXPECT_TRUE(ended);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindow, RestartSavesThePupilForgetsTheLevelAndBringsTheHomeScreenBack) {
    MDI1& m = open();
    ui::load<Feuille1>();
    signIn(0);
    shared.NiveauAcces = 2;
    shared.CritereReussite = 3;
    shared.DroitsMenus = "111000000000000";
    shared.MotDePasseEnseignant = "ABC";
    shared.DossierEleves = "/eleves/";
    m.Lecons.setEnabled(false);
    m.bilan.setEnabled(false);
    choose(m.quitter[0]);
    EXPECT_FALSE(ended);
    EXPECT_TRUE(exists("ZOEMARTI.TXT"));
    EXPECT_EQ(boxes.size(), 1u) << "the summary, once";
    EXPECT_EQ(shared.NiveauAcces, 0);
    EXPECT_EQ(shared.CritereReussite, 3);
    EXPECT_EQ(shared.DroitsMenus, "111000000000000");
    EXPECT_EQ(shared.MotDePasseEnseignant, "ABC");
    EXPECT_EQ(shared.DossierEleves, "/eleves/");
    EXPECT_EQ(shared.Prenom, "");
    EXPECT_EQ(shared.EtatLecons, std::string(1450, '#'));
    MDI1* fresh = ui::find<MDI1>();
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, &m) << "a new main window, its menus as designed";
    EXPECT_TRUE(fresh->shown());
    EXPECT_NE(ui::find<Feuille1>(), nullptr);
    EXPECT_FALSE(fresh->total.visible());
    EXPECT_EQ(fresh->caption(), "TAVREL");
    pump();
    EXPECT_EQ(shared.LeconsDuJour, 0);
}

TEST_F(MainWindow, TheCloseBoxSavesOnceShowsTheSummaryOnceAndQuits) {
    MDI1& m = open();
    signIn(0);
    m.mainWindow()->close();
    settle();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(exists("ZOEMARTI.TXT"));
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(ui::find<MDI1>(), nullptr);
}

TEST_F(MainWindow, AFailedWriteAtQuitIsOfferedAgainThenGivenUp) {
    MDI1& m = open();
    signIn(0);
    shared.CheminFichierEleve = folder() + "absent/ZOEMARTI.TXT";
    answer(ui::vbRetry);
    answer(ui::vbCancel);
    choose(m.quitter[1]);
    EXPECT_EQ(boxes.size(), 3u) << "two failures, then the summary";
    EXPECT_EQ(boxes[0].text, "Impossible d'écrire sur le disque.");
    EXPECT_TRUE(ended);
}

TEST_F(MainWindow, RestartDuringAYieldOfAnotherScreensHandlerIsSafe) {
    MDI1& m = open();
    BusyScreen& busy = ui::load<BusyScreen>();
    busy.duringYield = [&m] { m.quitter[0].trigger(); };
    BusyScreen::sawItsUnload = false;
    click(busy.Commande1);
    pump();
    EXPECT_TRUE(BusyScreen::sawItsUnload);
    EXPECT_EQ(ui::find<BusyScreen>(), nullptr);
    MDI1* fresh = ui::find<MDI1>();
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, &m);
    EXPECT_NE(ui::find<Feuille1>(), nullptr);
}

} // namespace
