// Routines shared by the registration screen and the learning report: the help box of a list of
// choices and the printer font of the report.
#pragma once

#include "formats/pupil_file.h"
#include "ui/printer.h"

#include <string>

namespace records {

// How to choose in a list and how to take a choice back, with an optional last paragraph:
// nom " nom", pronom "le" give "Pour choisir un nom, le pointer avec la souris...".
void AideChoixListe(const std::string& nom, const std::string& pronom, const std::string& accord,
                    const std::string& complement);

// The printer's font: size, weight (bold when not 0), black, "Arial"; a setting that fails stops
// the others silently.
void PoliceImprimante(ui::Printer& imprimante, int taille, int gras);

// The values of the current pupil that his file holds, set aside while other files are read or
// a change is tried, and put back as they were.
struct ValeursEleve {
    formats::PupilValues valeurs;
    std::string chemin;

    static ValeursEleve noter();
    void remettre() const;
};

} // namespace records
