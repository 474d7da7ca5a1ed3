#pragma once
// The flags the board refresh derives from the record: who may bear off, and whether COM's
// checkers add up to more than fifteen.
#include "core/GameState.h"

namespace tavorin {

// Every checker of that side is on its home indexes 18..23 or borne off.
bool comAllHome(const GameState& s);
bool myAllHome(const GameState& s);
// COM's checkers on the points, on the bar and borne off number more than 15.
bool comOverCount(const GameState& s);

}  // namespace tavorin
