// The summary table of the learning report: what it shows of one pupil's progress, worked out
// once, and its drawing on the report's screen or on a printed page.
#pragma once

#include "ui/control.h"
#include "ui/printer.h"
#include "ui/style.h"

#include <array>
#include <string>

namespace records {

// One pupil's progress as the table shows it.
struct StatistiquesBilan {
    // Lessons done among some lessons, and the sum of their scores.
    struct Groupe {
        int faites = 0;
        int somme = 0;
    };
    // An activity's tens of lessons (1-10, 11-20, ... 111-120), and the whole activity.
    struct Activite {
        std::array<Groupe, 12> dizaines{};
        Groupe total;
    };
    std::array<Activite, 12> activites{};
    // Over every activity.
    int terminees = 0;
    int reussies = 0;
};

// The statistics of a progress string (one character per lesson, a digit once it is done) under
// the success criterion setting (0 to 3: a score of 7 minus the setting or more succeeds). A
// string too short for the table counts its missing lessons as never done.
StatistiquesBilan calculerStatistiques(const std::string& etatLecons, int critereReussite);

// A percentage as the table writes it, "62%": the sum of the scores times 12.5, rounded half to
// even, divided by the lessons done, the remainder dropped. Meaningless when nothing was done.
std::string pourcentage(const StatistiquesBilan::Groupe& groupe);

// Where the table is drawn, in twips of its layout.
class SurfaceBilan {
public:
    struct Disposition {
        double gauche;         // the activities' titles
        double haut;           // the column headings
        double colonne;        // a ten's column
        double rangee;         // an activity's row
        double premiereRangee; // the first row, below the top
        double decalageTotal;  // how much further right than their column the totals end
    };

    explicit SurfaceBilan(const Disposition& mise) : disposition(mise) {}
    virtual ~SurfaceBilan() = default;
    SurfaceBilan(const SurfaceBilan&) = delete;
    SurfaceBilan& operator=(const SurfaceBilan&) = delete;

    virtual void trait(double x1, double y1, double x2, double y2) = 0;
    virtual void texte(double x, double y, const std::string& t) = 0;
    // The text ending at x.
    virtual void texteFinissantA(double x, double y, const std::string& t) = 0;

    const Disposition disposition;
};

// The report's own drawing surface: its twips of the design grow with the screen's scale; the text
// takes the screen's font and colour.
class EcranBilan : public SurfaceBilan {
public:
    EcranBilan(ui::Container& ecran, double echelle, ui::Colour couleurTraits);
    void trait(double x1, double y1, double x2, double y2) override;
    void texte(double x, double y, const std::string& t) override;
    void texteFinissantA(double x, double y, const std::string& t) override;

private:
    // `xEcran` is already in the screen's own twips.
    void ecrire(double xEcran, double y, const std::string& t);

    ui::Container& ecran_;
    double echelle_;
    ui::Colour couleurTraits_;
};

// A pupil's printed block, its top at `haut` on the page: the page keeps its twips whatever the
// screen's scale; black lines, the printer's font in size 9.
class PageBilan : public SurfaceBilan {
public:
    PageBilan(ui::Printer& imprimante, double haut);
    void trait(double x1, double y1, double x2, double y2) override;
    void texte(double x, double y, const std::string& t) override;
    void texteFinissantA(double x, double y, const std::string& t) override;

private:
    ui::Printer& imprimante_;
};

// The table of `statistiques` under their column headings, a row per activity with its title.
void dessinerTableau(SurfaceBilan& surface, const StatistiquesBilan& statistiques,
                     const std::array<std::string, 12>& titres);

} // namespace records
