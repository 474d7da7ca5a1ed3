// New Game, the opening roll, the player's roll, the dice and the hand-over.
#include "core/Texts.h"
#include "support/Fixture.h"

namespace tavorin::test {
namespace {

TEST_F(GameTest, NewGameSetsUpAndStartsTheOpeningRoll) {
    command(MenuId::mnuNew);
    EXPECT_EQ(st.myBoard, points("0:2 11:5 16:3 18:5"));
    EXPECT_EQ(st.comBoard, points("0:2 11:5 16:3 18:5"));
    EXPECT_EQ(st.movesLeft, 2);
    EXPECT_TRUE(st.comBar.hasValue());
    EXPECT_FALSE(st.comOff.hasValue());
    EXPECT_FALSE(f.ui.item(MenuId::mnuNew).enabled);
    EXPECT_FALSE(f.ui.item(MenuId::mnuOpen).enabled);
    EXPECT_TRUE(f.ui.item(MenuId::mnuSaveAs).enabled);
    EXPECT_TRUE(f.ui.item(MenuId::menCansel).enabled);
    EXPECT_TRUE(f.ui.Label3.visible);
    EXPECT_EQ(f.ui.Timer4.interval(), 100);
    EXPECT_TRUE(f.ui.Timer1.enabled());
    EXPECT_EQ(pf.count("sound dice.wav"), 0);  // New Game itself is silent
    pf.runFor(300);
    EXPECT_EQ(pf.count("sound dice.wav"), 1);
    const GameState before = st;
    command(MenuId::mnuNew);  // offered once a run
    EXPECT_EQ(st.rollTicks, before.rollTicks);
}

TEST_F(GameTest, OpeningRollNeverTiesAndThePlayerBegins) {
    command(MenuId::mnuNew);
    pf.queueDice({3, 3, 6, 1});  // a tie is drawn again
    for (int t = 1; t < 6; ++t)
        pf.queueDice({6, 1});
    pf.runFor(6 * 300);
    EXPECT_EQ(f.ui.saiY.pic, Pic::Die6);
    EXPECT_EQ(f.ui.saiC.pic, Pic::Die1);
    EXPECT_EQ(f.ui.background, Pic::Title);
    pf.runFor(300);  // the seventh tick decides with the pair on screen
    EXPECT_EQ(pf.count("sound dice.wav"), 7);
    EXPECT_FALSE(f.ui.Timer1.enabled());
    EXPECT_EQ(f.ui.background, Pic::Board);
    EXPECT_FALSE(f.ui.saiY.visible);
    EXPECT_EQ(f.ui.Label1.text, texts().yourTurnFirst);
    EXPECT_EQ(f.ui.Label2.text, "You can move 6 steps.");
    EXPECT_EQ(f.ui.Label3.text, " 2 回");
    EXPECT_EQ(f.ui.DICE[0].pic, Pic::Die6);
    EXPECT_EQ(f.ui.DICE[1].pic, Pic::Die1);
    EXPECT_EQ(st.rollTicks, 6);
    EXPECT_EQ(st.turnState, PlayerTurn);
}

TEST_F(GameTest, ComWinsTheOpeningAndPlaysBothDice) {
    newGameDecidedBy(2, 5);
    // The 2 and the 5 were played, each followed by a pause; then the player's roll runs.
    EXPECT_EQ(total(st.comBoard), 15);
    EXPECT_NE(st.comBoard, points("0:2 11:5 16:3 18:5"));
    EXPECT_EQ(pf.count("sleep 3000"), 2);
    EXPECT_EQ(f.ui.Label1.text, texts().rollingDice);
    EXPECT_TRUE(f.ui.Timer3.enabled());
    EXPECT_EQ(st.turnState, PlayerTurn);
    EXPECT_EQ(st.rollTicks, 0);
    EXPECT_EQ(st.diceMoves[0], 2);
    EXPECT_EQ(st.diceMoves[1], 5);
}

TEST_F(GameTest, PlayersRollRunsSixTicksAndFixesTheDice) {
    newGameDecidedBy(2, 5);
    pf.clearCalls();
    for (int t = 0; t < 5; ++t)
        pf.queueDice({1, 2});
    pf.queueDice({3, 3});
    pf.runFor(6 * 300);
    EXPECT_EQ(pf.count("sound dice.wav"), 6);
    EXPECT_FALSE(f.ui.Timer3.enabled());
    EXPECT_EQ(f.ui.Label1.text, texts().yourTurn);
    EXPECT_EQ(st.movesLeft, 4);  // a double
    EXPECT_EQ(f.ui.Label3.text, " 4 回");
    EXPECT_EQ(st.diceMoves[0], 3);
    EXPECT_EQ(st.diceMoves[1], 3);
}

TEST_F(GameTest, ClickOnTheDiceExchangesThemOnlyBeforeTheFirstMove) {
    playerTurn("0:2 11:5 16:3 18:5", "0:2 11:5 16:3 18:5", 6, 2);
    click(Control::DICE, 2);  // the empty third die answers like the others
    EXPECT_EQ(st.diceMoves[0], 2);
    EXPECT_EQ(f.ui.Label2.text, "You can move 2 steps.");
    EXPECT_EQ(f.ui.DICE[0].pic, Pic::Die2);
    click(Control::DICE, 0);
    EXPECT_EQ(st.diceMoves[0], 6);
    st.movesLeft = 1;
    click(Control::DICE, 0);
    EXPECT_EQ(st.diceMoves[0], 6);
    st.movesLeft = 2;
    st.turnState = ComTurn;
    click(Control::DICE, 0);
    EXPECT_EQ(st.diceMoves[0], 6);
}

TEST_F(GameTest, DoubleClickHandsTheTurnToCom) {
    playerTurn("0:2 11:5 16:3 18:5", "0:2 11:5 16:3 18:5", 6, 2, 1);
    pf.send(Event::dblClick(Control::DICE, 1));
    EXPECT_EQ(f.ui.Label1.text, texts().rollingDice);
    EXPECT_EQ(f.ui.Label2.text, texts().comsTurn);
    EXPECT_EQ(st.turnState, ComTurn);
    EXPECT_EQ(st.movesLeft, 2);
    EXPECT_TRUE(f.ui.Timer2.enabled());
}

// The hand-over never starts a second turn beside a running one.
TEST_F(GameTest, HandOverIsIgnoredOrStopsTheRunningRoll) {
    command(MenuId::menCansel);  // greyed before a game
    pf.send(Event::dblClick(Control::DICE, 0));
    EXPECT_FALSE(f.ui.Timer2.enabled());

    command(MenuId::mnuNew);
    pf.send(Event::dblClick(Control::DICE, 0));  // during the opening roll
    EXPECT_FALSE(f.ui.Timer2.enabled());
    EXPECT_FALSE(f.ui.Timer3.enabled());

    for (int t = 0; t < 6; ++t)
        pf.queueDice({6, 1});
    pf.runFor(7 * 300);
    ASSERT_EQ(st.turnState, PlayerTurn);
    command(MenuId::menCansel);
    EXPECT_TRUE(f.ui.Timer2.enabled());
    pf.runFor(300);
    command(MenuId::menCansel);  // COM's roll stops, the player's starts
    EXPECT_FALSE(f.ui.Timer2.enabled());
    EXPECT_TRUE(f.ui.Timer3.enabled());
    EXPECT_EQ(f.ui.Label2.text, texts().yourTurnFirst);
    pf.runFor(300);
    command(MenuId::menCansel);  // the player's roll stops, COM's starts
    EXPECT_FALSE(f.ui.Timer3.enabled());
    EXPECT_TRUE(f.ui.Timer2.enabled());
    EXPECT_EQ(f.ui.Label2.text, texts().comsTurn);
}

TEST_F(GameTest, ClicksDuringARollAreIgnored) {
    newGameDecidedBy(2, 5);  // the player's roll now runs
    ASSERT_TRUE(f.ui.Timer3.enabled());
    const GameState before = st;
    clickPoint(0);
    click(Control::DICE, 0);
    EXPECT_EQ(st.myBoard, before.myBoard);
    EXPECT_EQ(st.diceMoves, before.diceMoves);
}

TEST_F(GameTest, ExitEndsAtOnceEvenInsideComsPause) {
    command(MenuId::mnuNew);
    for (int t = 0; t < 6; ++t)
        pf.queueDice({2, 5});
    pf.at(300 * 7 + 500, Event::command(MenuId::mnuEnd));  // arrives while COM moves
    EXPECT_FALSE(pf.runFor(20'000));
    EXPECT_TRUE(pf.ended);
    EXPECT_EQ(pf.count("close bgm1.mp3"), 1);
    EXPECT_EQ(pf.restarts, 0);
    EXPECT_EQ(pf.count("sleep 3000"), 0);  // COM's first move never finished
}

}  // namespace
}  // namespace tavorin::test
