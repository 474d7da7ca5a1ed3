// Entering from the bar: which entry points are open to either side.
#include <gtest/gtest.h>

#include "game/rules/Entry.h"
#include "support/Boards.h"

namespace tavorin::test {
namespace {

TEST(Entry, TwoOfTheOtherSideBlockThePoint) {
    struct Case {
        const char* coms;
        const char* mine;
        int d;
        bool playerOpen, comOpen;
    };
    const Case cases[] = {
        {"", "", 3, true, true},
        {"21:1", "21:1", 3, true, true},  // a lone checker is hit, not a block
        {"21:2", "21:2", 3, false, false},
        {"18:2", "18:2", 6, false, false},
        {"23:2", "23:2", 1, false, false},
        {"22:2", "22:2", 3, true, true},  // a neighbour of the entry point
        {"", "", 0, false, false},        // no die
        {"", "", 7, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.coms) + " d " + std::to_string(c.d));
        const GameState s = position(c.coms, c.mine);
        EXPECT_EQ(playerEntryOpen(s, c.d), c.playerOpen);
        EXPECT_EQ(comEntryOpen(s, c.d), c.comOpen);
    }
    EXPECT_EQ(entryIndex(1), 0);
    EXPECT_EQ(entryIndex(6), 5);
}

}  // namespace
}  // namespace tavorin::test
