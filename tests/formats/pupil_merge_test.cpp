// A save over a pupil file that another program changed since this one read it.
#include "formats/pupil_merge.h"

#include <gtest/gtest.h>

using namespace formats;

namespace {

std::string code(int activity, int lesson) {
    return {static_cast<char>(65 + activity), static_cast<char>(100 + lesson)};
}

// A pupil file as a program reads it back from its text.
PupilValues fromText(const std::string& text) {
    PupilValues v;
    EXPECT_EQ(parsePupilFile(text, false, v), PupilReadStatus::Read);
    return v;
}

// Zoé at the start of sequence 3: lessons A1, A2, B5.
PupilValues zoeAtStart() {
    PupilValues v;
    v.prenom = "ZOE";
    v.nom = "MARTIN";
    v.numeroSequence = 3;
    v.listeLecons = code(0, 1) + code(0, 2) + code(1, 5);
    v.etatLecons[4] = '6';
    return v;
}

char score(const PupilValues& v, int activity, int lesson) {
    return v.etatLecons[static_cast<std::size_t>(120 * activity + lesson - 1)];
}

} // namespace

// The two states of one file: as this program read it, and as the other program left it.
class TwoStatesOfOneFile : public testing::Test {
protected:
    const std::string readText = formatPupilFile(zoeAtStart());
    PupilValues base = fromText(readText);
    PupilValues ours = base;
    PupilValues theirs = base;

    // The file the save writes, read back as the next sign-in reads it.
    PupilValues saved() { return fromText(formatPupilFile(mergePupilValues(base, ours, theirs))); }
};

TEST_F(TwoStatesOfOneFile, AnIdleProgramKeepsWhatTheOtherSaved) {
    // The other program finished lesson A1 with 8 out of 8 and moved on.
    theirs.etatLecons[0] = '8';
    theirs.positionListe = 1;
    theirs.serieImages = 1;
    const PupilValues file = saved();
    EXPECT_EQ(score(file, 0, 1), '8');
    EXPECT_EQ(file.positionListe, 1);
    EXPECT_EQ(file.serieImages, 1);
    EXPECT_EQ(formatPupilFile(file), formatPupilFile(theirs));
}

TEST_F(TwoStatesOfOneFile, NothingChangedOnDiskWritesThisProgramsState) {
    ours.etatLecons[0] = '3';
    ours.positionListe = 1;
    ours.points = 5;
    ours.numeroItem = 1;
    ours.repriseAutorisee = 0;
    ours.numeroSequence = 0;
    EXPECT_EQ(formatPupilFile(saved()), formatPupilFile(ours));
}

TEST_F(TwoStatesOfOneFile, ScoresOfDifferentLessonsFromBothPrograms) {
    theirs.etatLecons[0] = '8';     // A1 there
    ours.etatLecons[120 + 4] = '7'; // B5 here
    ours.etatLecons[4] = '2';       // A5 replayed here, last attempt wins
    theirs.etatLecons[1] = '4';     // A2 there
    const PupilValues file = saved();
    EXPECT_EQ(score(file, 0, 1), '8');
    EXPECT_EQ(score(file, 0, 2), '4');
    EXPECT_EQ(score(file, 1, 5), '7');
    EXPECT_EQ(score(file, 0, 5), '2');
    // The same lesson done in both: this program's save writes its own score over it.
    theirs.etatLecons[5] = '8';
    ours.etatLecons[5] = '1';
    EXPECT_EQ(score(saved(), 0, 6), '1');
}

