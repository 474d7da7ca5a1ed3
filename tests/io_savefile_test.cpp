#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "io/SaveFile.h"

namespace tavorin {
namespace {

namespace fs = std::filesystem;

GameState newGameBeforeOpeningRoll() {
    GameState s;
    for (auto* board : {&s.comBoard, &s.myBoard}) {
        (*board)[0] = 2;
        (*board)[11] = 5;
        (*board)[16] = 3;
        (*board)[18] = 5;
    }
    s.movesLeft = 2;
    s.comBar = 0;
    return s;
}

const std::string kNewGameFile =
    " 2  2 \r\n"  // 1
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 5  5 \r\n"  // 12
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 3  3 \r\n"  // 17
    " 0  0 \r\n"
    " 5  5 \r\n"  // 19
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 0  0 \r\n"  // 24
    " 0 \r\n"     // 25 rollTicks
    " 0 \r\n"     // 26 turnState
    " 0 \r\n"     // 27 diceMoves[0]
    " 0 \r\n"
    " 0 \r\n"
    " 0 \r\n"   // 30 diceMoves[3]
    " 2 \r\n"   // 31 movesLeft
    " 0 \r\n"   // 32 comBar
    " 0 \r\n"   // 33 myBar
    "\r\n"      // 34 comOff: no value
    " 0 \r\n"   // 35 myOff
    "\r\n"      // 36 comCanBearOff: no value
    "\r\n"      // 37 myCanBearOff: no value
    "\r\n"      // 38 comBestFrom: no value
    "\r\n"      // 39 comScore: no value
    "\r\n"      // 40 comBestDie: no value
    " 0 \r\n"   // 41 comBestScore
    " 0 \r\n"   // 42 comEntryState
    " 0 \r\n";  // 43 comBearOffDone

// Mid-game, with hand-edited negatives and the extremes of the range in the unused dice entries.
GameState midGame() {
    GameState s;
    s.comBoard = {1, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 3, 0, 3, 0, 2, 0, 0, -1};
    s.myBoard = {0, 0, 0, 1, 0, -12, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 4, 2, 0, 0, 2, 1};
    s.rollTicks = 3;
    s.turnState = ComTurn;
    s.die1 = 5;
    s.die2 = 2;
    s.diceMoves = {5, 2, -32768, 32767};
    s.movesLeft = 1;
    s.comBar = 1;
    s.myBar = 1;
    s.comOff = 0;
    s.myOff = 1;
    s.comCanBearOff = 0;
    s.comExcess = 1;
    s.comBestFrom = 11;
    s.comScore = -3;
    s.comBestScore = 7;
    s.comEntryState = 6;
    s.comBearOffDone = 1;
    s.bgmFile = "bgm2.mp3";
    return s;
}

const std::string kMidGameFile =
    " 1  0 \r\n"
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 0  1 \r\n"
    " 0  0 \r\n"
    " 2 -12 \r\n"  // 6
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 4  3 \r\n"  // 12
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 0  0 \r\n"
    " 3  0 \r\n"  // 17
    " 0  0 \r\n"
    " 3  4 \r\n"
    " 0  2 \r\n"
    " 2  0 \r\n"
    " 0  0 \r\n"
    " 0  2 \r\n"
    "-1  1 \r\n"  // 24
    " 3 \r\n"     // 25 rollTicks
    " 1 \r\n"     // 26 turnState
    " 5 \r\n"     // 27
    " 2 \r\n"
    "-32768 \r\n"
    " 32767 \r\n"  // 30
    " 1 \r\n"      // 31 movesLeft
    " 1 \r\n"      // 32 comBar
    " 1 \r\n"      // 33 myBar
    " 0 \r\n"      // 34 comOff: 0, not no value
    " 1 \r\n"      // 35 myOff
    " 0 \r\n"      // 36 comCanBearOff
    "\r\n"         // 37 myCanBearOff: no value
    " 11 \r\n"     // 38 comBestFrom
    "-3 \r\n"      // 39 comScore
    "\r\n"         // 40 comBestDie: no value
    " 7 \r\n"      // 41
    " 6 \r\n"
    " 1 \r\n";  // 43

const std::string kMidGameCommas =
    "1,0,0,0,0,0,0,1,0,0,2,-12,0,0,0,0,0,0,0,0,0,0,4,3,0,0,0,0,0,0,0,0,3,0,0,0,3,4,0,2,2,0,0,0,"
    "0,2,-1,1,3,1,5,2,-32768,32767,1,1,1,0,1,0,,11,-3,,7,6,1";

// Every field set, Opt16 ones included, and none equal to the fixtures: a load must overwrite
// each saved field and leave the others alone.
GameState scratch() {
    GameState s;
    s.comBoard.fill(9);
    s.myBoard.fill(9);
    s.rollTicks = s.turnState = s.myBar = s.myOff = 9;
    s.comBestScore = s.comEntryState = s.comBearOffDone = 9;
    s.diceMoves.fill(9);
    for (Opt16* f : {&s.die1, &s.die2, &s.movesLeft, &s.comBar, &s.comOff, &s.comCanBearOff,
                     &s.myCanBearOff, &s.comBestFrom, &s.comScore, &s.comBestDie}) {
        *f = 9;
    }
    s.comExcess = 9;
    s.bgmFile = "keep.mp3";
    return s;
}

void expectLoadsAs(std::string_view text, const GameState& expected) {
    GameState loaded = scratch();
    const auto error = parseSavedGame(text, loaded);
    ASSERT_FALSE(error) << "line " << error->line << ": " << error->message;
    EXPECT_EQ(formatSavedGame(loaded), formatSavedGame(expected));
    GameState whole = expected;  // the fields a file does not hold keep their old values
    const GameState old = scratch();
    whole.die1 = old.die1;
    whole.die2 = old.die2;
    whole.comExcess = old.comExcess;
    whole.bgmFile = old.bgmFile;
    EXPECT_TRUE(loaded == whole);
}

std::string replaceAll(std::string s, std::string_view from, std::string_view to) {
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size())) {
        s.replace(at, from.size(), to);
    }
    return s;
}

