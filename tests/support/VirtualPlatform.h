#pragma once
// The test platform: a virtual clock that fires the window's timers by virtual time, scripted
// dice, dialog answers and input, and a record of every call the game makes. Whole games run
// on it headless in milliseconds.
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "game/MainForm.h"

namespace tavorin::test {

// Thrown by endProgram: unwinds every suspended handler, as the end of the process would.
struct ProgramEnded {};

class VirtualPlatform : public AudioOut,
                        public Pacing,
                        public Dice,
                        public Dialogs,
                        public Process {
public:
    VirtualPlatform();

    // Creates the form on this platform and runs start-up.
    MainForm& start();
    MainForm& form() { return *form_; }
    bool started() const { return form_ != nullptr; }

    // Runs the clock to `t` (or by `ms`): timer ticks and scripted input are delivered at their
    // times while no handler runs. Returns false once the program has ended.
    bool runUntil(int64_t t);
    bool runFor(int64_t ms) { return runUntil(now + ms); }
    // Delivers an event now, as the window would when no handler is running.
    bool send(const Event& e);
    // Scripted input: delivered at its time, or at the next pass of pending events after it;
    // a menu command or closing that falls inside a pause runs at its time within the pause.
    void at(int64_t t, const Event& e);

    // Dice: die values for the next rolls (each die is one draw); then the seeded generator.
    void queueDice(std::initializer_list<int> dice);
    std::deque<double> randoms;
    std::mt19937_64 rng{1};
    std::deque<std::string> dialogAnswers;  // answers of the next dialogs; "" is a cancel

    // Music: a file plays for musicLengthMs once opened; files in unreadable never open.
    int64_t musicLengthMs = 60'000;
    std::vector<std::string> unreadable;

    int64_t now = 0;
    bool ended = false;
    int restarts = 0;
    bool restartFails = false;
    struct Call {
        int64_t at;
        std::string what;
    };
    std::vector<Call> calls;  // "sound dice.wav", "play bgm1.mp3", "sleep 350", "events", ...
    std::vector<std::string> errors;
    std::vector<std::string> dialogs;  // title, filters, folder and proposed name of each dialog
    int count(const std::string& what) const;
    void clearCalls() { calls.clear(); }
    // Called after every handler the platform delivers (for invariant checks in soak runs).
    std::function<void()> afterEvent;

    // The five roles
    void playSound(const std::string& name) override;
    void musicPlay(const std::string& file) override;
    void musicClose(const std::string& file) override;
    std::string musicMode(const std::string& file) override;
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

private:
    struct Pending {
        int64_t at;
        uint64_t order;
        Event e;
    };
    void record(const std::string& what) { calls.push_back({now, what}); }
    void dispatch(const Event& e);
    bool nextDue(int64_t& when, int& timer, int& input, bool inPause) const;
    void fire(int timer, int input);
    std::string dialog(const std::string& kind, const std::string& title, const FilterList& f,
                       const std::string& dir, const std::string& proposed);

    std::unique_ptr<MainForm> form_;
    std::array<int64_t, 4> due_{};
    std::vector<Pending> input_;
    uint64_t order_ = 0;
    std::map<std::string, int64_t> musicOpenedAt_;  // open file -> virtual time its play began
};

// A die value as a draw of the generator: the middle of its sixth of [0, 1).
inline double drawFor(int die) {
    return (die - 0.5) / 6.0;
}

}  // namespace tavorin::test
