#include "shell/file_routines.h"

#include "formats/lesson_catalogue.h"
#include "formats/passwords.h"
#include "formats/pupil_file.h"
#include "formats/pupil_merge.h"
#include "formats/sequence_catalogue.h"
#include "formats/settings.h"
#include "platform/cp1252.h"
#include "platform/strings.h"
#include "platform/text_io.h"
#include "shell/routines.h"
#include "ui/msgbox.h"

#include <algorithm>
#include <map>
#include <optional>

namespace shell {
namespace {

int sauvegardesEnCours = 0;

// Each pupil file as this program last read or wrote it, by its path on disk: what another
// program changed since then is told from what this one changed.
std::map<std::string, formats::PupilValues>& fichiersElevesConnus() {
    static std::map<std::string, formats::PupilValues> connus;
    return connus;
}

std::optional<formats::PupilValues> lireValeursEleve(const std::string& chemin) {
    const auto texte = platform::readSmallFile(chemin);
    if (!texte) return std::nullopt;
    formats::PupilValues lues;
    if (formats::parsePupilFile(*texte, false, lues) != formats::PupilReadStatus::Read)
        return std::nullopt;
    return lues;
}

// What to write into the pupil file: this program's values, over what another program saved
// there since this one read the file.
formats::PupilValues valeursAEcrire(const std::string& chemin) {
    const formats::PupilValues nous = valeursEleve();
    const auto connu = fichiersElevesConnus().find(platform::resolvePath(chemin));
    if (connu == fichiersElevesConnus().end()) return nous;
    const auto surDisque = lireValeursEleve(chemin);
    if (!surDisque) return nous;
    return formats::mergePupilValues(connu->second, nous, *surDisque);
}

std::string cheminCatalogueLecons() {
    return shared.DossierDonnees + formats::kLessonCatalogueName;
}

std::string cheminCatalogueSequences() {
    return shared.DossierDonnees + formats::kSequenceCatalogueName;
}

formats::Settings parametresPartages() {
    const SharedState& s = shared;
    return {s.DossierEleves,  s.MenuLeconsAccessible, s.SansInscriptionImmediate,
            s.ConserverChoix, s.CritereReussite,      s.RepriseParDefaut};
}

bool surDisquette(const std::string& chemin) {
    const std::string lecteur = platform::upper1252(chemin.substr(0, 2));
    return lecteur == "A:" || lecteur == "B:";
}

// The group folder of a pupil file on a diskette: the path up to the first "/" from its fourth
// character on. A pupils' folder below the diskette's root has its levels made too, down to the
// file's own folder: with only the first level made, a fresh diskette could never take the file.
bool creerDossierSurDisquette(const std::string& chemin) {
    const auto dernier = chemin.rfind('/');
    for (auto slash = chemin.find('/', 3); slash != std::string::npos && slash <= dernier;
         slash = chemin.find('/', slash + 1)) {
        if (platform::makeFolder(chemin.substr(0, slash)) == platform::MakeFolderResult::Failed)
            return false;
    }
    return true;
}

bool nomsAvant(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

} // namespace

formats::PupilValues valeursEleve() {
    const SharedState& s = shared;
    formats::PupilValues v;
    v.prenom = s.Prenom;
    v.nom = s.Nom;
    v.positionListe = s.PositionListe;
    v.activite = s.Activite;
    v.listeLecons = s.ListeLecons;
    v.numeroSequence = s.NumeroSequence;
    v.etatLecons = s.EtatLecons;
    v.points = s.Points;
    v.serieImages = s.SerieImages;
    v.itemsTermines = s.ItemsTermines;
    v.numeroItem = s.NumeroItem;
    v.repriseAutorisee = s.RepriseAutorisee;
    return v;
}

void rangerValeursEleve(const formats::PupilValues& v) {
    SharedState& s = shared;
    s.Prenom = v.prenom;
    s.Nom = v.nom;
    s.PositionListe = v.positionListe;
    s.Activite = v.activite;
    s.ListeLecons = v.listeLecons;
    s.NumeroSequence = v.numeroSequence;
    s.EtatLecons = v.etatLecons;
    s.Points = v.points;
    s.SerieImages = v.serieImages;
    s.ItemsTermines = v.itemsTermines;
    s.NumeroItem = v.numeroItem;
    s.RepriseAutorisee = v.repriseAutorisee;
}

Issue LireLecon(Integer activite) {
    SharedState& s = shared;
    const formats::LessonRead lu =
        formats::readLessons(cheminCatalogueLecons(), activite, s.NumeroLecon);
    s.Enregistrement = lu.data;
    s.LongueurEnregistrement = lu.length;
    if (s.NumeroLecon != 0) s.PositionEnregistrement = lu.position;
    return lu.ok ? Issue::Fait : Issue::Echec;
}

Issue EcrireLecon() {
    SharedState& s = shared;
    // Only a whole record goes back, and only to the start of a record: anything else (a block
    // left in Enregistrement, a position never read) would overwrite other lessons.
    const bool enPlace =
        formats::activityOfRecordAt(s.PositionEnregistrement, s.Enregistrement.size()) >= 0;
    return enPlace && formats::writeLessonAt(cheminCatalogueLecons(), s.PositionEnregistrement,
                                             s.Enregistrement)
               ? Issue::Fait
               : Issue::Echec;
}

Issue LireParametres(const std::string& chemin) {
    SharedState& s = shared;
    const auto texte = platform::readSmallFile(chemin);
    if (!texte) return Issue::Echec;
    formats::Settings lus = parametresPartages();
    const bool complet = formats::parseSettings(*texte, lus);
    s.DossierEleves = lus.dossierEleves;
    s.MenuLeconsAccessible = lus.menuLeconsAccessible;
    s.SansInscriptionImmediate = lus.sansInscriptionImmediate;
    s.ConserverChoix = lus.conserverChoix;
    s.CritereReussite = lus.critereReussite;
    s.RepriseParDefaut = lus.repriseParDefaut;
    return complet ? Issue::Fait : Issue::Echec;
}

Issue EcrireParametres(const std::string& chemin) {
    return platform::replaceFile(chemin, formats::formatSettings(parametresPartages()))
               ? Issue::Fait
               : Issue::Echec;
}

Issue LireMotsDePasse() {
    SharedState& s = shared;
    s.DroitsMenus.assign(formats::kRightsLength, '0');
    const auto texte = platform::readSmallFile(s.CheminMotsDePasse);
    if (!texte) return Issue::Echec;
    formats::Passwords lus{s.DroitsMenus, s.MotDePasseEnseignant, s.MotDePasseGestionnaire};
    const bool complet = formats::parsePasswordFile(*texte, lus);
    s.DroitsMenus = lus.droits;
    s.MotDePasseEnseignant = lus.enseignant;
    s.MotDePasseGestionnaire = lus.gestionnaire;
    return complet ? Issue::Fait : Issue::Echec;
}

Issue ecrireMotsDePasse(const std::string& droits, const std::string& enseignant,
                        const std::string& gestionnaire) {
    SharedState& s = shared;
    const auto texte = formats::formatPasswordFile(droits, enseignant, gestionnaire);
    if (!texte || !platform::replaceFile(s.CheminMotsDePasse, *texte)) {
        ui::msgBox(cp("Impossible d'enregistrer") + s.FinLigne + s.CheminMotsDePasse,
                   ui::vbExclamation, s.TitreMessage);
        return Issue::Echec;
    }
    s.DroitsMenus = droits;
    s.MotDePasseEnseignant = platform::trimmed(enseignant);
    s.MotDePasseGestionnaire = platform::trimmed(gestionnaire);
    return Issue::Fait;
}

void NomFichierEleve() {
    SharedState& s = shared;
    s.CheminFichierEleve = s.DossierGroupe + formats::nomCourtEleve(s.Prenom, s.Nom);
}

bool fichierEleveEntier(const std::string& chemin) {
    return lireValeursEleve(chemin).has_value();
}

Issue LireFichierEleve(const std::string& chemin, bool nomsSeulement) {
    const auto texte = platform::readSmallFile(chemin);
    if (!texte) return Issue::Echec;
    formats::PupilValues lues = valeursEleve();
    const Issue issue =
        formats::parsePupilFile(*texte, nomsSeulement, lues) == formats::PupilReadStatus::Read
            ? Issue::Fait
            : Issue::Abime;
    rangerValeursEleve(lues);
    if (nomsSeulement) return issue;
    if (issue == Issue::Fait)
        fichiersElevesConnus()[platform::resolvePath(chemin)] = lues;
    else
        fichiersElevesConnus().erase(platform::resolvePath(chemin));
    return issue;
}

SauvegardeEnCours::SauvegardeEnCours() {
    ++sauvegardesEnCours;
}

SauvegardeEnCours::~SauvegardeEnCours() {
    --sauvegardesEnCours;
}

bool sauvegardeEnCours() {
    return sauvegardesEnCours > 0;
}

Issue EcrireFichierEleve(const std::string& chemin, QuestionEcriture question) {
    SharedState& s = shared;
    const SauvegardeEnCours enCours;
    if (!s.ListeReprise.empty() && s.NumeroLecon > 0) {
        remettreLeconAuDebut();
        // Past the last entry of the longest list the file keeps, the position goes no further.
        if (!s.RepriseComptee && s.PositionListe < formats::kListEntriesMax) ++s.PositionListe;
        s.RepriseComptee = kVrai;
    }
    if (chemin.empty()) return Issue::Fait;
    const bool disquette = surDisquette(chemin);
    for (;;) {
        if (!disquette || creerDossierSurDisquette(chemin)) {
            if (s.Prenom.empty() || s.Nom.empty()) return Issue::Fait;
            if (s.NumeroSequence == 0 && !s.ConserverChoix) s.ListeLecons.clear();
            // Read again at every try: the other program may have saved during the box.
            // The program goes on from the values as the file now holds them: what it tidied
            // while writing must not pass at the next save for a change of either program.
            const formats::PupilValues valeurs =
                formats::storablePupilValues(valeursAEcrire(chemin));
            if (platform::replaceFile(chemin, formats::formatPupilFile(valeurs))) {
                const std::string prenomAffiche = s.Prenom;
                rangerValeursEleve(valeurs);
                fichiersElevesConnus()[platform::resolvePath(chemin)] = valeurs;
                // What the screens show of the pupil signed in follows what was taken in.
                if (s.EleveActif) suivreValeursEleve(prenomAffiche);
                return Issue::Fait;
            }
        }
        if (question == SansQuestion) return Issue::Echec;
        const int reponse =
            ui::msgBox(cp("Impossible d'écrire sur l") + (disquette ? "a disquette." : "e disque."),
                       ui::vbRetryCancel + ui::vbExclamation, s.TitreMessage);
        if (reponse != ui::vbRetry) return Issue::Echec;
    }
}

void reinitialiserEleve() {
    SharedState& s = shared;
    const formats::PupilValues nouveau;
    s.PositionListe = nouveau.positionListe;
    s.Activite = nouveau.activite;
    s.ListeLecons.clear();
    s.NumeroSequence = -1;
    s.EtatLecons = nouveau.etatLecons;
    remettreLeconAuDebut();
    s.SerieImages = 0;
    s.RepriseAutorisee = s.RepriseParDefaut;
    s.EleveActif = kFaux;
}

void CreerDossierEleves() {
    const std::string& dossier = shared.DossierEleves;
    // A drive-letter folder ("C:/ELEVES/") starts its levels after the drive's root; a system
    // path starts after its leading "/".
    const std::size_t debut = dossier.size() > 1 && dossier[1] == ':' ? 4 : 1;
    for (std::size_t i = debut; i < dossier.size(); ++i) {
        if (dossier[i] == '/' && dossier[i - 1] != '/') platform::makeFolder(dossier.substr(0, i));
    }
}

platform::MakeFolderResult creerDossierGroupe(const std::string& texteGroupe) {
    SharedState& s = shared;
    const std::string dossier =
        formats::dossierGroupe(s.DossierEleves, formats::codeGroupe(texteGroupe));
    const auto resultat = platform::makeFolder(dossier);
    s.DossierGroupe = dossier + "/";
    return resultat;
}

void LireSequence(Long position, Integer nombre) {
    shared.TamponSequence =
        formats::readSequenceBytes(cheminCatalogueSequences(), position, nombre);
}

void ChargerSequenceEleve() {
    SharedState& s = shared;
    s.PositionListe = 0;
    s.Activite = 0;
    remettreLeconAuDebut();
    s.SerieImages = 0;
    if (s.NumeroSequence == 0) return;
    LireSequence(formats::sequenceListPosition(s.NumeroSequence), formats::kSequenceListLength);
    s.ListeLecons = platform::trimmed(s.TamponSequence);
}

Issue DetruireFichier(const std::string& chemin) {
    const auto slash = chemin.rfind('/');
    const std::string nom = slash == std::string::npos ? chemin : chemin.substr(slash + 1);
    bool fait;
    if (nom == "*.*" || nom == "*") {
        fait = platform::deleteAllFiles(slash == std::string::npos ? "." : chemin.substr(0, slash));
    } else {
        fait = platform::deleteFile(chemin);
    }
    return fait ? Issue::Fait : Issue::Echec;
}

void TrierNoms(Integer n) {
    SharedState& s = shared;
    const int compte = std::clamp<int>(n, 0, static_cast<int>(s.Noms.size()));
    for (int i = 0; i + 1 < compte; ++i) {
        for (int j = i + 1; j < compte; ++j) {
            if (nomsAvant(s.Noms[j], s.Noms[i])) {
                std::swap(s.Noms[i], s.Noms[j]);
                std::swap(s.CheminsEleves[i], s.CheminsEleves[j]);
            }
        }
    }
}

} // namespace shell
