#include "Entry.h"

namespace tavorin {

bool playerEntryOpen(const GameState& s, int d) {
    return isDie(d) && s.comBoard[mirror(entryIndex(d))] < 2;
}

bool comEntryOpen(const GameState& s, int d) {
    return isDie(d) && s.myBoard[mirror(entryIndex(d))] < 2;
}

}  // namespace tavorin
