// Where the player's click on a point leads.
#include <gtest/gtest.h>

#include "game/rules/Landing.h"
#include "support/Boards.h"

namespace tavorin::test {
namespace {

TEST(PlayerMoveFrom, MoveBearOffOrRefusal) {
    struct Case {
        const char* what;
        const char* mine;
        const char* coms;
        int d, p;
        bool allHome;
        PlayerMove expected;
    };
    const Case cases[] = {
        {"open target", "0:2", "", 6, 0, false, PlayerMove::Move},
        {"lone COM checker on the target", "0:2", "17:1", 6, 0, false, PlayerMove::Move},
        {"two COM checkers on the target", "0:2", "17:2", 6, 0, false, PlayerMove::Refused},
        {"no checker on the point", "0:2", "", 6, 3, false, PlayerMove::Refused},
        {"target index 23 is a move", "20:1", "", 3, 20, false, PlayerMove::Move},
        {"past 23, all home", "20:1", "", 4, 20, true, PlayerMove::BearOff},
        {"past 23, not all home", "20:1", "", 4, 20, false, PlayerMove::RefusedBearOff},
        {"past 23 from an empty point", "20:1", "", 4, 21, true, PlayerMove::RefusedBearOff},
        {"no die", "0:2", "", 0, 0, false, PlayerMove::NoDie},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameState s = position(c.coms, c.mine);
        s.diceMoves[0] = static_cast<int16_t>(c.d);
        s.myCanBearOff = c.allHome ? 1 : 0;
        EXPECT_EQ(playerMoveFrom(s, c.p), c.expected);
    }
}

}  // namespace
}  // namespace tavorin::test
