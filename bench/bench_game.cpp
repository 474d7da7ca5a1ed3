// The game's speed on the virtual clock: whole games of the soak's player against COM, one of
// COM's move calls on a set position, and the full redraw of the board. Pauses and travels
// take no real time here, so the figures are the cost of the rules and the redraws alone.
#include <benchmark/benchmark.h>

#include "support/Fixture.h"

namespace tavorin::test {
namespace {

constexpr int64_t kGameLimitMs = 6 * 3600 * 1000;

void BM_WholeGame(benchmark::State& state) {
    uint64_t seed = 1;
    int64_t virtualMs = 0;
    for (auto _ : state) {
        VirtualPlatform pf;
        pf.rng.seed(seed);
        pf.start();
        SoakPlayer player(seed++);
        benchmark::DoNotOptimize(player.playGame(pf, kGameLimitMs));
        virtualMs += pf.now;
    }
    state.counters["games/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["virtual_min/game"] =
        static_cast<double>(virtualMs) / 60000.0 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_WholeGame)->Unit(benchmark::kMillisecond);

// A game the player begins, then a middle-game position with COM on turn.
MainForm& comOnTurn(VirtualPlatform& pf) {
    MainForm& f = startedGame(pf);
    f.st.myBoard = points("0:2 4:1 11:4 16:3 18:3 21:2");
    f.st.comBoard = points("0:1 3:2 11:4 14:1 16:2 18:3 20:2");
    f.st.diceMoves = {3, 5, 0, 0};
    f.st.turnState = ComTurn;
    FormProbe::refreshBoard(f);
    return f;
}

// Both dice of a roll: two searches, two moves with their travels, redraws and pauses.
void BM_ComMove(benchmark::State& state) {
    VirtualPlatform pf;
    MainForm& f = comOnTurn(pf);
    const GameState start = f.st;
    for (auto _ : state) {
        f.st = start;
        FormProbe::comMove(f, 0);
        pf.clearCalls();
    }
}
BENCHMARK(BM_ComMove)->Unit(benchmark::kMicrosecond);

// A die with no candidate: the search alone, then the redraw and the (virtual) pause.
void BM_ComSearchOnly(benchmark::State& state) {
    VirtualPlatform pf;
    MainForm& f = comOnTurn(pf);
    f.st.comBoard = points("17:1 19:2 23:2");
    f.st.myBoard = points("1:2");
    f.st.diceMoves = {1, 5, 0, 0};
    FormProbe::refreshBoard(f);
    for (auto _ : state) {
        FormProbe::comMove(f, 1);
        pf.clearCalls();
    }
}
BENCHMARK(BM_ComSearchOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavorin::test
