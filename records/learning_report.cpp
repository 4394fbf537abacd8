#include "records/learning_report.h"

#include "formats/lesson_record.h"
#include "formats/lesson_scores.h"
#include "platform/clock.h"
#include "platform/cp1252.h"
#include "records/learning_summary.h"
#include "records/records_routines.h"
#include "records/registration_screen.h"
#include "shell/file_routines.h"
#include "shell/pupil_messages.h"
#include "shell/routines.h"
#include "shell/screen_openers.h"
#include "shell/shades.h"
#include "ui/msgbox.h"
#include "ui/printer.h"
#include "ui/scaling.h"
#include "ui/text.h"

#include <cstdio>

using shell::shared;

namespace records {

namespace {

using namespace ui::palette;
using namespace shell::shades;

constexpr int kActivites = formats::kActivityCount;
constexpr int kCellules = formats::kLessonsPerActivity;
constexpr int kBoutons = 7;

// Tops of the name line and of the count line in the printed block. The labels on the screen
// stand at these places of the design; the page does not grow with the screen.
constexpr double kHautNom = 240;
constexpr double kHautComptes = 600;

// A button of the design, its height left as the control has it.
struct Bouton {
    double left, top, width;
    const char* texte;
};

// Today as dd/mm/yyyy, whatever language the machine speaks.
std::string dateDuJour() {
    const platform::Clock::Date jour = platform::clock().today();
    char texte[16];
    std::snprintf(texte, sizeof texte, "%02d/%02d/%04d", jour.day, jour.month, jour.year);
    return texte;
}

} // namespace

resultat::resultat() {
    setMdiChild(true);
    moveForm(50, 150, 9500, 6450);
    setBorderStyle(ui::vbFixedSingle);
    setControlBox(false);
    setMinButton(false);
    setMaxButton(false);
    setCaption("Bilan des apprentissages");
    setBackColor(kBleuFonce);
    setForeColor(kGris);
    setFont(ui::arial(7.5));
    setKeyPreview(true);

    // Each heading of the pupil's lines, with the place of its value on its right.
    struct Rubrique {
        double top, left, width;
        const char* texte;
        double valeur, largeurValeur;
    };
    const Rubrique rubriques[] = {{kHautNom, 120, 795, "Nom :", 960, 7500},
                                  {kHautComptes, 120, 1875, "Leçons réussies :", 2040, 675},
                                  {kHautComptes, 2760, 1995, "Leçons terminées :", 4800, 675},
                                  {kHautComptes, 5520, 2115, "Critère de réussite :", 7680, 1300}};
    for (int i = 0; i < 4; ++i) {
        const Rubrique& r = rubriques[i];
        ui::Label& l = Etiquette1.add(i);
        l.move(r.left, r.top, r.width, 285);
        l.setCaption(cp(r.texte));
        l.setForeColor(kGris);
        l.setBackStyle(ui::vbTransparent);
        l.setFont(ui::arial(10.5));
        ui::Label& v = Etiquette2.add(i);
        v.move(r.valeur, r.top, r.largeurValeur, 285);
        v.setForeColor(kCyan);
        v.setBackStyle(ui::vbTransparent);
        v.setFont(ui::arial(10.5));
    }

    ui::Label& cellule = Etiquette4.add(0);
    cellule.move(0, 0, 420, 280);
    cellule.setCaption("150");
    cellule.setBackColor(kJauneClair);
    cellule.setBorderStyle(1);
    cellule.setAlignment(ui::vbCenter);
    cellule.setFont(ui::arial(10.5));
    cellule.setVisible(false);

    struct Legende {
        const char* texte;
        ui::Colour couleur;
    };
    const Legende legende[] = {{"Leçon pas encore terminée", kJauneClair},
                               {"Leçon terminée et réussie", kCyan},
                               {"Leçon terminée mais pas réussie", kRouge}};
    for (int i = 0; i < 3; ++i) {
        ui::Label& l = Etiquette5.add(i);
        l.move(1920 + 1800 * i, 3600, 1455, 450);
        l.setCaption(cp(legende[i].texte));
        l.setBackColor(legende[i].couleur);
        l.setBorderStyle(1);
        l.setAlignment(ui::vbCenter);
        l.setWordWrap(true);
        // The screen's own small font: in the larger one of the other controls the captions
        // take more lines than the legend's boxes can show.
        l.setFont(ui::arial(7.5));
        l.setVisible(false);
    }

    Etiquette3.move(2400, 4680, 4215, 1215);
    Etiquette3.setBackColor(kSarcelle);
    Etiquette3.setBorderStyle(1);
    Etiquette3.setAlignment(ui::vbCenter);
    Etiquette3.setFont(ui::arial(10.5));
    Etiquette3.setVisible(false);

    const Bouton boutons[kBoutons] = {
        {120, 4680, 3240, "Lire l'inscription &suivante   "},
        {3480, 4680, 3240, "Lire l'inscription &précédente"},
        {120, 5100, 3240, "&Choisir un autre groupe      "},
        {3480, 5100, 3240, "Choisir d'&autres inscriptions"},
        {120, 5520, 3240, "&Imprimer le bilan ci-dessus"},
        {3480, 5520, 4400, "Imprimer &toutes les inscriptions choisies"},
        {6840, 4860, 1500, "&Quitter"}};
    for (int i = 0; i < kBoutons; ++i) {
        ui::CommandButton& b = Commande1.add(i);
        b.move(boutons[i].left, boutons[i].top, boutons[i].width, 375);
        b.setCaption(cp(boutons[i].texte));
        b.setFont(ui::arial(10.5));
        b.setTabIndex(i);
        b.Click = [this](int index) { Commande1_Click(index); };
    }
    Commande2.move(7250, 4900, 1455, 375);
    Commande2.setCaption("&Continuer");
    Commande2.setFont(ui::arial(10.5));
    Commande2.setVisible(false);
    Commande2.setEnabled(false);
    Commande2.setTabStop(false);
    Commande2.setTabIndex(kBoutons);
    Commande2.Click = [this](int) { Commande2_Click(); };

    Minuterie1.setInterval(1);
    Minuterie1.Tick = [this](int) { Minuterie1_Timer(); };
}

double resultat::tw(double twips) const {
    return twips * shared.Echelle;
}

std::string resultat::critere() const {
    return std::to_string(formats::LessonScores::passMark(shared.CritereReussite)) + "/8 et +";
}

// --- load -------------------------------------------------------------------------------------

void resultat::Form_Load() {
    shell::SharedState& s = shared;
    ui::scaleForm(*this, s.Echelle);
    PositionChoisie = 0;
    SensAvant = 0;
    PrecedentDisponible = 0;
    s.ResultatAffiche = 1;
    modeEleve_ = s.ModeBilan != 0;

    if (modeEleve_) {
        moveForm(tw(300), tw(300), tw(9000), tw(6000));
        for (int i = 0; i < kBoutons; ++i) Commande1[i].setVisible(false);
        for (int i = 0; i < 3; ++i) Etiquette5[i].setVisible(true);
        for (int i = 1; i < kCellules; ++i) Etiquette4.load(i);
        ActiviteAffichee = s.Activite >= 0 && s.Activite < kActivites ? s.Activite : 0;
        Commande2.move(tw(7250), tw(4900));
        Commande2.setVisible(true);
        Commande2.setEnabled(true);
        Commande2.setTabStop(true);
        Commande2.setDefault(true);
    } else {
        moveForm(tw(50), tw(150), tw(9500), tw(6450));
        PositionChoisie = -1;
        SensAvant = 1;
        if (s.DernierChoisi < 1) Commande1[3].setEnabled(false);
    }
}

void resultat::Minuterie1_Timer() {
    Minuterie1.setEnabled(false);
    if (modeEleve_)
        dessinerActivite();
    else
        afficherInscription();
}

// --- pupil mode -------------------------------------------------------------------------------

void resultat::dessinerActivite() {
    shell::SharedState& s = shared;
    for (int i = 0; i < kCellules; ++i) {
        ui::Label& c = Etiquette4[i];
        c.setVisible(false);
        c.setFontUnderline(false);
        c.setBackColor(kJauneClair);
    }
    const std::size_t activite = static_cast<std::size_t>(ActiviteAffichee);
    setCaption(cp("Bilan des apprentissages  ----  Activité : ") + s.TitresActivites[activite]);

    // The lesson in progress keeps its record and its place in the catalogue.
    const shell::Integer lecon = s.NumeroLecon;
    const std::string enregistrement = s.Enregistrement;
    const shell::Long longueur = s.LongueurEnregistrement;
    const shell::Long position = s.PositionEnregistrement;
    Etiquette1[0].setVisible(false);
    s.NumeroLecon = 0;
    shell::LireLecon(ActiviteAffichee);
    s.NumeroLecon = lecon;
    const std::string bloc = s.Enregistrement;
    const std::size_t l = s.LongueurEnregistrement > 0 ? std::size_t(s.LongueurEnregistrement) : 0;

    NombreReussies = 0;
    NombreTerminees = 0;
    RepriseProposee.clear();
    Etiquette2[3].setCaption(critere());
    const formats::LessonScores scores(s.EtatLecons);
    int k = 0;
    for (int n = 1; n <= formats::kLessonsPerActivity && l > 0; ++n) {
        const std::size_t debut = static_cast<std::size_t>(n - 1) * l;
        if (debut + l > bloc.size()) break;
        if (bloc.compare(debut, l, std::string(l, ' ')) == 0) continue;
        ui::Label& c = Etiquette4[k];
        c.move(tw(240 + (k % 19) * 440), tw(1080 + (k / 19) * 300));
        c.setCaption(std::to_string(n));
        const char etat = scores.score(ActiviteAffichee, n);
        if (etat >= '0' && etat <= '9') {
            ++NombreTerminees;
            if (formats::LessonScores::passes(etat, s.CritereReussite)) {
                ++NombreReussies;
                c.setBackColor(kCyan);
            } else {
                c.setBackColor(kRouge);
                c.setFontUnderline(true);
                RepriseProposee += static_cast<char>(65 + ActiviteAffichee);
                RepriseProposee += static_cast<char>(100 + n);
            }
        }
        c.setVisible(true);
        ++k;
    }
    s.Enregistrement = enregistrement;
    s.LongueurEnregistrement = longueur;
    s.PositionEnregistrement = position;

    const Bouton boutons[] = {{100, 4440, 2850, "Lire l'activité &suivante"},
                              {3000, 4440, 2750, "Lire l'activité &précédente"},
                              {100, 4900, 5000, "&Reprendre les leçons qui ne sont pas réussies"}};
    for (int i = 0; i < 3; ++i) {
        ui::CommandButton& b = Commande1[i];
        b.setCaption(cp(boutons[i].texte));
        b.move(tw(boutons[i].left), tw(boutons[i].top), tw(boutons[i].width), b.height());
        b.setVisible(true);
    }
    if (s.RepriseAutorisee == 0) Commande1[2].setVisible(false);

    Etiquette2[1].setCaption(std::to_string(NombreReussies));
    Etiquette2[2].setCaption(std::to_string(NombreTerminees));
    refresh();
}

void resultat::FermerBilan() {
    shell::SharedState& s = shared;
    shell::fermerEcran(shell::Ecran::Bilan);
    // The numbers player under the report draws its cards again when it sees 99.
    s.ResultatAffiche = formats::materialOf(s.Activite) == formats::Material::Numbers ? 99 : 0;
}

void resultat::Commande2_Click() {
    FermerBilan();
}

// --- teacher mode -----------------------------------------------------------------------------

void resultat::afficherInscription() {
    shell::SharedState& s = shared;
    inscription* registre = ui::find<inscription>();
    const auto choisi = [registre](int p) {
        return registre && p >= 0 && p < registre->Liste3.listCount() &&
               registre->Liste3.selected(p);
    };
    if (SensAvant != 0) {
        for (int p = PositionChoisie + 1; p <= s.DernierChoisi; ++p)
            if (choisi(p)) {
                PositionChoisie = static_cast<shell::Integer>(p);
                break;
            }
    } else {
        for (int p = PositionChoisie - 1; p >= 0; --p)
            if (choisi(p)) {
                PositionChoisie = static_cast<shell::Integer>(p);
                break;
            }
    }
    bool apres = false;
    for (int p = PositionChoisie + 1; p <= s.DernierChoisi && !apres; ++p) apres = choisi(p);
    bool avant = false;
    for (int p = 0; p < PositionChoisie && !avant; ++p) avant = choisi(p);
    Commande1[0].setEnabled(apres);
    Commande1[1].setEnabled(avant);
    SensAvant = apres ? shell::kVrai : shell::kFaux;
    PrecedentDisponible = avant ? shell::kVrai : shell::kFaux;

    const bool place = PositionChoisie >= 0 && PositionChoisie < int(s.CheminsEleves.size());
    s.CheminFichierEleve = place ? s.CheminsEleves[static_cast<std::size_t>(PositionChoisie)] : "";
    s.Prenom = "?";
    s.Nom = "?";
    const bool lu = shell::LireFichierEleve(s.CheminFichierEleve, false) == shell::Issue::Fait;
    ficheLue_ = lu;
    for (int i = 0; i <= 2; ++i) Etiquette2[i].setCaption("");
    Etiquette2[0].setCaption(s.Prenom + "  " + s.Nom);
    if (!lu) s.EtatLecons = formats::noProgress();
    montrerBilan();
    if (!lu) shell::messageFichierAbime();
    if (!ui::isLoaded(this)) return;
    if (apres)
        Commande1[0].setFocus();
    else if (avant)
        Commande1[1].setFocus();
    else
        Commande1[2].setFocus();
}

void resultat::DessinerBilan(records::SurfaceBilan& surface) {
    const shell::SharedState& s = shared;
    const records::StatistiquesBilan statistiques =
        records::calculerStatistiques(s.EtatLecons, s.CritereReussite);
    NombreReussies = static_cast<shell::Integer>(statistiques.reussies);
    NombreTerminees = static_cast<shell::Integer>(statistiques.terminees);
    records::dessinerTableau(surface, statistiques, s.TitresActivites);
}

void resultat::montrerBilan() {
    cls();
    records::EcranBilan ecran(*this, shared.Echelle, kBlanc);
    DessinerBilan(ecran);
    Etiquette2[1].setCaption(std::to_string(NombreReussies));
    Etiquette2[2].setCaption(std::to_string(NombreTerminees));
    Etiquette2[3].setCaption(critere());
}

void resultat::ImprimerBilan(ui::Printer& imprimante, double y) {
    const shell::SharedState& s = shared;
    records::PageBilan page(imprimante, y);
    DessinerBilan(page);
    imprimante.setCurrentY(y);
    imprimante.setCurrentX(0);
    imprimante.tab(15);
    imprimante.print("TAVREL (" + dateDuJour() + ")", false);
    imprimante.tab(100);
    imprimante.print("Groupe " + s.CodeGroupe, false);

    const std::string valeurs[] = {s.Prenom + "  " + s.Nom, std::to_string(NombreReussies),
                                   std::to_string(NombreTerminees), critere()};
    const int colonnes[] = {15, 15, 50, 85};
    for (int i = 0; i < 4; ++i) {
        imprimante.setCurrentY(y + (i == 0 ? kHautNom : kHautComptes) + 800);
        imprimante.setCurrentX(0);
        imprimante.tab(colonnes[i]);
        imprimante.print(Etiquette1[i].caption() + " " + valeurs[i], false);
    }
}

template <class F> void resultat::imprimer(F travail) {
    ui::Printer imprimante;
    records::PoliceImprimante(imprimante, 11, 0);
    records::PoliceImprimante(imprimante, 11, 0);
    travail(imprimante);
    if (!imprimante.endDoc())
        ui::msgBox("Impossible d'imprimer le bilan.", ui::vbExclamation, shared.TitreMessage);
}

void resultat::imprimerCeBilan() {
    if (!ficheLue_) {
        shell::messageFichierAbime();
        return;
    }
    imprimer([this](ui::Printer& p) { ImprimerBilan(p, 350); });
}

void resultat::imprimerTout() {
    shell::SharedState& s = shared;
    // The screen goes on showing its pupil, and the pupil printed alone is that one too.
    const records::ValeursEleve montre = records::ValeursEleve::noter();
    const shell::Integer reussies = NombreReussies;
    const shell::Integer terminees = NombreTerminees;
    if (s.NombreChoisis > 2) {
        for (int i = 0; i <= 5; ++i) Commande1[i].setVisible(false);
        Etiquette3.setCaption(s.FinLigne + "Impression du bilan" + s.FinLigne + "des" +
                              shell::texteNombre(s.NombreChoisis) + " inscriptions choisies");
        Etiquette3.setVisible(true);
        refresh();
    }
    inscription* registre = ui::find<inscription>();
    imprimer([&](ui::Printer& p) {
        int place = 0;
        bool imprime = false;
        for (int i = 0; registre && i <= s.DernierChoisi && i < registre->Liste3.listCount(); ++i) {
            if (!registre->Liste3.selected(i)) continue;
            if (shell::LireFichierEleve(s.CheminsEleves[static_cast<std::size_t>(i)], false) !=
                shell::Issue::Fait)
                continue;
            // A page is started only for a block that goes on it.
            if (place == 0 && imprime) p.newPage();
            ImprimerBilan(p, place * 7800 + 350);
            imprime = true;
            place = 1 - place;
        }
    });
    montre.remettre();
    NombreReussies = reussies;
    NombreTerminees = terminees;
    if (!ui::isLoaded(this)) return;
    Etiquette3.setVisible(false);
    for (int i = 0; i <= 5; ++i) Commande1[i].setVisible(true);
}

void resultat::Commande1_Click(int index) {
    shell::SharedState& s = shared;
    if (modeEleve_) {
        if (index == 0) {
            ActiviteAffichee = static_cast<shell::Integer>((ActiviteAffichee + 1) % kActivites);
            Minuterie1.setEnabled(true);
        } else if (index == 1) {
            ActiviteAffichee =
                static_cast<shell::Integer>((ActiviteAffichee + kActivites - 1) % kActivites);
            Minuterie1.setEnabled(true);
        } else if (index == 2) {
            if (RepriseProposee.empty()) {
                FermerBilan();
                return;
            }
            shell::remettreLeconAuDebut();
            s.PositionReprise = 0;
            s.ListeReprise = RepriseProposee;
            s.ResultatAffiche = 0;
            shell::fermerEcran(shell::Ecran::Bilan);
            shell::LeconSuivante();
        }
        return;
    }

    inscription* registre = ui::find<inscription>();
    switch (index) {
    case 0:
        SensAvant = 1;
        Minuterie1.setEnabled(true);
        break;
    case 1:
        SensAvant = 0;
        Minuterie1.setEnabled(true);
        break;
    case 2:
        shell::fermerEcran(shell::Ecran::Bilan);
        s.ResultatAffiche = 0;
        if (registre) registre->Minuterie1.setEnabled(true);
        break;
    case 3:
        for (int i = 0; registre && i <= s.DernierChoisi && i < registre->Liste3.listCount(); ++i)
            registre->Liste3.setSelected(i, false);
        shell::fermerEcran(shell::Ecran::Bilan);
        s.ResultatAffiche = 0;
        if (registre) registre->Liste3.setFocus();
        break;
    case 4: imprimerCeBilan(); break;
    case 5: imprimerTout(); break;
    default:
        shell::FermerEleve();
        shell::InitialiserGlobales();
        shell::revenirAccueil();
        shell::fermerEcran(shell::Ecran::Inscriptions);
        if (ui::isLoaded(this)) shell::fermerEcran(shell::Ecran::Bilan);
        break;
    }
}

// --- keys -------------------------------------------------------------------------------------

void resultat::Form_KeyDown(int& keyCode, int /*shift*/) {
    const int touche = keyCode;
    // The screen sees every key and no control gets one.
    keyCode = 0;
    if (modeEleve_) {
        if (touche == ' ' && Commande2.visible()) FermerBilan();
        return;
    }
    if (touche == 33 && PrecedentDisponible != 0) {
        SensAvant = 0;
        Minuterie1.setEnabled(true);
    } else if (touche == 34 && SensAvant != 0) {
        SensAvant = 1;
        Minuterie1.setEnabled(true);
    }
}

void resultat::Form_KeyPress(int& keyAscii) {
    const int touche = keyAscii;
    keyAscii = 0;
    if (modeEleve_ && touche == ' ' && Commande2.visible()) FermerBilan();
}

} // namespace records
