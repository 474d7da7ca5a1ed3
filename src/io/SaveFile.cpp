#include "SaveFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <system_error>

#include "core/NumberText.h"

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
    if (t.size() > maxShown) return "the value";
    for (char c : t) {
        if (c < ' ' || c > '~') return "the value";
    }
    return "\"" + std::string(t) + "\"";
}

std::string errnoText(int err) {
    return std::generic_category().message(err);
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
            error =
                LoadError{reader.line(), "the file ends after " + std::to_string(read) + " of " +
                                             std::to_string(kSavedValueCount) + " values"};
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
                error = LoadError{line, quoted(value) + " is not a whole number"};
                return false;
            case NumberCheck::OutOfRange:
                error = LoadError{line, quoted(value) + " is outside -32768..32767"};
                return false;
        }
        return false;
    });
    return error;
}

std::optional<std::string> readWholeFile(const std::string& path, std::string& out) {
    out.clear();
    // Non-blocking, so that choosing a pipe never hangs the game waiting for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errnoText(errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxReadBytes) {
        ::close(fd);
        return S_ISREG(info.st_mode) ? "too large for a saved game" : "not a regular file";
    }
    char buffer[8192];
    while (out.size() <= static_cast<size_t>(kMaxReadBytes)) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            out.append(buffer, static_cast<size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            const int err = errno;
            ::close(fd);
            return errnoText(err);
        }
    }
    ::close(fd);
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

std::optional<std::string> writeFileAtomically(const std::string& path, const std::string& bytes) {
    if (path.empty()) return errnoText(ENOENT);
    std::string tempPath;
    const int fd = createTemporary(path, tempPath);
    if (fd < 0) return errnoText(errno);
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
        return errnoText(err);
    }
    syncFolder(path);
    return std::nullopt;
}

}  // namespace tavorin
