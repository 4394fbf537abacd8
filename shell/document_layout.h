// How the guide viewer lays a document out on printed pages: its own word wrapping at blanks,
// page breaks (a line starting with "_" forces one and is not printed), tab stops and page
// numbers. The layout speaks to the printer through a small interface, so that it can be tried
// without one.
#pragma once

#include <string>

namespace shell {

class SortieImpression {
public:
    virtual ~SortieImpression() = default;
    // Each page starts here: a carriage return is sent and the font is set.
    virtual void debutPage() = 0;
    virtual void texte(double x, double y, const std::string& texte) = 0;
    virtual double largeur(const std::string& texte) = 0;
    virtual void nouvellePage() = 0;
    virtual void fin() = 0;
};

// Page layout in twips of the printer page.
constexpr double kMargeGauche = 1500;
constexpr double kMargeHaut = 900;
constexpr double kHauteurLigne = 240;
constexpr double kPasTabulation = 1200;

// Prints `texte` (lines ended by carriage return and line feed) on pages `largeurPage` x
// `hauteurPage` twips, from the first page to the end of the document.
void mettreEnPages(std::string texte, double largeurPage, double hauteurPage,
                   SortieImpression& sortie);

} // namespace shell
