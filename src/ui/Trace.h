#pragma once
// TAVORIN_TRACE=FILE: one line per effect and per step of start-up, "<wall-clock ms> <what>",
// for the benchmarks. Without the variable every call returns at once.
#include <string>

namespace tavorin {

void trace(const std::string& what);

}  // namespace tavorin
