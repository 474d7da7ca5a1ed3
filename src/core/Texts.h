#pragma once
// Every text the user sees, in one table: the window's caption and menus, the board's labels,
// the dialogs' titles and filters, and the message boxes. Code names a text by its field and
// never writes one itself. "%1", "%2", ... stand for the values fillText puts in.
#include <initializer_list>
#include <string>
#include <string_view>

namespace tavorin {

// One caption set. Another language is another instance of it.
struct Texts {
    // The window and its menus ('&' marks the access key).
    std::string_view windowTitle;
    std::string_view menuFile, menuNew, menuSaveAs, menuOpen, menuSeparator, menuEnd;
    std::string_view menuEdit, menuCancel;
    std::string_view menuOption, menuBgm, menuBgmPlay, menuBgmStop, menuBgmSelect;
    std::string_view menuVersion, version;
    // The lettering of the title picture: the name, and the two sides under their dice.
    std::string_view titleName, titleYou, titleCom;

    // The board's labels. The numbers come from numberText, with its leading blank.
    std::string_view yourTurnFirst;  // the opening roll went to the player
    std::string_view yourTurn;       // the player's roll has stopped
    std::string_view rollingDice;
    std::string_view comsTurn;  // the player passed
    std::string_view refused;
    std::string_view youMoved;    // from, to
    std::string_view youEntered;  // the point entered
    std::string_view youBoreOff;
    std::string_view youWinTitle, youWin;
    std::string_view comEntered;  // the point entered
    std::string_view comMoved;    // from, to
    std::string_view comBoreOff;  // from
    std::string_view comWinsTitle, comWins;
    std::string_view stepsToMove;  // the die to play
    std::string_view movesLeft;    // the moves left of the turn

    // The file dialogs.
    std::string_view openTitle, saveTitle, proposedName;
    std::string_view gameFiles, musicFiles, allFiles;

    // The message boxes. The last value is always the file's name.
    std::string_view restartFailed;
    std::string_view saveFailed, readFailed, notASavedGame, cannotBePlayed;
    std::string_view noSuchFolder;  // shown by the save dialog, which stays open
    // Where in the file a problem is, before the problem itself.
    std::string_view atLine, noLine;
    // Why a save failed.
    std::string_view folderTakesNoNewFiles, folderMissing, pathThroughAFile, readOnlyDisk,
        nameIsAFolder, systemReason;
    // Why a file could not be read.
    std::string_view notARegularFile;
    // Why a file is not a saved game (after atLine's line number).
    std::string_view notANumber, outOfRange, endsEarly, theValue;
    // Why a saved game cannot be played.
    std::string_view badCount, yoursOnPoint, comsOnPoint, yoursOnBar, comsOnBar, yoursOff, comsOff,
        badDie, yourTotal, comTotal, bothSides, youWon, comWon;
};

// The set in use.
const Texts& texts();

// The pattern with %1, %2, ... replaced by the values in order.
std::string fillText(std::string_view pattern, std::initializer_list<std::string> values);

}  // namespace tavorin