// The first n lines of the text, each with its CR LF.
std::string firstLines(const std::string& text, int n) {
    size_t end = 0;
    for (int i = 0; i < n; ++i)
        end = text.find("\r\n", end) + 2;
    return text.substr(0, end);
}

// The text with line n (1-based) holding `content` instead.
std::string withLine(const std::string& text, int n, std::string_view content) {
    const std::string before = firstLines(text, n - 1);
    return before + std::string(content) + text.substr(text.find("\r\n", before.size()));
}

TEST(SavedGameFormat, NewGameBeforeOpeningRollIsWrittenByteExact) {
    EXPECT_EQ(formatSavedGame(newGameBeforeOpeningRoll()), kNewGameFile);
}

TEST(SavedGameFormat, MidGameWithNegativesAndEmptyFieldsIsWrittenByteExact) {
    EXPECT_EQ(formatSavedGame(midGame()), kMidGameFile);
}

TEST(SavedGameFormat, WrittenFilesLoadBack) {
    expectLoadsAs(kNewGameFile, newGameBeforeOpeningRoll());
    expectLoadsAs(kMidGameFile, midGame());
    expectLoadsAs(formatSavedGame(GameState{}), GameState{});  // every Opt16 without a value
}

TEST(SavedGameFormat, OtherNotationsLoadTheSame) {
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"all values on one line with commas", kMidGameCommas},
        {"LF line ends", replaceAll(kMidGameFile, "\r\n", "\n")},
        {"CR line ends", replaceAll(kMidGameFile, "\r\n", "\r")},
        {"byte order mark", "\xEF\xBB\xBF" + kMidGameFile},
        {"no line end after line 43", kMidGameFile.substr(0, kMidGameFile.size() - 2)},
        {"lines after the 43rd", kMidGameFile + "not a number\r\n99999\r\n,,\r\n"},
        {"extra blanks and tabs", replaceAll(kMidGameFile, " ", "\t \t")},
        {"signs and leading zeros",
         replaceAll(replaceAll(kMidGameFile, " 1 ", " +1 "), " 3 ", " 003 ")},
        {"commas between a pair", replaceAll(kMidGameFile, "  ", " , ")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectLoadsAs(c.text, midGame());
    }
}

