#include "authoring/sequence_editor.h"

#include "formats/sequence_catalogue.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/strings.h"
#include "shell/file_routines.h"
#include "shell/main_window.h"
#include "shell/routines.h"
#include "shell/screen_openers.h"
#include "shell/shades.h"
#include "ui/msgbox.h"
#include "ui/scaling.h"

#include <cmath>
#include <optional>
#include <utility>

using shell::MDI1;
using shell::shared;

namespace authoring {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isActivityLetter(char c) {
    return c >= 'A' && c <= 'L';
}

} // namespace

std::string lessonText(const std::string& storedList) {
    std::string list = storedList;
    for (char& c : list)
        if (c == '\0') c = ' ';
    list = platform::trimmed(list);
    std::string text;
    for (std::size_t i = 0; i < list.size(); i += 2) {
        text += list[i];
        // A damaged list may end on a letter without its number.
        if (i + 1 < list.size())
            text += std::to_string(static_cast<unsigned char>(list[i + 1]) - 100);
        text += ' ';
    }
    return text;
}

std::string lessonCodes(const std::string& typed) {
    const std::string text = platform::trimmed(typed);
    std::string codes;
    std::size_t i = 0;
    while (i < text.size()) {
        const char letter = text[i];
        if (!isActivityLetter(letter)) {
            ++i;
            continue;
        }
        ++i;
        long number = 0;
        while (i < text.size() && (text[i] == ' ' || isDigit(text[i]))) {
            // Beyond three digits the entry is dropped anyway; the count only has to stay large.
            if (text[i] != ' ' && number <= 1000) number = number * 10 + (text[i] - '0');
            ++i;
        }
        if (number >= 1 && number <= 120) {
            codes += letter;
            codes += static_cast<char>(100 + number);
        }
    }
    return codes;
}

int countedEntries(const std::string& text) {
    int n = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) >= 'A' && isDigit(text[i + 1])) ++n;
    return n;
}

namespace {

using namespace ui::palette;
using namespace shell::shades;
constexpr int kLecons = 1;
constexpr int kTitre = 0;

// The title table exactly as the catalogue holds it, or nothing when it cannot be read; bytes a
// short file does not hold are blanks, as any read gives them.
std::optional<std::string> titresDuCatalogue(const std::string& chemin) {
    if (!platform::fileExists(chemin)) return std::nullopt;
    auto octets = platform::readBytes(chemin, 1, formats::kTitleTableLength);
    if (octets) octets->resize(formats::kTitleTableLength, ' ');
    return octets;
}

} // namespace

