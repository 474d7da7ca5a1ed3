#pragma once
// Every text a refused save or open shows the user, in one place. "%1", "%2", ... stand for
// the values fillText puts in. A message box reads at a glance: the problem first, then what
// to do, and the file's name on a line of its own at the end.
#include <initializer_list>
#include <string>
#include <string_view>

namespace tavorin::saveText {

// The message boxes. The last value is always the file's name.
inline constexpr std::string_view kSaveFailed = "The game could not be saved.\n%1\n\n%2";
inline constexpr std::string_view kReadFailed = "The file could not be read.\n%1\n\n%2";
inline constexpr std::string_view kNotASavedGame = "This file is not a saved game.\n%1\n\n%2";
inline constexpr std::string_view kCannotBePlayed = "This saved game cannot be played.\n%1\n\n%2";
// Shown by the save dialog, which stays open for another name.
inline constexpr std::string_view kNoSuchFolder =
    "This folder does not exist. Choose a folder that exists.\n\n%1";

// Where in the file a problem is, before the problem itself.
inline constexpr std::string_view kAtLine = "Line %1: %2.";
inline constexpr std::string_view kNoLine = "%1.";

// Why a save failed.
inline constexpr std::string_view kFolderTakesNoNewFiles =
    "The folder does not allow new files, and a game is saved as a new file that then replaces "
    "the old one. Choose another folder.";
inline constexpr std::string_view kFolderMissing =
    "The folder does not exist. Choose a folder that exists.";
inline constexpr std::string_view kPathThroughAFile =
    "Part of the name is a file, not a folder. Choose a folder that exists.";
inline constexpr std::string_view kReadOnlyDisk = "The disk is read-only. Choose another folder.";
inline constexpr std::string_view kNameIsAFolder = "A folder has this name. Choose another name.";
inline constexpr std::string_view kSystemReason = "%1.";  // the system's own words

// Why a file could not be read.
inline constexpr std::string_view kNotARegularFile = "It is not a regular file.";

// Why a file is not a saved game (after kAtLine's line number).
inline constexpr std::string_view kNotANumber = "%1 is not a whole number";
inline constexpr std::string_view kOutOfRange = "%1 is outside -32768..32767";
inline constexpr std::string_view kEndsEarly = "the file ends after %1 of %2 values";
inline constexpr std::string_view kTheValue = "the value";  // a bad value too odd to quote

// Why a saved game cannot be played.
inline constexpr std::string_view kBadCount = "%1 number %2, but a count is 0 to 15";
inline constexpr std::string_view kYoursOnPoint = "your checkers on point %1";
inline constexpr std::string_view kComsOnPoint = "COM's checkers on point %1";
inline constexpr std::string_view kYoursOnBar = "your checkers on the bar";
inline constexpr std::string_view kComsOnBar = "COM's checkers on the bar";
inline constexpr std::string_view kYoursOff = "your checkers borne off";
inline constexpr std::string_view kComsOff = "COM's checkers borne off";
inline constexpr std::string_view kBadDie = "the die %1 is not 0 to 6";
inline constexpr std::string_view kYourTotal =
    "You have %1 checkers on the points, the bar and borne off, but each side has exactly 15";
inline constexpr std::string_view kComTotal =
    "COM has %1 checkers on the points, the bar and borne off, but each side has exactly 15";
inline constexpr std::string_view kBothSides =
    "Point %1 holds checkers of both sides: yours on line %2, COM's on line %3";
inline constexpr std::string_view kYouWon =
    "You have borne off all 15 checkers: this game is already over";
inline constexpr std::string_view kComWon =
    "COM has borne off all 15 checkers: this game is already over";

// The pattern with %1, %2, ... replaced by the values in order.
inline std::string fillText(std::string_view pattern, std::initializer_list<std::string> values) {
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

}  // namespace tavorin::saveText
