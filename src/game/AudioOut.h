#pragma once
// Sound effects and background music as the game asks for them, by file name.
#include <string>

namespace tavorin {

class AudioOut {
public:
    virtual ~AudioOut() = default;
    // Starts an effect and returns at once; it cuts off the effect still playing.
    virtual void playSound(const std::string& name) = 0;
    // The three media commands, each naming the music file.
    // Play: opens the file if it is not open and starts it from its beginning.
    virtual void musicPlay(const std::string& file) = 0;
    // Close: stops and frees it.
    virtual void musicClose(const std::string& file) = 0;
    // Status mode: "playing", "stopped" once played to its end, "" when not open or unreadable.
    virtual std::string musicMode(const std::string& file) = 0;
};

}  // namespace tavorin
