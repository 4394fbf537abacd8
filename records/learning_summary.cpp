#include "records/learning_summary.h"

#include "formats/lesson_scores.h"
#include "platform/numbers.h"

namespace records {

StatistiquesBilan calculerStatistiques(const std::string& etatLecons, int critereReussite) {
    StatistiquesBilan statistiques;
    const formats::LessonScores scores(etatLecons);
    for (int a = 0; a < formats::kActivityCount; ++a) {
        StatistiquesBilan::Activite& activite = statistiques.activites[std::size_t(a)];
        for (int d = 0; d < 12; ++d) {
            StatistiquesBilan::Groupe& dizaine = activite.dizaines[std::size_t(d)];
            for (int i = 0; i < 10; ++i) {
                const char etat = scores.score(a, 10 * d + i + 1);
                if (etat < '0' || etat > '9') continue;
                ++dizaine.faites;
                dizaine.somme += etat - '0';
                ++statistiques.terminees;
                if (formats::LessonScores::passes(etat, critereReussite)) ++statistiques.reussies;
            }
            activite.total.faites += dizaine.faites;
            activite.total.somme += dizaine.somme;
        }
    }
    return statistiques;
}

std::string pourcentage(const StatistiquesBilan::Groupe& groupe) {
    return std::to_string(
               platform::idiv(platform::roundHalfEven(groupe.somme * 12.5), groupe.faites)) +
           "%";
}

// --- surfaces ---------------------------------------------------------------------------------

EcranBilan::EcranBilan(ui::Container& ecran, double echelle, ui::Colour couleurTraits)
    : SurfaceBilan({400, 1000, 450, 255, 1000 + 550, 20}), ecran_(ecran), echelle_(echelle),
      couleurTraits_(couleurTraits) {}

void EcranBilan::trait(double x1, double y1, double x2, double y2) {
    ecran_.line(x1 * echelle_, y1 * echelle_, x2 * echelle_, y2 * echelle_, couleurTraits_);
}

void EcranBilan::texte(double x, double y, const std::string& t) {
    ecrire(x * echelle_, y, t);
}

void EcranBilan::texteFinissantA(double x, double y, const std::string& t) {
    ecrire(x * echelle_ - ecran_.textWidth(t), y, t);
}

void EcranBilan::ecrire(double xEcran, double y, const std::string& t) {
    ecran_.setCurrentX(xEcran);
    ecran_.setCurrentY(y * echelle_);
    ecran_.print(t, false);
}

PageBilan::PageBilan(ui::Printer& imprimante, double haut)
    : SurfaceBilan({1100, haut + 2000, 550, 340, haut + 2000 + 600, 0}), imprimante_(imprimante) {
    // The lines printed around the table take this size too.
    imprimante_.setFontSize(9);
}

void PageBilan::trait(double x1, double y1, double x2, double y2) {
    imprimante_.line(x1, y1, x2, y2);
}

void PageBilan::texte(double x, double y, const std::string& t) {
    imprimante_.setCurrentX(x);
    imprimante_.setCurrentY(y);
    imprimante_.print(t, false);
}

void PageBilan::texteFinissantA(double x, double y, const std::string& t) {
    texte(x - imprimante_.textWidth(t), y, t);
}

// --- the table --------------------------------------------------------------------------------

void dessinerTableau(SurfaceBilan& surface, const StatistiquesBilan& statistiques,
                     const std::array<std::string, 12>& titres) {
    const SurfaceBilan::Disposition& mise = surface.disposition;
    const double L = mise.gauche;
    const double T = mise.haut;
    const double C = mise.colonne;
    const double R = mise.rangee;
    // The column lines end on the line under the last material, the table's end: a few twips
    // further they would reach into the buttons under the table on the screen.
    const double fin = T + 500 + 12 * R;

    for (int c = 0; c <= 12; ++c) surface.trait(L + 2600 + c * C, T, L + 2600 + c * C, fin);
    for (int c = 0; c <= 12; ++c) {
        const int n = 10 * c + 1;
        const double x = L + 2650 + c * C;
        if (c == 12) {
            surface.texte(x - 20, T, "Total");
        } else if (n < 10) {
            surface.texte(x - 20, T, std::to_string(n) + "-" + std::to_string(n + 9));
        } else {
            const std::string blanc = n <= 89 ? " " : "";
            surface.texte(x, T, blanc + std::to_string(n) + "-");
            surface.texte(x, T + 200, blanc + std::to_string(n + 9));
        }
    }
    for (int r = 0; r <= 3; ++r) {
        const double y = T + 500 + 4 * r * R;
        surface.trait(L, y, L + 2650 + 13 * C, y);
    }

    for (int a = 0; a < 12; ++a) {
        const StatistiquesBilan::Activite& activite = statistiques.activites[std::size_t(a)];
        const double y = mise.premiereRangee + a * R;
        surface.texte(L, y, titres[std::size_t(a)]);
        for (int d = 0; d < 12; ++d) {
            const StatistiquesBilan::Groupe& dizaine = activite.dizaines[std::size_t(d)];
            if (dizaine.faites == 0) continue;
            surface.texteFinissantA(L + 2600 + (d + 1) * C, y, pourcentage(dizaine));
        }
        if (activite.total.faites == 0) continue;
        surface.texteFinissantA(L + 2600 + 13 * C + mise.decalageTotal, y,
                                pourcentage(activite.total));
    }
}

} // namespace records
