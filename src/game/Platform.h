#pragma once
// What the game's handlers need from outside, in five roles: sound, pacing and timers, dice,
// dialogs and the process. The real window and the virtual-clock test platform fill all five;
// a benchmark or a test fills only the roles it uses.
#include <string>
#include <vector>

#include "AudioOut.h"

namespace tavorin {

struct FileFilter {
    std::string description;  // shown in the dialog's type list
    std::string pattern;      // "*.kif", "*.*"
};
using FilterList = std::vector<FileFilter>;

enum class TimerId { Timer1 = 0, Timer2 = 1, Timer3 = 2, Timer4 = 3 };

// The window's pass of events, the pauses and the four timers.
class Pacing {
public:
    virtual ~Pacing() = default;
    // Runs the window's pending events once (input, timer ticks, repaint), from inside a handler.
    virtual void doEvents() = 0;
    // Blocks the game for ms milliseconds. The window repaints, and its menus, closing it and
    // the music watchdog (Timer4) are handled at once; board input and the other timers wait
    // for the next pass of events.
    virtual void sleepMs(int ms) = 0;
    // A timer of the window was enabled, disabled or given a new interval.
    virtual void timerChanged(TimerId id, bool enabled, int intervalMs) = 0;
};

class Dice {
public:
    virtual ~Dice() = default;
    // A value uniform in [0, 1).
    virtual double random() = 0;
    virtual void seedFromClock() = 0;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Modal file dialogs; the chosen full path, or "" on cancel.
    virtual std::string openFileDialog(const std::string& title, const FilterList& filters,
                                       const std::string& dir) = 0;
    virtual std::string saveFileDialog(const std::string& title, const FilterList& filters,
                                       const std::string& dir, const std::string& proposed) = 0;
    virtual void showError(const std::string& message) = 0;
};

class Process {
public:
    virtual ~Process() = default;
    // Starts this program anew as a fresh process; false when it could not be started.
    virtual bool restartProgram() = 0;
    // Ends the program at once: nothing suspended in a pause runs on afterwards.
    [[noreturn]] virtual void endProgram() = 0;
};

// The roles a form is made with; each must outlive it.
struct Platform {
    AudioOut& sound;
    Pacing& pacing;
    Dice& dice;
    Dialogs& dialogs;
    Process& process;
};

}  // namespace tavorin
