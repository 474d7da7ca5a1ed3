// SdlAudio against the real mixer: SDL's disk driver writes everything the mixer outputs to a
// raw file, paced in real time, and the tests read the sound back from that file.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <numbers>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "audio/AudioModule.h"
#include "audio/SdlAudio.h"

namespace tavorin {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// One stretch of a 440 Hz test tone; amplitude 0 is silence.
struct Segment {
    double seconds;
    int amplitude;
};

void putLe(std::ofstream& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.put(static_cast<char>((value >> (8 * i)) & 0xff));
    }
}

// A 16-bit mono WAV file made of the given segments.
void writeWav(const fs::path& path, int rate, const std::vector<Segment>& segments) {
    std::vector<int16_t> samples;
    for (const Segment& seg : segments) {
        const auto count = static_cast<size_t>(seg.seconds * rate);
        for (size_t i = 0; i < count; ++i) {
            const double phase = 2 * std::numbers::pi * 440.0 * static_cast<double>(i) / rate;
            samples.push_back(static_cast<int16_t>(seg.amplitude * std::sin(phase)));
        }
    }
    const auto dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    putLe(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    putLe(out, 16, 4);
    putLe(out, 1, 2);  // PCM
    putLe(out, 1, 2);  // mono
    putLe(out, static_cast<uint32_t>(rate), 4);
    putLe(out, static_cast<uint32_t>(rate * 2), 4);
    putLe(out, 2, 2);
    putLe(out, 16, 2);
    out.write("data", 4);
    putLe(out, dataBytes, 4);
    for (int16_t s : samples) {
        putLe(out, static_cast<uint16_t>(s), 2);
    }
}

template <class Pred>
bool waitUntil(Pred pred, std::chrono::seconds limit = 20s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

// The raw 16-bit output file of the disk driver, read back frame by frame.
class Capture {
public:
    Capture(fs::path path, int channels) : path_(std::move(path)), channels_(channels) {}

    size_t frames() const {
        std::error_code ec;
        const auto bytes = fs::file_size(path_, ec);
        return ec ? 0 : static_cast<size_t>(bytes) / (2 * static_cast<size_t>(channels_));
    }

    // Blocks until the device has written `count` frames; false if it never does.
    bool waitFrames(size_t count) const {
        return waitUntil([&] { return frames() >= count; });
    }

    // The loudest sample of frames [from, to).
    int peak(size_t from, size_t to) const {
        const std::vector<int16_t> s = read();
        int best = 0;
        for (size_t i = from * channels_; i < std::min(to * channels_, s.size()); ++i) {
            best = std::max(best, std::abs(static_cast<int>(s[i])));
        }
        return best;
    }

    // The first and the last frame of [from, to) holding any sound.
    std::optional<size_t> firstSound(size_t from, size_t to) const { return find(from, to, true); }
    std::optional<size_t> lastSound(size_t from, size_t to) const { return find(from, to, false); }

private:
    std::vector<int16_t> read() const {
        std::ifstream in(path_, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        std::vector<int16_t> s(bytes.size() / 2);
        std::memcpy(s.data(), bytes.data(), s.size() * 2);  // the device writes native order
        return s;
    }

    std::optional<size_t> find(size_t from, size_t to, bool first) const {
        const std::vector<int16_t> s = read();
        std::optional<size_t> hit;
        for (size_t f = from; f < to && (f + 1) * channels_ <= s.size(); ++f) {
            for (int c = 0; c < channels_; ++c) {
                if (s[f * channels_ + c] != 0) {
                    hit = f;
                }
            }
            if (hit && first) {
                break;
            }
        }
        return hit;
    }

    fs::path path_;
    int channels_;
};

class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() { unsetenv(name_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
};

fs::path makeTempDir() {
    std::string pattern = (fs::temp_directory_path() / "tavorin-audio-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    return made != nullptr ? fs::path(made) : fs::path();
}

// Tones near these levels tell the test files apart in the output.
constexpr int kSoft = 6000;
constexpr int kLoud = 24000;

bool closeTo(int level, int expected) {
    return std::abs(level - expected) <= expected / 10;
}

class SdlAudioDisk : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = makeTempDir();
        ASSERT_FALSE(dir_.empty());
        driver_ = std::make_unique<ScopedEnv>("SDL_AUDIODRIVER", "disk");
        outFile_ = std::make_unique<ScopedEnv>("SDL_DISKAUDIOFILE", (dir_ / "out.raw").string());
        audio_ = std::make_unique<SdlAudio>(dir_.string());
        ASSERT_TRUE(audio_->deviceOpen());
        Uint16 format = 0;
        ASSERT_EQ(Mix_QuerySpec(&rate_, &format, &channels_), 1);
        ASSERT_EQ(format, AUDIO_S16SYS);
        capture_ = std::make_unique<Capture>(dir_ / "out.raw", channels_);
        // Test files at the device rate, so the mixer passes their samples through unchanged.
        writeWav(dir_ / "long.wav", rate_, {{2.0, kSoft}});
        writeWav(dir_ / "short.wav", rate_, {{0.1, kLoud}});
        writeWav(dir_ / "song.wav", rate_, {{0.3, kLoud}, {0.3, kSoft}});
        writeWav(dir_ / "hold.wav", rate_, {{3.0, kSoft}});
    }

    void TearDown() override {
        audio_.reset();
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    size_t frames(double seconds) const { return static_cast<size_t>(seconds * rate_); }

    // Output written from now on: its frames start at the returned mark.
    size_t mark() const { return capture_->frames(); }

    // What a call changes reaches the output within two device buffers of its mark.
    size_t latency() const { return frames(0.1); }

    fs::path dir_;
    std::unique_ptr<ScopedEnv> driver_;
    std::unique_ptr<ScopedEnv> outFile_;
    std::unique_ptr<SdlAudio> audio_;
    std::unique_ptr<Capture> capture_;
    int rate_ = 0;
    int channels_ = 0;
};

TEST_F(SdlAudioDisk, SilentUntilAnEffectStartsThenPlaysIt) {
    ASSERT_TRUE(capture_->waitFrames(frames(0.3)));
    EXPECT_EQ(capture_->peak(0, frames(0.3)), 0);

    const size_t at = mark();
    audio_->playSound("long.wav");
    ASSERT_TRUE(capture_->waitFrames(at + frames(0.5)));
    EXPECT_TRUE(closeTo(capture_->peak(at, at + frames(0.5)), kSoft));
}

TEST_F(SdlAudioDisk, ANewEffectCutsOffTheOneStillPlaying) {
    const size_t start = mark();
    audio_->playSound("long.wav");
    ASSERT_TRUE(waitUntil([&] { return capture_->firstSound(start, mark()).has_value(); }));

    const size_t at = mark();
    audio_->playSound("short.wav");
    // Long enough for the rest of the 2 s tone to show if it were still playing.
    const size_t end = at + frames(2.5);
    ASSERT_TRUE(capture_->waitFrames(end));
    // The short tone alone: no soft tone mixed under it (that would sum louder), none after it.
    EXPECT_TRUE(closeTo(capture_->peak(at, end), kLoud));
    const std::optional<size_t> last = capture_->lastSound(at, end);
    ASSERT_TRUE(last.has_value());
    EXPECT_LT(*last, at + frames(0.1) + latency());
}

TEST_F(SdlAudioDisk, AnUnplayableEffectIsSilentAndStopsThePreviousOne) {
    const size_t start = mark();
    audio_->playSound("long.wav");
    ASSERT_TRUE(waitUntil([&] { return capture_->firstSound(start, mark()).has_value(); }));

    const size_t at = mark();
    audio_->playSound("no-such-sound.wav");
    ASSERT_TRUE(capture_->waitFrames(at + frames(1.0)));
    EXPECT_EQ(capture_->peak(at + latency(), at + frames(1.0)), 0);
}

TEST_F(SdlAudioDisk, MusicStopsAtItsEndAndRestartsFromTheBeginningAfterClose) {
    EXPECT_EQ(audio_->musicMode("song.wav"), "");
    audio_->musicPlay("song.wav");
    EXPECT_EQ(audio_->musicMode("song.wav"), "playing");
    ASSERT_TRUE(waitUntil([&] { return audio_->musicMode("song.wav") == "stopped"; }));

    // Play on a file that has reached its end leaves it there.
    size_t at = mark();
    audio_->musicPlay("song.wav");
    ASSERT_TRUE(capture_->waitFrames(at + frames(0.5)));
    EXPECT_EQ(capture_->peak(at + latency(), at + frames(0.5)), 0);
    EXPECT_EQ(audio_->musicMode("song.wav"), "stopped");

    audio_->musicClose("song.wav");
    EXPECT_EQ(audio_->musicMode("song.wav"), "");
    at = mark();
    audio_->musicPlay("song.wav");
    EXPECT_EQ(audio_->musicMode("song.wav"), "playing");
    ASSERT_TRUE(waitUntil([&] { return capture_->firstSound(at, mark()).has_value(); }));
    const size_t first = *capture_->firstSound(at, mark());
    ASSERT_TRUE(capture_->waitFrames(first + frames(0.2)));
    EXPECT_TRUE(closeTo(capture_->peak(first, first + frames(0.2)), kLoud));  // the loud opening
}

TEST_F(SdlAudioDisk, CloseSilencesTheMusicAtOnce) {
    const size_t start = mark();
    audio_->musicPlay("hold.wav");
    ASSERT_TRUE(waitUntil([&] { return capture_->firstSound(start, mark()).has_value(); }));

    const size_t at = mark();
    audio_->musicClose("hold.wav");
    EXPECT_EQ(audio_->musicMode("hold.wav"), "");
    ASSERT_TRUE(capture_->waitFrames(at + frames(1.0)));
    EXPECT_EQ(capture_->peak(at + latency(), at + frames(1.0)), 0);
    audio_->musicClose("hold.wav");  // a second close is harmless
    EXPECT_EQ(audio_->musicMode("hold.wav"), "");
}

TEST_F(SdlAudioDisk, AnotherFileTakesOverPlayback) {
    audio_->musicPlay("hold.wav");
    audio_->musicPlay("song.wav");
    EXPECT_EQ(audio_->musicMode("song.wav"), "playing");
    EXPECT_EQ(audio_->musicMode("hold.wav"), "stopped");
    audio_->musicClose("hold.wav");  // closing the displaced file leaves the new one playing
    EXPECT_EQ(audio_->musicMode("song.wav"), "playing");
}

TEST_F(SdlAudioDisk, UnreadableMusicLeavesNothingOpen) {
    std::ofstream(dir_ / "junk.mp3") << "not music at all";
    for (const std::string name : {"no-such-song.mp3", "junk.mp3", ""}) {
        audio_->musicPlay(name);
        EXPECT_EQ(audio_->musicMode(name), "") << name;
        audio_->musicClose(name);
    }
}

// A bare name is taken from the current folder first, then from the data folder; a name with a
// folder is used as it is.
TEST_F(SdlAudioDisk, FindsFilesByName) {
    const fs::path here = makeTempDir();
    ASSERT_FALSE(here.empty());
    struct BackHome {
        fs::path home = fs::current_path();
        ~BackHome() { fs::current_path(home); }
    } backHome;
    fs::current_path(here);
    writeWav(here / "short.wav", rate_, {{0.1, kSoft}});  // shadows the loud one in dir_
    writeWav(dir_ / "far.wav", rate_, {{0.1, kLoud}});

    struct Case {
        std::string name;
        int level;
    };
    const std::vector<Case> cases = {
        {"short.wav", kSoft},                    // current folder
        {"far.wav", kLoud},                      // data folder
        {(dir_ / "short.wav").string(), kLoud},  // absolute path
        {"./long.wav", 0},                       // has a folder: not looked up elsewhere
    };
    // Every tone is 0.1 s, so each has ended before the next case takes its mark.
    for (const Case& c : cases) {
        const size_t at = mark();
        audio_->playSound(c.name);
        ASSERT_TRUE(capture_->waitFrames(at + frames(0.3)));
        const int level = capture_->peak(at, at + frames(0.3));
        EXPECT_TRUE(c.level == 0 ? level == 0 : closeTo(level, c.level)) << c.name << " " << level;
    }
    std::error_code ec;
    fs::remove_all(here, ec);
}

TEST(SdlAudioNoDevice, EveryCallIsSilentAndHarmless) {
    const fs::path dir = makeTempDir();
    ASSERT_FALSE(dir.empty());
    writeWav(dir / "song.wav", 22050, {{0.2, kSoft}});
    const ScopedEnv driver("SDL_AUDIODRIVER", "tavorin-no-such-driver");
    {
        SdlAudio audio(dir.string());
        EXPECT_FALSE(audio.deviceOpen());
        audio.playSound("dice.wav");
        audio.playSound("song.wav");
        audio.musicClose("song.wav");  // never opened
        audio.musicPlay("song.wav");
        EXPECT_EQ(audio.musicMode("song.wav"), "");
        audio.musicClose("song.wav");
        audio.musicClose("song.wav");
        EXPECT_EQ(audio.musicMode("bgm1.mp3"), "");
    }
    fs::remove_all(dir);
}

// The game's way to its audio: the module, opened after the first frame, carries out in order
// what was asked for before; without a module everything stays silent.
TEST(AudioModuleLoad, CommandsBeforeTheLoadRunInOrderAfterIt) {
    const fs::path dir = makeTempDir();
    ASSERT_FALSE(dir.empty());
    writeWav(dir / "song.wav", 22050, {{2.0, kSoft}});
    writeWav(dir / "other.wav", 22050, {{2.0, kSoft}});
    const ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
    for (bool present : {true, false}) {
        SCOPED_TRACE(present ? "module" : "no module");
        AudioModule audio({"/nonexistent/tavorin-audio.so", present ? TAVORIN_AUDIO_MODULE : ""},
                          dir.string());
        audio.musicPlay("other.wav");
        audio.musicClose("other.wav");
        audio.musicPlay("song.wav");
        audio.playSound("song.wav");
        EXPECT_EQ(audio.musicMode("song.wav"), "");  // nothing open yet
        audio.load();
        EXPECT_EQ(audio.musicMode("song.wav"), present ? "playing" : "");
        EXPECT_EQ(audio.musicMode("other.wav"), "");  // opened and closed again
        audio.musicClose("song.wav");
        EXPECT_EQ(audio.musicMode("song.wav"), "");
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace tavorin
