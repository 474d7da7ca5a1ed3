// COM's turn: its roll, its entries from the bar, and its move choice by a fixed scoring rule.
#include "MainForm.h"
#include "core/Texts.h"
#include "rules/ComChoice.h"
#include "rules/Entry.h"
#include "rules/Hit.h"

namespace tavorin {

void MainForm::Timer2_Timer() {
    rollBothDice();
    if (st.rollTicks <= 5) return;

    ui.Timer2.setEnabled(false);
    {
        ComPlaysScope com(*this);
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
    }
    comHandBack();
}

// One pass per roll, two for a double. A blocked first die ends the pass without any move.
void MainForm::comBarTurn() {
    const int passes = st.die1 == st.die2 ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int d0 = st.diceMoves[0];
        const int d1 = st.diceMoves[1];
        st.comEntryState = 0;
        if (!comEntryOpen(st, d0)) {
            st.comEntryState = 3;
            continue;
        }
        st.comEntryState = 1;
        if (st.comBar >= 1) {
            comEnter(d0);
            if (st.comBar >= 1) {
                if (!comEntryOpen(st, d1)) {
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

void MainForm::comEnter(int d) {
    st.comBar -= 1;
    st.comBoard[entryIndex(d)] += 1;
    hitLoneChecker(st, Side::Player, mirror(entryIndex(d)));
    ui.Label1.text = fillText(texts().comEntered, {numberText(shownFromCom(entryIndex(d)))});
    pf_.sound.playSound("kati.wav");
    refreshBoard();
    pause(3000);
}

void MainForm::comHandBack() {
    ui.Label1.text = texts().rollingDice;
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
    const ComSearch found = comBestMove(st, d);
    st.comBestFrom = found.bestFrom;
    st.comBestDie = found.bestDie;
    st.comScore = found.lastScore;
    st.comBestScore = found.bestScore;
}

void MainForm::comPlayFrom(int from, int d) {
    MoveInFlight move(*this);
    st.comBoard[from] -= 1;
    ui.Label1.text = fillText(texts().comMoved,
                              {numberText(shownFromCom(from)), numberText(shownFromCom(from + d))});
    animateMove(shownFromCom(from), shownFromCom(from + d));
    st.comBoard[from + d] += 1;
    hitLoneChecker(st, Side::Player, mirror(from + d));
}

void MainForm::comBearOff(int d) {
    if (const auto i = comBearOffFrom(st, d)) {
        if (st.comOff + 1 > 14) {
            st.comBoard[*i] -= 1;  // the 15th checker leaves its point before the end is shown
            st.comOff += 1;
            comWins();
        }
        MoveInFlight move(*this);
        st.comOff += 1;
        ui.Label1.text = fillText(texts().comBoreOff, {numberText(shownFromCom(*i))});
        animateMove(shownFromCom(*i), 1);
        st.comBearOffDone = 1;
        st.comBoard[*i] -= 1;
    } else if (const auto from = comHomeMoveFrom(st, d)) {
        comPlayFrom(*from, d);  // nothing borne off: the rearmost home checker moves within home
    }
}

void MainForm::comWins() {
    gameOver_ = true;
    ui.Label1.text = texts().comWinsTitle;
    ui.Label2.text = texts().comWins;
    refreshBoard();
    pf_.sound.playSound("gameover.wav");
    pause(5000);
    endOfGame();
}

}  // namespace tavorin
