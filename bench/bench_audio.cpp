// What the game pays on its own thread for sound: starting an effect (every roll tick and every
// step of a travelling checker) and one query of the music's state (the music watchdog asks on
// every tick). SDL runs on its dummy driver unless SDL_AUDIODRIVER says otherwise.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "audio/SdlAudio.h"

namespace tavorin {
namespace {

// One device per process: the mixer is opened once and shared by every benchmark.
SdlAudio& audio() {
    static SdlAudio a(TAVORIN_BENCH_ASSETS);
    return a;
}

void BM_PlaySound(benchmark::State& state) {
    if (!audio().deviceOpen()) {
        state.SkipWithError("no audio device");
        return;
    }
    const std::string name = "dice.wav";
    audio().playSound(name);  // loaded already; this one only warms the channel
    for (auto _ : state)
        audio().playSound(name);
}
BENCHMARK(BM_PlaySound);

void BM_MusicModePlaying(benchmark::State& state) {
    if (!audio().deviceOpen()) {
        state.SkipWithError("no audio device");
        return;
    }
    const std::string file = "bgm1.mp3";
    audio().musicPlay(file);
    if (audio().musicMode(file) != "playing") {
        state.SkipWithError("the music did not start");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(audio().musicMode(file));
    audio().musicClose(file);
}
BENCHMARK(BM_MusicModePlaying);

void BM_MusicModeNotOpen(benchmark::State& state) {
    const std::string file = "bgm1.mp3";
    for (auto _ : state)
        benchmark::DoNotOptimize(audio().musicMode(file));
}
BENCHMARK(BM_MusicModeNotOpen);

}  // namespace
}  // namespace tavorin

int main(int argc, char** argv) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);  // no sound server needed; "disk" works as well
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
