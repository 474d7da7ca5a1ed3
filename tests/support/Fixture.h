#pragma once
// A started game on the virtual clock, and boards written as strings.
#include <gtest/gtest.h>

#include <string_view>

#include "Boards.h"
#include "FormProbe.h"
#include "VirtualPlatform.h"

namespace tavorin::test {

// New Game on a platform of the caller's, with the opening roll decided by the given dice
// (player's, COM's); the default lets the player begin.
inline MainForm& startedGame(VirtualPlatform& p, int mine = 6, int coms = 1) {
    MainForm& f = p.started() ? p.form() : p.start();
    for (int t = 0; t < 6; ++t)
        p.queueDice({mine, coms});
    p.send(Event::command(MenuId::mnuNew));
    p.runFor(7 * 300);
    return f;
}

class GameTest : public ::testing::Test {
protected:
    VirtualPlatform pf;
    MainForm& f = pf.start();
    GameState& st = f.st;

    // Dice queued and never rolled would be played by whatever the test does next.
    void TearDown() override {
        EXPECT_TRUE(pf.randoms.empty()) << pf.randoms.size() << " queued dice were never rolled";
    }

    // New Game with the opening roll decided by the given dice (player's, COM's).
    void newGameDecidedBy(int mine, int coms) { startedGame(pf, mine, coms); }
    // A position in the middle of the player's turn, no roll or COM turn running. The first
    // call starts the game; rows of a table after it reuse that game (New Game is offered only
    // once), with whatever roll a row left running stopped.
    void playerTurn(std::string_view mine, std::string_view coms, int d0, int d1, int moves = 2) {
        if (f.phase() != Phase::Title) {
            f.ui.Timer2.setEnabled(false);
            f.ui.Timer3.setEnabled(false);
            st.turnState = PlayerTurn;
        } else {
            newGameDecidedBy(6, 1);
        }
        st.myBoard = points(mine);
        st.comBoard = points(coms);
        st.diceMoves[0] = static_cast<int16_t>(d0);
        st.diceMoves[1] = static_cast<int16_t>(d1);
        st.movesLeft = static_cast<int16_t>(moves);
        st.myOff = static_cast<int16_t>(15 - total(st.myBoard) - st.myBar);
        st.comOff = static_cast<int16_t>(15 - total(st.comBoard) - st.comBar);
        FormProbe::refreshBoard(f);
        pf.clearCalls();
    }
    bool click(Control c, int index) { return pf.send(Event::click(c, index)); }
    bool clickPoint(int j) { return click(Control::PLACE, 20 * j); }
    bool command(MenuId m) { return pf.send(Event::command(m)); }
};

}  // namespace tavorin::test

namespace tavorin::test {

// A player for whole games against COM: mostly useful moves, now and then any input at all,
// sent at once or scheduled to land later inside a roll, an animation or one of COM's pauses.
// It passes when it cannot move, so every game comes to an end.
class SoakPlayer {
public:
    explicit SoakPlayer(uint64_t seed) : rng_(seed) {}

    // Called whenever the clock stops between handlers, with no handler running.
    std::function<void()> idle;

    // New Game, then play until the program ends (true) or the clock reaches limitMs (false).
    bool playGame(VirtualPlatform& pf, int64_t limitMs) {
        if (!pf.send(Event::command(MenuId::mnuNew))) return true;
        while (pf.now < limitMs) {
            if (!pf.runFor(between(20, 900))) return true;
            if (idle) idle();
            const int r = between(0, 99);
            bool alive = true;
            if (r < 8)
                pf.at(pf.now + between(0, 6000), noise());
            else if (r < 14)
                alive = pf.send(noise());
            else if (myMove(pf.form()))
                alive = pf.send(usefulMove(pf.form().st));
            if (!alive) return true;
        }
        return false;
    }

private:
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    // The player's turn with the dice fixed: no roll runs and COM is not on.
    static bool myMove(const MainForm& f) { return f.phase() == Phase::PlayerMoves; }
    static bool canEnter(const GameState& s, int d) {
        return d >= 1 && d <= 6 && s.comBoard[24 - d] < 2;
    }
    // The points a click with die d moves a checker from.
    static std::vector<int> movable(const GameState& s, int d) {
        std::vector<int> from;
        if (d < 1 || d > 6) return from;
        for (int p = 0; p < 24; ++p) {
            if (s.myBoard[p] <= 0) continue;
            if (p + d <= 23 ? s.comBoard[mirror(p + d)] < 2 : s.myCanBearOff == 1)
                from.push_back(p);
        }
        return from;
    }
    Event usefulMove(const GameState& s) {
        const int d0 = s.diceMoves[0], d1 = s.diceMoves[1];
        const bool mayExchange = s.movesLeft == 2 && d0 != d1;
        if (s.myBar > 0) {
            if (canEnter(s, d0)) return Event::click(Control::MED, between(0, 19));
            if (mayExchange && canEnter(s, d1)) return Event::click(Control::DICE, between(0, 1));
            return pass();
        }
        std::vector<int> from = movable(s, d0);
        if (!from.empty()) {  // mostly a move that lands safe, hits or bears off
            std::vector<int> good;
            for (int p : from)
                if (p + d0 > 23 || s.myBoard[p + d0] > 0 || s.comBoard[mirror(p + d0)] == 1)
                    good.push_back(p);
            if (!good.empty() && between(0, 3) > 0) from = good;
            const int p = from[static_cast<size_t>(between(0, static_cast<int>(from.size()) - 1))];
            return Event::click(Control::PLACE, 20 * p + between(0, 19));
        }
        if (mayExchange && !movable(s, d1).empty())
            return Event::click(Control::DICE, between(0, 1));
        return pass();
    }
    Event pass() {
        return between(0, 1) ? Event::dblClick(Control::DICE, between(0, 1))
                             : Event::command(MenuId::menCansel);
    }
    Event noise() {
        switch (between(0, 9)) {
            case 0:
                return Event::click(Control::MED, between(0, 19));
            case 1:
                return Event::click(Control::DICE, between(0, 3));
            case 2:
                return Event::dblClick(Control::DICE, between(0, 3));
            case 3:
                return Event::mouseMove(Control::PLACE, between(0, 479));
            case 4:
                return Event::mouseMove(Control::MED, between(0, 19));
            case 5:
                return Event::command(MenuId::menCansel);
            case 6:
                return Event::command(MenuId::mnuSaveAs);  // the dialog is cancelled
            case 7:
                return Event::command(between(0, 1) ? MenuId::menBGMPlay : MenuId::mnuBGMStop);
            case 8:
                return Event::command(between(0, 1) ? MenuId::mnuNew : MenuId::mnuOpen);
            default:
                return Event::click(Control::PLACE, between(0, 479));
        }
    }

    std::mt19937_64 rng_;
};

}  // namespace tavorin::test
