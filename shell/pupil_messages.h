// The messages that guard the pupils' files: a group that holds as many pupils as the
// registration screen can list, two pupils whose names give the same file, and a pupil's file that
// does not read whole.
#pragma once

#include <string>

namespace shell {

// The most pupils a group may hold: the registration screen lists no more.
constexpr int kElevesParGroupeMax = 40;

// "Le groupe n contient 40 utilisateurs." for the group NumeroGroupe.
void MessageGroupePlein();
// Another pupil of the group already has the file these names give.
void MessageEleveEnDouble();
// The pupil's file is there but does not read whole, every value in its place.
void messageFichierAbime();

// How many pupils the group folder holds: its files that give a first name or a surname, as the
// registration screen counts them (at most one more than the limit is looked at). Reads nothing
// into the shared state.
int compterElevesDuGroupe(const std::string& dossierGroupe);

} // namespace shell
