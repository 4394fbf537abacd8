#include "records/registration_screen.h"

#include "formats/pupil_file.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/strings.h"
#include "records/learning_report.h"
#include "records/records_routines.h"
#include "shell/file_routines.h"
#include "shell/identification_keys.h"
#include "shell/main_window.h"
#include "shell/pupil_messages.h"
#include "shell/routines.h"
#include "shell/screen_openers.h"
#include "shell/shades.h"
#include "ui/msgbox.h"
#include "ui/scaling.h"

#include <vector>

using shell::MDI1;
using shell::shared;

namespace records {

namespace {

using namespace ui::palette;
using namespace shell::shades;
constexpr ui::Colour kOrange = 0x0040C0;

// The screen's coordinate system: 9600 x 7050 units over a client area of 9600 x 6645 twips.
constexpr double kUniteVerticale = 6645.0 / 7050.0;

constexpr int kModeInscrire = 0;
constexpr int kModeModifier = 1;
constexpr int kModeSupprimer = 2;
constexpr int kModeResultats = 3;

constexpr int kPlacesTable = 51;
constexpr int kGroupes = 100;
constexpr int kTitresProposes = 32;

// Paths of the data folder match without regard to case, so do the paths of two pupil files.
bool memeChemin(const std::string& a, const std::string& b) {
    return platform::upper1252(a) == platform::upper1252(b);
}

} // namespace

inscription::inscription() {
    setMdiChild(true);
    moveForm(-15, 570, 9600, 6645);
    setBorderStyle(ui::vbBSNone);
    setControlBox(false);
    setBackColor(kSarcelle);
    setForeColor(kNoir);
    setFont(ui::arial(10.5));

    for (int i : {1, 2}) {
        ui::Shape& f = Forme1.add(i);
        f.setFillStyle(0);
        f.setFillColor(kGris);
    }
    Forme1[1].move(100, 2120, 6400, 3760);
    Forme1[2].move(6600, 94, 2900, 5786);

    // The group box.
    Image2.move(100, 94, 6400, 1932);
    Image2.setBackColor(kGris);
    Image2.setForeColor(kNoir);
    Image2.setFont(ui::arial(10.5));
    ui::Label& titreGroupes = Etiquette1.add(0, Image2);
    titreGroupes.move(1600, 40, 3200, 285);
    titreGroupes.setCaption(cp("Liste  des groupes déjà créés"));
    titreGroupes.setForeColor(kBlanc);
    titreGroupes.setBackColor(kBleuFonce);
    titreGroupes.setBorderStyle(1);
    titreGroupes.setAlignment(ui::vbCenter);
    titreGroupes.setFont(ui::arial(10.5));
    Etiquette2.move(150, 1560, 2800, 285);
    Etiquette2.setCaption(cp("Numéro du groupe (0 à 99)  : "));
    Etiquette2.setBackStyle(ui::vbTransparent);
    Etiquette2.setFont(ui::arial(10.5));
    ui::TextBox& groupe = eleve.add(0, Image2);
    groupe.move(2950, 1517, 420, 360);
    groupe.setMaxLength(2);
    Commande1.move(3700, 1510, 855, 375);
    Commande1.setFont(ui::arial(10.5));
    Commande1.setCaption("&Ok");
    Commande1.setDefault(true);
    Commande1.Click = [this](int) { Commande1_Click(); };
    Commande2.move(5250, 1510, 1095, 375);
    Commande2.setFont(ui::arial(10.5));
    Commande2.setCaption("&Quitter");
    Commande2.Click = [this](int) { Commande2_Click(); };

    // The list column.
    Etiquette3.move(6650, 200, 2800, 285);
    Etiquette3.setAlignment(ui::vbCenter);
    Etiquette3.setBackStyle(ui::vbTransparent);
    Etiquette3.setFont(ui::arial(10.5));
    for (ui::ListBox* l : {&Liste1, &Liste2, &Liste3}) {
        l->move(6700, 560, 2700, 3900);
        l->setBackColor(kSarcelle);
        l->setFont(ui::arial(10.5));
    }
    Liste1.setSorted(true);
    Liste2.setVisible(false);
    Liste3.setVisible(false);
    Liste3.setColumns(2);
    Liste3.setMultiSelect(1);
    Liste1.Click = [this](int) {
        if (mode_ == kModeInscrire) RetourPremierChamp();
    };
    Liste1.DblClick = Liste1.Click;
    Liste2.Click = [this](int) { Liste2_Click(); };
    Liste2.DblClick = Liste2.Click;

    // The pupil card.
    ui::Label& titreFiche = Etiquette1.add(1);
    titreFiche.move(1700, 2220, 3200, 285);
    titreFiche.setForeColor(kBlanc);
    titreFiche.setBackColor(kBleuFonce);
    titreFiche.setBorderStyle(1);
    titreFiche.setAlignment(ui::vbCenter);
    titreFiche.setFont(ui::arial(10.5));
    titreFiche.setVisible(false);
    struct Rubrique {
        double top;
        const char* legende;
        double largeur;
        int longueur;
    };
    const Rubrique rubriques[] = {{2800, "Prénom :", 4000, 24},
                                  {3340, "Nom :", 4000, 24},
                                  {3880, "Numéro de la séquence de leçons : ", 420, 2}};
    for (int i = 0; i < 3; ++i) {
        const Rubrique& r = rubriques[i];
        ui::Label& l = info.add(i);
        l.move(300, r.top, 1350, 285);
        l.setCaption(cp(r.legende));
        l.setBackStyle(ui::vbTransparent);
        l.setFont(ui::arial(10.5));
        ui::TextBox& t = eleve.add(i + 1);
        t.move(1700, r.top - 40, r.largeur, 360);
        t.setMaxLength(r.longueur);
    }
    ui::Label& question = Etiquette5.add(0);
    question.move(300, 4480, 6100, 285);
    question.setCaption(cp("Cet élève pourra-t-il reprendre les leçons non réussies?"));
    question.setBackStyle(ui::vbTransparent);
    question.setFont(ui::arial(10.5));
    ui::PictureBox& options = Image4.add(0);
    options.move(2000, 4900, 2400, 420);
    options.setBackColor(kGris);
    options.setBorderStyle(0);
    struct Reponse {
        double left;
        const char* texte;
    };
    const Reponse reponses[] = {{150, "Oui"}, {1250, "Non"}};
    for (int i = 0; i < 2; ++i) {
        ui::OptionButton& o = Option1.add(i, options);
        o.move(reponses[i].left, 60, 900, 300);
        o.setCaption(reponses[i].texte);
        o.setBackColor(kGris);
        o.setFont(ui::arial(10.5));
        o.setTabIndex(6 + i);
        o.Click = [this](int index) { Option1_Click(index); };
        o.KeyPress = [this](int index, int& k) { Option1_KeyPress(index, k); };
    }

    for (int i = 0; i <= 3; ++i) {
        ui::TextBox& t = eleve[i];
        t.setBackColor(kGris);
        t.setFont(ui::arial(10.5));
        t.setTabIndex(i == 0 ? 0 : 2 + i);
        t.KeyPress = [this](int index, int& k) { eleve_KeyPress(index, k); };
        t.KeyDown = [this](int index, int& code, int) { eleve_KeyDown(index, code); };
        t.GotFocus = [this](int index) { eleve_GotFocus(index); };
    }
    Commande1.setTabIndex(1);
    Commande2.setTabIndex(2);
    Liste1.setTabIndex(8);
    Liste2.setTabIndex(9);
    Liste3.setTabIndex(10);

    // The buttons along the bottom (the card's in register and modify).
    struct Bouton {
        double left, width;
        const char* caption;
    };
    const Bouton boutons[] = {{100, 2300, "Inscription &suivante"},
                              {2650, 1300, "&Corriger"},
                              {4200, 2200, "&Changer de &groupe"},
                              {6650, 1300, "&Annuler"},
                              {8200, 1300, "&Quitter"}};
    for (int i = 0; i < 5; ++i) {
        ui::CommandButton& b = Commande3.add(i);
        b.move(boutons[i].left, 5985, boutons[i].width, 375);
        b.setCaption(cp(boutons[i].caption));
        b.setFont(ui::arial(10.5));
        b.setEnabled(false);
        b.setTabIndex(13 + i);
        b.Click = [this](int index) { Commande3_Click(index); };
    }
    const Bouton choix[] = {{6700, 1300, "&Choisir"}, {8100, 1300, "&Annuler"}};
    for (int i = 0; i < 2; ++i) {
        ui::CommandButton& b = Commande4.add(i);
        b.move(choix[i].left, 5400, choix[i].width, 375);
        b.setCaption(choix[i].caption);
        b.setFont(ui::arial(10.5));
        b.setVisible(false);
        b.setTabIndex(11 + i);
        b.Click = [this](int index) { Commande4_Click(index); };
    }

    Image3.move(6700, 4560, 2700, 720);
    Image3.setVisible(false);
    Image3.setBorderStyle(0);
    Etiquette4.move(0, 0, 2700, 720);
    Etiquette4.setCaption(cp("Choisir un des noms de la liste."));
    Etiquette4.setBackColor(kOrange);
    Etiquette4.setForeColor(kBlanc);
    Etiquette4.setFont(ui::arial(12));
    Etiquette4.setAlignment(ui::vbCenter);
    Etiquette4.setBorderStyle(1);
    Etiquette4.setWordWrap(true);

    Image1.move(100, 94, 9380, 3252);
    Image1.setBackColor(kBleuMoyen);
    Image1.setForeColor(kGris);
    Image1.setFont(ui::arial(10.5));
    Image1.setVisible(false);

    // The list's heading lies over the list column, and the hint box, the "all groups" button
    // and the title list over the group box.
    Etiquette3.zOrder(0);
    Commande4[0].zOrder(0);
    Image3.zOrder(0);
    Image1.zOrder(0);

    Minuterie1.setInterval(1);
    Minuterie1.Tick = [this](int) { Minuterie1_Timer(); };
    Minuterie2.setInterval(1);
    Minuterie2.setEnabled(false);
    Minuterie2.Tick = [this](int) { Minuterie2_Timer(); };
}

double inscription::ux(double x) const {
    return x * shared.Echelle;
}
double inscription::uy(double y) const {
    return y * kUniteVerticale * shared.Echelle;
}
double inscription::tw(double twips) const {
    return twips * shared.Echelle;
}

// --- load -------------------------------------------------------------------------------------

void inscription::Form_Load() {
    shell::SharedState& s = shared;
    mode_ = s.CodeFonction >= kModeInscrire && s.CodeFonction <= kModeResultats ? s.CodeFonction
                                                                                : kModeInscrire;
    moveForm(0, 0);
    ui::scaleForm(*this, s.Echelle);
    moveForm(0, 0);

    s.EcranCourant = shell::Ecran::Inscriptions;
    NombreEleves = 0;
    EleveChoisi = 0;
    DecalageGroupes = 0;
    SequenceInitiale.clear();
    Option1[s.RepriseParDefaut ? 0 : 1].setValue(true);
    s.NumeroItem = 3;
    shell::CreerDossierEleves();

    dispositionDuMode();

    static const char* const titres[] = {"Inscrire des utilisateurs", "Modifier des inscriptions",
                                         "Supprimer des inscriptions", "Afficher les résultats"};
    if (MDI1* m = ui::find<MDI1>()) m->setCaption("TAVREL   " + cp(titres[mode_]));

    dessinerTitresSequences();

    Etiquette2.setAutoSize(true);
    info[2].setAutoSize(true);
    eleve[0].setLeft(Etiquette2.left() + Etiquette2.width());
    eleve[3].setLeft(info[2].left() + info[2].width());
}

void inscription::dispositionDuMode() {
    shell::SharedState& s = shared;
    if (mode_ == kModeInscrire) return;

    Etiquette2.setCaption(cp("Numéro du groupe désiré : "));
    Liste1.setVisible(false);
    Liste1.setTabStop(false);
    if (mode_ == kModeModifier) {
        Liste2.setVisible(true);
        Liste2.setTabStop(true);
        Commande3[0].setCaption("Choisir un autre &nom");
        return;
    }

    // Delete and results: the list of registrations across the screen, no card.
    Etiquette2.setCaption(cp("Numéro du groupe : "));
    Etiquette3.setAlignment(ui::vbLeftJustify);
    Etiquette4.setCaption(cp("Choisir une ou plusieurs inscriptions."));
    Etiquette4.setFontSize(10 * s.Echelle);
    Image3.move(ux(90), uy(1770), ux(1840), uy(800));
    // The label fills the hint box, so that its border stays in view.
    Etiquette4.move(0, 0, Image3.width(), Image3.height());
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &Forme1[1], &eleve[1], &eleve[2], &eleve[3], &Image4[0], &info[0], &info[1], &info[2],
             &Etiquette5[0], &Commande3[4], &Commande4[1]})
        c->setVisible(false);
    for (int i = 0; i <= 3; ++i) Commande3[i].setFontSize(8 * s.Echelle);
    Commande3[2].setCaption("Choisir un &autre groupe");
    Commande3[3].setCaption("&Quitter");
    Commande3[3].move(ux(8400), uy(6350), ux(800), Commande3[3].height());
    Forme1[2].move(ux(200), uy(2230), ux(9200), uy(4600));
    Liste3.move(ux(300), uy(2550), ux(8970), uy(3770));
    Liste3.setVisible(true);
    Liste3.setTabStop(true);
    Etiquette3.move(ux(3750), uy(2280), ux(6000), Etiquette3.height());

    const auto placerBouton = [this](int i, double x, double largeur, const char* texte) {
        Commande3[i].setCaption(cp(texte));
        Commande3[i].move(ux(x), uy(6350), ux(largeur), Commande3[i].height());
    };
    if (mode_ == kModeSupprimer) {
        Image2.move(ux(200), uy(100), ux(9200), uy(2050));
        Etiquette1[0].setLeft(tw(3000));
        DecalageGroupes = -250;
        Etiquette2.setLeft(tw(150));
        Commande1.setLeft(tw(2900));
        Commande2.setLeft(tw(7950));
        Commande4[0].setCaption("Supprimer tous les groupes");
        Commande4[0].move(ux(4750), uy(1720), ux(3100), Commande4[0].height());
        placerBouton(0, 350, 3150, "&Supprimer les inscriptions choisies");
        placerBouton(1, 3610, 2400, "Supprimer &tout ce groupe");
        Commande3[2].move(ux(6100), uy(6350), ux(2200), Commande3[2].height());
    } else {
        Image2.move(ux(1500), uy(100), ux(6500), uy(2050));
        Etiquette1[0].setLeft(tw(1700));
        DecalageGroupes = -80;
        Etiquette2.setLeft(tw(200));
        Commande1.setLeft(tw(3300));
        Commande2.setLeft(tw(5350));
        Commande4[0].setVisible(false);
        placerBouton(0, 350, 3100, "Visualiser les inscriptions &choisies");
        placerBouton(1, 3580, 2300, "Visualiser &tout le groupe");
        Commande3[2].move(ux(6010), uy(6350), ux(2250), Commande3[2].height());
    }
}

