// The two messages that guard the pupils' files of a group: a group that holds as many pupils as
// the registration screen registers, and two pupils whose names give the same file.
#pragma once

namespace shell {

// The most pupils the registration screen registers in one group.
constexpr int kElevesParGroupeMax = 40;

// "Le groupe n contient 40 utilisateurs." for the group NumeroGroupe.
void MessageGroupePlein();
// Another pupil of the group already has the file these names give.
void MessageEleveEnDouble();

} // namespace shell
