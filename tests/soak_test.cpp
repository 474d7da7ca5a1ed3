// Whole games on the virtual clock: a random player against COM, with the rules of the game
// checked after every handler. TAVORIN_SOAK_GAMES sets the number of games (1000 by default),
// TAVORIN_SOAK_SEED the first seed; game g plays with seed first + g, so a failing game is
// replayed with TAVORIN_SOAK_SEED=<its seed> TAVORIN_SOAK_GAMES=1.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/Fixture.h"

namespace tavorin::test {
namespace {

// Far beyond the longest game seen (under an hour of play, pauses included).
constexpr int64_t kLimitMs = 6 * 3600 * 1000;

uint64_t envOr(const char* name, uint64_t fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtoull(v, nullptr, 10) : fallback;
}

int side(const std::array<int16_t, 24>& board, int bar, int off) {
    return total(board) + bar + off;
}

// What is wrong with the game right now, or "" when nothing is.
//
// Counts: a move takes its checker off its point before it travels and lands it after, so while
// a checker travels its side counts 14. COM's bear-off is the exception: it counts the checker
// borne off before the travel and takes it from its point after, so COM counts 16 then. Only
// handlers running inside a travel's pass of events can see these counts; with no travel both
// sides count exactly 15. The same travel makes the redraw at its start see 16 COM checkers,
// so comExcess may be 1 only while that checker travels.
std::string violation(const MainForm& f) {
    const GameState& s = f.st;
    const int mine = side(s.myBoard, s.myBar, s.myOff) - 15;
    const int coms = side(s.comBoard, s.comBar, s.comOff) - 15;
    const bool inFlight = (mine == -1 && coms == 0) || (mine == 0 && (coms == -1 || coms == 1));
    const bool travelling = f.phase() == Phase::Travelling;
    if (travelling ? !inFlight : mine != 0 || coms != 0)
        return "checkers: player " + std::to_string(mine + 15) + ", COM " +
               std::to_string(coms + 15);
    if (!travelling && s.comExcess != 0) return "comExcess set with no checker travelling";
    for (int j = 0; j < 24; ++j) {
        if (s.myBoard[j] < 0 || s.comBoard[j] < 0) return "negative count on a point";
        if (s.myBoard[j] > 0 && s.comBoard[mirror(j)] > 0)
            return "both sides on the player's point " + std::to_string(j);
    }
    if (s.myBar < 0 || s.comBar < 0 || s.myOff < 0 || s.comOff < 0 || s.movesLeft < 0 ||
        s.rollTicks < 0)
        return "negative count";
    for (int k = 0; k < 2; ++k)
        if (s.diceMoves[k] < 0 || s.diceMoves[k] > 6) return "die out of range";
    const int rolls = f.ui.Timer1.enabled() + f.ui.Timer2.enabled() + f.ui.Timer3.enabled();
    if (rolls > 1) return "two rolls at once";
    return "";
}

// What is wrong between handlers: a turn nobody drives. With no handler running, a roll's
// timer belongs to its side, and with no roll running the player must be able to act.
std::string stalled(const MainForm& f) {
    const GameState& s = f.st;
    if (f.phase() == Phase::ComPlays || f.phase() == Phase::Travelling)
        return "COM's turn or a travel outlives its handler";
    if (f.ui.Timer2.enabled())
        return s.turnState == ComTurn ? "" : "COM rolls on the player's turn";
    if (f.ui.Timer1.enabled() || f.ui.Timer3.enabled())
        return s.turnState == PlayerTurn ? "" : "the player rolls on COM's turn";
    if (s.turnState != PlayerTurn || s.movesLeft <= 0) return "nobody's turn";
    return "";
}

struct GameResult {
    bool ended = false;
    bool failed = false;
    int64_t virtualMs = 0;
    bool comWon = false;
};

GameResult playOne(uint64_t seed) {
    GameResult r;
    VirtualPlatform pf;
    pf.rng.seed(seed);
    MainForm& f = pf.start();
    pf.afterEvent = [&] {
        if (r.failed) return;
        const std::string v = violation(f);
        if (v.empty()) return;
        r.failed = true;
        ADD_FAILURE() << "seed " << seed << " at " << pf.now << " ms: " << v;
    };
    SoakPlayer player(seed ^ 0x5DEECE66Dull);
    player.idle = [&] {
        const std::string v = stalled(f);
        if (r.failed || v.empty()) return;
        r.failed = true;
        ADD_FAILURE() << "seed " << seed << " at " << pf.now << " ms: " << v;
    };
    r.ended = player.playGame(pf, kLimitMs);
    r.virtualMs = pf.now;
    r.comWon = f.st.comOff == 15;
    EXPECT_TRUE(r.ended) << "seed " << seed << ": no winner after " << pf.now << " ms";
    EXPECT_EQ(pf.restarts, 1) << "seed " << seed;
    EXPECT_TRUE(f.st.myOff == 15 || f.st.comOff == 15)
        << "seed " << seed << ": ended with player " << f.st.myOff << " off, COM " << f.st.comOff
        << " off";
    pf.calls.clear();
    return r;
}

TEST(Soak, WholeGamesKeepTheRulesAndEndWithAWinner) {
    const uint64_t games = envOr("TAVORIN_SOAK_GAMES", 1000);
    const uint64_t first = envOr("TAVORIN_SOAK_SEED", 1);
    int comWins = 0, failures = 0;
    int64_t sum = 0, longest = 0;
    for (uint64_t g = 0; g < games; ++g) {
        const GameResult r = playOne(first + g);
        comWins += r.comWon;
        failures += r.failed || !r.ended;
        sum += r.virtualMs;
        longest = std::max(longest, r.virtualMs);
        if (failures >= 5) break;  // enough to replay
    }
    std::printf(
        "soak: %llu games from seed %llu, COM won %d; virtual minutes mean %.1f, max %.1f\n",
        static_cast<unsigned long long>(games), static_cast<unsigned long long>(first), comWins,
        sum / 60000.0 / static_cast<double>(games), longest / 60000.0);
}

}  // namespace
}  // namespace tavorin::test
