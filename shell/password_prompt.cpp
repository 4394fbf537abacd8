#include "shell/password_prompt.h"

#include "platform/cp1252.h"
#include "shell/routines.h"
#include "shell/screen_openers.h"
#include "shell/shades.h"
#include "shell/shared_state.h"
#include "ui/scaling.h"

namespace shell {

namespace {

using namespace shell::shades;

} // namespace

motpasrep::motpasrep() {
    setMdiChild(true);
    setBorderStyle(ui::vbFixedDialog);
    setControlBox(false);
    setMinButton(false);
    setMaxButton(false);
    setBackColor(kBleuMoyen);
    moveForm(0, 0, 4995, 2400);
    setFont(ui::arial(7.5));

    Etiquette2.move(240, 120, 4575, 495);
    Etiquette2.setCaption(cp("Pour accéder au menu choisi, il faut écrire un mot de passe."));
    Etiquette2.setFont(ui::arial(10.5));
    Etiquette2.setForeColor(kMoutarde);
    Etiquette2.setBackStyle(ui::vbTransparent);

    Etiquette1.move(360, 960, 1935, 375);
    Etiquette1.setCaption("Mot de passe :");
    Etiquette1.setFont(ui::arial(12));
    Etiquette1.setForeColor(ui::kGris);
    Etiquette1.setBackStyle(ui::vbTransparent);

    Texte1.move(2160, 960, 2415, 420);
    Texte1.setFont(ui::arial(12));
    Texte1.setBackColor(ui::kGris);
    Texte1.setPasswordChar("*");
    Texte1.setMaxLength(12);
    Texte1.setTabIndex(0);

    const char* captions[] = {"&OK", "&Annuler"};
    for (int i = 0; i < 2; ++i) {
        ui::CommandButton& b = Commande1.add(i);
        b.move(i == 0 ? 960 : 2880, 1800, 1095, 375);
        b.setCaption(captions[i]);
        b.setFont(ui::arial(10.5));
        b.setTabIndex(i + 1);
        b.Click = [this](int index) { Commande1_Click(index); };
    }
    Commande1[0].setDefault(true);
    Texte1.KeyPress = [this](int, int& keyAscii) { Texte1_KeyPress(keyAscii); };
}

void motpasrep::Form_Load() {
    moveForm(2265 * shared.Echelle, 1620 * shared.Echelle);
    ui::scaleForm(*this, shared.Echelle);
}

void motpasrep::Texte1_KeyPress(int& keyAscii) {
    if (keyAscii == 8) return;
    keyAscii = platform::upper1252(static_cast<unsigned char>(keyAscii & 0xFF));
    const bool chiffre = keyAscii >= '0' && keyAscii <= '9';
    const bool lettre = keyAscii >= 'A' && keyAscii <= 'Z';
    if (!chiffre && !lettre && keyAscii != ':' && keyAscii != '\\') keyAscii = 0;
}

void motpasrep::Commande1_Click(int index) {
    shell::SharedState& s = shared;
    s.NiveauAcces = 0;
    const std::string texte = Texte1.text();
    if (index == 0 && !texte.empty()) {
        if (texte == s.MotDePasseEnseignant) s.NiveauAcces = 1;
        if (texte == s.MotDePasseGestionnaire) s.NiveauAcces = 2;
    }
    shell::fermerEcran(shell::Ecran::DemandeMotDePasse);
    shell::Integer element = static_cast<shell::Integer>(index);
    shell::OuvrirFonctionGestion(s.CodeFonction, element);
}

} // namespace shell
