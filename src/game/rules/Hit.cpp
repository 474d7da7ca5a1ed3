#include "Hit.h"

namespace tavorin {

bool hitLoneChecker(GameState& s, Side victim, int index) {
    if (victim == Side::Com) {
        if (s.comBoard[index] != 1) return false;
        s.comBar += 1;
        if (s.comBar <= 0) s.comBar = 1;  // a negative count from a file still shows the hit
        s.comBoard[index] = 0;
    } else {
        if (s.myBoard[index] != 1) return false;
        s.myBar += 1;
        s.myBoard[index] = 0;
    }
    return true;
}

}  // namespace tavorin
