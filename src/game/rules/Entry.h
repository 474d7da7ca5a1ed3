#pragma once
// Entering from the bar: a die d enters on the mover's own index d - 1, which is the other
// side's index 24 - d; two or more of the other side's checkers there block it.
#include "core/GameState.h"

namespace tavorin {

constexpr int entryIndex(int d) {
    return d - 1;
}
bool playerEntryOpen(const GameState& s, int d);
bool comEntryOpen(const GameState& s, int d);

}  // namespace tavorin
