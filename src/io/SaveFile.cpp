#include "SaveFile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <system_error>

#include "core/NumberText.h"
#include "core/Texts.h"

namespace tavorin {
namespace {

constexpr int kBoardLineCount = 24;

// Calls f on every saved field in file order; stops early when f returns false.
template <class State, class F>
bool forEachSavedField(State& s, F&& f) {
    for (int i = 0; i < kBoardLineCount; ++i) {
        if (!f(s.comBoard[i]) || !f(s.myBoard[i])) return false;
    }
    return f(s.rollTicks) && f(s.turnState) && f(s.diceMoves[0]) && f(s.diceMoves[1]) &&
           f(s.diceMoves[2]) && f(s.diceMoves[3]) && f(s.movesLeft) && f(s.comBar) && f(s.myBar) &&
           f(s.comOff) && f(s.myOff) && f(s.comCanBearOff) && f(s.myCanBearOff) &&
           f(s.comBestFrom) && f(s.comScore) && f(s.comBestDie) && f(s.comBestScore) &&
           f(s.comEntryState) && f(s.comBearOffDone);
}

void appendNumber(std::string& out, int16_t v) {
    out += numberText(v) + ' ';
}

void appendValue(std::string& out, int16_t v) {
    appendNumber(out, v);
}
void appendValue(std::string& out, const Opt16& v) {
    if (v.hasValue()) appendNumber(out, v);  // no value leaves the line empty
}

void storeEmpty(int16_t& field) {
    field = 0;
}
void storeEmpty(Opt16& field) {
    field.reset();
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool endsValue(char c) {
    return c == ',' || isLineEnd(c) || isBlank(c);
}

// Splits the text into values: a value ends at a comma or a line end, a number also at a
// blank. Every number is written with a trailing blank, so the blanks after a value and one
// comma or line end belong to it; only an empty line or an empty field between commas reads
// as an empty value.
class ValueReader {
public:
    explicit ValueReader(std::string_view text) : text_(text) {
        constexpr std::string_view bom = "\xEF\xBB\xBF";
        if (text_.substr(0, bom.size()) == bom) pos_ = bom.size();
    }

    // The next value's text ("" for an empty value) and its line; false at the end of the text.
    bool next(std::string_view& value, int& line) {
        skipBlanks();
        if (atEnd()) return false;
        line = line_;
        if (skipDelimiter()) {
            value = {};
            return true;
        }
        const size_t start = pos_;
        while (!atEnd() && !endsValue(text_[pos_]))
            ++pos_;
        value = text_.substr(start, pos_ - start);
        skipBlanks();
        skipDelimiter();
        return true;
    }

    int line() const { return line_; }

private:
    bool atEnd() const { return pos_ >= text_.size(); }
    void skipBlanks() {
        while (!atEnd() && isBlank(text_[pos_]))
            ++pos_;
    }
    // Skips one comma or one line end (CR LF, or a lone CR or LF); false when neither is here.
    bool skipDelimiter() {
        if (atEnd()) return false;
        const char c = text_[pos_];
        if (c == ',') {
            ++pos_;
            return true;
        }
        if (!isLineEnd(c)) return false;
        ++pos_;
        if (c == '\r' && !atEnd() && text_[pos_] == '\n') ++pos_;
        ++line_;
        return true;
    }

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
};

enum class NumberCheck { Ok, NotANumber, OutOfRange };

// A decimal integer with an optional sign, in the range of a signed 16-bit integer.
NumberCheck toInt16(std::string_view t, int16_t& out) {
    bool negative = false;
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
        negative = t[0] == '-';
        t.remove_prefix(1);
    }
    if (t.empty()) return NumberCheck::NotANumber;
    long magnitude = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return NumberCheck::NotANumber;
        if (magnitude <= 32768) magnitude = magnitude * 10 + (c - '0');  // stays far from overflow
    }
    if (magnitude > (negative ? 32768 : 32767)) return NumberCheck::OutOfRange;
    out = static_cast<int16_t>(negative ? -magnitude : magnitude);
    return NumberCheck::Ok;
}

// The bad value quoted when it is short plain text, so a message never carries stray bytes.
std::string quoted(std::string_view t) {
    constexpr size_t maxShown = 20;
    if (t.size() > maxShown) return std::string(texts().theValue);
    for (char c : t) {
        if (c < ' ' || c > '~') return std::string(texts().theValue);
    }
    return "\"" + std::string(t) + "\"";
}

// The system's own words for an error, as a sentence.
std::string errnoText(int err) {
    return fillText(texts().systemReason, {std::generic_category().message(err)});
}

}  // namespace

