// The shared routines that read and write the program's files. They take few arguments, leave
// what they read in the shared state and say how they ended.
#pragma once

#include "formats/pupil_file.h"
#include "platform/files.h"
#include "shell/shared_state.h"

#include <string>

namespace shell {

// How a file routine ended: done; failed, or the file is not there; the file is there but what it
// holds is damaged.
enum class Issue { Fait, Echec, Abime };

// Lesson catalogue, in DossierDonnees. With NumeroLecon 1..120, reads that lesson of the activity
// into Enregistrement and remembers its position; with NumeroLecon 0, reads the activity's whole
// block. Sets LongueurEnregistrement; Fait or Echec (Enregistrement is then blank).
Issue LireLecon(Integer activite);
// Writes Enregistrement where the last single lesson was read; never creates the catalogue.
Issue EcrireLecon();

// Settings file at `chemin` (CheminParametres, or the same followed by "1" for the copy). A file
// that lacks values is a failed read; the values read before stay.
Issue LireParametres(const std::string& chemin);
Issue EcrireParametres(const std::string& chemin);

// Password and rights file at CheminMotsDePasse. A file that cannot be read leaves all rights "0"
// and no passwords.
Issue LireMotsDePasse();
// Writes the rights and the two passwords (taken without outer blanks) to CheminMotsDePasse and
// then, only when that succeeded, into the shared state (Fait). On failure a message names the
// file and the shared state keeps its old values (Echec).
Issue ecrireMotsDePasse(const std::string& droits, const std::string& enseignant,
                        const std::string& gestionnaire);

// The values a pupil file holds (names, lesson list, progress, counters, retake), as the shared
// state has them, and the same put back into the shared state.
formats::PupilValues valeursEleve();
void rangerValeursEleve(const formats::PupilValues& valeurs);

// CheminFichierEleve = DossierGroupe & the file name made from Prenom and Nom.
void NomFichierEleve();
// Reads a pupil file into the shared state, or with `nomsSeulement` only the names.
// Fait, Echec when it cannot be opened (unknown pupil), Abime; the values read before the damage
// stay, and reinitialiserEleve puts the rest of the pupil back in order.
Issue LireFichierEleve(const std::string& chemin, bool nomsSeulement);
// Whether the pupil file at `chemin` reads whole through the small-file reader, every value in
// its place; the shared state is left alone.
bool fichierEleveEntier(const std::string& chemin);
// Writes the shared state into the pupil file; on failure the user may retry or give up
// (Echec), unless nobody may be asked (SansQuestion: one try, Echec on failure). Nothing to write
// (no file or no names) is Fait.
//
// When another program saved into the same file since this one read it, what this one did not
// change keeps the file's value (each lesson's score, the list and its place, the counters), and
// the shared state takes the values written.
enum QuestionEcriture { AvecQuestion, SansQuestion };
Issue EcrireFichierEleve(const std::string& chemin, QuestionEcriture question = AvecQuestion);

// While the pupil's work is being saved or the program is quitting, a box may wait for an
// answer; no timer may meanwhile lead on to another lesson or sign the pupil out. Held for the
// length of a save, a quit or the summary of the day.
class SauvegardeEnCours {
public:
    SauvegardeEnCours();
    ~SauvegardeEnCours();
    SauvegardeEnCours(const SauvegardeEnCours&) = delete;
    SauvegardeEnCours& operator=(const SauvegardeEnCours&) = delete;
};
bool sauvegardeEnCours();

// After a failed read: the values a pupil file holds go back to those of a new pupil, and nobody
// is signed in. The names and CheminFichierEleve are kept, since the sign-in may go on to
// register the pupil under them.
void reinitialiserEleve();

// Creates every missing level of DossierEleves; levels that exist already are passed over.
void CreerDossierEleves();
// Creates the folder of a group typed as text (DossierEleves & "TAVR#" & two digits) and sets
// DossierGroupe to it followed by "/". An existing folder is reported apart from other failures.
platform::MakeFolderResult creerDossierGroupe(const std::string& texteGroupe);

// Sequence catalogue, in DossierDonnees: TamponSequence = `nombre` bytes from `position`, blanks
// when the catalogue cannot be read.
void LireSequence(Long position, Integer nombre);
// Starts the pupil on his sequence NumeroSequence: counters reset, ListeLecons read from the
// catalogue (left as it is for a pupil who chooses his own lessons).
void ChargerSequenceEleve();

// Deletes the file that `chemin` names, or every file of a folder when it ends with "*.*" or "*";
// Fait or Echec.
Issue DetruireFichier(const std::string& chemin);
// Sorts the first `n` entries of Noms, carrying CheminsEleves along, by character codes.
void TrierNoms(Integer n);

} // namespace shell
