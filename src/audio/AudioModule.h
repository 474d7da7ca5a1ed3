#pragma once
// The sound and music, loaded as a module of its own once the window is up: the mixer and the
// libraries it pulls in are linked then, not before the first frame.
#include <memory>
#include <string>
#include <vector>

#include "game/AudioOut.h"

namespace tavorin {

// What the module exports: a C function that opens the audio and gives its AudioOut.
using AudioOpenFn = AudioOut* (*)(const char* dataDir);
inline constexpr const char* kAudioOpenSymbol = "tavorin_audio_open";

class AudioModule : public AudioOut {
public:
    // modules: where the module may lie, tried in order; dataDir as for SdlAudio.
    AudioModule(std::vector<std::string> modules, std::string dataDir);
    ~AudioModule() override;
    AudioModule(const AudioModule&) = delete;
    AudioModule& operator=(const AudioModule&) = delete;

    // Loads the module and opens the audio, then carries out what was asked for before, in
    // order. Once only; without a module the audio stays silent.
    void load();
    bool loaded() const { return loaded_; }

    void playSound(const std::string& name) override;
    void musicPlay(const std::string& file) override;
    void musicClose(const std::string& file) override;
    // Before the load, no file is open: "".
    std::string musicMode(const std::string& file) override;

private:
    struct Command {
        enum { Sound, Play, Close } kind;
        std::string name;
    };
    void run(const Command& c);

    std::vector<std::string> modules_;
    std::string dataDir_;
    bool loaded_ = false;
    std::unique_ptr<AudioOut> out_;
    std::vector<Command> early_;  // asked for before the load
};

}  // namespace tavorin
