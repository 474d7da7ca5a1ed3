#pragma once
// The one record of a game. Plain data: the handlers of MainForm read and write it directly.
#include <array>
#include <cstdint>
#include <string>

namespace tavorin {

// A signed 16-bit count that may hold no value at all. Fields of this kind have no value
// from window creation until first assigned; wherever the game computes with one, no value
// counts as 0. Only the saved-game file tells the two apart (an empty line).
class Opt16 {
public:
    constexpr Opt16() = default;
    constexpr Opt16(int16_t v) : value_(v), has_(true) {}  // NOLINT: assignment from a count
    constexpr operator int16_t() const { return has_ ? value_ : int16_t{0}; }  // NOLINT
    constexpr bool hasValue() const { return has_; }
    constexpr void reset() { *this = Opt16{}; }
    constexpr Opt16& operator+=(int d) { return *this = static_cast<int16_t>(int16_t(*this) + d); }
    constexpr Opt16& operator-=(int d) { return *this = static_cast<int16_t>(int16_t(*this) - d); }
    constexpr bool operator==(const Opt16&) const = default;                // value and presence
    constexpr bool operator==(int v) const { return int16_t(*this) == v; }  // no value is 0

private:
    int16_t value_ = 0;
    bool has_ = false;
};

struct GameState {
    std::array<int16_t, 24> comBoard{};  // COM's checkers, COM's numbering
    std::array<int16_t, 24> myBoard{};   // the player's checkers, the player's numbering
    int16_t rollTicks = 0;
    int16_t turnState = 0;  // 0 player's turn, 1 COM's turn, 2 a checker travels
    Opt16 die1;
    Opt16 die2;
    std::array<int16_t, 4> diceMoves{};  // [0] plays next, [1] the other; [2], [3] only saved
    Opt16 movesLeft;
    Opt16 comBar;
    int16_t myBar = 0;
    Opt16 comOff;
    int16_t myOff = 0;
    Opt16 comCanBearOff;
    Opt16 myCanBearOff;
    int16_t comExcess = 0;
    Opt16 comBestFrom;
    Opt16 comScore;
    Opt16 comBestDie;
    int16_t comBestScore = 0;
    int16_t comEntryState = 0;
    int16_t comBearOffDone = 0;
    std::string bgmFile;

    bool operator==(const GameState&) const = default;
};

enum TurnState : int16_t { PlayerTurn = 0, ComTurn = 1, Travelling = 2 };

// The two numberings: COM's index i and the player's index 23 - i are one physical point.
constexpr int mirror(int index) {
    return 23 - index;
}
// What the user sees: the player's index j is point j + 1, COM's index i is point 24 - i.
constexpr int shownFromPlayer(int j) {
    return j + 1;
}
constexpr int shownFromCom(int i) {
    return 24 - i;
}
// A die value: 1 to 6. Anything else (a 0 from a new game, a loaded file) plays no move.
constexpr bool isDie(int d) {
    return d >= 1 && d <= 6;
}

// Both sides' starting position, in each side's own numbering.
void placeStartingPosition(GameState& s);

}  // namespace tavorin
