#include "shell/document_layout.h"

#include "platform/numbers.h"

#include <algorithm>
#include <utility>

namespace shell {
namespace {

constexpr double kMargesLaterales = 3000;
constexpr double kMargeBas = 1700;
constexpr double kPositionNumero = 1300;
// An empty line this close to the last line of a page starts the next page instead.
constexpr double kApprocheBas = 3 * kHauteurLigne;

class MiseEnPages {
public:
    MiseEnPages(std::string texte, double largeur, double hauteur, SortieImpression& sortie)
        : texte_(std::move(texte)), largeur_(largeur), hauteur_(hauteur), sortie_(sortie) {}

    void imprimer() {
        commencerPage();
        const double utile = largeur_ - kMargesLaterales;
        const double dernierY = hauteur_ - kMargeBas;
        for (;;) {
            std::string ligne;
            bool finDeLigne = false;
            bool derniere = false;
            for (std::size_t depuis = 0;;) {
                const std::size_t blanc = texte_.find(' ', depuis);
                const std::size_t fin = texte_.find("\r\n", depuis);
                if (fin != std::string::npos && (blanc == std::string::npos || fin < blanc)) {
                    std::string candidat = texte_.substr(0, fin);
                    if (!ligne.empty() && sortie_.largeur(candidat) >= utile) break;
                    ligne = std::move(candidat);
                    finDeLigne = true;
                    break;
                }
                if (blanc == std::string::npos) {
                    derniere = true;
                    break;
                }
                std::string candidat = texte_.substr(0, blanc + 1);
                if (sortie_.largeur(candidat) < utile) {
                    ligne = std::move(candidat);
                    depuis = blanc + 1;
                    continue;
                }
                // A word wider than the page goes alone on its line, past the right margin, so
                // that the text always moves on.
                if (ligne.empty()) ligne = std::move(candidat);
                break;
            }
            if (derniere) {
                sortie_.texte(kMargeGauche, y_, texte_);
                quitterPage();
                sortie_.fin();
                return;
            }

            const std::size_t debut = ligne.find_first_not_of(' ');
            const bool vide = debut == std::string::npos;
            // Only a line of the file that starts with "_" asks for a new page; a wrapped line
            // that happens to start with one is text like any other.
            if (!vide && ligne[debut] == '_' && debutDeLigne_) {
                retirerMarque();
                sautDePage();
                continue;
            }
            const bool enBas = y_ > dernierY || (vide && y_ > dernierY - kApprocheBas);
            if (enBas && y_ > kMargeHaut) {
                sautDePage();
                continue;
            }
            retirer(ligne, finDeLigne);
            if (vide && page_ >= 2 && y_ == kMargeHaut) continue;
            imprimerLigne(ligne);
            y_ += kHauteurLigne;
        }
    }

private:
    void commencerPage() {
        sortie_.debutPage();
        y_ = kMargeHaut;
    }
    // The number of a page is printed from page 2 on, when the page is left.
    void quitterPage() {
        if (page_ < 2) return;
        const double x =
            static_cast<double>(platform::idiv(static_cast<long long>(largeur_), 2)) - 100;
        sortie_.texte(x, hauteur_ - kPositionNumero, " " + std::to_string(page_));
    }
    void sautDePage() {
        quitterPage();
        sortie_.nouvellePage();
        ++page_;
        commencerPage();
    }
    // After a line end the next line keeps its indentation; after a blank it starts at a word.
    void retirer(const std::string& ligne, bool finDeLigne) {
        texte_.erase(0, ligne.size());
        if (finDeLigne) {
            texte_.erase(0, 2);
        } else {
            texte_.erase(0, std::min(texte_.find_first_not_of(' '), texte_.size()));
        }
        debutDeLigne_ = finDeLigne;
    }
    // The page-break mark is the blanks and "_" that begin the line of the file: a line of
    // nothing else goes with its line end, and any word after the mark starts the new page.
    void retirerMarque() {
        const std::size_t fin = std::min(texte_.find("\r\n"), texte_.size());
        const std::size_t reste = std::min(texte_.find_first_not_of(" _"), fin);
        const bool seule = texte_.find_first_not_of(' ', reste) >= fin;
        texte_.erase(0, seule ? std::min(fin + 2, texte_.size()) : reste);
        debutDeLigne_ = true;
    }
    void imprimerLigne(const std::string& ligne) {
        if (ligne.find('\t') == std::string::npos) {
            sortie_.texte(kMargeGauche, y_, ligne);
            return;
        }
        double x = kMargeGauche;
        for (char c : ligne) {
            if (c == '\t') {
                const long long arret = static_cast<long long>((x - kMargeGauche) / kPasTabulation);
                x = kMargeGauche + kPasTabulation * static_cast<double>(arret + 1);
                continue;
            }
            const std::string caractere(1, c);
            sortie_.texte(x, y_, caractere);
            x += sortie_.largeur(caractere);
        }
    }

    std::string texte_;
    double largeur_;
    double hauteur_;
    SortieImpression& sortie_;
    int page_ = 1;
    double y_ = kMargeHaut;
    // Whether the text still to print starts a line of the file.
    bool debutDeLigne_ = true;
};

} // namespace

void mettreEnPages(std::string texte, double largeurPage, double hauteurPage,
                   SortieImpression& sortie) {
    MiseEnPages(std::move(texte), largeurPage, hauteurPage, sortie).imprimer();
}

} // namespace shell