TEST_F(TwoStatesOfOneFile, TheLessonUnderWayFollowsThePlaceInTheList) {
    struct Case {
        const char* what;
        int oursPosition, oursPoints, oursItem;
        int theirsPosition, theirsPoints, theirsItem;
        int position, points, item;
    };
    const Case cases[] = {
        // Halfway through A1 here, while the other finished it: A1's points and item would be
        // wrong at A2.
        {"moved there only", 0, 5, 1, 1, 8, 3, 1, 8, 3},
        // Moved on here: this program's place and lesson win over the other's.
        {"moved in both", 2, 6, 2, 1, 4, 1, 2, 6, 2},
        {"moved here only", 1, 7, 2, 0, 8, 3, 1, 7, 2},
        // Same place in both: each counter that changed on one side only is kept.
        {"points here, item there", 0, 5, 3, 0, 8, 1, 0, 5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ours = base;
        theirs = base;
        ours.positionListe = static_cast<std::int16_t>(c.oursPosition);
        ours.points = static_cast<std::int16_t>(c.oursPoints);
        ours.numeroItem = static_cast<std::int16_t>(c.oursItem);
        theirs.positionListe = static_cast<std::int16_t>(c.theirsPosition);
        theirs.points = static_cast<std::int16_t>(c.theirsPoints);
        theirs.numeroItem = static_cast<std::int16_t>(c.theirsItem);
        const PupilValues file = saved();
        EXPECT_EQ(file.positionListe, c.position);
        EXPECT_EQ(file.points, c.points);
        EXPECT_EQ(file.numeroItem, c.item);
    }
}

TEST_F(TwoStatesOfOneFile, ANewListHereOrThereComesWithItsPosition) {
    // The teacher gave another sequence on the other computer: new list, position 0.
    theirs.numeroSequence = 7;
    theirs.listeLecons = code(4, 9);
    theirs.positionListe = 0;
    ours.points = 3; // a lesson of the old list under way here
    ours.etatLecons[2] = '5';
    PupilValues file = saved();
    EXPECT_EQ(file.numeroSequence, 7);
    EXPECT_EQ(file.listeLecons, code(4, 9));
    EXPECT_EQ(file.positionListe, 0);
    EXPECT_EQ(file.points, 8);
    EXPECT_EQ(score(file, 0, 3), '5');

    // The pupil's own list emptied here, while the other moved along the old one.
    theirs = base;
    theirs.positionListe = 2;
    ours = base;
    ours.listeLecons.clear();
    file = saved();
    EXPECT_EQ(file.listeLecons, "");
    EXPECT_EQ(file.positionListe, 0);
}

// A sequence's number and its list are one choice: whichever side's place is kept, the file never
// names one sequence while holding the list of another.
TEST_F(TwoStatesOfOneFile, TheSequenceNumberStaysWithItsList) {
    struct Side {
        int sequence;
        bool newList;
        int position;
    };
    struct Case {
        const char* what;
        Side ours, theirs;
        int sequence;
        bool newList;
        int position;
    };
    const Case cases[] = {
        {"sequence 7 given there, the old list followed here",
         {3, false, 2},
         {7, true, 0},
         3,
         false,
         2},
        {"sequence 7 given here, the old list followed there",
         {7, true, 0},
         {3, false, 2},
         7,
         true,
         0},
        {"sequence 7 given there, nothing done here", {3, false, 0}, {7, true, 0}, 7, true, 0},
        {"sequence 0 given there, the old list followed here",
         {3, false, 1},
         {0, true, 0},
         3,
         false,
         1},
    };
    const std::string newList = code(4, 9) + code(5, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto make = [&](const Side& side) {
            PupilValues v = base;
            v.numeroSequence = static_cast<std::int16_t>(side.sequence);
            if (side.newList) v.listeLecons = side.sequence == 0 ? "" : newList;
            v.positionListe = static_cast<std::int16_t>(side.position);
            return v;
        };
        ours = make(c.ours);
        theirs = make(c.theirs);
        const PupilValues file = saved();
        EXPECT_EQ(file.numeroSequence, c.sequence);
        EXPECT_EQ(file.listeLecons,
                  c.newList ? (c.sequence == 0 ? "" : newList) : base.listeLecons);
        EXPECT_EQ(file.positionListe, c.position);
    }
}
