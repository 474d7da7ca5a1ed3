// The flags the board refresh derives: who may bear off, and COM's count over fifteen.
#include <gtest/gtest.h>

#include "game/rules/BearOff.h"
#include "support/Boards.h"

namespace tavorin::test {
namespace {

TEST(DerivedFlags, HomeAndCount) {
    struct Case {
        const char* what;
        const char* coms;
        const char* mine;
        int comBar, myBar, comOff;
        bool comHome, myHome, over;
    };
    const Case cases[] = {
        {"starting position", "0:2 11:5 16:3 18:5", "0:2 11:5 16:3 18:5", 0, 0, 0, false, false,
         false},
        {"all on 18..23", "18:5 23:10", "18:5 23:10", 0, 0, 0, true, true, false},
        {"one on 17", "17:1 18:14", "17:1 18:14", 0, 0, 0, false, false, false},
        {"one on the bar", "18:14", "18:14", 1, 1, 0, false, false, false},
        {"all borne off", "", "", 0, 0, 15, true, true, false},
        {"exactly 15 with the bar and off", "0:12", "", 1, 0, 2, false, true, false},
        {"16 with one on the bar", "0:13", "", 1, 0, 2, false, true, true},
        {"16", "18:13", "", 0, 0, 3, true, true, true},
        {"16 on the board", "0:16", "", 0, 0, 0, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameState s = position(c.coms, c.mine);
        s.comBar = static_cast<int16_t>(c.comBar);
        s.myBar = static_cast<int16_t>(c.myBar);
        s.comOff = static_cast<int16_t>(c.comOff);
        EXPECT_EQ(comAllHome(s), c.comHome);
        EXPECT_EQ(myAllHome(s), c.myHome);
        EXPECT_EQ(comOverCount(s), c.over);
    }
}

}  // namespace
}  // namespace tavorin::test
