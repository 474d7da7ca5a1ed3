#include "Model.h"

namespace tavorin {

Size pictureSize(Pic p) {
    switch (p) {
        case Pic::None:
            return {0, 0};
        case Pic::Title:
            return {1000, 696};
        case Pic::Board:
            return {1000, 700};
        case Pic::CheckerM:
        case Pic::CheckerC:
        case Pic::Blank:
            return {32, 32};
        case Pic::Die6:
            return {92, 109};
        default:
            return {97, 110};  // faces 1 to 5
    }
}

Pic dieFace(int pips) {
    if (pips < 1 || pips > 6) return Pic::None;
    return static_cast<Pic>(static_cast<int>(Pic::Die1) + pips - 1);
}

void Image::setPicture(Pic p) {
    pic = p;
    if (p == Pic::None) return;  // an empty picture keeps the slot's size
    const Size s = pictureSize(p);
    rect.w = s.w;
    rect.h = s.h;
}

// Like a window timer, the count starts again only when something actually changes.
void Timer::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    notify();
}

void Timer::setInterval(int ms) {
    if (ms == interval_) return;
    interval_ = ms;
    notify();
}

void Timer::notify() const {
    if (pacing_) pacing_->timerChanged(id_, enabled_, interval_);
}

Timer& MainModel::timer(TimerId id) {
    switch (id) {
        case TimerId::Timer1:
            return Timer1;
        case TimerId::Timer2:
            return Timer2;
        case TimerId::Timer3:
            return Timer3;
        default:
            return Timer4;
    }
}

void MainModel::attach(Pacing* p) {
    for (Timer* t : {&Timer1, &Timer2, &Timer3, &Timer4})
        t->attach(p);
}

}  // namespace tavorin
