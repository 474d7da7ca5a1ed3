// Save As and Open through the dialogs, on the virtual clock with real files.
#include <filesystem>
#include <fstream>
#include <random>

#include "core/Texts.h"
#include "io/SaveFile.h"
#include "support/Fixture.h"

namespace tavorin::test {
namespace {

namespace fs = std::filesystem;

class SaveLoadTest : public GameTest {
protected:
    fs::path dir =
        fs::temp_directory_path() /
        ("tavorin-saveload-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    std::string file(const std::string& name) { return (dir / name).string(); }
    static std::string read(const std::string& path) {
        std::string text;
        EXPECT_FALSE(readFileStart(path, text));
        return text;
    }
    static void write(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    GameState loadedFrom(const std::string& path) {
        GameState g;
        EXPECT_FALSE(parseSavedGame(read(path), g));
        return g;
    }
};

TEST_F(SaveLoadTest, SaveRightAfterNewGame) {
    command(MenuId::mnuNew);
    pf.dialogAnswers = {file("SaveData.kif")};
    command(MenuId::mnuSaveAs);
    ASSERT_EQ(pf.dialogs.size(), 1u);
    EXPECT_EQ(
        pf.dialogs[0],
        "save ファイルを保存する [データファイル(*.kif)|*.kif] [すべてのファイル(*.*)|*.*] in c:\\ "
        "name SaveData.kif");
    const std::string text = read(file("SaveData.kif"));
    EXPECT_EQ(text, formatSavedGame(st));
    EXPECT_EQ(text.substr(0, 8), " 2  2 \r\n");
    EXPECT_TRUE(f.ui.Timer1.enabled());  // the game goes on untouched
}

TEST_F(SaveLoadTest, CancelledDialogsDoNothing) {
    pf.dialogAnswers = {""};
    const GameState before = st;
    command(MenuId::mnuOpen);
    EXPECT_EQ(st, before);
    EXPECT_EQ(f.ui.background, Pic::Title);
    EXPECT_TRUE(f.ui.item(MenuId::mnuOpen).enabled);
    command(MenuId::mnuNew);
    pf.dialogAnswers = {""};
    command(MenuId::mnuSaveAs);
    EXPECT_TRUE(fs::is_empty(dir));
    EXPECT_TRUE(pf.errors.empty());
}

TEST_F(SaveLoadTest, FailedSaveKeepsTheOldFileAndSaysWhy) {
    command(MenuId::mnuNew);
    const std::string blocker = file("not-a-folder");
    write(blocker, "precious");
    pf.dialogAnswers = {blocker + "/game.kif"};
    command(MenuId::mnuSaveAs);
    ASSERT_EQ(pf.errors.size(), 1u);
    EXPECT_EQ(pf.errors[0],  // the problem first, the file's name on a line of its own
              "The game could not be saved.\nPart of the name is a file, not a folder. Choose a "
              "folder that exists.\n\n" +
                  blocker + "/game.kif");
    EXPECT_EQ(read(blocker), "precious");
    EXPECT_TRUE(f.ui.Timer1.enabled());
}

TEST_F(SaveLoadTest, OpenContinuesWithThePlayersRoll) {
    GameState saved;
    saved.myBoard = points("5:3 18:12");
    saved.comBoard = points("2:4 20:11");
    saved.comBar = 0;
    saved.myOff = 0;
    saved.comOff = 0;
    saved.turnState = ComTurn;
    saved.rollTicks = 4;
    saved.movesLeft = 1;
    saved.diceMoves = {3, 4, 1, 2};
    write(file("game.kif"), formatSavedGame(saved));
    pf.dialogAnswers = {file("game.kif")};
    command(MenuId::mnuOpen);
    EXPECT_EQ(
        pf.dialogs[0],
        "open ファイルを開く [データファイル(*.kif)|*.kif] [すべてのファイル(*.*)|*.*] in c:\\");
    EXPECT_EQ(st.myBoard, saved.myBoard);
    EXPECT_EQ(st.diceMoves[3], 2);
    EXPECT_EQ(st.turnState, PlayerTurn);
    EXPECT_EQ(st.rollTicks, 0);
    EXPECT_EQ(st.movesLeft, 2);
    EXPECT_EQ(f.ui.background, Pic::Board);
    EXPECT_FALSE(f.ui.saiY.visible);
    EXPECT_FALSE(f.ui.item(MenuId::mnuNew).enabled);
    EXPECT_FALSE(f.ui.item(MenuId::mnuOpen).enabled);
    EXPECT_TRUE(f.ui.item(MenuId::mnuSaveAs).enabled);
    EXPECT_TRUE(f.ui.item(MenuId::menCansel).enabled);
    EXPECT_TRUE(f.ui.Timer3.enabled());
    pf.runFor(6 * 300);
    EXPECT_EQ(f.ui.PLACE[20 * 5 + 2].pic, Pic::CheckerM);  // the roll's end draws the position
    EXPECT_EQ(f.ui.Label1.text, texts().yourTurn);
}

// A bad file changes nothing: state, menus and the title screen stay, and another file may
// follow. Each message says the problem first and ends with the file's name on a line of its own.
TEST_F(SaveLoadTest, BadFilesAreRefusedWithAMessage) {
    GameState start;
    placeStartingPosition(start);
    start.comBar = 0;
    const auto position = [&](void (*edit)(GameState&)) {
        GameState s = start;
        edit(s);
        return formatSavedGame(s);
    };
    struct Case {
        const char* name;
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"short.kif", " 1  2 \r\n 3  4 \r\n",
         "This file is not a saved game.\nLine 3: the file ends after 4 of 67 values."},
        {"word.kif", " 2  2 \r\nabc\r\n",
         "This file is not a saved game.\nLine 2: \"abc\" is not a whole number."},
        {"big.kif", " 40000  2 \r\n",
         "This file is not a saved game.\nLine 1: \"40000\" is outside -32768..32767."},
        {"bar.kif", position([](GameState& s) { s.myBar = -1; }),
         "This saved game cannot be played.\nLine 33: your checkers on the bar number -1, but a "
         "count is 0 to 15."},
        {"fourteen.kif", position([](GameState& s) { s.myBoard[0] = 1; }),
         "This saved game cannot be played.\nYou have 14 checkers on the points, the bar and "
         "borne off, but each side has exactly 15."},
        {"sixteen.kif", position([](GameState& s) { s.comBoard[0] = 3; }),
         "This saved game cannot be played.\nCOM has 16 checkers on the points, the bar and borne "
         "off, but each side has exactly 15."},
        {"shared.kif", position([](GameState& s) {
             s.comBoard[0] = 1;
             s.comBoard[23] = 1;  // the player's index 0 holds 2
         }),
         "This saved game cannot be played.\nPoint 1 holds checkers of both sides: yours on line "
         "1, COM's on line 24."},
        {"die.kif", position([](GameState& s) { s.diceMoves[1] = 9; }),
         "This saved game cannot be played.\nLine 28: the die 9 is not 0 to 6."},
        {"comwon.kif",  // the reader always refused a finished game; the totals agree (15)
         position([](GameState& s) {
             s.comBoard = {};
             s.comOff = 15;
         }),
         "This saved game cannot be played.\nCOM has borne off all 15 checkers: this game is "
         "already over."},
        {"iwon.kif", position([](GameState& s) {
             s.myBoard = {};
             s.myOff = 15;
         }),
         "This saved game cannot be played.\nYou have borne off all 15 checkers: this game is "
         "already over."},
        {"missing.kif", "", "The file could not be read.\nNo such file or directory."},
        {"folder.kif", "", "The file could not be read.\nIt is not a regular file."},
    };
    fs::create_directory(file("folder.kif"));
    const GameState before = st;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.text.empty()) write(file(c.name), c.text);
        pf.errors.clear();
        pf.dialogAnswers = {file(c.name)};
        command(MenuId::mnuOpen);
        ASSERT_EQ(pf.errors.size(), 1u);
        EXPECT_EQ(pf.errors[0], c.message + ("\n\n" + file(c.name)));
        EXPECT_EQ(st, before);
        EXPECT_EQ(f.ui.background, Pic::Title);
        EXPECT_TRUE(f.ui.item(MenuId::mnuOpen).enabled);
        EXPECT_FALSE(f.ui.Timer3.enabled());
    }
    // The reader's bound: only the beginning of a long file is read.
    write(file("long.kif"), formatSavedGame(start) + std::string(2 << 20, '\n'));
    pf.errors.clear();
    pf.dialogAnswers = {file("long.kif")};
    command(MenuId::mnuOpen);
    EXPECT_TRUE(pf.errors.empty()) << pf.errors[0];
    EXPECT_EQ(st.myBoard, start.myBoard);
}

// Saves made at any moment of whole games, also while a checker travels or COM pauses, load.
TEST_F(SaveLoadTest, EveryFileTheGameWritesLoads) {
    const std::string saved = file("any.kif");
    int saves = 0, whileTravelling = 0;
    pf.afterEvent = [&] {
        if (fs::exists(saved)) {
            GameState g;
            ASSERT_FALSE(parseSavedGame(read(saved), g));
            const auto error = findUnplayable(g);
            EXPECT_FALSE(error) << "line " << error->line << ": " << error->message;
            fs::remove(saved);
            ++saves;
            whileTravelling += f.phase() == Phase::Travelling;
        }
        pf.dialogAnswers = {saved};
    };
    std::mt19937 rng(11);
    SoakPlayer player(5);
    player.idle = [&] {
        if (rng() % 4 == 0)  // saves are synced to disk: a few hundred are plenty
            pf.at(pf.now + static_cast<int64_t>(rng() % 4000), Event::command(MenuId::mnuSaveAs));
    };
    ASSERT_TRUE(player.playGame(pf, 6 * 3600 * 1000));
    EXPECT_GT(saves, 50);
    EXPECT_GT(whileTravelling, 10);
}

// A file saved while a checker travels holds the whole position from before that move.
TEST_F(SaveLoadTest, SaveDuringATravellingCheckerNeverHoldsHalfAMove) {
    playerTurn("0:2 11:5 16:3 18:5", "0:2 11:5 16:3 18:5", 6, 5);
    const GameState before = st;
    pf.dialogAnswers = {file("mid.kif")};
    pf.at(pf.now + 1, Event::command(MenuId::mnuSaveAs));  // reaches the game inside the travel
    clickPoint(0);
    ASSERT_EQ(pf.count("save"), 1);
    const GameState saved = loadedFrom(file("mid.kif"));
    EXPECT_EQ(saved.myBoard, before.myBoard);
    EXPECT_EQ(total(saved.myBoard), 15);
    EXPECT_EQ(st.myBoard[6], 1);  // and the move itself went on
}

TEST_F(SaveLoadTest, FileOpenedInAFreshRunGivesTheSamePosition) {
    newGameDecidedBy(2, 5);  // COM has moved
    pf.runFor(10'000);
    pf.dialogAnswers = {file("a.kif")};
    command(MenuId::mnuSaveAs);
    const GameState was = st;

    VirtualPlatform fresh;
    MainForm& g = fresh.start();
    fresh.dialogAnswers = {file("a.kif")};
    fresh.send(Event::command(MenuId::mnuOpen));
    EXPECT_EQ(g.st.myBoard, was.myBoard);
    EXPECT_EQ(g.st.comBoard, was.comBoard);
    EXPECT_EQ(g.st.comOff, was.comOff);
    EXPECT_EQ(g.st.myBar, was.myBar);
    EXPECT_EQ(g.st.turnState, PlayerTurn);
}

}  // namespace
}  // namespace tavorin::test