void inscription::dessinerTitresSequences() {
    shell::SharedState& s = shared;
    Image1.move(ux(100), uy(100), ux(9380), uy(3450));
    Image1.cls();
    Image1.setFontSize(10 * s.Echelle);
    Image1.setCurrentX(tw(200));
    Image1.setCurrentY(tw(60));
    Image1.print(cp("Choisir le numéro d'une des séquences de leçons ci-dessous."));
    Image1.setFontSize(8 * s.Echelle);
    Image1.setCurrentX(tw(100));
    Image1.setCurrentY(tw(380));

    shell::LireSequence(1, 800);
    const std::string titres = s.TamponSequence;
    Image1.print(cp("  0 : L'élève choisira ses leçons"));
    SequencesProposees.assign(1, '\0');
    int k = 0;
    for (int sequence = 1; sequence <= kTitresProposes; ++sequence) {
        const std::size_t debut = static_cast<std::size_t>(25 * sequence - 25);
        const std::string titre =
            debut < titres.size() ? platform::trimmed(titres.substr(debut, 25)) : "";
        if (titre.empty()) continue;
        ++k;
        Image1.setCurrentX(tw((k / 11) * 3150 + 100));
        Image1.setCurrentY(tw((k % 11) * 250 + 380));
        const std::string numero = (k <= 9 ? "  " : "") + std::to_string(sequence);
        Image1.print(numero + " : " + titre);
        SequencesProposees += static_cast<char>(sequence);
    }
    // Two columns hold the "0" line and 21 titles; the third column needs the whole width.
    if (k < 22) Image1.setWidth(ux(6900));
}

