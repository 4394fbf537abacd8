#include "records/records_routines.h"

#include "platform/cp1252.h"
#include "shell/file_routines.h"
#include "shell/shared_state.h"
#include "ui/msgbox.h"
#include "ui/palette.h"

namespace records {

void AideChoixListe(const std::string& nom, const std::string& pronom, const std::string& accord,
                    const std::string& complement) {
    const shell::SharedState& s = shell::shared;
    std::string texte = "Pour choisir un" + nom + ", " + pronom + " pointer avec la souris" +
                        " ou " + pronom + cp(" placer dans la fenêtre et") +
                        " appuyer sur la barre d'espacement." + s.FinLigne + s.FinLigne +
                        "Pour annuler un" + nom + cp(" déjà choisi") + accord + ", " + pronom +
                        cp(" sélectionner une seconde fois.");
    if (!complement.empty()) texte += s.FinLigne + s.FinLigne + complement;
    ui::msgBox(texte, ui::vbInformation, s.TitreMessage);
}

void PoliceImprimante(ui::Printer& imprimante, int taille, int gras) {
    if (!imprimante.ok()) return;
    imprimante.setFontSize(taille);
    imprimante.setFontBold(gras != 0);
    imprimante.setForeColor(ui::kNoir);
    imprimante.setFontName("Arial");
}

ValeursEleve ValeursEleve::noter() {
    return {shell::valeursEleve(), shell::shared.CheminFichierEleve};
}

void ValeursEleve::remettre() const {
    shell::rangerValeursEleve(valeurs);
    shell::shared.CheminFichierEleve = chemin;
}

} // namespace records
