// Two programs may have the same pupil signed in, on two computers sharing the pupils' folder.
// Whichever saves last must not undo what the other saved meanwhile: each keeps what it did not
// change itself from the file as it is now.
#pragma once

#include "formats/pupil_file.h"

namespace formats {

// The values to write over a pupil file that holds `onDisk` now, when this program read (or last
// wrote) `base` from it and holds `ours`. What this program changed since `base` is written over
// the file; everything else keeps the file's value: each lesson's score character, the lesson
// list with its position, the counters, the names, the sequence and the retake right.
//
// The activity and the counters of the lesson under way (points, item, items done) belong to the
// place in the list, and the sequence to the list: when one side moved to another place, they
// come with that place, since a lesson's points and item mean nothing at another lesson and a
// sequence's number must name the list the pupil follows. When this program moved, its place
// wins.
PupilValues mergePupilValues(const PupilValues& base, const PupilValues& ours,
                             const PupilValues& onDisk);

} // namespace formats
