#include "GameState.h"

namespace tavorin {

void placeStartingPosition(GameState& s) {
    for (auto* board : {&s.comBoard, &s.myBoard}) {
        (*board)[0] = 2;
        (*board)[11] = 5;
        (*board)[16] = 3;
        (*board)[18] = 5;
    }
}

}  // namespace tavorin
