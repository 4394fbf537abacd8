// The one block of variables that every screen and every shared routine reads and writes. The
// shared routines take few arguments and hand their results back here (the lesson catalogue
// through `Enregistrement`, the name rule through `CheminFichierEleve`...). Flags are 16-bit
// integers: -1 true, 0 false, and any non-zero value counts as true.
#pragma once

#include "formats/lesson_scores.h"
#include "shell/screens.h"

#include <array>
#include <cstdint>
#include <string>

namespace shell {

using Integer = std::int16_t;
using Long = std::int32_t;
using Single = float;
using Flag = std::int16_t;

constexpr Flag kVrai = -1;
constexpr Flag kFaux = 0;

struct SharedState {
    // Display and scale.
    Integer LargeurEcranOrigine = 0;
    Integer HauteurEcranOrigine = 0;
    Flag ResolutionChangee = kFaux;
    Single Echelle = 1;
    Single EchellePolice = 1;
    Single EchellePixel = 1;

    // Folders and paths; folders end with "/".
    std::string DossierDonnees;
    std::string DossierEleves;
    std::string DossierGroupe;
    std::string CheminFichierEleve;
    std::string CheminParametres;
    std::string CheminMotsDePasse;

    // Set once by InitialiserGlobales.
    std::string FinLigne = "\r\n";
    std::string TitreMessage = "Message";
    Long CouleurFond = 0xC0C000;
    std::array<std::string, 12> TitresActivites;
    Long NumeroDessinMax = 310;

    // Settings.
    Flag MenuLeconsAccessible = kVrai;
    Flag SansInscriptionImmediate = kFaux;
    Integer CritereReussite = 2;
    Flag ConserverChoix = kFaux;
    Flag RepriseParDefaut = kVrai;

    // Passwords and rights.
    std::string DroitsMenus;
    std::string MotDePasseEnseignant;
    std::string MotDePasseGestionnaire;
    Integer NiveauAcces = 0;
    Integer NiveauRequis = 0;

    // Current pupil.
    std::string Prenom;
    std::string Nom;
    Integer NumeroSequence = -1;
    Flag EleveActif = kFaux;
    Flag RepriseAutorisee = kVrai;
    std::string EtatLecons = formats::noProgress();
    std::string ListeLecons;
    Integer PositionListe = 0;
    std::string ListeReprise;
    Integer PositionReprise = 0;
    Flag DeLaReprise = kFaux;
    // A save during a lesson of the retake list has counted that lesson in PositionListe: a save
    // tried again for the same lesson must not count it twice. Cleared when a lesson starts.
    Flag RepriseComptee = kFaux;
    Integer SerieImages = 0;

    // Current activity, lesson and item.
    Integer Activite = 0;
    Integer NumeroLecon = 0;
    std::string Enregistrement;
    Long LongueurEnregistrement = 0;
    Long PositionEnregistrement = 0;
    Integer NumeroItem = 3;
    Integer ItemsTermines = 0;
    Integer Points = 8;

    // Running totals and menu state.
    Integer LeconsDuJour = 0;
    Integer PointsDuJour = 0;
    Flag MenuBilanActif = kFaux;

    // Screens and dispatch.
    Ecran EcranCourant = Ecran::Aucun;
    Integer CodeFonction = 0;
    Integer ActiviteEditee = 0;
    Integer ResultatAffiche = 0;
    Integer ModeBilan = 1; // pupil report

    // Variables of single screens kept in the block.
    Integer NumeroGroupe = 0;
    std::string CodeGroupe;
    std::array<std::string, 51> CheminsEleves;
    std::array<std::string, 51> Noms;
    Integer NombreChoisis = 0;
    Integer DernierChoisi = 0;
    Flag PointeurSurCase = kFaux;
    Flag Verrou = kFaux;
    Single DelaiVerification = 0;
    Flag BoutonEnfonce = kFaux;
    Integer CompteurTops = 0;
    Integer LeconInvalide = 0;
    Integer ChampValide = 0;
    std::string TamponSequence;
    std::string Tampon;

    SharedState();
};

// The block itself.
extern SharedState shared;

// Starts from a fresh block, as at program start once InitialiserGlobales has run (without its
// call to the main window): tests begin every case with it.
void resetSharedState();

// Gives the block its start values again; the settings, passwords, rights, password level,
// pupils' folder, scale factors, current activity and lesson, picture set, current screen and
// function code are kept. Ends by updating the main window's total line.
void InitialiserGlobales();

// The lesson to come starts at its first item, with its 8 points and none of its items finished:
// after a finished or skipped lesson, a new list of lessons, or a pupil's reset.
void remettreLeconAuDebut();

// Echelle and EchellePolice from the screen's metrics.
void CalculerEchelle();

// The screens' design area and the limits of their scale factor.
constexpr int kLargeurConception = 9600; // twips: 640 pixels of 15 twips
constexpr int kHauteurConception = 6645; // twips
constexpr int kPixelsConception = 640;
constexpr int kTwipsParPixelConception = 15;
constexpr Single kEchelleMin = 1.0f;
constexpr Single kEchelleMax = 3.2f;

// Echelle and EchellePolice for a screen of that width in twips at that many twips per pixel.
struct Echelles {
    Single echelle;
    Single echellePolice;
};
Echelles echellesPourEcran(double largeurTwips, double twipsParPixel);

// A design position or size in twips, scaled by Echelle; one in design pixels, scaled by
// EchellePixel; each rounded to the nearest whole number, halves to the even one.
Long aEchelle(double twips);
Long aEchellePixel(double pixels);

} // namespace shell
