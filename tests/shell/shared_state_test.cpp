#include "platform/cp1252.h"
#include "platform/files.h"
#include "shell/main_window.h"
#include "shell/shared_state.h"
#include "ui/form.h"
#include "ui/screen.h"

#include <gtest/gtest.h>

using namespace shell;

class SharedStateTest : public ::testing::Test {
protected:
    void SetUp() override { resetSharedState(); }
    void TearDown() override {
        ui::unloadAllForms();
        ui::resetScreenMetrics();
    }
};

TEST_F(SharedStateTest, FreshBlockHoldsTheStartValues) {
    const SharedState& s = shared;
    EXPECT_EQ(s.DossierDonnees, platform::currentFolder() + "/");
    EXPECT_EQ(s.FinLigne, "\r\n");
    EXPECT_EQ(s.TitreMessage, "Message");
    EXPECT_EQ(s.CouleurFond, 0xC0C000);
    EXPECT_EQ(s.TitresActivites[0], "Les ensembles de dessins");
    EXPECT_EQ(s.TitresActivites[1], "L'arbre des dessins");
    EXPECT_EQ(s.TitresActivites[7], "Les nombres amis");
    EXPECT_EQ(s.TitresActivites[11], "Les solides amis");
    EXPECT_EQ(s.NumeroDessinMax, 310);
    EXPECT_EQ(s.EtatLecons, std::string(1450, '#'));
    EXPECT_EQ(s.NumeroSequence, -1);
    EXPECT_EQ(s.Points, 8);
    EXPECT_EQ(s.NumeroItem, 3);
    EXPECT_EQ(s.CritereReussite, 2);
    EXPECT_TRUE(s.MenuLeconsAccessible);
    EXPECT_FALSE(s.SansInscriptionImmediate);
    EXPECT_TRUE(s.RepriseParDefaut);
    EXPECT_EQ(s.RepriseAutorisee, s.RepriseParDefaut);
    EXPECT_EQ(s.DroitsMenus, "");
    EXPECT_EQ(s.ModeBilan, 1) << "the pupil report";
    EXPECT_EQ(s.CheminsEleves.size(), 51u);
}

TEST_F(SharedStateTest, AResetForgetsWhatAnEarlierCaseLeft) {
    shared.Prenom = "ZOE";
    shared.NiveauAcces = 2;
    shared.Noms[50] = "X";
    resetSharedState();
    EXPECT_EQ(shared.Prenom, "");
    EXPECT_EQ(shared.NiveauAcces, 0);
    EXPECT_EQ(shared.Noms[50], "");
}

