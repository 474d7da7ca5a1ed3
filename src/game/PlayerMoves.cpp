// The player's moves: clicking a point, entering from the bar, the travelling checker and the
// hover highlight.
#include "MainForm.h"
#include "core/Texts.h"
#include "rules/Entry.h"
#include "rules/Hit.h"
#include "rules/Landing.h"

namespace tavorin {

void MainForm::PLACE_Click(int index) {
    if (phase() != Phase::PlayerMoves || index < 0 || index >= kPlaceSlots) return;
    if (st.movesLeft <= 0 || st.comExcess != 0 || st.myBar != 0) return;
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
    handOverIfDone();
}

void MainForm::movePlayer(int p, int t) {
    ui.Label1.text = fillText(texts().youMoved,
                              {numberText(shownFromPlayer(p)), numberText(shownFromPlayer(t))});
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
    handOverIfDone();
    refreshBoard();
}

// The player's last die is played: the turn goes to COM.
void MainForm::handOverIfDone() {
    if (st.movesLeft < 1 && phase() == Phase::PlayerMoves) handOverToCom();
}

void MainForm::refuse(Label& where) {
    where.text = texts().refused;
    pf_.sound.playSound("mistake.wav");
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
    ui.Label1.text = texts().youBoreOff;
    refreshBoard();
    pf_.pacing.doEvents();
    if (st.myOff <= 14) return;
    ui.Label1.text = texts().youWinTitle;
    ui.Label2.text = texts().youWin;
    pf_.sound.playSound("win.wav");
    pause(5000);
    endOfGame();
}

void MainForm::MED_Click(int /*index*/) {
    if (phase() != Phase::PlayerMoves) return;
    if (st.myBar <= 0 || st.comExcess != 0 || st.movesLeft <= 0) return;
    const int d = st.diceMoves[0];
    if (!isDie(d)) return;
    if (!playerEntryOpen(st, d)) {
        refuse(ui.Label1);
        if (st.movesLeft < 2) startPlayerRoll();  // the roll runs again; the turn stays
        return;
    }
    ui.Label1.text = fillText(texts().youEntered, {numberText(shownFromPlayer(entryIndex(d)))});
    st.myBar -= 1;
    pf_.sound.playSound("kati.wav");
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
    if (isDie(d) && p + d < 24 && st.myBoard[p] > 0 && st.myBar == 0 && playerToMove())
        ui.Shape1[p + d].visible = true;
}

void MainForm::MED_MouseMove(int /*index*/) {
    for (Shape& s : ui.Shape1)
        s.visible = false;
    const int d = st.diceMoves[0];
    if (isDie(d) && st.myBar > 0 && playerToMove()) ui.Shape1[entryIndex(d)].visible = true;
}

namespace {
// turnState 2 for the length of a travel, the side's own value after; the phase reads it.
class TravelScope {
public:
    explicit TravelScope(int16_t& turnState) : turnState_(turnState), side_(turnState) {
        turnState_ = Travelling;
    }
    ~TravelScope() { turnState_ = side_; }
    TravelScope(const TravelScope&) = delete;
    TravelScope& operator=(const TravelScope&) = delete;

private:
    int16_t& turnState_;
    int16_t side_;
};
}  // namespace

// The checker travels point by point; while it does, the phase keeps the user's clicks out.
void MainForm::animateMove(int from, int to) {
    refreshBoard();
    const int side = st.turnState;
    if (side != PlayerTurn && side != ComTurn) return;
    TravelScope travel(st.turnState);
    auto step = [this] {
        pf_.sound.playSound("kati.wav");
        pf_.pacing.doEvents();
        pf_.pacing.sleepMs(350);
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
}

}  // namespace tavorin
