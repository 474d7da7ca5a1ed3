#include "MainForm.h"

#include "core/Texts.h"

#include <algorithm>
#include <utility>

namespace tavorin {

MainForm::MainForm(Platform platform) : pf_(platform) {
    ui.attach(&pf_.pacing);
}

Phase MainForm::phase() const {
    if (gameOver_) return Phase::Over;
    if (!gameUnderWay_) return Phase::Title;
    if (st.turnState == Travelling) return Phase::Travelling;
    if (comPlays_) return Phase::ComPlays;
    if (ui.Timer1.enabled()) return Phase::OpeningRoll;
    if (ui.Timer3.enabled()) return Phase::PlayerRoll;
    if (st.turnState == PlayerTurn) return Phase::PlayerMoves;
    return Phase::ComRoll;  // Timer2 rolls, or is about to
}

// The player's turn, while the dice roll and after: the hover shows where a checker would go.
bool MainForm::playerToMove() const {
    const Phase p = phase();
    return p == Phase::PlayerRoll || p == Phase::PlayerMoves;
}

namespace {
// The roll each timer runs; its ticks count only while that roll is the phase. Timer4, the
// music's watchdog, ticks in every phase.
bool tickCounts(TimerId t, Phase p) {
    switch (t) {
        case TimerId::Timer1:
            return p == Phase::OpeningRoll;
        case TimerId::Timer2:
            return p == Phase::ComRoll;
        case TimerId::Timer3:
            return p == Phase::PlayerRoll;
        case TimerId::Timer4:
            break;
    }
    return true;
}
}  // namespace

void MainForm::deliver(const Event& e) {
    const bool quitting =
        e.kind == Event::Close || (e.kind == Event::Menu && e.menu == MenuId::mnuEnd);
    const bool watchdog = e.kind == Event::Tick && e.timer == TimerId::Timer4;
    // A finished game answers only Exit and closing; its music still loops.
    if (phase() == Phase::Over && !quitting && !watchdog) return;
    switch (e.kind) {
        case Event::Close:
            Form_Unload();
            return;
        case Event::Tick: {
            // A tick of a stopped timer is stale; a roll's handler never re-enters itself, as
            // the phase moves on before its first pause.
            if (!ui.timer(e.timer).enabled() || !tickCounts(e.timer, phase())) return;
            switch (e.timer) {
                case TimerId::Timer1:
                    Timer1_Timer();
                    break;
                case TimerId::Timer2:
                    Timer2_Timer();
                    break;
                case TimerId::Timer3:
                    Timer3_Timer();
                    break;
                case TimerId::Timer4:
                    Timer4_Timer();
                    break;
            }
            return;
        }
        case Event::Menu: {
            if (!ui.item(e.menu).enabled) return;
            switch (e.menu) {
                case MenuId::mnuNew:
                    mnuNew_Click();
                    break;
                case MenuId::mnuSaveAs:
                    mnuSaveAs_Click();
                    break;
                case MenuId::mnuOpen:
                    mnuOpen_Click();
                    break;
                case MenuId::mnuEnd:
                    mnuEnd_Click();
                    break;
                case MenuId::menCansel:
                    menCansel_Click();
                    break;
                case MenuId::menBGMPlay:
                    menBGMPlay_Click();
                    break;
                case MenuId::mnuBGMStop:
                    mnuBGMStop_Click();
                    break;
                case MenuId::mnuMselect:
                    mnuMselect_Click();
                    break;
                default:
                    break;  // menus, the hyphen row and the version line do nothing
            }
            return;
        }
        default:
            break;
    }
    const bool inRange = e.index >= 0 && ((e.control == Control::PLACE && e.index < kPlaceSlots) ||
                                          (e.control == Control::MED && e.index < kSideSlots) ||
                                          (e.control == Control::DICE && e.index < kDiceSlots));
    if (!inRange) return;
    switch (e.control) {
        case Control::PLACE:
            if (e.kind == Event::MouseMove)
                PLACE_MouseMove(e.index);
            else
                PLACE_Click(e.index);  // a quick second click on a point is another move
            break;
        case Control::MED:
            if (e.kind == Event::MouseMove)
                MED_MouseMove(e.index);
            else
                MED_Click(e.index);
            break;
        case Control::DICE:
            if (e.kind == Event::Click)
                DICE_Click(e.index);
            else if (e.kind == Event::DblClick)
                DICE_DblClick(e.index);
            break;
        case Control::None:
            break;
    }
}

void MainForm::Form_Load() {
    st.bgmFile = "bgm1.mp3";
    bgmPlay(st.bgmFile);
    ui.Timer4.setEnabled(true);
    showMenus();
    ui.Label3.visible = false;
    for (int k = 0; k < kPoints; ++k) {
        ui.Shape1[k].visible = false;
        ui.MM[k].visible = false;
        ui.CM[k].visible = false;
    }
}

void MainForm::mnuNew_Click() {
    pf_.dice.seedFromClock();
    // A fresh record, so nothing of an earlier state can leak into the game.
    GameState fresh;
    fresh.bgmFile = st.bgmFile;
    st = fresh;
    placeStartingPosition(st);
    st.diceMoves = {0, 0, 0, 0};
    st.rollTicks = 0;
    st.turnState = PlayerTurn;
    st.movesLeft = 2;
    st.comBar = 0;
    st.myBar = 0;
    ui.Timer4.setInterval(100);
    ui.Timer4.setEnabled(true);
    gameStarts();
    ui.Label3.visible = true;
    ui.Timer1.setEnabled(true);
}

void MainForm::mnuEnd_Click() {
    Form_Unload();
}

// A game begins, new or loaded.
void MainForm::gameStarts() {
    gameUnderWay_ = true;
    showMenus();
}

// New Game and Open before a game, Save As and Move cancel once one is under way.
void MainForm::showMenus() {
    const bool title = phase() == Phase::Title;
    ui.item(MenuId::mnuNew).enabled = title;
    ui.item(MenuId::mnuOpen).enabled = title;
    ui.item(MenuId::mnuSaveAs).enabled = !title;
    ui.item(MenuId::menCansel).enabled = !title;
}

void MainForm::Form_Unload() {
    bgmClose(st.bgmFile);
    pf_.process.endProgram();
}

// The pauses let the window show what was just drawn, then block the game.
void MainForm::pause(int ms) {
    pf_.pacing.doEvents();
    pf_.pacing.sleepMs(ms);
}

// The integer part of r * 6 + 1; never 7, even if the generator ever gave 1.0.
int MainForm::rollDie() {
    return std::clamp(static_cast<int>(pf_.dice.random() * 6 + 1), 1, 6);
}

void MainForm::showDie(Image& slot, int value) {
    slot.show(ui.SAIKORO[value >= 0 && value <= 6 ? value : 0]);
}

void MainForm::swapDice() {
    std::swap(st.diceMoves[0], st.diceMoves[1]);
}

// After the 15th checker is off: an Exit or close that came during the pause ends the program
// here; otherwise the program starts anew for the next game.
void MainForm::endOfGame() {
    pf_.pacing.doEvents();
    if (!pf_.process.restartProgram()) pf_.dialogs.showError(std::string(texts().restartFailed));
    pf_.process.endProgram();
}

}  // namespace tavorin
