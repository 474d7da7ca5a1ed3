// COM's turn and move choice, and the travelling checker of both sides.
#include <algorithm>

#include "core/Texts.h"
#include "support/Fixture.h"

namespace tavorin::test {
namespace {

// Records at each pause what the user sees: the travelling pictures visible during a step's
// 350 ms, and Label1 during each of COM's 3000 ms pauses.
class Recorder : public VirtualPlatform {
public:
    std::vector<std::string> frames;
    std::vector<int> turnStates;
    std::vector<std::string> pauseLabels;
    void sleepMs(int ms) override {
        if (ms == 350) {
            std::string shown;
            for (int k = 0; k < 24; ++k) {
                if (form().ui.MM[k].visible)
                    shown += (shown.empty() ? "MM" : " MM") + std::to_string(k);
                if (form().ui.CM[k].visible)
                    shown += (shown.empty() ? "CM" : " CM") + std::to_string(k);
            }
            frames.push_back(shown);
            turnStates.push_back(form().st.turnState);
        }
        if (ms == 3000) pauseLabels.push_back(form().ui.Label1.text);
        VirtualPlatform::sleepMs(ms);
    }
};

// The player passes; COM's roll ends on d1, d2 and its whole turn runs in that sixth tick.
bool comRollsOn(VirtualPlatform& p, int d1, int d2) {
    for (int t = 0; t < 6; ++t)
        p.queueDice({d1, d2});
    p.send(Event::dblClick(Control::DICE, 0));
    p.clearCalls();
    return p.runFor(6 * 300);
}

class ComTest : public GameTest {
protected:
    // COM on turn with this position (each side in its own numbering) and these dice.
    // Cases of a table reuse the game: New Game is offered only once.
    void comPosition(std::string_view mine, std::string_view coms, int d0, int d1, int comBar = 0) {
        st.myBar = 0;
        st.comBar = 0;
        playerTurn(mine, coms, d0, d1);
        st.comBar = static_cast<int16_t>(comBar);
        st.comOff = static_cast<int16_t>(st.comOff - comBar);
        st.turnState = ComTurn;
        f.ui.Label1.text = "before";
        FormProbe::refreshBoard(f);
        pf.clearCalls();
    }
    // The player passes; COM's roll ends on d1, d2 and its whole turn runs in that sixth tick.
    bool comRolls(int d1, int d2) {
        st.turnState = PlayerTurn;
        return comRollsOn(pf, d1, d2);
    }
    // COM's pips: the bar counts as index -1.
    int comPips() const {
        int n = -st.comBar;
        for (int i = 0; i < 24; ++i)
            n += i * st.comBoard[i];
        return n;
    }
};

// Mode 1 plays diceMoves[1] alone; the scores and the choice show in the search fields.
TEST_F(ComTest, ScoresAndPlaysTheBestCandidate) {
    struct Case {
        const char* what;
        const char* coms;
        const char* mine;
        int d;
        int bestFrom, bestScore;
        const char* comsAfter;
        const char* mineAfter;
        int myBar;
        const char* message;
    };
    const Case cases[] = {
        {"lone onto lone COM", "5:1 8:1", "", 3, 5, 7, "8:2", "", 0, "COM moved  19 to  16"},
        {"lone hits lone player", "5:1", "15:1", 3, 5, 7, "8:1", "", 1, "COM moved  19 to  16"},
        {"from two onto empty", "5:2", "", 3, 5, 1, "5:1 8:1", "", 0, "COM moved  19 to  16"},
        {"from three onto lone", "5:3 8:1", "", 3, 5, 6, "5:2 8:2", "", 0, "COM moved  19 to  16"},
        {"tie: higher index", "2:1 6:1", "", 3, 6, 3, "2:1 9:1", "", 0, "COM moved  18 to  15"},
        {"blocked target", "5:1 9:2", "15:2", 3, 9, 1, "5:1 9:1 12:1", "15:2", 0,
         "COM moved  15 to  12"},
        {"never past 23 before all are home", "10:1 19:1 23:1", "", 5, 10, 3, "15:1 19:1 23:1", "",
         0, "COM moved  14 to  9"},
        {"no candidate: no move", "17:1 19:2 23:2", "1:2", 5, 0, 0, "17:1 19:2 23:2", "1:2", 0,
         "before"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        comPosition(c.mine, c.coms, 1, c.d);
        f.ui.PLACE[479].setPicture(Pic::Title);  // the redraw puts it right
        FormProbe::comMove(f, 1);
        EXPECT_EQ(st.comBestScore, c.bestScore);
        EXPECT_EQ(st.comBestFrom, c.bestFrom);
        EXPECT_EQ(st.comBestDie, c.bestScore ? c.d : 0);
        EXPECT_EQ(st.comBoard, points(c.comsAfter));
        EXPECT_EQ(st.myBoard, points(c.mineAfter));
        EXPECT_EQ(st.myBar, c.myBar);
        EXPECT_EQ(f.ui.Label1.text, c.message);
        EXPECT_EQ(st.diceMoves[0], 1);  // the order the call found
        EXPECT_EQ(st.diceMoves[1], c.d);
        EXPECT_NE(f.ui.PLACE[479].pic, Pic::Title);
        EXPECT_EQ(pf.count("sleep 3000"), 1);
    }
}

TEST_F(ComTest, ModeZeroPlaysBothDiceInOrder) {
    comPosition("", "5:1 8:1 12:1", 3, 4);
    FormProbe::comMove(f, 0);
    // The 3 joins the lone 5 to the lone 8 (7); then the 4 moves from the two on 8 onto the
    // lone 12 (5), ahead of the lone 12 to the empty 16 (3).
    EXPECT_EQ(st.comBoard, points("8:1 12:2"));
    EXPECT_EQ(pf.count("sleep 3000"), 2);
    EXPECT_EQ(st.diceMoves[0], 3);
    EXPECT_EQ(st.diceMoves[1], 4);
}

TEST_F(ComTest, BearsOffOrMovesWithinHome) {
    struct Case {
        const char* what;
        const char* coms;
        const char* mine;
        int d;
        const char* comsAfter;
        const char* mineAfter;
        int off;
        const char* message;
    };
    const Case cases[] = {
        {"6 from 20 when 18, 19 are empty", "20:2 22:1", "", 6, "20:1 22:1", "", 1,
         "COM moved  4 to  UP"},
        {"3 from 22 past a checker on 18", "18:2 22:1", "", 3, "18:2", "", 1,
         "COM moved  2 to  UP"},
        {"6 from 23 alone", "23:2", "", 6, "23:1", "", 1, "COM moved  1 to  UP"},
        {"2 with only 19: moves 19 to 21", "19:3", "", 2, "19:2 21:1", "", 0, "COM moved  5 to  3"},
        {"within home: the rearmost moves", "19:1 20:2", "", 2, "20:2 21:1", "", 0,
         "COM moved  5 to  3"},
        {"within home hits", "19:3", "2:1", 2, "19:2 21:1", "", 0, "COM moved  5 to  3"},
        {"within home skips a held point", "18:1 19:3", "3:2", 2, "18:1 19:2 21:1", "3:2", 0,
         "COM moved  5 to  3"},
        {"within home: every target held", "19:3", "2:2", 2, "19:3", "2:2", 0, "before"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        comPosition(c.mine, c.coms, 1, c.d);
        ASSERT_EQ(st.comCanBearOff, 1);
        const int offBefore = st.comOff;
        FormProbe::comMove(f, 1);
        EXPECT_EQ(st.comBoard, points(c.comsAfter));
        EXPECT_EQ(st.myBoard, points(c.mineAfter));
        EXPECT_EQ(st.myBar, total(points(c.mine)) - total(st.myBoard));
        EXPECT_EQ(st.comOff - offBefore, c.off);
        EXPECT_EQ(st.comBearOffDone, c.off);
        EXPECT_EQ(f.ui.Label1.text, c.message);
        EXPECT_EQ(st.comExcess, 0);
    }
}

TEST_F(ComTest, FifteenthCheckerEndsTheGame) {
    comPosition("5:5", "23:1", 1, 2);
    ASSERT_EQ(st.comOff, 14);
    EXPECT_FALSE(comRolls(1, 2));
    EXPECT_EQ(f.ui.Label1.text, texts().comWinsTitle);
    EXPECT_EQ(f.ui.Label2.text, texts().comWins);
    EXPECT_EQ(st.comOff, 15);
    EXPECT_EQ(st.comBoard[23], 0);
    EXPECT_EQ(f.ui.UPC[14].pic, Pic::CheckerC);  // drawn off, and gone from its point
    EXPECT_EQ(f.ui.PLACE[0].pic, Pic::Blank);
    EXPECT_EQ(pf.count("sleep 350"), 0);  // no travel for the last checker
    EXPECT_EQ(f.phase(), Phase::Over);
    EXPECT_EQ(pf.restarts, 1);
    std::vector<std::string> tail;
    for (const auto& c : pf.calls)
        if (c.what != "mode bgm1.mp3") tail.push_back(c.what);
    const std::vector<std::string> end = {
        "sound gameover.wav", "events", "sleep 5000", "events", "restart", "end"};
    ASSERT_GE(tail.size(), end.size());
    EXPECT_EQ(std::vector<std::string>(tail.end() - 6, tail.end()), end);
}

// During the 5000 ms pause and the pass of events after it only Exit and closing act.
TEST_F(ComTest, AfterComsWinOnlyExitActs) {
    struct Case {
        Event e;
        int restarts;
    };
    const Case cases[] = {
        {Event::command(MenuId::mnuBGMStop), 1},
        {Event::dblClick(Control::DICE, 0), 1},
        {Event::command(MenuId::mnuEnd), 0},
        {Event::close(), 0},
    };
    for (const Case& c : cases) {
        VirtualPlatform p;
        MainForm& g = startedGame(p);
        g.st.comBoard = points("23:1");
        g.st.comOff = 14;
        FormProbe::refreshBoard(g);
        p.at(p.now + 6 * 300 + 1000, c.e);  // inside the 5000 ms pause
        EXPECT_FALSE(comRollsOn(p, 1, 2));
        EXPECT_EQ(p.restarts, c.restarts);
        EXPECT_TRUE(g.ui.Timer4.enabled());
        EXPECT_FALSE(g.ui.Timer3.enabled());
    }
}

TEST_F(ComTest, OrdinaryTurnThenHandsBack) {
    comPosition("", "0:2 11:5 16:3 18:5", 1, 1);
    const int pips = comPips();
    comRolls(3, 5);
    EXPECT_EQ(comPips() - pips, 8);
    EXPECT_EQ(pf.count("sleep 3000"), 2);
    EXPECT_EQ(pf.count("sound dice.wav"), 6);
    EXPECT_EQ(f.ui.Label1.text, texts().rollingDice);
    EXPECT_EQ(f.ui.Label2.text, "");
    EXPECT_EQ(st.movesLeft, 2);
    EXPECT_EQ(st.rollTicks, 0);
    EXPECT_EQ(st.turnState, PlayerTurn);
    EXPECT_FALSE(f.ui.Timer2.enabled());
    EXPECT_TRUE(f.ui.Timer3.enabled());
    EXPECT_EQ(st.diceMoves[0], 3);
    EXPECT_EQ(st.diceMoves[1], 5);
}

// Sixteen COM checkers counted: COM's moves do nothing, its turn still ends as usual.
TEST_F(ComTest, NoMoveWhileComsCountIsOverFifteen) {
    comPosition("", "0:2 11:5 16:3 18:5", 1, 1);
    st.comOff = 1;
    FormProbe::refreshBoard(f);
    ASSERT_EQ(st.comExcess, 1);
    comRolls(3, 5);
    EXPECT_EQ(st.comBoard, points("0:2 11:5 16:3 18:5"));
    EXPECT_EQ(pf.count("sleep 3000"), 0);
    EXPECT_EQ(pf.count("sleep 350"), 0);
    EXPECT_EQ(f.ui.Label1.text, texts().rollingDice);
    EXPECT_TRUE(f.ui.Timer3.enabled());
}

TEST_F(ComTest, DoubleGivesFourMoves) {
    comPosition("", "0:2 11:5 16:3 18:5", 1, 1);
    const int pips = comPips();
    comRolls(4, 4);
    EXPECT_EQ(comPips() - pips, 16);
    EXPECT_EQ(pf.count("sleep 3000"), 4);
    EXPECT_TRUE(f.ui.Timer3.enabled());
}

TEST_F(ComTest, BarTurns) {
    struct Case {
        const char* what;
        int bar;
        int d1, d2;
        const char* mine;  // blocks an entry point (the player's index 24 - d)
        int barAfter;
        int moves;  // entries and comMove calls, each followed by a 3000 ms pause
        int pips;
        int entryState;
    };
    const Case cases[] = {
        {"1 on the bar", 1, 3, 5, "", 0, 2, 8, 1},
        {"2 on the bar", 2, 3, 5, "", 0, 2, 8, 4},
        {"2 on the bar, second blocked", 2, 3, 5, "19:2", 1, 1, 3, 6},
        {"first blocked, second open", 1, 3, 5, "21:2", 1, 0, 0, 3},
        {"double, 1 on the bar", 1, 4, 4, "", 0, 4, 16, 1},
        {"double, 2 on the bar", 2, 4, 4, "", 0, 4, 16, 1},
        {"double, 3 on the bar", 3, 4, 4, "", 0, 4, 16, 1},
        {"double, 4 on the bar", 4, 4, 4, "", 0, 4, 16, 4},
        {"double, 5 on the bar", 5, 4, 4, "", 1, 4, 16, 4},
        {"double blocked", 2, 4, 4, "20:2", 2, 0, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        comPosition(c.mine, "11:5 16:3", 1, 1, c.bar);
        const int pips = comPips();
        comRolls(c.d1, c.d2);
        EXPECT_EQ(st.comBar, c.barAfter);
        EXPECT_EQ(pf.count("sleep 3000"), c.moves);
        EXPECT_EQ(comPips() - pips, c.pips);
        EXPECT_EQ(st.comEntryState, c.entryState);
        EXPECT_EQ(total(st.comBoard) + st.comBar + st.comOff, 15);
        EXPECT_EQ(st.myBoard, points(c.mine));
        EXPECT_TRUE(f.ui.Timer3.enabled());
        EXPECT_EQ(f.ui.Label1.text, texts().rollingDice);
    }
}

TEST(ComEntry, HitsALonePlayerCheckerAndSaysWhere) {
    Recorder pf;
    MainForm& f = startedGame(pf);
    f.st.myBoard = points("21:1");
    f.st.myOff = 14;
    f.st.comBoard = points("11:5 16:3");
    f.st.comBar = 1;
    f.st.comOff = 6;
    FormProbe::refreshBoard(f);
    comRollsOn(pf, 3, 5);
    ASSERT_FALSE(pf.pauseLabels.empty());
    EXPECT_EQ(pf.pauseLabels[0], "COM moved  to  22");
    EXPECT_EQ(f.st.myBar, 1);
    EXPECT_EQ(f.st.myBoard[21], 0);
    EXPECT_EQ(f.st.comBar, 0);
    EXPECT_EQ(f.st.comBoard[2] + f.st.comBoard[7], 1);  // entered on 2; the 5 may move it on
    EXPECT_EQ(pf.count("sound kati.wav") - pf.count("sleep 350"), 1);  // the entry's own sound
}

// Neither a double-click nor Move cancel breaks into COM's moves, whether a checker travels
// or COM pauses after a move: COM plays on and hands back as usual.
TEST_F(ComTest, HandOverIgnoredWhileComPlays) {
    comPosition("", "0:2 11:5 16:3 18:5", 1, 1);
    // The 3 travels from +0 to +1400, pause; the 5 from +4400 to +6500, pause.
    const int64_t sixth = pf.now + 6 * 300;
    for (int64_t dt : {100, 1200, 6300}) {
        pf.at(sixth + dt, Event::dblClick(Control::DICE, 0));
        pf.at(sixth + dt, Event::command(MenuId::menCansel));
    }
    comRolls(3, 5);
    EXPECT_EQ(pf.count("sleep 3000"), 2);
    EXPECT_EQ(f.ui.Label2.text, "");
    EXPECT_EQ(st.turnState, PlayerTurn);
    EXPECT_TRUE(f.ui.Timer3.enabled());
    EXPECT_FALSE(f.ui.Timer2.enabled());
}

TEST_F(ComTest, HandOverIgnoredWhileComPlaysTheOpening) {
    command(MenuId::mnuNew);
    for (int t = 0; t < 6; ++t)
        pf.queueDice({2, 5});
    for (int64_t dt : {100, 1000, 4000})
        pf.at(7 * 300 + dt, Event::dblClick(Control::DICE, 0));
    pf.runFor(7 * 300);
    EXPECT_EQ(pf.count("sleep 3000"), 2);
    EXPECT_EQ(total(st.comBoard), 15);
    EXPECT_EQ(f.ui.Label2.text, "You can move 2 steps.");
    EXPECT_TRUE(f.ui.Timer3.enabled());
    EXPECT_FALSE(f.ui.Timer2.enabled());
}

TEST(AnimateMove, ShowsTheTravellingCheckerStepByStep) {
    struct Case {
        const char* what;
        int16_t side;
        int from, to;
        std::vector<std::string> frames;
    };
    const Case cases[] = {
        {"player's 6 from index 0", PlayerTurn, 0, 6, {"MM1", "MM2", "MM3", "MM4", "MM5", "MM6"}},
        {"player's bear-off from 20", PlayerTurn, 20, 23, {"MM21", "MM22", "MM23"}},
        {"player's bear-off from 23", PlayerTurn, 23, 23, {}},
        {"COM's 3 from its index 0", ComTurn, 24, 21, {"CM23", "CM22", "CM21", "CM20"}},
        {"COM's bear-off from shown 2", ComTurn, 2, 1, {"CM1", "CM0"}},
        {"a travel already runs", Travelling, 0, 6, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Recorder pf;
        MainForm& f = pf.start();
        f.st.turnState = c.side;
        FormProbe::animateMove(f, c.from, c.to);
        EXPECT_EQ(pf.frames, c.frames);
        EXPECT_EQ(pf.count("sound kati.wav"), static_cast<int>(c.frames.size()));
        EXPECT_EQ(pf.count("events"), static_cast<int>(c.frames.size()));
        for (int ts : pf.turnStates)
            EXPECT_EQ(ts, Travelling);
        EXPECT_EQ(f.st.turnState, c.side);
        for (int k = 0; k < 24; ++k) {
            EXPECT_FALSE(f.ui.MM[k].visible);
            EXPECT_FALSE(f.ui.CM[k].visible);
        }
    }
}

}  // namespace
}  // namespace tavorin::test
