#pragma once
// Where the player's click on a point leads with the die in diceMoves[0].
#include "core/GameState.h"

namespace tavorin {

enum class PlayerMove {
    Move,            // inside the board
    BearOff,         // past index 23, every checker home
    Refused,         // inside the board: no checker to move, or COM holds the target
    RefusedBearOff,  // past index 23: no checker to move, or not every checker home
    NoDie,           // diceMoves[0] is no die value: the click does nothing
};

PlayerMove playerMoveFrom(const GameState& s, int p);

}  // namespace tavorin
