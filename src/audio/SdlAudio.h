#pragma once
// Effects and music played through SDL2_mixer. Without an audio device every call is a no-op.
#include <map>
#include <string>

#include "game/AudioOut.h"

struct Mix_Chunk;
struct _Mix_Music;

namespace tavorin {

class SdlAudio : public AudioOut {
public:
    // dataDir: the program's own data folder, searched for a bare name missing from the
    // current folder. Opens the audio device; without one the object stays silent.
    explicit SdlAudio(std::string dataDir);
    ~SdlAudio() override;  // frees everything, closes the device
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    bool deviceOpen() const;
    void playSound(const std::string& name) override;
    void musicPlay(const std::string& file) override;
    void musicClose(const std::string& file) override;
    std::string musicMode(const std::string& file) override;

private:
    // A name with a folder stands as it is; a bare one is tried in the current folder,
    // then in dataDir_.
    std::string resolve(const std::string& name) const;
    Mix_Chunk* effect(const std::string& name);

    std::string dataDir_;
    bool deviceOpen_ = false;
    std::map<std::string, Mix_Chunk*> effects_;  // loaded effects by the name asked for
    std::map<std::string, _Mix_Music*> music_;   // open music files by the name asked for
    std::string current_;                        // the open file that owns playback
};

}  // namespace tavorin