// --- group choice -----------------------------------------------------------------------------

void inscription::Minuterie1_Timer() {
    shell::SharedState& s = shared;
    Minuterie1.setEnabled(false);
    Etiquette3.setCaption(mode_ <= kModeModifier ? cp("Nom des élèves")
                                                 : cp("Liste des inscriptions"));
    Liste1.clear();
    Liste2.clear();
    Liste3.clear();
    for (int i = 0; i <= 4; ++i) Commande3[i].setEnabled(false);
    eleve[0].setText("");
    if (mode_ == kModeInscrire) {
        Commande4[0].setVisible(false);
        Commande4[1].setVisible(false);
    } else if (mode_ == kModeModifier) {
        Commande4[0].setVisible(true);
        Commande4[1].setVisible(true);
    } else if (mode_ == kModeSupprimer) {
        Commande4[0].setVisible(true);
    }
    Commande4[0].setEnabled(false);
    Commande4[1].setEnabled(false);
    Commande4[0].setDefault(false);
    for (int i = 1; i <= 3; ++i) eleve[i].setEnabled(false);
    // The hint goes with the list, which is empty until a group is chosen.
    Image3.setVisible(false);

    const int groupes = dessinerGroupes();

    Commande1.setEnabled(true);
    Commande2.setEnabled(true);
    Commande1.setDefault(true);
    if (mode_ == kModeSupprimer) Commande4[0].setEnabled(groupes > 0 && s.NiveauAcces >= 2);
    if (mode_ != kModeInscrire && groupes == 0) {
        Commande1.setEnabled(false);
        Commande2.setDefault(true);
    }
    eleve[0].setFocus();
}

