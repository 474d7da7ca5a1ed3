#include "Texts.h"

namespace tavorin {
namespace {

// The game's own captions: Japanese menus and dialogs, English words on the board.
constexpr Texts kOriginal{
    .windowTitle = "TAVORIN",
    .menuFile = "ファイル(&F)",
    .menuNew = "新規ゲーム(&N)",
    .menuSaveAs = "名前を付けて保存",
    .menuOpen = "開く(&O)",
    .menuSeparator = "---------------------",
    .menuEnd = "終了(&X)",
    .menuEdit = "編集(&E)",
    .menuCancel = "移動キャンセル(&C)",
    .menuOption = "オプション(&L)",
    .menuBgm = "BGM(&B)",
    .menuBgmPlay = "再生",
    .menuBgmStop = "停止",
    .menuBgmSelect = "BGM曲選択",
    .menuVersion = "バージョン(&V)",
    .version = "Version 8.0 ( 2016/03/10)",
    .titleName = "TAVORIN",
    .titleYou = "YOU",
    .titleCom = "CPU",

    .yourTurnFirst = "YOUR TURN",
    .yourTurn = "YOUR TURN.",
    .rollingDice = "Rolling Dice.",
    .comsTurn = "COMS TURN",
    .refused = "You can not move it !!",
    .youMoved = "You moved %1 to %2",
    .youEntered = "You moved DOWN  to %1",
    .youBoreOff = "Your peace one up !!",
    .youWinTitle = "Congratulations!!!",
    .youWin = "Winner is you !!",
    .comEntered = "COM moved  to %1",
    .comMoved = "COM moved %1 to %2",
    .comBoreOff = "COM moved %1 to  UP",
    .comWinsTitle = "Game over !!!",
    .comWins = "Winner is COM !!",
    .stepsToMove = "You can move%1 steps.",
    .movesLeft = "%1 回",

    .openTitle = "ファイルを開く",
    .saveTitle = "ファイルを保存する",
    .proposedName = "SaveData.kif",
    .gameFiles = "データファイル(*.kif)",
    .musicFiles = "音楽ファイル(*.mp3)",
    .allFiles = "すべてのファイル(*.*)",

    .restartFailed = "TAVORIN could not be started again for a new game.",
    .saveFailed = "The game could not be saved.\n%1\n\n%2",
    .readFailed = "The file could not be read.\n%1\n\n%2",
    .notASavedGame = "This file is not a saved game.\n%1\n\n%2",
    .cannotBePlayed = "This saved game cannot be played.\n%1\n\n%2",
    .noSuchFolder = "This folder does not exist. Choose a folder that exists.\n\n%1",
    .atLine = "Line %1: %2.",
    .noLine = "%1.",
    .folderTakesNoNewFiles =
        "The folder does not allow new files, and a game is saved as a new file that then "
        "replaces the old one. Choose another folder.",
    .folderMissing = "The folder does not exist. Choose a folder that exists.",
    .pathThroughAFile = "Part of the name is a file, not a folder. Choose a folder that exists.",
    .readOnlyDisk = "The disk is read-only. Choose another folder.",
    .nameIsAFolder = "A folder has this name. Choose another name.",
    .systemReason = "%1.",  // the system's own words
    .notARegularFile = "It is not a regular file.",
    .notANumber = "%1 is not a whole number",
    .outOfRange = "%1 is outside -32768..32767",
    .endsEarly = "the file ends after %1 of %2 values",
    .theValue = "the value",  // a bad value too odd to quote
    .badCount = "%1 number %2, but a count is 0 to 15",
    .yoursOnPoint = "your checkers on point %1",
    .comsOnPoint = "COM's checkers on point %1",
    .yoursOnBar = "your checkers on the bar",
    .comsOnBar = "COM's checkers on the bar",
    .yoursOff = "your checkers borne off",
    .comsOff = "COM's checkers borne off",
    .badDie = "the die %1 is not 0 to 6",
    .yourTotal =
        "You have %1 checkers on the points, the bar and borne off, but each side has "
        "exactly 15",
    .comTotal =
        "COM has %1 checkers on the points, the bar and borne off, but each side has "
        "exactly 15",
    .bothSides = "Point %1 holds checkers of both sides: yours on line %2, COM's on line %3",
    .youWon = "You have borne off all 15 checkers: this game is already over",
    .comWon = "COM has borne off all 15 checkers: this game is already over",
};

}  // namespace

const Texts& texts() {
    return kOriginal;
}

std::string fillText(std::string_view pattern, std::initializer_list<std::string> values) {
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const size_t n = i + 1 < pattern.size() ? static_cast<size_t>(pattern[i + 1] - '1') : 9;
        if (c == '%' && n < values.size()) {
            out += values.begin()[n];
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace tavorin