sequence::sequence() {
    setMdiChild(true);
    moveForm(0, 0, 9600, 6645);
    setBorderStyle(ui::vbBSNone);
    setControlBox(false);
    setBackColor(kSarcelle);
    setFont(ui::arial(10.5, false));

    Minuterie1.setInterval(1);
    Minuterie1.setEnabled(true);
    Minuterie1.Tick = [this](int) { Minuterie1_Timer(); };

    Forme2.move(120, 120, 1935, 6450);
    Forme2.setBackStyle(ui::vbOpaque);
    Forme2.setBackColor(kGris);
    Forme2.setFillStyle(0);
    Forme2.setFillColor(kGris);

    Etiquette6.setFont(ui::arial(10.5, false));
    Etiquette6.setBackColor(kGris);
    Etiquette6.setAlignment(ui::vbCenter);
    Etiquette6.setWordWrap(true);
    Etiquette6.move(180, 195, 1815, 510);
    Etiquette6.setCaption(cp("Numéro des séquences"));

    Liste1.setFont(ui::arial(10.5, false));
    Liste1.setBackColor(kGris);
    Liste1.move(450, 780, 1275, 5400);
    Liste1.Click = [this](int) { Liste1_Click(); };
    Liste1.Change = [this](int) { Liste1_Change(); };
    Liste1.DblClick = [this](int) { Liste1_DblClick(); };
    Liste1.KeyDown = [this](int, int& k, int) { Liste1_KeyDown(k); };
    Liste1.GotFocus = [this](int) { Liste1_GotFocus(); };

    Commande1.setFont(ui::arial(10.5));
    Commande1.setCaption("&Choisir");
    Commande1.move(360, 6105, 1455, 375);
    Commande1.Click = [this](int) { Commande1_Click(); };

    ui::Shape& fond = Forme1.add(0);
    fond.move(2280, 120, 7200, 1230);
    fond.setBackStyle(ui::vbOpaque);
    fond.setBackColor(kGris);
    fond.setFillStyle(0);
    fond.setFillColor(kGris);

    ui::Label& legende = Etiquette2.add(0);
    legende.setFont(ui::arial(10.5, false));
    legende.setBackStyle(ui::vbTransparent);
    legende.move(2400, 210, 4500, 300);
    for (int i = 1; i <= 2; ++i) {
        ui::Label& l = Etiquette2.add(i);
        l.setFont(ui::arial(10.5));
        l.setBackStyle(ui::vbTransparent);
        l.setForeColor(kBlanc);
    }
    Etiquette2[1].move(2280, 3795, 7200, 300);
    Etiquette2[1].setAlignment(ui::vbRightJustify);
    Etiquette2[2].move(2280, 2190, 7200, 300);
    Etiquette2[2].setCaption(cp("Une séquence peut contenir 400 lecons."));
    Etiquette2[2].setVisible(false);

    ui::TextBox& titre = Texte1.add(kTitre);
    titre.setFont(ui::arial(10.5));
    titre.setBackColor(kGris);
    titre.setMaxLength(formats::kTitleLength);
    titre.move(2400, 585, 4800, 435);
    ui::TextBox& lecons = Texte1.add(kLecons, *this, true);
    lecons.setFont(ui::Font{"Times New Roman", 12});
    lecons.setBackColor(kGris);
    lecons.move(2280, 2520, 7200, 1230);
    lecons.setVisible(false);
    for (int i : {kTitre, kLecons}) {
        ui::TextBox& t = Texte1[i];
        t.Click = [this](int index) { Texte1_Click(index); };
        t.GotFocus = [this](int index) { Texte1_GotFocus(index); };
        t.KeyDown = [this](int index, int& k, int) { Texte1_KeyDown(index, k); };
        t.KeyPress = [this](int index, int& k) { Texte1_KeyPress(index, k); };
        t.Change = [this](int index) { Texte1_Change(index); };
    }

    Etiquette1.setFont(ui::arial(12));
    Etiquette1.setBackStyle(ui::vbTransparent);
    Etiquette1.setForeColor(kBlanc);
    Etiquette1.setWordWrap(true);
    Etiquette1.move(2280, 1440, 7200, 660);
    Etiquette1.setCaption(cp("Après avoir écrit le titre de la séquence, appuyer sur «ENTER»."));
    Etiquette1.setVisible(false);

    Image1.move(120, 4110, 9360, 1500);
    Image1.setBackColor(kBleuMoyen);
    Image1.setForeColor(kBlanc);
    Image1.setFont(ui::arial(9));
    Image1.setVisible(false);

    struct Bouton {
        double left, top, width;
        const char* caption;
    };
    const Bouton boutons[] = {{120, 5700, 3000, "Lire la séquence &suivante"},
                              {3240, 5700, 3000, "Lire la séquence &précédente"},
                              {6360, 5700, 3120, "&Choisir une autre séquence"},
                              {120, 6150, 3000, "S&upprimer  cette séquence"},
                              {3240, 6150, 3000, "&Enregistrer et quitter"},
                              {6360, 6150, 3120, "&Quitter sans enregistrer"}};
    for (int i = 1; i <= 6; ++i) {
        const Bouton& b = boutons[i - 1];
        ui::CommandButton& c = Commande3.add(i);
        c.setCaption(cp(b.caption));
        c.move(b.left, b.top, b.width, 375);
        c.setVisible(i == 6);
        c.Click = [this](int index) { Commande3_Click(index); };
    }
}