int inscription::dessinerGroupes() {
    shell::SharedState& s = shared;
    Image2.cls();
    Image2.setForeColor(kNoir);
    Image2.setFontSize(8 * s.Echelle);
    const double espacement = mode_ == kModeSupprimer ? 435 : 310;
    int k = 0;
    for (int n = 0; n < kGroupes; ++n) {
        if (!platform::folderExists(
                formats::dossierGroupe(s.DossierEleves, formats::codeGroupe(std::to_string(n)))))
            continue;
        Image2.setCurrentX(tw(80 + (k % 20) * espacement - DecalageGroupes));
        Image2.setCurrentY(tw(330 + (k / 20) * 230));
        Image2.print((n < 10 ? " " : "") + std::to_string(n));
        ++k;
    }
    if (k == 0) {
        Image2.setFontSize(12 * s.Echelle);
        Image2.setForeColor(kRouge);
        Image2.setCurrentX(tw(mode_ == kModeSupprimer ? 2950 : 1600 - DecalageGroupes));
        Image2.setCurrentY(tw(700));
        Image2.print(cp("Aucun groupe n'a été créé."));
        Image2.setForeColor(kNoir);
    }
    return k;
}

// --- the chosen group -------------------------------------------------------------------------

void inscription::Commande1_Click() {
    shell::SharedState& s = shared;
    VerifierChampInscription(0);
    if (s.ChampValide == 0) {
        eleve[0].setFocus();
        return;
    }
    const std::string texte = eleve[0].text();
    s.CodeGroupe = formats::codeGroupe(texte);
    s.NumeroGroupe = platform::toInteger(platform::val(texte));
    const std::string dossier = formats::dossierGroupe(s.DossierEleves, s.CodeGroupe);
    // An existing folder is what a group already in use gives; any other failure shows when the
    // first pupil file is written.
    if (mode_ == kModeInscrire) platform::makeFolder(dossier);
    s.DossierGroupe = dossier + "/";

    if (!listerGroupe() && mode_ != kModeInscrire) {
        ui::msgBox(cp("Écrire le numéro d'un des groupes déjà créés."), ui::vbExclamation,
                   s.TitreMessage);
        eleve[0].setText("");
        eleve[0].setFocus();
        return;
    }

    Commande1.setEnabled(false);
    Commande2.setEnabled(false);
    if (mode_ == kModeSupprimer) Commande4[0].setEnabled(false);
    Commande1.setDefault(false);

    if (mode_ == kModeInscrire && NombreEleves >= shell::kElevesParGroupeMax) {
        shell::MessageGroupePlein();
        Minuterie1.setEnabled(true);
    } else if (mode_ != kModeInscrire && NombreEleves == 0) {
        ui::msgBox("Le groupe" + shell::texteNombre(s.NumeroGroupe) + " est vide." + s.FinLigne +
                       s.FinLigne + "Choisir un autre groupe.",
                   ui::vbExclamation, s.TitreMessage);
        Minuterie1.setEnabled(true);
    } else {
        Minuterie2.setEnabled(true);
    }
}

