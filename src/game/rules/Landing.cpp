#include "Landing.h"

namespace tavorin {

PlayerMove playerMoveFrom(const GameState& s, int p) {
    const int d = s.diceMoves[0];
    if (!isDie(d)) return PlayerMove::NoDie;
    const int t = p + d;
    if (t > 23)
        return s.myCanBearOff == 1 && s.myBoard[p] > 0 ? PlayerMove::BearOff
                                                       : PlayerMove::RefusedBearOff;
    return s.comBoard[mirror(t)] >= 2 || s.myBoard[p] <= 0 ? PlayerMove::Refused : PlayerMove::Move;
}

}  // namespace tavorin
