#include "shell/shared_state.h"

#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "shell/routines.h"
#include "ui/screen.h"

namespace shell {
namespace {

std::array<std::string, 12> titresActivites() {
    return {cp("Les ensembles de dessins"), cp("L'arbre des dessins"),
            cp("Le tableau des dessins"),   cp("Les dessins amis"),
            cp("Les ensembles de nombres"), cp("L'arbre des nombres"),
            cp("Le tableau des nombres"),   cp("Les nombres amis"),
            cp("Les ensembles de solides"), cp("L'arbre des solides"),
            cp("Le tableau des solides"),   cp("Les solides amis")};
}

std::string dossierCourant() {
    std::string folder = platform::currentFolder();
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

} // namespace

SharedState::SharedState() : TitresActivites(titresActivites()) {}

SharedState shared;

void resetSharedState() {
    shared = SharedState();
    shared.DossierDonnees = dossierCourant();
}

void remettreLeconAuDebut() {
    shared.Points = 8;
    shared.NumeroItem = 3;
    shared.ItemsTermines = 0;
}

void InitialiserGlobales() {
    SharedState& s = shared;
    s.DossierDonnees = dossierCourant();
    s.FinLigne = "\r\n";
    s.CouleurFond = 0xC0C000;
    s.TitreMessage = "Message";
    s.TitresActivites = titresActivites();
    s.RepriseAutorisee = s.RepriseParDefaut;
    s.NumeroDessinMax = 310;
    s.Nom.clear();
    s.Prenom.clear();
    s.CheminFichierEleve.clear();
    s.NumeroSequence = -1;
    s.EleveActif = kFaux;
    s.PositionListe = 0;
    s.ListeLecons.clear();
    remettreLeconAuDebut();
    s.EtatLecons = formats::noProgress();
    s.ResultatAffiche = 0;
    s.LeconsDuJour = 0;
    s.PointsDuJour = 0;
    s.ListeReprise.clear();
    s.PositionReprise = 0;
    s.DeLaReprise = kFaux;
    s.RepriseComptee = kFaux;
    AfficherTotalLecons();
}

Echelles echellesPourEcran(double largeurTwips, double twipsParPixel) {
    long long t = platform::roundHalfEven(twipsParPixel);
    // Metrics that make no sense are read as the design's own.
    if (t < 1) t = kTwipsParPixelConception;
    const Single tf = static_cast<Single>(t);
    Single echelle = static_cast<Single>(largeurTwips) / (tf * kPixelsConception);
    echelle = echelle * (tf / kTwipsParPixelConception);
    if (!(echelle >= kEchelleMin)) echelle = kEchelleMin;
    if (echelle > kEchelleMax) echelle = kEchelleMax;
    Single police = kTwipsParPixelConception / tf;
    if (police < 1) police = 1;
    return {echelle, police};
}

void CalculerEchelle() {
    const ui::ScreenMetrics metrics = ui::screenMetrics();
    const Echelles e = echellesPourEcran(metrics.widthTwips, metrics.twipsPerPixelX);
    shared.Echelle = e.echelle;
    shared.EchellePolice = e.echellePolice;
}

Long aEchelle(double twips) {
    return platform::toLong(twips * shared.Echelle);
}

Long aEchellePixel(double pixels) {
    return platform::toLong(pixels * shared.EchellePixel);
}

} // namespace shell