bool inscription::listerGroupe() {
    shell::SharedState& s = shared;
    NombreEleves = 0;
    Liste1.clear();
    Liste2.clear();
    Liste3.clear();
    const std::string dossier = s.DossierGroupe.substr(0, s.DossierGroupe.size() - 1);
    const auto fichiers = platform::listFiles(dossier);
    if (fichiers) {
        for (const std::string& nom : *fichiers) {
            if (NombreEleves >= kPlacesTable) break;
            const std::string chemin = s.DossierGroupe + nom;
            s.Prenom.clear();
            s.Nom.clear();
            shell::LireFichierEleve(chemin, true);
            if (s.Prenom.empty() && s.Nom.empty()) continue;
            const auto i = static_cast<std::size_t>(NombreEleves);
            s.CheminsEleves[i] = chemin;
            s.Noms[i] = platform::trimmed(s.Nom) + " " + platform::trimmed(s.Prenom);
            if (mode_ == kModeInscrire) Liste1.addItem(s.Noms[i]);
            ++NombreEleves;
        }
    }
    if (mode_ != kModeInscrire) {
        shell::TrierNoms(NombreEleves);
        ui::ListBox& liste = mode_ == kModeModifier ? Liste2 : Liste3;
        for (int i = 0; i < NombreEleves; ++i) liste.addItem(s.Noms[static_cast<std::size_t>(i)]);
    }
    s.Prenom.clear();
    s.Nom.clear();
    return fichiers.has_value();
}

void inscription::Minuterie2_Timer() {
    shell::SharedState& s = shared;
    Minuterie2.setEnabled(false);
    if (mode_ <= kModeModifier)
        Etiquette3.setCaption("Noms des" +
                              (NombreEleves > 1 ? " " + std::to_string(NombreEleves) : " ") +
                              cp(" élèves"));
    if (mode_ != kModeInscrire) Image3.setVisible(true);

    if (mode_ == kModeInscrire) {
        Etiquette1[1].setCaption(cp("Fiche d'inscription #") + std::to_string(NombreEleves + 1));
        Etiquette1[1].setVisible(true);
        for (int i = 1; i <= 3; ++i) eleve[i].setEnabled(true);
        for (int i = 0; i <= 4; ++i) Commande3[i].setEnabled(true);
        Commande3[0].setDefault(false);
        eleve[1].setFocus();
    } else if (mode_ == kModeModifier) {
        Commande4[0].setEnabled(true);
        Commande4[1].setEnabled(true);
        Commande4[0].setDefault(true);
        for (int i = 0; i <= 4; ++i) Commande3[i].setEnabled(false);
        Liste2.setFocus();
    } else {
        for (int i = 0; i <= 3; ++i) Commande3[i].setEnabled(true);
        Commande3[0].setDefault(true);
        Liste3.setFocus();
    }
    (void)s;
}

// --- buttons ----------------------------------------------------------------------------------

void inscription::Commande2_Click() {
    QuitterInscription();
}

void inscription::Commande3_Click(int index) {
    shell::SharedState& s = shared;
    s.DernierChoisi = static_cast<shell::Integer>(NombreEleves - 1);
    if (mode_ == kModeSupprimer)
        boutonSuppression(index);
    else if (mode_ == kModeResultats)
        boutonResultats(index);
    else
        boutonCarte(index);
}

void inscription::boutonSuppression(int index) {
    Image3.setVisible(false);
    switch (index) {
    case 0: supprimerChoisies(); break;
    case 1: supprimerGroupe(); break;
    case 2: Minuterie1.setEnabled(true); break;
    default: QuitterInscription(); break;
    }
}

void inscription::boutonResultats(int index) {
    shell::SharedState& s = shared;
    s.ModeBilan = 0;
    switch (index) {
    case 0:
        s.NombreChoisis = static_cast<shell::Integer>(nombreChoisis());
        if (s.NombreChoisis == 0) {
            records::AideChoixListe("e inscription", "la", "e",
                                    "On peut effectuer plusieurs choix.");
            Liste3.setFocus();
            return;
        }
        ouvrirBilan();
        break;
    case 1:
        for (int i = 0; i < Liste3.listCount(); ++i) Liste3.setSelected(i, true);
        s.NombreChoisis = NombreEleves;
        ouvrirBilan();
        break;
    case 2: Minuterie1.setEnabled(true); break;
    default: QuitterInscription(); break;
    }
}

bool inscription::enregistrerCarte() {
    for (int i = 1; i <= 3; ++i) {
        VerifierChampInscription(i);
        if (shared.ChampValide == 0) {
            eleve[i].setFocus();
            return false;
        }
    }
    for (int i = 1; i <= 3; ++i) eleve[i].setText(platform::trimmed(eleve[i].text()));
    const bool enregistre = mode_ == kModeInscrire ? inscrireEleve() : modifierEleve();
    if (!enregistre) return false;
    if (mode_ == kModeInscrire && NombreEleves >= shell::kElevesParGroupeMax) {
        shell::MessageGroupePlein();
        Minuterie1.setEnabled(true);
        return false;
    }
    return true;
}

