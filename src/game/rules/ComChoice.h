#pragma once
// COM's choice of a move for one die: a fixed scoring rule, no randomness.
#include <optional>

#include "core/GameState.h"

namespace tavorin {

// The outcome of the candidate search, as the game record keeps it.
struct ComSearch {
    int16_t bestFrom = 0;   // COM index of the best candidate; 0 when none
    int16_t bestDie = 0;    // the die it was found for; 0 when none
    int16_t bestScore = 0;  // 0 means no candidate
    int16_t lastScore = 0;  // score of the last candidate looked at (the lowest index)
};

// The score of moving COM's checker on index i by d, or nothing when that is no candidate
// (past index 23, no COM checker there, or two or more player checkers on the target).
std::optional<int> comScore(const GameState& s, int i, int d);

// Scans from index 23 down; a strictly better score wins, so a tie keeps the higher index.
ComSearch comBestMove(const GameState& s, int d);

// The checker d bears off: the first occupied index from 24 - d (exact) up to 23 (nearer).
std::optional<int> comBearOffFrom(const GameState& s, int d);

// When d bears nothing off: the rearmost home checker whose target d leaves open.
std::optional<int> comHomeMoveFrom(const GameState& s, int d);

}  // namespace tavorin
