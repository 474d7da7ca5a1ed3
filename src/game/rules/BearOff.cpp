#include "BearOff.h"

#include <algorithm>

namespace tavorin {
namespace {
bool allHome(const std::array<int16_t, 24>& board, int bar) {
    return bar <= 0 && std::all_of(board.begin(), board.begin() + 18, [](int n) { return n <= 0; });
}
}  // namespace

bool comAllHome(const GameState& s) {
    return allHome(s.comBoard, s.comBar);
}

bool myAllHome(const GameState& s) {
    return allHome(s.myBoard, s.myBar);
}

bool comOverCount(const GameState& s) {
    int total = s.comBar + s.comOff;
    for (int n : s.comBoard)
        total += n;
    return total > 15;
}

}  // namespace tavorin
