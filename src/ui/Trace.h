#pragma once
// TAVORIN_TRACE=FILE: one line per effect and per step of start-up, "<wall-clock ms> <what>",
// for the benchmarks. Without the variable every call returns at once.
#include <string>

#include "game/AudioOut.h"

namespace tavorin {

void trace(const std::string& what);

// The sound output with a trace line as each effect ("dice.wav") and each start of the music
// ("music bgm1.mp3") is handed on.
class TracedAudio : public AudioOut {
public:
    explicit TracedAudio(AudioOut& out) : out_(out) {}
    void playSound(const std::string& name) override {
        out_.playSound(name);
        trace(name);
    }
    void musicPlay(const std::string& file) override {
        out_.musicPlay(file);
        trace("music " + file);
    }
    void musicClose(const std::string& file) override { out_.musicClose(file); }
    std::string musicMode(const std::string& file) override { return out_.musicMode(file); }

private:
    AudioOut& out_;
};

}  // namespace tavorin