void inscription::boutonCarte(int index) {
    if (index == 1) {
        eleve[1].setFocus();
        return;
    }
    if (index == 3) {
        QuitterInscription();
        return;
    }
    // Changing group or leaving on an empty card saves nothing; the next card checks it anyway.
    if ((index == 0 || !champsCarteVides()) && !enregistrerCarte()) return;
    if (index == 0)
        Minuterie2.setEnabled(true);
    else if (index == 2)
        Minuterie1.setEnabled(true);
    else
        QuitterInscription();
}

void inscription::ouvrirBilan() {
    // A report already open shows the former choice: it starts again on the new one.
    shell::fermerEcran(shell::Ecran::Bilan);
    shell::chargerEcran(shell::Ecran::Bilan);
}

bool inscription::champsCarteVides() {
    for (int i = 1; i <= 3; ++i)
        if (!platform::trimmed(eleve[i].text()).empty()) return false;
    return true;
}

bool inscription::inscrireEleve() {
    shell::SharedState& s = shared;
    s.Prenom = eleve[1].text();
    s.Nom = eleve[2].text();
    s.EtatLecons = formats::noProgress();
    s.RepriseAutorisee = Option1[0].value() ? shell::kVrai : shell::kFaux;
    s.NumeroSequence = platform::toInteger(platform::val(eleve[3].text()));
    // A new pupil has no lesson list of his own, whatever the last card left.
    s.ListeLecons.clear();
    shell::ChargerSequenceEleve();
    shell::NomFichierEleve();
    if (platform::nameTaken(s.CheminFichierEleve)) {
        shell::MessageEleveEnDouble();
        eleve[1].setFocus();
        return false;
    }
    if (shell::EcrireFichierEleve(s.CheminFichierEleve) != shell::Issue::Fait) {
        eleve[1].setFocus();
        return false;
    }
    const std::string affiche = s.Nom + " " + s.Prenom;
    Liste1.addItem(affiche);
    if (NombreEleves < kPlacesTable) {
        const auto i = static_cast<std::size_t>(NombreEleves);
        s.CheminsEleves[i] = s.CheminFichierEleve;
        s.Noms[i] = affiche;
    }
    ++NombreEleves;
    for (int i = 1; i <= 3; ++i) eleve[i].setText("");
    return true;
}

bool inscription::modifierEleve() {
    shell::SharedState& s = shared;
    // A save that does not happen leaves nothing half changed.
    const records::ValeursEleve avant = records::ValeursEleve::noter();
    bool change = false;

    const bool oui = Option1[0].value();
    if (oui != (s.RepriseAutorisee != 0)) {
        change = true;
        s.RepriseAutorisee = oui ? shell::kVrai : shell::kFaux;
    }

    // "05" is the sequence 5 as shown: the pupil keeps his place in it.
    const std::string sequence = eleve[3].text();
    if (SequenceInitiale.empty() || platform::val(sequence) != platform::val(SequenceInitiale)) {
        change = true;
        s.NumeroSequence = platform::toInteger(platform::val(sequence));
        // A pupil who now chooses his own lessons does not keep the list of his former sequence.
        if (s.NumeroSequence == 0) s.ListeLecons.clear();
        shell::ChargerSequenceEleve();
    }

    const std::string prenom = eleve[1].text();
    const std::string nom = eleve[2].text();
    const bool nomsChanges = prenom != s.Prenom || nom != s.Nom;
    if (nomsChanges) {
        change = true;
        s.Prenom = prenom;
        s.Nom = nom;
        shell::NomFichierEleve();
        // The pupil's own file may keep its name (names that differ only in accents or
        // blanks); any other pupil's file of the group must not be replaced.
        bool pris = false;
        if (!memeChemin(s.CheminFichierEleve, avant.chemin)) {
            pris = platform::nameTaken(s.CheminFichierEleve);
            for (int i = 0; i < NombreEleves && !pris; ++i)
                pris = i != EleveChoisi && memeChemin(s.CheminsEleves[static_cast<std::size_t>(i)],
                                                      s.CheminFichierEleve);
        }
        if (pris) {
            shell::MessageEleveEnDouble();
            avant.remettre();
            eleve[1].setFocus();
            return false;
        }
    }
    if (!change) return true;

    if (shell::EcrireFichierEleve(s.CheminFichierEleve) != shell::Issue::Fait) {
        avant.remettre();
        eleve[1].setFocus();
        return false;
    }
    if (nomsChanges) {
        if (!memeChemin(s.CheminFichierEleve, avant.chemin)) shell::DetruireFichier(avant.chemin);
        if (EleveChoisi >= 0 && EleveChoisi < NombreEleves) {
            const auto i = static_cast<std::size_t>(EleveChoisi);
            s.CheminsEleves[i] = s.CheminFichierEleve;
            s.Noms[i] = s.Nom + " " + s.Prenom;
        }
        shell::TrierNoms(NombreEleves);
        remplirListe2();
    }
    return true;
}

void inscription::remplirListe2() {
    Liste2.clear();
    for (int i = 0; i < NombreEleves; ++i) Liste2.addItem(shared.Noms[static_cast<std::size_t>(i)]);
}

