// The entry of the audio module: SDL2_mixer behind the game's AudioOut.
#include "AudioModule.h"
#include "SdlAudio.h"

extern "C" __attribute__((visibility("default"))) tavorin::AudioOut* tavorin_audio_open(
    const char* dataDir) {
    return new tavorin::SdlAudio(dataDir);
}
