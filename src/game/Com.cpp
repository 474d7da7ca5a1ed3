// COM's turn: its roll, its entries from the bar, and its move choice by a fixed scoring rule.
#include "MainForm.h"

namespace tavorin {

namespace {
bool isDie(int d) {
    return d >= 1 && d <= 6;
}
}  // namespace

void MainForm::Timer2_Timer() {
    pf_.seedFromClock();
    st.die1 = static_cast<int16_t>(rollDie());
    st.die2 = static_cast<int16_t>(rollDie());
    pf_.playSound("dice.wav");
    showDie(ui.DICE[0], st.die1);
    showDie(ui.DICE[1], st.die2);
    st.diceMoves[0] = st.die1;
    st.diceMoves[1] = st.die2;
    st.rollTicks += 1;
    if (st.rollTicks <= 5) return;

    ui.Timer2.setEnabled(false);
    ++comPlaying_;
    if (st.comBar < 1) {
        st.rollTicks = 0;
        st.turnState = ComTurn;
        st.movesLeft = 2;
        comMove(0);
        if (st.die1 == st.die2) {  // a double gives four moves
            st.movesLeft = 2;
            comMove(0);
        }
    } else {
        comBarTurn();
    }
    --comPlaying_;
    comHandBack();
}

// One pass per roll, two for a double. A blocked first die ends the pass without any move.
void MainForm::comBarTurn() {
    const int passes = st.die1 == st.die2 ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int d0 = st.diceMoves[0];
        const int d1 = st.diceMoves[1];
        st.comEntryState = 0;
        if (comEntryBlocked(d0)) {
            st.comEntryState = 3;
            continue;
        }
        st.comEntryState = 1;
        if (st.comBar >= 1) {
            comEnter(d0);
            if (st.comBar >= 1) {
                if (comEntryBlocked(d1)) {
                    st.comEntryState = 6;
                } else {
                    st.comEntryState = 4;
                    comEnter(d1);
                }
                continue;
            }
            comMoveAfterEntry();
        } else {  // the first pass of a double emptied the bar: its last two moves
            comMoveAfterEntry();
            comMoveAfterEntry();
        }
    }
}

void MainForm::comMoveAfterEntry() {
    st.rollTicks = 0;
    st.turnState = ComTurn;
    st.movesLeft = 1;
    comMove(st.comEntryState);
}

bool MainForm::comEntryBlocked(int d) const {
    return !isDie(d) || st.myBoard[24 - d] >= 2;
}

void MainForm::comEnter(int d) {
    st.comBar -= 1;
    st.comBoard[d - 1] += 1;
    if (st.myBoard[24 - d] == 1) {  // a lone player checker on the entry point goes to the bar
        st.myBar += 1;
        st.myBoard[24 - d] = 0;
    }
    ui.Label1.text = "COM moved  to " + numberText(25 - d);
    pf_.playSound("kati.wav");
    refreshBoard();
    pause(3000);
}

void MainForm::comHandBack() {
    ui.Label1.text = "Rolling Dice.";
    ui.Label2.text = "";
    refreshBoard();
    startPlayerRoll();
}

void MainForm::comMove(int mode) {
    if (st.comExcess != 0) return;
    if (mode != 1 && mode != 2) {
        comPlayDie(st.diceMoves[0]);
        refreshBoard();
        pause(3000);
    }
    swapDice();
    comPlayDie(st.diceMoves[0]);
    swapDice();
    refreshBoard();
    pause(3000);
}

void MainForm::comPlayDie(int d) {
    comSearch(d);
    st.comBearOffDone = 0;
    if (!isDie(d)) return;
    if (st.comCanBearOff == 1)
        comBearOff(d);
    else if (st.comBestScore > 0)
        comPlayFrom(st.comBestFrom, d);  // no candidate: no move
}

void MainForm::comSearch(int d) {
    st.comBestFrom = 0;
    st.comBestDie = 0;
    st.comScore = 0;
    st.comBestScore = 0;
    if (!isDie(d)) return;
    for (int i = 23; i >= 0; --i) {
        if (i + d > 23 || st.comBoard[i] <= 0 || st.myBoard[mirror(i + d)] > 1) continue;
        int score = st.comBoard[i] == 1 ? 4 : st.comBoard[i] == 2 ? 2 : 3;
        if (st.comBoard[i + d] == 1) score += 3;
        if (st.comBoard[i + d] == 0) score -= 1;
        if (st.myBoard[mirror(i + d)] == 1) score += 4;
        st.comScore = static_cast<int16_t>(score);
        if (st.comScore > st.comBestScore) {  // strict: a tie keeps the higher index
            st.comBestScore = st.comScore;
            st.comBestFrom = static_cast<int16_t>(i);
            st.comBestDie = static_cast<int16_t>(d);
        }
    }
}

void MainForm::comPlayFrom(int from, int d) {
    MoveInFlight move(*this);
    st.comBoard[from] -= 1;
    ui.Label1.text =
        "COM moved " + numberText(shownFromCom(from)) + " to " + numberText(shownFromCom(from + d));
    animateMove(shownFromCom(from), shownFromCom(from + d));
    st.comBoard[from + d] += 1;
    if (st.myBoard[mirror(from + d)] == 1) {  // a lone player checker on the target is hit
        st.myBar += 1;
        st.myBoard[mirror(from + d)] = 0;
    }
}

void MainForm::comBearOff(int d) {
    for (int i = 24 - d; i <= 23; ++i) {  // exactly d, or nearer the end
        if (st.comBoard[i] <= 0) continue;
        if (st.comOff + 1 > 14) {
            st.comBoard[i] -= 1;  // the 15th checker leaves its point before the end is shown
            st.comOff += 1;
            comWins();
        }
        MoveInFlight move(*this);
        st.comOff += 1;
        ui.Label1.text = "COM moved " + numberText(shownFromCom(i)) + " to  UP";
        animateMove(shownFromCom(i), 1);
        st.comBearOffDone = 1;
        st.comBoard[i] -= 1;
        return;
    }
    // Nothing borne off: the rearmost home checker whose target is open moves within home.
    for (int i = 18; i <= 23; ++i) {
        if (st.comBoard[i] > 0 && i + d <= 23 && st.myBoard[mirror(i + d)] < 2) {
            comPlayFrom(i, d);
            return;
        }
    }
}

void MainForm::comWins() {
    gameOver_ = true;
    ui.Label1.text = "Game over !!!";
    ui.Label2.text = "Winner is COM !!";
    refreshBoard();
    pf_.playSound("gameover.wav");
    pause(5000);
    endOfGame();
}

}  // namespace tavorin
