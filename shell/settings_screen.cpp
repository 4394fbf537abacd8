#include "shell/settings_screen.h"

#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/strings.h"
#include "shell/file_routines.h"
#include "shell/main_window.h"
#include "shell/routines.h"
#include "shell/screen_openers.h"
#include "shell/shared_state.h"
#include "ui/msgbox.h"
#include "ui/scaling.h"

namespace shell {

namespace {

constexpr int kPremiereUtilisation = -99;
using namespace ui::palette;
constexpr int kLongueurComposantMax = 255;

// The frames in the order Enter walks them: criterion, keeping of the choice, immediate
// registration, retake, lessons menu; then the folder box.
struct Question {
    int oui; // the first option of the frame ("Oui", or 7/8 for the criterion)
    int derniere;
};
constexpr Question kQuestions[] = {{2, 5}, {0, 1}, {8, 9}, {11, 12}, {6, 7}};

} // namespace

parametre::parametre() {
    setMdiChild(true);
    moveForm(0, 0, 9600, 6645);
    setBorderStyle(ui::vbBSNone);
    setControlBox(false);
    setBackColor(kGris);
    setFont(ui::arial(10.5, false));

    Etiquette2.move(120, 60, 9360, 330);
    Etiquette2.setFont(ui::arial(10.5));
    Etiquette2.setForeColor(kBleuFonce);
    Etiquette2.setBackStyle(ui::vbTransparent);

    // Design of the six frames: left column criterion, keeping, registration; right column
    // retake, lessons menu, folder.
    struct Dessin {
        int cadre;
        double left, top, width, height, questionHeight;
        const char* titre;
        const char* question;
    };
    const Dessin cadres[] = {
        {0, 120, 420, 4620, 1560, 780, "Critère de réussite des leçons",
         "Une leçon sera considérée comme réussie, si l'élève obtient un résultat  égal ou "
         "supérieur à ..."},
        {6, 120, 2070, 4620, 1800, 1020, "Conservation du choix des leçons",
         "Quand un élève inscrit choisit lui-même ses leçons, le logiciel lui présentera-t-il  "
         "les leçons non terminées lors de la prochaine session de travail?"},
        {3, 120, 3960, 4620, 1560, 780, "L'inscription immédiate",
         "L'utilisateur pourra-t-il créer son fichier en complétant la fiche d'inscription "
         "présentée au départ?"},
        {2, 4860, 420, 4620, 1560, 780, "La reprise des leçons non réussies",
         "Lors de la lecture du bilan d'une activité, l'élève pourra-t-il reprendre les leçons "
         "non réussies?"},
        {1, 4860, 2070, 4620, 2040, 1260, "Le menu «LEÇONS»",
         "Les leçons seront-elles accessibles à partir du menu?  (Si la réponse est négative,  "
         "l'élève inscrit qui doit choisir lui-même ses leçons aura accès au menu «LEÇONS».) "},
        {5, 4860, 4200, 4620, 1500, 540, "Le dossier des fichiers",
         "Les fichiers des élèves sont sauvegardés dans le dossier suivant :"},
    };
    for (const Dessin& d : cadres) {
        ui::Frame& cadre = Cadre.exists(d.cadre) ? Cadre[d.cadre] : Cadre.add(d.cadre);
        cadre.move(d.left, d.top, d.width, d.height);
        cadre.setCaption(cp(d.titre));
        cadre.setFont(ui::arial(10.5));
        cadre.setBackColor(kGris);
        ui::Label& question = Etiquette1.add(d.cadre, cadre);
        question.move(120, 300, d.width - 240, d.questionHeight);
        question.setCaption(cp(d.question));
        question.setFont(ui::arial(10.5, false));
        question.setBackStyle(ui::vbTransparent);
    }

    // The options, each in its frame, on one line under the question.
    struct Choix {
        int option;
        int cadre;
        double left;
        const char* texte;
    };
    const Choix choix[] = {
        {2, 0, 360, "7/8"},   {3, 0, 1380, "6/8"},  {4, 0, 2400, "5/8"}, {5, 0, 3420, "4/8"},
        {0, 6, 1080, "Oui"},  {1, 6, 2760, "Non"},  {8, 3, 1080, "Oui"}, {9, 3, 2760, "Non"},
        {11, 2, 1080, "Oui"}, {12, 2, 2760, "Non"}, {6, 1, 1080, "Oui"}, {7, 1, 2760, "Non"},
    };
    for (const Choix& c : choix) {
        ui::Frame& cadre = Cadre[c.cadre];
        ui::OptionButton& o = option1.add(c.option, cadre);
        const double top = 300 + Etiquette1[c.cadre].height() + 60;
        o.move(c.left, top, 900, 315);
        o.setCaption(c.texte);
        o.setFont(ui::arial(10.5));
        o.setBackColor(kGris);
        o.KeyDown = [this](int i, int& code, int) { option1_KeyDown(i, code); };
    }

    Texte1.move(240, 300 + Etiquette1[5].height() + 90, 4140, 375);
    Texte1.setMaxLength(80);
    Texte1.setFont(ui::arial(9));
    Texte1.setBackColor(kGris);
    Texte1.KeyDown = [this](int, int& code, int) { Texte1_KeyDown(code); };
    Texte1.KeyPress = [this](int, int& k) { Texte1_KeyPress(k); };

    const char* boutons[] = {"&Enregistrer ces paramètres", "&Annuler les modifications"};
    for (int i = 0; i < 2; ++i) {
        ui::CommandButton& b = Commande1.add(i);
        b.move(i == 0 ? 1080 : 5340, 5910, 3180, 495);
        b.setCaption(cp(boutons[i]));
        b.setFont(ui::arial(10.5));
        b.Click = [this](int index) { Commande1_Click(index); };
    }

    // Tab order: the criterion, then Oui and Non of each question, the folder, the buttons.
    int tab = 0;
    for (int o : {2, 3, 4, 5, 0, 1, 8, 9, 11, 12, 6, 7}) option1[o].setTabIndex(tab++);
    Texte1.setTabIndex(tab++);
    Commande1[0].setTabIndex(tab++);
    Commande1[1].setTabIndex(tab++);

    Minuterie1.setInterval(1);
    Minuterie1.setEnabled(true);
    Minuterie1.Tick = [this](int) { Minuterie1_Timer(); };
}

bool parametre::premiereUtilisation() const {
    return shell::shared.CodeFonction == kPremiereUtilisation;
}

void parametre::Form_Load() {
    shell::SharedState& s = shell::shared;
    ui::scaleForm(*this, s.Echelle);
    moveForm(0, 0);
    Etiquette2.setCaption(cp("Dans le guide, la section «modifier les paramètres» précise chacun "
                             "des choix."));
    if (MDI1* m = ui::find<MDI1>()) {
        m->setCaption(cp("TAVREL -- Modifier les paramètres"));
        m->actualiserMenus(premiereUtilisation() ? shell::MomentMenus::PremiereUtilisation
                                                 : shell::MomentMenus::Parametres);
    }
    if (premiereUtilisation())
        Etiquette2.setCaption(
            cp("Les options ci-dessous conviennent à la plupart des utilisateurs du logiciel."));
}

void parametre::Minuterie1_Timer() {
    Minuterie1.setEnabled(false);
    remplir();
}

void parametre::remplir() {
    const shell::SharedState& s = shell::shared;
    Commande1[0].setDefault(false);
    Texte1.setText(s.DossierEleves);
    // A criterion that a damaged settings file left outside 0..3 shows as the usual 5/8.
    const int critere = s.CritereReussite >= 0 && s.CritereReussite <= 3 ? s.CritereReussite : 2;
    option1[critere + 2].setValue(true);
    option1[s.ConserverChoix ? 0 : 1].setValue(true);
    option1[s.SansInscriptionImmediate ? 9 : 8].setValue(true);
    option1[s.RepriseParDefaut ? 11 : 12].setValue(true);
    option1[s.MenuLeconsAccessible ? 6 : 7].setValue(true);
    option1[critere + 2].setFocus();
}

void parametre::Commande1_Click(int index) {
    if (index == 1) {
        Minuterie1.setEnabled(true);
        return;
    }
    enregistrer();
}

std::string parametre::dossierVerifie(const std::string& texte) {
    if (texte.empty() || texte[0] != '/') return "";
    std::string dossier = texte;
    if (dossier.back() != '/') dossier += '/';
    std::size_t debut = 1;
    while (debut < dossier.size()) {
        const std::size_t fin = dossier.find('/', debut);
        const std::size_t longueur = fin - debut;
        if (longueur < 1 || longueur > kLongueurComposantMax) return "";
        debut = fin + 1;
    }
    return dossier;
}

bool parametre::creerDossier(const std::string& dossier) {
    for (std::size_t fin = dossier.find('/', 1); fin != std::string::npos;
         fin = dossier.find('/', fin + 1)) {
        if (platform::makeFolder(dossier.substr(0, fin)) == platform::MakeFolderResult::Failed)
            return false;
    }
    return true;
}

void parametre::enregistrer() {
    shell::SharedState& s = shell::shared;
    const std::string texte = platform::trimmed(Texte1.text());
    std::string dossier = s.DossierEleves;
    bool verifier = premiereUtilisation();
    if (!verifier && texte != s.DossierEleves) {
        const std::string& fl = s.FinLigne;
        const int reponse =
            ui::msgBox(cp("Le nom du dossier où les fichiers des élèves") + fl +
                           cp("seront enregistrés a été modifié.") + fl + fl +
                           cp("Toutes les inscriptions faites antérieurement") + fl +
                           cp("ne pourront plus être utilisées.") + fl + fl +
                           cp("Voulez-vous toujours modifier le dossier") + fl +
                           cp("des fichiers des élèves?"),
                       ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2, s.TitreMessage);
        if (!ui::isLoaded(this)) return;
        verifier = reponse == ui::vbYes;
    }
    if (verifier) {
        dossier = dossierVerifie(texte);
        if (dossier.empty() || !creerDossier(dossier)) {
            ui::msgBox(cp("Impossible de créer le dossier indiqué."), ui::vbExclamation,
                       s.TitreMessage);
            if (!ui::isLoaded(this)) return;
            Texte1.setFocus();
            return;
        }
    }

    // What was in force, should the settings file refuse the new values.
    const shell::SharedState avant = s;
    s.DossierEleves = dossier;
    for (int i = 2; i <= 5; ++i)
        if (option1[i].value()) s.CritereReussite = static_cast<shell::Integer>(i - 2);
    s.ConserverChoix = option1[0].value() ? shell::kVrai : shell::kFaux;
    s.MenuLeconsAccessible = option1[6].value() ? shell::kVrai : shell::kFaux;
    s.RepriseParDefaut = option1[11].value() ? shell::kVrai : shell::kFaux;
    s.SansInscriptionImmediate = option1[9].value() ? shell::kVrai : shell::kFaux;

    s.CheminParametres = s.DossierDonnees + "defaut";
    std::string echec;
    if (shell::EcrireParametres(s.CheminParametres) != shell::Issue::Fait) {
        // Nothing was saved: the settings in force stay those of the file.
        echec = s.CheminParametres;
        s.DossierEleves = avant.DossierEleves;
        s.CritereReussite = avant.CritereReussite;
        s.ConserverChoix = avant.ConserverChoix;
        s.MenuLeconsAccessible = avant.MenuLeconsAccessible;
        s.RepriseParDefaut = avant.RepriseParDefaut;
        s.SansInscriptionImmediate = avant.SansInscriptionImmediate;
    } else {
        if (shell::EcrireParametres(s.CheminParametres + "1") != shell::Issue::Fait)
            echec = s.CheminParametres + "1";
    }
    if (!echec.empty()) {
        ui::msgBox(cp("Impossible d'enregistrer") + s.FinLigne + echec, ui::vbExclamation,
                   s.TitreMessage);
        return;
    }

    // The first use is over once its settings are saved.
    if (premiereUtilisation()) s.CodeFonction = 0;
    if (MDI1* m = ui::find<MDI1>()) m->actualiserMenus(shell::MomentMenus::ParametresEnregistres);
    shell::revenirAccueil();
    shell::fermerEcran(shell::Ecran::Parametres);
}

void parametre::option1_KeyDown(int index, int& keyCode) {
    if (keyCode != 13) return;
    int question = 0;
    for (int q = 0; q < 5; ++q)
        if (index >= kQuestions[q].oui && index <= kQuestions[q].derniere) question = q;
    if (question == 4) {
        Texte1.setFocus();
        return;
    }
    const Question& suivante = kQuestions[question + 1];
    // The selected option of the next question; "Non" when "Oui" is not selected.
    option1[option1[suivante.oui].value() ? suivante.oui : suivante.derniere].setFocus();
}

void parametre::Texte1_KeyDown(int& keyCode) {
    if (keyCode != 13) return;
    keyCode = 0;
    Commande1[0].setFocus();
}

void parametre::Texte1_KeyPress(int& keyAscii) {
    if (keyAscii == 8) return;
    // The settings file separates its values by commas and quotes: neither may be part of the
    // folder, nor may a control character.
    if (keyAscii < 32 || keyAscii == ',' || keyAscii == '"') keyAscii = 0;
}

} // namespace shell
