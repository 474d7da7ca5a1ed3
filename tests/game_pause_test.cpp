// The pauses of a travelling checker, of COM's moves and of a won game: the menus, closing and
// the music watchdog answer inside them; the board's input waits for the next pass of events.
#include "support/Fixture.h"

namespace tavorin::test {
namespace {

// The virtual time of the first call `what` at or after `from`, or -1.
int64_t timeOf(const VirtualPlatform& pf, const std::string& what, int64_t from = 0) {
    for (const auto& c : pf.calls)
        if (c.what == what && c.at >= from) return c.at;
    return -1;
}

class PauseTest : public GameTest {
protected:
    // COM wins the opening with 2 and 5; returns when its first 3000 ms pause begins, as a
    // probe run of the same game shows.
    int64_t comsFirstPause() {
        VirtualPlatform probe;
        probe.start();
        for (int t = 0; t < 6; ++t)
            probe.queueDice({2, 5});
        probe.send(Event::command(MenuId::mnuNew));
        probe.runFor(3000);
        const int64_t at = timeOf(probe, "sleep 3000");
        EXPECT_GT(at, 0);
        return at;
    }
};

TEST_F(PauseTest, MenuCommandsInComsPauseActAtOnce) {
    struct Case {
        const char* name;
        Event e;
        const char* firstCall;  // what the platform is asked first, at the command's time
        bool ends;
    };
    const Case cases[] = {
        {"Stop", Event::command(MenuId::mnuBGMStop), "close bgm1.mp3", false},
        {"Save As", Event::command(MenuId::mnuSaveAs), "save", false},
        {"Exit", Event::command(MenuId::mnuEnd), "close bgm1.mp3", true},
        {"closing", Event::close(), "close bgm1.mp3", true},
    };
    const int64_t pauseAt = comsFirstPause();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VirtualPlatform p;
        MainForm& g = p.start();
        for (int t = 0; t < 6; ++t)
            p.queueDice({2, 5});
        p.send(Event::command(MenuId::mnuNew));
        const int64_t when = pauseAt + 1000;
        p.at(when, c.e);
        const bool alive = p.runFor(when + 100);
        EXPECT_EQ(timeOf(p, c.firstCall, pauseAt), when);
        EXPECT_EQ(alive, !c.ends);
        if (c.ends) {
            // The music first, then the end; nothing suspended in the pause ran on.
            ASSERT_GE(p.calls.size(), 2u);
            EXPECT_EQ(p.calls[p.calls.size() - 2].what, "close bgm1.mp3");
            EXPECT_EQ(p.calls.back().what, "end");
            EXPECT_EQ(p.count("sleep 3000"), 1);
            EXPECT_EQ(p.restarts, 0);
        } else {
            // and COM's turn went on to its end
            EXPECT_EQ(p.count("sleep 3000"), 2);
            EXPECT_EQ(g.st.turnState, PlayerTurn);
        }
    }
}

TEST_F(PauseTest, MoveCancelInComsPauseIsIgnored) {
    const int64_t pauseAt = comsFirstPause();
    newGameDecidedBy(2, 5);
    // Replayed to the pause with a cancel inside it.
    VirtualPlatform p;
    MainForm& g = p.start();
    for (int t = 0; t < 6; ++t)
        p.queueDice({2, 5});
    p.send(Event::command(MenuId::mnuNew));
    p.at(pauseAt + 500, Event::command(MenuId::menCansel));
    p.runFor(pauseAt + 20'000);
    pf.runUntil(p.now);
    // The same turn as without it, and the same roll of the player's after it.
    EXPECT_EQ(g.st.comBoard, st.comBoard);
    EXPECT_EQ(p.count("sleep 3000"), 2);
    EXPECT_EQ(p.count("sound dice.wav"), pf.count("sound dice.wav"));
    EXPECT_EQ(g.ui.Label1.text, f.ui.Label1.text);
    EXPECT_EQ(g.st.turnState, st.turnState);
}

// A click made while a checker travels reaches the game in the next pass: inside the travel
// the animation's guard ignores it; after the last step it is the turn's second move.
TEST_F(PauseTest, BoardClickInAPauseWaitsForTheNextPass) {
    struct Case {
        int64_t after;   // ms after the first click, inside the sleep of a step
        int64_t landed;  // when the click reached the game: the pass after that sleep
        bool secondMove;
    };
    const Case cases[] = {{100, 350, false}, {400, 700, false}, {800, 1050, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.after);
        VirtualPlatform p;
        MainForm& g = startedGame(p);
        g.st.myBoard = points("0:2 11:5 16:3 18:5");
        g.st.comBoard = points("0:2 11:5 16:3 18:5");
        g.st.diceMoves = {3, 4, 0, 0};
        g.st.movesLeft = 2;
        p.clearCalls();
        const int64_t t0 = p.now;
        p.at(t0 + c.after, Event::click(Control::PLACE, 20 * 11));  // point 12, by the 4
        p.send(Event::click(Control::PLACE, 0));                    // point 1, by the 3
        p.runFor(0);
        EXPECT_EQ(g.st.myBoard[3], 1);
        EXPECT_EQ(g.st.myBoard[15], c.secondMove ? 1 : 0);
        EXPECT_EQ(g.st.turnState, c.secondMove ? ComTurn : PlayerTurn);  // the turn is over
        EXPECT_EQ(p.count("sound kati.wav"), c.secondMove ? 3 + 4 : 3);
        EXPECT_EQ(p.count("sound mistake.wav"), 0);
        if (c.secondMove) {
            EXPECT_EQ(timeOf(p, "sleep 350", t0 + c.landed), t0 + c.landed);
        }
    }
}

// The music loops inside pauses too: a track that ends in one starts again at once.
TEST_F(PauseTest, MusicWatchdogTicksInComsPause) {
    const int64_t pauseAt = comsFirstPause();
    pf.musicLengthMs = pauseAt + 1000;  // the track ends a second into the pause
    for (int t = 0; t < 6; ++t)
        pf.queueDice({2, 5});
    pf.send(Event::command(MenuId::mnuNew));
    pf.runFor(pauseAt + 2000);
    const int64_t replay = timeOf(pf, "play bgm1.mp3", 1);
    EXPECT_GE(replay, pauseAt + 1000);
    EXPECT_LE(replay, pauseAt + 1100);  // the next 100 ms tick, not the end of the pause
    EXPECT_EQ(timeOf(pf, "close bgm1.mp3"), replay);
}

TEST_F(PauseTest, InTheWinPauseTheMusicLoopsAndExitEndsWithoutARestart) {
    for (bool exits : {false, true}) {
        SCOPED_TRACE(exits ? "Exit" : "no Exit");
        VirtualPlatform p;
        MainForm& g = startedGame(p);
        g.st.myBoard = points("23:1");
        g.st.myOff = 14;
        g.st.diceMoves = {1, 2, 0, 0};
        FormProbe::refreshBoard(g);
        const int64_t t0 = p.now;
        p.musicLengthMs = t0 + 2000;  // ends inside the 5000 ms
        if (exits) p.at(t0 + 3000, Event::command(MenuId::mnuEnd));
        p.send(Event::click(Control::PLACE, 20 * 23));
        EXPECT_TRUE(p.ended);
        EXPECT_GE(timeOf(p, "play bgm1.mp3", t0 + 2000), t0 + 2000);  // looped in the pause
        EXPECT_EQ(p.restarts, exits ? 0 : 1);
        EXPECT_EQ(timeOf(p, "end"), exits ? t0 + 3000 : t0 + 5000);
    }
}

}  // namespace
}  // namespace tavorin::test
