#pragma once
// The private procedures of the form that a test sets a scene with: the redraw after a position
// is written into the record, and COM's move choice and the travelling checker played alone.
#include "game/MainForm.h"

namespace tavorin::test {

struct FormProbe {
    static void refreshBoard(MainForm& f) { f.refreshBoard(); }
    static void comMove(MainForm& f, int mode) { f.comMove(mode); }
    static void animateMove(MainForm& f, int from, int to) { f.animateMove(from, to); }
};

}  // namespace tavorin::test