TEST_F(SharedStateTest, InitialiserGlobalesResetsThePupilAndKeepsTheSettings) {
    // As after start-up: the main window is there (its first load initialises the block and
    // measures the screen itself).
    ui::load<MDI1>();
    SharedState& s = shared;
    s.RepriseParDefaut = kFaux;
    s.CritereReussite = 3;
    s.DossierEleves = "/ECOLE/";
    s.DroitsMenus = "120000000000000";
    s.MotDePasseEnseignant = "ABC";
    s.NiveauAcces = 1;
    s.Echelle = 1.6f;
    s.Activite = 7;
    s.NumeroLecon = 12;
    s.SerieImages = 4;
    s.EcranCourant = shell::Ecran::ChoixLecons;
    s.CodeFonction = 5;
    s.Prenom = "ZOE";
    s.Nom = "COTE";
    s.CheminFichierEleve = "/ECOLE/TAVR#07/ZOECECOT.GXO";
    s.NumeroSequence = 4;
    s.EleveActif = 1;
    s.PositionListe = 9;
    s.ListeLecons = "AeAf";
    s.Points = 2;
    s.NumeroItem = 1;
    s.ItemsTermines = 1;
    s.EtatLecons[10] = '5';
    s.ResultatAffiche = 99;
    s.LeconsDuJour = 3;
    s.PointsDuJour = 21;
    s.ListeReprise = "Ae";
    s.PositionReprise = 1;
    s.DeLaReprise = kVrai;
    s.TitreMessage = "x";

    InitialiserGlobales();

    EXPECT_EQ(s.CritereReussite, 3);
    EXPECT_EQ(s.DossierEleves, "/ECOLE/");
    EXPECT_EQ(s.DroitsMenus, "120000000000000");
    EXPECT_EQ(s.MotDePasseEnseignant, "ABC");
    EXPECT_EQ(s.NiveauAcces, 1);
    EXPECT_FLOAT_EQ(s.Echelle, 1.6f);
    EXPECT_EQ(s.Activite, 7);
    EXPECT_EQ(s.NumeroLecon, 12);
    EXPECT_EQ(s.SerieImages, 4);
    EXPECT_EQ(s.EcranCourant, shell::Ecran::ChoixLecons);
    EXPECT_EQ(s.CodeFonction, 5);

    EXPECT_EQ(s.RepriseAutorisee, kFaux); // follows the setting
    EXPECT_EQ(s.Prenom, "");
    EXPECT_EQ(s.Nom, "");
    EXPECT_EQ(s.CheminFichierEleve, "");
    EXPECT_EQ(s.NumeroSequence, -1);
    EXPECT_FALSE(s.EleveActif);
    EXPECT_EQ(s.PositionListe, 0);
    EXPECT_EQ(s.ListeLecons, "");
    EXPECT_EQ(s.Points, 8);
    EXPECT_EQ(s.NumeroItem, 3);
    EXPECT_EQ(s.ItemsTermines, 0);
    EXPECT_EQ(s.EtatLecons, std::string(1450, '#'));
    EXPECT_EQ(s.ResultatAffiche, 0);
    EXPECT_EQ(s.LeconsDuJour, 0);
    EXPECT_EQ(s.PointsDuJour, 0);
    EXPECT_EQ(s.ListeReprise, "");
    EXPECT_EQ(s.PositionReprise, 0);
    EXPECT_FALSE(s.DeLaReprise);
    EXPECT_EQ(s.TitreMessage, "Message");
}

TEST_F(SharedStateTest, ScaleFactorsFromTheScreen) {
    struct Case {
        double pixels, twipsPerPixel;
        float echelle, police;
    };
    const Case cases[] = {
        {640, 15, 1.0f, 1.0f},    {800, 15, 1.25f, 1.0f},  {1024, 15, 1.6f, 1.0f},
        {2048, 15, 3.2f, 1.0f},   {2560, 15, 3.2f, 1.0f},  {500, 15, 1.0f, 1.0f},
        {1024, 12, 1.28f, 1.25f}, {1280, 12, 1.6f, 1.25f},
    };
    for (const Case& c : cases) {
        ui::setScreenMetrics({c.pixels * c.twipsPerPixel, 7200, c.twipsPerPixel, c.twipsPerPixel});
        shared.EchellePixel = 7; // not computed here
        CalculerEchelle();
        EXPECT_FLOAT_EQ(shared.Echelle, c.echelle) << c.pixels << " @ " << c.twipsPerPixel;
        EXPECT_FLOAT_EQ(shared.EchellePolice, c.police) << c.pixels << " @ " << c.twipsPerPixel;
        EXPECT_FLOAT_EQ(shared.EchellePixel, 7);
    }
}

TEST_F(SharedStateTest, MetricsThatMakeNoSenseGiveTheDesignScale) {
    const Echelles e = echellesPourEcran(12000, 0);
    EXPECT_FLOAT_EQ(e.echelle, 1.25f);
    EXPECT_FLOAT_EQ(e.echellePolice, 1.0f);
    EXPECT_FLOAT_EQ(echellesPourEcran(-5, 15).echelle, 1.0f);
}

TEST_F(SharedStateTest, ScaledPositionsRoundHalfToEven) {
    shared.Echelle = 1.25f;
    shared.EchellePixel = 1.5f;
    EXPECT_EQ(aEchelle(2), 2); // 2.5
    EXPECT_EQ(aEchelle(6), 8); // 7.5
    EXPECT_EQ(aEchelle(9600), 12000);
    EXPECT_EQ(aEchellePixel(3), 4); // 4.5
    EXPECT_EQ(aEchellePixel(5), 8); // 7.5
}
