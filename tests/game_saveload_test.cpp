// Save As and Open through the dialogs, on the virtual clock with real files.
#include <filesystem>
#include <fstream>

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
        EXPECT_FALSE(readWholeFile(path, text));
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
    EXPECT_NE(pf.errors[0].find(blocker + "/game.kif"), std::string::npos);
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
    EXPECT_EQ(f.ui.Label1.text, "YOUR TURN.");
}

// A bad file changes nothing: state, menus and the title screen stay, and another file may follow.
TEST_F(SaveLoadTest, BadFilesAreRefusedWithAMessage) {
    GameState finished;
    finished.myOff = 15;
    struct Case {
        const char* name;
        std::string text;
        const char* mentions;
    };
    const Case cases[] = {
        {"short.kif", " 1  2 \r\n 3  4 \r\n", "line"},
        {"word.kif", " 2  2 \r\nabc\r\n", "line 2"},
        {"big.kif", " 40000  2 \r\n", "line 1"},
        {"done.kif", formatSavedGame(finished), "finished"},
        {"missing.kif", "", "could not be read"},
    };
    const GameState before = st;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (std::string(c.name) != "missing.kif") write(file(c.name), c.text);
        pf.errors.clear();
        pf.dialogAnswers = {file(c.name)};
        command(MenuId::mnuOpen);
        ASSERT_EQ(pf.errors.size(), 1u);
        EXPECT_NE(pf.errors[0].find(file(c.name)), std::string::npos);
        EXPECT_NE(pf.errors[0].find(c.mentions), std::string::npos) << pf.errors[0];
        EXPECT_EQ(st, before);
        EXPECT_EQ(f.ui.background, Pic::Title);
        EXPECT_TRUE(f.ui.item(MenuId::mnuOpen).enabled);
        EXPECT_FALSE(f.ui.Timer3.enabled());
    }
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
