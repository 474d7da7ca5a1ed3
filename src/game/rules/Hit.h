#pragma once
// A lone checker on the point a move lands on goes to its owner's bar.
#include "core/GameState.h"

namespace tavorin {

enum class Side { Player, Com };

// `index` is in the victim's own numbering. Returns whether a checker was hit.
bool hitLoneChecker(GameState& s, Side victim, int index);

}  // namespace tavorin
