// The main window's menus that the screens turn on and off, as one word that a table of cases
// can hold: Quitter, its Redémarrer item, Leçons, Bilan, Gestionnaire, the guide item of
// Informations, Aide, each as its letter when enabled and "-" when not.
#pragma once

#include "shell/main_window.h"

#include <string>
#include <utility>
#include <vector>

namespace harness {

inline std::string menuWord(shell::MDI1& m) {
    const std::pair<ui::MenuItem*, char> items[] = {
        {&m.quitte, 'Q'},       {&m.quitter[0], 'R'}, {&m.Lecons, 'L'}, {&m.bilan, 'B'},
        {&m.gestionnaire, 'G'}, {&m.infor[1], 'I'},   {&m.aide, 'A'},
    };
    std::string word;
    for (const auto& [item, letter] : items) word += item->enabled() ? letter : '-';
    return word;
}

// The items no screen turns off.
inline std::vector<ui::MenuItem*> menusAlwaysEnabled(shell::MDI1& m) {
    std::vector<ui::MenuItem*> out = {&m.quitter[1], &m.info};
    for (int i = 0; i < 12; ++i) out.push_back(&m.activite[i]);
    for (int i = 0; i < 12; ++i) out.push_back(&m.exercice[i]);
    for (int i = 0; i <= 8; ++i) out.push_back(&m.gestion[i]);
    return out;
}

} // namespace harness
