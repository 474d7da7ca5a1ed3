// The full redraw of the board from the game record, and the only writer of the derived fields.
#include <algorithm>

#include "MainForm.h"

namespace tavorin {
namespace {

// Counts above 20 can only come from a loaded file: a group never draws past its 20 slots.
int drawable(int count) {
    return std::clamp(count, 0, 20);
}

template <size_t N>
void fill(std::array<Image, N>& slots, int count, const Image& holder) {
    for (int k = 0; k < drawable(count); ++k)
        slots[k].show(holder);
}

}  // namespace

void MainForm::refreshBoard() {
    for (Image& slot : ui.PLACE)
        slot.show(ui.KARA);
    for (int k = 0; k < 20; ++k) {
        ui.MED[k].show(ui.KARA);
        ui.CPUD[k].show(ui.KARA);
        ui.UPC[k].show(ui.KARA);
        ui.UPM[k].show(ui.KARA);
    }
    fill(ui.CPUD, st.comBar, ui.komaC);
    fill(ui.MED, st.myBar, ui.komaM);
    fill(ui.UPC, st.comOff, ui.komaC);
    fill(ui.UPM, st.myOff, ui.komaM);
    for (int j = 0; j < 24; ++j)
        for (int k = 0; k < drawable(st.myBoard[j]); ++k)
            ui.PLACE[20 * j + k].show(ui.komaM);
    // COM's checkers after the player's: on a point counted for both, COM's cover the player's.
    for (int i = 0; i < 24; ++i)
        for (int k = 0; k < drawable(st.comBoard[i]); ++k)
            ui.PLACE[20 * mirror(i) + k].show(ui.komaC);

    if (st.turnState == PlayerTurn)
        ui.Label2.text = "You can move" + numberText(st.diceMoves[0]) + " steps.";
    showDie(ui.DICE[0], st.diceMoves[0]);
    showDie(ui.DICE[1], st.diceMoves[1]);

    st.comCanBearOff = 1;
    st.myCanBearOff = 1;
    for (int i = 0; i < 18; ++i) {
        if (st.comBoard[i] > 0) st.comCanBearOff = 0;
        if (st.myBoard[i] > 0) st.myCanBearOff = 0;
    }
    if (st.comBar > 0) st.comCanBearOff = 0;
    if (st.myBar > 0) st.myCanBearOff = 0;

    int comTotal = st.comBar + st.comOff;
    for (int n : st.comBoard)
        comTotal += n;
    st.comExcess = comTotal > 15 ? 1 : 0;

    ui.Label3.visible = st.turnState == PlayerTurn;
    if (ui.Label3.visible) ui.Label3.text = numberText(st.movesLeft) + " 回";
}

}  // namespace tavorin