TEST(SavedGameFormat, EmptyValuesClearFields) {
    GameState expected = midGame();
    expected.rollTicks = 0;
    expected.myBar = 0;
    expected.movesLeft.reset();
    expected.comOff.reset();
    std::string text = withLine(kMidGameFile, 25, "");
    text = withLine(text, 31, "");
    text = withLine(text, 33, " \t ");  // blanks only: still an empty line
    text = withLine(text, 34, "");
    expectLoadsAs(text, expected);

    expected = midGame();
    expected.comBoard[0] = 0;
    expectLoadsAs(kMidGameCommas.substr(1), expected);  // ",0,0,...": nothing before the comma
}

TEST(SavedGameFormat, BadInputNamesItsLine) {
    const std::string cut42 = firstLines(kMidGameFile, 42);
    const struct {
        const char* name;
        std::string text;
        int line;
        const char* message;
    } cases[] = {
        {"word", withLine(kMidGameFile, 30, "abc"), 30, "\"abc\" is not a whole number"},
        {"second of a pair", withLine(kMidGameFile, 5, " 0 x7 "), 5, "\"x7\" is not"},
        {"trailing letters", withLine(kMidGameFile, 41, " 12abc "), 41, "\"12abc\" is not"},
        {"lone plus", withLine(kMidGameFile, 27, "+"), 27, "\"+\" is not"},
        {"lone minus", withLine(kMidGameFile, 28, " - "), 28, "\"-\" is not"},
        {"fraction", withLine(kMidGameFile, 26, "1.5"), 26, "is not a whole number"},
        {"hexadecimal", withLine(kMidGameFile, 3, "0x10 0"), 3, "is not a whole number"},
        {"stray byte", withLine(kMidGameFile, 43, std::string("1\0", 2)), 43, "the value is"},
        {"32768", withLine(kMidGameFile, 41, " 32768 "), 41, "\"32768\" is outside -32768..32767"},
        {"-32769", withLine(kMidGameFile, 39, "-32769 "), 39, "\"-32769\" is outside"},
        {"huge", withLine(kMidGameFile, 1, "99999999999999999999999 0"), 1, "is outside"},
        {"bad value on a CR line", replaceAll(withLine(kMidGameFile, 30, "?"), "\r\n", "\r"), 30,
         "\"?\" is not"},
        {"bad value on an LF line", replaceAll(withLine(kMidGameFile, 12, " 4 z "), "\r\n", "\n"),
         12, "\"z\" is not"},
        {"bad value on one comma line", replaceAll(kMidGameCommas, ",-3,", ",q,"), 1,
         "\"q\" is not"},
        {"empty file", "", 1, "the file ends after 0 of 67 values"},
        {"byte order mark only", "\xEF\xBB\xBF", 1, "ends after 0 of"},
        {"empty lines only", "\r\n\r\n", 3, "ends after 2 of"},
        {"ends after line 42", cut42, 43, "ends after 66 of 67 values"},
        {"line 42 without its line end", cut42.substr(0, cut42.size() - 2), 42, "after 66 of"},
        {"ends inside a pair", firstLines(kMidGameFile, 11) + " 4 ", 12, "ends after 23 of"},
        {"comma line without its last value", kMidGameCommas.substr(0, kMidGameCommas.size() - 1),
         1, "ends after 66 of"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GameState s = scratch();
        const auto error = parseSavedGame(c.text, s);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->line, c.line);
        EXPECT_NE(error->message.find(c.message), std::string::npos) << error->message;
    }
}

