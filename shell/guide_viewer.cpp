#include "shell/guide_viewer.h"

#include "platform/cp1252.h"
#include "platform/files.h"
#include "shell/document_layout.h"
#include "shell/routines.h"
#include "shell/screen_openers.h"
#include "shell/shared_state.h"
#include "ui/msgbox.h"
#include "ui/printer.h"
#include "ui/scaling.h"

namespace shell {

namespace {

constexpr const char* kDocuments[2] = {"tavrel.txt", "annexes.txt"};

// The printer as the page layout sees it.
class Imprimante : public shell::SortieImpression {
public:
    Imprimante(ui::Printer& printer, const std::string& police)
        : printer_(printer), police_(police) {}
    void debutPage() override {
        printer_.print("");
        printer_.setFontName(police_);
        printer_.setFontSize(police_ == "Arial" ? 11 : 12);
        printer_.setFontBold(false);
        printer_.setForeColor(ui::kNoir);
    }
    void texte(double x, double y, const std::string& texte) override {
        printer_.setCurrentX(x);
        printer_.setCurrentY(y);
        printer_.print(texte, false);
    }
    double largeur(const std::string& texte) override { return printer_.textWidth(texte); }
    void nouvellePage() override { printer_.newPage(); }
    void fin() override { printer_.endDoc(); }

private:
    ui::Printer& printer_;
    std::string police_;
};

} // namespace

document::document() {
    setMdiChild(true);
    setBorderStyle(ui::vbFixedSingle);
    setControlBox(false);
    setMinButton(false);
    setMaxButton(false);
    setBackColor(ui::kGris);
    // The screens' own area, so that the viewer fits the main window at every size and only its
    // text box scrolls.
    moveForm(0, 0, 9600, 6645);

    Texte1.move(120, 120, 7200, 6405);
    Texte1.setBackColor(ui::kGris);
    Texte1.setVisible(false);

    const ui::Font gras = ui::arial(10.5);
    Label1.move(7500, 240, 1980, 735);
    Label1.setCaption(cp("Cliquer sur le document désiré."));
    Label1.setFont(gras);
    Label1.setBackStyle(ui::vbTransparent);

    const char* options[2] = {"Guide", "Annexes 1 et 2"};
    for (int i = 0; i < 2; ++i) {
        ui::OptionButton& o = Option1.add(i);
        o.move(7500, 1200 + 480 * i, 1980, 375);
        o.setCaption(options[i]);
        o.setFont(gras);
        o.setBackColor(ui::kGris);
        o.GotFocus = [this](int index) { Option1_GotFocus(index); };
    }
    const char* boutons[2] = {"Imprimer", "Quitter"};
    for (int i = 0; i < 2; ++i) {
        ui::CommandButton& b = Commande1.add(i);
        b.move(7620, 5160 + 720 * i, 1740, 495);
        b.setCaption(boutons[i]);
        b.setFont(gras);
        b.Click = [this](int index) { Commande1_Click(index); };
    }
}

void document::Form_Load() {
    moveForm(0, 0);
    ui::scaleForm(*this, shared.Echelle);
    show();
    if (ui::fontAvailable("Arial")) {
        Texte1.setFont(ui::arial(11 * shared.Echelle, false));
    } else if (ui::fontAvailable("Times New Roman")) {
        Texte1.setFont(ui::Font{"Times New Roman", 12 * shared.Echelle, false});
    } else {
        return;
    }
    Texte1.setVisible(true);
    Option1[0].setValue(true);
    Option1[0].setFocus();
}

void document::Option1_GotFocus(int index) {
    Option1[index].setValue(true);
    const std::string chemin = shared.DossierDonnees + kDocuments[index];
    if (const auto contenu = platform::readWholeFile(chemin)) {
        Texte1.setText(*contenu);
    } else {
        ui::msgBox(cp("Le fichier « ") + chemin + cp(" » est absent ou défecteux."));
    }
    Texte1.setFocus();
}

void document::Commande1_Click(int index) {
    if (index == 0) {
        imprimer();
        return;
    }
    shell::revenirAccueil();
    shell::fermerEcran(shell::Ecran::Guide);
}

void document::imprimer() {
    ui::Printer printer;
    // No printer: nothing is printed, and nothing is said.
    if (!printer.ok()) return;
    Imprimante sortie(printer, Texte1.font().name);
    shell::mettreEnPages(Texte1.text(), printer.scaleWidth(), printer.scaleHeight(), sortie);
    Texte1.setFocus();
}

} // namespace shell
