#include "shell/pupil_messages.h"

#include "formats/pupil_file.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/text_io.h"
#include "shell/shared_state.h"
#include "ui/msgbox.h"

namespace shell {

void MessageGroupePlein() {
    const SharedState& s = shared;
    ui::msgBox(cp("Le groupe ") + std::to_string(s.NumeroGroupe) +
                   cp(" contient 40 utilisateurs.") + s.FinLigne + cp("Choisir un autre groupe."),
               ui::vbInformation, s.TitreMessage);
}

void MessageEleveEnDouble() {
    const SharedState& s = shared;
    ui::msgBox(cp("Dans ce groupe, un autre élève") + s.FinLigne +
                   cp("a le même prénom et le même nom.") + s.FinLigne + s.FinLigne +
                   cp("Ajouter un nombre au prénom ou au nom") + s.FinLigne +
                   cp("pour distinguer ces deux élèves."),
               ui::vbInformation, s.TitreMessage);
}

void messageFichierAbime() {
    ui::msgBox(cp("Le fichier de cet utilisateur est abîmé."), ui::vbExclamation,
               shared.TitreMessage);
}

int compterElevesDuGroupe(const std::string& dossierGroupe) {
    std::string dossier = dossierGroupe;
    if (!dossier.empty() && dossier.back() == '/') dossier.pop_back();
    const auto fichiers = platform::listFiles(dossier);
    if (!fichiers) return 0;
    int compte = 0;
    for (const std::string& nom : *fichiers) {
        if (compte > kElevesParGroupeMax) break;
        const auto texte = platform::readSmallFile(dossier + "/" + nom);
        if (!texte) continue;
        formats::PupilValues noms;
        noms.prenom.clear();
        noms.nom.clear();
        formats::parsePupilFile(*texte, true, noms);
        if (!noms.prenom.empty() || !noms.nom.empty()) ++compte;
    }
    return compte;
}

} // namespace shell