// A playable position in the middle of a game: 15 checkers a side, with bars and trays.
GameState playable() {
    GameState s = newGameBeforeOpeningRoll();
    s.myBoard = {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 4, 2, 0, 0, 2, 0};  // 12
    s.myBar = 1;
    s.myOff = 2;
    s.comBoard = {1, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 4, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0};  // 10
    s.comBar = 2;
    s.comOff = 3;
    s.diceMoves = {6, 1, 0, 0};
    return s;
}

TEST(PlayablePosition, PositionsThePlayCanReachPass) {
    GameState noComOff = newGameBeforeOpeningRoll();  // comOff and comBar without a value
    noComOff.comBar.reset();
    GameState allOnOnePoint = playable();
    allOnOnePoint.myBoard = {};
    allOnOnePoint.myBoard[22] = 15;
    allOnOnePoint.myBar = allOnOnePoint.myOff = 0;
    GameState allOnTheBar = playable();
    allOnTheBar.comBoard = {};
    allOnTheBar.comBar = 15;
    allOnTheBar.comOff = 0;
    GameState allButOneOff = playable();
    allButOneOff.comBoard = {};
    allButOneOff.comBoard[23] = 1;
    allButOneOff.comBar = 0;
    allButOneOff.comOff = 14;
    GameState dice = playable();
    dice.diceMoves = {0, 6, 6, 0};
    // The start position's mirror image: each side's index 0 faces the other's index 23.
    GameState facing = playable();
    facing.comBoard = {};
    facing.comBoard[23] = 10;
    facing.myBoard[0] = 0;  // the player's index 0 is COM's index 23
    for (const GameState& s : {newGameBeforeOpeningRoll(), noComOff, playable(), allOnOnePoint,
                               allOnTheBar, allButOneOff, dice, facing}) {
        const auto error = findUnplayable(s);
        EXPECT_FALSE(error) << "line " << error->line << ": " << error->message;
    }
}

TEST(PlayablePosition, PositionsThatTrapTheGameAreNamed) {
    const struct {
        const char* name;
        void (*edit)(GameState&);
        int line;
        const char* message;
    } cases[] = {
        {"negative point", [](GameState& s) { s.myBoard[5] = -1; }, 6,
         "your checkers on point 6 number -1, but a count is 0 to 15"},
        {"16 on a point", [](GameState& s) { s.comBoard[0] = 16; }, 1,
         "COM's checkers on point 24 number 16, but a count is 0 to 15"},
        {"COM's last point", [](GameState& s) { s.comBoard[23] = -2; }, 24,
         "COM's checkers on point 1 number -2"},
        {"player's last point", [](GameState& s) { s.myBoard[23] = 16; }, 24,
         "your checkers on point 24 number 16"},
        {"negative bar", [](GameState& s) { s.myBar = -1; }, 33,
         "your checkers on the bar number -1"},
        {"COM's bar", [](GameState& s) { s.comBar = 16; }, 32,
         "COM's checkers on the bar number 16"},
        {"player's tray", [](GameState& s) { s.myOff = 16; }, 35,
         "your checkers borne off number 16"},
        {"COM's tray", [](GameState& s) { s.comOff = -1; }, 34,
         "COM's checkers borne off number -1"},
        {"die 7", [](GameState& s) { s.diceMoves[0] = 7; }, 27, "the die 7 is not 0 to 6"},
        {"negative unused die", [](GameState& s) { s.diceMoves[3] = -1; }, 30,
         "the die -1 is not 0 to 6"},
        {"14 of the player's", [](GameState& s) { s.myBoard[18] = 3; }, 0,
         "You have 14 checkers on the points, the bar and borne off, but each side has exactly 15"},
        {"16 of COM's", [](GameState& s) { s.comBoard[16] = 4; }, 0,
         "COM has 16 checkers on the points, the bar and borne off, but each side has exactly 15"},
        {"16 of the player's", [](GameState& s) { s.myBar = 2; }, 0, "You have 16 checkers"},
        {"both sides on a point",
         [](GameState& s) {
             s.comBoard[16] = 2;
             s.comBoard[23 - 3] = 1;  // the player's index 3 holds 1
         },
         0, "Point 4 holds checkers of both sides: yours on line 4, COM's on line 21"},
        {"both on the player's start",
         [](GameState& s) {
             s.myBoard[0] = 1;
             s.myBoard[3] = 0;
             s.comBoard[16] = 2;
             s.comBoard[23] = 1;
         },
         0, "Point 1 holds checkers of both sides: yours on line 1, COM's on line 24"},
        {"COM has borne off 15",
         [](GameState& s) {
             s.comBoard = {};
             s.comBar = 0;
             s.comOff = 15;
         },
         0, "COM has borne off all 15 checkers: this game is already over"},
        {"the player has borne off 15",
         [](GameState& s) {
             s.myBoard = {};
             s.myBar = 0;
             s.myOff = 15;
         },
         0, "You have borne off all 15 checkers: this game is already over"},
        {"15 off and a full board", [](GameState& s) { s.comOff = 15; }, 0, "COM has 27 checkers"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GameState s = playable();
        c.edit(s);
        const auto error = findUnplayable(s);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->line, c.line);
        EXPECT_EQ(error->message.substr(0, std::string(c.message).size()), c.message);
    }
}

