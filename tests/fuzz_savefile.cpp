// Fuzz target for the saved-game reader: any bytes either fail cleanly or load a state that
// writes and reads back to the same saved fields, and that is judged playable or refused with
// a reason.
//
// libFuzzer:  clang++ -std=c++20 -g -fsanitize=fuzzer,address,undefined
//                 tests/fuzz_savefile.cpp src/io/SaveFile.cpp -o fuzz_savefile
// Standalone: g++ -std=c++20 -DTAVORIN_FUZZ_STANDALONE -fsanitize=address,undefined
//                 tests/fuzz_savefile.cpp src/io/SaveFile.cpp -o fuzz_savefile
//             ./fuzz_savefile [seconds=10] [max_iterations=0] [seed=clock]   (0: no limit)
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "io/SaveFile.h"

namespace {

using tavorin::GameState;

[[noreturn]] void fail(const char* what, std::string_view input) {
    std::fprintf(stderr, "fuzz_savefile: %s\ninput (%zu bytes): ", what, input.size());
    for (unsigned char c : input)
        std::fprintf(stderr, "\\x%02x", c);
    std::fprintf(stderr, "\n");
    std::abort();
}

// The fields a file does not hold, set so a load that touches them shows.
GameState startState() {
    GameState s;
    s.die1 = 4;
    s.die2 = 6;
    s.comExcess = 1;
    s.bgmFile = "keep.mp3";
    return s;
}

void checkOneInput(std::string_view input) {
    GameState loaded = startState();
    const auto error = tavorin::parseSavedGame(input, loaded);
    if (error) {
        if (error->line < 1 || error->message.empty()) fail("error without line or text", input);
        return;
    }
    const GameState start = startState();
    if (loaded.die1 != start.die1 || loaded.die2 != start.die2 ||
        loaded.comExcess != start.comExcess || loaded.bgmFile != start.bgmFile) {
        fail("a field that is not saved changed", input);
    }
    // Any loaded state is judged playable or not; a refusal always says why.
    if (const auto unplayable = tavorin::findUnplayable(loaded)) {
        if (unplayable->line < 0 || unplayable->line > 43 || unplayable->message.empty())
            fail("an unplayable position without a reason", input);
    }
    const std::string written = tavorin::formatSavedGame(loaded);
    GameState reloaded = startState();
    if (tavorin::parseSavedGame(written, reloaded)) fail("written form does not load", input);
    if (!(reloaded == loaded)) fail("saved fields differ after writing and reading", input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    checkOneInput(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}

#ifdef TAVORIN_FUZZ_STANDALONE
#include <chrono>
#include <random>

namespace {

using Rng = std::mt19937_64;

int16_t anyNumber(Rng& rng) {
    switch (rng() % 4) {
        case 0:
            return static_cast<int16_t>(rng() % 16);
        case 1:
            return static_cast<int16_t>(static_cast<int>(rng() % 21) - 10);
        case 2:
            return (rng() % 2) ? int16_t{32767} : int16_t{-32768};
        default:
            return static_cast<int16_t>(rng());
    }
}

// A state with random saved fields; optional fields are left without a value now and then.
GameState randomState(Rng& rng) {
    GameState s;
    for (auto& v : s.comBoard)
        v = anyNumber(rng);
    for (auto& v : s.myBoard)
        v = anyNumber(rng);
    for (auto& v : s.diceMoves)
        v = anyNumber(rng);
    for (int16_t* f : {&s.rollTicks, &s.turnState, &s.myBar, &s.myOff, &s.comBestScore,
                       &s.comEntryState, &s.comBearOffDone}) {
        *f = anyNumber(rng);
    }
    for (tavorin::Opt16* f : {&s.movesLeft, &s.comBar, &s.comOff, &s.comCanBearOff, &s.myCanBearOff,
                              &s.comBestFrom, &s.comScore, &s.comBestDie}) {
        if (rng() % 3 != 0) *f = anyNumber(rng);
    }
    return s;
}

// The same values on one line separated by commas.
std::string commaForm(const std::string& written) {
    std::string out;
    for (size_t i = 0; i < written.size(); ++i) {
        const char c = written[i];
        if (c == '\r') continue;
        if (c == '\n') {
            out += ',';
        } else if (c == ' ') {
            // the blank between a pair's numbers becomes a comma, other blanks go
            if (!out.empty() && out.back() != ',' && i + 1 < written.size() &&
                written[i + 1] != '\r') {
                out += ',';
            }
        } else {
            out += c;
        }
    }
    return out;
}

void mutate(std::string& s, Rng& rng) {
    static constexpr std::string_view inserts[] = {",", " ", "\t", "\r\n", "\n",    "\r",
                                                   "-", "+", "0",  "9",    "32768", "\xEF\xBB\xBF"};
    const size_t at = s.empty() ? 0 : rng() % (s.size() + 1);
    switch (rng() % 7) {
        case 0:
            if (!s.empty()) s[at % s.size()] ^= static_cast<char>(1u << (rng() % 8));
            break;
        case 1:
            s.insert(at, inserts[rng() % std::size(inserts)]);
            break;
        case 2:
            s.insert(at, 1, static_cast<char>('0' + rng() % 10));
            break;
        case 3:
            if (!s.empty()) s.erase(at % s.size(), 1 + rng() % 4);
            break;
        case 4:
            s.resize(at);
            break;  // truncation
        case 5:
            if (!s.empty()) s[at % s.size()] = inserts[rng() % std::size(inserts)][0];
            break;
        default: {  // duplicate a short stretch
            const size_t from = s.empty() ? 0 : rng() % s.size();
            s.insert(at, s.substr(from, 1 + rng() % 8));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    const unsigned long long maxIterations = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 0;
    const unsigned long long seed =
        argc > 3 ? std::strtoull(argv[3], nullptr, 10)
                 : static_cast<unsigned long long>(
                       std::chrono::steady_clock::now().time_since_epoch().count());
    std::printf("seed %llu\n", seed);
    std::fflush(stdout);
    Rng rng(seed);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    unsigned long long iterations = 0;
    unsigned long long loaded = 0;
    while (maxIterations == 0 || iterations < maxIterations) {
        if (seconds > 0 && iterations % 256 == 0 && std::chrono::steady_clock::now() >= deadline) {
            break;
        }
        const GameState state = randomState(rng);
        std::string text = tavorin::formatSavedGame(state);
        if (rng() % 4 == 0) text = commaForm(text);
        GameState exact = startState();
        if (tavorin::parseSavedGame(text, exact)) fail("a written form does not load", text);
        exact.die1 = state.die1;
        exact.die2 = state.die2;
        exact.comExcess = state.comExcess;
        exact.bgmFile = state.bgmFile;
        if (!(exact == state)) fail("a written form loads different fields", text);
        for (int n = 1 + static_cast<int>(rng() % 8); n > 0; --n)
            mutate(text, rng);
        GameState probe = startState();
        if (!tavorin::parseSavedGame(text, probe)) ++loaded;
        checkOneInput(text);
        ++iterations;
    }
    std::printf("iterations %llu (%llu mutated inputs loaded), seed %llu\n", iterations, loaded,
                seed);
    return 0;
}
#endif
