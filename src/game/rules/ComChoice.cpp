#include "ComChoice.h"

namespace tavorin {

std::optional<int> comScore(const GameState& s, int i, int d) {
    const int t = i + d;
    if (t > 23 || s.comBoard[i] <= 0 || s.myBoard[mirror(t)] > 1) return std::nullopt;
    int score = s.comBoard[i] == 1 ? 4 : s.comBoard[i] == 2 ? 2 : 3;
    if (s.comBoard[t] == 1) score += 3;         // joins a lone COM checker
    if (s.comBoard[t] == 0) score -= 1;         // lands where no COM checker stands
    if (s.myBoard[mirror(t)] == 1) score += 4;  // hits a lone player checker
    return score;
}

ComSearch comBestMove(const GameState& s, int d) {
    ComSearch r;
    if (!isDie(d)) return r;
    for (int i = 23; i >= 0; --i) {
        const auto score = comScore(s, i, d);
        if (!score) continue;
        r.lastScore = static_cast<int16_t>(*score);
        if (*score > r.bestScore) {
            r.bestScore = static_cast<int16_t>(*score);
            r.bestFrom = static_cast<int16_t>(i);
            r.bestDie = static_cast<int16_t>(d);
        }
    }
    return r;
}

std::optional<int> comBearOffFrom(const GameState& s, int d) {
    if (!isDie(d)) return std::nullopt;
    for (int i = 24 - d; i <= 23; ++i)
        if (s.comBoard[i] > 0) return i;
    return std::nullopt;
}

std::optional<int> comHomeMoveFrom(const GameState& s, int d) {
    if (!isDie(d)) return std::nullopt;
    for (int i = 18; i <= 23; ++i)
        if (s.comBoard[i] > 0 && i + d <= 23 && s.myBoard[mirror(i + d)] < 2) return i;
    return std::nullopt;
}

}  // namespace tavorin