// A fresh folder per test, removed afterwards.
class FileWriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/tavorin-savefile-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dir_ = name;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    static void put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string contents(const std::string& path) {
        std::string bytes;
        const auto error = readFileStart(path, bytes);
        EXPECT_FALSE(error) << *error;
        return bytes;
    }
    std::set<std::string> entries() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_))
            names.insert(e.path().filename());
        return names;
    }

    fs::path dir_;
};

TEST_F(FileWriteTest, WritesAndReplacesKeepingPermissions) {
    const std::string target = path("save.kif");
    ASSERT_FALSE(writeFileAtomically(target, kMidGameFile));
    EXPECT_EQ(contents(target), kMidGameFile);

    ::chmod(target.c_str(), 0640);
    const std::string other("shorter\0\r\n", 10);
    ASSERT_FALSE(writeFileAtomically(target, other));
    EXPECT_EQ(contents(target), other);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
    EXPECT_EQ(entries(), std::set<std::string>{"save.kif"});
}

TEST_F(FileWriteTest, FailureKeepsTheOldFileAndLeavesNoTemporary) {
    put(path("plain"), "a file, not a folder");
    fs::create_directory(path("folder"));
    put(path("folder/keep"), "inside");
    const std::set<std::string> before = entries();
    for (const std::string& target :
         {path("plain/save.kif"), path("missing/save.kif"), path("folder")}) {
        SCOPED_TRACE(target);
        const auto error = writeFileAtomically(target, kMidGameFile);
        ASSERT_TRUE(error);
        EXPECT_FALSE(error->empty());
        EXPECT_EQ(entries(), before);
        EXPECT_EQ(contents(path("plain")), "a file, not a folder");
        EXPECT_EQ(contents(path("folder/keep")), "inside");
    }
}

// The file size limit makes the write itself fail after the temporary exists.
TEST_F(FileWriteTest, FailedWriteKeepsTheOldFile) {
    const std::string target = path("save.kif");
    put(target, kNewGameFile);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 16;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const auto error = writeFileAtomically(target, kMidGameFile);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_TRUE(error);
    EXPECT_EQ(contents(target), kNewGameFile);
    EXPECT_EQ(entries(), std::set<std::string>{"save.kif"});
}