void inscription::Commande4_Click(int index) {
    Image3.setVisible(false);
    if (mode_ == kModeSupprimer) {
        if (index == 0) supprimerTousLesGroupes();
        return;
    }
    if (index == 0) {
        choisirEleve();
        return;
    }
    Commande4[0].setEnabled(false);
    Commande4[1].setEnabled(false);
    Commande4[0].setDefault(false);
    Minuterie1.setEnabled(true);
}

void inscription::choisirEleve() {
    shell::SharedState& s = shared;
    // The line chosen by the user (the list's current line alone is not a choice).
    int choisi = -1;
    for (int i = 0; i < Liste2.listCount() && choisi < 0; ++i)
        if (Liste2.selected(i)) choisi = i;
    if (choisi < 0 || choisi >= NombreEleves) {
        records::AideChoixListe(" nom", "le", "", "");
        Liste2.setFocus();
        return;
    }
    s.CheminFichierEleve = s.CheminsEleves[static_cast<std::size_t>(choisi)];
    s.Prenom.clear();
    s.Nom.clear();
    // Nothing of the pupil shown before may pass into this one's file through a damaged read.
    shell::reinitialiserEleve();
    s.ListeLecons.clear();
    s.PositionListe = 0;
    if (shell::LireFichierEleve(s.CheminFichierEleve, false) != shell::Issue::Fait) {
        // A card opened on what could be read would be saved over the rest of his progress.
        shell::reinitialiserEleve();
        s.Prenom.clear();
        s.Nom.clear();
        s.CheminFichierEleve.clear();
        shell::messageFichierAbime();
        Liste2.setFocus();
        return;
    }

    EleveChoisi = static_cast<shell::Integer>(choisi);
    eleve[1].setText(s.Prenom);
    eleve[2].setText(s.Nom);
    Option1[s.RepriseAutorisee != 0 ? 0 : 1].setValue(true);
    SequenceInitiale = s.NumeroSequence >= 0 ? std::to_string(s.NumeroSequence) : "";
    eleve[3].setText(SequenceInitiale);
    for (int i = 1; i <= 3; ++i) eleve[i].setEnabled(true);
    for (int i = 0; i <= 4; ++i) Commande3[i].setEnabled(true);
    Commande3[0].setDefault(false);
    Commande4[0].setEnabled(false);
    Commande4[1].setEnabled(false);
    Commande4[0].setDefault(false);
    eleve[1].setFocus();
}

void inscription::Liste2_Click() {
    if (!Commande4[0].enabled() && eleve[1].enabled()) eleve[1].setFocus();
}

// --- delete -----------------------------------------------------------------------------------

int inscription::nombreChoisis() const {
    int n = 0;
    for (int i = 0; i <= shared.DernierChoisi && i < Liste3.listCount(); ++i)
        if (Liste3.selected(i)) ++n;
    return n;
}

void inscription::supprimerChoisies() {
    shell::SharedState& s = shared;
    s.NombreChoisis = static_cast<shell::Integer>(nombreChoisis());
    if (s.NombreChoisis == 0) {
        records::AideChoixListe("e inscription", "la", "e", "On peut effectuer plusieurs choix.");
        Liste3.setFocus();
        return;
    }
    if (ui::msgBox(cp("Désirez-vous supprimer ") + cp("le(s) inscriptions(s) sélectionnée(s)?"),
                   ui::vbQuestion + ui::vbYesNo, s.TitreMessage) != ui::vbYes) {
        Liste3.setFocus();
        return;
    }
    // A file already gone counts as deleted; a damaged one is kept, since what it still holds
    // cannot be read back; a failure does not stop the others.
    std::vector<std::string> restent;
    int abimes = 0;
    for (int i = 0; i <= s.DernierChoisi && i < Liste3.listCount(); ++i) {
        if (!Liste3.selected(i)) continue;
        const std::string& chemin = s.CheminsEleves[static_cast<std::size_t>(i)];
        if (!platform::fileExists(chemin)) continue;
        if (!shell::fichierEleveEntier(chemin)) {
            ++abimes;
            restent.push_back(chemin);
            continue;
        }
        if (shell::DetruireFichier(chemin) != shell::Issue::Fait && platform::fileExists(chemin))
            restent.push_back(chemin);
    }
    relisterGroupe(restent);
    for (int n = 0; n < abimes; ++n) shell::messageFichierAbime();
    if (static_cast<int>(restent.size()) > abimes)
        ui::msgBox("Impossible de supprimer le(s) inscription(s)", ui::vbExclamation,
                   s.TitreMessage);
    Liste3.setFocus();
}

void inscription::supprimerGroupe() {
    shell::SharedState& s = shared;
    if (ui::msgBox(cp("Désirez-vous supprimer ") + "toutes les inscriptions de ce groupe?",
                   ui::vbQuestion + ui::vbYesNo, s.TitreMessage) != ui::vbYes) {
        Liste3.setFocus();
        return;
    }
    if (shell::DetruireFichier(s.DossierGroupe + "*.*") != shell::Issue::Fait) {
        relisterGroupe({});
        ui::msgBox("Impossible de supprimer le(s) inscription(s)", ui::vbExclamation,
                   s.TitreMessage);
        Liste3.setFocus();
        return;
    }
    Liste3.clear();
    platform::removeFolder(s.DossierGroupe.substr(0, s.DossierGroupe.size() - 1));
    Minuterie1.setEnabled(true);
}

