#include "shell/passwords_screen.h"

#include "formats/passwords.h"
#include "platform/cp1252.h"
#include "platform/numbers.h"
#include "platform/strings.h"
#include "shell/file_routines.h"
#include "shell/main_window.h"
#include "shell/routines.h"
#include "shell/screen_openers.h"
#include "shell/shades.h"
#include "shell/shared_state.h"
#include "ui/msgbox.h"
#include "ui/scaling.h"

namespace shell {

namespace {

constexpr int kRangees = 7;
using namespace ui::palette;
using namespace shell::shades;

std::string lignes(std::initializer_list<const char*> textes) {
    std::string out;
    bool premiere = true;
    for (const char* t : textes) {
        if (!premiere) out += shared.FinLigne;
        out += cp(t);
        premiere = false;
    }
    return out;
}

} // namespace

motpasse::motpasse() {
    setMdiChild(true);
    setBorderStyle(ui::vbBSNone);
    setControlBox(false);
    setBackColor(kSarcelle);
    moveForm(0, 0, 9600, 6645);

    Forme1.move(120, 120, 6840, 375);
    Forme1.setBackStyle(ui::vbOpaque);
    Forme1.setBackColor(kNoir);
    Forme1.setFillStyle(0);
    Forme1.setFillColor(kNoir);

    const char* menus[kRangees] = {" Inscrire des utilisateurs", " Supprimer des inscriptions",
                                   " Modifier des inscriptions", " Afficher des inscriptions",
                                   " Modifier les paramètres",   " Modifier ou créer une leçon",
                                   " Créer séquence de leçons"};
    // The columns of a row: its three choices, and the headings over the menus and the choices.
    struct Colonne {
        double left, width;
        const char* caption;
    };
    const Colonne choix[3] = {
        {2520, 1000, "Tous"}, {3600, 1440, "Enseignant"}, {5160, 1560, "Gestionnaire"}};
    for (int r = 0; r < kRangees; ++r) {
        ui::PictureBox& panneau = Image1.add(r);
        panneau.move(120, 600 + 480 * r, 6840, 420);
        panneau.setBorderStyle(0);
        panneau.setBackColor(kGris);
        ui::Label& menu = Etiquette1.add(r, panneau);
        menu.move(0, 0, 2400, 420);
        menu.setCaption(cp(menus[r]));
        menu.setFont(ui::arial(9, false));
        menu.setForeColor(kTurquoise);
        menu.setBackColor(kBleuFonce);
        for (int k = 0; k < 3; ++k) {
            ui::OptionButton& o = Option1.add(3 * r + k, panneau);
            o.move(choix[k].left, 60, choix[k].width, 300);
            o.setCaption(choix[k].caption);
            o.setFont(ui::arial(9.75, false));
            o.setBackColor(kGris);
            o.setTabIndex(3 * r + k);
            o.GotFocus = [this](int) { Option1_GotFocus(); };
            o.KeyDown = [this](int i, int& keyCode, int) { Option1_KeyDown(i, keyCode); };
        }
    }
    const Colonne entetes[2] = {{120, 2400, "Menus du gestionnaire"},
                                {2520, 4440, "Accessibilité"}};
    for (int i = 0; i < 2; ++i) {
        ui::Label& l = Etiquette1.add(7 + i);
        l.move(entetes[i].left, 165, entetes[i].width, 300);
        l.setCaption(cp(entetes[i].caption));
        l.setFont(ui::arial(10.5));
        l.setForeColor(kGris);
        l.setBackStyle(ui::vbTransparent);
        l.setAlignment(ui::vbCenter);
    }

    const char* motsDePasse[2] = {"Mot de passe de l'enseignant :",
                                  "Mot de passe du gestionnaire :"};
    for (int i = 0; i < 2; ++i) {
        ui::Label& l = Etiquette3.add(i);
        l.move(120, 4140 + 600 * i, 3480, 375);
        l.setCaption(motsDePasse[i]);
        l.setFont(ui::arial(10.5));
        l.setAlignment(ui::vbRightJustify);
        l.setBackStyle(ui::vbTransparent);
        ui::TextBox& t = Texte1.add(i);
        t.move(3720, 4080 + 600 * i, 2280, 420);
        t.setMaxLength(12);
        t.setFont(ui::arial(10.5));
        t.setBackColor(kGris);
        t.setTabIndex(3 * kRangees + i);
        t.GotFocus = [this](int) { Texte1_GotFocus(); };
        t.KeyDown = [this](int index, int& keyCode, int) { Texte1_KeyDown(index, keyCode); };
        t.KeyPress = [this](int, int& keyAscii) { Texte1_KeyPress(keyAscii); };
    }

    Etiquette4.move(7080, 120, 2400, 6300);
    Etiquette4.setFont(ui::arial(10.5, false));
    Etiquette4.setBackStyle(ui::vbTransparent);
    Etiquette4.setForeColor(kBlanc);

    const char* boutons[2] = {"&Enregistrer ces données", "&Annuler les modifications"};
    for (int i = 0; i < 2; ++i) {
        ui::CommandButton& b = Commande1.add(i);
        b.move(120 + 3240 * i, 5580, 3000, 495);
        b.setCaption(cp(boutons[i]));
        b.setFont(ui::arial(10.5));
        b.setTabIndex(3 * kRangees + 2 + i);
        b.Click = [this](int index) { Commande1_Click(index); };
    }

    Minuterie1.setInterval(1);
    Minuterie1.setEnabled(false);
    Minuterie1.Tick = [this](int) { Minuterie1_Timer(); };
}

void motpasse::Form_Load() {
    setScaleWidth(12362);
    setScaleHeight(6645);
    moveForm(0, 0);
    ui::scaleForm(*this, shared.Echelle);
    fenetrePrincipale().setCaption("TAVREL  -- Modifier le mot de passe");
    Minuterie1.setEnabled(true);
}

void motpasse::Minuterie1_Timer() {
    Minuterie1.setEnabled(false);
    Commande1[0].setDefault(false);
    for (int r = 0; r < kRangees; ++r) {
        int d = shell::droitDuMenu(r + 1);
        if (d < 0 || d > 2) d = 0;
        Option1[3 * r + d].setValue(true);
    }
    Texte1[0].setText(shared.MotDePasseEnseignant);
    Texte1[1].setText(shared.MotDePasseGestionnaire);
    focusSurLaRangee(0);
}

int motpasse::choixDeLaRangee(int r) {
    for (int k = 0; k < 3; ++k)
        if (Option1[3 * r + k].value()) return k;
    return -1;
}

void motpasse::focusSurLaRangee(int r) {
    const int k = choixDeLaRangee(r);
    Option1[3 * r + (k < 0 ? 0 : k)].setFocus();
}

void motpasse::Commande1_Click(int index) {
    if (index == 1) {
        Minuterie1.setEnabled(true);
        return;
    }
    enregistrer();
}

void motpasse::enregistrer() {
    shell::SharedState& s = shared;
    std::string droits = formats::normaliseRights(s.DroitsMenus);
    bool enseignant = false;
    bool gestionnaire = false;
    for (int r = 0; r < kRangees; ++r) {
        const int k = choixDeLaRangee(r);
        droits[static_cast<std::size_t>(r)] = static_cast<char>('0' + (k < 0 ? 0 : k));
        enseignant = enseignant || k == 1;
        gestionnaire = gestionnaire || k == 2;
    }
    const std::string motEnseignant = platform::trimmed(Texte1[0].text());
    const std::string motGestionnaire = platform::trimmed(Texte1[1].text());
    if (enseignant && motEnseignant.empty()) {
        ui::msgBox(cp("Comme certains menus sont réservés ") + cp("à ") + "l'enseignant" + ", " +
                       cp("il faut écrire un mot de passe pour ") + "l'enseignant" + ".",
                   ui::vbExclamation, s.TitreMessage);
        Texte1[0].setFocus();
        return;
    }
    if (gestionnaire && motGestionnaire.empty()) {
        ui::msgBox(cp("Comme certains menus sont réservés ") + "au " + "gestionnaire" + ", " +
                       cp("il faut écrire un mot de passe pour ") + "le " + "gestionnaire" + ".",
                   ui::vbExclamation, s.TitreMessage);
        Texte1[1].setFocus();
        return;
    }
    // On failure the routine has said so and nothing changed; the screen closes all the same.
    shell::ecrireMotsDePasse(droits, motEnseignant, motGestionnaire);
    shell::revenirAccueil();
    shell::fermerEcran(shell::Ecran::MotsDePasse);
}

void motpasse::Option1_GotFocus() {
    Etiquette4.setCaption(lignes(
        {"Indiquer le groupe qui pourra utiliser chaque menu.", "",
         "Choisir «Tous» si vous désirez que tous puissent avoir accès à ce menu (sans mot de "
         "passe).",
         "",
         "Choisir «Enseignant» si vous désirez que l'enseignant puisse utiliser ce menu après "
         "avoir écrit son mot de passe.",
         "",
         "Choisir «Gestionnaire» si vous désirez que seulement le gestionnaire des ordinateurs ait "
         "accès à ce menu après avoir écrit son mot de passe."}));
}

void motpasse::Texte1_GotFocus() {
    Etiquette4.setCaption(
        lignes({"", "", "",
                "Écrire le mot de passe de l'enseignant et du gestionnaire des "
                "ordinateurs si c'est nécessaire.",
                "", "Chaque mot de passe peut compter jusqu'à douze caractères.", "",
                "Les caractères possibles sont les lettres non accentuées et les "
                "chiffres."}));
}

void motpasse::Option1_KeyDown(int index, int& keyCode) {
    if (keyCode != 13) return;
    keyCode = 0;
    const int r = index / 3;
    if (r + 1 < kRangees)
        focusSurLaRangee(r + 1);
    else
        Texte1[0].setFocus();
}

void motpasse::Texte1_KeyDown(int index, int& keyCode) {
    if (keyCode != 13) return;
    keyCode = 0;
    if (index == 0)
        Texte1[1].setFocus();
    else
        Commande1[0].setFocus();
}

void motpasse::Texte1_KeyPress(int& keyAscii) {
    if (keyAscii == 8) return;
    keyAscii = platform::upper1252(static_cast<unsigned char>(keyAscii & 0xFF));
    const bool refuse = keyAscii < '0' || (keyAscii > 'Z' && keyAscii != '\\') ||
                        (keyAscii > '9' && keyAscii < 'A' && keyAscii != ':');
    if (refuse) keyAscii = 0;
}

} // namespace shell
