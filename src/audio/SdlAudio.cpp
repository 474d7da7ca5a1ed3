#include "SdlAudio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <filesystem>
#include <system_error>
#include <utility>

namespace tavorin {
namespace {

// Every effect plays on this one channel, so a new effect cuts off the one before it.
constexpr int kEffectChannel = 0;
constexpr const char* kKnownEffects[] = {"dice.wav", "kati.wav", "mistake.wav", "win.wav",
                                         "gameover.wav"};

}  // namespace

SdlAudio::SdlAudio(std::string dataDir) : dataDir_(std::move(dataDir)) {
    // Audio brings up SDL's event system, which would otherwise take over SIGINT and SIGTERM
    // and turn them into quit events that nobody here reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return;
    }
    Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG | MIX_INIT_FLAC);  // whatever of these is available
    // 2048 frames (46 ms): prompt enough for the effects, and half the mixer's wake-ups.
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    deviceOpen_ = true;
    for (const char* name : kKnownEffects) {
        effect(name);  // preloaded so the first roll does not read the disk
    }
}

SdlAudio::~SdlAudio() {
    if (!deviceOpen_) {
        return;
    }
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    for (auto& entry : effects_) {
        Mix_FreeChunk(entry.second);
    }
    for (auto& entry : music_) {
        Mix_FreeMusic(entry.second);
    }
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudio::deviceOpen() const {
    return deviceOpen_;
}

std::string SdlAudio::resolve(const std::string& name) const {
    namespace fs = std::filesystem;
    const fs::path path(name);
    std::error_code ec;
    if (path.has_parent_path() || dataDir_.empty() || fs::exists(path, ec)) {
        return name;
    }
    return (fs::path(dataDir_) / path).string();
}

Mix_Chunk* SdlAudio::effect(const std::string& name) {
    if (auto it = effects_.find(name); it != effects_.end()) {
        return it->second;
    }
    // A file that cannot be loaded is not remembered: it may turn up later.
    Mix_Chunk* chunk = Mix_LoadWAV(resolve(name).c_str());
    if (chunk != nullptr) {
        effects_.emplace(name, chunk);
    }
    return chunk;
}

void SdlAudio::playSound(const std::string& name) {
    if (!deviceOpen_) {
        return;
    }
    if (Mix_Chunk* chunk = effect(name)) {
        Mix_PlayChannel(kEffectChannel, chunk, 0);  // replaces whatever the channel plays
    } else {
        Mix_HaltChannel(kEffectChannel);  // an unplayable effect still ends the one before
    }
}

void SdlAudio::musicPlay(const std::string& file) {
    // An open file is left alone, at its end too: only close and play start it afresh.
    if (!deviceOpen_ || music_.contains(file)) {
        return;
    }
    Mix_Music* music = Mix_LoadMUS(resolve(file).c_str());
    if (music == nullptr) {
        return;
    }
    if (Mix_PlayMusic(music, 0) != 0) {
        Mix_FreeMusic(music);
        return;
    }
    music_.emplace(file, music);
    current_ = file;
}

void SdlAudio::musicClose(const std::string& file) {
    auto it = music_.find(file);
    if (it == music_.end()) {
        return;
    }
    if (current_ == file) {
        Mix_HaltMusic();
        current_.clear();
    }
    Mix_FreeMusic(it->second);
    music_.erase(it);
}

std::string SdlAudio::musicMode(const std::string& file) {
    if (!music_.contains(file)) {
        return "";
    }
    return file == current_ && Mix_PlayingMusic() != 0 ? "playing" : "stopped";
}

}  // namespace tavorin
