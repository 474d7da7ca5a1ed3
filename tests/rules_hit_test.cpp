// A lone checker on the landing point goes to its owner's bar.
#include <gtest/gtest.h>

#include "game/rules/Hit.h"
#include "support/Boards.h"

namespace tavorin::test {
namespace {

TEST(HitLoneChecker, OnlyALoneCheckerGoesToTheBar) {
    struct Case {
        const char* what;
        Side victim;
        const char* board;  // the victim's board
        int index;
        Opt16 barBefore;
        bool hit;
        const char* boardAfter;
        int barAfter;
    };
    const Case cases[] = {
        {"lone COM checker", Side::Com, "5:1", 5, int16_t{0}, true, "", 1},
        {"COM's bar with no value yet", Side::Com, "5:1", 5, Opt16{}, true, "", 1},
        {"a negative COM bar from a file", Side::Com, "5:1", 5, int16_t{-3}, true, "", 1},
        {"two COM checkers", Side::Com, "5:2", 5, int16_t{0}, false, "5:2", 0},
        {"lone player checker", Side::Player, "15:1", 15, int16_t{2}, true, "", 3},
        {"two player checkers", Side::Player, "15:2", 15, int16_t{0}, false, "15:2", 0},
        {"nothing there", Side::Player, "14:1", 15, int16_t{0}, false, "14:1", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameState s;
        const bool com = c.victim == Side::Com;
        (com ? s.comBoard : s.myBoard) = points(c.board);
        if (com)
            s.comBar = c.barBefore;
        else
            s.myBar = c.barBefore;
        EXPECT_EQ(hitLoneChecker(s, c.victim, c.index), c.hit);
        EXPECT_EQ(com ? s.comBoard : s.myBoard, points(c.boardAfter));
        EXPECT_EQ(com ? int(s.comBar) : int(s.myBar), c.barAfter);
        EXPECT_EQ(com ? s.myBoard : s.comBoard, points(""));  // the other side is untouched
    }
}

}  // namespace
}  // namespace tavorin::test
