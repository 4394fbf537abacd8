#include "authoring/lesson_editor.h"

#include "assets/pictures.h"
#include "formats/lesson_catalogue.h"
#include "formats/lesson_record.h"
#include "platform/cp1252.h"
#include "platform/numbers.h"
#include "shell/file_routines.h"
#include "shell/main_window.h"
#include "shell/routines.h"
#include "shell/screen_openers.h"
#include "shell/shades.h"
#include "shell/shared_state.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"
#include "ui/scaling.h"

using formats::Kind;
using shell::MDI1;
using shell::shared;

namespace authoring {

namespace {

using namespace ui::palette;
using namespace shell::shades;

void captionPrincipale(const std::string& texte) {
    if (ui::MdiForm* m = ui::mdiParent()) m->setCaption(texte);
}

} // namespace

feuille20::feuille20() {
    setMdiChild(true);
    moveForm(0, 0, 9600, 6645);
    setBorderStyle(ui::vbFixedSingle);
    setControlBox(false);
    setBackColor(kGris);
    setFont(ui::arial(12));
    designChooser();
    designSetsTemplates();
    designTreeTemplates();
    designTableTemplates();
}

void feuille20::designChooser() {
    Minuterie1.setInterval(1);
    Minuterie1.setEnabled(true);
    Minuterie1.Tick = [this](int) { Minuterie1_Timer(); };

    // The panel's blue is painted on the screen's surface, under the numbers the chooser writes
    // there; the shape itself only outlines it.
    Forme5.move(120, 960, 9255, 3975);
    Forme5.setShape(ui::vbShapeRectangle);
    Forme5.setBorderColor(kBleuMoyen);

    Etiquette5.setFont(ui::arial(12));
    Etiquette5.setForeColor(kBlanc);
    Etiquette5.setBackColor(kRouge);
    Etiquette5.setBorderStyle(1);
    Etiquette5.move(3000, 720, 3600, 300);
    Etiquette5.setAutoSize(true);
    Etiquette5.setCaption(cp(" Liste  des leçons déjà créées "));

    Etiquette4.setFont(ui::arial(10.5));
    Etiquette4.setForeColor(kBlanc);
    Etiquette4.setBackStyle(ui::vbTransparent);
    Etiquette4.move(350, 4380, 3900, 300);
    Etiquette4.setAutoSize(true);
    Etiquette4.setCaption(cp("Numéro de la leçon choisie (1 à 120) :"));

    texte1.setFont(ui::arial(10.5));
    texte1.setBackColor(kGris);
    texte1.setMaxLength(3);
    texte1.move(4320, 4360, 735, 360);
    texte1.KeyPress = [this](int, int& k) { texte1_KeyPress(k); };

    commande3.setFont(ui::arial(7.5));
    commande3.setCaption("&OK");
    commande3.move(5220, 4380, 615, 345);
    commande3.Click = [this](int) { commande3_Click(); };

    Commande2.setFont(ui::arial(10.5));
    Commande2.setCaption("&Quitter");
    Commande2.move(8280, 4380, 1095, 375);
    Commande2.Click = [this](int) { Commande2_Click(); };

    struct Bouton {
        double left, width;
        const char* caption;
    };
    const Bouton boutons[] = {{240, 1095, "&Vérifier"},
                              {1440, 2655, "&Choisir une autre leçon"},
                              {4200, 2295, "&Enregistrer et quitter"},
                              {6600, 2655, "&Quitter sans enregistrer"}};
    for (int i = 0; i < 4; ++i) {
        ui::CommandButton& b = Commande1.add(i);
        b.setFont(ui::arial(9.75));
        b.setCaption(cp(boutons[i].caption));
        b.move(boutons[i].left, 6120, boutons[i].width, 375);
        b.setVisible(false);
        b.Click = [this](int index) { Commande1_Click(index); };
    }

    // The template's instructions in blue, what the check finds in red.
    struct Message {
        ui::Label* etiquette;
        ui::Colour couleur;
    };
    for (const Message& m : {Message{&Etiquette2, kBleuMoyen}, Message{&Etiquette3, kRouge}}) {
        m.etiquette->setFont(ui::arial(9.75));
        m.etiquette->setForeColor(m.couleur);
        m.etiquette->setBackStyle(ui::vbTransparent);
        m.etiquette->setWordWrap(true);
        m.etiquette->setVisible(false);
    }

    ui::Label& item = Label1.add(0);
    item.setFont(ui::arial(12));
    item.setForeColor(kRouge);
    item.setBackStyle(ui::vbTransparent);
    item.move(240, 960, 975, 375);
    item.setVisible(false);
}

void feuille20::Form_Load() {
    const double e = shared.Echelle;
    ui::scaleForm(*this, e);
    for (ui::ControlArray<ui::Line>* lignes : {&Line1, &Line2, &Line3}) {
        ui::Line& modele = (*lignes)[0];
        modele.setBorderWidth(int(platform::roundHalfEven(modele.borderWidth() * e)));
    }
    moveForm(0, 0);
    shared.EcranCourant = shell::Ecran::EditeurLecons;
    // The home screen gives the menus back when it loads.
    if (MDI1* m = ui::find<MDI1>()) m->actualiserMenus(shell::MomentMenus::Gestion);
    activite_ = shared.ActiviteEditee;
    if (activite_ < 0 || activite_ >= formats::kActivityCount) activite_ = 0;
    switch (formats::kindOf(activite_)) {
    case Kind::Sets: construireEnsembles(); break;
    case Kind::Tree: construireArbre(); break;
    case Kind::Table:
    case Kind::Grid: construireTableau(); break;
    }
}

// --- the chooser

void feuille20::Minuterie1_Timer() {
    Etiquette2.setVisible(false);
    Etiquette3.setVisible(false);
    Minuterie1.setEnabled(false);
    captionPrincipale(cp("Créer ou modifier une leçon de l'activité « ") +
                      shared.TitresActivites[activite_] + cp(" »"));
    for (int i = 0; i < 4; ++i) Commande1[i].setVisible(false);
    cacherChamps();
    Etiquette4.setVisible(true);
    Etiquette5.setVisible(true);
    Forme5.setVisible(true);
    texte1.setVisible(true);
    Commande2.setVisible(true);
    commande3.setVisible(true);
    listerLecons();
    texte1.setFocus();
    Commande2.setEnabled(true);
    commande3.setEnabled(true);
    commande3.setDefault(true);
}

void feuille20::listerLecons() {
    shared.NumeroLecon = 0;
    shell::LireLecon(static_cast<shell::Integer>(activite_));
    const double e = shared.Echelle;
    cls();
    line(Forme5.left(), Forme5.top(), Forme5.left() + Forme5.width(),
         Forme5.top() + Forme5.height(), kBleuMoyen, Box::Filled);
    setFontSize(12 * e);
    setForeColor(kGris);
    texte1.setText("");
    const std::size_t longueur = shared.LongueurEnregistrement > 0
                                     ? static_cast<std::size_t>(shared.LongueurEnregistrement)
                                     : formats::recordLayout(activite_).recordLength;
    int k = 0;
    for (int n = 1; n <= formats::kLessonsPerActivity; ++n) {
        const std::size_t debut = (n - 1) * longueur;
        const std::string lecon = debut < shared.Enregistrement.size()
                                      ? shared.Enregistrement.substr(debut, longueur)
                                      : std::string();
        if (formats::isBlankRecord(lecon)) continue;
        setCurrentX(shell::aEchelle(300 + (k % 15) * 610));
        setCurrentY(shell::aEchelle(1260 + (k / 15) * 380));
        print((n < 10 ? " " : "") + std::to_string(n));
        ++k;
    }
}

void feuille20::texte1_KeyPress(int& keyAscii) {
    if (keyAscii != 8 && (keyAscii < '0' || keyAscii > '9')) keyAscii = 0;
}

void feuille20::commande3_Click() {
    const shell::Integer numero = platform::toInteger(platform::val(texte1.text()));
    if (numero < 1 || numero > formats::kLessonsPerActivity) {
        ui::msgBox(cp("Écrire un nombre entre 1 et 120."), ui::vbExclamation, shared.TitreMessage);
        if (!ui::isLoaded(this)) return;
        texte1.setFocus();
        return;
    }
    shared.NumeroLecon = numero;
    if (ui::MdiForm* m = ui::mdiParent())
        m->setCaption(m->caption() + cp("  --  leçon") + " " + std::to_string(numero));
    texte1.setVisible(false);
    Commande2.setVisible(false);
    commande3.setVisible(false);
    commande3.setDefault(false);
    Etiquette4.setVisible(false);
    Etiquette5.setVisible(false);
    Forme5.setVisible(false);
    // The numbers of the chooser went with its panel.
    cls();
    Etiquette3.setCaption("");
    shell::LireLecon(static_cast<shell::Integer>(activite_));
    const authoring::LessonFields lecon =
        authoring::fieldsFromRecord(activite_, shared.Enregistrement);
    switch (formats::kindOf(activite_)) {
    case Kind::Sets: ouvrirEnsembles(lecon); break;
    case Kind::Tree: ouvrirArbre(lecon); break;
    case Kind::Table:
    case Kind::Grid: ouvrirTableau(lecon); break;
    }
    Etiquette2.setVisible(true);
    Etiquette3.setVisible(true);
    for (int i = 0; i < 4; ++i) Commande1[i].setVisible(true);
}

// --- checking and saving

authoring::LessonFields feuille20::champs() {
    authoring::LessonFields f;
    f.activity = activite_;
    switch (formats::kindOf(activite_)) {
    case Kind::Sets: f.options[0] = Check1.value() == 1; break;
    case Kind::Tree: f.options[0] = Option1[0].value(); break;
    case Kind::Table:
    case Kind::Grid:
        f.options[0] = Option2[0].value();
        f.options[1] = Option2[2].value();
        break;
    }
    const int items = authoring::itemCount(activite_);
    const int parItem = authoring::fieldsPerItem(activite_);
    f.texts.assign(items, std::vector<std::string>(parItem));
    ui::ControlArray<ui::TextBox>& liste = champsDuGenre();
    for (int i = 0; i < items; ++i)
        for (int k = 0; k < parItem; ++k)
            f.texts[i][k] = authoring::trimmed(liste[indexChamp(i, k)].text());
    return f;
}

void feuille20::VerifierLecon() {
    const authoring::LessonCheck resultat = authoring::checkFields(champs());
    shared.Enregistrement = resultat.record;
    if (!resultat.valid) {
        shared.LeconInvalide = 1;
        Etiquette3.setCaption("");
        ui::msgBox(resultat.message, ui::vbOKOnly);
        if (!ui::isLoaded(this)) return;
        const int fautif = indexChamp(resultat.item - 1, resultat.field);
        champsDuGenre()[fautif].setFocus();
        if (!laisserPasserFocus()) return;
        // The field may have had the focus all along, or get it only once its window is active
        // again after the message: either way no focus event of its own comes now.
        Champ_GotFocus(fautif);
        return;
    }
    shared.LeconInvalide = 0;
    Commande1[1].setFocus();
    // The field left for the button empties the help line when it loses the focus: the result
    // is written after that, or the first check would show nothing.
    if (!laisserPasserFocus()) return;
    Etiquette3.setCaption(cp("Toutes exigences sont respectées."));
}

bool feuille20::laisserPasserFocus() {
    ui::yield();
    return ui::isLoaded(this);
}

bool feuille20::enregistrerLecon() {
    if (shell::EcrireLecon() == shell::Issue::Fait) return true;
    ui::msgBox(cp("Impossible d'enregistrer") + shared.FinLigne + shared.DossierDonnees +
                   formats::kLessonCatalogueName,
               ui::vbExclamation, shared.TitreMessage);
    return false;
}

void feuille20::Commande1_Click(int index) {
    switch (index) {
    case 0: VerifierLecon(); break;
    case 1:
    case 2:
        // An invalid lesson, or one the catalogue did not take, stays on the form as typed.
        VerifierLecon();
        if (!ui::isLoaded(this) || shared.LeconInvalide == 1) return;
        if (!enregistrerLecon() || !ui::isLoaded(this)) return;
        if (index == 1)
            Minuterie1.setEnabled(true);
        else
            FermerEditeur();
        break;
    case 3: FermerEditeur(); break;
    }
}

void feuille20::Commande2_Click() {
    FermerEditeur();
}

void feuille20::FermerEditeur() {
    shell::revenirAccueil();
    shell::fermerEcran(shell::Ecran::EditeurLecons);
}

} // namespace authoring
