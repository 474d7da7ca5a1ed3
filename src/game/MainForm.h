#pragma once
// The main window's handlers: the whole game, driven by the window's events. It owns the game
// record and the model of the window, and reaches everything outside through the roles of its
// Platform.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "Model.h"
#include "Platform.h"
#include "core/GameState.h"
#include "core/NumberText.h"

namespace tavorin {
namespace test {
struct FormProbe;  // the tests' way to the private procedures below
}

enum class Control { None, PLACE, MED, DICE };

// Where the game stands, the one thing every guard asks. Derived from the record and the timers:
// the record's turnState keeps the values saved games hold.
enum class Phase {
    Title,        // no game yet: only New Game, Open, the music and Exit
    OpeningRoll,  // Timer1 rolls one die for each side
    PlayerRoll,   // Timer3 rolls the player's dice
    PlayerMoves,  // the player's dice are fixed: points, the bar and the dice answer
    ComRoll,      // Timer2 rolls COM's dice
    ComPlays,     // COM moves, pausing between its moves
    Travelling,   // a checker travels point by point
    Over,         // the 15th checker is off: only Exit, closing and the music's watchdog
};

struct Event {
    enum Kind { Click, DblClick, MouseMove, Menu, Tick, Close } kind = Click;
    Control control = Control::None;
    int index = 0;
    MenuId menu = MenuId::mnuFile;
    TimerId timer = TimerId::Timer1;

    static Event click(Control c, int i) { return {Click, c, i}; }
    static Event dblClick(Control c, int i) { return {DblClick, c, i}; }
    static Event mouseMove(Control c, int i) { return {MouseMove, c, i}; }
    static Event command(MenuId m) { return {Menu, Control::None, 0, m}; }
    static Event tick(TimerId t) { return {Tick, Control::None, 0, MenuId::mnuFile, t}; }
    static Event close() { return {Close}; }
};

// What the window answers at once, also while the game pauses: its menus, closing it, and the
// music watchdog, so a track that ends in a pause starts again without a gap. Board input and
// the turn timers wait for the pass after the pause.
inline bool answersInPause(const Event& e) {
    return e.kind == Event::Menu || e.kind == Event::Close ||
           (e.kind == Event::Tick && e.timer == TimerId::Timer4);
}

class MainForm {
public:
    explicit MainForm(Platform platform);
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    GameState st;
    MainModel ui;

    // The one way in for the window's events: applies the guards every handler shares.
    void deliver(const Event& e);

    Phase phase() const;

    // Start-up, new game and exit.
    void Form_Load();
    void Form_Unload();
    void mnuNew_Click();
    void mnuEnd_Click();
    // Rolls and the hand-over.
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void DICE_Click(int index);
    void DICE_DblClick(int index);
    void menCansel_Click();
    // The player's moves.
    void PLACE_Click(int index);
    void MED_Click(int index);
    void PLACE_MouseMove(int index);
    void MED_MouseMove(int index);
    // Saved games.
    void mnuSaveAs_Click();
    void mnuOpen_Click();
    // Music.
    void Timer4_Timer();
    void menBGMPlay_Click();
    void mnuBGMStop_Click();
    void mnuMselect_Click();

private:
    friend struct test::FormProbe;

    void refreshBoard();
    void animateMove(int from, int to);
    void comMove(int mode);

    void bgmPlay(const std::string& name);
    void bgmClose(const std::string& name);
    std::string bgmMode(const std::string& name);

    void gameStarts();
    void showMenus();
    bool playerToMove() const;
    void pause(int ms);
    int rollDie();
    void rollBothDice();
    void showDie(Image& slot, int value);
    void swapDice();
    void handOver();
    void handOverToCom(std::string_view label2 = {});
    void startPlayerRoll();
    void refuse(Label& where);
    void bearOffPlayer(int p);
    void movePlayer(int p, int t);
    void finishMove();
    void handOverIfDone();
    void endOfGame();
    // COM.
    void comBarTurn();
    void comEnter(int d);
    void comMoveAfterEntry();
    void comHandBack();
    void comPlayDie(int d);
    void comSearch(int d);
    void comPlayFrom(int from, int d);
    void comBearOff(int d);
    void comWins();

    // A move takes its checker off before it travels and lands it after; a save made in
    // between writes the position from before the move.
    class MoveInFlight {
    public:
        explicit MoveInFlight(MainForm& f) : f_(f) {
            if (!f_.beforeMove_) f_.beforeMove_ = f_.st;
        }
        ~MoveInFlight() { f_.beforeMove_.reset(); }
        MoveInFlight(const MoveInFlight&) = delete;
        MoveInFlight& operator=(const MoveInFlight&) = delete;

    private:
        MainForm& f_;
    };

    // COM plays for the length of a scope; so a tick or a click in its pauses finds it busy.
    class ComPlaysScope {
    public:
        explicit ComPlaysScope(MainForm& f) : f_(f), was_(f.comPlays_) { f_.comPlays_ = true; }
        ~ComPlaysScope() { f_.comPlays_ = was_; }
        ComPlaysScope(const ComPlaysScope&) = delete;
        ComPlaysScope& operator=(const ComPlaysScope&) = delete;

    private:
        MainForm& f_;
        bool was_;  // a scope inside another leaves COM playing
    };

    Platform pf_;
    bool gameUnderWay_ = false;
    bool gameOver_ = false;
    bool comPlays_ = false;
    std::optional<GameState> beforeMove_;
};

}  // namespace tavorin
