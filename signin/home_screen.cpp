#include "signin/home_screen.h"

#include "assets/pictures.h"
#include "formats/pupil_file.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/strings.h"
#include "shell/file_routines.h"
#include "shell/identification_keys.h"
#include "shell/main_window.h"
#include "shell/pupil_messages.h"
#include "shell/routines.h"
#include "shell/screen_openers.h"
#include "shell/shades.h"
#include "shell/shared_state.h"
#include "signin/lesson_choice.h"
#include "ui/msgbox.h"
#include "ui/scaling.h"
#include "ui/text.h"
#include "ui/text_fit.h"

#include <QFontMetricsF>

using shell::MDI1;

namespace signin {

namespace {

using namespace ui::palette;
using namespace shell::shades;
constexpr int kIconeQuitter = 12;

MDI1* principale() {
    return ui::find<MDI1>();
}

double aEchelle(double twips) {
    return twips * shell::shared.Echelle;
}
double aEchellePixel(double pixels) {
    return pixels * shell::shared.EchellePixel;
}

} // namespace

Feuille1::Feuille1() {
    setMdiChild(true);
    moveForm(0, 0, 9600, 6645);
    setBorderStyle(ui::vbFixedSingle);
    setControlBox(false);
    setBackColor(kBleuClair);
    setFont(ui::arial(9.75));

    Forme1.move(1920, 2700, 5655, 2520);
    Forme1.setShape(ui::vbShapeRoundedRectangle);
    Forme1.setBorderWidth(3);
    Forme1.setFillStyle(0);
    Forme1.setFillColor(kGris);

    struct Legende {
        int index;
        double left, top, width, height;
        const char* texte;
    };
    const Legende legendes[] = {
        {3, 3600, 2760, 2655, 375, "Fiche d'identification"},
        {0, 2280, 3240, 2775, 375, "Le numéro de ton groupe :"},
        {2, 2280, 3720, 1455, 375, "Ton prénom :"},
        {1, 2610, 4200, 1095, 375, "Ton nom :"},
    };
    for (const Legende& l : legendes) {
        ui::Label& e = etiquette2.add(l.index);
        e.move(l.left, l.top, l.width, l.height);
        e.setCaption(cp(l.texte));
        e.setFont(ui::arial(9.75));
        e.setBackStyle(ui::vbTransparent);
    }
    etiquette2[3].setFont(ui::arial(12));

    struct Champ {
        double left, top, width;
        int longueur;
    };
    const Champ champs[] = {{5040, 3240, 495, 2}, {3720, 3720, 3615, 24}, {3720, 4200, 3615, 24}};
    for (int i = 0; i < 3; ++i) {
        ui::TextBox& t = eleve.add(i);
        t.move(champs[i].left, champs[i].top, champs[i].width, 360);
        t.setMaxLength(champs[i].longueur);
        t.setFont(ui::arial(9.75));
        t.setTabIndex(i);
        t.KeyPress = [this](int index, int& k) { eleve_KeyPress(index, k); };
        t.KeyDown = [this](int index, int& code, int) { eleve_KeyDown(index, code); };
        t.GotFocus = [this](int index) { eleve_GotFocus(index); };
        t.Change = [this](int) { activerBoutonOK(); };
    }
    eleve[0].setBackColor(kGris);

    Commande1.move(3480, 4680, 855, 435);
    Commande1.setCaption("&OK");
    Commande1.setFont(ui::arial(12));
    Commande1.setDefault(true);
    Commande1.setTabIndex(3);
    Commande1.Click = [this](int) { Commande1_Click(); };
    Commande2.move(4800, 4680, 1335, 435);
    Commande2.setCaption("&Corriger");
    Commande2.setFont(ui::arial(12));
    Commande2.setTabIndex(4);
    Commande2.Click = [this](int) { Commande2_Click(); };

    Etiquette4.move(6150, 2640, 3345, 270);
    Etiquette4.setVisible(false);
    Etiquette4.setBackColor(kRouge);
    Etiquette4.setForeColor(kBlanc);
    Etiquette4.setBorderStyle(1);
    Etiquette4.setAlignment(ui::vbCenter);
    Etiquette4.setFont(ui::arial(9.75));
    Etiquette4.setWordWrap(true);
    Etiquette4.setAutoSize(true);

    // The icons: a row of eight (drawings, then numbers), the four solids under its middle,
    // then the exit door, left of the card.
    struct Icone {
        double left, top, width, height;
    };
    const Icone icones[kIconeQuitter + 1] = {
        {150, 120, 1125, 1200},   {1320, 120, 1125, 1215},  {2490, 120, 1125, 1200},
        {3660, 120, 1125, 1200},  {4830, 120, 1125, 1200},  {6000, 120, 1125, 1200},
        {7170, 120, 1125, 1200},  {8340, 120, 1125, 1215},  {2490, 1320, 1125, 1215},
        {3660, 1320, 1125, 1215}, {4830, 1320, 1125, 1215}, {6000, 1320, 1125, 1215},
        {480, 3330, 900, 975}};
    for (int i = 0; i <= kIconeQuitter; ++i) {
        ui::PictureBox& p = Image5.add(i);
        p.move(icones[i].left, icones[i].top, icones[i].width, icones[i].height);
        if (i < kIconeQuitter)
            p.setPicture(ui::Picture::fromData(tavrel_assets::activityIcon(i), "activite.svg"));
        p.setBorderStyle(0);
        p.setBackColor(kBleuClair);
        p.setForeColor(kNoir);
        p.setFont(ui::arial(9.75));
        p.setScaleMode(ui::vbPixels);
        p.setDrawMode(ui::vbInvert);
        p.setFillStyle(0);
        p.MouseDown = [this](int index, int, int, float, float) { Image5_MouseDown(index); };
        p.DblClick = [this](int index) { Image5_MouseDown(index); };
        p.MouseUp = [this](int index, int, int, float, float) { Image5_MouseUp(index); };
    }

    Cadre2.move(120, 4320, 4815, 2055);
    Cadre2.setCaption("Nouvelle inscription ?");
    Cadre2.setVisible(false);
    Cadre2.setBackColor(kRouge);
    Cadre2.setForeColor(kMoutarde);
    Cadre2.setFont(ui::arial(9.75));
    ui::Label& question = Etiquette3.add(1, Cadre2);
    question.move(120, 360, 4575, 1095);
    // The two answers of each frame, on one line at its bottom.
    struct Reponse {
        double left;
        const char* caption;
    };
    const Reponse reponses[] = {{960, "&Oui"}, {2880, "&Non"}};
    for (int i = 0; i < 2; ++i) {
        ui::CommandButton& b = Commande5.add(i, Cadre2);
        b.move(reponses[i].left, 1560, 975, 375);
        b.setCaption(reponses[i].caption);
        b.setFont(ui::arial(9.75));
        b.setEnabled(false);
        b.setTabIndex(5 + i);
        b.GotFocus = [this](int) { Commande5_GotFocus(); };
        b.Click = [this](int index) { Commande5_Click(index); };
        b.KeyPress = [this](int, int& k) { Commande5_KeyPress(k); };
    }

    Cadre1.move(5880, 4320, 3495, 2055);
    Cadre1.setCaption(cp("Choix de la leçon de départ"));
    Cadre1.setVisible(false);
    Cadre1.setBackColor(kRouge);
    Cadre1.setForeColor(kMoutarde);
    Cadre1.setFont(ui::arial(9.75));
    ui::Label& consigne = Etiquette3.add(0, Cadre1);
    consigne.move(60, 360, 3375, 495);
    consigne.setCaption(cp("Écrire le numéro de la séquence de leçons."));
    for (ui::Label* l : {&question, &consigne}) {
        l->setForeColor(kBlanc);
        l->setBackStyle(ui::vbTransparent);
        l->setFont(ui::arial(9.75));
    }
    Texte1.move(1500, 960, 495, 360);
    Texte1.setMaxLength(2);
    Texte1.setBackColor(kGris);
    Texte1.setFont(ui::arial(9.75));
    Texte1.setTabIndex(7);
    Texte1.GotFocus = [this](int) { Texte1_GotFocus(); };
    Texte1.KeyPress = [this](int, int& k) { Texte1_KeyPress(k); };
    const Reponse choix[] = {{480, "&OK"}, {2070, "&Annuler"}};
    for (int i = 0; i < 2; ++i) {
        ui::CommandButton& b = Commande4.add(i, Cadre1);
        b.move(choix[i].left, 1560, 975, 375);
        b.setCaption(choix[i].caption);
        b.setFont(ui::arial(9.75));
        b.setEnabled(false);
        b.setTabIndex(8 + i);
        b.Click = [this](int index) { Commande4_Click(index); };
    }

    Minuterie1.setInterval(1);
    Minuterie1.setEnabled(false);
    Minuterie1.Tick = [this](int) { Minuterie1_Timer(); };

    // The two frames open over the card.
    Cadre2.zOrder(0);
    Cadre1.zOrder(0);
}

// --- load -------------------------------------------------------------------------------------

void Feuille1::Form_Load() {
    shell::SharedState& s = shell::shared;
    moveForm(0, 0);
    s.EcranCourant = shell::Ecran::Accueil;
    ui::scaleForm(*this, s.Echelle);
    // The screen's own font keeps its design size.
    setFont(ui::arial(9.75));
    AfficherTitreEleve();

    const bool icones = shell::activitesAuChoix();
    if (MDI1* m = principale()) m->actualiserMenus(shell::MomentMenus::AccueilOuvert);
    for (int i = 0; i < kIconeQuitter; ++i) Image5[i].setVisible(icones);
    shell::ActiverMenuBilan();
    s.ModeBilan = 1;

    if (s.NumeroSequence == 0) {
        AfficherActivites();
    } else {
        Forme1.setVisible(true);
        Commande1.setVisible(true);
        Commande2.setVisible(true);
        for (int i = 0; i < 3; ++i) eleve[i].setVisible(true);
        for (int i = 0; i < 4; ++i) etiquette2[i].setVisible(true);
    }
    // Whether or not the focus reaches the card (a box may still hold the keyboard), it starts
    // from the group.
    activerBoutonOK();
    dessinerIcones();
}

void Feuille1::dessinerIcones() {
    const shell::SharedState& s = shell::shared;
    if (MDI1* m = principale()) Image5[kIconeQuitter].setPicture(m->Image5.picture());

    for (int i = 0; i < kIconeQuitter; ++i) {
        ui::PictureBox& p = Image5[i];
        p.setCurrentX(aEchellePixel(i > 8 ? 25 : 29));
        p.setCurrentY(aEchellePixel(58));
        p.print(" " + std::to_string(i + 1));
    }

    struct Texte {
        double x, y;
        const char* texte;
    };
    auto exemple = [&](int icone, double taille, bool gras, std::initializer_list<Texte> textes) {
        ui::PictureBox& p = Image5[icone];
        ui::Font f = p.font();
        f.size = taille * s.Echelle;
        f.bold = gras;
        p.setFont(f);
        p.setForeColor(kRouge);
        // One size for the whole example, made smaller where a text would reach the icon's
        // frame: its inside ends 2 design pixels before the frame, which is 72 from the left.
        for (const Texte& t : textes)
            ui::fitFontToWidth(p, {t.texte}, aEchellePixel(70 - t.x), p.fontSize(), 1);
        for (const Texte& t : textes) {
            p.setCurrentX(aEchellePixel(t.x));
            p.setCurrentY(aEchellePixel(t.y));
            p.print(t.texte);
        }
    };
    exemple(4, 8, false, {{13, 23, "14        19"}, {35, 34, "2"}});
    exemple(5, 8, false, {{10, 27, "24 15  14  1"}});
    exemple(6, 14, true, {{28, 6, "> <"}, {10, 22, ">"}, {10, 38, "<"}});
    exemple(
        7, 8, false,
        {{15, 11, "4"}, {9, 17, "+"}, {15, 23, "3"}, {15, 35, "6"}, {11, 40, "-"}, {15, 45, "2"}});
}

// --- the card: keys, moves and checks ---------------------------------------------------------

void Feuille1::eleve_KeyPress(int index, int& k) {
    shell::filtrerToucheIdentification(k, index == 0, eleve[index].text().empty());
}

void Feuille1::eleve_KeyDown(int index, int& keyCode) {
    Etiquette4.setVisible(false);
    auNom_ = index == 2;
    activerBoutonOK();
    if (keyCode < 13) return;
    if (keyCode == 13 || keyCode == 40) {
        VerifierChampIdentification(index);
        if (shell::shared.ChampValide != 1) return;
        if (index < 2) {
            eleve[index + 1].setFocus();
        } else {
            Commande1.setDefault(true);
            Commande1.setFocus();
        }
    } else if (keyCode == 38 && index >= 1) {
        eleve[index - 1].setFocus();
    }
}

void Feuille1::eleve_GotFocus(int index) {
    if (!Commande2.visible()) return;
    Cadre1.setVisible(false);
    Cadre2.setVisible(false);
    // In the first-name field the pupil stays where he was.
    if (index != 1) auNom_ = index == 2;
    activerBoutonOK();
    Commande2.setEnabled(true);
    Commande1.setDefault(true);
}

void Feuille1::VerifierChampIdentification(int champ) {
    shell::SharedState& s = shell::shared;
    s.ChampValide = 0;
    const std::size_t minimum = champ == 0 ? 1 : 2;
    if (eleve[champ].text().size() >= minimum) {
        s.ChampValide = 1;
        return;
    }
    const char* fins[] = {"le numéro de ton groupe.", "ton prénom.", "ton nom."};
    AfficherMessage(cp("Écris ") + cp(fins[champ]));
}

void Feuille1::AfficherMessage(const std::string& texte) {
    const shell::SharedState& s = shell::shared;
    // Measured in the label's own font, which grows with the screen, so the text always fits.
    const QFontMetricsF mesure(ui::qfont(Etiquette4.font()));
    const double largeur = mesure.horizontalAdvance(ui::qs(texte)) * ui::kTwipsPerPixel;
    const double w = static_cast<double>(platform::roundHalfEven(largeur + 200 * s.Echelle));
    Etiquette4.setWidth(w);
    Etiquette4.setLeft(aEchelle(7700) - w / 2);
    Etiquette4.setCaption(s.FinLigne + texte + s.FinLigne);
    Etiquette4.setVisible(true);
}

void Feuille1::MessageCorriger() {
    const shell::SharedState& s = shell::shared;
    Etiquette4.setWidth(aEchelle(3285));
    Etiquette4.setLeft(aEchelle(6120));
    Etiquette4.setCaption(s.FinLigne + cp("Corrige le numéro du groupe") + s.FinLigne +
                          cp("ou l'orthographe de ton nom.") + s.FinLigne);
    Etiquette4.setVisible(true);
}

// --- sign-in ----------------------------------------------------------------------------------

void Feuille1::Commande1_Click() {
    shell::SharedState& s = shell::shared;
    if (!ficheValide()) return;
    shell::FermerEleve();
    if (!ui::isLoaded(this)) return;
    shell::InitialiserGlobales();
    if (MDI1* m = principale()) m->actualiserMenus(shell::MomentMenus::CarteEnvoyee);
    s.Prenom = platform::trimmed(eleve[1].text());
    s.Nom = platform::trimmed(eleve[2].text());
    TexteGroupe = platform::trimmed(eleve[0].text());
    if (!ouvrirDossierGroupe()) return;
    switch (lireFicheEleve()) {
    case FicheLue::Connue: accueillirEleve(); break;
    case FicheLue::AutreEleve: refuserAutreEleve(); break;
    case FicheLue::Abimee: refuserFicheAbimee(); break;
    case FicheLue::Absente: proposerInscription(); break;
    }
}

bool Feuille1::ficheValide() {
    for (int champ = 0; champ < 3; ++champ) {
        VerifierChampIdentification(champ);
        if (shell::shared.ChampValide != 1) {
            eleve[champ].setFocus();
            return false;
        }
    }
    return true;
}

bool Feuille1::ouvrirDossierGroupe() {
    shell::SharedState& s = shell::shared;
    // An existing group folder is the usual case; any other failure may be retried.
    while (shell::creerDossierGroupe(TexteGroupe) == platform::MakeFolderResult::Failed) {
        const char lecteur = static_cast<char>(platform::upper1252(
            static_cast<unsigned char>(s.DossierGroupe.empty() ? ' ' : s.DossierGroupe[0])));
        const bool disquette = lecteur == 'A' || lecteur == 'B';
        const int reponse =
            ui::msgBox(cp("Impossible d'écrire sur l") + (disquette ? "a disquette." : "e disque."),
                       ui::vbExclamation + ui::vbRetryCancel, s.TitreMessage);
        if (!ui::isLoaded(this)) return false;
        if (reponse != ui::vbRetry) {
            oublierEleve(true);
            eleve[0].setFocus();
            // The window may get the keyboard back from the box only later: the card is set as
            // the group field's focus leaves it now, or Enter there would sign in once more.
            eleve_GotFocus(0);
            return false;
        }
    }
    return true;
}

Feuille1::FicheLue Feuille1::lireFicheEleve() {
    shell::SharedState& s = shell::shared;
    shell::NomFichierEleve();
    const std::string prenomTape = s.Prenom;
    const std::string nomTape = s.Nom;
    shell::Issue issue = shell::LireFichierEleve(s.CheminFichierEleve, false);
    // A file that is there but cannot be read just now is no unknown pupil's: a new registration
    // would write over all his progress. It is refused as a file that cannot be used.
    if (issue == shell::Issue::Echec && platform::nameTaken(s.CheminFichierEleve))
        issue = shell::Issue::Abime;
    const bool lu = issue == shell::Issue::Fait;
    // Other letters that happen to give the same file name: that file is another pupil's. Names
    // typed without their accents, blanks or hyphens are the same pupil's.
    const bool autreEleve =
        lu && (formats::caracteresRetenus(s.Prenom) != formats::caracteresRetenus(prenomTape) ||
               formats::caracteresRetenus(s.Nom) != formats::caracteresRetenus(nomTape));
    if (issue == shell::Issue::Abime || autreEleve)
        oublierEleve(true);
    else if (!lu)
        oublierEleve(false);
    AfficherTitreEleve();
    if (autreEleve) return FicheLue::AutreEleve;
    if (lu) return FicheLue::Connue;
    return issue == shell::Issue::Abime ? FicheLue::Abimee : FicheLue::Absente;
}

void Feuille1::accueillirEleve() {
    shell::SharedState& s = shell::shared;
    s.EleveActif = 1;
    if (MDI1* m = principale()) m->actualiserMenus(shell::MomentMenus::EleveAuTravail);
    const bool listeEnCours =
        s.ConserverChoix && static_cast<long>(s.ListeLecons.size()) > 2L * s.PositionListe + 1;
    if (s.NumeroSequence == 0 && !listeEnCours) {
        AfficherActivites();
        return;
    }
    PreparerMenus();
    allerALaLeconSuivante();
}

void Feuille1::refuserAutreEleve() {
    Commande2.setEnabled(false);
    shell::MessageEleveEnDouble();
    if (!ui::isLoaded(this)) return;
    eleve[0].setFocus();
}

void Feuille1::refuserFicheAbimee() {
    Commande2.setEnabled(false);
    shell::messageFichierAbime();
    if (!ui::isLoaded(this)) return;
    eleve[0].setFocus();
}

void Feuille1::proposerInscription() {
    const shell::SharedState& s = shell::shared;
    Commande2.setEnabled(false);
    if (s.SansInscriptionImmediate) {
        Commande5[1].setVisible(false);
        Commande5[0].setCaption("&Continuer");
        Commande5[0].move(aEchelle(1700), aEchelle(1560), aEchelle(1500), Commande5[0].height());
        Cadre2.setCaption("Utilisateur inconnu");
    }
    Cadre2.setVisible(true);
    Commande5[0].setEnabled(true);
    Commande5[1].setEnabled(true);
    Commande4[0].setEnabled(false);
    Commande4[1].setEnabled(false);
    Commande5[0].setFocus();
}

void Feuille1::oublierEleve(bool nomsAussi) {
    shell::SharedState& s = shell::shared;
    shell::reinitialiserEleve();
    if (!nomsAussi) return;
    s.Prenom.clear();
    s.Nom.clear();
    s.CheminFichierEleve.clear();
}

void Feuille1::allerALaLeconSuivante() {
    shell::SharedState& s = shell::shared;
    const shell::SuiteLecon suite = shell::LeconSuivante();
    // The next lesson's player has taken this screen's place, or the list was already used up
    // and a home screen came back: it is built afresh.
    shell::fermerEcran(shell::Ecran::Accueil);
    if (s.EcranCourant == shell::Ecran::Accueil && suite == shell::SuiteLecon::AccueilRevenu) {
        shell::revenirAccueil();
    }
}

void Feuille1::Commande2_Click() {
    auNom_ = false;
    activerBoutonOK();
    eleve[0].setFocus();
}

// --- self-registration ------------------------------------------------------------------------

void Feuille1::Commande5_GotFocus() {
    const shell::SharedState& s = shell::shared;
    Commande5[0].setDefault(true);
    Etiquette3[1].setCaption(cp("Dans le groupe ") + TexteGroupe + cp(",  personne ne s'appelle ") +
                             s.Prenom + " " + s.Nom + "." + s.FinLigne + s.FinLigne +
                             (s.SansInscriptionImmediate ? cp("Vérifie la fiche d'identication.")
                                                         : cp("Est-ce une NOUVELLE inscription?")));
}

void Feuille1::Commande5_Click(int index) {
    Cadre2.setVisible(false);
    if (shell::shared.SansInscriptionImmediate) index = 1;
    if (index == 1) {
        MessageCorriger();
        eleve[0].setFocus();
    } else {
        commencerInscription();
    }
    if (!ui::isLoaded(this)) return;
    Commande5[0].setEnabled(false);
    Commande5[1].setEnabled(false);
}

void Feuille1::Commande5_KeyPress(int& k) {
    const int touche = platform::upper1252(static_cast<unsigned char>(k));
    if (touche != 'O' && touche != 'N') return;
    Cadre2.setVisible(false);
    if (touche == 'O' && !shell::shared.SansInscriptionImmediate) {
        commencerInscription();
    } else {
        MessageCorriger();
        eleve[0].setFocus();
    }
}

void Feuille1::commencerInscription() {
    shell::SharedState& s = shell::shared;
    // The registration screen lists no more than this many pupils of a group.
    if (shell::compterElevesDuGroupe(s.DossierGroupe) >= shell::kElevesParGroupeMax) {
        s.NumeroGroupe = static_cast<shell::Integer>(platform::val(TexteGroupe));
        shell::MessageGroupePlein();
        if (!ui::isLoaded(this)) return;
        eleve[0].setFocus();
        return;
    }
    Minuterie1.setEnabled(true);
}

void Feuille1::Minuterie1_Timer() {
    Cadre1.setVisible(true);
    Minuterie1.setEnabled(false);
    Texte1.setFocus();
}

void Feuille1::Texte1_GotFocus() {
    Commande4[0].setEnabled(true);
    Commande4[1].setEnabled(true);
    Commande4[0].setDefault(true);
}

void Feuille1::Texte1_KeyPress(int& k) {
    if (k != 8 && (k < '0' || k > '9')) k = 0;
}

void Feuille1::Commande4_Click(int index) {
    shell::SharedState& s = shell::shared;
    Etiquette4.setVisible(false);
    if (index == 1) {
        Cadre1.setVisible(false);
        eleve[0].setFocus();
        return;
    }
    const std::string texte = Texte1.text();
    const double n = platform::val(texte);
    if (texte.empty() || n < 0 || n > 50) {
        AfficherMessage(cp("Écris un numéro entre 0 et 50."));
        Texte1.setFocus();
        return;
    }
    s.EtatLecons = formats::noProgress();
    s.NumeroSequence = static_cast<shell::Integer>(n);
    // A new pupil starts with a list of his own, never with one left in memory.
    s.ListeLecons.clear();
    s.PositionListe = 0;
    shell::ChargerSequenceEleve();
    if (s.NumeroSequence > 0 && s.ListeLecons.size() < 2) {
        ui::msgBox(cp("La séquence ") + std::to_string(s.NumeroSequence) + cp(" n'existe pas."),
                   ui::vbExclamation + ui::vbOKOnly, s.TitreMessage);
        if (!ui::isLoaded(this)) return;
        Texte1.setFocus();
        return;
    }
    Cadre1.setVisible(false);
    // His file came while the frames were open (registered on another computer): the card signs
    // him in with it, or refuses it, rather than write a new pupil over it.
    if (platform::nameTaken(s.CheminFichierEleve)) {
        Commande1_Click();
        return;
    }
    shell::EcrireFichierEleve(s.CheminFichierEleve);
    if (!ui::isLoaded(this)) return;
    s.EleveActif = 1;
    if (s.NumeroSequence == 0) {
        AfficherActivites();
        return;
    }
    PreparerMenus();
    allerALaLeconSuivante();
}

// --- title and menus --------------------------------------------------------------------------

void Feuille1::AfficherTitreEleve() {
    const shell::SharedState& s = shell::shared;
    if (MDI1* m = principale())
        m->setCaption(s.Prenom.size() >= 2 ? s.Prenom + " -- TAVREL" : std::string("TAVREL"));
}

void Feuille1::activerBoutonOK() {
    bool rempli = false;
    for (int i = 0; i < 3 && !rempli; ++i) rempli = eleve.exists(i) && !eleve[i].text().empty();
    Commande1.setEnabled(auNom_ && rempli);
}

void Feuille1::PreparerMenus() {
    shell::shared.EleveActif = 1;
    if (MDI1* m = principale()) m->actualiserMenus(shell::MomentMenus::ActiviteEngagee);
}

// --- the icons --------------------------------------------------------------------------------

void Feuille1::AfficherActivites() {
    const shell::SharedState& s = shell::shared;
    for (int i = 0; i < 3; ++i) eleve[i].setVisible(false);
    for (int i = 0; i < 4; ++i) etiquette2[i].setVisible(false);
    Commande1.setVisible(false);
    Commande2.setVisible(false);
    Forme1.setVisible(false);
    for (int i = 0; i < kIconeQuitter; ++i) Image5[i].setVisible(true);
    ui::Label& invite = etiquette2[0];
    invite.setFontSize(18 * s.Echelle);
    invite.move(aEchelle(1750), aEchelle(2800), aEchelle(7000), aEchelle(495));
    invite.setCaption(cp("Choisir une des activités ci-dessus."));
    invite.setVisible(true);
    shell::ActiverMenuBilan();
}

void Feuille1::Image5_MouseDown(int index) {
    icones_.press(index);
}

void Feuille1::Image5_MouseUp(int index) {
    if (icones_.release(index)) ChoisirActivite(index);
}

void Feuille1::ChoisirActivite(int index) {
    shell::SharedState& s = shell::shared;
    if (index == kIconeQuitter) {
        shell::QuitterLogiciel();
        return;
    }
    for (int i = 0; i < kIconeQuitter; ++i) Image5[i].setVisible(false);
    shell::FermerEleve();
    if (!ui::isLoaded(this)) return;
    s.Activite = static_cast<shell::Integer>(index);
    if (MDI1* m = principale()) m->actualiserMenus(shell::MomentMenus::EleveAuTravail);
    shell::chargerEcran(shell::Ecran::ChoixLecons);
    shell::arrangerFenetres();
    shell::fermerEcran(shell::Ecran::Accueil);
}

// --- the learning report lying over the screen ------------------------------------------------

void Feuille1::Form_Click() {
    if (shell::shared.ResultatAffiche == 0) return;
    shell::fermerEcran(shell::Ecran::Bilan);
    shell::shared.ResultatAffiche = 0;
}

void Feuille1::Form_DblClick() {
    Form_Click();
}

void Feuille1::cacherCarte() {
    Commande2.setVisible(false);
    Commande1.setVisible(false);
    Forme1.setVisible(false);
    for (int i = 0; i <= 3; ++i)
        if (etiquette2.exists(i)) etiquette2[i].setVisible(false);
    for (int i = 0; i <= 2; ++i) {
        if (!eleve.exists(i)) continue;
        eleve[i].setVisible(false);
        eleve[i].setEnabled(false);
    }
}

} // namespace signin