TEST_F(FileWriteTest, ReadOnlyFolderKeepsTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    const std::string target = path("save.kif");
    put(target, kNewGameFile);
    ::chmod(dir_.c_str(), 0555);
    const auto error = writeFileAtomically(target, kMidGameFile);
    ::chmod(dir_.c_str(), 0755);
    ASSERT_TRUE(error);
    EXPECT_EQ(contents(target), kNewGameFile);
    EXPECT_EQ(entries(), std::set<std::string>{"save.kif"});
}

// What writeFileAtomically says when run by a user who may write the file but not create files
// in its folder. Root is bound by no permission, so as root the write runs in a child process
// that has become the unprivileged user "nobody".
std::string reasonForUnprivilegedWrite(const std::string& target) {
    if (::geteuid() != 0) {
        const auto error = writeFileAtomically(target, kMidGameFile);
        return error ? *error : "";
    }
    int out[2];
    if (::pipe(out) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
        const auto error = writeFileAtomically(target, kMidGameFile);
        const std::string reason = error ? *error : "";
        const ssize_t written = ::write(out[1], reason.data(), reason.size());
        ::_exit(written == static_cast<ssize_t>(reason.size()) ? 0 : 3);
    }
    ::close(out[1]);
    std::string reason;
    char buffer[512];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
        reason.append(buffer, static_cast<size_t>(n));
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    return reason;
}

// The file itself could be written, but a safe save needs a new file next to it: the user is
// told that the folder is the problem, and the file stays as it was.
TEST_F(FileWriteTest, WritableFileInAFolderWithoutNewFilesSaysWhatToDo) {
    const std::string target = path("save.kif");
    put(target, kNewGameFile);
    ::chmod(target.c_str(), 0666);
    ::chmod(dir_.c_str(), ::geteuid() == 0 ? 0755 : 0555);  // "nobody" may not create files here
    const std::string reason = reasonForUnprivilegedWrite(target);
    ::chmod(dir_.c_str(), 0755);
    EXPECT_EQ(reason,
              "The folder does not allow new files, and a game is saved as a new file that then "
              "replaces the old one. Choose another folder.");
    EXPECT_EQ(contents(target), kNewGameFile);
    EXPECT_EQ(entries(), std::set<std::string>{"save.kif"});
}