std::string sequence::cheminCatalogue() const {
    return shared.DossierDonnees + formats::kSequenceCatalogueName;
}

void sequence::Form_Load() {
    const double e = shared.Echelle;
    // The list's height is set by the chooser; only its place and width follow the screen.
    const double hauteurListe = Liste1.height();
    ui::scaleForm(*this, e);
    Liste1.setHeight(hauteurListe);
    moveForm(0, 0);
    shared.EcranCourant = shell::Ecran::Sequences;
    if (MDI1* m = ui::find<MDI1>()) m->actualiserMenus(shell::MomentMenus::Gestion);
    if (ui::MdiForm* m = ui::mdiParent())
        m->setCaption(cp("Créer ou modifier des séquences de leçons"));
    dessinerLegende();
}

void sequence::dessinerLegende() {
    const double e = shared.Echelle;
    Image1.cls();
    Image1.setCurrentY(shell::aEchelle(10));
    Image1.setCurrentX(Image1.textWidth("0"));
    Image1.print(
        cp("Indiquer la lettre de l'activité suivie immédiatement du numéro de la leçon."));
    for (int k = 0; k < 15; ++k) {
        std::string texte;
        if (k < 12)
            texte = std::string(1, static_cast<char>('A' + k)) + " : " + shared.TitresActivites[k];
        else if (k == 14)
            texte = "(Exemples : A10 B20 C18 D50)";
        if (texte.empty()) continue;
        Image1.setCurrentX(std::round(((k / 5) * 3100 + 150) * e));
        Image1.setCurrentY(std::round(((k % 5) * 230 + 320) * e));
        Image1.print(texte);
    }
}

// --- the chooser

void sequence::Minuterie1_Timer() {
    Minuterie1.setEnabled(false);
    Image1.setVisible(false);
    for (int i = 1; i <= 5; ++i) Commande3[i].setVisible(false);
    Texte1[kLecons].setVisible(false);
    Etiquette2[2].setVisible(false);
    Etiquette2[1].setCaption("");
    Commande1.setVisible(true);
    Forme2.setVisible(true);
    Liste1.setVisible(true);
    Etiquette6.setVisible(true);

    sequenceOuverte_ = false;
    Liste1.clear();
    Liste1.setHeight(shell::aEchelle(5400));
    for (int n = 1; n <= formats::kSequenceCount; ++n) Liste1.addItem(std::to_string(n));
    shell::LireSequence(1, formats::kTitleTableLength);
    TitresSequences = shared.TamponSequence;
    TitresSequences.resize(formats::kTitleTableLength, ' ');

    Commande1.setDefault(true);
    if (Liste1.listIndex() < 0) Liste1.setListIndex(0);
    Liste1.setFocus();
}

void sequence::Liste1_Click() {
    NumeroSequenceEditee = static_cast<shell::Integer>(Liste1.listIndex() + 1);
    AfficherTitreSequence();
}

void sequence::Liste1_Change() {
    Liste1_Click();
}

void sequence::Liste1_DblClick() {
    Liste1_Click();
    OuvrirSequence();
}

void sequence::Liste1_KeyDown(int& keyCode) {
    if (keyCode == 40 && NumeroSequenceEditee < formats::kSequenceCount) {
        ++NumeroSequenceEditee;
        AfficherTitreSequence();
    } else if (keyCode == 38 && NumeroSequenceEditee > 1) {
        --NumeroSequenceEditee;
        AfficherTitreSequence();
    }
}

void sequence::Liste1_GotFocus() {
    for (int i = 1; i <= 5; ++i) Commande3[i].setVisible(false);
    Image1.setVisible(false);
    Liste1_Click();
}

