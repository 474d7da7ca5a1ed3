// The full redraw of the board from the game record, and the only writer of the derived fields.
#include <algorithm>

#include "MainForm.h"
#include "core/Texts.h"
#include "rules/BearOff.h"

namespace tavorin {
namespace {

// Counts above 20 can only come from a loaded file: a group never draws past its 20 slots.
int drawable(int count) {
    return std::clamp(count, 0, kSlotsPerPoint);
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
    for (int k = 0; k < kSideSlots; ++k) {
        ui.MED[k].show(ui.KARA);
        ui.CPUD[k].show(ui.KARA);
        ui.UPC[k].show(ui.KARA);
        ui.UPM[k].show(ui.KARA);
    }
    fill(ui.CPUD, st.comBar, ui.komaC);
    fill(ui.MED, st.myBar, ui.komaM);
    fill(ui.UPC, st.comOff, ui.komaC);
    fill(ui.UPM, st.myOff, ui.komaM);
    for (int j = 0; j < kPoints; ++j)
        for (int k = 0; k < drawable(st.myBoard[j]); ++k)
            ui.PLACE[kSlotsPerPoint * j + k].show(ui.komaM);
    // COM's checkers after the player's: on a point counted for both, COM's cover the player's.
    for (int i = 0; i < kPoints; ++i)
        for (int k = 0; k < drawable(st.comBoard[i]); ++k)
            ui.PLACE[kSlotsPerPoint * mirror(i) + k].show(ui.komaC);

    if (st.turnState == PlayerTurn)
        ui.Label2.text = fillText(texts().stepsToMove, {numberText(st.diceMoves[0])});
    showDie(ui.DICE[0], st.diceMoves[0]);
    showDie(ui.DICE[1], st.diceMoves[1]);

    st.comCanBearOff = comAllHome(st) ? 1 : 0;
    st.myCanBearOff = myAllHome(st) ? 1 : 0;
    st.comExcess = comOverCount(st) ? 1 : 0;

    ui.Label3.visible = st.turnState == PlayerTurn;
    if (ui.Label3.visible) ui.Label3.text = fillText(texts().movesLeft, {numberText(st.movesLeft)});
}

}  // namespace tavorin