std::string formatSavedGame(const GameState& s) {
    std::string out;
    int index = 0;
    forEachSavedField(s, [&](const auto& field) {
        appendValue(out, field);
        ++index;
        // Board lines hold a pair; each later line holds one value.
        if (index > 2 * kBoardLineCount || index % 2 == 0) out += "\r\n";
        return true;
    });
    return out;
}

std::optional<LoadError> parseSavedGame(std::string_view text, GameState& out) {
    ValueReader reader(text);
    std::optional<LoadError> error;
    int read = 0;
    forEachSavedField(out, [&](auto& field) {
        std::string_view value;
        int line = 0;
        if (!reader.next(value, line)) {
            error = LoadError{reader.line(),
                              fillText(texts().endsEarly,
                                       {std::to_string(read), std::to_string(kSavedValueCount)})};
            return false;
        }
        ++read;
        if (value.empty()) {
            storeEmpty(field);
            return true;
        }
        int16_t number = 0;
        switch (toInt16(value, number)) {
            case NumberCheck::Ok:
                field = number;
                return true;
            case NumberCheck::NotANumber:
                error = LoadError{line, fillText(texts().notANumber, {quoted(value)})};
                return false;
            case NumberCheck::OutOfRange:
                error = LoadError{line, fillText(texts().outOfRange, {quoted(value)})};
                return false;
        }
        return false;
    });
    return error;
}

namespace {

// The lines of the fields checked for a playable position.
constexpr int kFirstDiceLine = 27;
constexpr int kComBarLine = 32;
constexpr int kMyBarLine = 33;
constexpr int kComOffLine = 34;
constexpr int kMyOffLine = 35;

std::optional<LoadError> badCount(int line, std::string_view what, int count) {
    if (count >= 0 && count <= 15) return std::nullopt;
    return LoadError{line, fillText(texts().badCount, {std::string(what), std::to_string(count)})};
}

std::string onPoint(std::string_view pattern, int shown) {
    return fillText(pattern, {std::to_string(shown)});
}

std::optional<LoadError> firstBadCount(const GameState& s) {
    // Line i + 1 holds COM's index i, then the player's index i.
    for (int i = 0; i < kBoardLineCount; ++i) {
        if (auto e = badCount(i + 1, onPoint(texts().comsOnPoint, shownFromCom(i)), s.comBoard[i]))
            return e;
        if (auto e =
                badCount(i + 1, onPoint(texts().yoursOnPoint, shownFromPlayer(i)), s.myBoard[i]))
            return e;
    }
    const struct {
        int line;
        std::string_view what;
        int count;
    } others[] = {{kComBarLine, texts().comsOnBar, s.comBar},
                  {kMyBarLine, texts().yoursOnBar, s.myBar},
                  {kComOffLine, texts().comsOff, s.comOff},
                  {kMyOffLine, texts().yoursOff, s.myOff}};
    for (const auto& o : others) {
        if (auto e = badCount(o.line, o.what, o.count)) return e;
    }
    return std::nullopt;
}

int sideTotal(const std::array<int16_t, 24>& board, int bar, int off) {
    int n = bar + off;
    for (int v : board)
        n += v;
    return n;
}

}  // namespace

std::optional<LoadError> findUnplayable(const GameState& s) {
    if (auto e = firstBadCount(s)) return e;
    for (int k = 0; k < 4; ++k) {
        if (s.diceMoves[k] < 0 || s.diceMoves[k] > 6)
            return LoadError{kFirstDiceLine + k,
                             fillText(texts().badDie, {std::to_string(s.diceMoves[k])})};
    }
    const int mine = sideTotal(s.myBoard, s.myBar, s.myOff);
    if (mine != 15) return LoadError{0, fillText(texts().yourTotal, {std::to_string(mine)})};
    const int coms = sideTotal(s.comBoard, s.comBar, s.comOff);
    if (coms != 15) return LoadError{0, fillText(texts().comTotal, {std::to_string(coms)})};
    for (int j = 0; j < kBoardLineCount; ++j) {
        if (s.myBoard[j] > 0 && s.comBoard[mirror(j)] > 0)
            return LoadError{0, fillText(texts().bothSides,
                                         {std::to_string(shownFromPlayer(j)), std::to_string(j + 1),
                                          std::to_string(mirror(j) + 1)})};
    }
    if (s.myOff == 15) return LoadError{0, std::string(texts().youWon)};
    if (s.comOff == 15) return LoadError{0, std::string(texts().comWon)};
    return std::nullopt;
}

