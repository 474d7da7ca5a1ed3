#pragma once
// The roles a benchmark or a test does not use. Any call is a fault in it and stops it at once.
#include <cstdio>
#include <cstdlib>

#include "game/Platform.h"

namespace tavorin::test {

struct UnusedRoles : Dice, Dialogs, Process {
    [[noreturn]] static void unused(const char* what) {
        std::fprintf(stderr, "a role nobody filled was called: %s\n", what);
        std::abort();
    }
    double random() override { unused("random"); }
    void seedFromClock() override { unused("seedFromClock"); }
    std::string openFileDialog(const std::string&, const FilterList&, const std::string&) override {
        unused("openFileDialog");
    }
    std::string saveFileDialog(const std::string&, const FilterList&, const std::string&,
                               const std::string&) override {
        unused("saveFileDialog");
    }
    void showError(const std::string&) override { unused("showError"); }
    bool restartProgram() override { unused("restartProgram"); }
    [[noreturn]] void endProgram() override { unused("endProgram"); }
};

}  // namespace tavorin::test
