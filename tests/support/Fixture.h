#pragma once
// A started game on the virtual clock, and boards written as strings.
#include <gtest/gtest.h>

#include <sstream>
#include <string_view>

#include "VirtualPlatform.h"

namespace tavorin::test {

// "0:2 11:5 16:3" -> index 0 holds 2, index 11 holds 5, index 16 holds 3; all else 0.
inline std::array<int16_t, 24> points(std::string_view text) {
    std::array<int16_t, 24> b{};
    std::istringstream in{std::string(text)};
    std::string item;
    while (in >> item) {
        const auto colon = item.find(':');
        b.at(std::stoul(item.substr(0, colon))) = static_cast<int16_t>(std::stoi(item.substr(colon + 1)));
    }
    return b;
}

inline int total(const std::array<int16_t, 24>& b) {
    int n = 0;
    for (int v : b) n += v;
    return n;
}

class GameTest : public ::testing::Test {
protected:
    VirtualPlatform pf;
    MainForm& f = pf.start();
    GameState& st = f.st;

    // New Game with the opening roll decided by the given dice (player's, COM's).
    void newGameDecidedBy(int mine, int coms) {
        for (int t = 0; t < 6; ++t) pf.queueDice({mine, coms});
        pf.send(Event::command(MenuId::mnuNew));
        pf.runFor(7 * 300);
    }
    // A position in the middle of the player's turn, no roll or COM turn running.
    void playerTurn(std::string_view mine, std::string_view coms, int d0, int d1, int moves = 2) {
        newGameDecidedBy(6, 1);
        st.myBoard = points(mine);
        st.comBoard = points(coms);
        st.diceMoves[0] = static_cast<int16_t>(d0);
        st.diceMoves[1] = static_cast<int16_t>(d1);
        st.movesLeft = static_cast<int16_t>(moves);
        st.myOff = static_cast<int16_t>(15 - total(st.myBoard) - st.myBar);
        st.comOff = static_cast<int16_t>(15 - total(st.comBoard) - st.comBar);
        f.refreshBoard();
        pf.clearCalls();
    }
    bool click(Control c, int index) { return pf.send(Event::click(c, index)); }
    bool clickPoint(int j) { return click(Control::PLACE, 20 * j); }
    bool command(MenuId m) { return pf.send(Event::command(m)); }
};

}  // namespace tavorin::test
