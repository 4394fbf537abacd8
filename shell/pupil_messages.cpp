#include "shell/pupil_messages.h"

#include "platform/cp1252.h"
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

} // namespace shell