void sequence::Commande1_Click() {
    OuvrirSequence();
}

void sequence::AfficherTitreSequence() {
    const int n = NumeroSequenceEditee;
    if (n < 1 || n > formats::kSequenceCount) return;
    Etiquette2[0].setCaption(cp("Titre de la séquence") + " " + std::to_string(n));
    Texte1[kTitre].setText(formats::titleOf(TitresSequences, n));
}

void sequence::OuvrirSequence() {
    // The chooser's table may be blanks from a read that failed: the sequence opened shows, and
    // keeps when saved, the title the catalogue holds.
    if (auto titres = titresDuCatalogue(cheminCatalogue())) TitresSequences = std::move(*titres);
    // Whatever does not read as a number from 1 to 50, too large ones included, is refused.
    const double valeur = platform::val(Liste1.text());
    const long long arrondi = std::fabs(valeur) < 1e6 ? platform::roundHalfEven(valeur) : 0;
    NumeroSequenceEditee =
        arrondi >= -32768 && arrondi <= 32767 ? static_cast<shell::Integer>(arrondi) : 0;
    AfficherTitreSequence();
    const int n = NumeroSequenceEditee;
    if (n < 1 || n > formats::kSequenceCount) {
        ui::msgBox(cp("Choisir un numéro") + shared.FinLigne + "entre 1 et 50.",
                   ui::vbExclamation + ui::vbOKOnly, shared.TitreMessage);
        if (!ui::isLoaded(this)) return;
        if (Liste1.visible()) Liste1.setFocus();
        return;
    }
    Commande1.setVisible(false);
    Liste1.setVisible(false);
    Forme2.setVisible(false);
    Etiquette6.setVisible(false);
    Texte1[kLecons].setVisible(false);
    Etiquette2[2].setVisible(false);
    Commande1.setDefault(false);
    Etiquette2[1].setCaption("");

    shell::LireSequence(formats::sequenceListPosition(n), formats::kSequenceListLength);
    Texte1[kLecons].setText(authoring::lessonText(shared.TamponSequence));
    Texte1_Change(kLecons);

    for (int i = 1; i <= 5; ++i) {
        Commande3[i].setVisible(true);
        Commande3[i].setEnabled(true);
    }
    if (n <= 30) Commande3[4].setEnabled(false);
    if (n == 1) Commande3[2].setEnabled(false);
    if (n == formats::kSequenceCount) Commande3[1].setEnabled(false);
    sequenceOuverte_ = true;
    Texte1[kTitre].setFocus();
}

// --- editing

void sequence::montrerEdition() {
    for (int i = 1; i <= 5; ++i) Commande3[i].setVisible(true);
    Image1.setVisible(true);
    Texte1[kLecons].setVisible(true);
    Etiquette2[2].setVisible(true);
    Texte1[kLecons].setFocus();
}

void sequence::Texte1_Click(int index) {
    if (Commande1.visible()) {
        OuvrirSequence();
        return;
    }
    if (index == kLecons) Texte1[kLecons].setFocus();
}

void sequence::Texte1_GotFocus(int index) {
    Etiquette1.setVisible(index == kTitre);
}

void sequence::Texte1_KeyDown(int index, int& keyCode) {
    // In the chooser the title box only shows the selected number's title: the lesson box then
    // holds no sequence of that number, and saving it would overwrite the stored list.
    if (!sequenceOuverte_) return;
    if (index == kTitre && (keyCode == 13 || keyCode == 40)) montrerEdition();
}

