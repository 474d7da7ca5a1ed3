#pragma once
// The real platform: Qt's event loop and timers, SDL2_mixer for sound, Qt's file dialogs.
#include <QObject>
#include <QTimer>
#include <array>
#include <cstdio>
#include <deque>
#include <memory>
#include <random>

#include "MainWindow.h"
#include "Trace.h"
#include "audio/AudioModule.h"

namespace tavorin {

// The window's pacing, dice, dialogs and process; its sound is the audio module, traced.
class QtPlatform : public QObject, public Pacing, public Dice, public Dialogs, public Process {
    Q_OBJECT
public:
    // dataDir: the sounds and the music; audioModules: where the audio module may lie. The
    // audio is opened right after the window's first frame.
    explicit QtPlatform(const std::string& dataDir, std::vector<std::string> audioModules = {});
    ~QtPlatform() override;

    // Creates the window, runs start-up and shows the window.
    void start();
    MainForm& form() { return *form_; }
    MainWindow& window() { return *window_; }
    // An event from the window: handled now, or after the pause that is running.
    void deliver(const Event& e);
    bool inPause() const { return pauseDepth_ > 0; }

    void doEvents() override;
    void sleepMs(int ms) override;
    double random() override;
    void seedFromClock() override;
    std::string openFileDialog(const std::string& title, const FilterList& filters,
                               const std::string& dir) override;
    std::string saveFileDialog(const std::string& title, const FilterList& filters,
                               const std::string& dir, const std::string& proposed) override;
    bool restartProgram() override;
    [[noreturn]] void endProgram() override;
    void showError(const std::string& message) override;
    void timerChanged(TimerId id, bool enabled, int intervalMs) override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void hold(const Event& e);
    void flushPending();
    std::string fileDialog(bool save, const std::string& title, const FilterList& filters,
                           const std::string& dir, const std::string& proposed);

    AudioModule audio_;
    TracedAudio sound_{audio_};
    std::unique_ptr<MainForm> form_;
    std::unique_ptr<MainWindow> window_;
    std::array<QTimer, 4> timers_;
    std::deque<Event> pending_;  // board input and turn ticks held in a pause, in order
    int pauseDepth_ = 0;
    std::mt19937_64 rng_;
};

}  // namespace tavorin