TEST_F(FileWriteTest, FailuresSayWhatToDo) {
    put(path("plain"), "a file, not a folder");
    fs::create_directory(path("folder"));
    const struct {
        std::string target;
        const char* reason;
    } cases[] = {
        {path("missing/save.kif"), "The folder does not exist. Choose a folder that exists."},
        {path("plain/save.kif"),
         "Part of the name is a file, not a folder. Choose a folder that exists."},
        {path("folder"), "A folder has this name. Choose another name."},
        {"", "The folder does not exist. Choose a folder that exists."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        const auto error = writeFileAtomically(c.target, kMidGameFile);
        ASSERT_TRUE(error);
        EXPECT_EQ(*error, c.reason);
    }
}

// A save onto a symbolic link writes the file the link names, in that file's folder; the link
// stays a link, the file keeps its permission bits, and no temporary is left in either folder.
TEST_F(FileWriteTest, SaveOntoALinkWritesTheFileItNames) {
    fs::create_directory(path("games"));
    fs::create_directory(path("synced"));
    put(path("synced/real.kif"), kNewGameFile);
    ::chmod(path("synced/real.kif").c_str(), 0640);
    const struct {
        const char* name;
        std::string link;
        std::string pointsTo;
        std::string written;
    } cases[] = {
        {"relative link", path("games/last.kif"), "../synced/real.kif", path("synced/real.kif")},
        {"absolute link", path("games/abs.kif"), path("synced/real.kif"), path("synced/real.kif")},
        {"link to a link", path("games/chain.kif"), "abs.kif", path("synced/real.kif")},
        {"dangling link", path("games/new.kif"), "../synced/fresh.kif", path("synced/fresh.kif")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::create_symlink(c.pointsTo, c.link);
        const std::string bytes = std::string(c.name) + "\r\n";
        ASSERT_FALSE(writeFileAtomically(c.link, bytes));
        EXPECT_TRUE(fs::is_symlink(c.link));
        EXPECT_EQ(fs::read_symlink(c.link), c.pointsTo);
        EXPECT_EQ(contents(c.link), bytes);
        EXPECT_EQ(contents(c.written), bytes);
        if (c.written == path("synced/real.kif")) {
            EXPECT_EQ(fs::status(c.written).permissions(), fs::perms(0640));
        }
        for (const char* folder : {"games", "synced"}) {
            for (const auto& e : fs::directory_iterator(path(folder)))
                EXPECT_EQ(e.path().filename().string().find(".tavorin-"), std::string::npos);
        }
    }
    EXPECT_TRUE(fs::is_symlink(path("games/abs.kif")));
}

TEST_F(FileWriteTest, LinkLoopFailsAndChangesNothing) {
    fs::create_symlink("b.kif", path("a.kif"));
    fs::create_symlink("a.kif", path("b.kif"));
    const auto error = writeFileAtomically(path("a.kif"), kMidGameFile);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("symbolic links"), std::string::npos) << *error;
    EXPECT_EQ(entries(), (std::set<std::string>{"a.kif", "b.kif"}));
    EXPECT_TRUE(fs::is_symlink(path("a.kif")));
}

// Whatever the open dialog is given, reading neither hangs nor swallows memory.
TEST_F(FileWriteTest, ReadingAnythingButARegularFileFails) {
    std::string bytes;
    EXPECT_TRUE(readFileStart(path("missing.kif"), bytes));
    EXPECT_TRUE(readFileStart(dir_.string(), bytes));
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    EXPECT_TRUE(readFileStart(path("pipe"), bytes));  // no writer: must not wait for one
    EXPECT_TRUE(readFileStart("/dev/zero", bytes));
    EXPECT_EQ(*readFileStart(path("pipe"), bytes), "It is not a regular file.");
    EXPECT_EQ(*readFileStart(path("missing.kif"), bytes), "No such file or directory.");
}

// A saved game is a few hundred bytes: a file of exactly the limit is read whole, a bigger one
// from its beginning, never with a value cut in two at the limit.
TEST_F(FileWriteTest, ReadsTheBeginningOfABigFile) {
    // Ends in a value, so that the last byte within the limit is not a blank or a line end.
    const std::string padding = std::string(kReadLimit - kMidGameFile.size() - 1, '\n') + "7";
    const struct {
        const char* name;
        std::string text;
        std::string read;
    } cases[] = {
        {"exactly the limit", kMidGameFile + padding, kMidGameFile + padding},
        {"one line end more", kMidGameFile + padding + "\n", kMidGameFile + padding},
        {"far more", kMidGameFile + padding + "\n" + std::string(3 << 20, 'x'),
         kMidGameFile + padding},
        {"value across the limit",  // "12" starts at the last byte within the limit
         std::string(kReadLimit - 1, '\n') + "12 \r\n", std::string(kReadLimit - 1, '\n')},
        {"value ending at the limit", std::string(kReadLimit - 2, '\n') + "12 \r\n",
         std::string(kReadLimit - 2, '\n') + "12"},
        {"no value ends within the limit", std::string(kReadLimit + 10, '7'), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        put(path("big.kif"), c.text);
        std::string bytes;
        ASSERT_FALSE(readFileStart(path("big.kif"), bytes));
        EXPECT_EQ(bytes.size(), c.read.size());
        EXPECT_TRUE(bytes == c.read);
    }
    put(path("big.kif"), kMidGameFile + padding + "junk");
    std::string bytes;
    ASSERT_FALSE(readFileStart(path("big.kif"), bytes));
    GameState loaded = scratch();
    EXPECT_FALSE(parseSavedGame(bytes, loaded));
    EXPECT_EQ(formatSavedGame(loaded), kMidGameFile);
}

}  // namespace
}  // namespace tavorin