void inscription::relisterGroupe(const std::vector<std::string>& choisis) {
    shell::SharedState& s = shared;
    listerGroupe();
    for (int i = 0; i < NombreEleves; ++i)
        for (const std::string& chemin : choisis)
            if (memeChemin(s.CheminsEleves[static_cast<std::size_t>(i)], chemin))
                Liste3.setSelected(i, true);
    s.DernierChoisi = static_cast<shell::Integer>(NombreEleves - 1);
}

void inscription::supprimerTousLesGroupes() {
    shell::SharedState& s = shared;
    if (ui::msgBox(cp("Cette option permet de détruire tous les groupes.") + s.FinLigne +
                       cp("Désirez-vous supprimer toutes les inscriptions de tous les groupes?"),
                   ui::vbQuestion + ui::vbYesNo, s.TitreMessage) != ui::vbYes) {
        eleve[0].setFocus();
        return;
    }
    for (int n = 0; n < kGroupes; ++n) {
        const std::string dossier =
            formats::dossierGroupe(s.DossierEleves, formats::codeGroupe(std::to_string(n)));
        shell::DetruireFichier(dossier + "/*.*");
        platform::removeFolder(dossier);
    }
    Minuterie1.setEnabled(true);
}

// --- other handlers ---------------------------------------------------------------------------

void inscription::Form_Click() {
    if (shared.ResultatAffiche != 0) {
        shell::fermerEcran(shell::Ecran::Bilan);
        shared.ResultatAffiche = 0;
    }
}

void inscription::Form_DblClick() {
    Form_Click();
}

void inscription::RetourPremierChamp() {
    eleve[0].setFocus();
}

void inscription::QuitterInscription() {
    shell::SharedState& s = shared;
    // The report opened from this screen reads its lists: it cannot outlive it.
    shell::fermerEcran(shell::Ecran::Bilan);
    shell::InitialiserGlobales();
    s.Prenom.clear();
    s.Nom.clear();
    s.RepriseAutorisee = s.RepriseParDefaut;
    s.PositionListe = 0;
    s.NumeroSequence = -1;
    s.EleveActif = shell::kFaux;
    shell::revenirAccueil();
    shell::fermerEcran(shell::Ecran::Inscriptions);
}

// --- fields: keys, focus and checks -----------------------------------------------------------

void inscription::eleve_KeyPress(int index, int& k) {
    // Text dropped or pasted from a menu meets the same rule as keys in the group field.
    if (index == 0 && !Commande1.enabled()) {
        k = 0;
        return;
    }
    shell::filtrerToucheIdentification(k, index == 0 || index == 3, eleve[index].text().empty());
}

void inscription::eleve_KeyDown(int index, int& k) {
    if (index == 0) {
        // While a group is being worked on, its number stays as it was chosen.
        if (!Commande1.enabled()) k = 0;
        return;
    }
    if (k == 13 || k == 40) {
        VerifierChampInscription(index);
        if (shared.ChampValide == 0) {
            if (index == 3 && mode_ <= kModeModifier) Image1.setVisible(true);
            return;
        }
        if (index < 3) {
            eleve[index + 1].setFocus();
        } else {
            Image1.setVisible(false);
            Option1[Option1[1].value() ? 1 : 0].setFocus();
        }
    } else if (k == 38 && index >= 2) {
        eleve[index - 1].setFocus();
    }
}

void inscription::eleve_GotFocus(int index) {
    if (index == 3 && mode_ <= kModeModifier) {
        Image1.setVisible(true);
        Image1.zOrder(0);
    } else {
        Image1.setVisible(false);
    }
}

void inscription::Option1_Click(int /*index*/) {
    if (Commande3[0].enabled()) Commande3[0].setFocus();
}

void inscription::Option1_KeyPress(int index, int& k) {
    if (k != 13) return;
    k = 0;
    Option1_Click(index);
}

void inscription::VerifierChampInscription(int index) {
    shell::SharedState& s = shared;
    s.ChampValide = 0;
    const std::string texte = platform::trimmed(eleve[index].text());
    std::string manque;
    switch (index) {
    case 0:
        if (texte.empty()) manque = cp("le numéro du groupe.");
        break;
    case 1:
        if (texte.size() < 2) manque = cp("le prénom de l'élève.");
        break;
    case 2:
        if (texte.size() < 2) manque = cp("le nom de l'élève.");
        break;
    default:
        if (texte.empty()) {
            manque = cp(" le numéro d'une séquence de leçons.");
        } else {
            const double n = platform::val(texte);
            const bool proposee =
                n >= 0 && n < 256 &&
                SequencesProposees.find(static_cast<char>(n)) != std::string::npos;
            if (!proposee)
                manque = cp("un des numéros ci-dessus.") + s.FinLigne + cp("La séquence") +
                         shell::texteNombre(static_cast<long long>(n)) + cp(" n'existe pas.");
        }
        break;
    }
    if (!manque.empty()) {
        ui::msgBox(cp("Écrire ") + manque, ui::vbInformation, s.TitreMessage);
        return;
    }
    s.ChampValide = 1;
    if (index == 3) Image1.setVisible(false);
}

} // namespace records
