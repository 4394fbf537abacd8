// Shared routines of the shell that the screens call: the next lesson of a list, signing a pupil
// out, closing the pupil's screens, quitting, and the main window's caption, total line, report
// menu and help of the lesson choice.
#pragma once

#include "shell/shared_state.h"

#include <string>

namespace shell {

// Plays the next lesson of the retake list, or else of the pupil's list, passing over invalid
// codes, lessons last done with 8 out of 8 and lessons the catalogue does not hold. When both
// lists are used up (or the catalogue cannot be read): writes the pupil's file, tells him and
// brings the home screen back. The home screen that called hears of it (AccueilRevenu): it is
// closing, and the screen that came back must be brought back once more.
enum class SuiteLecon { Rien, AccueilRevenu };
SuiteLecon LeconSuivante();
// Ends the pupil's lesson work; a pupil who follows a sequence (or nobody) is signed out.
void FermerEleve();
// Unloads every screen of pupil work: report, lesson choice, players, reward screen.
void FermerActivites();
// Writes the pupil's file, shows the day's summary, puts the display back and ends the program.
// Under tests the end returns: callers return at once after it.
void QuitterLogiciel();
// The system stops the program (shutdown, session closed): the pupil's file is written as at a
// quit, but nobody is there to answer a box, so nothing is asked or shown; then the display is
// put back and the program ends.
void arreterLogiciel();
// The summary of the lessons finished since the totals were last cleared; clears them.
void AfficherBilanDuJour();
// Shows on the main window's total line how many different lessons the pupil has done, and
// hides the line when there are none.
void AfficherTotalLecons();
// How the main window's caption names the pupil: his first name, or the program's name when the
// first name has a single letter.
std::string nomEnTitre(const std::string& prenom);
// Main window caption: the pupil's first name (or the program's), the activity and the lesson.
void AfficherTitreLecon(const std::string& titre);
// MenuBilanActif and the "&Bilan" menu follow whether the pupil has done any lesson.
void ActiverMenuBilan();
// The signed-in pupil's values changed under the screens (a save took in what another program
// had saved): the total line, the report menu and the name in the caption, made from the first
// name `prenomAvant`, follow the values held now. Nothing is made when there is no main window.
void suivreValeursEleve(const std::string& prenomAvant);
// Whether the pupil may choose an activity himself: the settings open the activities to every
// pupil, or he is one who chooses his own lessons.
bool activitesAuChoix();
// The help box of the lesson choice.
void AideChoixLecons();
// The main window tiles its child windows horizontally.
void arrangerFenetres();
// The home screen comes back (the loaded one, or else a new one) and the main window is tiled.
void revenirAccueil();

// Management functions. Their codes: 0 register, 1 delete, 2 modify, 3 results, 5 settings,
// 7 sequences, 8 passwords, 19 + i the lesson editor of activity i, 99 the guide and annexes.
constexpr Integer kFonctionGuide = 99;
constexpr Integer kFonctionEditeur = 19;
// Opens the management function `code` when the level reached allows it: only then is the
// signed-in pupil's file written and is he signed out, before the home screen's card and the menus
// are cleared; otherwise says "Mot de passe inexact" and changes nothing. Leaves in `code` the
// value the opened screen reads (the registration screen's mode; 99 only when the guide item
// itself asked, `element` being 99).
void OuvrirFonctionGestion(Integer& code, Integer& element);
// Whether the level reached opens a function that requires `requis`.
bool fonctionOuverte(Integer code, Integer requis);
// The level of the highest password set: 2 the manager's, 1 the teacher's, 0 none.
Integer niveauMotsDePasse();
// The right of management menu 1..7 as a level.
Integer droitDuMenu(int position);

// Number of lessons the progress string records as done.
int nombreLeconsFaites();
// A number as the summaries and captions write it: a leading space when it is not negative.
std::string texteNombre(long long n);

} // namespace shell
