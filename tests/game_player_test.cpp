// The player's moves: clicks on points and on the bar, the hover highlight and Move cancel.
#include <tuple>

#include "core/Texts.h"
#include "support/Fixture.h"

namespace tavorin::test {
namespace {

class PlayerTest : public GameTest {
protected:
    // The player on turn with this position; cases of a table reuse the game, so whatever a
    // case left running is stopped first.
    void position(std::string_view mine, std::string_view coms, int d0, int d1, int moves = 2,
                  int myBar = 0) {
        f.ui.Timer2.setEnabled(false);
        f.ui.Timer3.setEnabled(false);
        st.turnState = PlayerTurn;
        st.comBar = 0;
        st.myBar = 0;
        playerTurn(mine, coms, d0, d1, moves);
        st.myBar = static_cast<int16_t>(myBar);
        st.myOff = static_cast<int16_t>(st.myOff - myBar);
        FormProbe::refreshBoard(f);
        f.ui.Label1.text = "before";
    }
    std::string lastSound() const {
        for (auto it = pf.calls.rbegin(); it != pf.calls.rend(); ++it)
            if (it->what.rfind("sound ", 0) == 0) return it->what.substr(6);
        return "";
    }
    void expectHandedToCom() {
        EXPECT_EQ(f.ui.Label1.text, texts().rollingDice);
        EXPECT_EQ(f.ui.Label2.text, "");
        EXPECT_EQ(st.turnState, ComTurn);
        EXPECT_EQ(st.movesLeft, 2);
        EXPECT_EQ(st.rollTicks, 0);
        EXPECT_TRUE(f.ui.Timer2.enabled());
    }
    // The calls of the platform from the end, without the music watchdog's queries.
    std::vector<std::string> lastCalls(size_t n) const {
        std::vector<std::string> out;
        for (const auto& c : pf.calls)
            if (c.what.rfind("mode ", 0) != 0) out.push_back(c.what);
        if (out.size() > n) out.erase(out.begin(), out.end() - static_cast<long>(n));
        return out;
    }
};

TEST_F(PlayerTest, OneClickOneMove) {
    struct Case {
        const char* what;
        const char* mine;
        const char* coms;
        int d0;
        int slot;
        const char* mineAfter;
        const char* comsAfter;
        int comBar, movesLeft, off;
        std::string_view label1;
        std::string_view label2;
        const char* sound;
    };
    const std::string_view refused = texts().refused;
    const Case cases[] = {
        {"move", "0:2", "", 6, 0, "0:1 6:1", "", 0, 1, 0, "You moved  1 to  7",
         "You can move 2 steps.", "kati.wav"},
        {"any slot of the point", "0:2", "", 6, 13, "0:1 6:1", "", 0, 1, 0, "You moved  1 to  7",
         "You can move 2 steps.", "kati.wav"},
        {"hit", "0:2", "17:1", 6, 0, "0:1 6:1", "", 1, 1, 0, "You moved  1 to  7",
         "You can move 2 steps.", "kati.wav"},
        {"target held by COM", "0:2", "17:2", 6, 0, "0:2", "17:2", 0, 2, 0, "before", refused,
         "mistake.wav"},
        {"no checker on the point", "0:2", "", 6, 60, "0:2", "", 0, 2, 0, "before", refused,
         "mistake.wav"},
        {"COM's point", "0:2", "20:2", 6, 60, "0:2", "20:2", 0, 2, 0, "before", refused,
         "mistake.wav"},
        {"target index 23 is a move", "10:1 20:1", "", 3, 400, "10:1 23:1", "", 0, 1, 0,
         "You moved  21 to  24", "You can move 2 steps.", "kati.wav"},
        {"bear-off past checkers on 18, 19", "18:2 19:2 20:1", "", 6, 400, "18:2 19:2", "", 0, 1, 1,
         texts().youBoreOff, "You can move 2 steps.", "kati.wav"},
        {"bear-off before all are home", "10:1 19:1", "", 5, 380, "10:1 19:1", "", 0, 2, 0, refused,
         "You can move 5 steps.", "mistake.wav"},
        {"bear-off from an empty point", "18:2", "", 6, 440, "18:2", "", 0, 2, 0, refused,
         "You can move 6 steps.", "mistake.wav"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        position(c.mine, c.coms, c.d0, 2);
        const int off = st.myOff;
        click(Control::PLACE, c.slot);
        EXPECT_EQ(st.myBoard, points(c.mineAfter));
        EXPECT_EQ(st.comBoard, points(c.comsAfter));
        EXPECT_EQ(st.comBar, c.comBar);
        EXPECT_EQ(st.movesLeft, c.movesLeft);
        EXPECT_EQ(st.myOff - off, c.off);
        EXPECT_EQ(f.ui.Label1.text, c.label1);
        EXPECT_EQ(f.ui.Label2.text, c.label2);
        EXPECT_EQ(lastSound(), c.sound);
        EXPECT_EQ(st.diceMoves[0], c.movesLeft == 1 ? 2 : c.d0);  // the other die comes next
        EXPECT_EQ(st.turnState, PlayerTurn);
    }
}

TEST_F(PlayerTest, MoveTravelsPointByPoint) {
    position("0:2", "", 6, 2);
    clickPoint(0);
    EXPECT_EQ(pf.count("sound kati.wav"), 6);
    EXPECT_EQ(pf.count("sleep 350"), 6);
    position("18:2 20:1", "", 6, 2);
    clickPoint(20);
    EXPECT_EQ(pf.count("sound kati.wav"), 3);
}

TEST_F(PlayerTest, SecondMovePlaysTheOtherDieThenComTakesOver) {
    position("0:2", "", 6, 2);
    clickPoint(0);
    EXPECT_EQ(st.diceMoves[0], 2);
    clickPoint(0);
    EXPECT_EQ(st.myBoard, points("2:1 6:1"));
    expectHandedToCom();
}

TEST_F(PlayerTest, DoubleOfFiveIsFourMoves) {
    position("0:4", "", 5, 5, 4);
    for (int m = 0; m < 3; ++m)
        clickPoint(0);
    EXPECT_EQ(st.myBoard, points("0:1 5:3"));
    EXPECT_EQ(st.movesLeft, 1);
    EXPECT_EQ(st.turnState, PlayerTurn);
    clickPoint(0);
    EXPECT_EQ(st.myBoard, points("5:4"));
    expectHandedToCom();
}

TEST_F(PlayerTest, BearOffWithTheLastMoveHandsOver) {
    position("18:2 20:1", "", 6, 2, 1);
    clickPoint(20);
    EXPECT_EQ(st.myBoard, points("18:2"));
    expectHandedToCom();
}

// The pass of events after a bear-off takes a click already waiting as the next move.
TEST_F(PlayerTest, ClickWaitingAfterABearOffIsTheNextMove) {
    position("18:1 22:1 23:1", "", 1, 2);
    pf.at(pf.now, Event::click(Control::PLACE, 20 * 22));
    clickPoint(23);  // no travel from 23: the pass right after the bear-off delivers the click
    EXPECT_EQ(st.myBoard, points("18:1"));
    EXPECT_EQ(st.myOff, 14);
    expectHandedToCom();
}

TEST_F(PlayerTest, FifteenthCheckerWins) {
    position("23:1", "5:2", 1, 3);
    EXPECT_FALSE(clickPoint(23));
    EXPECT_EQ(st.myOff, 15);
    EXPECT_EQ(f.ui.Label1.text, texts().youWinTitle);
    EXPECT_EQ(f.ui.Label2.text, texts().youWin);
    EXPECT_EQ(f.ui.UPM[14].pic, Pic::CheckerM);
    EXPECT_EQ(pf.restarts, 1);
    EXPECT_EQ(lastCalls(7), (std::vector<std::string>{"events", "sound win.wav", "events",
                                                      "sleep 5000", "events", "restart", "end"}));
}

// From the 15th checker on only Exit and closing act: in the pass right after the bear-off and
// in the one after the 5000 ms pause.
TEST_F(PlayerTest, AfterTheWinOnlyExitActs) {
    struct Case {
        const char* what;
        int64_t delay;
        Event e;
        int restarts;
        std::string_view label2;
    };
    const std::string_view winner = texts().youWin;
    const Case cases[] = {
        {"hand-over right after", 0, Event::dblClick(Control::DICE, 0), 1, winner},
        {"Move cancel right after", 0, Event::command(MenuId::menCansel), 1, winner},
        {"Exit right after", 0, Event::command(MenuId::mnuEnd), 0, "You can move 3 steps."},
        {"hand-over in the pause", 1000, Event::dblClick(Control::DICE, 0), 1, winner},
        {"close in the pause", 1000, Event::close(), 0, winner},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VirtualPlatform p;
        MainForm& g = startedGame(p);
        g.st.myBoard = points("23:1");
        g.st.myOff = 14;
        g.st.diceMoves = {1, 3, 0, 0};
        FormProbe::refreshBoard(g);
        p.at(p.now + c.delay, c.e);  // the bear-off from 23 does not travel: the pass comes first
        EXPECT_FALSE(p.send(Event::click(Control::PLACE, 20 * 23)));
        EXPECT_EQ(p.restarts, c.restarts);
        EXPECT_FALSE(g.ui.Timer2.enabled());
        EXPECT_EQ(g.st.turnState, PlayerTurn);
        EXPECT_EQ(g.ui.Label2.text, c.label2);
    }
}

TEST_F(PlayerTest, EnteringFromTheBar) {
    struct Case {
        const char* what;
        const char* coms;
        int moves;
        const char* mineAfter;
        int myBar, comBar, movesLeft;
        std::string_view label1;
        const char* sound;
        bool rollsAgain;
    };
    const std::string_view refused = texts().refused;
    const Case cases[] = {
        {"free", "", 2, "2:1", 0, 0, 1, "You moved DOWN  to  3", "kati.wav", false},
        {"hit", "21:1", 2, "2:1", 0, 1, 1, "You moved DOWN  to  3", "kati.wav", false},
        {"blocked, two moves left", "21:2", 2, "", 1, 0, 2, refused, "mistake.wav", false},
        {"blocked, one move left", "21:2", 1, "", 1, 0, 2, refused, "mistake.wav", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        position("", c.coms, 3, 5, c.moves, 1);
        const std::string prompt = f.ui.Label2.text;
        click(Control::MED, 17);  // any slot of the bar
        EXPECT_EQ(st.myBoard, points(c.mineAfter));
        EXPECT_EQ(st.myBar, c.myBar);
        EXPECT_EQ(st.comBar, c.comBar);
        EXPECT_EQ(st.comBoard[21], c.comBar ? 0 : total(points(c.coms)));
        EXPECT_EQ(st.movesLeft, c.movesLeft);
        EXPECT_EQ(f.ui.Label1.text, c.label1);
        EXPECT_EQ(lastSound(), c.sound);
        EXPECT_EQ(f.ui.Timer3.enabled(), c.rollsAgain);
        EXPECT_EQ(st.turnState, PlayerTurn);
        if (c.rollsAgain) {
            EXPECT_EQ(st.rollTicks, 0);
        }
        if (c.myBar) {
            EXPECT_EQ(f.ui.Label2.text, prompt);  // a refusal draws nothing
        }
    }
}

TEST_F(PlayerTest, TwoCheckersEnterWithBothDice) {
    position("", "", 2, 5, 2, 2);
    click(Control::MED, 0);
    EXPECT_EQ(st.diceMoves[0], 5);
    click(Control::MED, 1);
    EXPECT_EQ(st.myBoard, points("1:1 4:1"));
    EXPECT_EQ(st.myBar, 0);
    expectHandedToCom();
}

// Both dice blocked: every try is refused, the turn stays until the player passes.
TEST_F(PlayerTest, BothDiceBlockedOnlyRefuse) {
    position("", "22:2 19:2", 2, 5, 2, 2);
    click(Control::MED, 0);
    click(Control::DICE, 0);
    ASSERT_EQ(st.diceMoves[0], 5);
    click(Control::MED, 0);
    EXPECT_EQ(pf.count("sound mistake.wav"), 2);
    EXPECT_EQ(st.myBar, 2);
    EXPECT_EQ(st.movesLeft, 2);
    EXPECT_EQ(st.turnState, PlayerTurn);
    EXPECT_FALSE(f.ui.Timer2.enabled());
    EXPECT_FALSE(f.ui.Timer3.enabled());
}

// Input that does not apply is ignored without a sound: a point while on the bar, anything
// during a roll, during COM's turn or while a checker travels, and a bar or point click with
// no die to play.
TEST_F(PlayerTest, ClicksThatDoNotApplyAreIgnored) {
    struct Case {
        const char* what;
        int myBar;
        int16_t turnState;
        bool rolling;
        int d0;
    };
    const Case cases[] = {
        {"point while on the bar", 1, PlayerTurn, false, 3},
        {"during the player's roll", 1, PlayerTurn, true, 3},
        {"during the player's roll, no bar", 0, PlayerTurn, true, 3},
        {"COM's turn", 1, ComTurn, false, 3},
        {"COM's turn, no bar", 0, ComTurn, false, 3},
        {"no die", 1, PlayerTurn, false, 0},
        {"no die, no bar", 0, PlayerTurn, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        position("0:2 5:2", "", c.d0, 5, 2, c.myBar);
        st.turnState = c.turnState;
        f.ui.Timer3.setEnabled(c.rolling);
        const GameState before = st;
        click(Control::PLACE, 0);
        if (c.myBar == 0 || c.turnState != PlayerTurn || c.rolling || c.d0 == 0)
            click(Control::MED, 0);
        if (c.rolling) click(Control::DICE, 0);
        EXPECT_EQ(st, before);
        EXPECT_EQ(pf.count("sound mistake.wav") + pf.count("sound kati.wav"), 0);
    }
}

TEST_F(PlayerTest, OpeningRollIgnoresClicks) {
    command(MenuId::mnuNew);
    pf.runFor(600);
    st.diceMoves = {3, 5, 0, 0};
    GameState before = st;
    clickPoint(0);
    click(Control::DICE, 0);
    EXPECT_EQ(st, before);
    st.myBar = 1;
    before = st;
    click(Control::MED, 0);
    EXPECT_EQ(st, before);
}

TEST_F(PlayerTest, InputDuringTheTravelIsIgnored) {
    position("0:2", "", 6, 2, 2, 0);
    for (const Event& e : {Event::click(Control::PLACE, 0), Event::click(Control::DICE, 0),
                           Event::dblClick(Control::DICE, 0), Event::command(MenuId::menCansel)})
        pf.at(pf.now + 100, e);
    clickPoint(0);
    EXPECT_EQ(st.myBoard, points("0:1 6:1"));
    EXPECT_EQ(st.movesLeft, 1);
    EXPECT_EQ(st.diceMoves[0], 2);
    EXPECT_EQ(st.turnState, PlayerTurn);
    EXPECT_FALSE(f.ui.Timer2.enabled());
    EXPECT_EQ(f.ui.Label2.text, "You can move 2 steps.");
    EXPECT_EQ(pf.count("sleep 350"), 6);
}

TEST_F(PlayerTest, HoverOutlinesTheTarget) {
    struct Case {
        const char* what;
        const char* mine;
        const char* coms;
        int myBar;
        int d;
        int16_t turnState;
        Control control;
        int index;
        int outlined;  // -1: none
    };
    const Case cases[] = {
        {"own point", "0:2", "", 0, 6, PlayerTurn, Control::PLACE, 7, 6},
        {"target held by COM", "0:2", "17:2", 0, 6, PlayerTurn, Control::PLACE, 0, 6},
        {"to index 23", "20:1", "", 0, 3, PlayerTurn, Control::PLACE, 400, 23},
        {"bear-off", "20:1", "", 0, 6, PlayerTurn, Control::PLACE, 400, -1},
        {"empty point", "0:2", "", 0, 6, PlayerTurn, Control::PLACE, 60, -1},
        {"COM's point", "0:2", "20:2", 0, 6, PlayerTurn, Control::PLACE, 60, -1},
        {"point while on the bar", "0:2", "", 1, 6, PlayerTurn, Control::PLACE, 0, -1},
        {"the bar", "0:2", "", 1, 4, PlayerTurn, Control::MED, 12, 3},
        {"the bar, entry blocked", "0:2", "20:2", 1, 4, PlayerTurn, Control::MED, 0, 3},
        {"the bar, nobody on it", "0:2", "", 0, 4, PlayerTurn, Control::MED, 0, -1},
        {"COM's turn", "0:2", "", 0, 6, ComTurn, Control::PLACE, 0, -1},
        {"COM's turn, bar", "0:2", "", 1, 6, ComTurn, Control::MED, 0, -1},
        {"travelling", "0:2", "", 0, 6, Travelling, Control::PLACE, 0, -1},
        {"no die", "0:2", "", 0, 0, PlayerTurn, Control::PLACE, 0, -1},
        {"no die, bar", "0:2", "", 1, 0, PlayerTurn, Control::MED, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        position(c.mine, c.coms, c.d, 5, 2, c.myBar);
        st.turnState = c.turnState;
        f.ui.Shape1[10].visible = true;  // an earlier outline goes
        pf.send(Event::mouseMove(c.control, c.index));
        for (int k = 0; k < 24; ++k) {
            EXPECT_EQ(f.ui.Shape1[k].visible, k == c.outlined) << k;
            EXPECT_FALSE(f.ui.MM[k].visible || f.ui.CM[k].visible) << k;  // only outlines change
        }
    }  // While the player's dice roll, the outline already follows the die on show.
    for (const auto& [control, index, outlined] :
         {std::tuple{Control::PLACE, 0, 6}, std::tuple{Control::MED, 0, 5}}) {
        position("0:2", "", 6, 5, 2, control == Control::MED ? 1 : 0);
        f.ui.Timer3.setEnabled(true);
        pf.send(Event::mouseMove(control, index));
        f.ui.Timer3.setEnabled(false);
        EXPECT_TRUE(f.ui.Shape1[outlined].visible) << outlined;
    }
}

TEST_F(PlayerTest, HoverFollowsTheExchangedDie) {
    position("0:2", "", 6, 2);
    pf.send(Event::mouseMove(Control::PLACE, 0));
    EXPECT_TRUE(f.ui.Shape1[6].visible);
    click(Control::DICE, 0);
    EXPECT_TRUE(f.ui.Shape1[6].visible);  // stays until the next move of the mouse
    pf.send(Event::mouseMove(Control::PLACE, 0));
    EXPECT_TRUE(f.ui.Shape1[2].visible);
    EXPECT_FALSE(f.ui.Shape1[6].visible);
}

TEST_F(PlayerTest, MoveCancelPassesTheTurnEitherWay) {
    position("0:2", "", 6, 2);
    clickPoint(0);
    command(MenuId::menCansel);  // one move played, the other given up
    EXPECT_EQ(st.myBoard, points("0:1 6:1"));
    EXPECT_EQ(f.ui.Label1.text, texts().rollingDice);
    EXPECT_EQ(f.ui.Label2.text, texts().comsTurn);
    EXPECT_EQ(st.turnState, ComTurn);
    EXPECT_EQ(st.movesLeft, 2);
    EXPECT_EQ(st.rollTicks, 0);
    EXPECT_TRUE(f.ui.Timer2.enabled());

    pf.runFor(2 * 300);  // COM's roll runs
    command(MenuId::menCansel);
    EXPECT_EQ(f.ui.Label1.text, texts().rollingDice);
    EXPECT_EQ(f.ui.Label2.text, texts().yourTurnFirst);
    EXPECT_EQ(st.turnState, PlayerTurn);
    EXPECT_EQ(st.movesLeft, 2);
    EXPECT_EQ(st.rollTicks, 0);
    EXPECT_FALSE(f.ui.Timer2.enabled());
    EXPECT_TRUE(f.ui.Timer3.enabled());
    EXPECT_EQ(st.myBoard, points("0:1 6:1"));
}

}  // namespace
}  // namespace tavorin::test