std::optional<std::string> readFileStart(const std::string& path, std::string& out) {
    out.clear();
    // Non-blocking, so that choosing a pipe never hangs the game waiting for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errnoText(errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::string(texts().notARegularFile);
    }
    // One byte more than the limit tells whether the file goes on, and whether the value at
    // the limit ends there.
    out.resize(kReadLimit + 1);
    size_t got = 0;
    while (got < out.size()) {
        const ssize_t n = ::read(fd, out.data() + got, out.size() - got);
        if (n > 0) {
            got += static_cast<size_t>(n);
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            const int err = errno;
            ::close(fd);
            out.clear();
            return errnoText(err);
        }
    }
    ::close(fd);
    if (got <= kReadLimit) {
        out.resize(got);
    } else {  // keep what lies before the last blank, comma or line end: whole values only
        const size_t end = out.find_last_of(" \t,\r\n", kReadLimit);
        out.resize(end == std::string::npos ? 0 : std::min(end + 1, kReadLimit));
    }
    return std::nullopt;
}

namespace {

// The folder part of path with its trailing slash, or "" for a bare name (the current folder).
std::string folderPrefix(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Creates a fresh hidden file next to path; its descriptor, or -1 with errno set.
int createTemporary(const std::string& path, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folderPrefix(path) + ".tavorin-" + std::to_string(::getpid()) + "-" +
                   std::to_string(counter++) + ".tmp";
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// Why a save failed, with what to do where the user can do something.
std::string saveFailure(int err, bool creatingTemporary) {
    switch (err) {
        case EACCES:
        case EPERM:  // the file itself may be writable: the folder refuses the temporary
            if (creatingTemporary) return std::string(texts().folderTakesNoNewFiles);
            break;
        case ENOENT:
            return std::string(texts().folderMissing);
        case ENOTDIR:
            return std::string(texts().pathThroughAFile);
        case EROFS:
            return std::string(texts().readOnlyDisk);
        case EISDIR:
            return std::string(texts().nameIsAFolder);
    }
    return errnoText(err);
}

// The file a save replaces: path, or the file its chain of symbolic links finally names, which
// may not exist yet (a dangling link). -1 with errno set for a loop or an unreadable link.
int followLinks(std::string& path) {
    constexpr int maxHops = 40;  // as the system allows
    for (int hop = 0; hop < maxHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return 0;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
        if (n < 0) return -1;
        if (static_cast<size_t>(n) == sizeof target) {
            errno = ENAMETOOLONG;
            return -1;
        }
        const std::string next(target, static_cast<size_t>(n));
        path = !next.empty() && next.front() == '/'
                   ? next
                   : folderPrefix(path) + next;  // relative to the link
    }
    errno = ELOOP;
    return -1;
}

// 0, or the errno of the failing write.
int writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n < 0 && errno != EINTR) {
            return errno;
        }
    }
    return 0;
}

// Makes the rename itself durable. Best effort: the new file is complete either way.
void syncFolder(const std::string& path) {
    const std::string folder = folderPrefix(path);
    const char* name = folder.empty() ? "." : folder.c_str();
    const int fd = ::open(name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::optional<std::string> writeFileAtomically(const std::string& chosen,
                                               const std::string& bytes) {
    if (chosen.empty()) return saveFailure(ENOENT, false);
    std::string path = chosen;
    if (followLinks(path) != 0) return saveFailure(errno, false);
    std::string tempPath;
    const int fd = createTemporary(path, tempPath);
    if (fd < 0) return saveFailure(errno, true);
    // A replaced file keeps its permissions; a new one gets the usual ones (0666 less umask).
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(fd, old.st_mode & 07777);
    }
    int err = writeAll(fd, bytes);
    if (err == 0 && ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0 && ::rename(tempPath.c_str(), path.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(tempPath.c_str());
        return saveFailure(err, false);
    }
    syncFolder(path);
    return std::nullopt;
}

}  // namespace tavorin
