#pragma once
// Boards written as strings, for tables of positions.
#include <array>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "core/GameState.h"

namespace tavorin::test {

// "0:2 11:5 16:3" -> index 0 holds 2, index 11 holds 5, index 16 holds 3; all else 0.
inline std::array<int16_t, 24> points(std::string_view text) {
    std::array<int16_t, 24> b{};
    std::istringstream in{std::string(text)};
    std::string item;
    while (in >> item) {
        const auto colon = item.find(':');
        b.at(std::stoul(item.substr(0, colon))) =
            static_cast<int16_t>(std::stoi(item.substr(colon + 1)));
    }
    return b;
}

inline int total(const std::array<int16_t, 24>& b) {
    int n = 0;
    for (int v : b)
        n += v;
    return n;
}

// A record with these boards (each side in its own numbering) and nothing else set.
inline GameState position(std::string_view coms, std::string_view mine) {
    GameState s;
    s.comBoard = points(coms);
    s.myBoard = points(mine);
    return s;
}

}  // namespace tavorin::test
