// The player's moves: clicking a point, entering from the bar, the travelling checker and the
// hover highlight.
#include "MainForm.h"
#include "rules/Entry.h"
#include "rules/Hit.h"
#include "rules/Landing.h"

namespace tavorin {

void MainForm::PLACE_Click(int index) {
    if (rollRunning() || index < 0 || index >= kPlaceSlots)
        return;  // a roll's dice are not yet rolled
    if (st.movesLeft <= 0 || st.turnState != PlayerTurn || st.comExcess != 0 || st.myBar != 0)
        return;
    const int p = index / kSlotsPerPoint;
    switch (playerMoveFrom(st, p)) {
        case PlayerMove::NoDie:
            return;
        case PlayerMove::Move:
            movePlayer(p, p + st.diceMoves[0]);
            break;
        case PlayerMove::Refused:
            refuse(ui.Label2);  // the board is not redrawn
            break;
        case PlayerMove::RefusedBearOff:
            refuse(ui.Label1);
            refreshBoard();
            break;
        case PlayerMove::BearOff:
            bearOffPlayer(p);
            break;
    }
    if (st.movesLeft < 1) handOverToCom();
}

void MainForm::movePlayer(int p, int t) {
    ui.Label1.text =
        "You moved " + numberText(shownFromPlayer(p)) + " to " + numberText(shownFromPlayer(t));
    {
        MoveInFlight move(*this);
        st.myBoard[p] -= 1;
        animateMove(p, t);
        st.myBoard[t] += 1;
        st.movesLeft -= 1;
        hitLoneChecker(st, Side::Com, mirror(t));
    }
    finishMove();
}

// After a move or an entry: the other die comes next, or the turn goes to COM.
void MainForm::finishMove() {
    refreshBoard();
    if (st.movesLeft == 1) swapDice();
    if (st.movesLeft < 1 && st.turnState == PlayerTurn) handOverToCom();
    refreshBoard();
}

void MainForm::refuse(Label& where) {
    where.text = "You can not move it !!";
    pf_.playSound("mistake.wav");
}

void MainForm::bearOffPlayer(int p) {
    {
        MoveInFlight move(*this);
        st.myBoard[p] -= 1;
        animateMove(p, 23);
        st.movesLeft -= 1;
        st.myOff += 1;
    }
    swapDice();
    // From the 15th checker on, the game is over, also in the pass of events just below.
    if (st.myOff > 14) gameOver_ = true;
    ui.Label1.text = "Your peace one up !!";
    refreshBoard();
    pf_.doEvents();
    if (st.myOff <= 14) return;
    ui.Label1.text = "Congratulations!!!";
    ui.Label2.text = "Winner is you !!";
    pf_.playSound("win.wav");
    pause(5000);
    endOfGame();
}

void MainForm::MED_Click(int /*index*/) {
    if (rollRunning()) return;
    if (st.myBar <= 0 || st.comExcess != 0 || st.turnState != PlayerTurn || st.movesLeft <= 0)
        return;
    const int d = st.diceMoves[0];
    if (!isDie(d)) return;
    if (!playerEntryOpen(st, d)) {
        refuse(ui.Label1);
        if (st.movesLeft < 2) startPlayerRoll();  // the roll runs again; the turn stays
        return;
    }
    ui.Label1.text = "You moved DOWN  to " + numberText(shownFromPlayer(entryIndex(d)));
    st.myBar -= 1;
    pf_.playSound("kati.wav");
    st.myBoard[entryIndex(d)] += 1;
    st.movesLeft -= 1;
    hitLoneChecker(st, Side::Com, mirror(entryIndex(d)));
    finishMove();
}

void MainForm::PLACE_MouseMove(int index) {
    for (Shape& s : ui.Shape1)
        s.visible = false;
    if (index < 0 || index >= kPlaceSlots) return;
    const int p = index / kSlotsPerPoint;
    const int d = st.diceMoves[0];
    if (isDie(d) && p + d < 24 && st.myBoard[p] > 0 && st.turnState == PlayerTurn && st.myBar == 0)
        ui.Shape1[p + d].visible = true;
}

void MainForm::MED_MouseMove(int /*index*/) {
    for (Shape& s : ui.Shape1)
        s.visible = false;
    const int d = st.diceMoves[0];
    if (isDie(d) && st.myBar > 0 && st.turnState == PlayerTurn)
        ui.Shape1[entryIndex(d)].visible = true;
}

// The checker travels point by point; while it does, turnState 2 keeps the user's clicks out.
void MainForm::animateMove(int from, int to) {
    refreshBoard();
    const int side = st.turnState;
    if (side != PlayerTurn && side != ComTurn) return;
    ++travelling_;
    st.turnState = Travelling;
    auto step = [this] {
        pf_.playSound("kati.wav");
        pf_.doEvents();
        pf_.sleepMs(350);
    };
    if (side == PlayerTurn) {
        int last = from;
        for (int k = from + 1; k <= to && k <= 23; ++k) {
            if (k >= 1) ui.MM[k - 1].visible = false;
            if (k >= 0) ui.MM[k].visible = true;
            last = k;
            step();
        }
        if (last >= 0 && last <= 23) ui.MM[last].visible = false;
    } else {
        for (int k = from - 1; k >= to - 1 && k >= 0; --k) {
            if (k > 23) continue;
            ui.CM[k].visible = true;
            step();
            ui.CM[k].visible = false;
        }
    }
    st.turnState = static_cast<int16_t>(side);
    --travelling_;
}

}  // namespace tavorin
