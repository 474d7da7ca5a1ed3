#pragma once
// The saved-game text file: 43 lines of decimal numbers, and the file access around it.
#include <optional>
#include <string>
#include <string_view>

#include "core/GameState.h"

namespace tavorin {

// Number of values in a saved game: 24 board pairs plus 19 single fields.
inline constexpr int kSavedValueCount = 67;

// The 43 lines of a saved game, each ending in CR LF, from the state.
std::string formatSavedGame(const GameState& s);

struct LoadError {
    int line;             // 1-based line of the problem, 0 when none applies
    std::string message;  // what is wrong, without the line number
};

// Reads the 67 values in order into `out` (starting from `out` as given; only the saved fields
// are written). Values, not lines, are counted: the reader takes what follows a value as the
// next one, so a file with all values on one line, separated by commas, loads the same. Text
// after the 67th value is never read. A UTF-8 byte order mark at the start is skipped.
// Returns an error when the text ends before the 67th value or a value is not a whole number
// or does not fit a signed 16-bit integer; `out` is then unspecified (pass a scratch copy).
std::optional<LoadError> parseSavedGame(std::string_view text, GameState& out);

// Whether the loaded position can be played: every count on a point, a bar or a tray 0..15,
// each side's checkers on points, bar and tray exactly 15, no physical point held by both
// sides, the dice entries 0..6, and no side that has already borne off all 15. The first
// problem found, with its line (0 when no one line holds it). Every file the game writes
// passes: a save while a checker travels writes the position from before the move.
std::optional<LoadError> findUnplayable(const GameState& s);

// Reads the beginning of a regular file into `out`: the whole file up to kReadLimit bytes
// (a saved game is a few hundred), and of a bigger one its first kReadLimit bytes up to the
// last end of a value in them, so that no value is cut in two. Never waits on a pipe or a
// device. The reason on failure.
inline constexpr size_t kReadLimit = 64 * 1024;
std::optional<std::string> readFileStart(const std::string& path, std::string& out);

// Writes bytes to path without ever losing the old file: a temporary file in the same folder,
// flushed to disk, then renamed over the target. A symbolic link is followed to the file it
// finally names (which may not exist yet) and that file is replaced, so the link stays a link.
// On failure the target is untouched, the temporary removed, and the reason returned as a
// sentence for the user. A replaced file keeps its permission bits.
std::optional<std::string> writeFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace tavorin
