#include "AudioModule.h"

#include <dlfcn.h>

#include <utility>

namespace tavorin {

AudioModule::AudioModule(std::vector<std::string> modules, std::string dataDir)
    : modules_(std::move(modules)), dataDir_(std::move(dataDir)) {}

// The module stays mapped: the audio is closed by out_, and the process ends soon after.
AudioModule::~AudioModule() = default;

void AudioModule::load() {
    if (loaded_) return;
    loaded_ = true;
    for (const std::string& path : modules_) {
        void* lib = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!lib) continue;
        if (auto open = reinterpret_cast<AudioOpenFn>(dlsym(lib, kAudioOpenSymbol))) {
            out_.reset(open(dataDir_.c_str()));
            break;
        }
    }
    for (const Command& c : std::exchange(early_, {}))
        run(c);
}

void AudioModule::run(const Command& c) {
    if (!loaded_) {
        early_.push_back(c);
        return;
    }
    if (!out_) return;
    switch (c.kind) {
        case Command::Sound:
            out_->playSound(c.name);
            break;
        case Command::Play:
            out_->musicPlay(c.name);
            break;
        case Command::Close:
            out_->musicClose(c.name);
            break;
    }
}

void AudioModule::playSound(const std::string& name) {
    run({Command::Sound, name});
}

void AudioModule::musicPlay(const std::string& file) {
    run({Command::Play, file});
}

void AudioModule::musicClose(const std::string& file) {
    run({Command::Close, file});
}

std::string AudioModule::musicMode(const std::string& file) {
    return out_ ? out_->musicMode(file) : "";
}

}  // namespace tavorin
