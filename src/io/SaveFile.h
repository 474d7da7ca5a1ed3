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

// Reads a whole regular file of at most kMaxReadBytes into `out`; the reason on failure.
inline constexpr long kMaxReadBytes = 1 << 20;
std::optional<std::string> readWholeFile(const std::string& path, std::string& out);

// Writes bytes to path without ever losing the old file: a temporary file in the same folder,
// flushed to disk, then renamed over the target. On failure the target is untouched, the
// temporary removed, and the reason returned. A replaced file keeps its permission bits.
std::optional<std::string> writeFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace tavorin
