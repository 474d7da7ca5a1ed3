#include "VirtualPlatform.h"

#include <algorithm>

namespace tavorin::test {

VirtualPlatform::VirtualPlatform() = default;

MainForm& VirtualPlatform::start() {
    form_ = std::make_unique<MainForm>(Platform{*this, *this, *this, *this, *this});
    for (int t = 0; t < 4; ++t) {
        const Timer& timer = form_->ui.timer(static_cast<TimerId>(t));
        due_[t] = now + timer.interval();
    }
    form_->Form_Load();
    return *form_;
}

int VirtualPlatform::count(const std::string& what) const {
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [&](const Call& c) { return c.what == what; }));
}

void VirtualPlatform::queueDice(std::initializer_list<int> dice) {
    for (int d : dice)
        randoms.push_back(drawFor(d));
}

void VirtualPlatform::at(int64_t t, const Event& e) {
    input_.push_back({t, order_++, e});
}

void VirtualPlatform::dispatch(const Event& e) {
    if (e.kind == Event::Tick) {
        const int t = static_cast<int>(e.timer);
        const Timer& timer = form_->ui.timer(e.timer);
        // Late ticks coalesce: the next one comes a whole interval after this delivery.
        due_[t] += timer.interval();
        if (due_[t] <= now) due_[t] = now + timer.interval();
    }
    form_->deliver(e);
    if (afterEvent) afterEvent();
}

// The next scripted input or timer tick; in a pause only what answers in it.
bool VirtualPlatform::nextDue(int64_t& when, int& timer, int& input, bool inPause) const {
    when = INT64_MAX;
    timer = -1;
    input = -1;
    for (size_t i = 0; i < input_.size(); ++i) {  // input in time order, then in script order
        if ((!inPause || answersInPause(input_[i].e)) && input_[i].at < when) {
            when = input_[i].at;
            input = static_cast<int>(i);
        }
    }
    for (int t = 0; t < 4; ++t) {
        const auto id = static_cast<TimerId>(t);
        if (inPause && !answersInPause(Event::tick(id))) continue;
        if (form_->ui.timer(id).enabled() && due_[t] < when) {
            when = due_[t];
            timer = t;
            input = -1;
        }
    }
    return when != INT64_MAX;
}

void VirtualPlatform::fire(int timer, int input) {
    if (input >= 0) {
        const Event e = input_[static_cast<size_t>(input)].e;
        input_.erase(input_.begin() + input);
        dispatch(e);
    } else {
        dispatch(Event::tick(static_cast<TimerId>(timer)));
    }
}

bool VirtualPlatform::runUntil(int64_t t) {
    if (ended) return false;
    try {
        int64_t when;
        int timer, input;
        while (nextDue(when, timer, input, false) && when <= t) {
            now = std::max(now, when);
            fire(timer, input);
        }
        now = std::max(now, t);
    } catch (const ProgramEnded&) {
        return false;
    }
    return true;
}

bool VirtualPlatform::send(const Event& e) {
    if (ended) return false;
    try {
        dispatch(e);
    } catch (const ProgramEnded&) {
        return false;
    }
    return true;
}

// One pass: the input and ticks that are due now, in the order they became due.
void VirtualPlatform::doEvents() {
    record("events");
    std::vector<Pending> due;
    for (size_t i = 0; i < input_.size();) {
        if (input_[i].at <= now) {
            due.push_back(input_[i]);
            input_.erase(input_.begin() + static_cast<long>(i));
        } else {
            ++i;
        }
    }
    for (int t = 0; t < 4; ++t) {
        const Timer& tm = form_->ui.timer(static_cast<TimerId>(t));
        if (tm.enabled() && due_[t] <= now)
            due.push_back({due_[t], order_++, Event::tick(static_cast<TimerId>(t))});
    }
    std::stable_sort(due.begin(), due.end(),
                     [](const Pending& a, const Pending& b) { return a.at < b.at; });
    for (const Pending& p : due)
        dispatch(p.e);
}

// A pause: menu commands and closing scripted inside it run at their times, and the music
// watchdog ticks; board input and the other timers wait for the pass after it.
void VirtualPlatform::sleepMs(int ms) {
    record("sleep " + std::to_string(ms));
    const int64_t end = now + ms;
    int64_t when;
    int timer, input;
    while (nextDue(when, timer, input, true) && when <= end) {
        now = std::max(now, when);
        fire(timer, input);
    }
    now = std::max(now, end);
}

double VirtualPlatform::random() {
    if (!randoms.empty()) {
        const double r = randoms.front();
        randoms.pop_front();
        return r;
    }
    return static_cast<double>(rng() >> 11) * 0x1.0p-53;
}

void VirtualPlatform::seedFromClock() {}

void VirtualPlatform::playSound(const std::string& name) {
    record("sound " + name);
}

void VirtualPlatform::musicPlay(const std::string& file) {
    record("play " + file);
    if (std::find(unreadable.begin(), unreadable.end(), file) != unreadable.end()) return;
    musicOpenedAt_.try_emplace(file, now);  // an open file goes on where it is
}

void VirtualPlatform::musicClose(const std::string& file) {
    record("close " + file);
    musicOpenedAt_.erase(file);
}

std::string VirtualPlatform::musicMode(const std::string& file) {
    record("mode " + file);
    auto it = musicOpenedAt_.find(file);
    if (it == musicOpenedAt_.end()) return "";
    return now - it->second >= musicLengthMs ? "stopped" : "playing";
}

std::string VirtualPlatform::dialog(const std::string& kind, const std::string& title,
                                    const FilterList& f, const std::string& dir,
                                    const std::string& proposed) {
    std::string d = kind + " " + title;
    for (const FileFilter& ff : f)
        d += " [" + ff.description + "|" + ff.pattern + "]";
    d += " in " + dir;
    if (!proposed.empty()) d += " name " + proposed;
    dialogs.push_back(d);
    record(kind);
    if (dialogAnswers.empty()) return "";
    std::string a = dialogAnswers.front();
    dialogAnswers.pop_front();
    return a;
}

std::string VirtualPlatform::openFileDialog(const std::string& title, const FilterList& filters,
                                            const std::string& dir) {
    return dialog("open", title, filters, dir, "");
}

std::string VirtualPlatform::saveFileDialog(const std::string& title, const FilterList& filters,
                                            const std::string& dir, const std::string& proposed) {
    return dialog("save", title, filters, dir, proposed);
}

bool VirtualPlatform::restartProgram() {
    record("restart");
    if (restartFails) return false;
    ++restarts;
    return true;
}

void VirtualPlatform::endProgram() {
    record("end");
    ended = true;
    throw ProgramEnded{};
}

void VirtualPlatform::showError(const std::string& message) {
    record("error");
    errors.push_back(message);
}

void VirtualPlatform::timerChanged(TimerId id, bool /*enabled*/, int intervalMs) {
    due_[static_cast<int>(id)] = now + intervalMs;
}

}  // namespace tavorin::test