void sequence::Texte1_KeyPress(int index, int& keyAscii) {
    if (keyAscii == 13) {
        keyAscii = 0;
        return;
    }
    if (index == kTitre || keyAscii == 8) return;
    if (NombreLecons >= 400) {
        keyAscii = 0;
        return;
    }
    const int c = platform::upper1252(static_cast<unsigned char>(keyAscii));
    const bool chiffre = c >= '0' && c <= '9';
    const bool lettre = c >= 'A' && c <= 'L';
    if (!(c == ' ' || chiffre || lettre)) {
        keyAscii = 0;
        return;
    }
    ui::TextBox& boite = Texte1[kLecons];
    const std::string texte = boite.text();
    const int position = boite.selStart();
    if (position <= 0 || position > static_cast<int>(texte.size())) {
        // The list starts with a letter.
        keyAscii = lettre ? c : 0;
        return;
    }
    const char avant = texte[position - 1];
    const bool lettreAvant = avant >= 'A' && avant <= 'L';
    if ((chiffre && avant == ' ') || (lettre && lettreAvant)) {
        keyAscii = 0;
        return;
    }
    keyAscii = c;
}

void sequence::Texte1_Change(int index) {
    if (index != kLecons) return;
    NombreLecons = static_cast<shell::Integer>(authoring::countedEntries(Texte1[kLecons].text()));
    Etiquette2[1].setCaption(NombreLecons > 1 ? cp("Cette séquence compte") + " " +
                                                    std::to_string(NombreLecons) + cp(" leçons.")
                                              : std::string());
}

bool sequence::EnregistrerSequence() {
    const int n = NumeroSequenceEditee;
    if (!sequenceOuverte_ || n < 1 || n > formats::kSequenceCount) return true;
    const std::string chemin = cheminCatalogue();
    // The table is written whole: it is read again just before, so that titles this screen could
    // not read are never written back as blanks. A catalogue that cannot be read is not written.
    const std::optional<std::string> titres = titresDuCatalogue(chemin);
    bool ecrit = false;
    if (titres) {
        TitresSequences = *titres;
        formats::setTitle(TitresSequences, n, Texte1[kTitre].text());
        // Lower case that reached the box another way than typing is kept, as typing would.
        const std::string codes =
            authoring::lessonCodes(platform::upper1252(Texte1[kLecons].text()));
        // A missing catalogue is never created.
        ecrit = formats::writeSequence(chemin, TitresSequences, n, codes);
    }
    if (!ecrit)
        ui::msgBox(cp("Impossible d'enregistrer") + shared.FinLigne + chemin, ui::vbExclamation,
                   shared.TitreMessage);
    return ecrit;
}

void sequence::Commande3_Click(int index) {
    Etiquette1.setVisible(false);
    // After a failed save the screen stays as it is, with everything typed.
    const auto enregistre = [this] { return EnregistrerSequence() && ui::isLoaded(this); };
    switch (index) {
    case 4: {
        const int reponse =
            ui::msgBox(cp("Désirez-vous effacer cette séquence de leçons?"),
                       ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2, shared.TitreMessage);
        if (!ui::isLoaded(this)) return;
        if (reponse == ui::vbYes) {
            const std::string lecons = Texte1[kLecons].text();
            Texte1[kLecons].setText("");
            if (!EnregistrerSequence()) {
                if (!ui::isLoaded(this)) return;
                // The catalogue still holds the list: so does the box.
                Texte1[kLecons].setText(lecons);
            }
            if (!ui::isLoaded(this)) return;
        }
        Texte1[kTitre].setFocus();
        break;
    }
    case 1:
    case 2:
        if (!enregistre()) return;
        NumeroSequenceEditee += index == 1 ? 1 : -1;
        Liste1.setText(" " + std::to_string(NumeroSequenceEditee));
        OuvrirSequence();
        Texte1[kTitre].setFocus();
        break;
    case 3:
        if (!enregistre()) return;
        Minuterie1.setEnabled(true);
        break;
    case 5:
        if (!enregistre()) return;
        fermer();
        break;
    case 6: fermer(); break;
    }
}

void sequence::fermer() {
    shell::revenirAccueil();
    shell::fermerEcran(shell::Ecran::Sequences);
}

} // namespace authoring
