// COM's move choice for one die, from positions alone.
#include <gtest/gtest.h>

#include "game/rules/ComChoice.h"
#include "support/Boards.h"

namespace tavorin::test {
namespace {

TEST(ComBestMove, ScoresEveryCandidateAndKeepsTheBest) {
    struct Case {
        const char* what;
        const char* coms;
        const char* mine;
        int d;
        int bestFrom, bestScore, lastScore;
    };
    const Case cases[] = {
        {"lone onto lone COM", "5:1 8:1", "", 3, 5, 7, 7},
        {"lone hits lone player", "5:1", "15:1", 3, 5, 7, 7},
        {"from two onto empty", "5:2", "", 3, 5, 1, 1},
        {"from three onto lone", "5:3 8:1", "", 3, 5, 6, 6},
        {"from three hits", "5:3", "15:1", 3, 5, 6, 6},
        {"+3 only onto a lone COM checker, not two", "5:1 8:2", "", 3, 5, 4, 4},
        {"onto its last point with an exact die", "5:2 20:1", "", 3, 20, 3, 1},
        {"tie: the higher index", "2:1 6:1", "", 3, 6, 3, 3},
        {"never past 23", "10:1 19:1 23:1", "", 5, 10, 3, 3},
        {"target held by two", "5:1 9:2", "15:2", 3, 9, 1, 1},
        {"no candidate", "17:1 19:2 23:2", "1:2", 5, 0, 0, 0},
        {"no die", "5:1", "", 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ComSearch r = comBestMove(position(c.coms, c.mine), c.d);
        EXPECT_EQ(r.bestFrom, c.bestFrom);
        EXPECT_EQ(r.bestScore, c.bestScore);
        EXPECT_EQ(r.bestDie, c.bestScore ? c.d : 0);
        EXPECT_EQ(r.lastScore, c.lastScore);
    }
}

TEST(ComBearOffFrom, ExactOrNearerNeverFarther) {
    struct Case {
        const char* coms;
        int d;
        int from;  // -1: nothing borne off
    };
    const Case cases[] = {
        {"20:2 22:1", 6, 20},                   // the first occupied index from 18 up
        {"18:2 22:1", 3, 22},                   // past a checker farther back
        {"23:2", 6, 23},      {"21:1", 3, 21},  // exact
        {"20:1", 3, -1},                        // farther than the die stays
        {"19:3", 2, -1},      {"23:1", 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.coms) + " d " + std::to_string(c.d));
        const auto from = comBearOffFrom(position(c.coms, ""), c.d);
        EXPECT_EQ(from.value_or(-1), c.from);
    }
}

TEST(ComHomeMoveFrom, TheRearmostHomeCheckerWithAnOpenTarget) {
    struct Case {
        const char* coms;
        const char* mine;
        int d;
        int from;  // -1: no move
    };
    const Case cases[] = {
        {"18:1 20:1", "", 2, 18},                               // from index 18 itself
        {"19:3", "", 2, 19},      {"18:1 19:3", "3:2", 2, 19},  // 18's target is held
        {"21:1", "", 2, 21},                                    // onto the last point
        {"22:1", "", 2, -1},                                    // would pass index 23
        {"19:3", "2:2", 2, -1},   {"19:3", "", 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.coms) + " / " + c.mine + " d " + std::to_string(c.d));
        EXPECT_EQ(comHomeMoveFrom(position(c.coms, c.mine), c.d).value_or(-1), c.from);
    }
}

}  // namespace
}  // namespace tavorin::test
