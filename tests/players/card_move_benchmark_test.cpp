// How long moving a carried number card takes on the largest screen the program scales to: each
// pointer move redraws the card where it goes and the board where it was.
#include "players_fixture.h"

#include <QElapsedTimer>
#include <iostream>

namespace {

using namespace playertest;

class CardMoveBenchmark : public PlayersTest {};

TEST_F(CardMoveBenchmark, AMoveRedrawsWithinAFewMillisecondsAtTheLargestScale) {
    setScreen(2048, 1536);
    const SetsItem item{
        {{0, "3+4"}, {1, "12et5"}, {3, cp("6÷2")}, {5, "7"}, {7, "20-5"}}, "<10", "Somme>5"};
    Feuille4& f = startLesson(4, setsRecord(4, true, {item, item, item}));
    ASSERT_FLOAT_EQ(shared.EchellePixel, 3.2f);
    clickAt(f, QPoint(f.GaucheCarte[0] + 40, f.HautCarte[0] + 40));
    ASSERT_EQ(f.ObjetTenu, 0);
    QWidget* screen = f.containerWidget();
    const int moves = 300;
    QElapsedTimer timer;
    timer.start();
    for (int k = 0; k < moves; ++k) {
        // Over the board and above it, snapping and following.
        moveTo(f, QPoint(200 + (k % 60) * 25, 250 + (k % 9) * 120));
        screen->repaint();
    }
    const double perMove = double(timer.nsecsElapsed()) / 1e6 / moves;
    RecordProperty("milliseconds_per_move", std::to_string(perMove));
    std::cout << "card move at EchellePixel 3.2: " << perMove << " ms\n";
    EXPECT_LT(perMove, 50.0);
}

} // namespace
