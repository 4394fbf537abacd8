// How long moving a carried number card takes on the largest screen the program scales to: each
// pointer move redraws the card where it goes and the board where it was. It prints the median
// of a few rounds and checks nothing about the time: figures depend on the machine and on the
// build, so read them from an optimised build (see the README).
#include "players_fixture.h"

#include <QElapsedTimer>
#include <algorithm>
#include <iostream>
#include <vector>

namespace {

using namespace playertest;
using players::Feuille4;

class CardMoveBenchmark : public PlayersTest {};

TEST_F(CardMoveBenchmark, MillisecondsPerMoveAtTheLargestScale) {
    setScreen(2048, 1536);
    const SetsItem item{
        {{0, "3+4"}, {1, "12et5"}, {3, cp("6÷2")}, {5, "7"}, {7, "20-5"}}, "<10", "Somme>5"};
    Feuille4& f = startLesson(4, setsRecord(4, true, {item, item, item}));
    ASSERT_FLOAT_EQ(shared.EchellePixel, 3.2f);
    clickAt(f, QPoint(f.GaucheCarte[0] + 40, f.HautCarte[0] + 40));
    ASSERT_EQ(f.ObjetTenu, 0);
    QWidget* screen = f.containerWidget();
    constexpr int kRounds = 7;
    constexpr int kMoves = 300;
    std::vector<double> perMove;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        for (int k = 0; k < kMoves; ++k) {
            // Over the board and above it, snapping and following.
            moveTo(f, QPoint(200 + (k % 60) * 25, 250 + (k % 9) * 120));
            screen->repaint();
        }
        perMove.push_back(double(timer.nsecsElapsed()) / 1e6 / kMoves);
    }
    ASSERT_EQ(f.ObjetTenu, 0) << "the card was carried all along";
    std::sort(perMove.begin(), perMove.end());
    const double median = perMove[kRounds / 2];
    RecordProperty("milliseconds_per_move", std::to_string(median));
    std::cout << "card move at EchellePixel 3.2: " << median << " ms (median of " << kRounds
              << " rounds of " << kMoves << " moves; fastest " << perMove.front() << ", slowest "
              << perMove.back() << ")\n";
}

} // namespace
