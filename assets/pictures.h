// The pictures built into the program: the 311 numbered drawings of the drawing library and the
// screen pictures, all SVG. Show them with ui::Picture::fromData(bytes, "x.svg"), which stretches
// them to the control. A lookup gives bytes that lie in the program itself (nothing is copied or
// unpacked) and reads no file.
#pragma once

#include <QByteArray>

namespace tavrel_assets {

// Makes the compiled-in pictures reachable. The lookups call it themselves; later calls do nothing.
void initPictures();

// The drawings are numbered 0 to kLastDrawing without gaps.
inline constexpr int kLastDrawing = 310;

// SVG of drawing `number`; empty for a number outside 0..kLastDrawing.
QByteArray drawingSvg(int number);

// SVG of the screen picture `name` (one of kScreenPictures below); empty for any other name.
QByteArray screenPicture(const char* name);

// Screen pictures. Each is drawn for the control that shows it (sizes in design pixels of 15
// twips); the free areas are where the screens write over them.
namespace pic {
// Exit door (the main window's exit picture, 57 x 65): open door with an arrow going out, on a
// transparent background so that each screen's own colour shows around it.
inline constexpr const char* kExitDoor = "porte";
// The two faces of the players (32 x 32): happy (index 0) and sad (index 1).
inline constexpr const char* kHappyFace = "visage_content";
inline constexpr const char* kSadFace = "visage_triste";
// Light grey raised button with a green check mark (57 x 65); everything from y = 44 down is plain
// grey for the word "Continue" written at y = 46. The players' check button uses it too.
inline constexpr const char* kContinueButton = "bouton_continue";
// The same button with a red cross, room left for "Annule" at (12, 46).
inline constexpr const char* kCancelButton = "bouton_annule";
// The relation grid's token (90 x 105): a red counter, shown as the sample and on the cells.
inline constexpr const char* kGridToken = "jeton";
// The relation grid's corner picture (49 x 57): a light blue arrow curving from below to the right
// (from a row's title to a column's), pale enough for the relation text written over it.
inline constexpr const char* kGridCorner = "coin";
// The lesson editor's red curved arrow (33 x 38), beside a grid's relation.
inline constexpr const char* kRedArrow = "fleche";
// The program's own window icon (square).
inline constexpr const char* kProgramIcon = "icone";
} // namespace pic

// The twelve activity icons of the home screen (75 x 80), index = activity 0..11: white cards with
// sets, a tree, a table or a relation grid, of drawings (0..3, green edge), numbers (4..7, orange
// edge; left bare where the screen writes its red example) or solids (8..11, violet edge). The
// bottom of each card (y >= 56) is kept clear for the activity number written at (29, 58).
QByteArray activityIcon(int activity);
// The twenty lesson icons of the lesson choice (32 x 32), index 0..19: star, sun, moon, rainbow,
// cloud, snowflake, sunflower, tulip, tree, cactus, maple leaf, clover, house, castle, Earth, drop,
// lollipop, birthday cake, present, carousel horse.
QByteArray lessonIcon(int index);
// The reward pictures (upright, 121 x 153), six sets 0..5, each an earned-point picture and its
// lost-point partner: gold star / grey star, rose / wilted rose, smiling sun / rain cloud, trophy /
// grey trophy, medal / grey medal, red heart / grey heart.
QByteArray rewardEarned(int set);
QByteArray rewardLost(int set);

// Every screen picture name, for tests and tools.
inline constexpr const char* kScreenPictures[] = {
    "porte",       "visage_content", "visage_triste", "bouton_continue", "bouton_annule",
    "jeton",       "coin",           "fleche",        "icone",           "activite_0",
    "activite_1",  "activite_2",     "activite_3",    "activite_4",      "activite_5",
    "activite_6",  "activite_7",     "activite_8",    "activite_9",      "activite_10",
    "activite_11", "lecon_0",        "lecon_1",       "lecon_2",         "lecon_3",
    "lecon_4",     "lecon_5",        "lecon_6",       "lecon_7",         "lecon_8",
    "lecon_9",     "lecon_10",       "lecon_11",      "lecon_12",        "lecon_13",
    "lecon_14",    "lecon_15",       "lecon_16",      "lecon_17",        "lecon_18",
    "lecon_19",    "gagne_0",        "perdu_0",       "gagne_1",         "perdu_1",
    "gagne_2",     "perdu_2",        "gagne_3",       "perdu_3",         "gagne_4",
    "perdu_4",     "gagne_5",        "perdu_5",
};

} // namespace tavrel_assets
