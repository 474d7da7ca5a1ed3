// The opening roll, the player's roll and the hand-over of the turn between the sides.
#include "MainForm.h"
#include "core/Texts.h"

namespace tavorin {

void MainForm::Timer1_Timer() {
    pf_.sound.playSound("dice.wav");
    if (st.rollTicks <= 5) {
        do {
            st.die1 = static_cast<int16_t>(rollDie());
            st.die2 = static_cast<int16_t>(rollDie());
        } while (st.die1 == st.die2);  // the opening roll never ties
        showDie(ui.saiY, st.die1);
        showDie(ui.saiC, st.die2);
        st.rollTicks += 1;
        return;
    }
    ui.Timer1.setEnabled(false);
    ui.background = Pic::Board;
    ui.saiC.visible = false;
    ui.saiY.visible = false;
    showDie(ui.DICE[0], st.die1);
    showDie(ui.DICE[1], st.die2);
    st.diceMoves[0] = st.die1;
    st.diceMoves[1] = st.die2;
    if (st.die1 > st.die2) {
        ui.Label1.text = texts().yourTurnFirst;
        ui.Label2.text = "";
    } else {
        st.rollTicks = 0;
        st.turnState = ComTurn;
        st.movesLeft = 2;
        {
            ComPlaysScope com(*this);
            comMove(0);
        }
        ui.Label1.text = texts().rollingDice;
        ui.Label2.text = "";
        startPlayerRoll();
    }
    refreshBoard();
}

// Every starter of the player's roll hands it a fresh turn.
void MainForm::startPlayerRoll() {
    st.turnState = PlayerTurn;
    st.rollTicks = 0;
    st.movesLeft = 2;
    ui.Timer3.setEnabled(true);
}

// One frame of a roll, the player's or COM's: two new dice shown and taken as the ones to play.
void MainForm::rollBothDice() {
    pf_.dice.seedFromClock();
    st.die1 = static_cast<int16_t>(rollDie());
    st.die2 = static_cast<int16_t>(rollDie());
    pf_.sound.playSound("dice.wav");
    showDie(ui.DICE[0], st.die1);
    showDie(ui.DICE[1], st.die2);
    st.diceMoves[0] = st.die1;
    st.diceMoves[1] = st.die2;
    st.rollTicks += 1;
}

void MainForm::Timer3_Timer() {
    rollBothDice();
    if (st.rollTicks <= 5) return;
    ui.Timer3.setEnabled(false);
    ui.Label1.text = texts().yourTurn;
    ui.Label2.text = "";
    st.turnState = PlayerTurn;
    st.rollTicks = 0;
    st.movesLeft = st.die1 != st.die2 ? 2 : 4;
    refreshBoard();
}

// Before the first move the two dice change places.
void MainForm::DICE_Click(int /*index*/) {
    if (phase() != Phase::PlayerMoves || st.movesLeft != 2) return;
    swapDice();
    refreshBoard();
}

void MainForm::DICE_DblClick(int /*index*/) {
    handOver();
}

void MainForm::menCansel_Click() {
    handOver();
}

// Passing the turn, by a double-click on the dice or Move cancel. It never starts a second
// turn beside a running one: a running roll is stopped first, and while COM plays or a
// checker travels the command waits for nothing and does nothing.
void MainForm::handOver() {
    const Phase p = phase();
    if (p != Phase::PlayerRoll && p != Phase::PlayerMoves && p != Phase::ComRoll) return;
    ui.Timer2.setEnabled(false);
    ui.Timer3.setEnabled(false);
    if (p != Phase::ComRoll) {
        handOverToCom(texts().comsTurn);
    } else {
        ui.Label1.text = texts().rollingDice;
        ui.Label2.text = texts().yourTurnFirst;
        startPlayerRoll();
    }
}

// The player's turn ends: COM's roll starts at Timer2's next tick.
void MainForm::handOverToCom(std::string_view label2) {
    ui.Label1.text = texts().rollingDice;
    ui.Label2.text = label2;
    st.rollTicks = 0;
    st.turnState = ComTurn;
    st.movesLeft = 2;
    ui.Timer2.setEnabled(true);
}

}  // namespace tavorin
